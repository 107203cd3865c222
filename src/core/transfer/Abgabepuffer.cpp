#include "transfer/Abgabepuffer.h"

#include <utility>

namespace quenda {

void Abgabepuffer::DateiAnlage(const QString& name, const QString& stempel, int ziel) {
    if (!m_sammeln) {
        m_ziel.DateiAnlage(name, stempel, ziel);
        return;
    }
    m_abgaben.push_back({QString(), name, QByteArray(), stempel, ziel, false});
}

void Abgabepuffer::DateiAnlageInhalt(const QString& tsdir, const QString& name, const QByteArray& inhalt,
                                     const QString& stempel, int ziel) {
    if (!m_sammeln) {
        m_ziel.DateiAnlageInhalt(tsdir, name, inhalt, stempel, ziel);
        return;
    }
    m_abgaben.push_back({tsdir, name, inhalt, stempel, ziel, true});
}

void Abgabepuffer::weitergeben() {
    m_sammeln = false;
    const std::vector<Abgabe> abgaben = std::exchange(m_abgaben, {});
    for (const Abgabe& a : abgaben) {
        if (a.imSpeicher) {
            m_ziel.DateiAnlageInhalt(a.tsdir, a.name, a.inhalt, a.stempel, a.ziel);
        } else {
            m_ziel.DateiAnlage(a.name, a.stempel, a.ziel);
        }
    }
}

} // namespace quenda
