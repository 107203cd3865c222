#!/usr/bin/env bash
# Formats every C++ file of the project in place.
set -euo pipefail
cd "$(dirname "$0")/.."
find src tests tools bench -path tests/data -prune -o \( -name '*.h' -o -name '*.cpp' \) -print0 | xargs -0 -r clang-format -i
