#pragma once

#include <QHash>
#include <QString>
#include <cstddef>
#include <list>
#include <utility>

struct sqlite3_stmt;

namespace quenda {

// The prepared statements of one connection by their text, the least recently used finalized beyond the
// capacity. A statement is taken out while it runs and put back reset afterwards, so that no two query
// objects share one. Owned by its connection, on that connection's thread.
class Anweisungscache {
public:
    explicit Anweisungscache(std::size_t kapazitaet) : m_kapazitaet(kapazitaet) {}
    ~Anweisungscache();
    Anweisungscache(const Anweisungscache&) = delete;
    Anweisungscache& operator=(const Anweisungscache&) = delete;

    // The statement kept for this text, now owned by the caller; null when there is none.
    sqlite3_stmt* nehmen(const QString& text);
    // Resets a statement after its run and keeps it as the most recently used (finalizes it when the cache
    // is off or already holds one for the text).
    void zuruecklegen(const QString& text, sqlite3_stmt* stmt);
    // Finalizes every kept statement (before the connection closes).
    void leeren();

    std::size_t kapazitaet() const { return m_kapazitaet; }
    void setzeKapazitaet(std::size_t kapazitaet);
    std::size_t groesse() const { return m_liste.size(); }

private:
    using Liste = std::list<std::pair<QString, sqlite3_stmt*>>; // most recently used first
    void kuerzen();

    std::size_t m_kapazitaet;
    Liste m_liste;
    QHash<QString, Liste::iterator> m_index;
};

} // namespace quenda
