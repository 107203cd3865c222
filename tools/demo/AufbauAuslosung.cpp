#include "demo/Aufbau.h"

#include "demo/Systeme.h"

#include <bit>

namespace quenda::demo {

namespace {

// Round-1 games of a knock-out field in seeding order (bit reversal), so that byes spread over the field.
std::vector<int> setzfolge(int spiele) {
    const int bits = std::countr_zero(static_cast<unsigned>(spiele));
    std::vector<int> folge;
    for (int i = 0; i < spiele; ++i) {
        int r = 0;
        for (int b = 0; b < bits; ++b) {
            r |= ((i >> b) & 1) << (bits - 1 - b);
        }
        folge.push_back(r);
    }
    return folge;
}

const Startplatz& platz(const Gruppe& gruppe, int posnr) {
    return gruppe.starter[static_cast<std::size_t>(posnr - 1)];
}

} // namespace

Auslosung Aufbau::gruppenAuslosung(Auslosung a, std::vector<Eintrag> eintraege, const std::vector<int>& groessen) {
    a.al_id = naechsteId("al_conf");
    a.sy_typ = 1;
    std::size_t naechster = 0;
    int grnr = 0;
    for (int n : groessen) {
        Gruppe g;
        g.syf_id = naechsteId("al_systemfeld");
        g.grnr = ++grnr;
        g.groesse = n;
        for (int pos = 1; pos <= n; ++pos) {
            g.starter.push_back({pos, eintraege.at(naechster++), 0});
        }
        int nummer = 0;
        for (const Paarung& p : jederGegenJeden(n)) {
            Spiel s;
            s.erg_id = naechsteId("sb_ergebnisse");
            s.nummer = ++nummer;
            s.runde = p.runde;
            s.sp1 = p.pos1;
            s.sp2 = p.pos2;
            g.spiele.push_back(s);
        }
        a.gruppen.push_back(std::move(g));
    }
    spielzeiten(a);
    return a;
}

Auslosung Aufbau::koAuslosung(Auslosung a, std::vector<Eintrag> eintraege, int feld) {
    a.al_id = naechsteId("al_conf");
    a.sy_typ = 2;
    Gruppe g;
    g.syf_id = naechsteId("al_systemfeld");
    g.grnr = 1;
    g.groesse = feld;
    // Byes take the second position of the first games in seeding order, so two byes never meet.
    std::vector<bool> freilosPlatz(static_cast<std::size_t>(feld) + 1, false);
    const std::vector<int> folge = setzfolge(feld / 2);
    const int freilose = feld - static_cast<int>(eintraege.size());
    for (int i = 0; i < freilose; ++i) {
        freilosPlatz[static_cast<std::size_t>(2 * folge[static_cast<std::size_t>(i)] + 2)] = true;
    }
    std::size_t naechster = 0;
    for (int pos = 1; pos <= feld; ++pos) {
        const Eintrag eintrag =
            freilosPlatz[static_cast<std::size_t>(pos)] ? Eintrag{freilos, 0, 0} : eintraege.at(naechster++);
        g.starter.push_back({pos, eintrag, 0});
    }
    for (int nummer = 1; nummer < feld; ++nummer) {
        Spiel s;
        s.erg_id = naechsteId("sb_ergebnisse");
        s.nummer = nummer;
        s.runde = koRunde(feld, nummer);
        if (s.runde == 1) {
            s.sp1 = koErstePosition(nummer);
            s.sp2 = s.sp1 + 1;
        } else {
            s.status = 1; // waits for the winners of the earlier round
        }
        g.spiele.push_back(s);
    }
    // A game against a bye is decided at once: the other side moves on without a result.
    for (int nummer = 1; nummer <= feld / 2; ++nummer) {
        Spiel& s = g.spiele[static_cast<std::size_t>(nummer - 1)];
        if (platz(g, s.sp1).istFreilos() || platz(g, s.sp2).istFreilos()) {
            s.status = 4;
            koWeiter(g, s);
        }
    }
    a.gruppen.push_back(std::move(g));
    spielzeiten(a);
    return a;
}

void Aufbau::spielzeiten(Auslosung& a) const {
    const bool geplant = !istNull(a.freigabe);
    const int abstand = a.sy_typ == 1 ? 20 : 30;
    for (Gruppe& g : a.gruppen) {
        for (Spiel& s : g.spiele) {
            if (geplant) {
                s.spielzeit = a.beginn.addSecs(60LL * (g.versatzMinuten + (s.runde - 1) * abstand));
            } else {
                s.spielzeit.reset();
            }
        }
    }
}

int Aufbau::effektiveGse(const Auslosung& a, const Spiel& spiel) const {
    const qint64 eigene = zahl(spiel.gse);
    return eigene > 0 ? static_cast<int>(eigene) : a.gse;
}

void Aufbau::ergebnis(const Auslosung& a, const Gruppe& g, Spiel& s, int status) {
    const int chance = gewinnChance(staerke(platz(g, s.sp1).eintrag.id), staerke(platz(g, s.sp2).eintrag.id));
    s.saetze = zufallsErgebnis(m_zufall, effektiveGse(a, s), m_zufall.prozent(chance));
    s.leerAlsNull = false;
    s.status = status;
}

std::vector<qint64> Aufbau::spielerDes(const Gruppe& g, const Spiel& s) const {
    std::vector<qint64> spieler;
    for (int pos : {s.sp1, s.sp2}) {
        const Eintrag& e = platz(g, pos).eintrag;
        for (qint64 am : {e.am1, e.am2}) {
            if (am != 0) {
                spieler.push_back(am);
            }
        }
    }
    return spieler;
}

void Aufbau::aufTisch(const Auslosung& a, const Gruppe& g, Spiel& s, Turnierteil& teil, qint64 ts_id, int status) {
    s.status = status;
    s.ts_id = ts_id;
    s.belegt = true;
    teil.belegteTische.insert(ts_id);
    for (qint64 am : spielerDes(g, s)) {
        teil.beschaeftigt.insert(am);
    }
    if (status == 3 || status == 33) {
        s.saetze = zufallsZwischenstand(m_zufall, effektiveGse(a, s));
        s.leerAlsNull = s.saetze.empty();
        s.spielbeginn = m_jetzt.addSecs(-60LL * m_zufall.bereich(1, 15));
    }
}

std::optional<qint64> Aufbau::freierTisch(Turnierteil& teil) {
    std::vector<qint64> frei;
    for (qint64 ts : teil.tische) {
        if (!teil.belegteTische.contains(ts)) {
            frei.push_back(ts);
        }
    }
    // A quarter of the tables stays free, as at a real tournament between two calls.
    if (frei.empty() || frei.size() <= teil.tische.size() / 4) {
        return std::nullopt;
    }
    return m_zufall.wahl(frei);
}

DbWert Aufbau::gespielterTisch(const Turnierteil& teil) {
    const int art = m_zufall.bereich(1, 100);
    if (art <= 10 || teil.tische.empty()) {
        return kein;
    }
    if (art <= 25) {
        return qint64(0); // the program's "no table"; no zd_tische row has id 0
    }
    return m_zufall.wahl(teil.tische);
}

bool Aufbau::spielen(Auslosung& a, Gruppe& g, Spiel& s, Turnierteil& teil) {
    const qint64 minuten = s.spielzeit->secsTo(m_jetzt) / 60;
    if (minuten >= 20) {
        ergebnis(a, g, s, m_zufall.prozent(3) ? 5 : 4);
        s.spielbeginn = s.spielzeit->addSecs(60LL * m_zufall.bereich(0, 10));
        s.spieldauer = m_zufall.bereich(12, 35);
        s.ts_id = gespielterTisch(teil);
        // Some tables of games that just ended are not cleared yet.
        if (s.status == 4 && minuten < 40 && a.inBetrieb() && m_zufall.prozent(25)) {
            if (const auto ts = freierTisch(teil)) {
                s.ts_id = *ts;
                s.belegt = true;
                teil.belegteTische.insert(*ts);
            }
        }
        return true;
    }
    if (minuten >= 0) {
        if (!a.inBetrieb()) {
            return false;
        }
        for (qint64 am : spielerDes(g, s)) {
            if (teil.beschaeftigt.contains(am)) {
                return false;
            }
        }
        if (const auto ts = freierTisch(teil)) {
            static constexpr std::array<int, 5> aktiv = {2, 3, 3, 33, 22};
            aufTisch(a, g, s, teil, *ts, aktiv[static_cast<std::size_t>(m_zufall.bereich(0, 4))]);
        }
        return false;
    }
    const int art = m_zufall.bereich(1, 100);
    if (art <= 3) {
        s.status = 1;
    } else if (art == 4 && a.sy_typ == 1) {
        s.status = 9; // cancelled: a state the display lists nowhere
    }
    return false;
}

void Aufbau::koWeiter(Gruppe& g, const Spiel& s) {
    const auto folge = koNachfolger(g.groesse, s.nummer);
    if (!folge) {
        return;
    }
    int sieger = 0;
    if (platz(g, s.sp2).istFreilos()) {
        sieger = s.sp1;
    } else if (platz(g, s.sp1).istFreilos()) {
        sieger = s.sp2;
    } else {
        const Spielstand stand = zaehlen(s.saetze);
        sieger = stand.sg > stand.sv ? s.sp1 : s.sp2;
    }
    Spiel& naechstes = g.spiele[static_cast<std::size_t>(folge->nummer - 1)];
    (folge->seite == 1 ? naechstes.sp1 : naechstes.sp2) = sieger;
    if (naechstes.sp1 != 0 && naechstes.sp2 != 0 && naechstes.status == 1) {
        naechstes.status = 0;
    }
}

void Aufbau::verlaufen(Auslosung& a, Turnierteil& teil) {
    if (!a.freigegeben()) {
        return;
    }
    for (Gruppe& g : a.gruppen) {
        if (g.fest) {
            continue;
        }
        for (Spiel& s : g.spiele) {
            if (s.status != 0 || !s.spielzeit) {
                continue; // decided byes and knock-out games still waiting for a side
            }
            if (spielen(a, g, s, teil) && a.sy_typ != 1) {
                koWeiter(g, s);
            }
        }
    }
}

} // namespace quenda::demo
