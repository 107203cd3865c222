#include "demo/Aufbau.h"

#include "demo/Systeme.h"
#include "demo/Zeit.h"

namespace quenda::demo {

Aufbau::Aufbau(Sql& sql, quint64 seed, const QDateTime& jetzt) : m_sql(sql), m_zufall(seed, 1), m_jetzt(jetzt) {}

qint64 Aufbau::naechsteId(const char* tabelle) {
    return ++m_ids[QByteArray(tabelle)];
}

void Aufbau::turnier(qint64 t_id, const QString& bez) {
    m_sql.einfuegen("turniere", {{"t_id", t_id}, {"tur_bez", bez}});
}

qint64 Aufbau::klasse(qint64 t_id, const QString& bez) {
    const qint64 id = naechsteId("Klassen");
    m_sql.einfuegen("Klassen", {{"kl_id", id}, {"t_id", t_id}, {"kl_bez", bez}});
    return id;
}

qint64 Aufbau::region(const QString& name) {
    const qint64 id = naechsteId("zd_gebiete");
    m_sql.einfuegen("zd_gebiete", {{"zdg_id", id}, {"zd_gebiet", name}});
    return id;
}

qint64 Aufbau::verein(const QString& name) {
    const qint64 id = naechsteId("Verein");
    m_sql.einfuegen("Verein", {{"v_id", id}, {"verein", name}});
    return id;
}

Meldung Aufbau::spieler(Turnierteil& teil, Kategorie kategorie, const QString& name, const QString& vorname,
                        qint64 v_id, qint64 zdg_id) {
    const qint64 sl_id = naechsteId("Spieler");
    m_sql.einfuegen("Spieler", {{"sl_id", sl_id}, {"name", name}, {"vorname", vorname}});
    const qint64 am_id = naechsteId("anmeldung");
    // Presence is a yes/no mark: -1 yes, 0 no.
    m_sql.einfuegen("anmeldung", {{"am_id", am_id},
                                  {"sl_id", sl_id},
                                  {"v_id", v_id},
                                  {"zdg_id", zdg_id},
                                  {"stnr", QString::number(teil.naechsteStnr++)},
                                  {"anwesend", m_zufall.prozent(85) ? -1 : 0}});
    const Meldung meldung{am_id};
    teil.spieler[static_cast<std::size_t>(kategorie)].push_back(meldung);
    ++teil.summe.spieler;
    return meldung;
}

std::vector<qint64> Aufbau::halle(Turnierteil& teil, const QString& lokal1, const QString& lokal2, const QString& bez,
                                  int anzahl, int ersteNr, int gesperrtNr) {
    const int spalten = anzahl > 12 ? 5 : 4;
    const int reihen = (anzahl + spalten - 1) / spalten;
    const qint64 ha_id = naechsteId("zd_halle");
    m_sql.einfuegen("zd_halle", {{"ha_id", ha_id}, {"ha_lokal1", lokal1}, {"ha_lokal2", lokal2}});
    const qint64 hab_id = naechsteId("zd_hallenaufbau");
    // Coordinates in decimetres of the hall floor: 10 m per table column, 8 m per row.
    m_sql.einfuegen(
        "zd_hallenaufbau",
        {{"hab_id", hab_id}, {"ha_id", ha_id}, {"hab_bez", bez}, {"ha_x", spalten * 100}, {"ha_y", reihen * 80}});
    m_sql.einfuegen("tk_turnierhallen", {{"t_id", teil.t_id}, {"hab_id", hab_id}});
    std::vector<qint64> tische;
    for (int i = 0; i < anzahl; ++i) {
        const qint64 ts_id = naechsteId("zd_tische");
        const int nr = ersteNr + i;
        m_sql.einfuegen("zd_tische", {{"ts_id", ts_id},
                                      {"hab_id", hab_id},
                                      {"ti_nr", nr},
                                      {"ti_x", 50 + (i % spalten) * 100},
                                      {"ti_y", 40 + (i / spalten) * 80},
                                      {"ti_hq", (i / spalten) % 2},
                                      {"ti_sperre", nr == gesperrtNr ? -1 : 0}});
        tische.push_back(ts_id);
        if (nr != gesperrtNr) {
            teil.tische.push_back(ts_id);
        }
    }
    ++teil.summe.hallenaufbauten;
    teil.summe.tische += anzahl;
    return tische;
}

qint64 Aufbau::konkurrenz(Turnierteil& teil, qint64 kl_id, const QString& bez, int typ,
                          const std::optional<QDateTime>& start) {
    const qint64 id = naechsteId("Konkurrenz");
    m_sql.einfuegen("Konkurrenz", {{"kn_id", id},
                                   {"kl_id", kl_id},
                                   {"kn_bez", bez},
                                   {"startdatetime", start ? DbWert(zeitText(*start)) : kein},
                                   {"typ", typ}});
    ++teil.summe.konkurrenzen;
    return id;
}

std::vector<Meldung> Aufbau::auswahl(const Turnierteil& teil, Kategorie kategorie, int ab, int anzahl) const {
    const auto& liste = teil.spieler[static_cast<std::size_t>(kategorie)];
    std::vector<Meldung> meldungen;
    for (int i = 0; i < anzahl; ++i) {
        meldungen.push_back(liste[static_cast<std::size_t>(ab + i) % liste.size()]);
    }
    return meldungen;
}

std::vector<Meldung> Aufbau::folgende(Turnierteil& teil, Kategorie kategorie, int anzahl) {
    auto& naechster = teil.naechster[static_cast<std::size_t>(kategorie)];
    std::vector<Meldung> meldungen = auswahl(teil, kategorie, static_cast<int>(naechster), anzahl);
    naechster =
        (naechster + static_cast<std::size_t>(anzahl)) % teil.spieler[static_cast<std::size_t>(kategorie)].size();
    return meldungen;
}

std::vector<Eintrag> Aufbau::einzelMelden(qint64 kn_id, const std::vector<Meldung>& meldungen) {
    std::vector<Eintrag> eintraege;
    for (const Meldung& meldung : meldungen) {
        const qint64 id = naechsteId("amklasse");
        m_sql.einfuegen("amklasse", {{"amk_id", id}, {"am_id", meldung.am_id}, {"kn_id", kn_id}});
        eintraege.push_back({id, meldung.am_id, 0});
    }
    return eintraege;
}

std::vector<Eintrag> Aufbau::doppelMelden(qint64 kn_id, const std::vector<Meldung>& erste,
                                          const std::vector<Meldung>& zweite) {
    std::vector<Eintrag> eintraege;
    const bool nebeneinander = !zweite.empty();
    const std::size_t paare = nebeneinander ? std::min(erste.size(), zweite.size()) : erste.size() / 2;
    for (std::size_t i = 0; i < paare; ++i) {
        const Meldung& a = nebeneinander ? erste[i] : erste[2 * i];
        const Meldung& b = nebeneinander ? zweite[i] : erste[2 * i + 1];
        const qint64 id = naechsteId("amdoppel");
        m_sql.einfuegen("amdoppel", {{"amd_id", id}, {"kn_id", kn_id}, {"am_id1", a.am_id}, {"am_id2", b.am_id}});
        eintraege.push_back({id, a.am_id, b.am_id});
    }
    return eintraege;
}

void Aufbau::schreiben(const Auslosung& a, Turnierteil& teil) {
    m_sql.einfuegen("al_conf", {{"al_id", a.al_id},
                                {"kn_id", a.kn_id},
                                {"al_bez", a.al_bez},
                                {"sy_typ", a.sy_typ},
                                {"al_freigabe", a.freigabe},
                                {"al_betrieb", a.betrieb},
                                {"gse", a.gse},
                                {"turopt", a.turopt},
                                {"sglopt", a.sglopt}});
    ++teil.summe.auslosungen;
    for (const Gruppe& g : a.gruppen) {
        const int sy = a.sy_typ == 1 ? gruppenSystem(g.groesse) : koSystem(g.groesse);
        m_sql.einfuegen(
            "al_systemfeld",
            {{"syf_id", g.syf_id}, {"al_id", a.al_id}, {"sy_id", sy}, {"grnr", g.grnr}, {"granz", g.groesse}});
        ++teil.summe.gruppen;
        for (const Startplatz& s : g.starter) {
            m_sql.einfuegen("al_starterfeld", {{"stf_id", naechsteId("al_starterfeld")},
                                               {"syf_id", g.syf_id},
                                               {"posnr", s.posnr},
                                               {"amkd_id", s.eintrag.id},
                                               {"sperre", s.sperre}});
        }
        for (const Spiel& sp : g.spiele) {
            std::array<DbWert, 7> saetze;
            const bool leerAlsNull = sp.leerAlsNull.value_or(sp.saetze.empty());
            for (std::size_t i = 0; i < saetze.size(); ++i) {
                if (i < sp.saetze.size()) {
                    saetze[i] = satzText(sp.saetze[i]);
                } else if (!leerAlsNull) {
                    saetze[i] = QString();
                }
            }
            const Spielstand stand = zaehlen(sp.saetze);
            auto zeit = [](const std::optional<QDateTime>& z) { return z ? DbWert(zeitText(*z)) : kein; };
            m_sql.einfuegen("sb_ergebnisse", {{"erg_id", sp.erg_id},
                                              {"syf_id", g.syf_id},
                                              {"sp_id", spielId(sy, sp.nummer)},
                                              {"sp1", sp.sp1},
                                              {"sp2", sp.sp2},
                                              {"status", sp.status},
                                              {"sg", stand.sg},
                                              {"sv", stand.sv},
                                              {"s1", saetze[0]},
                                              {"s2", saetze[1]},
                                              {"s3", saetze[2]},
                                              {"s4", saetze[3]},
                                              {"s5", saetze[4]},
                                              {"s6", saetze[5]},
                                              {"s7", saetze[6]},
                                              {"gse", sp.gse},
                                              {"spielzeit", zeit(sp.spielzeit)},
                                              {"spielbeginn", zeit(sp.spielbeginn)},
                                              {"spieldauer", oderNull(sp.spieldauer)},
                                              {"sr_id", 0},
                                              {"sr_typ", 0},
                                              {"vg_wert", 0},
                                              {"ts_id", sp.ts_id}});
            ++teil.summe.spiele;
            if (sp.belegt) {
                m_sql.einfuegen("sb_tischbelegung",
                                {{"ts_id", sp.ts_id}, {"erg_id", sp.erg_id}, {"typ", a.typ == 1 ? 1 : 2}});
                ++teil.summe.belegungen;
            }
        }
    }
}

} // namespace quenda::demo
