#include "support/DemoHilfen.h"

#include "demo/Pruefung.h"

#include <gtest/gtest.h>

using namespace quenda;
using namespace quenda::demo;
using namespace quenda::demo::test;

// Each fault is put into a fresh copy of a generated database; the check must name it.
TEST(Pruefung, findsEveryKindOfFault) {
    struct Fall {
        const char* fehler;
        const char* sql;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"dangling competition class", "UPDATE Konkurrenz SET kl_id = 999 WHERE kn_id = 1",
         "Fremdschluessel: Konkurrenz.kl_id ohne Klassen"},
        {"game on a table that does not exist", "UPDATE sb_ergebnisse SET ts_id = 999 WHERE erg_id = 12",
         "Fremdschluessel: sb_ergebnisse.ts_id"},
        {"NULL state", "UPDATE sb_ergebnisse SET status = NULL WHERE erg_id = 12",
         "Pflichtwert: sb_ergebnisse.status ist NULL"},
        {"presence not yes/no", "UPDATE anmeldung SET anwesend = 1 WHERE am_id = 1", "Wertebereich: anwesend"},
        {"starter from another competition",
         "UPDATE al_starterfeld SET amkd_id = (SELECT min(amk_id) FROM amklasse WHERE kn_id = 2) WHERE syf_id = 2 "
         "AND posnr = 1",
         "Starter: Eintrag gehört nicht zur Konkurrenz"},
        {"gap in the positions", "UPDATE al_starterfeld SET posnr = 7 WHERE syf_id = 2 AND posnr = 4",
         "Positionen: Gruppe 2"},
        {"group game with swapped sides", "UPDATE sb_ergebnisse SET sp1 = sp2, sp2 = sp1 WHERE erg_id = 16",
         "Spiele: Positionen weichen vom System ab"},
        {"missing game of a group", "DELETE FROM sb_ergebnisse WHERE erg_id = 20",
         "Spiele: Gruppe ohne alle Spiele ihres Systems"},
        {"set count that disagrees with the sets", "UPDATE sb_ergebnisse SET sg = 2 WHERE erg_id = 1",
         "Saetze: Spiel 1: sg:sv 2:2"},
        {"set in another notation", "UPDATE sb_ergebnisse SET s2 = '11:7' WHERE erg_id = 1",
         "Saetze: Spiel 1: Satz 2 \"11:7\""},
        {"set after an empty one", "UPDATE sb_ergebnisse SET s2 = '' WHERE erg_id = 1",
         "Saetze: Spiel 1: Satz 3 nach einem leeren Satz"},
        {"set after the deciding one", "UPDATE sb_ergebnisse SET s4 = '7', sg = 4 WHERE erg_id = 2",
         "Saetze: Spiel 2: Satz 4 nach Spielende"},
        {"finished game without a winner", "UPDATE sb_ergebnisse SET s5 = '', sg = 2 WHERE erg_id = 1",
         "Saetze: Spiel 1: Status 4, aber 2:2"},
        {"open game with sets", "UPDATE sb_ergebnisse SET s1 = '5', sg = 1 WHERE erg_id = 12",
         "Saetze: Spiel 12: Status 0 mit Sätzen"},
        {"knock-out winner not moved on",
         "UPDATE sb_ergebnisse SET sp1 = 0, status = 1 WHERE syf_id = 5 AND "
         "sp_id % 1000 = 9",
         "KO: Gruppe 5 Spiel 1: im Folgespiel 9 steht Position 0, erwartet 1"},
        {"result against a bye",
         "UPDATE sb_ergebnisse SET s1 = '5', sg = 1, status = 3 WHERE syf_id = 5 AND "
         "sp_id % 1000 = 1",
         "KO: Gruppe 5 Spiel 1: Spiel gegen ein Freilos"},
        {"two games on one table", "UPDATE sb_tischbelegung SET ts_id = 1 WHERE erg_id = 5",
         "Belegung: Tisch mehrfach belegt"},
        {"game at a table without occupancy", "DELETE FROM sb_tischbelegung WHERE erg_id = 4",
         "Belegung: Spiel am Tisch ohne Belegung"},
        {"occupancy by an open game", "UPDATE sb_ergebnisse SET status = 0 WHERE erg_id = 4",
         "Belegung: Spiel im falschen Status"},
        {"occupancy of the blocked table", "UPDATE sb_tischbelegung SET ts_id = 6 WHERE erg_id = 4",
         "Belegung: gesperrter Tisch belegt"},
        {"player at two tables", "UPDATE sb_ergebnisse SET status = 3 WHERE erg_id = 7",
         "Spieler: Anmeldung gleichzeitig an mehreren Tischen"},
        {"unreadable time", "UPDATE Konkurrenz SET startdatetime = '09.12.2026 10:00' WHERE kn_id = 5",
         "Zeit: Konkurrenz.startdatetime"},
        {"main tournament's player entered in the other tournament",
         "UPDATE amklasse SET am_id = 1 WHERE amk_id = (SELECT max(amk_id) FROM amklasse)",
         "Turniere: anmeldung Zeile 1 gehört zu Turnier 1 und 2"},
        {"other tournament's game on a main tournament table",
         "UPDATE sb_ergebnisse SET ts_id = 7 WHERE erg_id = (SELECT max(erg_id) FROM sb_ergebnisse)",
         "Turniere: zd_tische Zeile 7 gehört zu Turnier 1 und 2"},
        {"other tournament's occupancy on a main tournament table",
         "UPDATE sb_tischbelegung SET ts_id = 8 WHERE rowid = (SELECT max(rowid) FROM sb_tischbelegung)",
         "Belegung: Tisch gehört nicht zum Turnier des Spiels"},
    };
    QTemporaryDir ordner;
    const QString vorlage = erzeugen(ordner, QStringLiteral("vorlage.db"), Groesse::Klein, 1);
    ASSERT_TRUE(pruefeDatei(vorlage).ok());
    for (const Fall& f : faelle) {
        const QString pfad = ordner.filePath(QStringLiteral("kaputt.db"));
        QFile::remove(pfad);
        ASSERT_TRUE(QFile::copy(vorlage, pfad));
        {
            Verbindung verbindung;
            verbindung.oeffnen(pfad, Verbindung::Modus::Schreiben);
            verbindung.ausfuehren(QString::fromUtf8(f.sql));
        }
        const Befund befund = pruefeDatei(pfad);
        EXPECT_TRUE(befund.text().contains(QString::fromUtf8(f.meldung)))
            << f.fehler << ": expected \"" << f.meldung << "\", got:\n"
            << befund.text().toStdString();
    }
}
