#!/usr/bin/env bash
# Installs what is missing, builds with the ci preset (warnings as errors, sanitizers), runs every test and
# briefly runs the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
# Each fuzz target for a few seconds on its seed corpus (a clang build of its own in build/fuzz).
bash scripts/fuzz.sh 5
