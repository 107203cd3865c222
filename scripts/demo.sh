#!/usr/bin/env bash
# Installs what is missing, builds, creates a demo tournament that is played live in the background and
# starts Quenda beside it on an Access file, the way users run it: the simulator plays the tournament in
# a SQLite file, and every few seconds its state is written to turnier.mdb by the project's Jet writer
# (the tournament desk writing its database).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release

demo_tool=build/release/tools/demo/quenda-demo
demo_dir="$PWD/demo"
spiel="$demo_dir/turnier.sqlite" # the simulator's working state
start="$demo_dir/.start.sqlite"  # the state at the Access file's last compaction
db="$demo_dir/turnier.mdb"       # what Quenda reads
rm -rf "$demo_dir"
mkdir -p "$demo_dir"
# Start times are placed around the current time, so that the three-hour rule has something to show.
"$demo_tool" generate --out "$spiel" --size medium --seed 1 --now "$(date '+%Y-%m-%d %H:%M:%S')"
cp "$spiel" "$start"

# The writer reads one consistent state of the simulator's file, writes beside turnier.mdb and renames over
# it, so that Quenda never sees a half-written file. The changes since the start are in the file as a day
# of edits leaves them in an Access file: deleted rows, and rows that grew moved to other pages.
mdb_schreiben() {
    "$demo_tool" mdb "$spiel" "$db" --since "$start" >/dev/null
}
mdb_schreiben

# The tournament desk: one change every two seconds until this script ends.
"$demo_tool" simulate "$spiel" --seconds 86400 --pause 2000 >"$demo_dir/simulator.log" 2>&1 &
simulator=$!
# In its own process group, so that the end of the script also ends a conversion in progress.
export demo_tool spiel start db
export -f mdb_schreiben
setsid bash -c 'while sleep 5; do mdb_schreiben || true; done' &
schreiber=$!

webserver=""
aufhoeren() {
    kill "$simulator" 2>/dev/null || true
    [ -z "$webserver" ] || kill "$webserver" 2>/dev/null || true
    kill -- "-$schreiber" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -f "$db".?*
}
trap aufhoeren EXIT
sleep 6 # a few games move (and reach the .mdb) before the program starts

# Both display targets are published by copying into folders of the demo.
tsdir="$demo_dir/qnda001turnier"
mkdir -p "$demo_dir/web" "$demo_dir/pocko"
# "Sofort bei Änderung" on: a result reaches the screens seconds after the simulator enters it.
"$demo_tool" ablage "$tsdir" --web "$demo_dir/web" --pocko "$demo_dir/pocko" --sofort >/dev/null

# The display pages: the demo's presentation, copied to the hall screen target as the editor's transfer does,
# and the pages with their data endpoint served by PHP's built-in server.
"$demo_tool" praesentation "$tsdir" --db "$start" >/dev/null
mkdir -p "$demo_dir/web/zkddemo/images" "$demo_dir/www"
cp "$tsdir/config_quenda.xml" "$demo_dir/web/zkddemo/"
cp "$tsdir"/images/* "$demo_dir/web/zkddemo/images/"
printf '<?php\n$speicherwurzel = %s;\n$speicherwurzel_handy = %s;\nrequire %s;\n' \
    "'$demo_dir/web'" "'$demo_dir/pocko'" "'$PWD/server/daten.php'" >"$demo_dir/www/daten.php"
ln -s "$PWD/server/anzeige" "$demo_dir/www/anzeige"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
php -S "127.0.0.1:$port" -t "$demo_dir/www" >"$demo_dir/php.log" 2>&1 &
webserver=$!
echo "Hall screen: http://127.0.0.1:$port/anzeige/?zkd=demo&bs=1"
echo "Phones:      http://127.0.0.1:$port/anzeige/?zkd=demo&handy=1"

echo "Demo database: $db (changes of the live simulator: $demo_dir/simulator.log)"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "Start the transfer with \"Daten-Transfer\" > \"Starten\"."
    build/release/src/app/quenda --db "$db" "$@"
else
    echo "No display found: five transfer cycles without a window."
    # Five minutes back, so that the live cycles below carry newer stamps.
    build/release/src/app/quenda --headless --db "$db" --tournament 1 --cycles 5 \
        --fake-time "$(date -d '5 minutes ago' '+%Y-%m-%d %H:%M:%S')" "$@"
    if [ -t 0 ]; then
        echo "The display pages follow the live simulator: a transfer cycle every minute until Ctrl+C."
        build/release/src/app/quenda --headless --db "$db" --tournament 1 "$@" || true
    fi
fi
echo
echo "Published files:"
echo "  beamer/screen: $demo_dir/web/zkddemo/upload ($(ls "$demo_dir/web/zkddemo/upload" 2>/dev/null | wc -l) files)"
echo "  mobile phones: $demo_dir/pocko/zkddemo/upload ($(ls "$demo_dir/pocko/zkddemo/upload" 2>/dev/null | wc -l) files)"
echo "  event log:     $tsdir/protokoll_*.pzk"
