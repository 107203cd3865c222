#pragma once

#include "demo/Saetze.h"
#include "demo/Sql.h"
#include "demo/Uebersicht.h"
#include "demo/Zufall.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace quenda::demo {

// Building blocks of the generator: rows of one tournament are assembled in memory per draw, given a
// course of play up to the reference time, and written in a fixed order. Internal to the generator.

enum class Kategorie { Herren, Damen, Jungen, Maedchen, Senioren };
inline constexpr int kategorien = 5;

struct Meldung { // a registration (anmeldung)
    qint64 am_id = 0;
};

struct Eintrag { // an entry of a competition: amklasse (singles) or amdoppel (pair)
    qint64 id = 0;
    qint64 am1 = 0;
    qint64 am2 = 0; // 0 for singles
};

inline constexpr qint64 freilos = 111111;

struct Startplatz {
    int posnr = 0;
    Eintrag eintrag; // id freilos for a bye
    int sperre = 0;

    bool istFreilos() const { return eintrag.id == freilos; }
};

struct Spiel {
    qint64 erg_id = 0;
    int nummer = 0; // game number in the system (last three digits of sp_id)
    int runde = 0;
    int sp1 = 0;
    int sp2 = 0;
    int status = 0;
    std::vector<Satz> saetze;
    std::optional<bool> leerAlsNull; // unplayed sets: NULL or ''; by default NULL only without any set
    DbWert gse = qint64(0);
    std::optional<QDateTime> spielzeit;
    std::optional<QDateTime> spielbeginn;
    std::optional<int> spieldauer;
    DbWert ts_id;        // NULL, 0 (no table row) or a table
    bool belegt = false; // writes an occupancy row for ts_id
};

struct Gruppe {
    qint64 syf_id = 0;
    int grnr = 0;
    int groesse = 0;        // starters of a group system, positions of a knock-out field
    int versatzMinuten = 0; // the group's games start this much after the draw
    bool fest = false;      // course of play set by hand, not by the clock
    std::vector<Startplatz> starter;
    std::vector<Spiel> spiele;
};

struct Auslosung {
    qint64 al_id = 0;
    qint64 kn_id = 0;
    int typ = 1;    // competition type: 1 singles, other doubles
    int sy_typ = 1; // 1 group stage, 2 knock-out
    DbWert al_bez;
    DbWert freigabe = qint64(1);
    DbWert betrieb = qint64(1);
    int gse = 3;
    DbWert turopt = qint64(31);
    DbWert sglopt = qint64(15);
    QDateTime beginn;
    std::vector<Gruppe> gruppen;

    bool freigegeben() const { return zahl(freigabe) == 1; }
    bool inBetrieb() const { return freigegeben() && zahl(betrieb) == 1; }
};

// What the builder keeps per tournament: registrations by category, tables and who is playing.
struct Turnierteil {
    qint64 t_id = 0;
    std::array<std::vector<Meldung>, kategorien> spieler;
    std::array<std::size_t, kategorien> naechster{};
    std::vector<qint64> tische; // tables that may be given to games, in order
    std::set<qint64> belegteTische;
    std::set<qint64> beschaeftigt; // registrations in a game on a table
    int naechsteStnr = 1;
    Teilsumme summe;
};

// Used on the generator's thread only.
class Aufbau {
public:
    Aufbau(Sql& sql, quint64 seed, const QDateTime& jetzt);

    const QDateTime& jetzt() const { return m_jetzt; }
    Zufall& zufall() { return m_zufall; }
    qint64 naechsteId(const char* tabelle);

    void turnier(qint64 t_id, const QString& bez);
    qint64 klasse(qint64 t_id, const QString& bez);
    qint64 region(const QString& name);
    qint64 verein(const QString& name);
    Meldung spieler(Turnierteil& teil, Kategorie kategorie, const QString& name, const QString& vorname, qint64 v_id,
                    qint64 zdg_id);
    // A hall with one layout and anzahl tables numbered from ersteNr; returns the table ids.
    // Table number gesperrtNr (0: none) is blocked and never given to a game.
    std::vector<qint64> halle(Turnierteil& teil, const QString& lokal1, const QString& lokal2, const QString& bez,
                              int anzahl, int ersteNr, int gesperrtNr = 0);
    qint64 konkurrenz(Turnierteil& teil, qint64 kl_id, const QString& bez, int typ,
                      const std::optional<QDateTime>& start);

    // anzahl registrations of a category from position ab on (wrapping around).
    std::vector<Meldung> auswahl(const Turnierteil& teil, Kategorie kategorie, int ab, int anzahl) const;
    // The next anzahl registrations of a category, continuing where the last call ended.
    std::vector<Meldung> folgende(Turnierteil& teil, Kategorie kategorie, int anzahl);
    std::vector<Eintrag> einzelMelden(qint64 kn_id, const std::vector<Meldung>& meldungen);
    // Pairs of consecutive registrations (1+2, 3+4, ...), or of the two lists side by side.
    std::vector<Eintrag> doppelMelden(qint64 kn_id, const std::vector<Meldung>& erste,
                                      const std::vector<Meldung>& zweite);

    // A draw with its groups, starters and games (all not yet played); ids are taken now.
    Auslosung gruppenAuslosung(Auslosung einstellung, std::vector<Eintrag> eintraege, const std::vector<int>& groessen);
    Auslosung koAuslosung(Auslosung einstellung, std::vector<Eintrag> eintraege, int feld);

    // Plays the draw up to the reference time: finished games, games on tables, open games. Groups marked
    // fest are left alone.
    void verlaufen(Auslosung& auslosung, Turnierteil& teil);
    // A complete random result for a game of the draw, won by the stronger side more often.
    void ergebnis(const Auslosung& auslosung, const Gruppe& gruppe, Spiel& spiel, int status = 4);
    // Puts a game on a table (state 2, 3, 22 or 33) and marks its players as busy.
    void aufTisch(const Auslosung& auslosung, const Gruppe& gruppe, Spiel& spiel, Turnierteil& teil, qint64 ts_id,
                  int status);
    int effektiveGse(const Auslosung& auslosung, const Spiel& spiel) const;
    // Moves the winner of a decided knock-out game (or the side facing a bye) into the next game.
    void koWeiter(Gruppe& gruppe, const Spiel& spiel);

    void schreiben(const Auslosung& auslosung, Turnierteil& teil);

    // Scheduled times from the draw's start: group rounds every 20 minutes, knock-out rounds every 30; a
    // draw that was never released (al_freigabe NULL) has none yet.
    void spielzeiten(Auslosung& auslosung) const;

private:
    bool spielen(Auslosung& auslosung, Gruppe& gruppe, Spiel& spiel, Turnierteil& teil);
    std::vector<qint64> spielerDes(const Gruppe& gruppe, const Spiel& spiel) const;
    std::optional<qint64> freierTisch(Turnierteil& teil);
    DbWert gespielterTisch(const Turnierteil& teil);

    Sql& m_sql;
    Zufall m_zufall;
    QDateTime m_jetzt;
    std::map<QByteArray, qint64> m_ids;
};

} // namespace quenda::demo
