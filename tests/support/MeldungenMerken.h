#pragma once

#include "util/MeldungsAusgabe.h"

#include <QMutex>
#include <QStringList>

namespace quenda::test {

// Records the texts of the message boxes instead of showing them. Any thread may report (a cycle thread
// does); read texte once the reporting threads are done.
struct MeldungenMerken : MeldungsAusgabe {
    void meldung(const QString& text) override;

    QStringList texte;

private:
    QMutex m_mutex;
};

} // namespace quenda::test
