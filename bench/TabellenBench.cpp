// Time of the group table (Objdaten_Tabelle: starter field, results, ranking with the direct comparisons) on
// a generated tournament with three extra groups: two round robins of 200 starters (19,900 games each), one
// before its first game ends (every pair ties on the counters) and one with its first rounds played, and a
// group of 32 in which every game is on a table with a partial score, so that every pair ties on the
// counters and the direct comparison decides.
// Prints the time and the statements of each table, and the usual groups of the tournament (3 to 18
// starters) as a sum and per group.
//
// quenda-bench-tabelle [--size small|medium|large] [--played ROUNDS] [--runs N]

#include "Turnierkontext.h"
#include "db/TDM.h"
#include "db/Verbindung.h"
#include "demo/FesteIds.h"
#include "demo/Generator.h"
#include "demo/Saetze.h"
#include "demo/Sql.h"
#include "demo/Systeme.h"
#include "demo/Zufall.h"
#include "export/Objdatenexport.h"
#include "transfer/Staging.h"
#include "util/QuendaError.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

using namespace quenda;

namespace {

void zeile(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

// Takes the files and drops them: the figures are the table's reading and ranking, not file creation.
struct Verwerfen : Staging {
    void DateiAnlage(const QString&, const QString&, int) override {}
    void DateiAnlageInhalt(const QString&, const QString&, const QByteArray& inhalt, const QString&, int) override {
        bytes += inhalt.size();
    }
    qint64 bytes = 0;
};

qint64 anweisungen = 0;

int anweisungZaehlen(unsigned, void*, void*, void*) {
    ++anweisungen;
    return 0;
}

qint64 naechste(demo::Sql& sql, const char* abfrage) {
    return sql.zahl(abfrage) + 1;
}

struct Grossgruppe {
    qint64 al_id = 0;
    qint64 syf_id = 0;
};

// Adds a singles competition with one released round-robin draw of one group of n starters in operation.
// Games of rounds up to gespielt are finished (random results to three winning sets); with laufend every
// game is instead on a table (state 2) with a partial score, which the table does not count.
Grossgruppe gruppeAnlegen(demo::Sql& sql, int n, int gespielt, bool laufend, quint64 seed) {
    demo::Zufall zufall(seed);
    const qint64 kl_id = sql.zahl("SELECT min(kl_id) FROM Klassen WHERE t_id = ?", {qint64(demo::fest::turnier)});
    const qint64 v_id = sql.zahl("SELECT min(v_id) FROM Verein");
    const qint64 zdg_id = sql.zahl("SELECT min(zdg_id) FROM zd_gebiete");
    const qint64 kn_id = naechste(sql, "SELECT max(kn_id) FROM Konkurrenz");
    sql.einfuegen("Konkurrenz", {{"kn_id", kn_id},
                                 {"kl_id", kl_id},
                                 {"kn_bez", QStringLiteral("Gruppe %1").arg(n)},
                                 {"startdatetime", QStringLiteral("2026-12-09 08:00:00")},
                                 {"typ", qint64(1)}});
    Grossgruppe g;
    g.al_id = naechste(sql, "SELECT max(al_id) FROM al_conf");
    sql.einfuegen("al_conf", {{"al_id", g.al_id},
                              {"kn_id", kn_id},
                              {"al_bez", demo::kein},
                              {"sy_typ", qint64(1)},
                              {"al_freigabe", qint64(1)},
                              {"al_betrieb", qint64(1)},
                              {"gse", qint64(3)},
                              {"turopt", qint64(31)},
                              {"sglopt", qint64(15)}});
    const qint64 sy_id = naechste(sql, "SELECT max(sy_id) FROM sy_systeme");
    sql.einfuegen("sy_systeme", {{"sy_id", sy_id}, {"sy_bez", QStringLiteral("Gruppe %1").arg(n)}, {"sy_gr", n}});
    g.syf_id = naechste(sql, "SELECT max(syf_id) FROM al_systemfeld");
    sql.einfuegen("al_systemfeld",
                  {{"syf_id", g.syf_id}, {"al_id", g.al_id}, {"sy_id", sy_id}, {"grnr", qint64(1)}, {"granz", n}});
    const qint64 sl0 = naechste(sql, "SELECT max(sl_id) FROM Spieler");
    const qint64 am0 = naechste(sql, "SELECT max(am_id) FROM anmeldung");
    const qint64 amk0 = naechste(sql, "SELECT max(amk_id) FROM amklasse");
    const qint64 stf0 = naechste(sql, "SELECT max(stf_id) FROM al_starterfeld");
    for (int i = 0; i < n; ++i) {
        sql.einfuegen("Spieler", {{"sl_id", sl0 + i},
                                  {"name", QStringLiteral("Spieler%1").arg(i + 1)},
                                  {"vorname", QStringLiteral("Vorname%1").arg(n)}});
        sql.einfuegen("anmeldung", {{"am_id", am0 + i},
                                    {"sl_id", sl0 + i},
                                    {"v_id", v_id},
                                    {"zdg_id", zdg_id},
                                    {"stnr", QString::number(9000 + i)},
                                    {"anwesend", qint64(1)}});
        sql.einfuegen("amklasse", {{"amk_id", amk0 + i}, {"am_id", am0 + i}, {"kn_id", kn_id}});
        sql.einfuegen("al_starterfeld", {{"stf_id", stf0 + i},
                                         {"syf_id", g.syf_id},
                                         {"posnr", i + 1},
                                         {"amkd_id", amk0 + i},
                                         {"sperre", qint64(0)}});
    }
    const qint64 rd0 = naechste(sql, "SELECT max(rd_id) FROM sy_runden");
    const qint64 sp0 = naechste(sql, "SELECT max(sp_id) FROM sy_spiel");
    const qint64 erg0 = naechste(sql, "SELECT max(erg_id) FROM sb_ergebnisse");
    for (int r = 1; r <= demo::gruppenRunden(n); ++r) {
        sql.einfuegen(
            "sy_runden",
            {{"rd_id", rd0 + r}, {"sy_id", sy_id}, {"rd_nr", r}, {"rd_bez", QStringLiteral("%1. Runde").arg(r)}});
    }
    qint64 k = 0;
    for (const demo::Paarung& p : demo::jederGegenJeden(n)) {
        const qint64 sp_id = sp0 + k;
        sql.einfuegen("sy_spiel",
                      {{"sp_id", sp_id}, {"rd_id", rd0 + p.runde}, {"sp_idgv1", p.pos1}, {"sp_idgv2", p.pos2}});
        std::vector<demo::Satz> saetze;
        int status = 0;
        if (laufend) {
            saetze = demo::zufallsZwischenstand(zufall, 3);
            status = 2;
        } else if (p.runde <= gespielt) {
            saetze = demo::zufallsErgebnis(zufall, 3, zufall.prozent(50));
            status = 4;
        }
        const demo::Spielstand stand = demo::zaehlen(saetze);
        demo::DbWert s[7];
        for (std::size_t i = 0; i < saetze.size() && i < 7; ++i) {
            s[i] = demo::satzText(saetze[i]);
        }
        sql.einfuegen("sb_ergebnisse", {{"erg_id", erg0 + k},
                                        {"syf_id", g.syf_id},
                                        {"sp_id", sp_id},
                                        {"sp1", p.pos1},
                                        {"sp2", p.pos2},
                                        {"status", status},
                                        {"sg", stand.sg},
                                        {"sv", stand.sv},
                                        {"s1", s[0]},
                                        {"s2", s[1]},
                                        {"s3", s[2]},
                                        {"s4", s[3]},
                                        {"s5", s[4]},
                                        {"s6", s[5]},
                                        {"s7", s[6]},
                                        {"gse", qint64(0)}});
        ++k;
    }
    return g;
}

struct Lauf {
    double ms = 0;
    qint64 anweisungen = 0;
};

double median(std::vector<double> werte) {
    std::sort(werte.begin(), werte.end());
    return werte.empty() ? 0 : werte[werte.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList argumente = app.arguments();
    const auto option = [&argumente](const char* name, const QString& vorgabe) {
        const qsizetype i = argumente.indexOf(QString::fromLatin1(name));
        return i > 0 && i + 1 < argumente.size() ? argumente.at(i + 1) : vorgabe;
    };
    const auto groesse = demo::groesseLesen(option("--size", QStringLiteral("large")));
    const int gespielt = option("--played", QStringLiteral("20")).toInt();
    const int laeufe = std::max(1, option("--runs", QStringLiteral("3")).toInt());
    if (!groesse) {
        std::fprintf(stderr, "Aufruf: quenda-bench-tabelle [--size small|medium|large] [--played ROUNDS] [--runs N]\n");
        return 2;
    }
    try {
        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("turnier.db"));
        demo::Generator({1, *groesse, demo::standardJetzt()}).erzeugen(pfad);
        Grossgruppe offen;
        Grossgruppe gross;
        Grossgruppe gleich;
        {
            Verbindung schreiben;
            schreiben.oeffnen(pfad, Verbindung::Modus::Schreiben);
            demo::Sql sql(schreiben.handle());
            sql.ausfuehren("BEGIN");
            offen = gruppeAnlegen(sql, 200, 0, false, 10);
            gross = gruppeAnlegen(sql, 200, gespielt, false, 11);
            gleich = gruppeAnlegen(sql, 32, 0, true, 12);
            sql.ausfuehren("COMMIT");
            sql.ausfuehren("ANALYZE");
        }

        Turnierkontext kontext{pfad,
                               static_cast<int>(demo::fest::turnier),
                               QStringLiteral("Benchmark"),
                               dir.filePath(QStringLiteral("qnda001turnier")),
                               {}};
        QDir().mkpath(kontext.tsdir);
        TDM dm;
        dm.oeffnen(pfad);
        sqlite3_trace_v2(dm.ADOConnectionTURDB.handle(), SQLITE_TRACE_PROFILE, anweisungZaehlen, nullptr);
        Verwerfen staging;
        Objdatenexport ex(dm, kontext, staging);
        const auto tabelle = [&](qint64 al_id, qint64 syf_id, int typ) {
            anweisungen = 0;
            QElapsedTimer uhr;
            uhr.start();
            ex.tabspieleliste.clear();
            ex.Objdaten_Tabelle(static_cast<int>(al_id), static_cast<int>(syf_id), typ, 1, QStringLiteral("0"));
            return Lauf{static_cast<double>(uhr.nsecsElapsed()) / 1e6, anweisungen};
        };
        const auto messen = [&](const QString& name, const Grossgruppe& g) {
            std::vector<double> zeiten;
            Lauf lauf;
            for (int i = 0; i < laeufe; ++i) {
                lauf = tabelle(g.al_id, g.syf_id, 1);
                zeiten.push_back(lauf.ms);
            }
            zeile(QStringLiteral("  %1: %2 ms (Median von %3, min %4), %5 Anweisungen je Tabelle")
                      .arg(name)
                      .arg(median(zeiten), 0, 'f', 1)
                      .arg(laeufe)
                      .arg(*std::min_element(zeiten.begin(), zeiten.end()), 0, 'f', 1)
                      .arg(lauf.anweisungen));
            return median(zeiten);
        };

        zeile(QStringLiteral("== Gruppentabellen (%1)").arg(demo::groesseText(*groesse)));
        const double msOffen = messen(QStringLiteral("200 Starter, 19.900 Spiele, noch keines beendet"), offen);
        const double msGross =
            messen(QStringLiteral("200 Starter, 19.900 Spiele, %1 Runden gespielt").arg(gespielt), gross);
        const double msGleich = messen(QStringLiteral("32 Starter, alle gleichauf"), gleich);

        // The usual groups of the tournament: every group of a released round-robin draw but the two above.
        std::vector<std::array<qint64, 3>> gruppen;
        {
            demo::Sql sql(dm.ADOConnectionTURDB.handle());
            for (const demo::Zeile& z : sql.abfragen(
                     "SELECT al.al_id, syf.syf_id, kn.typ FROM al_systemfeld syf JOIN al_conf al ON al.al_id = "
                     "syf.al_id "
                     "JOIN Konkurrenz kn ON kn.kn_id = al.kn_id JOIN Klassen kl ON kl.kl_id = kn.kl_id "
                     "WHERE al.sy_typ = 1 AND al.al_freigabe = 1 AND kl.t_id = ? AND syf.syf_id NOT IN (?, ?, ?) "
                     "ORDER BY syf.syf_id",
                     {qint64(demo::fest::turnier), offen.syf_id, gross.syf_id, gleich.syf_id})) {
                gruppen.push_back({demo::zahl(z[0]), demo::zahl(z[1]), demo::zahl(z[2])});
            }
        }
        std::vector<double> jeGruppe;
        double summe = 0;
        qint64 anweisungenSumme = 0;
        for (int i = 0; i < laeufe; ++i) {
            double lauf = 0;
            qint64 anzahl = 0;
            for (const auto& g : gruppen) {
                const Lauf l = tabelle(g[0], g[1], static_cast<int>(g[2]));
                lauf += l.ms;
                anzahl += l.anweisungen;
                if (i == 0) {
                    jeGruppe.push_back(l.ms);
                }
            }
            summe = i == 0 ? lauf : std::min(summe, lauf);
            anweisungenSumme = anzahl;
        }
        zeile(QStringLiteral("  %1 übliche Gruppen: zusammen %2 ms (bester von %3), Median je Gruppe %4 ms, "
                             "%5 Anweisungen zusammen")
                  .arg(gruppen.size())
                  .arg(summe, 0, 'f', 1)
                  .arg(laeufe)
                  .arg(median(jeGruppe), 0, 'f', 3)
                  .arg(anweisungenSumme));
        zeile(QStringLiteral("werte offen_ms=%1 gross_ms=%2 gleich_ms=%3 ueblich_ms=%4 ueblich_anweisungen=%5")
                  .arg(msOffen, 0, 'f', 1)
                  .arg(msGross, 0, 'f', 1)
                  .arg(msGleich, 0, 'f', 1)
                  .arg(summe, 0, 'f', 1)
                  .arg(anweisungenSumme));
    } catch (const QuendaError& e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
