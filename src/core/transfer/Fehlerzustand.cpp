#include "transfer/Fehlerzustand.h"

#include <QMutexLocker>

namespace quenda {

void Fehlerzustand::setzen(const QString& wfehler, const QString& wmeldung) {
    QMutexLocker lock(&m_mutex);
    m_wfehler = wfehler;
    m_wmeldung = wmeldung;
}

void Fehlerzustand::leeren() {
    setzen(QString(), QString());
}

QString Fehlerzustand::wfehler() const {
    QMutexLocker lock(&m_mutex);
    return m_wfehler;
}

QString Fehlerzustand::wmeldung() const {
    QMutexLocker lock(&m_mutex);
    return m_wmeldung;
}

} // namespace quenda
