#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (build/fuzz, or $QUENDA_FUZZ_BUILD) and runs each for the
# given number of seconds (default 60) on its seed corpus tests/data/fuzz/<target>/, plus the public
# Access samples of tests/data/mdb for the importer (its seed tagesverlauf.mdb holds deleted and moved
# rows, written by `quenda-demo mdb --since`). New inputs collect in <build>/korpus/<target>/, findings in
# <build>/funde/. A finding ends the script with status 1 after all targets ran; turn it into a regression
# case in tests/data and fix it.
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden="${1:-60}"
build="${QUENDA_FUZZ_BUILD:-build/fuzz}"
ziele=(zeile_zerlegen satz datumzeit_lesen ablage_xml auslo_xml config_quenda jet_dialekt mdbimport)

if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENDA_FUZZ=ON \
        -DQUENDA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target fuzz_alle -j2

# Qt's and ICU's process-wide caches are not leaks of an input.
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export TMPDIR="$PWD/$build/tmp"
mkdir -p "$TMPDIR" "$build/funde"
fehler=()
for ziel in "${ziele[@]}"; do
    korpus="$build/korpus/$ziel"
    mkdir -p "$korpus"
    saat=(tests/data/fuzz/"$ziel")
    extra=()
    if [ "$ziel" = mdbimport ]; then
        # Each input is a whole file and a child process: small files and a longer time per input.
        saat+=(tests/data/mdb)
        extra=(-max_len=300000 -timeout=60)
    fi
    echo "== fuzz_$ziel: ${sekunden} s"
    if ! "$build/fuzz/fuzz_$ziel" -max_total_time="$sekunden" -timeout=25 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$build/funde/$ziel-" "${extra[@]}" "$korpus" "${saat[@]}" 2>"$build/fuzz_$ziel.log"; then
        fehler+=("$ziel")
        tail -n 60 "$build/fuzz_$ziel.log"
    else
        grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/fuzz_$ziel.log" | tail -n 2 || true
    fi
    rm -rf "${TMPDIR:?}"/quenda-fuzz-*
done
if [ ${#fehler[@]} -gt 0 ]; then
    echo "Findings in: ${fehler[*]} (inputs in $build/funde/)"
    exit 1
fi
echo "No findings."
