#pragma once

#include <QMutex>
#include <QString>

namespace quenda {

// The most recent transfer failure (wfehler headline, wmeldung detail). Written by the cycle thread and by
// the UI thread's uploads; every access is serialised.
class Fehlerzustand {
public:
    void setzen(const QString& wfehler, const QString& wmeldung);
    void leeren();
    QString wfehler() const;
    QString wmeldung() const;

private:
    mutable QMutex m_mutex;
    QString m_wfehler;
    QString m_wmeldung;
};

} // namespace quenda
