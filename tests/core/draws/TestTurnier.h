#pragma once

#include "db/Verbindung.h"
#include "support/StagingMerken.h"

#include <QList>
#include <QString>

// A tournament database built row by row, so that each test shows the situation it is about. Tournament
// 1 ("Stadtmeisterschaft") has the classes 1 and 2; tournament 2 with class 9 must never show up.
class TestTurnier {
public:
    explicit TestTurnier(const QString& pfad) {
        m_db.anlegen(pfad);
        sql("PRAGMA synchronous = OFF"); // a test database needs no durability, and every row commits alone
        sql("INSERT INTO turniere VALUES (1, 'Stadtmeisterschaft'), (2, 'Anderes Turnier');"
            "INSERT INTO Klassen VALUES (1, 1, 'Erwachsene'), (2, 1, 'Jugend'), (9, 2, 'Fremd')");
    }

    void sql(const char* text) { m_db.ausfuehren(QString::fromUtf8(text)); }
    void sql(const QString& text) { m_db.ausfuehren(text); }

    // A competition with n singles entries, or n pairs when typ is not 1; start "" is NULL.
    void konkurrenz(int kn_id, int kl_id, const QString& name, const QString& start, int n, int typ = 1) {
        sql(QStringLiteral("INSERT INTO Konkurrenz VALUES (%1, %2, '%3', %4, %5)")
                .arg(kn_id)
                .arg(kl_id)
                .arg(name, start.isEmpty() ? QStringLiteral("NULL") : u'\'' + start + u'\'')
                .arg(typ));
        for (int i = 0; i < n; ++i) {
            const int id = kn_id * 100 + i;
            sql(typ == 1 ? QStringLiteral("INSERT INTO amklasse VALUES (%1, %1, %2)").arg(id).arg(kn_id)
                         : QStringLiteral("INSERT INTO amdoppel VALUES (%1, %2, %1, %1)").arg(id).arg(kn_id));
        }
    }

    // A draw with one al_systemfeld row per syf_id (group numbers 1, 2, …); freigabe -1 writes NULL.
    void auslosung(int al_id, int kn_id, const QString& bez, int sy_typ, int freigabe, int betrieb,
                   const QList<int>& gruppen, int granz = 0) {
        sql(QStringLiteral("INSERT INTO al_conf VALUES (%1, %2, %3, %4, %5, %6, 3, 31, 15)")
                .arg(al_id)
                .arg(kn_id)
                .arg(bez.isNull() ? QStringLiteral("NULL") : u'\'' + bez + u'\'')
                .arg(sy_typ)
                .arg(freigabe < 0 ? QStringLiteral("NULL") : QString::number(freigabe))
                .arg(betrieb));
        for (int i = 0; i < gruppen.size(); ++i) {
            sql(QStringLiteral("INSERT INTO al_systemfeld VALUES (%1, %2, 1, %3, %4)")
                    .arg(gruppen[i])
                    .arg(al_id)
                    .arg(i + 1)
                    .arg(granz));
        }
    }

    // Games of a group in the given states.
    void spiele(int syf_id, const QList<int>& status) {
        for (int s : status) {
            sql(QStringLiteral("INSERT INTO sb_ergebnisse (erg_id, syf_id, status) VALUES (%1, %2, %3)")
                    .arg(++m_erg)
                    .arg(syf_id)
                    .arg(s));
        }
    }

private:
    quenda::Verbindung m_db;
    int m_erg = 0;
};
