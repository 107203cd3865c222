#!/usr/bin/env bash
# Installs what is missing, builds with the ci preset (warnings as errors, sanitizers) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
