#!/usr/bin/env bash
# Installs what is missing, builds, creates a demo tournament that is played live in the background and
# starts Quenda beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release

demo_tool=build/release/tools/demo/quenda-demo
demo_dir="$PWD/demo"
db="$demo_dir/turnier.sqlite"
rm -rf "$demo_dir"
mkdir -p "$demo_dir"
# Start times are placed around the current time, so that the three-hour rule has something to show.
"$demo_tool" generate --out "$db" --size medium --seed 1 --now "$(date '+%Y-%m-%d %H:%M:%S')"

# The tournament desk: one change every two seconds until this script ends.
"$demo_tool" simulate "$db" --seconds 86400 --pause 2000 >"$demo_dir/simulator.log" 2>&1 &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true' EXIT
sleep 5 # a few games move before the program starts

# Both display targets are published by copying into folders of the demo.
tsdir="$demo_dir/qnda001turnier"
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
