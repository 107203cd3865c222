// Quenda display pages: one piece of content (a game list, a group table, a KO field, ...) as DOM, the same
// for the hall screens and the phones. Each function returns {titel, element, zeilen}: zeilen are the rows
// a hall area may show page by page; without zeilen the element is one block that is scaled to fit.
"use strict";

(function (Q) {
    const el = Q.el;
    const FREILOS = /-------Freilos-------/;

    // "09.12.2026 09:40:00" as "09:40", a date alone as "09.12.".
    Q.uhrzeit = function (text) {
        const t = (text || "").trim();
        const zeit = /(\d{1,2}):(\d{2})(:\d{2})?$/.exec(t);
        if (zeit) {
            return Q.n(zeit[1], 2) + ":" + zeit[2];
        }
        const datum = /^(\d{2})\.(\d{2})\.\d{4}$/.exec(t);
        return datum ? datum[1] + "." + datum[2] + "." : t;
    };

    function person(name, verein, klasse) {
        const zelle = el("div", "person" + (klasse ? " " + klasse : ""));
        zelle.append(el("div", "name", name.trim()));
        if (verein && verein.trim()) {
            zelle.append(el("div", "verein", verein.trim()));
        }
        return zelle;
    }

    function tabelle(klasse, spalten) {
        const t = el("table", klasse);
        const kopf = t.createTHead().insertRow();
        for (const [text, k] of spalten) {
            kopf.append(el("th", k, text));
        }
        t.createTBody();
        return t;
    }
    function zeile(t, zellen, klasse) {
        const tr = t.tBodies[0].insertRow();
        if (klasse) {
            tr.className = klasse;
        }
        for (const [inhalt, k] of zellen) {
            const td = el("td", k);
            if (inhalt instanceof Node) {
                td.append(inhalt);
            } else {
                td.textContent = inhalt;
            }
            tr.append(td);
        }
        return tr;
    }
    function zeilenVon(t) {
        return Array.from(t.tBodies[0].rows);
    }

    function saetzeListe(ergebnisse) {
        return ergebnisse.map(Q.satz).filter((s) => s !== "").join(" ");
    }
    // Where a game stands: its table and state, or its scheduled time.
    function stand(spiel) {
        if (Q.beendet(spiel.status)) {
            return "";
        }
        const teile = [];
        if (spiel.tisch) {
            teile.push("T " + spiel.tisch);
        }
        if (Q.statusText(spiel.status)) {
            teile.push(Q.statusText(spiel.status));
        } else if (spiel.zeit) {
            teile.push(Q.uhrzeit(spiel.zeit));
        }
        return teile.join(" · ");
    }

    const inhalt = {};

    inhalt.spiele = function (titel, spiele) {
        const t = tabelle("spiele", [["Nr", "nr"], ["Stand", "stand"], ["Spieler", "p1"], ["Gegner", "p2"],
            ["Sätze", "saetze"], ["Ergebnisse", "ergebnisse"]]);
        for (const s of spiele) {
            const [g, v] = Q.saetzeZahlen(s.saetze);
            const fertig = Q.beendet(s.status);
            const tr = zeile(t, [
                [String(s.nr), "nr"], [stand(s), "stand"],
                [person(s.name1, s.verein1, fertig && g > v ? "sieger" : ""), "p1"],
                [person(s.name2, s.verein2, fertig && v > g ? "sieger" : ""), "p2"],
                [fertig || g + v > 0 ? g + ":" + v : "", "saetze"], [saetzeListe(s.ergebnisse), "ergebnisse"],
            ], "status-" + s.status + (fertig ? " beendet" : ""));
            tr.dataset.nr = s.nr;
        }
        return { titel: titel, element: t, zeilen: zeilenVon(t) };
    };

    inhalt.tabelle = function (titel, zeilen) {
        const baelle = zeilen.some((z) => z.baelle);
        const spalten = [["Pl.", "rang"], ["Name", "name"], ["Spiele", "zahl"], ["Sätze", "zahl"]];
        if (baelle) {
            spalten.push(["Bälle", "zahl"]);
        }
        const t = tabelle("tabelle", spalten);
        for (const z of zeilen) {
            const zellen = [[String(z.rang), "rang"], [person(z.name, z.verein), "name"],
                [z.spieleG + ":" + z.spieleV, "zahl"], [z.saetzeG + ":" + z.saetzeV, "zahl"]];
            if (baelle) {
                zellen.push([z.baelleG + ":" + z.baelleV, "zahl"]);
            }
            zeile(t, zellen, z.sperre > 0 ? "gesperrt" : "").dataset.rang = z.rang;
        }
        return { titel: titel, element: t, zeilen: zeilenVon(t) };
    };

    inhalt.starter = function (titel, starter) {
        const t = tabelle("starter", [["Nr", "nr"], ["Name", "name"]]);
        for (const s of starter) {
            const freilos = FREILOS.test(s.name);
            zeile(t, [[String(s.nr), "nr"], [person(freilos ? "Freilos" : s.name, s.verein), "name"]], freilos ? "freilos" : "");
        }
        return { titel: titel, element: t, zeilen: zeilenVon(t) };
    };

    inhalt.teilnehmer = function (titel, liste) {
        const t = tabelle("teilnehmer", [["Nr", "nr"], ["Name", "name"], ["Region", "region"], ["da", "da"]]);
        for (const p of liste) {
            const da = p.doppel ? (p.anwesend ? "✓" : "–") + (p.anwesend2 ? "✓" : "–") : p.anwesend ? "✓" : "–";
            zeile(t, [[String(p.nr), "nr"], [person(p.name, p.verein), "name"],
                [p.region.replace(/^\[|\]$/g, ""), "region"], [da, "da"]]);
        }
        return { titel: titel, element: t, zeilen: zeilenVon(t) };
    };

    // The cross table of a group: the result from the row's view, the table of a game on it.
    inhalt.raster = function (titel, raster) {
        const t = tabelle("raster", [["", "pos"], ["", "name"]].concat(raster.starter.map((s) => [String(s.pos), "feld"])));
        const spiel = {};
        for (const s of raster.spiele) {
            spiel[s.p1 + "-" + s.p2] = [s, false];
            spiel[s.p2 + "-" + s.p1] = [s, true];
        }
        for (const a of raster.starter) {
            const zellen = [[String(a.pos), "pos"], [person(a.name, a.verein), "name"]];
            for (const b of raster.starter) {
                const treffer = spiel[a.pos + "-" + b.pos];
                let text = "";
                let klasse = a.pos === b.pos ? "feld diagonale" : "feld";
                if (treffer) {
                    const [s, gedreht] = treffer;
                    const [g, v] = Q.saetzeZahlen(s.saetze);
                    const [eigen, fremd] = gedreht ? [v, g] : [g, v];
                    if (Q.beendet(s.status)) {
                        text = eigen + ":" + fremd;
                        klasse += eigen > fremd ? " sieg" : " niederlage";
                    } else if (s.tisch && Q.statusText(s.status)) {
                        text = "T " + s.tisch;
                        klasse += " laeuft";
                    }
                }
                zellen.push([text, klasse]);
            }
            zeile(t, zellen);
        }
        return { titel: titel, element: t };
    };

    function koName(runden) {
        return (c, anzahl) => {
            const r = runden.find((x) => x.runde === c);
            if (r && r.name) {
                return r.name;
            }
            return { 1: "Finale", 2: "Halbfinale", 4: "Viertelfinale", 8: "Achtelfinale" }[anzahl] || "Runde " + c;
        };
    }
    function koSpiel(name1, name2, spiel) {
        const box = el("div", "ko-spiel");
        const [g, v] = spiel ? Q.saetzeZahlen(spiel.saetze) : [0, 0];
        const fertig = spiel && Q.beendet(spiel.status);
        const freilos = [FREILOS.test(name1), FREILOS.test(name2)];
        for (const [name, eigen, fremd, i] of [[name1, g, v, 0], [name2, v, g, 1]]) {
            // Against a bye the other side goes through without a game.
            const weiter = (fertig && eigen > fremd) || (freilos[1 - i] && !freilos[i] && name.trim() !== "");
            const seite = el("div", "ko-seite" + (freilos[i] ? " freilos" : "") + (weiter ? " sieger" : ""));
            seite.append(el("span", "name", FREILOS.test(name) ? "Freilos" : name.trim()));
            seite.append(el("span", "ko-saetze", spiel && (fertig || g + v > 0) ? String(eigen) : ""));
            box.append(seite);
        }
        if (spiel && stand(spiel)) {
            box.append(el("div", "ko-stand", stand(spiel)));
        }
        return box;
    }
    // The knock-out field: the first round from the starting field (byes included), later rounds from the
    // game lists, one column per round.
    inhalt.ko = function (titel, kofeld, runden) {
        const feld = el("div", "ko");
        const positionen = Math.max(2, 1 << Math.ceil(Math.log2(Math.max(2, kofeld.length))));
        const anzahlRunden = Math.round(Math.log2(positionen));
        const name = koName(runden);
        const erste = runden.find((r) => r.runde === 1);
        const gleich = (a, b) => a.trim() === b.trim();
        for (let c = 1; c <= anzahlRunden; c++) {
            const anzahl = positionen >> c;
            const spalte = el("div", "ko-runde");
            spalte.append(el("div", "ko-kopf", name(c, anzahl)));
            const spiele = (runden.find((r) => r.runde === c) || { spiele: [] }).spiele;
            for (let k = 0; k < anzahl; k++) {
                if (c === 1) {
                    const a = kofeld[2 * k] ? kofeld[2 * k].name : "";
                    const b = kofeld[2 * k + 1] ? kofeld[2 * k + 1].name : "";
                    const s = (erste ? erste.spiele : []).find((x) => (gleich(x.name1, a) && gleich(x.name2, b))
                        || (gleich(x.name1, b) && gleich(x.name2, a)));
                    spalte.append(s && gleich(s.name1, b) ? koSpiel(b, a, s) : koSpiel(a, b, s));
                } else {
                    const s = spiele[k];
                    spalte.append(s ? koSpiel(s.name1, s.name2, s) : koSpiel("", "", null));
                }
            }
            feld.append(spalte);
        }
        return { titel: titel, element: feld };
    };

    inhalt.tischbelegung = function (titel, belegung) {
        const feld = el("div", "tische");
        for (const t of belegung.tische.slice().sort((a, b) => a.nr - b.nr)) {
            const geplant = t.status === 22;
            const frei = t.status === null;
            const karte = el("div", "tisch " + (t.gesperrt ? "gesperrt" : frei ? "frei" : geplant ? "geplant" : "belegt"));
            karte.dataset.tisch = t.nr;
            karte.append(el("div", "tisch-nr", "Tisch " + t.nr));
            if (t.gesperrt && frei) {
                karte.append(el("div", "tisch-text", "gesperrt"));
            } else if (frei) {
                karte.append(el("div", "tisch-text", "frei"));
            } else if (geplant) {
                karte.append(el("div", "tisch-text", "Spiel in Planung"));
            } else {
                karte.append(el("div", "tisch-label", t.label));
                karte.append(el("div", "name", t.name1));
                karte.append(el("div", "name", t.name2));
                karte.append(el("div", "tisch-text", [t.saetze.replace(/^\[|\]$/g, "").replace(/;/g, " "),
                    Q.statusText(t.status)].filter((x) => x).join(" · ")));
            }
            feld.append(karte);
        }
        return { titel: titel, element: feld, zeilen: Array.from(feld.children) };
    };

    inhalt.tischspiel = function (titel, s) {
        const block = el("div", "tischspiel");
        block.append(el("div", "tisch-nr", "Tisch " + s.nr));
        block.append(el("div", "tisch-label", s.label));
        for (const [stnr, name, region, verein] of [[s.stnr1, s.name1, s.region1, s.verein1],
            [s.stnr2, s.name2, s.region2, s.verein2]]) {
            const seite = el("div", "tischspiel-seite");
            seite.append(el("div", "name", [stnr, name].filter((x) => x).join(" ")));
            const zusatz = [verein, region].filter((x) => x).join(" ");
            if (zusatz) {
                seite.append(el("div", "verein", zusatz));
            }
            block.append(seite);
        }
        block.append(el("div", "tisch-text", [s.saetze.replace(/^\[|\]$/g, "").replace(/;/g, "  "),
            Q.statusText(s.status)].filter((x) => x).join(" · ")));
        return { titel: titel, element: block };
    };

    inhalt.meldung = function (text) {
        return { titel: "", element: el("div", "meldung", text.replace(/\r\n/g, "\n")) };
    };

    inhalt.bild = function (adresse) {
        const bild = el("img", "werbung");
        bild.src = adresse;
        bild.alt = "";
        return { titel: "", element: bild, passend: true };
    };

    Q.inhalt = inhalt;
})(window.Quenda);
