#include "db/Schema.h"

namespace quenda::schema {

namespace {

Spalte g(const char* name) {
    return {QString::fromLatin1(name), Typ::Ganzzahl};
}
Spalte t(const char* name) {
    return {QString::fromLatin1(name), Typ::Text};
}
Spalte d(const char* name) {
    return {QString::fromLatin1(name), Typ::DatumZeit};
}
Tabelle tab(const char* name, const char* schluessel, std::vector<Spalte> spalten) {
    return {QString::fromLatin1(name), QString::fromLatin1(schluessel), std::move(spalten)};
}
Index idx(const char* tabelle, QStringList spalten) {
    return {QString::fromLatin1(tabelle), std::move(spalten)};
}

} // namespace

const std::vector<Tabelle>& tabellen() {
    static const std::vector<Tabelle> liste = {
        tab("turniere", "t_id", {g("t_id"), t("tur_bez")}),
        tab("Klassen", "kl_id", {g("kl_id"), g("t_id"), t("kl_bez")}),
        tab("Konkurrenz", "kn_id", {g("kn_id"), g("kl_id"), t("kn_bez"), d("startdatetime"), g("typ")}),
        tab("anmeldung", "am_id", {g("am_id"), g("sl_id"), g("v_id"), g("zdg_id"), t("stnr"), g("anwesend")}),
        tab("Spieler", "sl_id", {g("sl_id"), t("name"), t("vorname")}),
        tab("Verein", "v_id", {g("v_id"), t("verein")}),
        tab("zd_gebiete", "zdg_id", {g("zdg_id"), t("zd_gebiet")}),
        tab("amklasse", "amk_id", {g("amk_id"), g("am_id"), g("kn_id")}),
        tab("amdoppel", "amd_id", {g("amd_id"), g("kn_id"), g("am_id1"), g("am_id2")}),
        tab("al_conf", "al_id",
            {g("al_id"), g("kn_id"), t("al_bez"), g("sy_typ"), g("al_freigabe"), g("al_betrieb"), g("gse"), g("turopt"),
             g("sglopt")}),
        tab("al_systemfeld", "syf_id", {g("syf_id"), g("al_id"), g("sy_id"), g("grnr"), g("granz")}),
        tab("al_starterfeld", "stf_id", {g("stf_id"), g("syf_id"), g("posnr"), g("amkd_id"), g("sperre")}),
        tab("sy_systeme", "sy_id", {g("sy_id"), t("sy_bez"), g("sy_gr")}),
        tab("sy_runden", "rd_id", {g("rd_id"), g("sy_id"), g("rd_nr"), t("rd_bez")}),
        tab("sy_spiel", "sp_id", {g("sp_id"), g("rd_id"), g("sp_idgv1"), g("sp_idgv2")}),
        tab("sb_ergebnisse", "erg_id",
            {g("erg_id"),     g("syf_id"), g("sp_id"),  g("sp1"),     g("sp2"),       g("status"),
             g("sg"),         g("sv"),     t("s1"),     t("s2"),      t("s3"),        t("s4"),
             t("s5"),         t("s6"),     t("s7"),     g("gse"),     d("spielzeit"), d("spielbeginn"),
             g("spieldauer"), g("sr_id"),  g("sr_typ"), g("vg_wert"), g("ts_id")}),
        tab("sb_tischbelegung", "", {g("ts_id"), g("erg_id"), g("typ")}),
        tab("tk_turnierhallen", "", {g("t_id"), g("hab_id")}),
        tab("zd_hallenaufbau", "hab_id", {g("hab_id"), g("ha_id"), t("hab_bez"), g("ha_x"), g("ha_y")}),
        tab("zd_halle", "ha_id", {g("ha_id"), t("ha_lokal1"), t("ha_lokal2")}),
        tab("zd_tische", "ts_id",
            {g("ts_id"), g("hab_id"), g("ti_nr"), g("ti_x"), g("ti_y"), g("ti_hq"), g("ti_sperre")}),
    };
    return liste;
}

const std::vector<Index>& indizes() {
    static const std::vector<Index> liste = {
        idx("Klassen", {QStringLiteral("t_id")}),
        idx("Konkurrenz", {QStringLiteral("kl_id")}),
        idx("anmeldung", {QStringLiteral("sl_id")}),
        idx("amklasse", {QStringLiteral("kn_id")}),
        idx("amklasse", {QStringLiteral("am_id")}),
        idx("amdoppel", {QStringLiteral("kn_id")}),
        idx("al_conf", {QStringLiteral("kn_id")}),
        idx("al_systemfeld", {QStringLiteral("al_id"), QStringLiteral("grnr")}),
        idx("al_starterfeld", {QStringLiteral("syf_id"), QStringLiteral("posnr")}),
        idx("al_starterfeld", {QStringLiteral("amkd_id")}),
        idx("sy_runden", {QStringLiteral("sy_id")}),
        idx("sy_spiel", {QStringLiteral("rd_id")}),
        idx("sb_ergebnisse", {QStringLiteral("syf_id"), QStringLiteral("status")}),
        // The game statements join a group's results on both positions; without it SQLite pairs every two
        // starters of the group first and scans the group's results for each pair.
        idx("sb_ergebnisse", {QStringLiteral("syf_id"), QStringLiteral("sp1"), QStringLiteral("sp2")}),
        idx("sb_ergebnisse", {QStringLiteral("sp_id")}),
        idx("sb_ergebnisse", {QStringLiteral("ts_id")}),
        idx("sb_tischbelegung", {QStringLiteral("ts_id")}),
        idx("sb_tischbelegung", {QStringLiteral("erg_id")}),
        idx("tk_turnierhallen", {QStringLiteral("t_id")}),
        idx("zd_hallenaufbau", {QStringLiteral("ha_id")}),
        idx("zd_tische", {QStringLiteral("hab_id")}),
    };
    return liste;
}

QString typText(Typ typ) {
    switch (typ) {
    case Typ::Ganzzahl:
        return QStringLiteral("INTEGER");
    case Typ::Zahl:
        return QStringLiteral("REAL");
    case Typ::Text:
        return QStringLiteral("TEXT COLLATE ") + QString::fromLatin1(kollation);
    case Typ::DatumZeit:
        return QStringLiteral("DATETIME");
    }
    return {};
}

QStringList ddl() {
    QStringList statements;
    for (const Tabelle& tabelle : tabellen()) {
        QStringList spalten;
        for (const Spalte& spalte : tabelle.spalten) {
            QString text = spalte.name + u' ' + typText(spalte.typ);
            if (spalte.name == tabelle.schluessel) {
                text += QStringLiteral(" PRIMARY KEY");
            }
            spalten.append(text);
        }
        statements.append(QStringLiteral("CREATE TABLE %1 (%2)").arg(tabelle.name, spalten.join(QStringLiteral(", "))));
    }
    for (const Index& index : indizes()) {
        statements.append(QStringLiteral("CREATE INDEX ix_%1_%2 ON %1 (%3)")
                              .arg(index.tabelle, index.spalten.join(u'_'), index.spalten.join(QStringLiteral(", "))));
    }
    return statements;
}

} // namespace quenda::schema
