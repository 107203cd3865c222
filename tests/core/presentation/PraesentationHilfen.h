#pragma once

#include "presentation/ConfigDatei.h"
#include "presentation/Namensabfragen.h"
#include "presentation/Praesentationsmodell.h"
#include "support/Dateien.h"
#include "support/QStringDruck.h"

#include <QStringList>

namespace quenda::test {

// Names without a database: the id in brackets.
struct NamenOhneDb : Namensabfrage {
    QString Halle_bez(const QString& aslid) override { return QStringLiteral("Halle<") + aslid + u'>'; }
    QString Konkurrenz_bez(const QString& aslid) override { return QStringLiteral("Konkurrenz<") + aslid + u'>'; }
    QString Auslosung_bez(const QString& aslid) override { return QStringLiteral("Auslosung<") + aslid + u'>'; }
};

// Records the reported tree nodes as "level|b,e,r,o,a|caption".
struct KnotenMerken : KonfigAufbau {
    void knoten(Ebenenstufe stufe, const TNodeInfo& i, const QString& text) override {
        knoten_.append(QStringLiteral("%1|%2,%3,%4,%5,%6|")
                           .arg(static_cast<int>(stufe))
                           .arg(i.bs_id)
                           .arg(i.eb_id)
                           .arg(i.br_id)
                           .arg(i.obj_id)
                           .arg(i.asl_id) +
                       text);
    }
    QStringList knoten_;
};

} // namespace quenda::test
