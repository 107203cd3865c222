#pragma once

#include <QMutex>
#include <QObject>
#include <QString>

namespace quenda {

class Programmuhr;

// The daily event log "protokoll_yyyymmdd.pzk" in the working folder, and the feed of the main window's memo.
// Shared by the UI and the cycle thread: every call is serialised, each line is written whole.
class Ereignisprotokoll : public QObject {
    Q_OBJECT
public:
    explicit Ereignisprotokoll(Programmuhr& uhr, QObject* parent = nullptr);

    // The working folder whose log the following lines go to (a tournament was connected).
    void setOrdner(const QString& tsdir);
    QString ordner() const;

    // Appends one line to today's log: opened, written, flushed and closed per line.
    // Throws IoError when the file cannot be created or written; nothing is written then.
    void protokoll(const QString& zeile);

    // One line for the memo (delivered through memoZeile, never touching a widget).
    void memo(const QString& zeile);
    // The usual pair: the memo line and the same line in the log.
    void memoUndProtokoll(const QString& zeile);

    // "yyyy-mm-dd hh:nn:ss " + text, stamped with the program clock.
    QString mitZeit(const QString& text) const;

Q_SIGNALS:
    void memoZeile(const QString& zeile);

private:
    Programmuhr& m_uhr;
    mutable QMutex m_mutex;
    QString m_ordner;
};

} // namespace quenda
