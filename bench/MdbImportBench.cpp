// Import time of Access files: the public sample nwind.mdb, a large generated tournament and a synthetic
// file of many game rows, each written with the Jet writer. Prints time, rows and rows per second, and
// the cost of the freshness check of an unchanged file (which every cycle pays instead of an import).
//
// quenda-bench-mdbimport [--rows N]   (N game rows in the synthetic file, default 300000)

#include "db/MdbImport.h"
#include "db/Snapshotverwaltung.h"
#include "demo/Generator.h"
#include "demo/Zeit.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using namespace quenda;

namespace {

const QString schreiber = QStringLiteral(QUENDA_SOURCE_DIR "/../shared/tools/mdbwriter");

void zeile(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

bool python(const QStringList& argumente, const QByteArray& eingabe = {}) {
    QProcess p;
    p.start(QStringLiteral("python3"), argumente);
    p.write(eingabe);
    p.closeWriteChannel();
    if (!p.waitForFinished(-1) || p.exitCode() != 0) {
        zeile(QStringLiteral("python3 fehlgeschlagen: ") + QString::fromLocal8Bit(p.readAllStandardError()));
        return false;
    }
    return true;
}

qint64 zeilenImSnapshot(const QString& pfad) {
    sqlite3* db = nullptr;
    qint64 summe = 0;
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* tabellen = nullptr;
        sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'", -1,
                           &tabellen, nullptr);
        while (sqlite3_step(tabellen) == SQLITE_ROW) {
            const QByteArray sql = "SELECT count(*) FROM \"" +
                                   QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(tabellen, 0))) + '"';
            sqlite3_stmt* zaehlen = nullptr;
            sqlite3_prepare_v2(db, sql.constData(), -1, &zaehlen, nullptr);
            if (sqlite3_step(zaehlen) == SQLITE_ROW) {
                summe += sqlite3_column_int64(zaehlen, 0);
            }
            sqlite3_finalize(zaehlen);
        }
        sqlite3_finalize(tabellen);
    }
    sqlite3_close(db);
    return summe;
}

void messen(const QString& name, const QString& mdb, const QTemporaryDir& dir) {
    if (!QFile::exists(mdb)) {
        zeile(QStringLiteral("%1: nicht vorhanden (%2)").arg(name, mdb));
        return;
    }
    constexpr int laeufe = 3;
    qint64 besteMs = -1;
    QString ziel;
    for (int i = 0; i < laeufe; ++i) {
        ziel = dir.filePath(QStringLiteral("bench-%1.sqlite").arg(i));
        QElapsedTimer uhr;
        uhr.start();
        const QString fehler = mdbImportieren(mdb, ziel, 600000);
        const qint64 ms = uhr.elapsed();
        if (!fehler.isEmpty()) {
            zeile(QStringLiteral("%1: Import fehlgeschlagen: %2").arg(name, fehler));
            return;
        }
        besteMs = besteMs < 0 ? ms : std::min(besteMs, ms);
    }
    const qint64 zeilen = zeilenImSnapshot(ziel);
    QElapsedTimer uhr;
    uhr.start();
    Dateisignatur::von(mdb);
    const qint64 pruefungMs = uhr.elapsed();
    zeile(QStringLiteral("%1: %2 MB, %3 Zeilen, Import %4 ms (bester von %5), %6 Zeilen/s, Frischeprüfung %7 ms")
              .arg(name)
              .arg(QFileInfo(mdb).size() / 1048576.0, 0, 'f', 1)
              .arg(zeilen)
              .arg(besteMs)
              .arg(laeufe)
              .arg(besteMs > 0 ? zeilen * 1000 / besteMs : 0)
              .arg(pruefungMs));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qint64 spielzeilen = 300000;
    const QStringList argumente = app.arguments();
    if (const qsizetype i = argumente.indexOf(QStringLiteral("--rows")); i > 0 && i + 1 < argumente.size()) {
        spielzeilen = argumente.at(i + 1).toLongLong();
    }
    if (qEnvironmentVariableIsEmpty("QUENDA_MDBIMPORT")) {
        qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);
    }
    QTemporaryDir dir;
    messen(QStringLiteral("nwind.mdb (Jet 3)"), QStringLiteral(QUENDA_SOURCE_DIR "/../shared/fixtures/mdb/nwind.mdb"),
           dir);
    if (!QFile::exists(schreiber + QStringLiteral("/mdbwriter.py"))) {
        zeile(QStringLiteral("Jet-Schreiber nicht gefunden: keine erzeugten Dateien."));
        return 0;
    }
    const QString gross = dir.filePath(QStringLiteral("gross.sqlite"));
    const QString grossMdb = dir.filePath(QStringLiteral("gross.mdb"));
    demo::Generator({1, demo::Groesse::Gross, demo::standardJetzt()}).erzeugen(gross);
    if (python({schreiber + QStringLiteral("/mdbwriter.py"), QStringLiteral("from-sqlite"), gross, grossMdb})) {
        messen(QStringLiteral("großes Demo-Turnier (Jet 4)"), grossMdb, dir);
    }
    // Game rows as the result table holds them: integers, set texts, a date-time.
    const QString viele = dir.filePath(QStringLiteral("viele.mdb"));
    const QString skript =
        QStringLiteral("import sys, datetime\nsys.path.insert(0, '%1')\nimport mdbwriter\n"
                       "t0 = datetime.datetime(2026, 12, 9, 9, 0)\n"
                       "rows = [(i, i // 20, i % 50, 1, 2, 4, 3, 1, '7', '-9', '11', '5', None, None, None, 3,\n"
                       "         t0 + datetime.timedelta(minutes=i % 600)) for i in range(%2)]\n"
                       "mdbwriter.write_mdb(sys.argv[1], [('sb_ergebnisse', [('erg_id','long'), ('syf_id','long'),\n"
                       "  ('sp_id','long'), ('sp1','long'), ('sp2','long'), ('status','long'), ('sg','long'),\n"
                       "  ('sv','long'), ('s1','text'), ('s2','text'), ('s3','text'), ('s4','text'), ('s5','text'),\n"
                       "  ('s6','text'), ('s7','text'), ('gse','long'), ('spielzeit','datetime')], rows)])\n")
            .arg(schreiber)
            .arg(spielzeilen);
    if (python({QStringLiteral("-"), viele}, skript.toUtf8())) {
        messen(QStringLiteral("%1 Spielzeilen (Jet 4)").arg(spielzeilen), viele, dir);
    }
    return 0;
}
