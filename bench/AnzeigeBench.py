#!/usr/bin/env python3
"""Figures of the display pages: one poll of the data endpoint (whole and since the last stand) on a
generated tournament after a few headless cycles, and the time the hall screen page needs to draw the
demo's screen of six objects in headless Chromium. Prints figures; nothing passes or fails.

AnzeigeBench.py --quenda BIN --demo BIN [--size large] [--cycles 3] [--runs 20] [--fassungen 30]"""
import argparse
import http.client
import json
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time

QUELLE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(QUELLE, "tests", "web"))
from browser import Browser, chromium  # noqa: E402

BEGINN = "2026-12-09 10:00:00"


def ausfuehren(*befehl):
    subprocess.run(befehl, check=True, stdout=subprocess.DEVNULL, timeout=3600)


def holen(port, pfad):
    verbindung = http.client.HTTPConnection("127.0.0.1", port, timeout=60)
    start = time.perf_counter()
    verbindung.request("GET", pfad)
    antwort = verbindung.getresponse()
    body = antwort.read()
    dauer = (time.perf_counter() - start) * 1000
    verbindung.close()
    if antwort.status != 200:
        raise RuntimeError(f"{pfad}: {antwort.status} {body[:200]!r}")
    return dauer, body


def main():
    a = argparse.ArgumentParser()
    a.add_argument("--quenda", required=True)
    a.add_argument("--demo", required=True)
    a.add_argument("--size", default="large")
    a.add_argument("--cycles", type=int, default=3)
    a.add_argument("--runs", type=int, default=20)
    a.add_argument("--fassungen", type=int, default=30)
    o = a.parse_args()

    arbeit = tempfile.mkdtemp(prefix="quenda-anzeigebench-")
    php = None
    try:
        db, tsdir = os.path.join(arbeit, "turnier.sqlite"), os.path.join(arbeit, "qnda001turnier")
        web, pocko, www = (os.path.join(arbeit, n) for n in ("web", "pocko", "www"))
        for ordner in (web, pocko, www):
            os.makedirs(ordner)
        ausfuehren(o.demo, "generate", "--out", db, "--size", o.size, "--seed", "1", "--now", BEGINN)
        ausfuehren(o.demo, "ablage", tsdir, "--web", web, "--pocko", pocko)
        ausfuehren(o.demo, "praesentation", tsdir, "--db", db)
        ausfuehren(o.quenda, "--headless", "--db", db, "--tournament", "1", "--cycles", str(o.cycles),
                   "--fake-time", BEGINN)
        shutil.copy(os.path.join(tsdir, "config_quenda.xml"), os.path.join(web, "zkddemo"))
        shutil.copytree(os.path.join(tsdir, "images"), os.path.join(web, "zkddemo", "images"), dirs_exist_ok=True)
        # The webserver's folder as the demo serves it: the endpoint with both storage roots, the pages.
        with open(os.path.join(www, "daten.php"), "w") as f:
            f.write(f"<?php\n$speicherwurzel = {web!r};\n$speicherwurzel_handy = {pocko!r};\n"
                    f"require {os.path.join(QUELLE, 'server', 'daten.php')!r};\n")
        os.symlink(os.path.join(QUELLE, "server", "anzeige"), os.path.join(www, "anzeige"))
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            port = s.getsockname()[1]
        php = subprocess.Popen(["php", "-S", f"127.0.0.1:{port}", "-t", www], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        for _ in range(200):
            try:
                socket.create_connection(("127.0.0.1", port), timeout=1).close()
                break
            except OSError:
                time.sleep(0.05)

        upload = os.path.join(web, "zkddemo", "upload")
        holen(port, "/daten.php?zkd=demo")  # the first request compiles the script
        voll, seit = [], []
        for _ in range(o.runs):
            dauer, body = holen(port, "/daten.php?zkd=demo")
            voll.append(dauer)
        antwort = json.loads(body)
        for _ in range(o.runs):
            seit.append(holen(port, "/daten.php?zkd=demo&seit=" + antwort["stand"])[0])
        print(f"== Anzeige ({o.size}, {o.cycles} Zyklen): {len(os.listdir(upload))} Dateien in upload/, "
              f"{len(antwort['dateien'])} neueste, Antwort {len(body) / 1024:.0f} KB")
        print(f"Datenabruf ganz: Median {statistics.median(voll):.1f} ms, bestes {min(voll):.1f} ms, "
              f"schlechtestes {max(voll):.1f} ms ({o.runs} Abrufe)")
        print(f"Datenabruf seit Stand: Median {statistics.median(seit):.1f} ms")

        # A day leaves many older versions in upload/; the endpoint passes over them by name.
        for name in list(os.listdir(upload)):
            if name[:14].isdigit():
                for k in range(1, o.fassungen + 1):
                    alt = f"{int(name[:8]) - 1}{k:06d}" + name[14:]
                    if not os.path.exists(os.path.join(upload, alt)):
                        os.link(os.path.join(upload, name), os.path.join(upload, alt))
        tag = [holen(port, "/daten.php?zkd=demo")[0] for _ in range(o.runs)]
        print(f"Datenabruf ganz mit {o.fassungen} älteren Fassungen je Datei ({len(os.listdir(upload))} Dateien in "
              f"upload/): Median {statistics.median(tag):.1f} ms")

        if not chromium():
            print("Darstellung: chromium fehlt (scripts/install-deps.sh)")
            return
        browser = Browser()
        try:
            messungen = []
            for _ in range(5):
                seite = browser.seite(1920, 1080)
                seite.laden(f"http://127.0.0.1:{port}/anzeige/?zkd=demo&bs=1")
                seite.warten('document.body.dataset.bereit === "1"', 120)
                messungen.append(seite.werten("window.quendaMessung"))
                seite.befehl("Page.close")
            darstellung = [m["darstellungMs"] for m in messungen]
            print(f"Darstellung Bildschirm 1 ({messungen[0]['bereiche']} Bereiche, je ein Objekt sichtbar): "
                  f"Median {statistics.median(darstellung):.0f} ms bis zum ersten Bild, Aufbau "
                  f"{statistics.median(m['aufbauMs'] for m in messungen):.0f} ms, Laden von Konfiguration und Daten "
                  f"{statistics.median(m['ladenMs'] for m in messungen):.0f} ms (5 Aufrufe)")
        finally:
            browser.beenden()
    finally:
        if php:
            php.kill()
            php.wait()
        shutil.rmtree(arbeit, ignore_errors=True)


if __name__ == "__main__":
    main()
