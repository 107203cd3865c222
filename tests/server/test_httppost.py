"""server/httppost.php under php -S: size limits, links in the storage root, file modes, phone archives."""
import os
import shutil
import stat
import tempfile
import unittest

from hilfen import PhpServer, baum, lesen, schreiben, zip_bytes

OK = "FILE vorhanden!"
PHP_GRENZE = "Fehler: Datei zu groß (upload_max_filesize/post_max_size)"
NICHT_ERLAUBT = "Fehler: Dateiname nicht erlaubt"
STEMPEL = "20261209090000"


class Groessen(unittest.TestCase):
    """A file over a limit gets the size error, not the token or name error PHP's dropped fields would cause."""

    @classmethod
    def setUpClass(cls):
        cls.server = PhpServer(ini=["post_max_size=4K", "upload_max_filesize=2K"])
        cls.server.steuern("token", "geheim")

    @classmethod
    def tearDownClass(cls):
        cls.server.beenden()

    def test_each_limit_names_itself(self):
        faelle = [
            # title, bytes, settings limit, reply
            ("over post_max_size: PHP drops every field", 6000, "", PHP_GRENZE),
            ("over upload_max_filesize only", 3000, "", PHP_GRENZE),
            ("over the settings' limit", 1500, "1000", "Fehler: Datei zu groß (höchstens 1000 Bytes)"),
            ("at the settings' limit", 1000, "1000", OK),
            ("within every limit", 1500, "", OK),
        ]
        for nummer, (titel, groesse, grenze, antwort) in enumerate(faelle):
            with self.subTest(titel):
                self.server.steuern("groesste", grenze)
                name = f"zkd{nummer}/upload/{STEMPEL}_auslodat.txt"
                self.assertEqual(self.server.hochladen("/" + name, b"x" * groesse, token="geheim"), antwort)
                ziel = os.path.join(self.server.wurzel, name)
                if antwort == OK:
                    self.assertEqual(os.path.getsize(ziel), groesse)
                else:
                    self.assertFalse(os.path.lexists(os.path.dirname(os.path.dirname(ziel))), "no folder either")


class Links(unittest.TestCase):
    """No folder is created and no file written through a link, whatever the link points at."""

    def setUp(self):
        self.server = PhpServer()
        self.server.steuern("offen", "1")
        self.draussen = tempfile.mkdtemp(prefix="quenda-draussen-")
        self.addCleanup(shutil.rmtree, self.draussen)
        self.addCleanup(self.server.beenden)

    def test_links_on_the_way_are_refused_before_anything_is_created(self):
        w = self.server.wurzel
        os.makedirs(os.path.join(w, "zkdinnen", "images"))
        schreiben(os.path.join(self.draussen, "opfer.txt"), b"bleibt")
        faelle = [
            # title, link below the root -> target, name sent
            ("data folder links out", ("zkdraus", self.draussen), "/zkdraus/upload/x.txt"),
            ("data folder links out, file at its top", ("zkdraus2", self.draussen), "/zkdraus2/refresh.cfg"),
            ("upload folder links out", ("zkdecht/upload", self.draussen), "/zkdecht/upload/x.txt"),
            ("dangling link to a folder that does not exist",
             ("zkdweg", os.path.join(self.draussen, "neu")), "/zkdweg/upload/x.txt"),
            ("link to a folder inside the root", ("zkdinnen2", os.path.join(w, "zkdinnen")), "/zkdinnen2/images/b.png"),
        ]
        for titel, (link, ziel), datname in faelle:
            with self.subTest(titel):
                os.makedirs(os.path.dirname(os.path.join(w, link)), exist_ok=True)
                os.symlink(ziel, os.path.join(w, link))
                vorher_draussen, vorher_innen = baum(self.draussen), baum(w)
                self.assertEqual(self.server.hochladen(datname, b"boese"), NICHT_ERLAUBT)
                self.assertEqual(baum(self.draussen), vorher_draussen)
                self.assertEqual(baum(w), vorher_innen)

    def test_a_link_in_place_of_the_file_is_replaced_not_followed(self):
        os.makedirs(os.path.join(self.server.wurzel, "zkd1", "upload"))
        link = os.path.join(self.server.wurzel, "zkd1", "upload", f"{STEMPEL}_auslodat.txt")
        schreiben(os.path.join(self.draussen, "opfer.txt"), b"bleibt")
        os.symlink(os.path.join(self.draussen, "opfer.txt"), link)
        self.assertEqual(self.server.hochladen(f"/zkd1/upload/{STEMPEL}_auslodat.txt", b"neu"), OK)
        self.assertFalse(os.path.islink(link))
        self.assertEqual(lesen(link), b"neu")
        self.assertEqual(lesen(os.path.join(self.draussen, "opfer.txt")), b"bleibt")


class Rechte(unittest.TestCase):
    def test_files_are_0644_and_folders_0755_whatever_the_umask(self):
        server = PhpServer(umask=0o077)
        self.addCleanup(server.beenden)
        server.steuern("offen", "1")
        self.assertEqual(server.hochladen("/zkd1/upload/" + STEMPEL + "_auslodat.txt", b"a"), OK)
        self.assertEqual(server.hochladen("/zkd1/images/logo.png", b"b"), OK)
        archiv = zip_bytes([(STEMPEL + "_kofeld_0008.txt", b"c")])
        self.assertEqual(server.hochladen("/zkd1/upload/" + STEMPEL + "_pockoupload.zip", archiv), OK)
        for pfad, modus in [("zkd1", 0o755), ("zkd1/upload", 0o755), ("zkd1/images", 0o755),
                            ("zkd1/upload/" + STEMPEL + "_auslodat.txt", 0o644), ("zkd1/images/logo.png", 0o644),
                            ("zkd1/upload/" + STEMPEL + "_pockoupload.zip", 0o644),
                            ("zkd1/upload/" + STEMPEL + "_kofeld_0008.txt", 0o644)]:
            with self.subTest(pfad):
                self.assertEqual(stat.S_IMODE(os.stat(os.path.join(server.wurzel, pfad)).st_mode), modus)


class Archive(unittest.TestCase):
    """A phone archive is unpacked into its upload folder; one bad entry refuses the whole archive."""

    @classmethod
    def setUpClass(cls):
        cls.server = PhpServer()
        cls.server.steuern("offen", "1")

    @classmethod
    def tearDownClass(cls):
        cls.server.beenden()

    def setUp(self):
        self.wurzel = tempfile.mkdtemp(prefix="quenda-wurzel-")
        self.addCleanup(shutil.rmtree, self.wurzel)
        self.server.steuern("wurzel", self.wurzel)

    def test_entries_arrive_beside_the_archive(self):
        tabelle = "Herren A [RG]|1|1|Müller, Jörg |TTC Süd|||3|0|1|0|0|0|70|1\r\n".encode("cp1252")
        eintraege = [(STEMPEL + "_tabelle_0007_01.txt", tabelle), (STEMPEL + "_auslodatpocko.txt", b"Turnier||\r\n"),
                     ("20261209090005_meldung_01_01_02_01.txt", "Halle schließt".encode("cp1252"))]
        self.assertEqual(self.server.hochladen(f"/zkdz/upload/{STEMPEL}_pockoupload.zip", zip_bytes(eintraege)), OK)
        upload = os.path.join(self.wurzel, "zkdz", "upload")
        self.assertEqual(sorted(os.listdir(upload)), sorted([n for n, _ in eintraege] + [STEMPEL + "_pockoupload.zip"]))
        for name, inhalt in eintraege:
            self.assertEqual(lesen(os.path.join(upload, name)), inhalt)

    def test_refused_archives_write_nothing(self):
        gut = (STEMPEL + "_spiele_0007_01_01.txt", b"gut\r\n")
        faelle = [
            ("traversal entry", [gut, ("../" + STEMPEL + "_auslodat.txt", b"x")],
             "Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen"),
            ("absolute entry", [("/tmp/" + STEMPEL + "_auslodat.txt", b"x")],
             "Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen"),
            ("entry in a folder", [gut, ("upload/" + STEMPEL + "_auslodat.txt", b"x")],
             "Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen"),
            ("script entry", [(STEMPEL + "_auslodat.php", b"<?php")],
             "Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen"),
            ("hidden entry", [gut, (".htaccess", b"x")], "Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen"),
            ("entry without stamp", [("auslodat.txt", b"x")], "Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen"),
            ("entry with unpadded ids", [(STEMPEL + "_spiele_7_1_1.txt", b"x")],
             "Fehler: ZIP-Archiv enthält einen nicht erlaubten Namen"),
            ("entry over the limit", [gut, (STEMPEL + "_auslodat.txt", b"\0" * 5000)],
             f"Fehler: Datei zu groß (ZIP-Eintrag {STEMPEL}_auslodat.txt)"),
            ("not an archive", None, "Fehler: ZIP-Archiv fehlerhaft"),
        ]
        self.server.steuern("groesste", "4000")
        self.addCleanup(self.server.steuern, "groesste", "")
        for nummer, (titel, eintraege, antwort) in enumerate(faelle):
            with self.subTest(titel):
                archiv = zip_bytes(eintraege) if eintraege else b"PK\x03\x04 kein Archiv"
                self.assertEqual(self.server.hochladen(f"/zkdr{nummer}/upload/{STEMPEL}_pockoupload.zip", archiv),
                                 antwort)
                self.assertEqual(baum(self.wurzel), [], "not even the data folder")

    def test_an_archive_under_another_name_is_stored_as_it_is(self):
        archiv = zip_bytes([("../" + STEMPEL + "_auslodat.txt", b"x")])
        self.assertEqual(self.server.hochladen("/zkds/upload/sicherung.zip", archiv), OK)
        self.assertEqual(baum(os.path.join(self.wurzel, "zkds")), ["upload/", "upload/sicherung.zip"])


if __name__ == "__main__":
    unittest.main()
