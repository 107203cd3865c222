#!/usr/bin/env python3
"""Checks of a soak run: soak_pruefen.py CYCLES TSDIR WEB_UPLOAD POCKO_UPLOAD SAMPLES.

Prints the figures and exits with status 1 when a check fails."""
import glob
import os
import re
import sys
import zipfile

zyklen, tsdir, web, pocko, proben = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5]
fehler = []
STEMPEL = re.compile(r"^(\d{14})_([A-Za-z0-9_]+\.txt)$")


def zielstand(upload):
    """Newest delivered bytes per bare name; names that are no whole stamped file."""
    neueste, fremd, dateien = {}, [], 0

    def nehmen(name, inhalt):
        nonlocal dateien
        m = STEMPEL.match(name)
        if not m:
            fremd.append(name)
            return
        dateien += 1
        if m.group(2) not in neueste or neueste[m.group(2)][0] <= m.group(1):
            neueste[m.group(2)] = (m.group(1), inhalt)

    for name in sorted(os.listdir(upload)) if os.path.isdir(upload) else []:
        pfad = os.path.join(upload, name)
        if name.endswith("_pockoupload.zip"):
            try:
                with zipfile.ZipFile(pfad) as z:
                    for eintrag in z.namelist():
                        nehmen(eintrag, z.read(eintrag))
            except (zipfile.BadZipFile, OSError) as e:
                fremd.append(f"{name} ({e})")
        else:
            with open(pfad, "rb") as f:
                nehmen(name, f.read())
    return neueste, fremd, dateien


behalten = sorted(n for n in os.listdir(tsdir) if n.endswith(".txt") and not n.endswith("_org.txt"))
stand = {}
for ziel, upload in (("web", web), ("pocko", pocko)):
    neueste, fremd, dateien = zielstand(upload)
    stand[ziel] = neueste
    print(f"{ziel}: {dateien} files delivered, {len(neueste)} names")
    fehler += [f"{ziel}: not a whole stamped file: {f}" for f in fremd]
    for name, (stempel, inhalt) in sorted(neueste.items()):
        pfad = os.path.join(tsdir, name)
        if os.path.exists(pfad):
            with open(pfad, "rb") as f:
                if f.read() != inhalt:
                    fehler.append(f"{ziel}: newest copy {stempel}_{name} differs from the kept version")
for name in behalten:
    with open(os.path.join(tsdir, name), "rb") as f:
        inhalt = f.read()
    if inhalt and not inhalt.endswith(b"\r\n"):
        fehler.append(f"kept version cut short: {name}")
    # A released draw's starter list has no target: the phones never get starter lists.
    if name not in stand["web"] and name not in stand["pocko"] and not name.startswith("starter"):
        fehler.append(f"never delivered: {name}")
for liste in ("nachsenden_anzweb.lst", "nachsenden_pocko.lst"):
    pfad = os.path.join(tsdir, liste)
    if os.path.exists(pfad) and os.path.getsize(pfad) > 0:
        fehler.append(f"still pending in {liste}")
fehler += [f"left in the working folder: {os.path.basename(p)}" for p in glob.glob(os.path.join(tsdir, "*_org.txt"))]
fehler += [f"left in the working folder: {os.path.basename(p)}" for p in glob.glob(os.path.join(tsdir, "*.zip"))]

starts = enden = 0
for log in sorted(glob.glob(os.path.join(tsdir, "protokoll_*.pzk"))):
    with open(log, encoding="cp1252") as f:
        for zeile in f:
            zeile = zeile.rstrip("\r\n")
            starts += zeile.endswith(" Start Übertragung")
            enden += zeile.endswith(" Ende Übertragung")
print(f"event log: {starts} start and {enden} end lines")
if starts != zyklen or enden != zyklen:
    fehler.append(f"event log has {starts} start and {enden} end lines for {zyklen} cycles")

werte = []
with open(proben) as f:
    for zeile in f:
        teile = zeile.split()
        if len(teile) == 3:
            werte.append(tuple(int(t) for t in teile))
bezug = min(100, max(1, zyklen // 3))
nach = [w for w in werte if w[0] >= bezug]
if nach:
    rss0, fd0 = nach[0][1], nach[0][2]
    rss_max = max(w[1] for w in nach)
    fd_max = max(w[2] for w in nach)
    fd_min = min(w[2] for w in nach)
    wachstum = (rss_max - rss0) * 100.0 / rss0 if rss0 else 0.0
    print(f"resident memory: {rss0} kB at cycle {nach[0][0]}, at most {rss_max} kB after it (+{wachstum:.1f} %), "
          f"{werte[-1][1]} kB at cycle {werte[-1][0]}")
    print(f"open file descriptors after cycle {bezug}: {fd_min}..{fd_max} (first {fd0}, last {werte[-1][2]})")
    # Measured from cycle 100 only: before it the caches of a short run are still filling.
    if bezug == 100 and wachstum >= 10.0:
        fehler.append(f"resident memory grew by {wachstum:.1f} % after cycle {nach[0][0]}")
    # A sample can fall inside a cycle, with a file or a connection open: a few more are no trend.
    if fd_max > fd0 + 4:
        fehler.append(f"open file descriptors grew from {fd0} to {fd_max}")
else:
    fehler.append("no memory samples after the reference cycle")

for f in fehler[:50]:
    print("FAIL:", f)
sys.exit(1 if fehler else 0)
