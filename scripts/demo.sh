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

aufhoeren() {
    kill "$simulator" 2>/dev/null || true
    kill -- "-$schreiber" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -f "$db".?*
}
trap aufhoeren EXIT
sleep 6 # a few games move (and reach the .mdb) before the program starts

# Both display targets are published by copying into folders of the demo.
tsdir="$demo_dir/qnda001turnier"
mkdir -p "$demo_dir/web" "$demo_dir/pocko"
"$demo_tool" ablage "$tsdir" --web "$demo_dir/web" --pocko "$demo_dir/pocko" >/dev/null

echo "Demo database: $db (changes of the live simulator: $demo_dir/simulator.log)"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "Start the transfer with \"Daten-Transfer\" > \"Starten\"."
    build/release/src/app/quenda --db "$db" "$@"
else
    echo "No display found: five transfer cycles without a window."
    build/release/src/app/quenda --headless --db "$db" --tournament 1 --cycles 5 \
        --fake-time "$(date '+%Y-%m-%d %H:%M:%S')" "$@"
fi
echo
echo "Published files:"
echo "  beamer/screen: $demo_dir/web/zkddemo/upload ($(ls "$demo_dir/web/zkddemo/upload" 2>/dev/null | wc -l) files)"
echo "  mobile phones: $demo_dir/pocko/zkddemo/upload ($(ls "$demo_dir/pocko/zkddemo/upload" 2>/dev/null | wc -l) files)"
echo "  event log:     $tsdir/protokoll_*.pzk"
