// Quenda hall screen page (index.html?zkd=NAME&bs=ID): screen ID of config_quenda.xml at its size, scaled
// to the window, with its layers, areas and objects, fed by the data files of the hall screen target.
//
// How the configuration's values are read (the program only carries them):
// - screen x/y place the screen on a desktop of several screens and are not used here; wd/hg give its size.
// - layer beginn ("Anzeige Intervall") and dauer ("Anzeigedauer"), seconds: a layer with either 0, or with a
//   duration of at least its interval, is always shown; otherwise it is shown for dauer seconds at the start
//   of every interval, counted from midnight, so that every screen of the hall shows it at the same moment.
//   Later layers lie above earlier ones. border: the width of a frame around the layer, in pixels.
// - area sc ("Aktiviert"): content longer than the area is shown page by page at full size; without it the
//   whole content is scaled down to fit the area. nd ("NEXT-Display"): a footer names what comes next.
//   gd ("GAUGE-Display"): a bar shows how much of the current page's time has passed. rh ("Objekte sortiert
//   sonst aktuell"): 1 shows objects and their draws in their order; 0 shows first what changed last (the
//   newest data file stamp), each once per round.
// - object dauer: seconds each page of the object stays (0: 10 s); fontgr: font size in points.
// - draw references: aslid "0" = every draw of auslodat.txt, else the draw ids joined by "-"; typ 0 both kinds,
//   1 only group draws (tables), 2 only knock-out draws (KO fields). Halls and competitions: their id, "0" for
//   every competition with a participant list.
"use strict";

(function (Q) {
    const el = Q.el;

    function zahl(e, name) {
        return parseInt(e.getAttribute(name), 10) || 0;
    }
    function kinder(e, name) {
        return Array.from(e.children).filter((k) => k.tagName === name);
    }

    // The screens of config_quenda.xml as plain objects.
    Q.konfigurationLesen = function (text) {
        const doc = new DOMParser().parseFromString(text.replace(/^\ufeff/, ""), "application/xml");
        if (doc.getElementsByTagName("parsererror").length) {
            throw new Error("config_quenda.xml ist nicht lesbar");
        }
        const lage = (e) => ({ id: zahl(e, "id"), x: zahl(e, "x"), y: zahl(e, "y"), wd: zahl(e, "wd"), hg: zahl(e, "hg"),
            bild: e.getAttribute("backgroundimage") || "" });
        return kinder(doc.documentElement, "bildschirm").map((b) => Object.assign(lage(b), {
            ebenen: kinder(b, "ebene").map((e) => Object.assign(lage(e), {
                beginn: zahl(e, "beginn"), dauer: zahl(e, "dauer"), rand: zahl(e, "border"),
                bereiche: kinder(e, "bereich").map((r) => Object.assign(lage(r), {
                    sc: zahl(r, "sc") === 1, nd: zahl(r, "nd") === 1, gd: zahl(r, "gd") === 1, rh: zahl(r, "rh") === 1,
                    objekte: kinder(r, "objekt").map((o) => ({
                        id: zahl(o, "id"), art: zahl(o, "objid"), dauer: zahl(o, "dauer"), fontgr: zahl(o, "fontgr"),
                        bild: o.getAttribute("werbungimage") || "",
                        bezuege: kinder(o, "auslosung").map((a) => ({ aslid: (a.getAttribute("aslid") || "").trim(),
                            typ: zahl(a, "typ") })),
                    })),
                })),
            })),
        }));
    };

    // The draw groups an object refers to, in the order of the draw list, each once.
    function gruppenVon(objekt, liste) {
        const gewaehlt = new Set();
        const ergebnis = [];
        for (const b of objekt.bezuege) {
            const ids = b.aslid === "0" ? null : new Set(b.aslid.split("-").map((t) => parseInt(t, 10)));
            for (const g of liste.gruppen) {
                const passt = (!ids || ids.has(g.al)) && (b.typ === 0 || (b.typ === 1) === (g.sytyp === 1));
                if (passt && !gewaehlt.has(g.syf)) {
                    gewaehlt.add(g.syf);
                    ergebnis.push(g);
                }
            }
        }
        return ergebnis;
    }
    // A knock-out draw is shown once, whatever number of groups it has.
    function eineJeKoAuslosung(gruppen) {
        const gesehen = new Set();
        return gruppen.filter((g) => g.sytyp === 1 || (!gesehen.has(g.al) && gesehen.add(g.al)));
    }
    function gruppenTitel(g) {
        return g.konkurrenz + (g.bez ? " – " + g.bez : "") + (g.sytyp === 1 && g.grmax > 1 ? " – Gruppe " + g.gruppe : "");
    }
    // The round to show of a group: the first one with a game not yet finished, else the last.
    function aktuelleRunde(runden) {
        return runden.find((r) => r.spiele.some((s) => !Q.beendet(s.status))) || runden[runden.length - 1];
    }
    const datei = (art, al, gruppe) => art + "_" + Q.n(al, 4) + (gruppe === undefined ? "" : "_" + Q.n(gruppe, 2)) + ".txt";

    // What one object shows: a list of pieces {schluessel, titel, stempel, inhalt()}, one per draw group, hall
    // table, competition or message. Only the draw list is read here; a piece's files are read when it is
    // shown (a large tournament has some thousand of them).
    function stueckeVon(objekt, pfad, daten) {
        const liste = daten.auslosungen();
        const stuecke = [];
        const dazu = (s, titel) => s && stuecke.push(titel === undefined ? s : Object.assign(s, { titel }));
        const art = objekt.art;
        const stueck = (schluessel, name, titel, inhalt) => daten.da(name) && dazu({ schluessel, titel,
            stempel: daten.stempel(name), inhalt });
        if (art === 0) {
            for (const g of gruppenVon(objekt, liste)) {
                const dateien = daten.rundenDateien(g.al, g.gruppe);
                dazu(dateien.length && { schluessel: "spiele-" + g.syf, titel: gruppenTitel(g),
                    stempel: dateien.reduce((m, [, n]) => (daten.stempel(n) > m ? daten.stempel(n) : m), ""),
                    inhalt: () => {
                        const r = aktuelleRunde(daten.runden(g.al, g.gruppe));
                        return Q.inhalt.spiele(gruppenTitel(g) + " – " + r.name, r.spiele);
                    } });
            }
        } else if (art === 1 || art === 7 || art === 9) {
            for (const g of eineJeKoAuslosung(gruppenVon(objekt, liste))) {
                const schluessel = art + "-" + g.syf;
                const titel = gruppenTitel(g);
                if (g.sytyp !== 1) {
                    stueck(schluessel, datei("kofeld", g.al), titel + " – KO-Feld",
                        () => Q.inhalt.ko(titel, daten.kofeld(g.al), daten.runden(g.al, g.gruppe)));
                } else if (art === 1) {
                    stueck(schluessel, datei("tabelle", g.al, g.gruppe), titel,
                        () => Q.inhalt.tabelle(titel, daten.tabelle(g.al, g.gruppe)));
                } else if (art === 7) {
                    stueck(schluessel, datei("spielraster", g.al, g.gruppe), titel + " – Spielraster",
                        () => Q.inhalt.raster(titel, daten.spielraster(g.al, g.gruppe)));
                } else {
                    stueck(schluessel, datei("tabspiele", g.al, g.gruppe), titel,
                        () => tabelleUndSpiele(titel, daten.tabspiele(g.al, g.gruppe)));
                }
            }
        } else if (art === 2) {
            for (const g of gruppenVon(objekt, liste)) {
                const titel = gruppenTitel(g) + " – Starter";
                stueck("starter-" + g.syf, datei("starter", g.al, g.gruppe), titel,
                    () => Q.inhalt.starter(titel, daten.starter(g.al, g.gruppe)));
            }
        } else if (art === 3) {
            dazu(objekt.bild && { schluessel: "werbung", stempel: "", inhalt: () => Q.inhalt.bild(daten.bild(objekt.bild)) },
                "Werbung");
        } else if (art === 4 || art === 5) {
            for (const b of objekt.bezuege) {
                const hab = parseInt(b.aslid, 10);
                const belegung = daten.tischbelegung(hab);
                if (!belegung) {
                    continue;
                }
                const stempel = daten.stempel("tischbelegung_" + Q.n(hab, 4) + ".txt");
                if (art === 4) {
                    dazu({ schluessel: "halle-" + hab, stempel,
                        inhalt: () => Q.inhalt.tischbelegung(belegung.name, belegung) }, belegung.name);
                    continue;
                }
                // A table's own file stays on the server after its game: the hall file says which are current.
                for (const t of belegung.tische.filter((x) => x.status !== null && x.status !== 22 && x.label)) {
                    const spiel = daten.tischspiel(hab, t.nr);
                    dazu(spiel && { schluessel: "tisch-" + hab + "-" + t.nr,
                        stempel: daten.stempel("tischspiel_" + Q.n(hab, 4) + "_" + Q.n(t.nr, 2) + ".txt"),
                        inhalt: () => Q.inhalt.tischspiel(belegung.name, spiel) }, "Tisch " + t.nr + " – " + t.label);
                }
            }
        } else if (art === 6) {
            const text = daten.meldung(pfad[0], pfad[1], pfad[2], objekt.id);
            dazu(text && text.trim() && { schluessel: "meldung", stempel: "", inhalt: () => Q.inhalt.meldung(text) },
                "Meldung");
        } else if (art === 8) {
            const alle = objekt.bezuege.some((b) => b.aslid === "0");
            const ids = alle ? liste.teilnehmerlisten.map((t) => t.kn)
                : objekt.bezuege.map((b) => parseInt(b.aslid, 10)).filter((k) => k > 0);
            for (const kn of ids) {
                const eintrag = liste.teilnehmerlisten.find((t) => t.kn === kn);
                const titel = (eintrag ? eintrag.konkurrenz : "Konkurrenz " + kn) + " – Teilnehmer";
                stueck("teilnehmer-" + kn, datei("teilnehmer", kn), titel, () => Q.inhalt.teilnehmer(titel, daten.teilnehmer(kn)));
            }
        }
        return stuecke;
    }

    // A group table above the games of the current round.
    function tabelleUndSpiele(titel, ts) {
        const teil = el("div", "tabelle-spiele");
        const tab = Q.inhalt.tabelle(titel, ts.tabelle);
        const runden = [];
        for (const s of ts.spiele) {
            const r = runden.find((x) => x.runde === s.runde) || runden[runden.push({ runde: s.runde, name: s.rundenname, spiele: [] }) - 1];
            r.spiele.push(s);
        }
        teil.append(tab.element);
        const r = runden.length ? aktuelleRunde(runden) : null;
        if (r) {
            teil.append(el("div", "zwischentitel", r.name));
            teil.append(Q.inhalt.spiele("", r.spiele).element);
        }
        return { titel: titel, element: teil };
    }

    // One area: shows the pieces of its objects in turn, page by page.
    class Bereich {
        constructor(konfig, pfad, daten, knoten) {
            this.k = konfig;
            this.pfad = pfad;
            this.daten = daten;
            this.knoten = knoten;
            this.gezeigt = new Set(); // pieces shown in this round (order "aktuell")
            this.aktuell = null; // {objekt, stueck, seite, seiten}
            this.uhr = null;
            this.inhalt = el("div", "inhalt");
            this.fuss = el("div", "fuss");
            this.naechstes = el("div", "naechstes");
            this.messung = el("div", "messung");
            this.messung.append(el("div", "messung-balken"));
            if (konfig.nd) {
                this.fuss.append(this.naechstes);
            }
            if (konfig.gd) {
                this.fuss.append(this.messung);
            }
            knoten.append(this.inhalt, this.fuss);
        }

        // Every piece of the area's objects; computed once per data version.
        alle() {
            if (this.liste && this.listeVersion === this.daten.version) {
                return this.liste;
            }
            const liste = [];
            for (const o of this.k.objekte) {
                for (const s of stueckeVon(o, this.pfad, this.daten)) {
                    liste.push({ objekt: o, stueck: s });
                }
            }
            if (!this.k.rh) {
                liste.sort((a, b) => (a.stueck.stempel < b.stueck.stempel ? 1 : a.stueck.stempel > b.stueck.stempel ? -1 : 0));
            }
            this.liste = liste;
            this.listeVersion = this.daten.version;
            return liste;
        }
        // The next piece after the current one: in order (sortiert), or the newest not yet shown this round.
        weiter() {
            const liste = this.alle();
            if (!liste.length) {
                return null;
            }
            if (this.k.rh) {
                const i = this.aktuell ? liste.findIndex((x) => x.stueck.schluessel === this.aktuell.stueck.schluessel
                    && x.objekt === this.aktuell.objekt) : -1;
                return liste[(i + 1) % liste.length];
            }
            let offen = liste.filter((x) => !this.gezeigt.has(x.objekt.id + "/" + x.stueck.schluessel));
            if (!offen.length) {
                this.gezeigt.clear();
                offen = liste;
            }
            return offen[0];
        }

        start() {
            this.zeigen(this.weiter(), 0);
        }

        // Shows page seite of a piece and sets the clock for what follows.
        zeigen(eintrag, seite) {
            window.clearTimeout(this.uhr);
            this.aktuell = eintrag;
            if (!eintrag) {
                this.inhalt.replaceChildren();
                this.uhr = window.setTimeout(() => this.start(), 5000);
                return;
            }
            this.gezeigt.add(eintrag.objekt.id + "/" + eintrag.stueck.schluessel);
            this.zeichnen(seite);
            const dauer = (eintrag.objekt.dauer > 0 ? eintrag.objekt.dauer : 10) * 1000;
            if (this.k.gd) {
                const balken = this.messung.firstChild;
                balken.style.transition = "none";
                balken.style.width = "0%";
                void balken.offsetWidth;
                balken.style.transition = "width " + dauer + "ms linear";
                balken.style.width = "100%";
            }
            this.uhr = window.setTimeout(() => {
                if (this.aktuell.seite + 1 < this.aktuell.seiten) {
                    this.zeigen(this.aktuell, this.aktuell.seite + 1);
                } else {
                    this.zeigen(this.weiter(), 0);
                }
            }, dauer);
        }

        // Draws the current piece anew (also after new data), at page seite.
        zeichnen(seite) {
            const a = this.aktuell;
            if (!a) {
                return;
            }
            const frisch = this.alle().find((x) => x.objekt === a.objekt && x.stueck.schluessel === a.stueck.schluessel);
            if (frisch) {
                a.stueck = frisch.stueck;
            }
            const inhalt = a.stueck.inhalt();
            this.inhalt.replaceChildren();
            this.inhalt.style.fontSize = (a.objekt.fontgr > 0 ? a.objekt.fontgr : 16) + "pt";
            if (inhalt.titel) {
                this.inhalt.append(el("div", "titel", inhalt.titel));
            }
            const rahmen = el("div", "rahmen");
            rahmen.append(inhalt.element);
            this.inhalt.append(rahmen);
            const seiten = Q.einpassen(rahmen, inhalt, this.k.sc);
            a.seiten = seiten.length;
            a.seite = Math.min(seite, seiten.length - 1);
            seiten.zeigen(a.seite);
            if (this.k.nd) {
                const n = a.seite + 1 < a.seiten ? null : this.weiterVorschau();
                this.naechstes.textContent = n === null ? "Weiter: Seite " + (a.seite + 2) + " von " + a.seiten
                    : n ? "Als Nächstes: " + n : "";
            }
        }
        weiterVorschau() {
            const n = this.weiter();
            if (!n || (n.stueck.schluessel === this.aktuell.stueck.schluessel && n.objekt === this.aktuell.objekt)) {
                return "";
            }
            return n.stueck.titel || "";
        }
    }

    // Fits content into its frame: rows page by page (paging on) or everything scaled down to one page.
    // Returns the pages with zeigen(i).
    Q.einpassen = function (rahmen, inhalt, blaettern) {
        const hoehe = rahmen.clientHeight;
        const breite = rahmen.clientWidth;
        const element = inhalt.element;
        const skalieren = () => {
            element.style.transform = "";
            const f = Math.min(1, breite / Math.max(1, element.scrollWidth), hoehe / Math.max(1, element.offsetHeight));
            if (f < 1) {
                element.style.transformOrigin = "top left";
                element.style.transform = "scale(" + f + ")";
            }
        };
        if (!inhalt.zeilen || !blaettern || inhalt.passend) {
            skalieren();
            const seiten = [null];
            seiten.zeigen = () => {};
            return seiten;
        }
        // Row positions with every row shown, then page breaks where a row would pass the frame's bottom.
        const basis = element.getBoundingClientRect().top;
        const kopf = element.tHead ? element.tHead.offsetHeight : 0;
        const seiten = [];
        let anfang = 0;
        let oben = null;
        inhalt.zeilen.forEach((z, i) => {
            const r = z.getBoundingClientRect();
            if (oben === null) {
                oben = r.top - basis;
            }
            if (r.bottom - basis - oben + kopf > hoehe && i > anfang) {
                seiten.push([anfang, i]);
                anfang = i;
                oben = r.top - basis;
            }
        });
        seiten.push([anfang, inhalt.zeilen.length]);
        seiten.zeigen = (n) => {
            const [von, bis] = seiten[n];
            inhalt.zeilen.forEach((z, i) => {
                z.style.display = i >= von && i < bis ? "" : "none";
            });
            if (seiten.length > 1) {
                rahmen.dataset.seite = n + 1 + " / " + seiten.length;
            }
            skalieren(); // a single row wider or taller than the frame
        };
        return seiten;
    };

    function hintergrund(knoten, daten, bild) {
        if (bild) {
            knoten.style.backgroundImage = "url(\"" + daten.bild(bild).replace(/"/g, "%22") + "\")";
        }
    }

    Q.ebeneSichtbar = ebeneSichtbar;
    function ebeneSichtbar(e, jetzt) {
        if (e.beginn <= 0 || e.dauer <= 0 || e.dauer >= e.beginn) {
            return true;
        }
        const sekunden = jetzt.getHours() * 3600 + jetzt.getMinutes() * 60 + jetzt.getSeconds();
        return sekunden % e.beginn < e.dauer;
    }

    Q.halle = async function (zkd, bs) {
        const start = performance.now();
        const daten = new Q.Daten(zkd, false);
        const wurzel = document.getElementById("anzeige");
        let bildschirm;
        try {
            const [text] = await Promise.all([daten.konfiguration(), daten.abrufen()]);
            const alle = Q.konfigurationLesen(text);
            bildschirm = alle.find((b) => b.id === bs);
            if (!bildschirm) {
                throw new Error("Bildschirm " + bs + " ist nicht in config_quenda.xml");
            }
        } catch (e) {
            wurzel.replaceChildren(el("div", "hinweis", e.message));
            Q.protokoll(e.message);
            window.setTimeout(() => window.location.reload(), 30000);
            return;
        }
        const geladen = performance.now();
        document.title = "Bildschirm " + bs + " – " + (daten.auslosungen().turnier || "Quenda");
        const schirm = el("div", "bildschirm");
        schirm.style.width = bildschirm.wd + "px";
        schirm.style.height = bildschirm.hg + "px";
        hintergrund(schirm, daten, bildschirm.bild);
        const bereiche = [];
        const ebenen = [];
        for (const e of bildschirm.ebenen) {
            const knoten = el("div", "ebene");
            Object.assign(knoten.style, { left: e.x + "px", top: e.y + "px", width: e.wd + "px", height: e.hg + "px",
                borderWidth: e.rand + "px" });
            knoten.dataset.ebene = e.id;
            hintergrund(knoten, daten, e.bild);
            for (const r of e.bereiche) {
                const b = el("div", "bereich");
                Object.assign(b.style, { left: r.x + "px", top: r.y + "px", width: r.wd + "px", height: r.hg + "px" });
                b.dataset.bereich = e.id + "-" + r.id;
                hintergrund(b, daten, r.bild);
                knoten.append(b);
                bereiche.push(new Bereich(r, [bs, e.id, r.id], daten, b));
            }
            schirm.append(knoten);
            ebenen.push([e, knoten]);
        }
        wurzel.replaceChildren(schirm);
        const massstab = () => {
            const f = Math.min(window.innerWidth / Math.max(1, bildschirm.wd), window.innerHeight / Math.max(1, bildschirm.hg));
            schirm.style.transform = "scale(" + f + ")";
        };
        massstab();
        window.addEventListener("resize", massstab);
        const sichtbarkeit = () => {
            const jetzt = new Date();
            for (const [e, knoten] of ebenen) {
                knoten.hidden = !ebeneSichtbar(e, jetzt);
            }
        };
        sichtbarkeit();
        window.setInterval(sichtbarkeit, 1000);
        const jeBereich = bereiche.map((b) => {
            const t = performance.now();
            b.start();
            return Math.round(performance.now() - t);
        });
        // For the benchmark and the tests: how long loading and building took, and when the first frame with
        // everything in it was drawn (two frames later the first one is on the screen); then the page is ready.
        const gebaut = performance.now();
        window.requestAnimationFrame(() => window.requestAnimationFrame(() => {
            window.quendaMessung = { ladenMs: geladen - start, aufbauMs: gebaut - geladen,
                darstellungMs: performance.now() - geladen, bereiche: bereiche.length, jeBereich };
            document.body.dataset.bereit = "1";
        }));
        Q.protokoll("Bildschirm " + bs + ": " + bereiche.length + " Bereiche, " + Object.keys(daten.dateien).length + " Dateien");
        Q.abrufenImmer(daten, 5000, () => {
            for (const b of bereiche) {
                if (b.aktuell) {
                    b.zeichnen(b.aktuell.seite);
                } else {
                    b.start();
                }
            }
            document.body.dataset.stand = daten.stand;
        });
    };
})(window.Quenda);
