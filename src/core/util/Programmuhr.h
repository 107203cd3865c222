#pragma once

#include <QDateTime>
#include <QString>
#include <atomic>

namespace quenda {

// The program's clock: local wall-clock time, held as a QDateTime in UTC so that comparisons and
// arithmetic are plain differences (as the tournament database's own values are). Normally it follows
// the system clock; the headless mode can set it to a fixed time that only moves when told.
// Thread-safe: read by the UI and the cycle thread.
class Programmuhr {
public:
    QDateTime jetzt() const;

    // Freezes the clock at the given wall-clock time.
    void festsetzen(const QDateTime& zeit);
    // Moves a frozen clock on; no effect on the running clock.
    void vorstellen(qint64 sekunden);

private:
    std::atomic<bool> m_fest{false};
    std::atomic<qint64> m_festMs{0};
};

// The one clock of the process.
Programmuhr& programmuhr();

// "yyyy-mm-dd hh:nn:ss", the form of log lines and draw records.
QString zeitText(const QDateTime& zeit);
// "yyyymmddhhnnss", the stamp of a cycle.
QString zeitstempel14(const QDateTime& zeit);
// "dd.mm.yyyy hh:nn:ss", the form shown in the main window.
QString zeitAnzeige(const QDateTime& zeit);

} // namespace quenda
