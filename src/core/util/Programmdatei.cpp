#include "util/Programmdatei.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace quenda {

Programmdatei programmdateiLesen(const QString& exepath) {
    Programmdatei werte{QStringLiteral("4.0"),
                        {QStringLiteral("www.kestrom.de"), QStringLiteral("https://www.kestrom.de/quenda")}};
    const QString pfad = QDir(exepath).filePath(QStringLiteral("quenda20.ini"));
    if (!QFileInfo::exists(pfad)) {
        return werte;
    }
    const QSettings ini(pfad, QSettings::IniFormat);
    werte.version = ini.value(QStringLiteral("quenda20/version"), QStringLiteral("4.000")).toString();
    const QString server = ini.value(QStringLiteral("quenda20/versionsserver")).toString().trimmed();
    const QString download = ini.value(QStringLiteral("quenda20/downloadadresse")).toString().trimmed();
    if (!server.isEmpty()) {
        werte.dienst.server = server;
    }
    if (!download.isEmpty()) {
        werte.dienst.download = download;
    }
    return werte;
}

} // namespace quenda
