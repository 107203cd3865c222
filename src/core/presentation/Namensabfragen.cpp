#include "presentation/Namensabfragen.h"

#include "db/TDM.h"
#include "util/Routinen.h"

namespace quenda {

namespace {

QString nichtGefunden() {
    return QStringLiteral("nicht gefunden");
}

QString hallenAbfrage(int dbturid) {
    return QStringLiteral("SELECT tk.hab_id, ha.ha_lokal1, ha.ha_lokal2, hab.hab_bez from tk_turnierhallen tk, "
                          "zd_halle ha, zd_hallenaufbau hab where tk.hab_id=hab.hab_id and ha.ha_id=hab.ha_id and "
                          "tk.t_id=") +
           QString::number(dbturid);
}

QString hallenText(const Abfrage& q) {
    return q.feld(QStringLiteral("ha_lokal1")).alsText() + u' ' + q.feld(QStringLiteral("ha_lokal2")).alsText() +
           QStringLiteral(" - ") + q.feld(QStringLiteral("hab_bez")).alsText();
}

QString konkurrenzAbfrage(int dbturid, const QString& zusatz) {
    return QStringLiteral("SELECT Konkurrenz.kn_bez, Konkurrenz.kn_id FROM Konkurrenz INNER JOIN Klassen ON "
                          "Konkurrenz.kl_id = Klassen.kl_id WHERE Klassen.t_id=") +
           QString::number(dbturid) + zusatz + QStringLiteral(" order by Konkurrenz.kn_bez");
}

QString auslosungAbfrage(int dbturid, const QString& zusatz) {
    return QStringLiteral("SELECT Konkurrenz.kn_bez, al_conf.al_bez, al_conf.al_id FROM (al_conf INNER JOIN "
                          "Konkurrenz ON al_conf.kn_id = Konkurrenz.kn_id) INNER JOIN Klassen ON Konkurrenz.kl_id = "
                          "Klassen.kl_id WHERE Klassen.t_id=") +
           QString::number(dbturid) + zusatz + QStringLiteral(" and al_conf.al_freigabe=1 and al_conf.al_betrieb=1 ") +
           QStringLiteral("order by Konkurrenz.kn_bez, al_conf.al_bez");
}

QString auslosungText(const Abfrage& q) {
    return q.feld(QStringLiteral("kn_bez")).alsText() + u' ' + q.feld(QStringLiteral("al_bez")).alsText();
}

} // namespace

QString Namensabfragen::Halle_bez(const QString& aslid) {
    const auto id = ganzeZahl(aslid);
    if (!id) {
        return nichtGefunden();
    }
    m_dm.SQLAbfrage3(hallenAbfrage(m_dbturid) + QStringLiteral(" and hab.hab_id=") + QString::number(*id));
    return m_dm.QuerySQL3.rowCount() == 1 ? hallenText(m_dm.QuerySQL3) : nichtGefunden();
}

QString Namensabfragen::Konkurrenz_bez(const QString& aslid) {
    const auto id = ganzeZahl(aslid);
    if (id) {
        m_dm.SQLAbfrage3(konkurrenzAbfrage(m_dbturid, QStringLiteral(" and Konkurrenz.kn_id=") + QString::number(*id)));
        if (m_dm.QuerySQL3.rowCount() == 1) {
            return m_dm.QuerySQL3.feld(QStringLiteral("kn_bez")).alsText();
        }
    }
    return aslid == QStringLiteral("0") ? QStringLiteral("ALLE Konkurrenzen") : nichtGefunden();
}

QString Namensabfragen::Auslosung_bez(const QString& aslid) {
    const QStringList teile = zeile_zerlegen(aslid, u'-');
    if (teile.value(0) == QStringLiteral("0")) {
        return QStringLiteral("ALLE Auslosungen");
    }
    QString name;
    for (const QString& teil : teile) {
        if (teil.isEmpty() || teil == QStringLiteral("0")) {
            break;
        }
        if (!name.isEmpty()) {
            name += u',';
        }
        const auto id = ganzeZahl(teil);
        if (!id) {
            name += nichtGefunden();
            continue;
        }
        m_dm.SQLAbfrage3(auslosungAbfrage(m_dbturid, QStringLiteral(" and al_conf.al_id=") + QString::number(*id)));
        if (m_dm.QuerySQL3.rowCount() == 1) {
            name += auslosungText(m_dm.QuerySQL3);
        }
    }
    return name;
}

Referenzlisten referenzlistenLaden(TDM& dm, int dbturid) {
    Referenzlisten listen;
    auto lesen = [&dm](const QString& sql, QList<Listeneintrag>& ziel, auto text, const QString& idSpalte) {
        dm.SQLAbfrage3(sql);
        for (dm.QuerySQL3.first(); !dm.QuerySQL3.eof(); dm.QuerySQL3.next()) {
            ziel.append({text(dm.QuerySQL3), dm.QuerySQL3.feld(idSpalte).alsText()});
        }
    };
    lesen(auslosungAbfrage(dbturid, {}), listen.auslosungen, auslosungText, QStringLiteral("al_id"));
    lesen(hallenAbfrage(dbturid), listen.hallen, hallenText, QStringLiteral("hab_id"));
    listen.konkurrenzen.append({QStringLiteral("ALLE Konkurrenzen"), QStringLiteral("0")});
    lesen(
        konkurrenzAbfrage(dbturid, {}), listen.konkurrenzen,
        [](const Abfrage& q) { return q.feld(QStringLiteral("kn_bez")).alsText(); }, QStringLiteral("kn_id"));
    return listen;
}

} // namespace quenda
