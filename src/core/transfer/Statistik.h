#pragma once

#include <QList>
#include <QMetaType>
#include <QMutex>
#include <QString>
#include <array>
#include <deque>

namespace quenda {

// Counters of one transfer cycle: 1 mobile OK, 2 mobile error, 3 beamer/screen OK, 4 beamer/screen error,
// 5 unchanged files.
struct Zyklusstatistik {
    QString datum; // start of the cycle, "dd.mm.yyyy hh:nn:ss"
    std::array<int, 5> zaehler{0, 0, 0, 0, 0};
};

// The transfer statistics since the tournament was connected (ubcount, ubdate, ubhttp). Keeps the newest
// 1000 cycles. Written by the cycle thread, reset and read by the UI thread: every call is serialised.
class Statistik {
public:
    static constexpr int maxZyklen = 1000;

    void zuruecksetzen();
    // Starts the row of a new cycle; returns ubcount.
    int neuerZyklus(const QString& datum);
    // Adds to column spalte (1 to 5) of the current cycle; ignored before the first cycle.
    void zaehlen(int spalte, int anzahl = 1);

    int ubcount() const;
    // The kept rows, oldest first.
    QList<Zyklusstatistik> zyklen() const;

private:
    mutable QMutex m_mutex;
    int m_ubcount = 0;
    std::deque<Zyklusstatistik> m_zyklen;
};

} // namespace quenda

Q_DECLARE_METATYPE(quenda::Zyklusstatistik)
