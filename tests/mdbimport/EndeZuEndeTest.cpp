#include "Turnierkontext.h"
#include "db/Snapshotverwaltung.h"
#include "db/Turnierauswahl.h"
#include "db/Verbindung.h"
#include "demo/Generator.h"
#include "demo/OrdnerAblage.h"
#include "demo/Zeit.h"
#include "draws/AusloList.h"
#include "export/Exportfabrik.h"
#include "settings/AblageDatei.h"
#include "support/HeadlessAufruf.h"
#include "support/MdbTestHilfen.h"
#include "support/MeldungenMerken.h"
#include "transfer/Fehlerzustand.h"
#include "transfer/HttpSender.h"
#include "transfer/Statistik.h"
#include "transfer/Transfersteuerung.h"
#include "util/Ereignisprotokoll.h"
#include "util/Programmuhr.h"
#include "util/Routinen.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QEventLoop>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

using namespace quenda;
using namespace mdbtest;
using namespace quenda::test;

namespace {

const QString startzeit = QStringLiteral("2026-12-09 09:00:00");

// One tournament database (SQLite or its .mdb copy) in its own folder, publishing to local folders.
struct Lauf {
    QString ordner;
    QString db;
    QString tsdir;

    Lauf(const QString& basis, const QString& dateiname) : ordner(basis) {
        QDir().mkpath(ordner);
        db = QDir(ordner).filePath(dateiname);
    }

    void ablageAnlegen() {
        tsdir = turnierauswahl::tsdirFuer(db, 1);
        QDir().mkpath(tsdir);
        QDir(ordner).mkpath(QStringLiteral("web"));
        QDir(ordner).mkpath(QStringLiteral("pocko"));
        TAblage ablage;
        Ablagesave(tsdir, ablage,
                   demo::ordnerAblage(QDir(ordner).filePath(QStringLiteral("web")),
                                      QDir(ordner).filePath(QStringLiteral("pocko"))),
                   QStringLiteral("demo"), datumzeit_lesen(startzeit));
    }

    // What reached the display targets, and the data files with their kept versions in tsdir.
    std::map<QString, QByteArray> veroeffentlicht() const {
        std::map<QString, QByteArray> dateien;
        for (const QString& wurzel : {QStringLiteral("web"), QStringLiteral("pocko")}) {
            QDirIterator it(QDir(ordner).filePath(wurzel), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString pfad = it.next();
                QFile f(pfad);
                f.open(QIODevice::ReadOnly);
                dateien[QDir(ordner).relativeFilePath(pfad)] = f.readAll();
            }
        }
        for (const QFileInfo& info : QDir(tsdir).entryInfoList({QStringLiteral("*.txt")}, QDir::Files)) {
            QFile f(info.absoluteFilePath());
            f.open(QIODevice::ReadOnly);
            dateien[QStringLiteral("tsdir/") + info.fileName()] = f.readAll();
        }
        return dateien;
    }
};

void vergleichen(const std::map<QString, QByteArray>& sqlite, const std::map<QString, QByteArray>& mdb) {
    ASSERT_TRUE(std::any_of(sqlite.begin(), sqlite.end(), [](const auto& d) { return d.first.startsWith(u"web/"); }));
    QStringList a, b;
    for (const auto& [name, inhalt] : sqlite) {
        a.append(name);
    }
    for (const auto& [name, inhalt] : mdb) {
        b.append(name);
    }
    ASSERT_EQ(a, b);
    for (const auto& [name, inhalt] : sqlite) {
        EXPECT_EQ(inhalt, mdb.at(name)) << name.toStdString();
    }
}

class EndeZuEnde : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QUENDA_MDBIMPORT", QUENDA_MDBIMPORT_PROGRAMM);
        Snapshotverwaltung::instanz().beenden();
        Snapshotverwaltung::instanz().setzeOrdner(dir.filePath(QStringLiteral("cache")));
        quelle = dir.filePath(QStringLiteral("generiert.sqlite"));
        demo::Generator({1, demo::Groesse::Klein, datumzeit_lesen(startzeit)}).erzeugen(quelle);
    }
    void TearDown() override { Snapshotverwaltung::instanz().beenden(); }

    QTemporaryDir dir;
    QString quelle;
};

// A finished game in a released draw of tournament 1: its draw's counts in the draw lists change.
void spielBeenden(const QString& db) {
    Verbindung v;
    v.oeffnen(db, Verbindung::Modus::Schreiben);
    v.ausfuehren(QStringLiteral(
        "UPDATE sb_ergebnisse SET status = 4, sg = 3, sv = 1 WHERE erg_id = (SELECT min(e.erg_id) FROM sb_ergebnisse e "
        "JOIN al_systemfeld f ON f.syf_id = e.syf_id JOIN al_conf a ON a.al_id = f.al_id JOIN Konkurrenz k ON "
        "k.kn_id = a.kn_id JOIN Klassen kl ON kl.kl_id = k.kl_id WHERE kl.t_id = 1 AND a.al_freigabe = 1 AND "
        "e.status <> 4)"));
}

} // namespace

// The program as users run it: the importer found beside the binary, no snapshot left behind.
TEST_F(EndeZuEnde, headlessRunOnTheMdbPublishesExactlyWhatTheSqliteRunDoes) {
    Lauf sqlite(dir.filePath(QStringLiteral("a")), QStringLiteral("turnier.sqlite"));
    Lauf mdb(dir.filePath(QStringLiteral("b")), QStringLiteral("turnier.mdb"));
    ASSERT_TRUE(QFile::copy(quelle, sqlite.db));
    ASSERT_TRUE(mdbSchreiben(quelle, mdb.db));
    for (Lauf* lauf : {&sqlite, &mdb}) {
        lauf->ablageAnlegen();
        QProcess quenda;
        quenda.setProcessEnvironment(isolierteUmgebung(dir.filePath(QStringLiteral("home"))));
        quenda.start(QStringLiteral(QUENDA_BINARY), headlessAufruf(lauf->db, 2, startzeit));
        ASSERT_TRUE(quenda.waitForFinished(120000));
        const QByteArray ausgabe = quenda.readAllStandardOutput() + quenda.readAllStandardError();
        ASSERT_EQ(quenda.exitCode(), 0) << ausgabe.toStdString();
        EXPECT_FALSE(ausgabe.contains("konnte nicht gelesen werden")) << ausgabe.toStdString();
    }
    vergleichen(sqlite.veroeffentlicht(), mdb.veroeffentlicht());
    const QDir cache(dir.filePath(QStringLiteral("home/cache/quenda/snapshots")));
    EXPECT_TRUE(cache.exists()) << "the .mdb run made its snapshots there";
    EXPECT_EQ(cache.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

// The tournament desk writes between two cycles; the second cycle publishes it, from the .mdb as from SQLite.
TEST_F(EndeZuEnde, aChangeWrittenBetweenTwoCyclesShowsUpInTheSecondCycle) {
    int argc = 1;
    char name[] = "test_mdbimport";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    Lauf sqlite(dir.filePath(QStringLiteral("a")), QStringLiteral("turnier.sqlite"));
    Lauf mdb(dir.filePath(QStringLiteral("b")), QStringLiteral("turnier.mdb"));
    const QString geaendert = dir.filePath(QStringLiteral("geaendert.sqlite"));
    ASSERT_TRUE(QFile::copy(quelle, sqlite.db));
    ASSERT_TRUE(QFile::copy(quelle, geaendert));
    ASSERT_TRUE(mdbSchreiben(quelle, mdb.db));
    for (Lauf* lauf : {&sqlite, &mdb}) {
        SCOPED_TRACE(lauf->db.toStdString());
        lauf->ablageAnlegen();
        Programmuhr uhr;
        uhr.festsetzen(datumzeit_lesen(startzeit));
        Ereignisprotokoll protokoll(uhr);
        protokoll.setOrdner(lauf->tsdir);
        QStringList memo;
        QObject::connect(
            &protokoll, &Ereignisprotokoll::memoZeile, &protokoll, [&memo](const QString& z) { memo.append(z); },
            Qt::DirectConnection);
        AusloList liste;
        Statistik statistik;
        Fehlerzustand fehler;
        KeinHttpSender http;
        MeldungenMerken meldungen;
        Transfersteuerung steuerung(liste, protokoll, uhr, statistik, fehler, http, meldungen,
                                    exportFabrik(&protokoll, &meldungen));
        Turnierkontext kontext;
        kontext.dbpath = lauf->db;
        kontext.dbturid = 1;
        kontext.tsdir = lauf->tsdir;
        TAblage ablage;
        ASSERT_TRUE(AblageLoad(lauf->tsdir, ablage).ok());
        steuerung.setTurnier(kontext, ablage);
        steuerung.setSimulierteZeit(true);
        QEventLoop schleife;
        int zyklen = 0;
        QObject::connect(&steuerung, &Transfersteuerung::zyklusFertig, &steuerung, [&](int) {
            if (++zyklen == 1) { // before the next tick starts the second cycle
                if (lauf == &sqlite) {
                    spielBeenden(sqlite.db);
                } else {
                    spielBeenden(geaendert);
                    ASSERT_TRUE(mdbSchreiben(geaendert, mdb.db));
                }
                return;
            }
            steuerung.stoppen();
            schleife.quit();
        });
        steuerung.starten();
        schleife.exec();
        steuerung.warten();
        EXPECT_FALSE(memo.join(u'\n').contains(QStringLiteral("nicht gelesen"))) << memo.join(u'\n').toStdString();
        // The draw list went out twice: the first state and the one with the finished game.
        int listen = 0;
        for (const auto& [datei, inhalt] : lauf->veroeffentlicht()) {
            listen += datei.startsWith(QStringLiteral("web/")) && datei.endsWith(QStringLiteral("_auslodat.txt"));
        }
        EXPECT_EQ(listen, 2) << memo.join(u'\n').toStdString();
    }
    vergleichen(sqlite.veroeffentlicht(), mdb.veroeffentlicht());
}
