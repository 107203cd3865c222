#include "export/Direktervergleich.h"

#include "db/TDM.h"

namespace quenda {

namespace {

QString vergleichsabfrage(int syf_id, int erster, int zweiter) {
    return QStringLiteral("SELECT erg.sg, erg.sv FROM sb_ergebnisse erg INNER JOIN sy_spiel sp ON erg.sp_id = "
                          "sp.sp_id WHERE erg.syf_id=") +
           QString::number(syf_id) + QStringLiteral(" AND sp.sp_idgv1=") + QString::number(erster) +
           QStringLiteral(" AND sp.sp_idgv2=") + QString::number(zweiter);
}

} // namespace

bool direktervergleich(TDM& dm, int x, int y, int syf_id) {
    dm.SQLAbfrage1(vergleichsabfrage(syf_id, x, y));
    if (dm.QuerySQL1.rowCount() == 1) {
        return dm.QuerySQL1.feld(QStringLiteral("sv")).alsInt64() > dm.QuerySQL1.feld(QStringLiteral("sg")).alsInt64();
    }
    dm.SQLAbfrage1(vergleichsabfrage(syf_id, y, x));
    if (dm.QuerySQL1.rowCount() == 1) {
        return dm.QuerySQL1.feld(QStringLiteral("sg")).alsInt64() > dm.QuerySQL1.feld(QStringLiteral("sv")).alsInt64();
    }
    return false;
}

} // namespace quenda
