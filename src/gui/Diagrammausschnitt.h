#pragma once

#include "transfer/Statistik.h"

#include <QList>
#include <QStringList>

namespace quenda {

// What the transfer chart shows of the cycles since the connection: the newest cycles that fit readably,
// labelled "hh:nn" (the date is in the status bar), and a value axis of whole-number ticks.
struct Diagrammausschnitt {
    static constexpr qsizetype maxKategorien = 40;

    qsizetype erster = 0;   // index of the first cycle shown
    QStringList kategorien; // one unique label per shown cycle, oldest first
    int hoechster = 10;     // top of the value axis, a multiple of schritt
    int schritt = 10;       // tick interval: 10, or a larger round number that keeps at most 8 ticks
    QString hinweis;        // says that older cycles are left out, when they are
};

Diagrammausschnitt diagrammausschnitt(const QList<Zyklusstatistik>& zyklen);

} // namespace quenda
