#include "db/Anweisungscache.h"

#include <sqlite3.h>

namespace quenda {

Anweisungscache::~Anweisungscache() {
    leeren();
}

sqlite3_stmt* Anweisungscache::nehmen(const QString& text) {
    const auto it = m_index.find(text);
    if (it == m_index.end()) {
        return nullptr;
    }
    sqlite3_stmt* stmt = it.value()->second;
    m_liste.erase(it.value());
    m_index.erase(it);
    return stmt;
}

void Anweisungscache::zuruecklegen(const QString& text, sqlite3_stmt* stmt) {
    if (!stmt) {
        return;
    }
    // A statement left mid-result would hold its read transaction and see an old state next time.
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (m_kapazitaet == 0 || m_index.contains(text)) {
        sqlite3_finalize(stmt);
        return;
    }
    m_liste.emplace_front(text, stmt);
    m_index.insert(text, m_liste.begin());
    kuerzen();
}

void Anweisungscache::leeren() {
    for (auto& [text, stmt] : m_liste) {
        sqlite3_finalize(stmt);
    }
    m_liste.clear();
    m_index.clear();
}

void Anweisungscache::setzeKapazitaet(std::size_t kapazitaet) {
    m_kapazitaet = kapazitaet;
    kuerzen();
}

void Anweisungscache::kuerzen() {
    while (m_liste.size() > m_kapazitaet) {
        m_index.remove(m_liste.back().first);
        sqlite3_finalize(m_liste.back().second);
        m_liste.pop_back();
    }
}

} // namespace quenda
