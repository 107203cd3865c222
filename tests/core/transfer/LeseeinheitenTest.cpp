#include "ZyklusHilfen.h"
#include "db/Verbindung.h"
#include "export/Exportabfragen.h"
#include "export/Exportfabrik.h"
#include "support/FremderSchreiber.h"
#include "util/TextDatei.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace quenda;
using namespace quenda::test;
namespace fest = quenda::demo::fest;

namespace {

// The tournament program writing the file while the cycle runs.
class Schreiber : public FremderSchreiber {
public:
    using FremderSchreiber::FremderSchreiber;
    // A write that every reader of the file holds up: a row of the other tournament, rewritten as it is.
    int schreiben() { return ausfuehren(QStringLiteral("UPDATE turniere SET tur_bez = tur_bez WHERE t_id = 2")); }
};

// The screen target over HTTP: while a file is posted, the tournament program writes.
class SchreibenBeimSenden : public HttpSender {
public:
    explicit SchreibenBeimSenden(Schreiber& schreiber) : m_schreiber(schreiber) {}
    bool HTTP_POST(const QString&, const QString&, const QString&) override {
        ergebnisse.append(m_schreiber.schreiben());
        return true;
    }
    QList<int> ergebnisse;

private:
    Schreiber& m_schreiber;
};

// The real exporters on a copy of the generated tournament.
struct Echtumfeld : Arbeitsordner {
    Echtumfeld() {
        QFile::copy(demoVorlage(), dbpfad);
        kontext = {dbpfad, static_cast<int>(fest::turnier), QStringLiteral("Südpark-Pokal 2026"), tsdir, {}};
    }
    ~Echtumfeld() { Verbindung::setzeBeobachter({}); }

    void zyklus(const QTime& zeit, HttpSender& http) {
        uhr.festsetzen(QDateTime(demo::standardJetzt().date(), zeit, Qt::UTC));
        Datenzyklus z({kontext, ablage, liste, protokoll, uhr, statistik, fehler, http, meldungen, abbruch, resend,
                       exportFabrik(&protokoll, &meldungen)});
        z.Execute();
    }
    // The kept versions of draw 1 group 1 by name.
    std::map<QString, QByteArray> gruppenDateien() const {
        static const QRegularExpression name(QStringLiteral("^(spiele|tabelle|starter|spielraster|tabspiele)_0001_01"
                                                            "(_\\d+)?\\.txt$"));
        std::map<QString, QByteArray> dateien;
        for (const QString& datei : QDir(tsdir).entryList(QDir::Files)) {
            if (name.match(datei).hasMatch()) {
                dateien[datei] = lesen(pfad(datei));
            }
        }
        return dateien;
    }

    const QString dbpfad = dir.filePath(QStringLiteral("demo.db"));
    Turnierkontext kontext;
    TAblage ablage;
    AusloList liste;
    Statistik statistik;
    Fehlerzustand fehler;
    MeldungenMerken meldungen;
    std::atomic<bool> abbruch{false};
    std::atomic<bool> resend{false};
};

} // namespace

// Each draw's export reads in one transaction, and its files go out after it: while a file is posted the
// tournament program can always commit, while the draw's statements run it cannot.
TEST(Leseeinheiten, theTournamentProgramIsNeverHeldUpWhileAFileIsDelivered) {
    Echtumfeld u;
    u.ablage.anzweb = 1;
    u.ablage.aktiv = 2; // HTTP
    u.ablage.host = QStringLiteral("http://127.0.0.1:9");
    u.ablage.steuerdatei = QStringLiteral("web");
    u.ablage.dbzkd = QStringLiteral("1");
    Schreiber schreiber(u.dbpfad);
    SchreibenBeimSenden http(schreiber);
    QList<int> beimLesen;
    u.zyklus(QTime(9, 0, 0), http);
    Verbindung::setzeBeobachter([&](const QString&) { beimLesen.append(schreiber.schreiben()); });
    u.zyklus(QTime(9, 1, 0), http);
    Verbindung::setzeBeobachter({});

    EXPECT_EQ(u.meldungen.texte, QStringList());
    ASSERT_GT(http.ergebnisse.size(), 20);
    EXPECT_EQ(http.ergebnisse.count(SQLITE_OK), http.ergebnisse.size());
    // The first statement of a unit takes the file; the write just before it still goes through.
    EXPECT_GT(beimLesen.count(SQLITE_BUSY), beimLesen.size() / 2);
    EXPECT_GT(beimLesen.count(SQLITE_OK), 10);
    EXPECT_EQ(beimLesen.count(SQLITE_OK) + beimLesen.count(SQLITE_BUSY), beimLesen.size());
}

// In WAL mode the tournament program commits in the middle of a draw's export: none of the draw's files
// shows the change, every one of them shows it in the next cycle.
TEST(Leseeinheiten, allFilesOfADrawComeFromOneStateOfTheDatabase) {
    Echtumfeld u;
    Schreiber schreiber(u.dbpfad);
    ASSERT_EQ(schreiber.ausfuehren(QStringLiteral("PRAGMA journal_mode=WAL")), SQLITE_OK);
    const QString sl_id = schreiber.text(QStringLiteral(
        "SELECT am.sl_id FROM al_starterfeld sf JOIN amklasse amk ON amk.amk_id = sf.amkd_id JOIN anmeldung am ON "
        "am.am_id = amk.am_id WHERE sf.syf_id = 1 AND sf.posnr = 1"));
    const QString vorname = schreiber.text(QStringLiteral("SELECT vorname FROM Spieler WHERE sl_id = ") + sl_id);
    const QString alt = schreiber.text(QStringLiteral("SELECT name FROM Spieler WHERE sl_id = ") + sl_id) +
                        QStringLiteral(", ") + vorname;
    const QByteArray neu = textdatei::zuAnsi(QStringLiteral("Umbenannt, ") + vorname);
    ASSERT_FALSE(sl_id.isEmpty());
    KeinHttpSender http;
    u.zyklus(QTime(9, 0, 0), http);

    // The game lists of the group are read; its table and starter list are still to come.
    const QString starterfeld = abfragen::starterfeld(static_cast<int>(fest::syfSchaufenster), 1);
    int umbenannt = 0;
    Verbindung::setzeBeobachter([&](const QString& text) {
        if (text == starterfeld && umbenannt++ == 0) {
            EXPECT_EQ(
                schreiber.ausfuehren(QStringLiteral("UPDATE Spieler SET name = 'Umbenannt' WHERE sl_id = ") + sl_id),
                SQLITE_OK);
        }
    });
    u.zyklus(QTime(9, 1, 0), http);
    Verbindung::setzeBeobachter({});
    ASSERT_GE(umbenannt, 1);
    const auto vorher = u.gruppenDateien();
    ASSERT_GE(vorher.size(), 4U);
    int mitAltemNamen = 0;
    for (const auto& [name, inhalt] : vorher) {
        EXPECT_FALSE(inhalt.contains(neu)) << name;
        mitAltemNamen += inhalt.contains(textdatei::zuAnsi(alt));
    }
    EXPECT_GE(mitAltemNamen, 3);

    u.zyklus(QTime(9, 2, 0), http);
    for (const auto& [name, inhalt] : u.gruppenDateien()) {
        EXPECT_FALSE(inhalt.contains(textdatei::zuAnsi(alt))) << name;
        EXPECT_EQ(inhalt.contains(neu), vorher.at(name).contains(textdatei::zuAnsi(alt))) << name;
    }
}
