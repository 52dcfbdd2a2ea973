#!/usr/bin/env bash
# Sets up the machine, builds, and starts the editor from the build's program folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build
exec "$root/build/app/Veltra" "$@"
