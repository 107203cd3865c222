#!/usr/bin/env bash
# Screenshots at the tournament desk's screen size (1366 x 768), under Xvfb, for a look by eye:
# - the presentation editor and the dialogs: the editor's goes to docs/screenshots/editor.png, every
#   window's to OUT;
# - the main window after four transfer cycles of a small generated tournament, the hall screen target
#   delivered to a folder, the phones' storage root missing: docs/screenshots/hauptfenster.png.
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUT]   (defaults: build/ci, build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
out=${2:-build/screenshots}
command -v xvfb-run >/dev/null || { echo "xvfb-run fehlt (Debian-Pakete xvfb und xauth)" >&2; exit 1; }
cmake --build "$build" --target quenda_bildschirmfotos quenda-hauptfensterfoto quenda-demo
# The X libraries keep a few bytes to the end of the process, which a sanitizer build would report as leaks.
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1366x768x24" "$build/tests/quenda_bildschirmfotos" "$out"
cp "$out/editor.png" docs/screenshots/editor.png

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Own settings and user folders: the desk's stored database path stays untouched.
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data"
mkdir -p "$HOME" "$tmp/web"
"$build/tools/demo/quenda-demo" generate --out "$tmp/turnier.sqlite" --size small --seed 1 \
    --now "2026-12-12 09:00:00" >/dev/null
"$build/tools/demo/quenda-demo" ablage "$tmp/qnda001turnier" --web "$tmp/web" --pocko "$tmp/pocko" >/dev/null
xvfb-run -a -s "-screen 0 1366x768x24" "$build/tools/hauptfensterfoto/quenda-hauptfensterfoto" \
    --db "$tmp/turnier.sqlite" --out docs/screenshots --cycles 4 --time "2026-12-12 09:00:00"
