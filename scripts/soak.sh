#!/usr/bin/env bash
# Soak run: the headless program publishes a generated tournament for the given number of cycles (default
# 1440, one day at 60 s; --fake-time does not wait between cycles) while the live simulator changes the
# database, once with both targets as folders and once with both through the PHP upload server on
# 127.0.0.1. Afterwards every target's newest copy of each file must equal the kept version in the working
# folder, nothing may be missing or half-written, resident memory after cycle 100 may grow by less than
# 10 % (a shorter run only prints its growth from a third of the way), open file descriptors stay flat, and
# the event log has one start and one end line per cycle. Prints the figures; status 1 when a check failed.
#
# Programs: $QUENDA_BUILD (a build folder with src/app/quenda and tools/demo/quenda-demo), else
# build/release, configured and built with the release preset when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
zyklen="${1:-1440}"
build="${QUENDA_BUILD:-build/release}"
if [ ! -x "$build/src/app/quenda" ] || [ ! -x "$build/tools/demo/quenda-demo" ]; then
    [ -n "${QUENDA_BUILD:-}" ] || { cmake --preset release >/dev/null && cmake --build --preset release -j2; }
fi
quenda="$PWD/$build/src/app/quenda"
demo="$PWD/$build/tools/demo/quenda-demo"
[ -x "$quenda" ] || quenda="$build/src/app/quenda"
[ -x "$demo" ] || demo="$build/tools/demo/quenda-demo"
groesse="${QUENDA_SOAK_SIZE:-small}"
start="2026-12-09 08:00:00"

arbeit="$(mktemp -d "${TMPDIR:-/tmp}/quenda-soak.XXXXXX")"
php_pid=""
sim_pid=""
aufraeumen() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
    [ -n "$php_pid" ] && kill "$php_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    [ -n "${QUENDA_SOAK_KEEP:-}" ] || rm -rf "$arbeit"
}
trap aufraeumen EXIT
# A leak check at exit would say nothing about the growth this run measures; a small quarantine keeps a
# sanitizer build's resident memory meaningful.
export ASAN_OPTIONS="detect_leaks=0:quarantine_size_mb=8:${ASAN_OPTIONS:-}"
export XDG_CONFIG_HOME="$arbeit/xdg"

# One run: modus "verzeichnis" or "http".
lauf() {
    local modus="$1"
    local ordner="$arbeit/$modus"
    local db="$ordner/turnier.sqlite"
    local tsdir="$ordner/qnda001turnier"
    mkdir -p "$ordner/web" "$ordner/pocko" "$tsdir"
    "$demo" generate --out "$db" --size "$groesse" --seed 3 --now "$start" >/dev/null
    if [ "$modus" = verzeichnis ]; then
        "$demo" ablage "$tsdir" --web "$ordner/web" --pocko "$ordner/pocko" >/dev/null
        web_upload="$ordner/web/zkddemo/upload"
        pocko_upload="$ordner/pocko/zkddemo/upload"
    else
        local port
        port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
        mkdir -p "$ordner/www/web" "$ordner/www/pocko"
        for ziel in web pocko; do
            printf '<?php\n$speicherwurzel = %s;\n$token = "";\n$ohne_token_erlaubt = true;\nrequire %s;\n' \
                "'$ordner/$ziel'" "'$PWD/server/httppost.php'" >"$ordner/www/$ziel/httppost.php"
        done
        php -S "127.0.0.1:$port" -t "$ordner/www" >"$ordner/php.log" 2>&1 &
        php_pid=$!
        for _ in $(seq 100); do
            (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
            sleep 0.1
        done
        cat >"$tsdir/config_ablage.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<Turnier>
    <ablage anzweb="1" aktiv="2" verzeichnis="" host="http://127.0.0.1:$port" steuerdatei="web" pocko="1" aktiv_px="2" verzeichnis_px="" host_px="http://127.0.0.1:$port" steuerdatei_px="pocko" impressum="" datenschutz="" dbzkd="demo"/>
</Turnier>
XML
        web_upload="$ordner/web/zkddemo/upload"
        pocko_upload="$ordner/pocko/zkddemo/upload"
    fi

    "$demo" simulate "$db" --seconds 100000 --pause 50 --seed 5 --now "$start" --quiet >"$ordner/simulator.log" 2>&1 &
    sim_pid=$!
    "$quenda" --headless --db "$db" --tournament 1 --cycles "$zyklen" --fake-time "$start" \
        >"$ordner/memo.txt" 2>"$ordner/meldungen.txt" &
    local pid=$!
    local gesehen=-1
    local beginn=$SECONDS
    : >"$ordner/proben.txt"
    while kill -0 "$pid" 2>/dev/null; do
        local fertig
        fertig=$(grep -c "Ende Übertragung" "$ordner/memo.txt" || true)
        if [ "$fertig" != "$gesehen" ] && [ -r "/proc/$pid/status" ]; then
            gesehen=$fertig
            local rss fds
            rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
            fds=$(ls "/proc/$pid/fd" 2>/dev/null | wc -l)
            echo "$fertig $rss $fds" >>"$ordner/proben.txt"
        fi
        sleep 0.05
    done
    local status=0
    wait "$pid" || status=$?
    local dauer=$((SECONDS - beginn))
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
    if [ -n "$php_pid" ]; then
        kill "$php_pid" 2>/dev/null || true
        wait "$php_pid" 2>/dev/null || true
        php_pid=""
    fi
    echo "== $modus: $zyklen cycles in ${dauer} s, exit status $status"
    [ "$status" -eq 0 ] || { tail -n 20 "$ordner/meldungen.txt"; return 1; }
    python3 scripts/soak_pruefen.py "$zyklen" "$tsdir" "$web_upload" "$pocko_upload" "$ordner/proben.txt"
}

ergebnis=0
lauf verzeichnis || ergebnis=1
lauf http || ergebnis=1
if [ "$ergebnis" -ne 0 ]; then
    echo "Soak FAILED (work folder: $arbeit)"
    QUENDA_SOAK_KEEP=1
    exit 1
fi
echo "Soak passed."
