#!/usr/bin/env bash
# Configures (once) and builds into the given folder; extra arguments go to CMake's configure.
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$root/$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/$dir" -G Ninja "$@"
fi
cmake --build "$root/$dir" -j "${JOBS:-$(nproc)}"
