#!/usr/bin/env bash
# Runs every benchmark on a release build and prints the figures: the transfer cycle on generated
# tournaments of three sizes (with the statement cache and without it), the growth of the cycle time per draw
# group from small to large, the group tables of a 200-starter and an all-tied group, the Access import rate,
# the whole route on an Access file changed by the live simulator, and the display pages (data endpoint, hall
# screen). Figures only; nothing passes or fails.
#
# scripts/bench.sh [BUILD_DIR]   (default build/release; configured as a release build without tests)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENDA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target quenda quenda-demo quenda-mdbimport quenda-bench-zyklus \
    quenda-bench-mdbimport quenda-bench-tabelle quenda-bench-mdbzyklus

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

echo "Maschine: $(nproc) Kerne, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'),"\
     "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo) RAM; $(date '+%Y-%m-%d %H:%M')"

declare -A gruppen voll stetig
for size in small medium large; do
    "$build/tools/demo/quenda-demo" generate --out "$work/$size.db" --size "$size" >/dev/null
    "$build/bench/quenda-bench-zyklus" --db "$work/$size.db" --name "$size" | tee "$work/$size.out" | grep -v '^werte '
    werte="$(grep '^werte ' "$work/$size.out")"
    gruppen[$size]="$(sed -n 's/.* gruppen=\([0-9.]*\).*/\1/p' <<<"$werte")"
    voll[$size]="$(sed -n 's/.* voll_ms=\([0-9.]*\).*/\1/p' <<<"$werte")"
    stetig[$size]="$(sed -n 's/.* stetig_ms=\([0-9.]*\).*/\1/p' <<<"$werte")"
done

# How cost grows: cycle time per draw group of the large tournament over that of the small one.
awk -v gk="${gruppen[small]}" -v gg="${gruppen[large]}" -v vk="${voll[small]}" -v vg="${voll[large]}" \
    -v sk="${stetig[small]}" -v sg="${stetig[large]}" 'BEGIN {
    printf "== Zeit je Auslosungsgruppe groß/klein: voller Zyklus %.2f, stetiger Zyklus %.2f\n",
           (vg / gg) / (vk / gk), (sg / gg) / (sk / gk)
}'

# The statements of the large tournament's cycle prepared anew each time, as before the statement cache.
echo "== large ohne Anweisungs-Cache"
"$build/bench/quenda-bench-zyklus" --db "$work/large.db" --name "large (Cache 0)" --cache 0 | grep -v '^werte '

echo "== Gruppentabellen"
"$build/bench/quenda-bench-tabelle" | grep -v '^werte '

echo "== Access-Import"
"$build/bench/quenda-bench-mdbimport"

echo "== Access-Datei Ende zu Ende"
"$build/bench/quenda-bench-mdbzyklus" | grep -v '^werte '

# The display pages: data endpoint under php -S and the hall screen page in headless Chromium.
python3 bench/AnzeigeBench.py --quenda "$build/src/app/quenda" --demo "$build/tools/demo/quenda-demo"

# A result on the screens: "Sofort bei Änderung" on the Access file, from a change to the file on the target.
python3 bench/SofortLatenzBench.py --quenda "$build/src/app/quenda" --demo "$build/tools/demo/quenda-demo"
