#!/usr/bin/env python3
"""How long a result takes to reach the hall screen target with "Sofort bei Änderung": the live simulator
changes the tournament, the change is written to the Access file the program reads (the project's Jet
writer, renamed into place as the desk's program would save it), and the time until a file of the changed
state arrives in the target folder is taken, over many changes. Prints median and maximum; nothing passes
or fails.

SofortLatenzBench.py --quenda BIN --demo BIN [--size medium] [--changes 50] [--spacing 12]"""
import argparse
import os
import shutil
import statistics
import subprocess
import tempfile
import time


def ausfuehren(*befehl):
    subprocess.run(befehl, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)


def dateien(ordner):
    try:
        return set(os.listdir(ordner))
    except FileNotFoundError:
        return set()


def main():
    a = argparse.ArgumentParser()
    a.add_argument("--quenda", required=True)
    a.add_argument("--demo", required=True)
    a.add_argument("--size", default="medium")
    a.add_argument("--changes", type=int, default=50)
    a.add_argument("--spacing", type=float, default=12.0, help="seconds between changes (above the 10 s limit)")
    a.add_argument("--timeout", type=float, default=90.0)
    o = a.parse_args()

    arbeit = tempfile.mkdtemp(prefix="quenda-sofortbench-")
    programm = None
    try:
        spiel, mdb = os.path.join(arbeit, "spiel.sqlite"), os.path.join(arbeit, "turnier.mdb")
        tsdir = os.path.join(arbeit, "qnda001turnier")
        web, pocko = os.path.join(arbeit, "web"), os.path.join(arbeit, "pocko")
        os.makedirs(web)
        os.makedirs(pocko)
        jetzt = time.strftime("%Y-%m-%d %H:%M:%S")
        ausfuehren(o.demo, "generate", "--out", spiel, "--size", o.size, "--seed", "1", "--now", jetzt)
        ausfuehren(o.demo, "mdb", spiel, mdb)
        ausfuehren(o.demo, "ablage", tsdir, "--web", web, "--pocko", pocko, "--sofort")
        upload = os.path.join(web, "zkddemo", "upload")
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(arbeit, "xdg"), XDG_CACHE_HOME=os.path.join(arbeit, "cache"))
        programm = subprocess.Popen([o.quenda, "--headless", "--db", mdb, "--tournament", "1"], env=env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The first cycle publishes everything; the minute's cycles go on beside the extra ones.
        frist = time.monotonic() + 300
        while not dateien(upload) and time.monotonic() < frist:
            time.sleep(0.2)
        time.sleep(o.spacing)

        dauern, ausgeblieben = [], 0
        for schritt in range(o.changes):
            ausfuehren(o.demo, "simulate", spiel, "--steps", "1", "--seed", str(100 + schritt), "--quiet")
            neu = mdb + ".neu"
            ausfuehren(o.demo, "mdb", spiel, neu)
            vorher = dateien(upload)
            os.replace(neu, mdb)
            start = time.monotonic()
            angekommen = None
            while time.monotonic() - start < o.timeout:
                neue = [n for n in dateien(upload) - vorher if not n.startswith(("auslodat", "tisch"))]
                if neue:
                    angekommen = time.monotonic() - start
                    break
                time.sleep(0.05)
            if angekommen is None:
                ausgeblieben += 1  # a simulator step that changed no group's data files
            else:
                dauern.append(angekommen)
            rest = o.spacing - (time.monotonic() - start)
            if rest > 0:
                time.sleep(rest)
        if dauern:
            print(f"== Sofort bei Änderung ({o.size}): Änderung in der .mdb bis zur Datei im Zielordner, "
                  f"{len(dauern)} Änderungen: Median {statistics.median(dauern):.1f} s, "
                  f"Maximum {max(dauern):.1f} s (Ziel ≤ 10 s); ohne neue Gruppendatei: {ausgeblieben}")
        else:
            print("== Sofort bei Änderung: keine Änderung kam an")
    finally:
        if programm:
            programm.terminate()
            try:
                programm.wait(60)
            except subprocess.TimeoutExpired:
                programm.kill()
        shutil.rmtree(arbeit, ignore_errors=True)


if __name__ == "__main__":
    main()
