// Quenda display pages: the data of one data folder as the endpoint ../daten.php serves it, the data files
// read into records, and the small helpers every page needs. No framework, no build step.
"use strict";

window.Quenda = window.Quenda || {};

(function (Q) {
    Q.param = function (name) {
        return new URLSearchParams(window.location.search).get(name);
    };

    // Ids in file names are padded: draws, halls and competitions to 4 digits, groups, rounds and tables to 2.
    Q.n = function (zahl, stellen) {
        return String(zahl).padStart(stellen, "0");
    };

    Q.el = function (tag, klasse, text) {
        const e = document.createElement(tag);
        if (klasse) {
            e.className = klasse;
        }
        if (text !== undefined && text !== null) {
            e.textContent = text;
        }
        return e;
    };

    // A stored set value (loser's points from the first player's view, "-0" lost 0:11) as "11:7"; "" when empty.
    Q.satz = function (wert) {
        const w = String(wert === undefined ? "" : wert).trim();
        if (w === "") {
            return "";
        }
        if (w === "-0") {
            return "0:11";
        }
        const v = parseInt(w, 10);
        if (isNaN(v)) {
            return w;
        }
        const a = Math.abs(v);
        const b = a >= 10 ? a + 2 : 11;
        return v >= 0 ? b + ":" + a : a + ":" + b;
    };

    // States of a game as the pages show them; 4 (and 5) carry a result.
    Q.beendet = function (status) {
        return status === 4 || status === 5;
    };
    Q.statusText = function (status) {
        return { 2: "aufgerufen", 3: "läuft", 22: "geplant", 33: "unterbrochen" }[status] || "";
    };

    // The log lines of the overlay that logmodus.cfg ("on") switches on.
    const protokoll = [];
    Q.protokoll = function (text) {
        const zeit = new Date().toLocaleTimeString("de-DE");
        protokoll.push(zeit + " " + text);
        while (protokoll.length > 14) {
            protokoll.shift();
        }
        const feld = document.getElementById("protokoll");
        if (feld && !feld.hidden) {
            feld.textContent = protokoll.join("\n");
        }
    };
    Q.protokollZeigen = function (an) {
        const feld = document.getElementById("protokoll");
        if (feld && feld.hidden === an) {
            feld.hidden = !an;
            feld.textContent = protokoll.join("\n");
        }
    };

    function zeilen(inhalt) {
        const liste = inhalt.split("\r\n");
        if (liste.length && liste[liste.length - 1] === "") {
            liste.pop();
        }
        return liste;
    }
    const zahl = (t) => parseInt(t, 10) || 0;

    function spiel(f) {
        return {
            label: f[0], gruppe: zahl(f[1]), runde: zahl(f[2]), rundenname: f[3], name1: f[4], verein1: f[5],
            name2: f[6], verein2: f[7], zeit: f[8], tisch: f[9], status: zahl(f[10]), syf: zahl(f[11]),
            sytyp: zahl(f[12]), gse: zahl(f[13]), saetze: f[14], ergebnisse: f[15] ? f[15].split(";") : [],
            nr: zahl(f[16]),
        };
    }
    function tabellenzeile(f) {
        return {
            label: f[0], gruppe: zahl(f[1]), rang: zahl(f[2]), name: f[3], verein: f[4], baelleG: f[5],
            baelleV: f[6], saetzeG: zahl(f[7]), saetzeV: zahl(f[8]), spieleG: zahl(f[9]), spieleV: zahl(f[10]),
            sperre: zahl(f[11]), baelle: f[12] === "-1",
        };
    }
    // "3 : 1" as the two numbers.
    Q.saetzeZahlen = function (text) {
        const m = /^\s*(\d+)\s*:\s*(\d+)\s*$/.exec(text || "");
        return m ? [zahl(m[1]), zahl(m[2])] : [0, 0];
    };

    // What the endpoint delivered for one data folder, with readers for every kind of data file.
    class Daten {
        constructor(zkd, handy) {
            this.zkd = zkd;
            this.handy = handy;
            this.dateien = {}; // name -> {stempel, inhalt}
            this.stand = "";
            this.steuerung = null;
            this.cache = {};
            this.version = 0; // rises with every poll that brought something
            this.rundenIndex = null;
        }

        adresse(abfrage) {
            return "../daten.php?zkd=" + encodeURIComponent(this.zkd) + (this.handy ? "&handy=1" : "") + abfrage;
        }
        bild(name) {
            return this.adresse("&art=bild&name=" + encodeURIComponent(name));
        }

        // One poll; the names whose content changed.
        async abrufen() {
            const antwort = await fetch(this.adresse(this.stand ? "&seit=" + this.stand : ""), { cache: "no-store" });
            const json = await antwort.json();
            if (!antwort.ok) {
                throw new Error(json.fehler || "HTTP " + antwort.status);
            }
            const neu = [];
            for (const [name, datei] of Object.entries(json.dateien)) {
                const alt = this.dateien[name];
                if (!alt || alt.stempel !== datei.stempel || alt.inhalt !== datei.inhalt) {
                    this.dateien[name] = datei;
                    delete this.cache[name];
                    neu.push(name);
                }
            }
            this.stand = json.stand;
            this.steuerung = json.steuerung;
            if (neu.length) {
                this.version++;
                this.rundenIndex = null;
            }
            return neu;
        }

        async konfiguration() {
            const antwort = await fetch(this.adresse("&art=konfiguration"), { cache: "no-store" });
            if (!antwort.ok) {
                throw new Error("config_quenda.xml nicht vorhanden");
            }
            return antwort.text();
        }

        stempel(name) {
            return this.dateien[name] ? this.dateien[name].stempel : "";
        }
        text(name) {
            return this.dateien[name] ? this.dateien[name].inhalt : null;
        }
        // The lines of a file split into fields, read once per version.
        felder(name) {
            if (!this.dateien[name]) {
                return null;
            }
            if (!this.cache[name]) {
                this.cache[name] = zeilen(this.dateien[name].inhalt).map((z) => z.split("|"));
            }
            return this.cache[name];
        }
        namen(muster) {
            return Object.keys(this.dateien).filter((n) => muster.test(n)).sort();
        }

        // The draw list: the tournament and the tracked items in list order.
        auslosungen() {
            const f = this.felder(this.handy ? "auslodatpocko.txt" : "auslodat.txt") || [];
            const kopf = f.length ? f[0] : [""];
            const eintraege = f.slice(1).filter((z) => z.length >= 11).map((z) => ({
                syf: zahl(z[0]), al: zahl(z[1]), gruppe: zahl(z[2]), sytyp: zahl(z[3]), typ: zahl(z[4]),
                konkurrenz: z[5], bez: z[6], grmax: zahl(z[7]), kl: zahl(z[8]), erledigt: zahl(z[9]),
                offen: zahl(z[10]),
            }));
            return {
                turnier: kopf[0], impressum: kopf[1] || "", datenschutz: kopf[2] || "",
                gruppen: eintraege.filter((e) => e.al !== 0),
                teilnehmerlisten: eintraege.filter((e) => e.al === 0).map((e) => ({ kn: e.syf, konkurrenz: e.konkurrenz })),
            };
        }

        // The game lists of a group, round by round: [{runde, name, spiele, stempel}]. The round files of all
        // groups are indexed once per data version: a large tournament has some thousand files.
        runden(al, gruppe) {
            return this.rundenDateien(al, gruppe).map(([runde, name]) => {
                const spiele = this.felder(name).filter((f) => f.length >= 17).map(spiel);
                return { runde: runde, name: spiele.length ? spiele[0].rundenname : "", spiele: spiele,
                    stempel: this.stempel(name) };
            });
        }
        // [[round number, file name]] of a group in round order, without reading the files.
        rundenDateien(al, gruppe) {
            if (!this.rundenIndex) {
                this.rundenIndex = new Map();
                for (const name of Object.keys(this.dateien)) {
                    const m = /^(spiele_\d+_\d+)_(\d+)\.txt$/.exec(name);
                    if (m) {
                        if (!this.rundenIndex.has(m[1])) {
                            this.rundenIndex.set(m[1], []);
                        }
                        this.rundenIndex.get(m[1]).push([zahl(m[2]), name]);
                    }
                }
            }
            return (this.rundenIndex.get("spiele_" + Q.n(al, 4) + "_" + Q.n(gruppe, 2)) || []).slice()
                .sort((a, b) => a[0] - b[0]);
        }
        da(name) {
            return name in this.dateien;
        }
        tabelle(al, gruppe) {
            const f = this.felder("tabelle_" + Q.n(al, 4) + "_" + Q.n(gruppe, 2) + ".txt");
            return f ? f.filter((z) => z.length >= 15).map(tabellenzeile) : null;
        }
        starter(al, gruppe) {
            const f = this.felder("starter_" + Q.n(al, 4) + "_" + Q.n(gruppe, 2) + ".txt");
            return f ? f.filter((z) => z.length >= 7).map((z) => ({ label: z[0], nr: zahl(z[2]), name: z[3], verein: z[4] }))
                : null;
        }
        spielraster(al, gruppe) {
            const f = this.felder("spielraster_" + Q.n(al, 4) + "_" + Q.n(gruppe, 2) + ".txt");
            if (!f) {
                return null;
            }
            const teil = f.findIndex((z) => z.length === 1 && z[0] === "[ERGEBNISSE]");
            const oben = teil < 0 ? f : f.slice(0, teil);
            const unten = teil < 0 ? [] : f.slice(teil + 1);
            return {
                starter: oben.filter((z) => z.length >= 9).map((z) => ({
                    label: z[0], pos: zahl(z[2]), stnr: z[3], name: z[4].trim(), verein: z[5], region: z[6],
                })),
                spiele: unten.filter((z) => z.length >= 12).map((z) => ({
                    p1: zahl(z[0]), p2: zahl(z[1]), runde: zahl(z[2]), rundenname: z[3], zeit: z[4], tisch: z[5],
                    status: zahl(z[6]), saetze: z[10], ergebnisse: z[11] ? z[11].split(";") : [],
                })),
            };
        }
        kofeld(al) {
            const f = this.felder("kofeld_" + Q.n(al, 4) + ".txt");
            return f ? f.filter((z) => z.length >= 6).map((z) => ({ label: z[0], nr: zahl(z[1]), name: z[2].trim(), verein: z[3] }))
                : null;
        }
        tabspiele(al, gruppe) {
            const f = this.felder("tabspiele_" + Q.n(al, 4) + "_" + Q.n(gruppe, 2) + ".txt");
            if (!f) {
                return null;
            }
            const teil = f.findIndex((z) => z.length === 1 && z[0] === "[TABELLE]");
            return {
                spiele: (teil < 0 ? f : f.slice(0, teil)).filter((z) => z.length >= 17).map(spiel),
                tabelle: (teil < 0 ? [] : f.slice(teil + 1)).filter((z) => z.length >= 15).map(tabellenzeile),
            };
        }
        teilnehmer(kn) {
            const f = this.felder("teilnehmer_" + Q.n(kn, 4) + ".txt");
            return f ? f.filter((z) => z.length >= 8).map((z) => ({
                konkurrenz: z[0], nr: zahl(z[1]), anwesend: z[2] === "-1", anwesend2: z[3] === "-1", name: z[4],
                region: z[5], verein: z[6], doppel: z[7] !== "1",
            })) : null;
        }
        hallen() {
            return this.namen(/^tischbelegung_\d{4,}\.txt$/).map((n) => zahl(n.slice(14)));
        }
        tischbelegung(hab) {
            const f = this.felder("tischbelegung_" + Q.n(hab, 4) + ".txt");
            if (!f) {
                return null;
            }
            const halle = f.find((z) => z[0] === "HALLE") || [];
            return {
                name: halle[3] || halle[1] || "", ort: halle[1] || "", adresse: halle[2] || "",
                tische: f.filter((z) => z[0] === "TISCH" && z.length >= 14).map((z) => ({
                    nr: zahl(z[1]), x: zahl(z[2]), y: zahl(z[3]), gesperrt: z[5] !== "0" && z[5] !== "",
                    label: z[6].trim(), zeit: z[7], name1: z[8], verein1: z[9], name2: z[10], verein2: z[11],
                    saetze: z[12], status: z[13] === "" ? null : zahl(z[13]),
                })),
            };
        }
        tischspiel(hab, tisch) {
            const f = this.felder("tischspiel_" + Q.n(hab, 4) + "_" + Q.n(tisch, 2) + ".txt");
            const z = f && f.length ? f[0] : null;
            return z && z.length >= 14 ? {
                nr: zahl(z[1]), label: z[2], zeit: z[3], stnr1: z[4], name1: z[5], region1: z[6], verein1: z[7],
                stnr2: z[8], name2: z[9], region2: z[10], verein2: z[11], saetze: z[12], status: zahl(z[13]),
            } : null;
        }
        meldung(bs, eb, br, obj) {
            return this.text("meldung_" + [bs, eb, br, obj].map((i) => Q.n(i, 2)).join("_") + ".txt");
        }
    }
    Q.Daten = Daten;

    // Polls every intervall ms (or every "takt" ms of the address); beiNeuem(names) after every poll that
    // brought something. A new refresh.cfg reloads the page; logmodus.cfg "on" shows the log overlay.
    // The first poll has been made by the page itself.
    Q.abrufenImmer = function (daten, intervall, beiNeuem) {
        const takt = parseInt(Q.param("takt"), 10); // ms, to poll faster than the page's default
        if (takt >= 500) {
            intervall = takt;
        }
        const refresh = (daten.steuerung || {}).refresh;
        Q.protokollZeigen((daten.steuerung || {}).logmodus === "on");
        const runde = async () => {
            try {
                const neu = await daten.abrufen();
                const s = daten.steuerung || {};
                if (s.refresh !== refresh) {
                    Q.protokoll("refresh.cfg: neu laden");
                    window.location.reload();
                    return;
                }
                Q.protokollZeigen(s.logmodus === "on");
                if (neu.length) {
                    Q.protokoll(neu.length + " Dateien neu, Stand " + daten.stand);
                    beiNeuem(neu);
                }
            } catch (e) {
                Q.protokoll("Abruf fehlgeschlagen: " + e.message);
            }
            // Polls finished so far: a poll that began while an upload was still arriving shows part of it,
            // so whoever waits for a finished upload waits for a poll that began after it.
            document.body.dataset.abrufe = String(Number(document.body.dataset.abrufe || 0) + 1);
            window.setTimeout(runde, intervall);
        };
        window.setTimeout(runde, intervall);
    };
})(window.Quenda);
