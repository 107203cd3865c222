// Quenda phone page (index.html?zkd=NAME&handy=1): the draw list of auslodatpocko.txt; a draw group with its
// table, KO field and games by round; the participant lists; the table occupancy of the halls. The view is
// in the address's fragment (#a=DRAW&g=GROUP, #t=COMPETITION, #h=HALL), so the back button works.
"use strict";

(function (Q) {
    const el = Q.el;

    function link(text, ziel, klasse) {
        const a = el("a", klasse, text);
        a.href = ziel;
        return a;
    }
    function abschnitt(titel) {
        const s = el("section", "abschnitt");
        if (titel) {
            s.append(el("h2", "", titel));
        }
        return s;
    }
    function zurueck() {
        return link("‹ Übersicht", "#", "zurueck");
    }

    function spielKarte(s) {
        const karte = el("div", "spielkarte status-" + s.status + (Q.beendet(s.status) ? " beendet" : ""));
        const [g, v] = Q.saetzeZahlen(s.saetze);
        const fertig = Q.beendet(s.status);
        const oben = [s.nr ? "Spiel " + s.nr : "", s.tisch ? "Tisch " + s.tisch : "", Q.statusText(s.status),
            !fertig && s.zeit ? Q.uhrzeit(s.zeit) : ""].filter((x) => x);
        karte.append(el("div", "spielkopf", oben.join(" · ")));
        for (const [name, verein, eigen, fremd] of [[s.name1, s.verein1, g, v], [s.name2, s.verein2, v, g]]) {
            const seite = el("div", "seite" + (fertig && eigen > fremd ? " sieger" : ""));
            const wer = el("div", "wer");
            wer.append(el("div", "name", name));
            if (verein) {
                wer.append(el("div", "verein", verein));
            }
            seite.append(wer, el("div", "zahl", fertig || g + v > 0 ? String(eigen) : ""));
            karte.append(seite);
        }
        const saetze = s.ergebnisse.map(Q.satz).filter((x) => x);
        if (saetze.length) {
            karte.append(el("div", "saetze", saetze.join("  ")));
        }
        return karte;
    }

    function uebersicht(daten) {
        const liste = daten.auslosungen();
        const seite = el("div", "seite-handy");
        seite.append(el("h1", "", liste.turnier || "Turnier"));
        const auslosungen = abschnitt("Auslosungen");
        const draws = new Map();
        for (const g of liste.gruppen) {
            const schluessel = g.al;
            if (!draws.has(schluessel)) {
                draws.set(schluessel, []);
            }
            draws.get(schluessel).push(g);
        }
        for (const gruppen of draws.values()) {
            const g0 = gruppen[0];
            const eintrag = el("div", "auslosung");
            eintrag.append(el("div", "auslosung-name", g0.konkurrenz + (g0.bez ? " – " + g0.bez : "")
                + (g0.sytyp === 1 ? "" : " (KO)")));
            const knoepfe = el("div", "knoepfe");
            const liste2 = g0.sytyp === 1 ? gruppen : [g0];
            for (const g of liste2) {
                const text = g0.sytyp === 1 ? (liste2.length > 1 ? "Gruppe " + g.gruppe : "Tabelle und Spiele") : "KO-Feld und Spiele";
                const k = link(text, "#a=" + g.al + "&g=" + g.gruppe, "knopf");
                k.append(el("span", "fortschritt", " " + g.erledigt + "/" + (g.erledigt + g.offen)));
                knoepfe.append(k);
            }
            eintrag.append(knoepfe);
            auslosungen.append(eintrag);
        }
        if (!draws.size) {
            auslosungen.append(el("p", "leer", "Noch keine Auslosung veröffentlicht."));
        }
        seite.append(auslosungen);

        // Participant lists go to both targets but are not in the phones' draw list; a competition whose draw
        // is out keeps its old file on the server, so only those without a draw are offered.
        const mitAuslosung = new Set(liste.gruppen.map((g) => g.konkurrenz));
        const teilnehmer = daten.namen(/^teilnehmer_\d{4,}\.txt$/).map((n) => parseInt(n.slice(11), 10))
            .map((kn) => [kn, daten.teilnehmer(kn)]).filter(([, t]) => t && t.length && !mitAuslosung.has(t[0].konkurrenz));
        if (teilnehmer.length) {
            const s = abschnitt("Teilnehmerlisten");
            const knoepfe = el("div", "knoepfe");
            for (const [kn, t] of teilnehmer) {
                knoepfe.append(link(t[0].konkurrenz + " (" + t.length + ")", "#t=" + kn, "knopf"));
            }
            s.append(knoepfe);
            seite.append(s);
        }
        const hallen = daten.hallen();
        if (hallen.length) {
            const s = abschnitt("Tischbelegung");
            const knoepfe = el("div", "knoepfe");
            for (const hab of hallen) {
                const b = daten.tischbelegung(hab);
                knoepfe.append(link(b && b.name ? b.name : "Halle " + hab, "#h=" + hab, "knopf"));
            }
            s.append(knoepfe);
            seite.append(s);
        }
        const fuss = el("footer", "fuss-handy");
        for (const [text, url] of [["Impressum", liste.impressum], ["Datenschutz", liste.datenschutz]]) {
            if (/^https?:\/\//i.test(url)) {
                fuss.append(link(text, url, ""));
            }
        }
        if (daten.stand) {
            fuss.append(el("span", "stand", "Stand " + daten.stand.slice(8, 10) + ":" + daten.stand.slice(10, 12) + " Uhr"));
        }
        seite.append(fuss);
        return seite;
    }

    function gruppeSeite(daten, al, gruppe) {
        const liste = daten.auslosungen();
        const g = liste.gruppen.find((x) => x.al === al && x.gruppe === gruppe);
        const seite = el("div", "seite-handy");
        seite.append(zurueck());
        if (!g) {
            seite.append(el("p", "leer", "Diese Auslosung ist nicht (mehr) veröffentlicht."));
            return seite;
        }
        seite.append(el("h1", "", g.konkurrenz + (g.bez ? " – " + g.bez : "")
            + (g.sytyp === 1 && g.grmax > 1 ? " – Gruppe " + g.gruppe : "")));
        const runden = daten.runden(al, gruppe);
        if (g.sytyp === 1) {
            const t = daten.tabelle(al, gruppe);
            if (t) {
                const s = abschnitt("Tabelle");
                s.append(Q.inhalt.tabelle("", t).element);
                seite.append(s);
            }
        } else {
            const kofeld = daten.kofeld(al);
            if (kofeld) {
                const s = abschnitt("KO-Feld");
                const rahmen = el("div", "ko-rahmen");
                rahmen.append(Q.inhalt.ko("", kofeld, runden).element);
                s.append(rahmen);
                seite.append(s);
            }
        }
        for (const r of runden) {
            const s = abschnitt(r.name || "Runde " + r.runde);
            for (const spiel of r.spiele) {
                s.append(spielKarte(spiel));
            }
            seite.append(s);
        }
        if (!runden.length) {
            seite.append(el("p", "leer", "Noch keine Spiele."));
        }
        return seite;
    }

    function teilnehmerSeite(daten, kn) {
        const seite = el("div", "seite-handy");
        seite.append(zurueck());
        const t = daten.teilnehmer(kn);
        seite.append(el("h1", "", t && t.length ? t[0].konkurrenz + " – Teilnehmer" : "Teilnehmer"));
        if (t) {
            seite.append(Q.inhalt.teilnehmer("", t).element);
        }
        return seite;
    }

    function halleSeite(daten, hab) {
        const seite = el("div", "seite-handy");
        seite.append(zurueck());
        const b = daten.tischbelegung(hab);
        seite.append(el("h1", "", b && b.name ? b.name : "Tischbelegung"));
        if (b) {
            if (b.ort || b.adresse) {
                seite.append(el("p", "ort", [b.ort, b.adresse].filter((x) => x).join(", ")));
            }
            seite.append(Q.inhalt.tischbelegung("", b).element);
        }
        return seite;
    }

    function ansicht(daten) {
        const p = new URLSearchParams(window.location.hash.slice(1));
        const zahl = (n) => parseInt(p.get(n), 10);
        if (p.has("a")) {
            return gruppeSeite(daten, zahl("a"), zahl("g") || 0);
        }
        if (p.has("t")) {
            return teilnehmerSeite(daten, zahl("t"));
        }
        if (p.has("h")) {
            return halleSeite(daten, zahl("h"));
        }
        return uebersicht(daten);
    }

    Q.handy = async function (zkd) {
        document.body.classList.add("handy");
        const wurzel = document.getElementById("anzeige");
        const daten = new Q.Daten(zkd, true);
        try {
            await daten.abrufen();
        } catch (e) {
            wurzel.replaceChildren(el("p", "hinweis", "Keine Daten: " + e.message));
            window.setTimeout(() => window.location.reload(), 30000);
            return;
        }
        const zeichnen = (oben) => {
            const y = window.scrollY;
            wurzel.replaceChildren(ansicht(daten));
            window.scrollTo(0, oben ? 0 : y);
        };
        zeichnen(true);
        document.title = (daten.auslosungen().turnier || "Quenda") + " – Ergebnisse";
        window.addEventListener("hashchange", () => zeichnen(true));
        document.body.dataset.bereit = "1";
        Q.abrufenImmer(daten, 15000, () => {
            zeichnen(false);
            document.body.dataset.stand = daten.stand;
        });
    };
})(window.Quenda);
