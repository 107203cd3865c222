#include "draws/Gruppenfingerabdruck.h"

#include "db/TDM.h"

#include <QCryptographicHash>

namespace quenda {

namespace {

void zeilenHinzufuegen(QCryptographicHash& hash, Abfrage& q) {
    const QStringList spalten = q.spalten();
    q.first();
    for (int i = 0; i < q.rowCount(); ++i, q.next()) {
        for (const QString& spalte : spalten) {
            const Wert wert = q.feld(spalte);
            // NULL and "" differ: a result cleared to NULL is a change.
            hash.addData(wert.istNull() ? QByteArrayView("\x01N") : QByteArrayView(wert.alsText().toUtf8()));
            hash.addData(QByteArrayView("\x1f"));
        }
        hash.addData(QByteArrayView("\x1e"));
    }
}

} // namespace

QByteArray gruppenFingerabdruck(TDM& tdm, int syf_id) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QString id = QString::number(syf_id);
    tdm.SQLAbfrage1(QStringLiteral("SELECT erg_id, sp_id, sp1, sp2, status, sg, sv, s1, s2, s3, s4, s5, s6, s7, gse, "
                                   "spielzeit, spielbeginn, spieldauer, sr_id, vg_wert, ts_id FROM sb_ergebnisse "
                                   "WHERE syf_id=") +
                    id + QStringLiteral(" ORDER BY erg_id"));
    zeilenHinzufuegen(hash, tdm.QuerySQL1);
    tdm.SQLAbfrage1(QStringLiteral("SELECT stf_id, posnr, amkd_id, sperre FROM al_starterfeld WHERE syf_id=") + id +
                    QStringLiteral(" ORDER BY stf_id"));
    zeilenHinzufuegen(hash, tdm.QuerySQL1);
    return hash.result();
}

} // namespace quenda
