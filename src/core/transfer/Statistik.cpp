#include "transfer/Statistik.h"

#include <QMutexLocker>

namespace quenda {

void Statistik::zuruecksetzen() {
    QMutexLocker lock(&m_mutex);
    m_ubcount = 0;
    m_zyklen.clear();
}

int Statistik::neuerZyklus(const QString& datum) {
    QMutexLocker lock(&m_mutex);
    ++m_ubcount;
    m_zyklen.push_back({datum, {0, 0, 0, 0, 0}});
    while (m_zyklen.size() > static_cast<size_t>(maxZyklen)) {
        m_zyklen.pop_front();
    }
    return m_ubcount;
}

void Statistik::zaehlen(int spalte, int anzahl) {
    QMutexLocker lock(&m_mutex);
    if (m_zyklen.empty() || spalte < 1 || spalte > 5) {
        return;
    }
    m_zyklen.back().zaehler[static_cast<size_t>(spalte - 1)] += anzahl;
}

int Statistik::ubcount() const {
    QMutexLocker lock(&m_mutex);
    return m_ubcount;
}

QList<Zyklusstatistik> Statistik::zyklen() const {
    QMutexLocker lock(&m_mutex);
    return QList<Zyklusstatistik>(m_zyklen.begin(), m_zyklen.end());
}

} // namespace quenda
