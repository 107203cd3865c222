// AusloList — the list of tracked items and the record operations of the detection pass
#pragma once

#include "draws/TAuslosung.h"

#include <QString>
#include <vector>

namespace quenda {

class Abfrage;
class Ereignisprotokoll;
class Intervallspeicher;
class Programmuhr;

// What the record operations need besides the list: the clock of their time stamps, the event log of
// their lines, and the stored intervals of the working folder's config_auslo.xml.
struct AusloUmgebung {
    Programmuhr& uhr;
    Ereignisprotokoll& protokoll;
    Intervallspeicher& intervalle;
};

// Sources of AusloList_Daten and friends: the detection pass (draw-level and competition-level
// statements on QAuslosung) or the interval refresh (its own statement on QuerySQL2). Only the pass logs.
inline constexpr int quelleErmittlung = 1;
inline constexpr int quelleIntervall = 2;

inline constexpr int typdatenGruppe = 1;
inline constexpr int typdatenTeilnehmer = 2;

// The answer of FindAuslosung when no record matches.
inline constexpr int nichtGefunden = 9999;

// The tracked items in order of first detection; owns its records. Positions are 1-based. Owned by the
// main window; used on the UI thread while no transfer runs and on the cycle thread while one runs.
class AusloList {
public:
    int count() const { return static_cast<int>(m_eintraege.size()); }
    bool isEmpty() const { return m_eintraege.empty(); }
    TAuslosung& at(int position) { return m_eintraege.at(static_cast<size_t>(position - 1)); }
    const TAuslosung& at(int position) const { return m_eintraege.at(static_cast<size_t>(position - 1)); }
    auto begin() const { return m_eintraege.cbegin(); }
    auto end() const { return m_eintraege.cend(); }
    void clear() { m_eintraege.clear(); }
    // Appends a record made elsewhere (a restored list, tests); the pass and the interval refresh use
    // AusloList_Insert.
    void anhaengen(TAuslosung auslosung) { m_eintraege.push_back(std::move(auslosung)); }

    // Position of the first record with this key and kind, nichtGefunden when there is none.
    int FindAuslosung(int syf_id, int typdaten) const;

    // Fills a record from the current row of zeile (typ = source). NULL in an integer column throws
    // ConversionError.
    static void AusloList_Daten(TAuslosung& auslosung, const Abfrage& zeile, int typ, int typdaten);

    // Appends a record for the current row: times now, interval from config_auslo.xml for a draw group
    // (1 when none is stored), "NEU" log line when typ is the detection pass. On an error nothing is added
    // and nothing is logged.
    void AusloList_Insert(const Abfrage& zeile, int typ, int typdaten, const AusloUmgebung& umgebung);

    // Refreshes the record at position from the current row; the "VORHANDEN" log line (detection pass
    // only) shows the values before the refresh. On an error the record keeps its values.
    void AusloList_Update(const Abfrage& zeile, int typ, int position, int typdaten, const AusloUmgebung& umgebung);

    void AusloList_Delete(int position);

private:
    std::vector<TAuslosung> m_eintraege;
};

} // namespace quenda
