#!/usr/bin/env bash
# Screenshots of the presentation editor and the dialogs at the tournament desk's screen size (1366 x 768),
# under Xvfb, for a look by eye. The editor's goes to docs/screenshots/editor.png, every window's to OUT.
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUT]   (defaults: build/ci, build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/ci}
out=${2:-build/screenshots}
command -v xvfb-run >/dev/null || { echo "xvfb-run fehlt (Debian-Pakete xvfb und xauth)" >&2; exit 1; }
cmake --build "$build" --target quenda_bildschirmfotos
# The X libraries keep a few bytes to the end of the process, which a sanitizer build would report as leaks.
xvfb-run -a -s "-screen 0 1366x768x24" env QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 "$build/tests/quenda_bildschirmfotos" "$out"
cp "$out/editor.png" docs/screenshots/editor.png
