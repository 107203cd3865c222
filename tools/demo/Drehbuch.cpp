#include "demo/Drehbuch.h"

#include "demo/FesteIds.h"
#include "demo/Namen.h"

#include <algorithm>
#include <bit>

namespace quenda::demo {

using namespace Qt::StringLiterals;

namespace {

using K = Kategorie;

// Shares of the main tournament's players per category, in per mille.
constexpr std::array<int, kategorien> anteile = {450, 250, 125, 100, 75};

std::size_t idx(Kategorie k) {
    return static_cast<std::size_t>(k);
}

bool weiblich(Kategorie k) {
    return k == K::Damen || k == K::Maedchen;
}

QDateTime um(const Aufbau& aufbau, int minuten) {
    return aufbau.jetzt().addSecs(60LL * minuten);
}

Auslosung einstellung(qint64 kn_id, int typ, DbWert al_bez, DbWert freigabe, DbWert betrieb, DbWert turopt,
                      DbWert sglopt, const QDateTime& beginn) {
    Auslosung a;
    a.kn_id = kn_id;
    a.typ = typ;
    a.al_bez = std::move(al_bez);
    a.freigabe = std::move(freigabe);
    a.betrieb = std::move(betrieb);
    a.turopt = std::move(turopt);
    a.sglopt = std::move(sglopt);
    a.beginn = beginn;
    return a;
}

Spiel& spiel(Gruppe& g, int nummer) {
    return g.spiele[static_cast<std::size_t>(nummer - 1)];
}

void fertig(Spiel& s, std::vector<Satz> saetze, int dauer) {
    s.status = 4;
    s.saetze = std::move(saetze);
    s.leerAlsNull = false;
    s.spielbeginn = s.spielzeit;
    s.spieldauer = dauer;
}

// Group 1 of draw 1: one game in every state, the set notation's special cases and the tables 1 to 5.
void schaufenster(Aufbau& aufbau, Auslosung& a, Turnierteil& teil) {
    Gruppe& g = a.gruppen[0];
    g.fest = true;
    fertig(spiel(g, 1), {{false, 0}, {true, 7}, {false, 12}, {true, 0}, {true, 9}}, 31);
    spiel(g, 1).ts_id = qint64(7);
    fertig(spiel(g, 2), {{true, 5}, {true, 8}, {true, 11}}, 18);
    spiel(g, 2).ts_id = qint64(4);
    spiel(g, 2).belegt = true;
    teil.belegteTische.insert(4);
    spiel(g, 3).status = 4; // walk-over: finished without sets
    aufbau.aufTisch(a, g, spiel(g, 4), teil, 1, 2);
    aufbau.aufTisch(a, g, spiel(g, 5), teil, 2, 3);
    spiel(g, 5).saetze = {{true, 7}, {false, 9}};
    spiel(g, 5).leerAlsNull = false;
    aufbau.aufTisch(a, g, spiel(g, 6), teil, 5, 33);
    spiel(g, 6).saetze = {{true, 3}, {false, 5}, {true, 8}};
    spiel(g, 6).leerAlsNull = false;
    aufbau.aufTisch(a, g, spiel(g, 7), teil, 3, 22);
    fertig(spiel(g, 8), {{false, 7}, {true, 9}, {false, 4}, {false, 11}}, 27);
    spiel(g, 8).status = 5;
    spiel(g, 8).gse = kein;
    spiel(g, 9).status = 1;
    spiel(g, 10).status = 9;
    spiel(g, 11).ts_id = qint64(0);
    spiel(g, fest::ergEigeneGse).gse = qint64(4);
}

// Group 2 of draw 1: 1 beats 2, 2 beats 3, 3 beats 1, each 3:1 with the same sets, and all three beat 4
// by the same 3:0, so games, sets and balls tie and only the direct comparison is left.
void dreierPatt(Auslosung& a) {
    Gruppe& g = a.gruppen[1];
    g.fest = true;
    for (Spiel& s : g.spiele) {
        const auto schlaegt = [](int x, int y) {
            return y == 4 || (x == 1 && y == 2) || (x == 2 && y == 3) || (x == 3 && y == 1);
        };
        const bool ersterSiegt = schlaegt(s.sp1, s.sp2);
        const bool gegenVier = s.sp1 == 4 || s.sp2 == 4;
        // Sets from the winner's view: won, loser's points.
        const std::vector<std::pair<bool, int>> sicht =
            gegenVier ? std::vector<std::pair<bool, int>>{{true, 5}, {true, 5}, {true, 5}}
                      : std::vector<std::pair<bool, int>>{{true, 9}, {false, 9}, {true, 9}, {true, 9}};
        std::vector<Satz> saetze;
        for (const auto& [gewonnen, punkte] : sicht) {
            saetze.push_back({gewonnen == ersterSiegt, punkte});
        }
        fertig(s, saetze, 20 + s.nummer);
    }
}

struct Vereinsliste {
    std::vector<std::pair<qint64, qint64>> vereine; // v_id, zdg_id of its region
    std::vector<qint64> regionen;
};

Meldung zufallsSpieler(Aufbau& aufbau, Turnierteil& teil, Kategorie k, const Vereinsliste& liste) {
    Zufall& z = aufbau.zufall();
    const Name name = zufallsName(z, weiblich(k));
    const auto& [v_id, zdg_id] = z.wahl(liste.vereine);
    // Most players play in their club's region; some registered elsewhere.
    const qint64 region = z.prozent(90) ? zdg_id : z.wahl(liste.regionen);
    return aufbau.spieler(teil, k, name.name, name.vorname, v_id, region);
}

void feste(Aufbau& aufbau, Turnierteil& teil, const std::array<qint64, kategorien>& klasse) {
    const qint64 kl1 = klasse[idx(K::Herren)];
    const qint64 kl2 = klasse[idx(K::Jungen)];
    const qint64 kl3 = klasse[idx(K::Senioren)];
    const QDateTime mitternacht(aufbau.jetzt().date().addDays(1), QTime(0, 0), Qt::UTC);
    const qint64 knHA = aufbau.konkurrenz(teil, kl1, QStringLiteral("Herren A"), 1, um(aufbau, -120));
    const qint64 knDA = aufbau.konkurrenz(teil, kl1, QStringLiteral("Damen A"), 1, um(aufbau, -60));
    const qint64 knHD = aufbau.konkurrenz(teil, kl1, QStringLiteral("Herren-Doppel"), 2, um(aufbau, -90));
    const qint64 knMx = aufbau.konkurrenz(teil, kl1, QStringLiteral("Mixed"), 3, um(aufbau, 120));
    const qint64 knJ15 = aufbau.konkurrenz(teil, kl2, QStringLiteral("Jungen U15"), 1, um(aufbau, 60));
    const qint64 knM15 = aufbau.konkurrenz(teil, kl2, QStringLiteral("Mädchen U15"), 1, um(aufbau, 300));
    const qint64 knS60 = aufbau.konkurrenz(teil, kl3, QStringLiteral("Senioren 60"), 1, std::nullopt);
    const qint64 knHB = aufbau.konkurrenz(teil, kl1, QStringLiteral("Herren B"), 1, um(aufbau, -30));
    const qint64 knJ18 = aufbau.konkurrenz(teil, kl2, QStringLiteral("Jungen U18"), 1, um(aufbau, 180));
    const qint64 knM18 = aufbau.konkurrenz(teil, kl2, QStringLiteral("Mädchen U18"), 1, um(aufbau, 181));
    aufbau.konkurrenz(teil, kl3, QStringLiteral("Senioren 70"), 1, um(aufbau, 30));
    const qint64 knDB = aufbau.konkurrenz(teil, kl1, QStringLiteral("Damen B"), 1, um(aufbau, 60));
    const qint64 knS50 = aufbau.konkurrenz(teil, kl3, QStringLiteral("Senioren 50"), 1, mitternacht);

    const auto herrenA = aufbau.einzelMelden(knHA, aufbau.auswahl(teil, K::Herren, 0, 19));
    const auto damenA = aufbau.einzelMelden(knDA, aufbau.auswahl(teil, K::Damen, 0, 8));
    const auto doppel = aufbau.doppelMelden(knHD, aufbau.auswahl(teil, K::Herren, 0, 16), {});
    aufbau.doppelMelden(knMx, aufbau.auswahl(teil, K::Herren, 28, 6), aufbau.auswahl(teil, K::Damen, 10, 6));
    aufbau.einzelMelden(knJ15, aufbau.auswahl(teil, K::Jungen, 0, 8));
    aufbau.einzelMelden(knM15, aufbau.auswahl(teil, K::Maedchen, 0, 6));
    aufbau.einzelMelden(knS60, aufbau.auswahl(teil, K::Senioren, 0, 5));
    const auto herrenB = aufbau.einzelMelden(knHB, aufbau.auswahl(teil, K::Herren, 19, 9));
    aufbau.einzelMelden(knJ18, aufbau.auswahl(teil, K::Jungen, 4, 6));
    aufbau.einzelMelden(knM18, aufbau.auswahl(teil, K::Maedchen, 3, 5));
    const auto damenB = aufbau.einzelMelden(knDB, aufbau.auswahl(teil, K::Damen, 8, 8));
    aufbau.einzelMelden(knS50, aufbau.auswahl(teil, K::Senioren, 1, 5));

    const QString vorrunde = QStringLiteral("Vorrunde");
    const QString endrunde = QStringLiteral("Endrunde");
    const qint64 ja = 1;
    const qint64 nein = 0;

    Auslosung al1 = aufbau.gruppenAuslosung(
        einstellung(knHA, 1, vorrunde, ja, ja, qint64(31), qint64(15), um(aufbau, -40)), herrenA, {6, 4, 5, 4});
    al1.gruppen[1].versatzMinuten = -60;
    al1.gruppen[3].versatzMinuten = 60;
    aufbau.spielzeiten(al1);
    al1.gruppen[2].starter[1].sperre = 1;
    al1.gruppen[3].fest = true;
    schaufenster(aufbau, al1, teil);
    dreierPatt(al1);
    aufbau.verlaufen(al1, teil);
    aufbau.schreiben(al1, teil);

    std::vector<Eintrag> koHerren = herrenA;
    aufbau.zufall().mischen(koHerren);
    koHerren.resize(13);
    Auslosung al2 =
        aufbau.koAuslosung(einstellung(knHA, 1, endrunde, ja, ja, qint64(7), qint64(0), um(aufbau, -30)), koHerren, 16);
    al2.gruppen[0].spiele.back().gse = qint64(4);
    aufbau.verlaufen(al2, teil);
    aufbau.schreiben(al2, teil);

    Auslosung al3 =
        aufbau.gruppenAuslosung(einstellung(knDA, 1, kein, ja, nein, kein, kein, um(aufbau, -50)), damenA, {4, 4});
    aufbau.verlaufen(al3, teil);
    aufbau.schreiben(al3, teil);

    Auslosung al4 = aufbau.gruppenAuslosung(
        einstellung(knHD, 2, vorrunde, ja, ja, qint64(0), qint64(7), um(aufbau, -45)), doppel, {4, 4});
    aufbau.verlaufen(al4, teil);
    aufbau.schreiben(al4, teil);

    std::vector<Eintrag> koDoppel = doppel;
    aufbau.zufall().mischen(koDoppel);
    koDoppel.resize(6);
    Auslosung al5 =
        aufbau.koAuslosung(einstellung(knHD, 2, endrunde, ja, ja, qint64(31), qint64(0), um(aufbau, -25)), koDoppel, 8);
    aufbau.verlaufen(al5, teil);
    aufbau.schreiben(al5, teil);

    Auslosung al6 = aufbau.gruppenAuslosung(
        einstellung(knHB, 1, vorrunde, nein, nein, qint64(31), qint64(15), um(aufbau, -30)), herrenB, {3, 3, 3});
    aufbau.schreiben(al6, teil);

    Auslosung al7 = aufbau.gruppenAuslosung(
        einstellung(knDB, 1, QString(), ja, nein, qint64(31), qint64(8), um(aufbau, 60)), damenB, {4, 4});
    aufbau.schreiben(al7, teil);

    Auslosung al8 = aufbau.koAuslosung(
        einstellung(knDB, 1, QStringLiteral("Trostrunde"), kein, kein, qint64(0), qint64(0), um(aufbau, 150)), damenB,
        8);
    aufbau.schreiben(al8, teil);
}

QString konkurrenzName(Kategorie k, bool doppel, int nummer) {
    static const std::array<QString, kategorien> stamm = {QStringLiteral("Herren"), QStringLiteral("Damen"),
                                                          QStringLiteral("Jungen"), QStringLiteral("Mädchen"),
                                                          QStringLiteral("Senioren")};
    static const std::array<QStringList, kategorien> zusatz = {
        QStringList{u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s, u"H"_s, u"I"_s, u"K"_s},
        QStringList{u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s},
        QStringList{u"U11"_s, u"U13"_s, u"U19"_s, u"U12"_s, u"U14"_s},
        QStringList{u"U11"_s, u"U13"_s, u"U19"_s, u"U12"_s, u"U14"_s},
        QStringList{u"40"_s, u"45"_s, u"65"_s, u"75"_s, u"80"_s}};
    const QStringList& liste = zusatz[idx(k)];
    QString name = stamm[idx(k)] + (doppel ? QStringLiteral("-Doppel ") : QStringLiteral(" "));
    name += liste[nummer % liste.size()];
    if (nummer >= liste.size()) {
        name += QStringLiteral(" (%1)").arg(nummer / liste.size() + 1);
    }
    return name;
}

// Places of each group by games won (then position), as the next stage takes them.
std::vector<Eintrag> gruppenBeste(const Auslosung& a, int jeGruppe) {
    std::vector<Eintrag> beste;
    for (const Gruppe& g : a.gruppen) {
        std::vector<std::pair<int, int>> siege; // -wins, posnr
        for (const Startplatz& s : g.starter) {
            int anzahl = 0;
            for (const Spiel& sp : g.spiele) {
                const Spielstand stand = zaehlen(sp.saetze);
                if ((sp.status == 4 || sp.status == 5) && stand.sg != stand.sv) {
                    anzahl += (stand.sg > stand.sv ? sp.sp1 : sp.sp2) == s.posnr;
                }
            }
            siege.emplace_back(-anzahl, s.posnr);
        }
        std::sort(siege.begin(), siege.end());
        for (int i = 0; i < jeGruppe && i < static_cast<int>(siege.size()); ++i) {
            beste.push_back(g.starter[static_cast<std::size_t>(siege[static_cast<std::size_t>(i)].second - 1)].eintrag);
        }
    }
    return beste;
}

bool gruppenphaseVorbei(const Auslosung& a) {
    for (const Gruppe& g : a.gruppen) {
        for (const Spiel& s : g.spiele) {
            if (s.status != 4 && s.status != 5 && s.status != 9) {
                return false;
            }
        }
    }
    return true;
}

void zufallsOptionen(Zufall& z, Auslosung& a) {
    static const std::vector<DbWert> turopts = {qint64(31), qint64(31), qint64(7), qint64(0),
                                                qint64(15), qint64(23), kein};
    static const std::vector<DbWert> sglopts = {qint64(15), qint64(15), qint64(7), qint64(0), qint64(8), kein};
    a.turopt = z.wahl(turopts);
    a.sglopt = z.wahl(sglopts);
    const int art = z.bereich(1, 10);
    a.gse = art == 1 ? 2 : (art == 2 ? 4 : 3);
}

void spielGseStreuen(Zufall& z, Auslosung& a) {
    for (Gruppe& g : a.gruppen) {
        for (Spiel& s : g.spiele) {
            if (z.prozent(5)) {
                s.gse = kein; // NULL: the draw's number of winning sets applies, as with 0
            }
        }
    }
}

void weitereKonkurrenzen(Aufbau& aufbau, Turnierteil& teil, const Profil& p,
                         const std::array<qint64, kategorien>& klasse) {
    static const std::array<Kategorie, 12> folge = {K::Herren,   K::Damen, K::Herren,   K::Jungen,
                                                    K::Herren,   K::Damen, K::Maedchen, K::Herren,
                                                    K::Senioren, K::Damen, K::Jungen,   K::Herren};
    Zufall& z = aufbau.zufall();
    std::array<int, kategorien> einzelNummer{};
    std::array<int, kategorien> doppelNummer{};
    for (std::size_t i = 0; teil.summe.gruppen < p.gruppenZiel; ++i) {
        const Kategorie k = folge[i % folge.size()];
        const bool doppel = i % 4 == 3;
        const int typ = doppel ? 2 : 1;
        const QString name = konkurrenzName(k, doppel, doppel ? doppelNummer[idx(k)]++ : einzelNummer[idx(k)]++);
        const int pool = static_cast<int>(teil.spieler[idx(k)].size()) / (doppel ? 2 : 1);

        const bool nurKo = z.prozent(15);
        std::vector<int> groessen;
        int feld = 0;
        int eintraege = 0;
        if (nurKo) {
            feld = z.wahl(p.koFelder);
            eintraege = std::min(pool, feld - z.bereich(1, feld / 4));
        } else {
            const int gruppen = z.bereich(p.gruppenMin, p.gruppenMax);
            for (int g = 0; g < gruppen; ++g) {
                const int n = z.wahl(p.gruppenGroessen);
                if (eintraege + n > pool) {
                    break;
                }
                groessen.push_back(n);
                eintraege += n;
            }
        }
        if (eintraege < 3 || (nurKo && eintraege <= feld / 2)) {
            continue;
        }

        // Start relative to the reference time, in steps of five minutes.
        const int art = z.bereich(1, 100);
        int minuten = 0;
        if (art <= 50) {
            minuten = -z.bereich(2, 60) * 5;
        } else if (art <= 70) {
            minuten = z.bereich(0, 12) * 5;
        } else if (art <= 85) {
            minuten = z.bereich(13, 36) * 5;
        } else {
            minuten = z.bereich(37, 120) * 5;
        }
        const QDateTime start = um(aufbau, minuten);
        const qint64 kn = aufbau.konkurrenz(teil, klasse[idx(k)], name, typ, start);
        std::vector<Eintrag> liste = doppel ? aufbau.doppelMelden(kn, aufbau.folgende(teil, k, 2 * eintraege), {})
                                            : aufbau.einzelMelden(kn, aufbau.folgende(teil, k, eintraege));
        z.mischen(liste);

        DbWert freigabe = qint64(1);
        DbWert betrieb = qint64(1);
        if (minuten < -10) {
            betrieb = qint64(z.prozent(85) ? 1 : 0);
        } else if (minuten <= 60) {
            const int wahl = z.bereich(1, 4);
            freigabe = wahl <= 2 ? DbWert(qint64(1)) : (wahl == 3 ? DbWert(qint64(0)) : kein);
            betrieb = wahl <= 2 ? DbWert(qint64(0)) : kein;
        } else if (minuten <= 180 && z.prozent(50)) {
            freigabe = qint64(0);
            betrieb = qint64(0);
        } else {
            continue; // no draw yet: only the participant list exists
        }

        static const std::vector<DbWert> gruppenNamen = {QStringLiteral("Vorrunde"), QStringLiteral("Gruppenphase"),
                                                         kein, QString()};
        static const std::vector<DbWert> koNamen = {QStringLiteral("Hauptrunde"), kein};
        Auslosung e =
            einstellung(kn, typ, nurKo ? z.wahl(koNamen) : z.wahl(gruppenNamen), freigabe, betrieb, kein, kein, start);
        zufallsOptionen(z, e);
        Auslosung a = nurKo ? aufbau.koAuslosung(e, liste, feld) : aufbau.gruppenAuslosung(e, liste, groessen);
        spielGseStreuen(z, a);
        aufbau.verlaufen(a, teil);
        aufbau.schreiben(a, teil);

        if (nurKo || !a.freigegeben() || !gruppenphaseVorbei(a)) {
            continue;
        }
        // The group stage is over: its best two of each group play the knock-out stage.
        const std::vector<Eintrag> beste = gruppenBeste(a, 2);
        QDateTime ende = start;
        for (const Gruppe& g : a.gruppen) {
            for (const Spiel& s : g.spiele) {
                ende = std::max(ende, *s.spielzeit);
            }
        }
        Auslosung ke =
            einstellung(kn, typ, QStringLiteral("Endrunde"), freigabe, betrieb, kein, kein, ende.addSecs(30 * 60));
        zufallsOptionen(z, ke);
        const int koFeld = std::max(4, static_cast<int>(std::bit_ceil(beste.size())));
        Auslosung ko = aufbau.koAuslosung(ke, beste, koFeld);
        if (z.prozent(30)) {
            ko.gruppen[0].spiele.back().gse = qint64(std::min(ke.gse + 1, 4));
        }
        aufbau.verlaufen(ko, teil);
        aufbau.schreiben(ko, teil);
    }
}

} // namespace

Profil profil(Groesse groesse) {
    switch (groesse) {
    case Groesse::Klein:
        return {80, 12, {8, 4}, 0, {}, 0, 0, {}};
    case Groesse::Mittel:
        return {500, 40, {12, 12}, 75, {4, 5, 5, 6}, 2, 6, {8, 16}};
    case Groesse::Gross:
        return {2000, 150, {20, 20, 20, 20}, 300, {6, 6, 7, 8}, 4, 10, {16, 32, 64}};
    }
    return {};
}

void hauptturnier(Aufbau& aufbau, Turnierteil& teil, const Profil& p) {
    Zufall& z = aufbau.zufall();
    Vereinsliste liste;
    for (const QString& name : regionen()) {
        liste.regionen.push_back(aufbau.region(name));
    }
    const QString sued = QStringLiteral("TTV Süd");
    const QString suedGross = QStringLiteral("TTV SÜD");
    liste.vereine.emplace_back(aufbau.verein(sued), liste.regionen[0]);
    liste.vereine.emplace_back(aufbau.verein(suedGross), liste.regionen[0]);
    for (const QString& name : vereinsNamen(z, p.vereine - 2, {sued, suedGross})) {
        liste.vereine.emplace_back(aufbau.verein(name), z.wahl(liste.regionen));
    }

    // The first players have fixed names: an apostrophe, umlauts, and the two clubs that differ in case.
    aufbau.spieler(teil, K::Herren, QStringLiteral("D'Angelo"), QStringLiteral("Luca"), liste.vereine[0].first,
                   liste.regionen[0]);
    aufbau.spieler(teil, K::Herren, QStringLiteral("Jäger"), QStringLiteral("Jürgen"), liste.vereine[1].first,
                   liste.regionen[0]);
    aufbau.spieler(teil, K::Herren, QStringLiteral("Weiß"), QStringLiteral("Björn"), liste.vereine[2].first,
                   liste.vereine[2].second);
    aufbau.spieler(teil, K::Herren, QStringLiteral("Öztürk"), QStringLiteral("Sören"), liste.vereine[3].first,
                   liste.vereine[3].second);
    int verteilt = 0;
    for (int k = 0; k < kategorien; ++k) {
        const int anzahl =
            k + 1 < kategorien ? p.spieler * anteile[static_cast<std::size_t>(k)] / 1000 : p.spieler - verteilt;
        verteilt += anzahl;
        const auto kategorie = static_cast<Kategorie>(k);
        while (static_cast<int>(teil.spieler[idx(kategorie)].size()) < anzahl) {
            zufallsSpieler(aufbau, teil, kategorie, liste);
        }
    }

    static const std::array<std::pair<const char16_t*, const char16_t*>, 4> hallen = {
        std::pair{u"Sporthalle Am Südpark", u"Südparkweg 12, 50939 Köln"},
        std::pair{u"Dreifachhalle Nord", u"Nordring 3, 50733 Köln"},
        std::pair{u"Halle Gymnasium Kreuzgasse", u"Vogelsanger Straße 1, 50672 Köln"},
        std::pair{u"Turnhalle Lindenthal", u"Dürener Straße 199, 50931 Köln"}};
    int nummer = 1;
    for (std::size_t i = 0; i < p.tische.size(); ++i) {
        const auto& [lokal1, lokal2] = hallen[i % hallen.size()];
        aufbau.halle(teil, QString::fromUtf16(lokal1), QString::fromUtf16(lokal2),
                     QStringLiteral("Aufbau Turniertag %1").arg(i + 1), p.tische[i], nummer,
                     i == 0 ? static_cast<int>(fest::tischGesperrt) : 0);
        nummer += p.tische[i];
    }

    const qint64 erwachsene = aufbau.klasse(teil.t_id, QStringLiteral("Erwachsene"));
    const qint64 nachwuchs = aufbau.klasse(teil.t_id, QStringLiteral("Nachwuchs"));
    const qint64 senioren = aufbau.klasse(teil.t_id, QStringLiteral("Senioren"));
    const std::array<qint64, kategorien> klasse = {erwachsene, erwachsene, nachwuchs, nachwuchs, senioren};
    feste(aufbau, teil, klasse);
    weitereKonkurrenzen(aufbau, teil, p, klasse);
}

void fremdturnier(Aufbau& aufbau, Turnierteil& teil) {
    Zufall& z = aufbau.zufall();
    Vereinsliste liste;
    for (const QString& name : fremdRegionen()) {
        liste.regionen.push_back(aufbau.region(name));
    }
    for (const QString& name : vereinsNamen(z, 4, {QStringLiteral("TTV Süd"), QStringLiteral("TTV SÜD")})) {
        // Clubs of the other tournament carry a suffix, so that no name equals one of the main tournament.
        liste.vereine.emplace_back(aufbau.verein(name + QStringLiteral(" II")), z.wahl(liste.regionen));
    }
    for (int i = 0; i < 14; ++i) {
        zufallsSpieler(aufbau, teil, K::Herren, liste);
    }
    for (int i = 0; i < 10; ++i) {
        zufallsSpieler(aufbau, teil, K::Damen, liste);
    }
    aufbau.halle(teil, QStringLiteral("Kreissporthalle"), QStringLiteral("Am Wall 3, 59348 Lüdinghausen"),
                 QStringLiteral("Aufbau Kreisrangliste"), 4, 1);
    const qint64 kl = aufbau.klasse(teil.t_id, QStringLiteral("Kreisrangliste"));
    const qint64 knH = aufbau.konkurrenz(teil, kl, QStringLiteral("Kreisrangliste Herren"), 1, um(aufbau, -60));
    const qint64 knD = aufbau.konkurrenz(teil, kl, QStringLiteral("Kreisrangliste Damen"), 1, um(aufbau, 60));
    const qint64 knX = aufbau.konkurrenz(teil, kl, QStringLiteral("Kreisrangliste Doppel"), 2, um(aufbau, -30));
    const auto herren = aufbau.einzelMelden(knH, aufbau.auswahl(teil, K::Herren, 0, 8));
    aufbau.einzelMelden(knD, aufbau.auswahl(teil, K::Damen, 0, 6));
    const auto paare = aufbau.doppelMelden(knX, aufbau.auswahl(teil, K::Herren, 4, 10), {});

    Auslosung h = aufbau.gruppenAuslosung(
        einstellung(knH, 1, QStringLiteral("Vorrunde"), qint64(1), qint64(1), qint64(31), qint64(15), um(aufbau, -30)),
        herren, {4, 4});
    aufbau.verlaufen(h, teil);
    aufbau.schreiben(h, teil);
    Auslosung x = aufbau.koAuslosung(
        einstellung(knX, 2, kein, qint64(1), qint64(0), qint64(31), qint64(0), um(aufbau, -30)), paare, 8);
    aufbau.verlaufen(x, teil);
    aufbau.schreiben(x, teil);
}

} // namespace quenda::demo
