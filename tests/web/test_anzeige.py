"""The display pages in headless Chromium, end to end: a generated tournament, two headless cycles of the
real program over HTTP into the upload script under php -S (the phone archives unpacked there), then the
hall screen and the phone page, compared with the data files that arrived.

Needs QUENDA_BINARY and QUENDA_DEMO (set by ctest). Screenshots go to QUENDA_SCREENSHOTS when it is set."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HIER), "server"))
from browser import Browser, chromium  # noqa: E402
from hilfen import PhpServer, lesen  # noqa: E402

TOKEN = "anzeige-geheim"
BEGINN = "2026-12-09 10:00:00"
STEMPEL = re.compile(r"^(\d{14})_(.+\.txt)$")
MELDUNG = "Halle schließt um 22 Uhr – Getränke 2 €\r\nBitte Sporthalle sauber halten."


def ausfuehren(*befehl):
    lauf = subprocess.run(befehl, capture_output=True, timeout=600)
    if lauf.returncode != 0:
        raise RuntimeError(f"{befehl}: {lauf.returncode}\n{lauf.stdout.decode()}\n{lauf.stderr.decode()}")
    return lauf.stdout.decode()


def bmp(breite, hoehe):
    """A small 24-bit picture for the advertising object."""
    zeile = (breite * 3 + 3) // 4 * 4
    pixel = b"".join((bytes([0x4a, 0xd5, 0xff]) * breite).ljust(zeile, b"\0") for _ in range(hoehe))
    kopf = b"BM" + (54 + len(pixel)).to_bytes(4, "little") + b"\0\0\0\0" + (54).to_bytes(4, "little")
    info = (40).to_bytes(4, "little") + breite.to_bytes(4, "little") + hoehe.to_bytes(4, "little") + \
        (1).to_bytes(2, "little") + (24).to_bytes(2, "little") + bytes(24)
    return kopf + info + pixel


def felder(text):
    return [z.split("|") for z in text.split("\r\n") if z != ""]


class Anzeige(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not chromium():
            raise unittest.SkipTest("chromium is not installed (Debian package chromium, scripts/install-deps.sh)")
        cls.quenda, cls.demo = os.environ["QUENDA_BINARY"], os.environ["QUENDA_DEMO"]
        cls.arbeit = tempfile.mkdtemp(prefix="quenda-anzeige-")
        cls.db = os.path.join(cls.arbeit, "turnier.sqlite")
        cls.tsdir = os.path.join(cls.arbeit, "qnda001turnier")
        ausfuehren(cls.demo, "generate", "--out", cls.db, "--size", "small", "--seed", "1", "--now", BEGINN)
        cls.server = PhpServer()
        cls.server.steuern("token", TOKEN)
        os.makedirs(cls.tsdir)
        adresse = f"http://127.0.0.1:{cls.server.port}"
        with open(os.path.join(cls.tsdir, "config_ablage.xml"), "w", encoding="utf-8") as f:
            f.write(f'<?xml version="1.0" encoding="UTF-8"?>\n<Turnier>\n  <ablage anzweb="1" aktiv="2" verzeichnis="" '
                    f'host="{adresse}" steuerdatei="web" pocko="1" aktiv_px="2" verzeichnis_px="" host_px="{adresse}" '
                    f'steuerdatei_px="web" impressum="https://verein.example/impressum" datenschutz="" dbzkd="demo" '
                    f'token="{TOKEN}" token_px="{TOKEN}"/>\n</Turnier>\n')
        # The demo's presentation (screen 1) and the message of the test's screen 2, before the cycles that
        # publish the messages.
        ausfuehren(cls.demo, "praesentation", cls.tsdir, "--db", cls.db)
        with open(os.path.join(cls.tsdir, "meldung_02_01_07_01_org.txt"), "wb") as f:
            f.write(MELDUNG.encode("cp1252"))
        ausfuehren(cls.quenda, "--headless", "--db", cls.db, "--tournament", "1", "--cycles", "2",
                   "--fake-time", BEGINN)
        cls.upload = os.path.join(cls.server.wurzel, "zkddemo", "upload")
        cls.konfiguration_senden()
        cls.browser = Browser()
        cls.screenshots = os.environ.get("QUENDA_SCREENSHOTS") or os.path.join(cls.arbeit, "screenshots")
        os.makedirs(cls.screenshots, exist_ok=True)

    @classmethod
    def tearDownClass(cls):
        cls.browser.beenden()
        cls.server.beenden()
        shutil.rmtree(cls.arbeit, ignore_errors=True)

    @classmethod
    def senden(cls, name, inhalt):
        antwort = cls.server.hochladen("/zkddemo/" + name, inhalt, token=TOKEN)
        if antwort != "FILE vorhanden!":
            raise RuntimeError(f"{name}: {antwort}")

    @classmethod
    def konfiguration_senden(cls):
        """The configuration transfer: the demo's screen 1 and a screen 2 with one area per object kind."""
        liste = cls.neueste()["auslodat.txt"][1:]
        gruppen = [z for z in liste if z[1] != "0"]
        cls.ko = next(z for z in gruppen if z[3] != "1")
        cls.gruppe = next(z for z in gruppen if z[3] == "1")
        cls.kn = next(z for z in liste if z[1] == "0")[0]
        cls.halle = sorted(n for n in cls.neueste() if n.startswith("tischbelegung_"))[0][14:18]
        al = cls.gruppe[1]
        objekte = [  # kind, aslid, typ, picture
            (0, al, 0, ""), (1, "0", 1, ""), (2, al, 0, ""), (3, "0", 0, "werbung.bmp"), (4, cls.halle, 0, ""),
            (5, cls.halle, 0, ""), (6, "0", 0, ""), (7, al, 0, ""), (8, cls.kn, 0, ""), (9, al, 0, ""),
            (1, cls.ko[1], 2, ""), (0, "0", 2, ""),
        ]
        bereiche = "".join(
            f'<bereich id="{i + 1}" x="{(i % 6) * 320}" y="{(i // 6) * 540}" wd="320" hg="540" sc="0" nd="0" gd="0" '
            f'rh="1" backgroundimage=""><objekt id="1" objid="{art}" dauer="600" fontgr="9" werbungimage="{bild}">'
            f'<auslosung id="1" aslid="{aslid}" typ="{typ}"/></objekt></bereich>'
            for i, (art, aslid, typ, bild) in enumerate(objekte))
        schirm = (f'<bildschirm id="2" x="0" y="0" wd="1920" hg="1080" backgroundimage=""><ebene id="1" x="0" y="0" '
                  f'wd="1920" hg="1080" beginn="0" dauer="0" border="0" backgroundimage="">{bereiche}</ebene>'
                  f'</bildschirm>')
        demo = lesen(os.path.join(cls.tsdir, "config_quenda.xml")).decode("utf-8-sig")
        cls.senden("config_quenda.xml", demo.replace("</Turnier>", schirm + "</Turnier>").encode("utf-8-sig"))
        for bild in os.listdir(os.path.join(cls.tsdir, "images")):
            cls.senden("images/" + bild, lesen(os.path.join(cls.tsdir, "images", bild)))
        cls.senden("images/werbung.bmp", bmp(40, 20))

    @classmethod
    def neueste(cls):
        """The newest version of every data file that arrived, split into fields (Windows-1252 read)."""
        neu = {}
        for name in os.listdir(cls.upload):
            m = STEMPEL.match(name)
            if m and (m.group(2) not in neu or neu[m.group(2)][0] < m.group(1)):
                neu[m.group(2)] = (m.group(1), name)
        return {datei: felder(lesen(os.path.join(cls.upload, name)).decode("cp1252"))
                for datei, (_, name) in neu.items()}

    def seite(self, abfrage, breite=1920, hoehe=1080, mobil=False):
        s = self.browser.seite(breite, hoehe, mobil)
        s.laden(f"http://127.0.0.1:{self.server.port}/web/anzeige/?zkd=demo&{abfrage}")
        s.warten('document.body.dataset.bereit === "1"')
        return s

    def bereich(self, seite, nummer, ausdruck):
        return seite.werten(f'(b => {ausdruck})(document.querySelector(\'[data-bereich="1-{nummer}"]\'))')

    def zeilen(self, seite, nummer):
        """Per table row of an area: the text of each cell's names (or the cell's own text)."""
        return self.bereich(seite, nummer, "Array.from(b.querySelectorAll('tbody tr')).map(tr => "
                                           "Array.from(tr.cells).map(td => { const n = td.querySelector('.name'); "
                                           "return (n ? n : td).textContent.trim(); }))")

    @staticmethod
    def aktuelle_runde(daten, al, gruppe):
        runden = sorted(n for n in daten if n.startswith(f"spiele_{int(al):04d}_{int(gruppe):02d}_"))
        for n in runden:
            if any(z[10] not in ("4", "5") for z in daten[n]):
                return daten[n]
        return daten[runden[-1]]

    def pruefe_spiele(self, seite, nummer, spiele):
        zeilen = self.zeilen(seite, nummer)
        self.assertEqual(len(zeilen), len(spiele))
        for zeile, spiel in zip(zeilen, spiele):
            g, v = (int(x) for x in spiel[14].split(" : "))
            fertig = spiel[10] in ("4", "5")
            self.assertEqual(zeile[0], str(int(spiel[16])))
            self.assertEqual(zeile[2:5], [spiel[4].strip(), spiel[6].strip(), f"{g}:{v}" if fertig or g + v else ""])

    def test_every_object_kind_shows_its_data_files(self):
        daten = self.neueste()
        seite = self.seite("bs=2")
        al, gr = self.gruppe[1], self.gruppe[2]
        erste = next(z for z in daten["auslodat.txt"][1:] if z[1] != "0" and z[3] == "1")

        with self.subTest("Spiele: the current round of the draw's first group"):
            self.pruefe_spiele(seite, 1, self.aktuelle_runde(daten, al, gr))
        with self.subTest("Tabelle, all group draws (typ 1): the first group's ranks in order"):
            tabelle = daten[f"tabelle_{int(erste[1]):04d}_{int(erste[2]):02d}.txt"]
            self.assertEqual(self.zeilen(seite, 2), [[z[2], z[3].strip(), f"{z[9]}:{z[10]}", f"{z[7]}:{z[8]}"]
                                                     + ([f"{z[5]}:{z[6]}"] if z[12] == "-1" else []) for z in tabelle])
        with self.subTest("Starterliste"):
            starter = daten[f"starter_{int(al):04d}_{int(gr):02d}.txt"]
            self.assertEqual([z[1] for z in self.zeilen(seite, 3)], [z[3].strip() for z in starter])
        with self.subTest("Werbung: the picture through the endpoint"):
            seite.warten("document.querySelector('[data-bereich=\"1-4\"] img').complete")
            self.assertEqual(self.bereich(seite, 4, "b.querySelector('img').naturalWidth"), 40)
        with self.subTest("Tischbelegung: every listed table, the names of its game"):
            belegung = daten[f"tischbelegung_{self.halle}.txt"]
            karten = self.bereich(seite, 5, "Object.fromEntries(Array.from(b.querySelectorAll('.tisch'))"
                                            ".map(k => [k.dataset.tisch, k.textContent]))")
            tische = [z for z in belegung if z[0] == "TISCH"]
            self.assertEqual(sorted(karten, key=int), sorted((z[1] for z in tische), key=int))
            for z in tische:
                for name in (z[8], z[10]):
                    self.assertIn(name, karten[z[1]])
        with self.subTest("Tisch Spiel: the first table with a game"):
            tisch = next(z for z in daten[f"tischbelegung_{self.halle}.txt"]
                         if z[0] == "TISCH" and z[6].strip() and z[13] != "22")
            spiel = daten[f"tischspiel_{self.halle}_{int(tisch[1]):02d}.txt"][0]
            self.assertEqual(self.bereich(seite, 6, "Array.from(b.querySelectorAll('.tischspiel-seite .name'))"
                                                    ".map(n => n.textContent)"),
                             [" ".join(x for x in (spiel[4], spiel[5]) if x), " ".join(x for x in (spiel[8], spiel[9]) if x)])
        with self.subTest("Meldung: the text as typed, umlauts and euro sign included"):
            self.assertEqual(self.bereich(seite, 7, "b.querySelector('.meldung').textContent"),
                             MELDUNG.replace("\r\n", "\n"))
        with self.subTest("Spielraster: every finished game in its cell, from the row's view"):
            raster = daten[f"spielraster_{int(al):04d}_{int(gr):02d}.txt"]
            teil = raster.index(["[ERGEBNISSE]"])
            zeilen = self.zeilen(seite, 8)
            self.assertEqual([z[1] for z in zeilen], [z[4].strip() for z in raster[:teil]])
            pos = [int(z[2]) for z in raster[:teil]]
            for spiel in raster[teil + 1:]:
                if spiel[6] == "4":
                    g, v = spiel[10].split(" : ")
                    p1, p2 = int(spiel[0]), int(spiel[1])
                    self.assertEqual(zeilen[pos.index(p1)][2 + pos.index(p2)], f"{g}:{v}")
                    self.assertEqual(zeilen[pos.index(p2)][2 + pos.index(p1)], f"{v}:{g}")
        with self.subTest("Teilnehmer"):
            self.assertEqual([z[1] for z in self.zeilen(seite, 9)],
                             [z[4] for z in daten[f"teilnehmer_{int(self.kn):04d}.txt"]])
        with self.subTest("Tabelle+Spiele: the table of the combined file"):
            ts = daten[f"tabspiele_{int(al):04d}_{int(gr):02d}.txt"]
            tabelle = ts[ts.index(["[TABELLE]"]) + 1:]
            namen = self.bereich(seite, 10, "Array.from(b.querySelectorAll('table.tabelle tbody .person .name'))"
                                            ".map(n => n.textContent)")
            self.assertEqual(namen, [z[3].strip() for z in tabelle])
        with self.subTest("Tabelle of a knock-out draw (typ 2): its field with every starter"):
            kofeld = daten[f"kofeld_{int(self.ko[1]):04d}.txt"]
            namen = self.bereich(seite, 11, "Array.from(b.querySelectorAll('.ko-runde:first-of-type .ko-seite .name'))"
                                            ".map(n => n.textContent)")
            self.assertEqual(namen, ["Freilos" if "Freilos" in z[2] else z[2].strip() for z in kofeld])
        with self.subTest("Spiele of knock-out draws only (typ 2)"):
            self.pruefe_spiele(seite, 12, self.aktuelle_runde(daten, self.ko[1], self.ko[2]))
        with self.subTest("fontgr is the font size in points"):
            self.assertEqual(self.bereich(seite, 2, "getComputedStyle(b.querySelector('.inhalt')).fontSize"), "12px")

    def test_layers_show_for_their_duration_at_the_start_of_every_interval(self):
        seite = self.seite("bs=1")
        faelle = [  # beginn, dauer, time of day, shown
            (0, 0, "10:00:00", True), (0, 30, "10:00:45", True), (60, 0, "10:00:45", True),
            (60, 60, "10:00:59", True), (60, 90, "10:00:30", True),
            (120, 30, "10:00:00", True), (120, 30, "10:00:29", True), (120, 30, "10:00:30", False),
            (120, 30, "10:01:59", False), (120, 30, "10:02:00", True), (90, 10, "00:01:30", True),
            (90, 10, "00:01:40", False),
        ]
        for beginn, dauer, zeit, sichtbar in faelle:
            with self.subTest(beginn=beginn, dauer=dauer, zeit=zeit):
                self.assertEqual(seite.werten(f"Quenda.ebeneSichtbar({{beginn: {beginn}, dauer: {dauer}}}, "
                                              f"new Date('2026-12-09T{zeit}'))"), sichtbar)

    def test_hall_page_follows_new_data_and_the_control_files(self):
        seite = self.seite("bs=2&takt=500")
        seite.werten("window.quendaMarke = 1")
        vorher = self.neueste()
        ausfuehren(self.demo, "simulate", self.db, "--steps", "60", "--seed", "4", "--now", "2026-12-09 10:02:00",
                   "--quiet")
        ausfuehren(self.quenda, "--headless", "--db", self.db, "--tournament", "1", "--cycles", "2",
                   "--fake-time", "2026-12-09 10:30:00")
        stand = max(n[:14] for n in os.listdir(self.upload) if STEMPEL.match(n))
        # A poll during the upload already brings the newest stamp with only part of its files: wait for two
        # more polls, the second of which began after the upload had ended.
        abrufe = seite.werten("Number(document.body.dataset.abrufe || 0)")
        seite.warten(f'document.body.dataset.stand === "{stand}" && '
                     f'Number(document.body.dataset.abrufe || 0) >= {abrufe + 2}', 30)
        self.assertEqual(seite.werten("window.quendaMarke"), 1, "updated without reloading")
        daten = self.neueste()
        belegung = f"tischbelegung_{self.halle}.txt"
        self.assertNotEqual(daten[belegung], vorher[belegung], "the simulator moved games on the tables")
        tische = self.bereich(seite, 5, "Array.from(b.querySelectorAll('.tisch')).map(k => k.dataset.tisch)")
        self.assertEqual(sorted(tische, key=int), sorted((z[1] for z in daten[belegung] if z[0] == "TISCH"), key=int))
        for z in daten[belegung]:
            if z[0] == "TISCH" and z[8]:
                self.assertIn(z[8], self.bereich(seite, 5, f"b.querySelector('[data-tisch=\"{z[1]}\"]').textContent"))
        self.pruefe_spiele(seite, 1, self.aktuelle_runde(daten, self.gruppe[1], self.gruppe[2]))

        self.assertTrue(seite.werten("document.getElementById('protokoll').hidden"))
        self.senden("logmodus.cfg", b"on\r\n")
        seite.warten("!document.getElementById('protokoll').hidden", 30)
        self.assertIn("Dateien neu", seite.werten("document.getElementById('protokoll').textContent"))
        self.senden("logmodus.cfg", b"off\r\n")
        seite.warten("document.getElementById('protokoll').hidden", 30)

        self.senden("refresh.cfg", b"Refresh\r\n")
        seite.warten('window.quendaMarke === undefined && document.body.dataset.bereit === "1"', 30)

    def test_demo_screen_renders_and_is_photographed(self):
        seite = self.seite("bs=1")
        messung = seite.werten("window.quendaMessung")
        self.assertEqual(messung["bereiche"], 6)
        self.assertEqual(seite.werten("document.querySelectorAll('.bereich .inhalt .titel, .meldung').length > 3"), True)
        seite.bildschirmfoto(os.path.join(self.screenshots, "halle.png"))
        self.assertEqual(seite.werten("document.documentElement.scrollHeight"), 1080, "nothing to scroll")
        # Every area shows what it shows inside its frame: long lists page by page, the rest scaled to fit.
        ueberstand = seite.werten("""Array.from(document.querySelectorAll('.rahmen')).filter(r => {
            const a = r.getBoundingClientRect(), c = r.firstElementChild.getBoundingClientRect();
            return c.bottom > a.bottom + 1 || c.right > a.right + 1; }).map(r => r.closest('.bereich').dataset.bereich)""")
        self.assertEqual(ueberstand, [])

    def test_phone_page_on_a_360_pixel_screen(self):
        daten = self.neueste()
        seite = self.seite("handy=1", 360, 740, mobil=True)
        liste = daten["auslodatpocko.txt"]
        draws = []
        for z in liste[1:]:
            name = z[5] + (" – " + z[6] if z[6] else "") + ("" if z[3] == "1" else " (KO)")
            if name not in draws:
                draws.append(name)
        self.assertEqual(seite.werten("Array.from(document.querySelectorAll('.auslosung-name')).map(n => n.textContent)"),
                         draws)
        self.assertEqual(seite.werten("document.querySelector('.fuss-handy a').href"), "https://verein.example/impressum")
        self.assertLessEqual(seite.werten("document.documentElement.scrollWidth"), 360)
        seite.bildschirmfoto(os.path.join(self.screenshots, "handy.png"))

        gruppe = next(z for z in liste[1:] if z[3] == "1")
        seite.werten(f"window.location.hash = 'a={gruppe[1]}&g={gruppe[2]}'")
        seite.warten("document.querySelector('h2') && document.querySelector('h2').textContent === 'Tabelle'")
        tabelle = daten[f"tabelle_{int(gruppe[1]):04d}_{int(gruppe[2]):02d}.txt"]
        self.assertEqual(seite.werten("Array.from(document.querySelectorAll('table.tabelle tbody .person .name'))"
                                      ".map(n => n.textContent)"), [z[3].strip() for z in tabelle])
        runden = sorted(n for n in daten if n.startswith(f"spiele_{int(gruppe[1]):04d}_{int(gruppe[2]):02d}_"))
        self.assertEqual(seite.werten("document.querySelectorAll('.spielkarte').length"),
                         sum(len(daten[n]) for n in runden), "every game of every round")
        self.assertLessEqual(seite.werten("document.documentElement.scrollWidth"), 360)

        ko = next(z for z in liste[1:] if z[3] != "1")
        seite.werten(f"window.location.hash = 'a={ko[1]}&g={ko[2]}'")
        seite.warten("document.querySelector('.ko') !== null")
        self.assertLessEqual(seite.werten("document.documentElement.scrollWidth"), 360, "the field scrolls in its box")
        seite.bildschirmfoto(os.path.join(self.screenshots, "handy-ko.png"))


if __name__ == "__main__":
    unittest.main()
