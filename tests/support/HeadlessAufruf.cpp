#include "support/HeadlessAufruf.h"

#include <QDir>

namespace quenda::test {

QProcessEnvironment isolierteUmgebung(const QString& heim) {
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.remove(QStringLiteral("QUENDA_MDBIMPORT"));
    const QDir dir(heim);
    umgebung.insert(QStringLiteral("HOME"), dir.path());
    umgebung.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    umgebung.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
    umgebung.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    return umgebung;
}

QStringList headlessAufruf(const QString& db, int zyklen, const QString& fakeZeit) {
    QStringList argumente{QStringLiteral("--headless"),   QStringLiteral("--db"), db,
                          QStringLiteral("--tournament"), QStringLiteral("1"),    QStringLiteral("--cycles"),
                          QString::number(zyklen)};
    if (!fakeZeit.isEmpty()) {
        argumente << QStringLiteral("--fake-time") << fakeZeit;
    }
    return argumente;
}

} // namespace quenda::test
