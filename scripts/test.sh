#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test:
#  0. the include order of the house (scripts/check-includes.sh);
#  1. the full build: unit, ui and e2e tests (paced transfer runs excluded: label "paced");
#  2. the core libraries alone, without Qt, built with clang under AddressSanitizer and UBSan
#     (the fuzz build, build-fuzz): unit tests;
#  3. the core libraries alone in a Release build, as packagers build them: unit tests;
#  4. the fuzz targets, each for a bounded time (scripts/fuzz.sh).
# Every step runs even when an earlier one fails; the script fails when any did.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" || exit 1
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
failed=()

"$root/scripts/check-includes.sh" || failed+=("include order")

"$root/scripts/build.sh" build -DVELTRA_WERROR=CHECKED && (cd "$root/build" && ctest --output-on-failure -j "$jobs" -LE paced) ||
  failed+=("tests")

# One clang build of the cores under AddressSanitizer and UBSan serves the unit tests and the fuzz
# targets (build-fuzz).
"$root/scripts/fuzz.sh" --build && (cd "$root/build-fuzz" && ctest --output-on-failure -j "$jobs" -L unit) ||
  failed+=("sanitizer unit tests")

# The cores as a packager builds them: optimised, every warning an error.
"$root/scripts/build.sh" build-release-core -DVELTRA_HEADLESS=ON -DCMAKE_BUILD_TYPE=Release -DVELTRA_WERROR=CHECKED &&
  (cd "$root/build-release-core" && ctest --output-on-failure -j "$jobs" -L unit) || failed+=("release unit tests")

VELTRA_FUZZ_NO_BUILD=1 "$root/scripts/fuzz.sh" || failed+=("fuzzing")

if [ ${#failed[@]} -gt 0 ]; then
  echo "test.sh: FAILED: ${failed[*]}" >&2
  exit 1
fi
