#include "db/TDM.h"
#include "export/Dateinamen.h"
#include "export/Objdatenexport.h"

namespace quenda {

namespace {

QString teilnehmer(int kn_id, int typ) {
    static const QString einzel = QStringLiteral(
        "SELECT Konkurrenz.kn_bez, amk.kn_id, am.anwesend as anw1, '0' as anw2, s.name+', '+s.vorname AS starter, "
        "v.verein, g.zd_gebiet FROM (zd_gebiete AS g INNER JOIN (amklasse AS amk INNER JOIN ((anmeldung AS am "
        "INNER JOIN verein AS v ON am.v_id = v.v_id) INNER JOIN spieler AS s ON am.sl_id = s.sl_id) ON amk.am_id = "
        "am.am_id) ON g.zdg_id = am.zdg_id) INNER JOIN Konkurrenz ON amk.kn_id = Konkurrenz.kn_id WHERE amk.kn_id=");
    static const QString doppel = QStringLiteral(
        "SELECT Konkurrenz.kn_bez, amdoppel.kn_id, anmeldung.anwesend as anw1, anmeldung_1.anwesend as anw2, "
        "[spieler].[name]+', '+[spieler].[vorname]+' - '+spieler_1.name+', '+spieler_1.vorname as starter, "
        "IIf([verein].[verein]=verein_1.verein,[verein].[verein],[verein].[verein]+' - '+verein_1.verein) AS verein, "
        "IIf(zd_gebiete.zd_gebiet=zd_gebiete_1.zd_gebiet,zd_gebiete.zd_gebiet,zd_gebiete.zd_gebiet+':'+zd_gebiete_1."
        "zd_gebiet) AS zd_gebiet FROM ((amdoppel INNER JOIN (((anmeldung INNER JOIN Verein ON anmeldung.v_id = "
        "Verein.v_id) INNER JOIN Spieler ON anmeldung.sl_id = Spieler.sl_id) INNER JOIN zd_gebiete ON "
        "anmeldung.zdg_id = zd_gebiete.zdg_id) ON amdoppel.am_id1 = anmeldung.am_id) INNER JOIN (((anmeldung AS "
        "anmeldung_1 INNER JOIN Verein AS Verein_1 ON anmeldung_1.v_id = Verein_1.v_id) INNER JOIN Spieler AS "
        "Spieler_1 ON anmeldung_1.sl_id = Spieler_1.sl_id) INNER JOIN zd_gebiete AS zd_gebiete_1 ON "
        "anmeldung_1.zdg_id = zd_gebiete_1.zdg_id) ON amdoppel.am_id2 = anmeldung_1.am_id) INNER JOIN Konkurrenz ON "
        "amdoppel.kn_id = Konkurrenz.kn_id WHERE amdoppel.kn_id=");
    return (typ == 1 ? einzel : doppel) + QString::number(kn_id);
}

} // namespace

void Objdatenexport::Objdaten_Teilnehmerliste(int kn_id, int typ, const QString& stempel) {
    QStringList zeilen;
    m_dm.SQLAbfrage1(teilnehmer(kn_id, typ));
    for (Abfrage& z = m_dm.QuerySQL1; !z.eof(); z.next()) {
        const QStringList felder = {
            z.feld(QStringLiteral("kn_bez")).alsText(),
            QString::number(zeilen.size() + 1),
            QString::number(z.feld(QStringLiteral("anw1")).alsInt64()),
            QString::number(z.feld(QStringLiteral("anw2")).alsInt64()),
            z.feld(QStringLiteral("starter")).alsText(),
            u'[' + z.feld(QStringLiteral("zd_gebiet")).alsText() + u']',
            z.feld(QStringLiteral("verein")).alsText(),
            QString::number(typ),
        };
        zeilen.append(felder.join(u'|'));
    }
    abgeben(dateinamen::teilnehmer(kn_id), zeilen, stempel, 3);
}

} // namespace quenda
