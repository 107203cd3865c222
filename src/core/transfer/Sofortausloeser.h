#pragma once

#include <QtGlobal>
#include <optional>

namespace quenda {

// When a change of the database file starts an extra cycle ("Sofort bei Änderung"): once the file has rested
// for ruheMs (a write in progress is over by then), and at most one extra cycle every abstandMs. Pure logic
// on times in milliseconds given by the caller; owned by the transfer control on the UI thread.
class Sofortausloeser {
public:
    explicit Sofortausloeser(qint64 ruheMs = 2000, qint64 abstandMs = 10000) : m_ruhe(ruheMs), m_abstand(abstandMs) {}

    void aenderung(qint64 jetzt) { m_aenderung = jetzt; }
    // When the next extra cycle is due; nothing while no change waits.
    std::optional<qint64> faelligUm() const;
    // An extra cycle starts now and takes every change seen so far.
    void gestartet(qint64 jetzt);
    void zuruecksetzen();

private:
    qint64 m_ruhe;
    qint64 m_abstand;
    std::optional<qint64> m_aenderung; // the last change not yet taken by an extra cycle
    std::optional<qint64> m_start;     // of the last extra cycle
};

} // namespace quenda
