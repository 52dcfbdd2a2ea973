#!/usr/bin/env bash
# Sets up the machine, builds the two programs, and starts the editor from the build's program
# folder. Only the programs are built (the tests are scripts/test.sh's), so a test that does not
# compile never keeps the editor from starting.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
TARGETS="Veltra transmit" "$root/scripts/build.sh" build
program="$root/build/app/Veltra"
# A headless build folder has no editor, and a program left there by an earlier configure is
# not what was just built.
if grep -qsx 'VELTRA_HEADLESS:BOOL=ON' "$root/build/CMakeCache.txt"; then
  echo "run-editor.sh: $root/build is configured without Qt (VELTRA_HEADLESS=ON), so it has no editor;" \
       "configure it again with -DVELTRA_HEADLESS=OFF or remove it." >&2
  exit 1
fi
if [ ! -x "$program" ]; then
  echo "run-editor.sh: the build did not make $program." >&2
  exit 1
fi
exec "$program" "$@"
