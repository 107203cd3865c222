// Namensabfragen (Halle_bez, Konkurrenz_bez, Auslosung_bez) — the names a draw reference points to
#pragma once

#include <QList>
#include <QString>

namespace quenda {

class TDM;

// Display names of what a draw reference points to, for the editor's captions and detail panel.
class Namensabfrage {
public:
    virtual ~Namensabfrage() = default;
    virtual QString Halle_bez(const QString& aslid) = 0;
    virtual QString Konkurrenz_bez(const QString& aslid) = 0;
    virtual QString Auslosung_bez(const QString& aslid) = 0;
};

// The look-ups in the tournament database, on the UI thread's own query objects (the transfer cycle has
// its own connection, so the two never share a query). Ids come from a hand-editable file: one that is not
// a whole number never reaches a statement and reads as "nicht gefunden". Throws DatabaseError.
class Namensabfragen : public Namensabfrage {
public:
    Namensabfragen(TDM& dm, int dbturid) : m_dm(dm), m_dbturid(dbturid) {}
    QString Halle_bez(const QString& aslid) override;
    QString Konkurrenz_bez(const QString& aslid) override;
    QString Auslosung_bez(const QString& aslid) override;

private:
    TDM& m_dm;
    int m_dbturid;
};

// One entry of the reference dialog's lists: the shown text and the id stored in aslid.
struct Listeneintrag {
    QString text;
    QString id;
};

struct Referenzlisten {
    QList<Listeneintrag> auslosungen; // released draws in operation
    QList<Listeneintrag> hallen;
    QList<Listeneintrag> konkurrenzen; // "ALLE Konkurrenzen" (id 0) first
};

// Fills the three lists of the reference dialog from the tournament. Throws DatabaseError.
Referenzlisten referenzlistenLaden(TDM& dm, int dbturid);

} // namespace quenda
