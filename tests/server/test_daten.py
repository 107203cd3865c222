"""server/daten.php under php -S: newest stamp, Windows-1252 to UTF-8, only data files of zkd folders."""
import os
import shutil
import tempfile
import unittest

from hilfen import PhpServer, schreiben

ALT, NEU, NEUER = "20261209090000", "20261209090100", "20261209090200"


class Endpunkt(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = PhpServer()
        cls.upload = os.path.join(cls.server.wurzel, "zkddemo", "upload")

    @classmethod
    def tearDownClass(cls):
        cls.server.beenden()

    def setUp(self):
        shutil.rmtree(self.server.wurzel)
        os.makedirs(self.upload)

    def ablegen(self, name, inhalt):
        schreiben(os.path.join(self.upload, name), inhalt)

    def dateien(self, abfrage="zkd=demo"):
        status, _, antwort = self.server.daten(abfrage)
        self.assertEqual(status, 200, antwort)
        return antwort

    def test_the_newest_stamp_wins_whatever_the_order_of_arrival(self):
        self.ablegen(f"{NEU}_tabelle_0007_01.txt", b"neu\r\n")
        self.ablegen(f"{NEUER}_auslodat.txt", b"Turnier\r\n")
        self.ablegen(f"{ALT}_tabelle_0007_01.txt", b"alt\r\n")  # a late archive of an earlier cycle
        antwort = self.dateien()
        self.assertEqual(antwort["dateien"], {
            "auslodat.txt": {"stempel": NEUER, "inhalt": "Turnier\r\n"},
            "tabelle_0007_01.txt": {"stempel": NEU, "inhalt": "neu\r\n"},
        })
        self.assertEqual(antwort["stand"], NEUER)

    def test_windows_1252_arrives_as_utf8(self):
        texte = ["Müller, Jörg|Straße|ÄÖÜäöüß", "Startgeld 5 €", "„Zitat“ – ‚halb‘ … † ‰ Š Ž š ž Ÿ Œ œ ™ •",
                 "¦|©®°±²³µ¶·¹º»¼½¾¿×÷", ""]
        for nummer, text in enumerate(texte):
            self.ablegen(f"{ALT}_teilnehmer_{nummer:04d}.txt", (text + "\r\n").encode("cp1252"))
        self.ablegen(f"{ALT}_meldung_01_01_01_01.txt", b"nicht belegt: \x81\x8d\x8f\x90\x9d")
        antwort = self.dateien()["dateien"]
        for nummer, text in enumerate(texte):
            with self.subTest(text):
                self.assertEqual(antwort[f"teilnehmer_{nummer:04d}.txt"]["inhalt"], text + "\r\n")
        self.assertEqual(antwort["meldung_01_01_01_01.txt"]["inhalt"], "nicht belegt: " + "\ufffd" * 5)

    def test_only_stamped_data_files_are_served(self):
        draussen = tempfile.mkdtemp(prefix="quenda-draussen-")
        self.addCleanup(shutil.rmtree, draussen)
        schreiben(os.path.join(draussen, "geheim.txt"), b"geheim")
        gut = [f"{ALT}_{n}" for n in ["auslodat.txt", "auslodatpocko.txt", "spiele_0007_01_02.txt",
                                        "tabelle_0007_01.txt", "starter_0007_01.txt", "spielraster_0007_01.txt",
                                        "kofeld_0008.txt", "tabspiele_12345_100.txt", "teilnehmer_0002.txt",
                                        "tischbelegung_0005.txt", "tischspiel_0005_04.txt",
                                        "meldung_01_02_01_03.txt"]]
        fremd = ["auslodat.txt", f"{ALT}_x.php", f"{ALT}_auslodat.php", f"{ALT}_spiele_7_1_1.txt",
                 f"{ALT[:-1]}_auslodat.txt", f"{ALT}_pockoupload.zip", f".quenda-0123.tmp", f"{ALT}_refresh.cfg",
                 f"{ALT}_meldung_1_2_3_4.txt", f"{ALT}_auslodat.txt.bak", f"{ALT}_Auslodat.txt"]
        for name in gut + fremd:
            self.ablegen(name, b"x")
        os.symlink(os.path.join(draussen, "geheim.txt"), os.path.join(self.upload, f"{NEU}_kofeld_0009.txt"))
        self.assertEqual(sorted(self.dateien()["dateien"]), sorted(n[15:] for n in gut))

    def test_since_gives_the_files_of_that_second_and_later(self):
        self.ablegen(f"{ALT}_spiele_0007_01_01.txt", b"a")
        self.ablegen(f"{NEU}_spiele_0007_01_02.txt", b"b")
        self.ablegen(f"{NEUER}_spiele_0007_01_03.txt", b"c")
        for seit, erwartet in [(ALT, ["01", "02", "03"]), (NEU, ["02", "03"]), (NEUER, ["03"]),
                               ("20261209090201", [])]:
            with self.subTest(seit):
                antwort = self.dateien("zkd=demo&seit=" + seit)
                self.assertEqual(sorted(antwort["dateien"]), [f"spiele_0007_01_{r}.txt" for r in erwartet])
                self.assertEqual(antwort["stand"], NEUER)

    def test_requests_outside_the_data_folders_are_refused(self):
        draussen = tempfile.mkdtemp(prefix="quenda-draussen-")
        self.addCleanup(shutil.rmtree, draussen)
        schreiben(os.path.join(draussen, "upload", f"{ALT}_auslodat.txt"), b"fremd")
        os.symlink(draussen, os.path.join(self.server.wurzel, "zkdlink"))
        schreiben(os.path.join(self.server.wurzel, f"upload/{ALT}_auslodat.txt"), b"wurzel")
        faelle = [
            ("", 400), ("zkd=", 400), ("zkd=..", 400), ("zkd=../zkddemo", 400), ("zkd=demo/upload", 400),
            ("zkd=a..b", 400), ("zkd=demo%00", 400), ("zkd=%20demo", 400), ("zkd[]=demo", 400),
            ("zkd=fehlt", 404), ("zkd=link", 404), ("zkd=demo&seit=2026", 400), ("zkd=demo&seit=../../x", 400),
            ("zkd=demo&art=alles", 400),
        ]
        for abfrage, status in faelle:
            with self.subTest(abfrage):
                code, kopf, antwort = self.server.daten(abfrage)
                self.assertEqual(code, status)
                self.assertIn("fehler", antwort)
                self.assertNotIn(b"fremd", repr(antwort).encode())

    def test_configuration_and_images(self):
        ordner = os.path.join(self.server.wurzel, "zkddemo")
        xml = '\ufeff<?xml version="1.0" encoding="UTF-8"?>\r\n<Turnier>\r\n  <Turniername bez="Süd"/>\r\n</Turnier>\r\n'
        schreiben(os.path.join(ordner, "config_quenda.xml"), xml.encode("utf-8"))
        schreiben(os.path.join(ordner, "images", "Logo Süd.PNG"), b"\x89PNG bild")
        schreiben(os.path.join(ordner, "images", "b.php.png"), b"<?php")
        schreiben(os.path.join(ordner, "images", "x.svg"), b"<svg/>")
        status, kopf, antwort = self.server.daten("zkd=demo&art=konfiguration")
        self.assertEqual((status, kopf["content-type"], antwort), (200, "application/xml; charset=UTF-8",
                                                                   xml.encode("utf-8")))
        status, kopf, antwort = self.server.daten("zkd=demo&art=bild&name=Logo%20S%C3%BCd.PNG")
        self.assertEqual((status, kopf["content-type"], antwort), (200, "image/png", b"\x89PNG bild"))
        self.assertEqual(kopf["x-content-type-options"], "nosniff")
        for name, code in [("b.php.png", 400), ("x.svg", 400), ("../config_quenda.xml", 400), (".x.png", 400),
                           ("images/a.png", 400), ("fehlt.png", 404)]:
            with self.subTest(name):
                self.assertEqual(self.server.daten("zkd=demo&art=bild&name=" + name)[0], code)

    def test_control_files_and_the_phone_root(self):
        ordner = os.path.join(self.server.wurzel, "zkddemo")
        steuerung = self.dateien()["steuerung"]
        self.assertEqual(steuerung, {"refresh": None, "logmodus": "", "konfiguration": None})
        schreiben(os.path.join(ordner, "logmodus.cfg"), b"on\r\n")
        schreiben(os.path.join(ordner, "refresh.cfg"), b"Refresh\r\n")
        erst = self.dateien()["steuerung"]
        self.assertEqual(erst["logmodus"], "on")
        neu = os.path.join(ordner, ".neu")  # a new copy in the same second: it differs by its inode
        schreiben(neu, b"Refresh\r\n")
        os.replace(neu, os.path.join(ordner, "refresh.cfg"))
        self.assertNotEqual(self.dateien()["steuerung"]["refresh"], erst["refresh"])

        handy = tempfile.mkdtemp(prefix="quenda-handy-")
        self.addCleanup(shutil.rmtree, handy)
        schreiben(os.path.join(handy, "zkddemo", "upload", f"{ALT}_auslodatpocko.txt"), b"Pocko||\r\n")
        self.server.steuern("wurzel_handy", handy)
        self.addCleanup(self.server.steuern, "wurzel_handy", "")
        self.assertEqual(list(self.dateien("zkd=demo&handy=1")["dateien"]), ["auslodatpocko.txt"])
        self.assertEqual(list(self.dateien("zkd=demo")["dateien"]), [])


if __name__ == "__main__":
    unittest.main()
