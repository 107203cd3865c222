#include "support/MeldungenMerken.h"

#include <QMutexLocker>

namespace quenda::test {

void MeldungenMerken::meldung(const QString& text) {
    QMutexLocker lock(&m_mutex);
    texte.append(text);
}

} // namespace quenda::test
