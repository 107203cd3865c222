#include "transfer/Sofortausloeser.h"

#include <algorithm>

namespace quenda {

std::optional<qint64> Sofortausloeser::faelligUm() const {
    if (!m_aenderung) {
        return std::nullopt;
    }
    const qint64 ruhig = *m_aenderung + m_ruhe;
    return m_start ? std::max(ruhig, *m_start + m_abstand) : ruhig;
}

void Sofortausloeser::gestartet(qint64 jetzt) {
    m_start = jetzt;
    m_aenderung.reset();
}

void Sofortausloeser::zuruecksetzen() {
    m_aenderung.reset();
    m_start.reset();
}

} // namespace quenda
