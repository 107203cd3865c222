#include "support/Dateien.h"

#include "util/QuendaError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quenda::test {

QByteArray lesen(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

QByteArray dateiInhalt(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw IoError(QStringLiteral("Testdatei %1 fehlt").arg(pfad));
    }
    return datei.readAll();
}

void schreiben(const QString& pfad, const QByteArray& inhalt) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size()) {
        throw IoError(QStringLiteral("Testdatei %1 nicht geschrieben").arg(pfad));
    }
}

QStringList inhaltVon(const QString& ordner) {
    return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace quenda::test
