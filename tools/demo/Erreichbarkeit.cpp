#include "demo/Pruefung.h"
#include "demo/Sql.h"

#include "db/Schema.h"

namespace quenda::demo {

namespace {

struct Kante {
    const char* von;
    const char* vonSpalte;
    const char* nach;
    const char* nachSpalte;
    const char* bedingung = nullptr; // further condition on the row v of von
};

// Singles draws join their starters to amklasse, doubles draws to amdoppel.
constexpr const char* typDesStarters = "(SELECT k.typ FROM al_systemfeld f JOIN al_conf a ON a.al_id = f.al_id "
                                       "JOIN Konkurrenz k ON k.kn_id = a.kn_id WHERE f.syf_id = v.syf_id)";

const std::vector<Kante>& kanten() {
    static const std::string einzel = std::string(typDesStarters) + " = 1";
    static const std::string doppel = std::string(typDesStarters) + " <> 1";
    static const std::vector<Kante> liste = {
        {"turniere", "t_id", "Klassen", "t_id"},
        {"Klassen", "kl_id", "Konkurrenz", "kl_id"},
        {"Konkurrenz", "kn_id", "al_conf", "kn_id"},
        {"Konkurrenz", "kn_id", "amklasse", "kn_id"},
        {"Konkurrenz", "kn_id", "amdoppel", "kn_id"},
        {"al_conf", "al_id", "al_systemfeld", "al_id"},
        {"al_systemfeld", "sy_id", "sy_systeme", "sy_id"},
        {"sy_systeme", "sy_id", "sy_runden", "sy_id"},
        {"sy_runden", "rd_id", "sy_spiel", "rd_id"},
        {"al_systemfeld", "syf_id", "al_starterfeld", "syf_id"},
        {"al_systemfeld", "syf_id", "sb_ergebnisse", "syf_id"},
        {"al_starterfeld", "amkd_id", "amklasse", "amk_id", einzel.c_str()},
        {"al_starterfeld", "amkd_id", "amdoppel", "amd_id", doppel.c_str()},
        {"amklasse", "am_id", "anmeldung", "am_id"},
        {"amdoppel", "am_id1", "anmeldung", "am_id"},
        {"amdoppel", "am_id2", "anmeldung", "am_id"},
        {"anmeldung", "sl_id", "Spieler", "sl_id"},
        {"anmeldung", "v_id", "Verein", "v_id"},
        {"anmeldung", "zdg_id", "zd_gebiete", "zdg_id"},
        {"sb_ergebnisse", "ts_id", "zd_tische", "ts_id"},
        {"sb_ergebnisse", "sp_id", "sy_spiel", "sp_id"},
        {"turniere", "t_id", "tk_turnierhallen", "t_id"},
        {"tk_turnierhallen", "hab_id", "zd_hallenaufbau", "hab_id"},
        {"zd_hallenaufbau", "ha_id", "zd_halle", "ha_id"},
        {"zd_hallenaufbau", "hab_id", "zd_tische", "hab_id"},
        {"zd_tische", "ts_id", "sb_tischbelegung", "ts_id"},
        {"sb_tischbelegung", "erg_id", "sb_ergebnisse", "erg_id"},
        {"sb_ergebnisse", "syf_id", "al_systemfeld", "syf_id"},
        {"al_systemfeld", "al_id", "al_conf", "al_id"},
        {"al_conf", "kn_id", "Konkurrenz", "kn_id"},
    };
    return liste;
}

QByteArray hilfstabelle(const QString& tabelle) {
    return "temp.r_" + tabelle.toLower().toUtf8();
}

QByteArray hilfstabelle(const char* tabelle) {
    return hilfstabelle(QString::fromLatin1(tabelle));
}

} // namespace

bool istGemeinsam(const QString& tabelle) {
    return tabelle == u"sy_systeme" || tabelle == u"sy_runden" || tabelle == u"sy_spiel";
}

Zeilenmenge erreichbar(sqlite3* db, qint64 t_id) {
    Sql sql(db);
    for (const schema::Tabelle& tabelle : schema::tabellen()) {
        const QByteArray name = hilfstabelle(tabelle.name);
        sql.ausfuehren(QByteArray("CREATE TABLE IF NOT EXISTS " + name + " (id INTEGER PRIMARY KEY)").constData());
        sql.ausfuehren(QByteArray("DELETE FROM " + name).constData());
    }
    sql.ausfuehren("INSERT INTO temp.r_turniere SELECT rowid FROM turniere WHERE t_id = ?", {t_id});
    // Follow every join until a whole pass adds no row.
    bool gewachsen = true;
    while (gewachsen) {
        gewachsen = false;
        for (const Kante& k : kanten()) {
            QByteArray text = "INSERT OR IGNORE INTO " + hilfstabelle(k.nach) + " SELECT n.rowid FROM " + k.nach +
                              " n JOIN " + k.von + " v ON n." + k.nachSpalte + " = v." + k.vonSpalte +
                              " WHERE v.rowid IN (SELECT id FROM " + hilfstabelle(k.von) + ')';
            if (k.bedingung) {
                text += QByteArray(" AND ") + k.bedingung;
            }
            sql.ausfuehren(text.constData());
            gewachsen = gewachsen || sql.geaendert() > 0;
        }
    }
    Zeilenmenge menge;
    for (const schema::Tabelle& tabelle : schema::tabellen()) {
        auto& zeilen = menge[tabelle.name];
        for (const Zeile& z : sql.abfragen(QByteArray("SELECT id FROM " + hilfstabelle(tabelle.name)).constData())) {
            zeilen.insert(zahl(z[0]));
        }
    }
    return menge;
}

} // namespace quenda::demo
