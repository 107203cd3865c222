"""Headless Chromium (Debian's package) driven through the DevTools protocol over a pipe: no port, no
downloads, a fresh profile per browser."""
import base64
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time


def chromium():
    """The browser's path, or None when it is not installed."""
    for name in ("chromium", "chromium-browser"):
        pfad = shutil.which(name)
        if pfad:
            return pfad
    return None


class Browser:
    def __init__(self):
        self.profil = tempfile.mkdtemp(prefix="quenda-chromium-")
        befehle_lesen, befehle_schreiben = os.pipe()
        antworten_lesen, antworten_schreiben = os.pipe()

        def pipes():
            # The protocol pipe: the browser reads commands on fd 3 and writes replies on fd 4. Copied away
            # first: one of the pipe's own ends may be fd 3 or 4 already (and closed on exec).
            lesen, schreiben = os.dup(befehle_lesen), os.dup(antworten_schreiben)
            os.dup2(lesen, 3)
            os.dup2(schreiben, 4)

        self._log = open(os.path.join(self.profil, "chromium.log"), "wb")
        self.prozess = subprocess.Popen(
            [chromium(), "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--disable-extensions", "--disable-default-apps", "--mute-audio", "--hide-scrollbars",
             "--font-render-hinting=none", "--remote-debugging-pipe", "--user-data-dir=" + self.profil,
             "about:blank"],
            stdin=subprocess.DEVNULL, stdout=self._log, stderr=subprocess.STDOUT, preexec_fn=pipes,
            close_fds=False)
        os.close(befehle_lesen)
        os.close(antworten_schreiben)
        self._schreiben = os.fdopen(befehle_schreiben, "wb", buffering=0)
        self._lesen = os.fdopen(antworten_lesen, "rb", buffering=0)
        self._naechste = 0
        self._antworten = {}
        self._bedingung = threading.Condition()
        self._faden = threading.Thread(target=self._empfangen, daemon=True)
        self._faden.start()

    def _empfangen(self):
        puffer = b""
        while True:
            stueck = self._lesen.read(65536)
            if not stueck:
                with self._bedingung:
                    self._antworten[None] = "closed"
                    self._bedingung.notify_all()
                return
            puffer += stueck
            while b"\0" in puffer:
                nachricht, puffer = puffer.split(b"\0", 1)
                daten = json.loads(nachricht)
                if "id" in daten:
                    with self._bedingung:
                        self._antworten[daten["id"]] = daten
                        self._bedingung.notify_all()

    def senden(self, methode, parameter=None, sitzung=None, zeit=60):
        with self._bedingung:
            self._naechste += 1
            nummer = self._naechste
        befehl = {"id": nummer, "method": methode, "params": parameter or {}}
        if sitzung:
            befehl["sessionId"] = sitzung
        self._schreiben.write(json.dumps(befehl).encode() + b"\0")
        ende = time.monotonic() + zeit
        with self._bedingung:
            while nummer not in self._antworten:
                if None in self._antworten:
                    raise RuntimeError("the browser closed the pipe: " + self.log())
                rest = ende - time.monotonic()
                if rest <= 0:
                    raise TimeoutError(methode)
                self._bedingung.wait(rest)
            antwort = self._antworten.pop(nummer)
        if "error" in antwort:
            raise RuntimeError(f"{methode}: {antwort['error']}")
        return antwort["result"]

    def seite(self, breite, hoehe, mobil=False):
        ziel = self.senden("Target.createTarget", {"url": "about:blank"})["targetId"]
        sitzung = self.senden("Target.attachToTarget", {"targetId": ziel, "flatten": True})["sessionId"]
        seite = Seite(self, sitzung)
        seite.befehl("Emulation.setDeviceMetricsOverride",
                     {"width": breite, "height": hoehe, "deviceScaleFactor": 1, "mobile": mobil})
        seite.befehl("Page.enable")
        seite.befehl("Runtime.enable")
        return seite

    def log(self):
        self._log.flush()
        with open(self._log.name, "rb") as f:
            return f.read()[-2000:].decode(errors="replace")

    def beenden(self):
        try:
            self.senden("Browser.close", zeit=10)
        except (RuntimeError, TimeoutError, OSError):
            pass
        try:
            self.prozess.wait(10)
        except subprocess.TimeoutExpired:
            self.prozess.kill()
            self.prozess.wait(10)
        self._log.close()
        shutil.rmtree(self.profil, ignore_errors=True)


class Seite:
    def __init__(self, browser, sitzung):
        self.browser = browser
        self.sitzung = sitzung

    def befehl(self, methode, parameter=None):
        return self.browser.senden(methode, parameter, self.sitzung)

    def laden(self, adresse):
        self.befehl("Page.navigate", {"url": adresse})

    def werten(self, ausdruck):
        """The value of a JavaScript expression (a promise is awaited)."""
        antwort = self.befehl("Runtime.evaluate", {"expression": ausdruck, "returnByValue": True,
                                                   "awaitPromise": True})
        if "exceptionDetails" in antwort:
            raise RuntimeError(ausdruck + ": " + json.dumps(antwort["exceptionDetails"])[:800])
        return antwort["result"].get("value")

    def warten(self, bedingung, zeit=60):
        """Waits until the expression is true; its last value otherwise raises."""
        ende = time.monotonic() + zeit
        while True:
            try:
                if self.werten(bedingung):
                    return
            except RuntimeError:
                pass  # a page between two documents
            if time.monotonic() > ende:
                raise TimeoutError(bedingung)
            time.sleep(0.1)

    def bildschirmfoto(self, pfad):
        daten = self.befehl("Page.captureScreenshot", {"format": "png"})["data"]
        with open(pfad, "wb") as f:
            f.write(base64.b64decode(daten))
