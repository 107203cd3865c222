#include "demo/Simulator.h"

#include "demo/Saetze.h"
#include "demo/Sql.h"
#include "demo/Systeme.h"

#include "db/Verbindung.h"

#include <sqlite3.h>

#include <array>
#include <map>
#include <set>

namespace quenda::demo {

namespace {

// A writer waits this long for readers; the program's reads are short.
constexpr int wartezeitMs = 10000;

// Game e with its group f, draw a, competition k and class kl.
#define SPIEL_VERBUND                                                                                                  \
    " FROM sb_ergebnisse e JOIN al_systemfeld f ON f.syf_id = e.syf_id JOIN al_conf a ON a.al_id = f.al_id "           \
    "JOIN Konkurrenz k ON k.kn_id = a.kn_id JOIN Klassen kl ON kl.kl_id = k.kl_id "

// The registrations playing in a game: one row per side and partner.
#define SPIELER_VERBUND                                                                                                \
    SPIEL_VERBUND "JOIN al_starterfeld s ON s.syf_id = e.syf_id AND s.posnr IN (e.sp1, e.sp2) "                        \
                  "LEFT JOIN amklasse m ON k.typ = 1 AND m.amk_id = s.amkd_id "                                        \
                  "LEFT JOIN amdoppel d ON k.typ <> 1 AND d.amd_id = s.amkd_id "

std::array<DbWert, 7> satzWerte(const std::vector<Satz>& saetze) {
    std::array<DbWert, 7> werte;
    for (std::size_t i = 0; i < werte.size(); ++i) {
        werte[i] = i < saetze.size() ? DbWert(satzText(saetze[i])) : DbWert(QString());
    }
    return werte;
}

QString standText(const std::vector<Satz>& saetze) {
    const Spielstand stand = zaehlen(saetze);
    return QStringLiteral("%1:%2").arg(stand.sg).arg(stand.sv);
}

} // namespace

Simulator::Simulator(const QString& pfad, Optionen optionen)
    : m_verbindung(std::make_unique<Verbindung>()), m_optionen(std::move(optionen)), m_zufall(m_optionen.seed, 2),
      m_jetzt(m_optionen.jetzt) {
    m_verbindung->oeffnen(pfad, Verbindung::Modus::Schreiben);
    sqlite3_busy_timeout(m_verbindung->handle(), wartezeitMs);
    // Demo data needs no protection against a power cut; without a sync per commit a step takes a few
    // milliseconds, and readers wait that much less. A crash of the process itself still cannot corrupt it.
    m_verbindung->ausfuehren(QStringLiteral("PRAGMA synchronous=OFF"));
    m_sql = std::make_unique<Sql>(m_verbindung->handle());
}

Simulator::~Simulator() = default;

Simulator::Schritt Simulator::schritt() {
    m_jetzt = m_jetzt.addSecs(m_optionen.sekundenJeSchritt);
    // IMMEDIATE takes the write lock at once: the step never fails half-way because a reader upgraded first.
    m_sql->ausfuehren("BEGIN IMMEDIATE");
    try {
        Schritt ergebnis = waehlen();
        m_sql->ausfuehren("COMMIT");
        return ergebnis;
    } catch (...) {
        if (!sqlite3_get_autocommit(m_verbindung->handle())) {
            sqlite3_exec(m_verbindung->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        }
        throw;
    }
}

Simulator::Schritt Simulator::waehlen() {
    // How often each change happens at a real tournament desk, roughly; an action with nothing to do gives way
    // to the others.
    std::vector<std::pair<int, Aktion>> offen = {
        {4, Aktion::TischFrei}, {6, Aktion::Aufrufen},     {4, Aktion::Beginnen},
        {8, Aktion::Satz},      {1, Aktion::Unterbrechen}, {2, Aktion::Fortsetzen},
        {1, Aktion::Korrektur}, {1, Aktion::Betrieb},      {1, Aktion::Freigabe},
    };
    while (!offen.empty()) {
        int summe = 0;
        for (const auto& [gewicht, aktion] : offen) {
            summe += gewicht;
        }
        int wurf = m_zufall.bereich(1, summe);
        std::size_t i = 0;
        while (wurf > offen[i].first) {
            wurf -= offen[i].first;
            ++i;
        }
        if (std::optional<Schritt> schritt = ausfuehren(offen[i].second)) {
            return *schritt;
        }
        offen.erase(offen.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return {Aktion::Leerlauf, QStringLiteral("nichts zu tun")};
}

std::optional<Simulator::Schritt> Simulator::ausfuehren(Aktion aktion) {
    switch (aktion) {
    case Aktion::TischFrei:
        return tischFrei();
    case Aktion::Aufrufen:
        return aufrufen();
    case Aktion::Beginnen:
        return beginnen();
    case Aktion::Satz:
        return satz();
    case Aktion::Unterbrechen:
        return unterbrechen(false);
    case Aktion::Fortsetzen:
        return unterbrechen(true);
    case Aktion::Korrektur:
        return korrektur();
    case Aktion::Betrieb:
        return betrieb();
    case Aktion::Freigabe:
        return freigabe();
    case Aktion::Leerlauf:
        break;
    }
    return std::nullopt;
}

std::optional<Simulator::Schritt> Simulator::tischFrei() {
    const auto zeilen = m_sql->abfragen(
        "SELECT b.rowid, t.ti_nr, b.erg_id FROM sb_tischbelegung b JOIN sb_ergebnisse e ON e.erg_id = b.erg_id "
        "JOIN zd_tische t ON t.ts_id = b.ts_id JOIN tk_turnierhallen tk ON tk.hab_id = t.hab_id "
        "WHERE tk.t_id = ? AND e.status = 4 ORDER BY b.ts_id",
        {m_optionen.turnier});
    if (zeilen.empty()) {
        return std::nullopt;
    }
    const Zeile& z = m_zufall.wahl(zeilen);
    m_sql->ausfuehren("DELETE FROM sb_tischbelegung WHERE rowid = ?", {z[0]});
    return Schritt{Aktion::TischFrei, QStringLiteral("Tisch %1 frei (Spiel %2)").arg(zahl(z[1])).arg(zahl(z[2]))};
}

std::optional<Simulator::Schritt> Simulator::aufrufen() {
    const auto tische = m_sql->abfragen(
        "SELECT t.ts_id, t.ti_nr FROM zd_tische t JOIN tk_turnierhallen tk ON tk.hab_id = t.hab_id WHERE tk.t_id = ? "
        "AND t.ti_sperre = 0 AND NOT EXISTS (SELECT 1 FROM sb_tischbelegung b WHERE b.ts_id = t.ts_id) "
        "ORDER BY t.ts_id",
        {m_optionen.turnier});
    if (tische.empty()) {
        return std::nullopt;
    }
    const std::set<qint64> beschaeftigt = beschaeftigteSpieler(true);
    // The desk calls the games that are due first, of draws in operation, whose players are all free.
    std::map<qint64, std::vector<qint64>> spieler;
    std::vector<std::pair<qint64, qint64>> reihenfolge; // erg_id, typ in call order
    for (const Zeile& z : m_sql->abfragen("SELECT e.erg_id, k.typ, m.am_id, d.am_id1, d.am_id2" SPIELER_VERBUND
                                          "WHERE kl.t_id = ? AND e.status = 0 AND e.sp1 <> 0 AND e.sp2 <> 0 AND "
                                          "a.al_freigabe = 1 AND a.al_betrieb = 1 "
                                          "ORDER BY e.spielzeit IS NULL, e.spielzeit, e.erg_id",
                                          {m_optionen.turnier})) {
        auto& liste = spieler[zahl(z[0])];
        if (liste.empty()) {
            reihenfolge.emplace_back(zahl(z[0]), zahl(z[1]));
        }
        for (std::size_t i = 2; i < z.size(); ++i) {
            if (!istNull(z[i])) {
                liste.push_back(zahl(z[i]));
            }
        }
    }
    std::vector<std::pair<qint64, qint64>> kandidaten;
    for (const auto& eintrag : reihenfolge) {
        bool frei = true;
        for (qint64 am : spieler[eintrag.first]) {
            frei = frei && !beschaeftigt.contains(am);
        }
        if (frei) {
            kandidaten.push_back(eintrag);
            if (kandidaten.size() == 3) {
                break;
            }
        }
    }
    if (kandidaten.empty()) {
        return std::nullopt;
    }
    const auto [erg, typ] = m_zufall.wahl(kandidaten);
    const Zeile& tisch = m_zufall.wahl(tische);
    const int status = m_zufall.prozent(70) ? 2 : 22;
    m_sql->ausfuehren("UPDATE sb_ergebnisse SET status = ?, ts_id = ? WHERE erg_id = ?", {status, tisch[0], erg});
    m_sql->einfuegen("sb_tischbelegung", {{"ts_id", tisch[0]}, {"erg_id", erg}, {"typ", typ == 1 ? 1 : 2}});
    return Schritt{Aktion::Aufrufen,
                   QStringLiteral("Spiel %1 an Tisch %2 (Status %3)").arg(erg).arg(zahl(tisch[1])).arg(status)};
}

std::set<qint64> Simulator::beschaeftigteSpieler(bool mitPlanung) {
    std::set<qint64> spieler;
    for (const Zeile& z : m_sql->abfragen("SELECT m.am_id, d.am_id1, d.am_id2, e.status" SPIELER_VERBUND
                                          "WHERE kl.t_id = ? AND e.status IN (2, 3, 22, 33)",
                                          {m_optionen.turnier})) {
        if (mitPlanung || zahl(z[3]) != 22) {
            for (std::size_t i = 0; i < 3; ++i) {
                if (!istNull(z[i])) {
                    spieler.insert(zahl(z[i]));
                }
            }
        }
    }
    return spieler;
}

std::optional<Simulator::Schritt> Simulator::beginnen() {
    // A game in planning is called once its players have left their other tables.
    const std::set<qint64> beschaeftigt = beschaeftigteSpieler(false);
    std::set<qint64> blockiert;
    for (const Zeile& z : m_sql->abfragen("SELECT e.erg_id, m.am_id, d.am_id1, d.am_id2" SPIELER_VERBUND
                                          "WHERE kl.t_id = ? AND e.status = 22",
                                          {m_optionen.turnier})) {
        for (std::size_t i = 1; i < z.size(); ++i) {
            if (!istNull(z[i]) && beschaeftigt.contains(zahl(z[i]))) {
                blockiert.insert(zahl(z[0]));
            }
        }
    }
    std::vector<Zeile> zeilen;
    for (Zeile& z : m_sql->abfragen("SELECT e.erg_id, e.status" SPIEL_VERBUND
                                    "WHERE kl.t_id = ? AND e.status IN (2, 22) ORDER BY e.erg_id",
                                    {m_optionen.turnier})) {
        if (!blockiert.contains(zahl(z[0]))) {
            zeilen.push_back(std::move(z));
        }
    }
    if (zeilen.empty()) {
        return std::nullopt;
    }
    const Zeile& z = m_zufall.wahl(zeilen);
    if (zahl(z[1]) == 22) {
        m_sql->ausfuehren("UPDATE sb_ergebnisse SET status = 2 WHERE erg_id = ?", {z[0]});
        return Schritt{Aktion::Beginnen, QStringLiteral("Spiel %1 aufgerufen").arg(zahl(z[0]))};
    }
    m_sql->ausfuehren("UPDATE sb_ergebnisse SET status = 3, spielbeginn = ? WHERE erg_id = ?",
                      {zeitText(m_jetzt), z[0]});
    return Schritt{Aktion::Beginnen, QStringLiteral("Spiel %1 beginnt").arg(zahl(z[0]))};
}

int Simulator::gewinnChanceFuer(qint64 erg_id) {
    const auto zeilen = m_sql->abfragen(
        "SELECT (SELECT s.amkd_id FROM al_starterfeld s WHERE s.syf_id = e.syf_id AND s.posnr = e.sp1), "
        "(SELECT s.amkd_id FROM al_starterfeld s WHERE s.syf_id = e.syf_id AND s.posnr = e.sp2) "
        "FROM sb_ergebnisse e WHERE e.erg_id = ?",
        {erg_id});
    return gewinnChance(staerke(zahl(zeilen.at(0)[0])), staerke(zahl(zeilen.at(0)[1])));
}

std::optional<Simulator::Schritt> Simulator::satz() {
    const auto zeilen = m_sql->abfragen("SELECT e.erg_id, CASE WHEN e.gse > 0 THEN e.gse ELSE a.gse END, e.s1, e.s2, "
                                        "e.s3, e.s4, e.s5, e.s6, e.s7, e.spielbeginn" SPIEL_VERBUND
                                        "WHERE kl.t_id = ? AND e.status = 3 ORDER BY e.erg_id",
                                        {m_optionen.turnier});
    if (zeilen.empty()) {
        return std::nullopt;
    }
    const Zeile& z = m_zufall.wahl(zeilen);
    const qint64 erg = zahl(z[0]);
    const int gse = static_cast<int>(zahl(z[1]));
    std::vector<Satz> saetze;
    for (std::size_t i = 2; i <= 8; ++i) {
        if (const auto s = satzLesen(text(z[i]))) {
            saetze.push_back(*s);
        }
    }
    saetze.push_back(zufallsSatz(m_zufall, m_zufall.prozent(gewinnChanceFuer(erg))));
    const Spielstand stand = zaehlen(saetze);
    const bool ende = std::max(stand.sg, stand.sv) >= gse;
    const auto werte = satzWerte(saetze);
    DbWert dauer = kein;
    if (ende) {
        const auto beginn = zeitLesen(text(z[9]));
        dauer = std::max<qint64>(1, beginn ? beginn->secsTo(m_jetzt) / 60 : 1);
    }
    m_sql->ausfuehren("UPDATE sb_ergebnisse SET s1 = ?, s2 = ?, s3 = ?, s4 = ?, s5 = ?, s6 = ?, s7 = ?, sg = ?, "
                      "sv = ?, status = ?, spieldauer = ? WHERE erg_id = ?",
                      {werte[0], werte[1], werte[2], werte[3], werte[4], werte[5], werte[6], stand.sg, stand.sv,
                       ende ? 4 : 3, dauer, erg});
    if (ende) {
        koWeiter(erg);
        return Schritt{Aktion::Satz, QStringLiteral("Spiel %1 beendet %2").arg(erg).arg(standText(saetze))};
    }
    return Schritt{Aktion::Satz,
                   QStringLiteral("Spiel %1: Satz %2, Stand %3").arg(erg).arg(saetze.size()).arg(standText(saetze))};
}

void Simulator::koWeiter(qint64 erg_id) {
    const auto zeilen = m_sql->abfragen("SELECT e.syf_id, e.sp_id, e.sp1, e.sp2, e.sg, e.sv, a.sy_typ, y.sy_gr "
                                        "FROM sb_ergebnisse e JOIN al_systemfeld f ON f.syf_id = e.syf_id "
                                        "JOIN al_conf a ON a.al_id = f.al_id JOIN sy_systeme y ON y.sy_id = f.sy_id "
                                        "WHERE e.erg_id = ?",
                                        {erg_id});
    const Zeile& z = zeilen.at(0);
    if (zahl(z[6]) != 2) {
        return; // only a knock-out draw moves its winners on (a damaged draw of a test moves nothing)
    }
    const qint64 sp_id = zahl(z[1]);
    const int nummer = static_cast<int>(sp_id % 1000);
    const auto folge = koNachfolger(static_cast<int>(zahl(z[7])), nummer);
    if (!folge) {
        return;
    }
    const qint64 sieger = zahl(z[4]) > zahl(z[5]) ? zahl(z[2]) : zahl(z[3]);
    const qint64 naechstes = sp_id - nummer + folge->nummer;
    m_sql->ausfuehren(folge->seite == 1 ? "UPDATE sb_ergebnisse SET sp1 = ? WHERE syf_id = ? AND sp_id = ?"
                                        : "UPDATE sb_ergebnisse SET sp2 = ? WHERE syf_id = ? AND sp_id = ?",
                      {sieger, z[0], naechstes});
    m_sql->ausfuehren("UPDATE sb_ergebnisse SET status = 0 WHERE syf_id = ? AND sp_id = ? AND status = 1 AND "
                      "sp1 <> 0 AND sp2 <> 0",
                      {z[0], naechstes});
}

std::optional<Simulator::Schritt> Simulator::unterbrechen(bool fortsetzen) {
    const auto zeilen =
        m_sql->abfragen("SELECT e.erg_id" SPIEL_VERBUND "WHERE kl.t_id = ? AND e.status = ? ORDER BY e.erg_id",
                        {m_optionen.turnier, fortsetzen ? 33 : 3});
    if (zeilen.empty()) {
        return std::nullopt;
    }
    const qint64 erg = zahl(m_zufall.wahl(zeilen)[0]);
    m_sql->ausfuehren("UPDATE sb_ergebnisse SET status = ? WHERE erg_id = ?", {fortsetzen ? 3 : 33, erg});
    return Schritt{fortsetzen ? Aktion::Fortsetzen : Aktion::Unterbrechen,
                   QStringLiteral("Spiel %1 %2").arg(erg).arg(fortsetzen ? u"geht weiter" : u"unterbrochen")};
}

std::optional<Simulator::Schritt> Simulator::korrektur() {
    // Group games only: a knock-out winner may already be playing the next round.
    const auto zeilen =
        m_sql->abfragen("SELECT e.erg_id, CASE WHEN e.gse > 0 THEN e.gse ELSE a.gse END, e.sg, e.sv" SPIEL_VERBUND
                        "WHERE kl.t_id = ? AND e.status = 4 AND e.sg + e.sv > 0 AND "
                        "a.sy_typ = 1 AND a.al_freigabe = 1 ORDER BY e.erg_id",
                        {m_optionen.turnier});
    if (zeilen.empty()) {
        return std::nullopt;
    }
    const Zeile& z = m_zufall.wahl(zeilen);
    const qint64 erg = zahl(z[0]);
    const auto saetze =
        zufallsErgebnis(m_zufall, static_cast<int>(zahl(z[1])), m_zufall.prozent(gewinnChanceFuer(erg)));
    const auto werte = satzWerte(saetze);
    const Spielstand stand = zaehlen(saetze);
    m_sql->ausfuehren("UPDATE sb_ergebnisse SET s1 = ?, s2 = ?, s3 = ?, s4 = ?, s5 = ?, s6 = ?, s7 = ?, sg = ?, "
                      "sv = ? WHERE erg_id = ?",
                      {werte[0], werte[1], werte[2], werte[3], werte[4], werte[5], werte[6], stand.sg, stand.sv, erg});
    return Schritt{Aktion::Korrektur, QStringLiteral("Spiel %1 korrigiert: %2:%3 wird %4")
                                          .arg(erg)
                                          .arg(zahl(z[2]))
                                          .arg(zahl(z[3]))
                                          .arg(standText(saetze))};
}

std::optional<Simulator::Schritt> Simulator::betrieb() {
    const auto zeilen = m_sql->abfragen(
        "SELECT a.al_id FROM al_conf a JOIN Konkurrenz k ON k.kn_id = a.kn_id JOIN Klassen kl ON kl.kl_id = "
        "k.kl_id WHERE kl.t_id = ? AND a.al_freigabe = 1 AND a.al_betrieb = 0 ORDER BY a.al_id",
        {m_optionen.turnier});
    if (zeilen.empty()) {
        return std::nullopt;
    }
    const qint64 al = zahl(m_zufall.wahl(zeilen)[0]);
    m_sql->ausfuehren("UPDATE al_conf SET al_betrieb = 1 WHERE al_id = ?", {al});
    return Schritt{Aktion::Betrieb, QStringLiteral("Auslosung %1 in Betrieb").arg(al)};
}

std::optional<Simulator::Schritt> Simulator::freigabe() {
    // The draw of the competition that starts first is released first.
    const auto zeilen = m_sql->abfragen(
        "SELECT a.al_id FROM al_conf a JOIN Konkurrenz k ON k.kn_id = a.kn_id JOIN Klassen kl ON kl.kl_id = "
        "k.kl_id WHERE kl.t_id = ? AND (a.al_freigabe IS NULL OR a.al_freigabe = 0) "
        "ORDER BY k.startdatetime IS NULL, k.startdatetime, a.al_id LIMIT 1",
        {m_optionen.turnier});
    if (zeilen.empty()) {
        return std::nullopt;
    }
    const qint64 al = zahl(zeilen[0][0]);
    m_sql->ausfuehren("UPDATE al_conf SET al_freigabe = 1, al_betrieb = 0 WHERE al_id = ?", {al});
    // Games that were not scheduled yet get their times now, round by round.
    m_sql->ausfuehren("UPDATE sb_ergebnisse SET spielzeit = datetime(?, '+' || (20 * ((SELECT r.rd_nr FROM sy_spiel p "
                      "JOIN sy_runden r ON r.rd_id = p.rd_id WHERE p.sp_id = sb_ergebnisse.sp_id) - 1)) || ' minutes') "
                      "WHERE spielzeit IS NULL AND syf_id IN (SELECT syf_id FROM al_systemfeld WHERE al_id = ?)",
                      {zeitText(m_jetzt.addSecs(600)), al});
    return Schritt{Aktion::Freigabe, QStringLiteral("Auslosung %1 freigegeben").arg(al)};
}

#undef SPIELER_VERBUND
#undef SPIEL_VERBUND

} // namespace quenda::demo
