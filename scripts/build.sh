#!/usr/bin/env bash
# Configures and builds into the given folder; extra arguments go to CMake's configure.
# TARGETS (all by default) names what to build; JOBS (nproc) how many compiles run at once.
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
# Configured the first time, and again whenever options are given, so new flags take effect on an
# existing folder too.
if [ ! -f "$root/$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/$dir" -G Ninja "$@"
elif [ $# -gt 0 ]; then
  cmake -S "$root" -B "$root/$dir" "$@"
fi
targets=()
[ -n "${TARGETS:-}" ] && read -r -a targets <<<"--target $TARGETS"
cmake --build "$root/$dir" -j "${JOBS:-$(nproc)}" "${targets[@]}"
