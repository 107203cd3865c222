#include "draws/Auslosungsabfragen.h"

namespace quenda::abfragen {

QString konkurrenzen(int dbturid) {
    // A doubles competition has no amklasse rows: counting those alone would never track its list.
    return QStringLiteral("SELECT Konkurrenz.kn_id, Konkurrenz.kl_id, Konkurrenz.kn_bez, Konkurrenz.startdatetime, "
                          "Konkurrenz.typ, IIf(Konkurrenz.typ=1,(select count(*) from amklasse where "
                          "konkurrenz.kn_id=amklasse.kn_id),(select count(*) from amdoppel where "
                          "konkurrenz.kn_id=amdoppel.kn_id)) as grmax FROM (Konkurrenz INNER JOIN Klassen ON "
                          "Konkurrenz.kl_id = Klassen.kl_id) LEFT JOIN al_conf ON Konkurrenz.kn_id = al_conf.kn_id "
                          "WHERE Klassen.t_id=") +
           QString::number(dbturid) +
           QStringLiteral(" AND (al_conf.al_freigabe=0 OR al_conf.al_freigabe Is Null) order by Konkurrenz.kn_id");
}

QString auslosungen(int dbturid) {
    return QStringLiteral(
               "SELECT Konkurrenz.kn_bez, Konkurrenz.kl_id, al_conf.al_bez, al_conf.sy_typ, Konkurrenz.typ, "
               "al_conf.al_id, al_systemfeld.syf_id, al_systemfeld.grnr, al_conf.al_betrieb,IIF(al_conf.sy_typ=1,"
               "(select count(*) from al_systemfeld syf where syf.al_id=al_conf.al_id), al_systemfeld.granz) as anz, "
               "(select count(*) from sb_ergebnisse erg where erg.syf_id=al_systemfeld.syf_id and erg.status=4) AS "
               "splerl, (select count(*) from sb_ergebnisse erg where erg.syf_id=al_systemfeld.syf_id and erg.status "
               "in (0,2,22,33,3)) AS sploff FROM ((al_conf INNER JOIN Konkurrenz ON al_conf.kn_id = "
               "Konkurrenz.kn_id) INNER JOIN al_systemfeld ON al_conf.al_id = al_systemfeld.al_id) INNER JOIN "
               "Klassen ON Konkurrenz.kl_id = Klassen.kl_id WHERE Klassen.t_id=") +
           QString::number(dbturid) +
           QStringLiteral(" and al_conf.al_freigabe=1 order by Konkurrenz.kl_id, al_conf.al_id, al_systemfeld.grnr");
}

QString intervallAuslosungen(int dbturid) {
    return QStringLiteral(
               "SELECT Konkurrenz.kn_bez, Konkurrenz.kl_id, al_conf.al_bez, al_conf.sy_typ, Konkurrenz.typ, "
               "al_conf.al_id, al_systemfeld.syf_id, al_systemfeld.grnr, al_conf.al_betrieb,IIF(al_conf.sy_typ=1,"
               "(select count(*) from al_systemfeld syf where syf.al_id=al_conf.al_id), al_systemfeld.granz) as anz "
               "FROM ((al_conf INNER JOIN Konkurrenz ON al_conf.kn_id = Konkurrenz.kn_id) INNER JOIN al_systemfeld "
               "ON al_conf.al_id = al_systemfeld.al_id) INNER JOIN Klassen ON Konkurrenz.kl_id = Klassen.kl_id "
               "WHERE Klassen.t_id=") +
           QString::number(dbturid) +
           QStringLiteral(" and al_conf.al_freigabe=1 order by Konkurrenz.kn_id, al_conf.al_id, al_systemfeld.grnr");
}

} // namespace quenda::abfragen
