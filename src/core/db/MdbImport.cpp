#include "db/MdbImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace quenda {

namespace {

constexpr int startzeitMs = 10000;
constexpr int abfrageMs = 100; // how often a running import looks at the abort flag

QString letzteZeile(const QByteArray& ausgabe) {
    const QStringList zeilen =
        QString::fromLocal8Bit(ausgabe).split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    return zeilen.isEmpty() ? QString() : zeilen.constLast().trimmed();
}

} // namespace

QString mdbImportProgramm() {
    const QString umgebung = qEnvironmentVariable("QUENDA_MDBIMPORT");
    if (!umgebung.isEmpty()) {
        return umgebung;
    }
    const QString ordner = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
#ifdef Q_OS_WIN
    return QDir(ordner).filePath(QStringLiteral("quenda-mdbimport.exe"));
#else
    return QDir(ordner).filePath(QStringLiteral("quenda-mdbimport"));
#endif
}

Ergebnis<void> mdbImportieren(const QString& quelle, const QString& ziel, int zeitlimitMs,
                              const std::atomic<bool>* abbruch) {
    QProcess prozess;
    prozess.setProgram(mdbImportProgramm());
    prozess.setArguments({quelle, ziel});
    prozess.setStandardOutputFile(QProcess::nullDevice());
    prozess.start(QIODevice::ReadOnly);
    if (!prozess.waitForStarted(startzeitMs)) {
        return Fehlschlag{QStringLiteral("Das Importprogramm %1 kann nicht gestartet werden (%2).")
                              .arg(prozess.program(), prozess.errorString())};
    }
    QElapsedTimer uhr;
    uhr.start();
    QString grund;
    while (prozess.state() != QProcess::NotRunning && !prozess.waitForFinished(abfrageMs)) {
        if (abbruch && abbruch->load()) {
            grund = QStringLiteral("Der Import wurde abgebrochen.");
        } else if (uhr.elapsed() > zeitlimitMs) {
            grund = QStringLiteral("Der Import hat das Zeitlimit von %1 s überschritten.").arg(zeitlimitMs / 1000.0);
        }
        if (!grund.isEmpty()) {
            prozess.kill();
            prozess.waitForFinished(-1);
            break;
        }
    }
    const QString meldung = letzteZeile(prozess.readAllStandardError());
    if (grund.isEmpty()) {
        if (prozess.exitStatus() == QProcess::CrashExit) {
            grund = QStringLiteral("Das Importprogramm ist abgestürzt.");
        } else if (prozess.exitCode() != 0) {
            grund = meldung.isEmpty()
                        ? QStringLiteral("Das Importprogramm endete mit Status %1.").arg(prozess.exitCode())
                        : meldung;
        } else if (!QFile::exists(ziel)) {
            grund = QStringLiteral("Das Importprogramm hat keinen Schnappschuss geschrieben.");
        }
    }
    if (grund.isEmpty()) {
        return {};
    }
    // What a killed or crashed child left behind.
    QFile::remove(ziel);
    QFile::remove(ziel + QString::fromLatin1(mdbImportTeilEndung));
    return Fehlschlag{grund};
}

} // namespace quenda
