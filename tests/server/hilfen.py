"""Peers of the server-script tests: the PHP built-in server with the test router, requests, files."""
import http.client
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import uuid
import zipfile

QUELLE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ROUTER = os.path.join(QUELLE, "tests", "data", "http", "router.php")


def freier_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def lesen(pfad):
    with open(pfad, "rb") as f:
        return f.read()


def schreiben(pfad, inhalt):
    os.makedirs(os.path.dirname(pfad), exist_ok=True)
    with open(pfad, "wb") as f:
        f.write(inhalt)


def baum(ordner):
    """Every path below ordner (folders end in "/", links in " -> target"), sorted."""
    if not os.path.lexists(ordner):
        return []
    pfade = []
    for wurzel, ordnernamen, dateien in os.walk(ordner):
        for name in ordnernamen + dateien:
            pfad = os.path.join(wurzel, name)
            rel = os.path.relpath(pfad, ordner)
            if os.path.islink(pfad):
                pfade.append(rel + " -> " + os.readlink(pfad))
            else:
                pfade.append(rel + ("/" if os.path.isdir(pfad) else ""))
    return sorted(pfade)


def zip_bytes(eintraege):
    """A Deflate archive of (name, bytes) pairs, names taken exactly as given."""
    pfad = os.path.join(tempfile.mkdtemp(prefix="quenda-zip-"), "a.zip")
    with zipfile.ZipFile(pfad, "w", zipfile.ZIP_DEFLATED) as z:
        for name, inhalt in eintraege:
            z.writestr(zipfile.ZipInfo(name, (2026, 12, 9, 9, 0, 0)), inhalt, zipfile.ZIP_DEFLATED)
    daten = lesen(pfad)
    shutil.rmtree(os.path.dirname(pfad))
    return daten


class PhpServer:
    """php -S on loopback with tests/data/http/router.php; the settings are files of the control folder that
    the router reads at every request ("wurzel", "wurzel_handy", "token", "offen", "groesste")."""

    def __init__(self, ini=(), umask=None):
        self.steuer = tempfile.mkdtemp(prefix="quenda-php-")
        self.wurzel = os.path.join(self.steuer, "wurzel.d")
        os.makedirs(self.wurzel)
        self.steuern("wurzel", self.wurzel)
        self.port = freier_port()
        umgebung = dict(os.environ, QUENDA_TEST_STEUER=self.steuer,
                        QUENDA_HTTPPOST=os.path.join(QUELLE, "server", "httppost.php"))
        argumente = ["php"] + ["-d" + i for i in ini] + ["-S", f"127.0.0.1:{self.port}", "-t", self.steuer, ROUTER]
        self._log = open(os.path.join(self.steuer, "php.log"), "wb")
        self.prozess = subprocess.Popen(argumente, env=umgebung, stdout=self._log, stderr=subprocess.STDOUT,
                                        preexec_fn=(lambda: os.umask(umask)) if umask is not None else None)
        for _ in range(400):
            if self.prozess.poll() is not None:
                raise RuntimeError("php -S did not start: " + lesen(self._log.name).decode(errors="replace"))
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                time.sleep(0.025)
        raise RuntimeError("php -S does not answer")

    def beenden(self):
        self.prozess.kill()
        self.prozess.wait(10)
        self._log.close()
        shutil.rmtree(self.steuer, ignore_errors=True)

    def steuern(self, name, wert):
        with open(os.path.join(self.steuer, name), "w", encoding="utf-8") as f:
            f.write(wert)

    def anfrage(self, methode, pfad, body=None, kopf=None):
        verbindung = http.client.HTTPConnection("127.0.0.1", self.port, timeout=60)
        try:
            verbindung.request(methode, pfad, body=body, headers=kopf or {})
            antwort = verbindung.getresponse()
            return antwort.status, {k.lower(): v for k, v in antwort.getheaders()}, antwort.read()
        finally:
            verbindung.close()

    def hochladen(self, datname, inhalt, token=None, dateiname="datei.bin"):
        """Posts like Quenda: the fields "datname", "datei" and (when given) "token". Returns the reply text."""
        grenze = uuid.uuid4().hex
        teile = []

        def feld(name, wert, datei=None):
            zusatz = f'; filename="{datei}"' if datei else ""
            art = "Content-Type: application/octet-stream\r\n" if datei else ""
            teile.append(f'--{grenze}\r\nContent-Disposition: form-data; name="{name}"{zusatz}\r\n{art}\r\n'
                         .encode() + wert + b"\r\n")

        feld("datname", datname.encode("utf-8"))
        feld("datei", inhalt, dateiname)
        if token is not None:
            feld("token", token.encode("utf-8"))
        body = b"".join(teile) + f"--{grenze}--\r\n".encode()
        _, _, antwort = self.anfrage("POST", "/web/httppost.php", body,
                                     {"Content-Type": f"multipart/form-data; boundary={grenze}"})
        return antwort.decode("utf-8")

    def daten(self, abfrage):
        """GET daten.php?abfrage: status, headers, body (JSON decoded when it is JSON)."""
        status, kopf, body = self.anfrage("GET", "/web/daten.php?" + abfrage)
        if kopf.get("content-type", "").startswith("application/json"):
            return status, kopf, json.loads(body.decode("utf-8"))
        return status, kopf, body
