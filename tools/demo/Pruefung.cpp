#include "demo/Pruefung.h"

#include "demo/Saetze.h"
#include "demo/Sql.h"
#include "demo/Systeme.h"
#include "demo/Zeit.h"

#include "db/Verbindung.h"

#include <map>

namespace quenda::demo {

namespace {

struct Schluessel {
    const char* tabelle;
    const char* spalte;
    const char* ziel;
    const char* zielSpalte;
    bool nullErlaubt = false; // NULL and 0 mean "none"
};

const std::vector<Schluessel> schluessel = {
    {"Klassen", "t_id", "turniere", "t_id"},
    {"Konkurrenz", "kl_id", "Klassen", "kl_id"},
    {"al_conf", "kn_id", "Konkurrenz", "kn_id"},
    {"al_systemfeld", "al_id", "al_conf", "al_id"},
    {"al_systemfeld", "sy_id", "sy_systeme", "sy_id"},
    {"al_starterfeld", "syf_id", "al_systemfeld", "syf_id"},
    {"sy_runden", "sy_id", "sy_systeme", "sy_id"},
    {"sy_spiel", "rd_id", "sy_runden", "rd_id"},
    {"anmeldung", "sl_id", "Spieler", "sl_id"},
    {"anmeldung", "v_id", "Verein", "v_id"},
    {"anmeldung", "zdg_id", "zd_gebiete", "zdg_id"},
    {"amklasse", "am_id", "anmeldung", "am_id"},
    {"amklasse", "kn_id", "Konkurrenz", "kn_id"},
    {"amdoppel", "kn_id", "Konkurrenz", "kn_id"},
    {"amdoppel", "am_id1", "anmeldung", "am_id"},
    {"amdoppel", "am_id2", "anmeldung", "am_id"},
    {"sb_ergebnisse", "syf_id", "al_systemfeld", "syf_id"},
    {"sb_ergebnisse", "sp_id", "sy_spiel", "sp_id"},
    {"sb_ergebnisse", "ts_id", "zd_tische", "ts_id", true},
    {"sb_tischbelegung", "ts_id", "zd_tische", "ts_id"},
    {"sb_tischbelegung", "erg_id", "sb_ergebnisse", "erg_id"},
    {"tk_turnierhallen", "t_id", "turniere", "t_id"},
    {"tk_turnierhallen", "hab_id", "zd_hallenaufbau", "hab_id"},
    {"zd_hallenaufbau", "ha_id", "zd_halle", "ha_id"},
    {"zd_tische", "hab_id", "zd_hallenaufbau", "hab_id"},
};

// Integer columns that the program converts and that therefore must never be NULL.
const std::vector<std::pair<const char*, const char*>> pflicht = {
    {"Klassen", "t_id"},           {"Konkurrenz", "kl_id"},        {"Konkurrenz", "typ"},
    {"anmeldung", "sl_id"},        {"anmeldung", "v_id"},          {"anmeldung", "zdg_id"},
    {"anmeldung", "anwesend"},     {"amklasse", "am_id"},          {"amklasse", "kn_id"},
    {"amdoppel", "kn_id"},         {"amdoppel", "am_id1"},         {"amdoppel", "am_id2"},
    {"al_conf", "kn_id"},          {"al_conf", "sy_typ"},          {"al_conf", "gse"},
    {"al_systemfeld", "al_id"},    {"al_systemfeld", "sy_id"},     {"al_systemfeld", "grnr"},
    {"al_systemfeld", "granz"},    {"al_starterfeld", "syf_id"},   {"al_starterfeld", "posnr"},
    {"al_starterfeld", "amkd_id"}, {"al_starterfeld", "sperre"},   {"sy_systeme", "sy_gr"},
    {"sy_runden", "sy_id"},        {"sy_runden", "rd_nr"},         {"sy_spiel", "rd_id"},
    {"sy_spiel", "sp_idgv1"},      {"sy_spiel", "sp_idgv2"},       {"sb_ergebnisse", "syf_id"},
    {"sb_ergebnisse", "sp_id"},    {"sb_ergebnisse", "sp1"},       {"sb_ergebnisse", "sp2"},
    {"sb_ergebnisse", "status"},   {"sb_ergebnisse", "sg"},        {"sb_ergebnisse", "sv"},
    {"sb_tischbelegung", "ts_id"}, {"sb_tischbelegung", "erg_id"}, {"sb_tischbelegung", "typ"},
    {"tk_turnierhallen", "t_id"},  {"tk_turnierhallen", "hab_id"}, {"zd_hallenaufbau", "ha_id"},
    {"zd_hallenaufbau", "ha_x"},   {"zd_hallenaufbau", "ha_y"},    {"zd_tische", "hab_id"},
    {"zd_tische", "ti_nr"},        {"zd_tische", "ti_x"},          {"zd_tische", "ti_y"},
    {"zd_tische", "ti_hq"},        {"zd_tische", "ti_sperre"},
};

// Joins a game to its draw and competition: e game, f group, a draw, k competition, kl class.
constexpr const char* spielVerbund = " FROM sb_ergebnisse e JOIN al_systemfeld f ON f.syf_id = e.syf_id "
                                     "JOIN al_conf a ON a.al_id = f.al_id JOIN Konkurrenz k ON k.kn_id = a.kn_id "
                                     "JOIN Klassen kl ON kl.kl_id = k.kl_id ";

class Pruefer {
public:
    explicit Pruefer(sqlite3* db) : m_sql(db), m_db(db) {}

    Befund ausfuehren() {
        // One read transaction: every rule sees the same state, even while the simulator writes.
        m_sql.ausfuehren("BEGIN");
        try {
            alleRegeln();
        } catch (...) {
            m_sql.ausfuehren("ROLLBACK");
            throw;
        }
        m_sql.ausfuehren("COMMIT");
        return m_befund;
    }

private:
    void alleRegeln() {
        fremdschluessel();
        pflichtwerte();
        starter();
        positionen();
        spiele();
        saetze();
        ko();
        belegung();
        spieler();
        zeiten();
        turniere();
    }

    void melden(const char* regel, const QString& text) {
        m_befund.fehler.append(QString::fromLatin1(regel) + QStringLiteral(": ") + text);
    }

    // Reports every row of the query, its columns joined with ", ".
    void jedeZeile(const char* regel, const QString& was, const QByteArray& sql) {
        for (const Zeile& zeile : m_sql.abfragen(sql.constData())) {
            QStringList werte;
            for (const DbWert& wert : zeile) {
                werte.append(istNull(wert) ? QStringLiteral("NULL") : text(wert));
            }
            melden(regel, was + QStringLiteral(" (") + werte.join(QStringLiteral(", ")) + u')');
        }
    }

    void fremdschluessel() {
        for (const Schluessel& s : schluessel) {
            QByteArray sql = QByteArray("SELECT c.rowid, c.") + s.spalte + " FROM " + s.tabelle + " c WHERE c." +
                             s.spalte + " IS NOT NULL";
            if (s.nullErlaubt) {
                sql += QByteArray(" AND c.") + s.spalte + " <> 0";
            }
            sql += QByteArray(" AND NOT EXISTS (SELECT 1 FROM ") + s.ziel + " p WHERE p." + s.zielSpalte + " = c." +
                   s.spalte + ')';
            jedeZeile(
                "Fremdschluessel",
                QStringLiteral("%1.%2 ohne %3")
                    .arg(QString::fromLatin1(s.tabelle), QString::fromLatin1(s.spalte), QString::fromLatin1(s.ziel)),
                sql);
        }
    }

    void pflichtwerte() {
        for (const auto& [tabelle, spalte] : pflicht) {
            jedeZeile("Pflichtwert",
                      QStringLiteral("%1.%2 ist NULL").arg(QString::fromLatin1(tabelle), QString::fromLatin1(spalte)),
                      QByteArray("SELECT rowid FROM ") + tabelle + " WHERE " + spalte + " IS NULL");
        }
        jedeZeile("Pflichtwert", QStringLiteral("freigegebene Auslosung ohne al_betrieb"),
                  "SELECT al_id FROM al_conf WHERE al_freigabe = 1 AND al_betrieb IS NULL");
        jedeZeile("Wertebereich", QStringLiteral("anwesend nicht -1/0"),
                  "SELECT am_id, anwesend FROM anmeldung WHERE anwesend NOT IN (-1, 0)");
        jedeZeile("Wertebereich", QStringLiteral("al_freigabe/al_betrieb nicht 0/1"),
                  "SELECT al_id FROM al_conf WHERE al_freigabe NOT IN (0, 1) OR al_betrieb NOT IN (0, 1)");
        jedeZeile("Wertebereich", QStringLiteral("sy_typ nicht 1/2"),
                  "SELECT al_id, sy_typ FROM al_conf WHERE sy_typ NOT IN (1, 2)");
        jedeZeile("Wertebereich", QStringLiteral("Konkurrenz.typ kleiner 1"),
                  "SELECT kn_id, typ FROM Konkurrenz WHERE typ < 1");
    }

    void starter() {
        jedeZeile("Starter", QStringLiteral("Eintrag gehört nicht zur Konkurrenz der Auslosung"),
                  "SELECT s.stf_id, s.syf_id, s.amkd_id FROM al_starterfeld s JOIN al_systemfeld f ON f.syf_id = "
                  "s.syf_id JOIN al_conf a ON a.al_id = f.al_id JOIN Konkurrenz k ON k.kn_id = a.kn_id "
                  "WHERE s.amkd_id <> 111111 AND ((k.typ = 1 AND NOT EXISTS (SELECT 1 FROM amklasse m WHERE "
                  "m.amk_id = s.amkd_id AND m.kn_id = a.kn_id)) OR (k.typ <> 1 AND NOT EXISTS (SELECT 1 FROM "
                  "amdoppel d WHERE d.amd_id = s.amkd_id AND d.kn_id = a.kn_id)))");
        jedeZeile("Starter", QStringLiteral("Eintrag doppelt in einer Gruppe"),
                  "SELECT syf_id, amkd_id FROM al_starterfeld WHERE amkd_id <> 111111 GROUP BY syf_id, amkd_id "
                  "HAVING count(*) > 1");
    }

    void positionen() {
        const auto zeilen = m_sql.abfragen(
            "SELECT f.syf_id, count(s.stf_id), min(s.posnr), max(s.posnr), count(DISTINCT s.posnr), y.sy_gr "
            "FROM al_systemfeld f JOIN sy_systeme y ON y.sy_id = f.sy_id LEFT JOIN al_starterfeld s ON s.syf_id = "
            "f.syf_id GROUP BY f.syf_id ORDER BY f.syf_id");
        for (const Zeile& z : zeilen) {
            const qint64 n = zahl(z[1]);
            if (n != zahl(z[5]) || zahl(z[2]) != 1 || zahl(z[3]) != n || zahl(z[4]) != n) {
                melden("Positionen", QStringLiteral("Gruppe %1: %2 Starter auf %3..%4 (%5 verschiedene), System %6")
                                         .arg(zahl(z[0]))
                                         .arg(n)
                                         .arg(zahl(z[2]))
                                         .arg(zahl(z[3]))
                                         .arg(zahl(z[4]))
                                         .arg(zahl(z[5])));
            }
        }
    }

    void spiele() {
        jedeZeile("Spiele", QStringLiteral("Spiel aus einem anderen System als die Gruppe"),
                  "SELECT e.erg_id FROM sb_ergebnisse e JOIN sy_spiel p ON p.sp_id = e.sp_id JOIN sy_runden r ON "
                  "r.rd_id = p.rd_id JOIN al_systemfeld f ON f.syf_id = e.syf_id WHERE r.sy_id <> f.sy_id");
        jedeZeile("Spiele", QStringLiteral("Spiel des Systems doppelt"),
                  "SELECT syf_id, sp_id FROM sb_ergebnisse GROUP BY syf_id, sp_id HAVING count(*) > 1");
        jedeZeile("Spiele", QStringLiteral("Gruppe ohne alle Spiele ihres Systems"),
                  "SELECT f.syf_id FROM al_systemfeld f WHERE (SELECT count(*) FROM sb_ergebnisse e WHERE e.syf_id = "
                  "f.syf_id) <> (SELECT count(*) FROM sy_spiel p JOIN sy_runden r ON r.rd_id = p.rd_id WHERE "
                  "r.sy_id = f.sy_id)");
        jedeZeile("Spiele", QStringLiteral("Positionen weichen vom System ab"),
                  "SELECT e.erg_id, e.sp1, e.sp2 FROM sb_ergebnisse e JOIN sy_spiel p ON p.sp_id = e.sp_id "
                  "WHERE p.sp_idgv1 <> 0 AND (e.sp1 <> p.sp_idgv1 OR e.sp2 <> p.sp_idgv2)");
        jedeZeile("Spiele", QStringLiteral("Position ohne Starter der Gruppe"),
                  "SELECT e.erg_id, e.sp1, e.sp2 FROM sb_ergebnisse e WHERE (e.sp1 <> 0 AND NOT EXISTS (SELECT 1 "
                  "FROM al_starterfeld s WHERE s.syf_id = e.syf_id AND s.posnr = e.sp1)) OR (e.sp2 <> 0 AND NOT "
                  "EXISTS (SELECT 1 FROM al_starterfeld s WHERE s.syf_id = e.syf_id AND s.posnr = e.sp2)) OR "
                  "(e.sp1 = e.sp2 AND e.sp1 <> 0)");
        jedeZeile("Spiele", QStringLiteral("offene Seite außerhalb eines wartenden KO-Spiels"),
                  QByteArray("SELECT e.erg_id, e.status") + spielVerbund +
                      "WHERE (e.sp1 = 0 OR e.sp2 = 0) AND (a.sy_typ = 1 OR e.status <> 1)");
    }

    void saetze() {
        const auto zeilen = m_sql.abfragen(
            QByteArray("SELECT e.erg_id, e.status, e.sg, e.sv, e.s1, e.s2, e.s3, e.s4, e.s5, e.s6, e.s7, CASE WHEN "
                       "e.gse > 0 THEN e.gse ELSE a.gse END") +
            spielVerbund + "ORDER BY e.erg_id");
        for (const Zeile& z : zeilen) {
            const qint64 erg = zahl(z[0]);
            const qint64 status = zahl(z[1], -1);
            const int gse = static_cast<int>(zahl(z[11]));
            auto fehler = [&](const QString& text) { melden("Saetze", QStringLiteral("Spiel %1: ").arg(erg) + text); };
            std::vector<Satz> gespielt;
            bool luecke = false;
            bool gueltig = true;
            for (int i = 4; i <= 10; ++i) {
                const QString wert = text(z[static_cast<std::size_t>(i)]);
                if (wert.isEmpty()) {
                    luecke = true;
                    continue;
                }
                const auto satz = satzLesen(wert);
                if (!satz) {
                    fehler(QStringLiteral("Satz %1 \"%2\" ist keine Satznotation").arg(i - 3).arg(wert));
                    gueltig = false;
                } else if (luecke) {
                    fehler(QStringLiteral("Satz %1 nach einem leeren Satz").arg(i - 3));
                    gueltig = false;
                }
                if (satz) {
                    gespielt.push_back(*satz);
                }
            }
            if (!gueltig) {
                continue;
            }
            const Spielstand stand = zaehlen(gespielt);
            if (stand.sg != zahl(z[2]) || stand.sv != zahl(z[3])) {
                fehler(QStringLiteral("sg:sv %1:%2, die Sätze ergeben %3:%4")
                           .arg(zahl(z[2]))
                           .arg(zahl(z[3]))
                           .arg(stand.sg)
                           .arg(stand.sv));
                continue;
            }
            // Sets after the deciding one cannot exist: the running score reaches gse only with the last set.
            Spielstand lauf;
            for (std::size_t i = 0; i < gespielt.size(); ++i) {
                if (std::max(lauf.sg, lauf.sv) >= gse) {
                    fehler(QStringLiteral("Satz %1 nach Spielende (%2 Gewinnsätze)").arg(i + 1).arg(gse));
                    break;
                }
                (gespielt[i].ersterGewinnt ? lauf.sg : lauf.sv) += 1;
            }
            const bool entschieden = std::max(stand.sg, stand.sv) >= gse;
            const bool ohneSaetze = gespielt.empty();
            if (status == 0 || status == 1 || status == 2 || status == 22) {
                if (!ohneSaetze) {
                    fehler(QStringLiteral("Status %1 mit Sätzen").arg(status));
                }
            } else if (status == 3 || status == 33) {
                if (entschieden) {
                    fehler(QStringLiteral("Status %1, aber entschieden").arg(status));
                }
            } else if (status == 4 || status == 5) {
                if (!entschieden && !ohneSaetze) {
                    fehler(QStringLiteral("Status %1, aber %2:%3 bei %4 Gewinnsätzen")
                               .arg(status)
                               .arg(stand.sg)
                               .arg(stand.sv)
                               .arg(gse));
                }
            }
        }
    }

    void ko() {
        const auto zeilen = m_sql.abfragen(
            "SELECT f.syf_id, y.sy_gr, e.sp_id % 1000, e.erg_id, e.sp1, e.sp2, e.status, e.sg, e.sv, e.s1, "
            "(SELECT count(*) FROM al_starterfeld s WHERE s.syf_id = f.syf_id AND s.posnr IN (e.sp1, e.sp2) AND "
            "s.amkd_id = 111111), (SELECT count(*) FROM sb_tischbelegung b WHERE b.erg_id = e.erg_id), "
            "(SELECT max(s.posnr) FROM al_starterfeld s WHERE s.syf_id = f.syf_id AND s.posnr IN (e.sp1, e.sp2) AND "
            "s.amkd_id <> 111111) FROM sb_ergebnisse e JOIN al_systemfeld f ON f.syf_id = e.syf_id JOIN al_conf a "
            "ON a.al_id = f.al_id JOIN sy_systeme y ON y.sy_id = f.sy_id WHERE a.sy_typ <> 1 "
            "ORDER BY f.syf_id, e.sp_id");
        std::map<std::pair<qint64, int>, std::pair<qint64, qint64>> seiten; // (group, game) -> sides
        for (const Zeile& z : zeilen) {
            seiten[{zahl(z[0]), static_cast<int>(zahl(z[2]))}] = {zahl(z[4]), zahl(z[5])};
        }
        for (const Zeile& z : zeilen) {
            const qint64 syf = zahl(z[0]);
            const int feld = static_cast<int>(zahl(z[1]));
            const int nummer = static_cast<int>(zahl(z[2]));
            const qint64 sp1 = zahl(z[4]);
            const qint64 sp2 = zahl(z[5]);
            const qint64 status = zahl(z[6]);
            const qint64 sg = zahl(z[7]);
            const qint64 sv = zahl(z[8]);
            const bool freilos = zahl(z[10]) > 0;
            auto fehler = [&](const QString& text) {
                melden("KO", QStringLiteral("Gruppe %1 Spiel %2: ").arg(syf).arg(nummer) + text);
            };
            qint64 sieger = 0;
            if (freilos) {
                if (status != 4 || sg != 0 || sv != 0 || !text(z[9]).isEmpty() || zahl(z[11]) > 0) {
                    fehler(QStringLiteral("Spiel gegen ein Freilos ist nicht ohne Ergebnis erledigt"));
                }
                sieger = zahl(z[12]);
            } else if ((status == 4 || status == 5) && sg != sv) {
                sieger = sg > sv ? sp1 : sp2;
            }
            const auto folge = koNachfolger(feld, nummer);
            if (!folge) {
                continue;
            }
            const auto& [n1, n2] = seiten[{syf, folge->nummer}];
            const qint64 eingetragen = folge->seite == 1 ? n1 : n2;
            if (eingetragen != sieger) {
                fehler(QStringLiteral("im Folgespiel %1 steht Position %2, erwartet %3")
                           .arg(folge->nummer)
                           .arg(eingetragen)
                           .arg(sieger));
            }
        }
    }

    void belegung() {
        jedeZeile("Belegung", QStringLiteral("Spiel im falschen Status"),
                  "SELECT b.ts_id, b.erg_id, e.status FROM sb_tischbelegung b JOIN sb_ergebnisse e ON e.erg_id = "
                  "b.erg_id WHERE e.status NOT IN (2, 3, 22, 33, 4)");
        jedeZeile("Belegung", QStringLiteral("Tisch mehrfach belegt"),
                  "SELECT ts_id, count(*) FROM sb_tischbelegung GROUP BY ts_id HAVING count(*) > 1");
        jedeZeile("Belegung", QStringLiteral("Spiel auf mehreren Tischen"),
                  "SELECT erg_id, count(*) FROM sb_tischbelegung GROUP BY erg_id HAVING count(*) > 1");
        jedeZeile("Belegung", QStringLiteral("Spiel am Tisch ohne Belegung"),
                  "SELECT e.erg_id, e.status FROM sb_ergebnisse e WHERE e.status IN (2, 3, 22, 33) AND NOT EXISTS "
                  "(SELECT 1 FROM sb_tischbelegung b WHERE b.erg_id = e.erg_id)");
        jedeZeile("Belegung", QStringLiteral("ts_id des Spiels ist nicht der belegte Tisch"),
                  "SELECT b.ts_id, b.erg_id, e.ts_id FROM sb_tischbelegung b JOIN sb_ergebnisse e ON e.erg_id = "
                  "b.erg_id WHERE e.ts_id IS NULL OR e.ts_id <> b.ts_id");
        jedeZeile("Belegung", QStringLiteral("gesperrter Tisch belegt"),
                  "SELECT b.ts_id, b.erg_id FROM sb_tischbelegung b JOIN zd_tische t ON t.ts_id = b.ts_id "
                  "WHERE t.ti_sperre <> 0");
        jedeZeile("Belegung", QStringLiteral("Belegungstyp passt nicht zur Konkurrenz"),
                  QByteArray("SELECT b.ts_id, b.erg_id, b.typ, k.typ FROM sb_tischbelegung b JOIN (SELECT e.erg_id, "
                             "k.typ") +
                      spielVerbund + ") k ON k.erg_id = b.erg_id WHERE (b.typ = 1) <> (k.typ = 1)");
        jedeZeile("Belegung", QStringLiteral("Tisch gehört nicht zum Turnier des Spiels"),
                  QByteArray("SELECT b.ts_id, b.erg_id FROM sb_tischbelegung b JOIN (SELECT e.erg_id, kl.t_id") +
                      spielVerbund +
                      ") g ON g.erg_id = b.erg_id WHERE NOT EXISTS (SELECT 1 FROM zd_tische t JOIN tk_turnierhallen "
                      "tk ON tk.hab_id = t.hab_id WHERE t.ts_id = b.ts_id AND tk.t_id = g.t_id)");
    }

    void spieler() {
        // Every registration playing in a game at a table, once per side and partner.
        const QByteArray seiten =
            QByteArray("SELECT e.erg_id AS erg, s.amkd_id AS eintrag, k.typ AS typ") + spielVerbund +
            "JOIN al_starterfeld s ON s.syf_id = e.syf_id AND s.posnr IN (e.sp1, e.sp2) WHERE e.status IN (2, 3, 33)";
        jedeZeile("Spieler", QStringLiteral("Anmeldung gleichzeitig an mehreren Tischen"),
                  "SELECT x.am, group_concat(x.erg) FROM (SELECT g.erg, m.am_id AS am FROM (" + seiten +
                      ") g JOIN amklasse m ON g.typ = 1 AND m.amk_id = g.eintrag UNION ALL SELECT g.erg, d.am_id1 "
                      "FROM (" +
                      seiten +
                      ") g JOIN amdoppel d ON g.typ <> 1 AND d.amd_id = g.eintrag UNION ALL "
                      "SELECT g.erg, d.am_id2 FROM (" +
                      seiten +
                      ") g JOIN amdoppel d ON g.typ <> 1 AND d.amd_id = "
                      "g.eintrag) x GROUP BY x.am HAVING count(*) > 1");
    }

    void zeiten() {
        const std::vector<std::pair<const char*, const char*>> spalten = {
            {"Konkurrenz", "startdatetime"}, {"sb_ergebnisse", "spielzeit"}, {"sb_ergebnisse", "spielbeginn"}};
        for (const auto& [tabelle, spalte] : spalten) {
            const auto zeilen = m_sql.abfragen(
                (QByteArray("SELECT rowid, ") + spalte + " FROM " + tabelle + " WHERE " + spalte + " IS NOT NULL")
                    .constData());
            for (const Zeile& z : zeilen) {
                if (!zeitLesen(text(z[1]))) {
                    melden("Zeit", QStringLiteral("%1.%2 \"%3\" in Zeile %4")
                                       .arg(QString::fromLatin1(tabelle), QString::fromLatin1(spalte), text(z[1]))
                                       .arg(zahl(z[0])));
                }
            }
        }
    }

    void turniere() {
        std::map<QString, std::map<qint64, qint64>> besitzer; // table -> rowid -> first tournament reaching it
        for (const Zeile& t : m_sql.abfragen("SELECT t_id FROM turniere ORDER BY t_id")) {
            const qint64 t_id = zahl(t[0]);
            for (const auto& [tabelle, zeilen] : erreichbar(m_db, t_id)) {
                if (istGemeinsam(tabelle) || tabelle == u"turniere") {
                    continue;
                }
                auto& karte = besitzer[tabelle];
                for (qint64 zeile : zeilen) {
                    const auto [it, neu] = karte.emplace(zeile, t_id);
                    if (!neu) {
                        melden("Turniere", QStringLiteral("%1 Zeile %2 gehört zu Turnier %3 und %4")
                                               .arg(tabelle)
                                               .arg(zeile)
                                               .arg(it->second)
                                               .arg(t_id));
                    }
                }
            }
        }
    }

    Sql m_sql;
    sqlite3* m_db;
    Befund m_befund;
};

} // namespace

Befund pruefe(sqlite3* db) {
    return Pruefer(db).ausfuehren();
}

Befund pruefeDatei(const QString& pfad) {
    Verbindung verbindung;
    verbindung.oeffnen(pfad, Verbindung::Modus::Lesen);
    return pruefe(verbindung.handle());
}

} // namespace quenda::demo
