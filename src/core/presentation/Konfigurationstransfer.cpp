#include "presentation/Konfigurationstransfer.h"

#include "transfer/Webserverupload.h"

#include <QDir>

namespace quenda {

void konfigurationSenden(Webserverupload& upload, const QString& tsdir) {
    upload.DateiWebserver(QStringLiteral("config_quenda.xml"));
    // By name, so the pictures arrive in the same order on every file system.
    const QStringList bilder = QDir(QDir(tsdir).filePath(QStringLiteral("images"))).entryList(QDir::Files, QDir::Name);
    for (const QString& bild : bilder) {
        upload.DateiWebserver(QStringLiteral("images/") + bild);
    }
}

} // namespace quenda
