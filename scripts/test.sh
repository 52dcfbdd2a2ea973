#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test:
#  1. the full build: unit, ui and e2e tests (paced transfer runs excluded: label "paced");
#  2. the core libraries alone, without Qt, under AddressSanitizer and UBSan: unit tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

"$root/scripts/build.sh" build
(cd "$root/build" && ctest --output-on-failure -j "$jobs" -LE paced)

"$root/scripts/build.sh" build-headless-asan -DVELTRA_HEADLESS=ON -DVELTRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-headless-asan" && ctest --output-on-failure -j "$jobs" -L unit)
