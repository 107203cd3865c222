#pragma once

#include "presentation/ConfigDatei.h"
#include "presentation/Namensabfragen.h"
#include "presentation/Praesentationsmodell.h"

#include <QFile>
#include <QStringList>
#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const QString& text) {
    return os << text.toStdString();
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text << '"';
}

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

inline QByteArray dateiInhalt(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

inline void dateiSchreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly)) {
        datei.write(inhalt);
    }
}

} // namespace quenda::test
