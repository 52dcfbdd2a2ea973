#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs each for a bounded time on its
# seed corpus (fuzz/corpus/<target>/; new inputs it finds go to build-fuzz/corpus/<target>/).
#   scripts/fuzz.sh                 all targets, FUZZ_SECONDS (20) each, FUZZ_JOBS (one per core) at once
#   scripts/fuzz.sh image_file ...  only these
#   scripts/fuzz.sh --seeds         regenerate fuzz/corpus/ with the project's seed generator
#   scripts/fuzz.sh --build         only build (the unit tests of build-fuzz run under the sanitizers)
# A target that stops (a sanitizer report, a failed property, a timeout or too much memory)
# fails the script; its input is kept as build-fuzz/findings/<target>/crash-* (leak-*, timeout-*,
# oom-*), minimised, with the target's report beside it (FUZZ_MINIMISE_SECONDS, 20, bounds the
# minimising). Replay one with build-fuzz/fuzz/fuzz_<target> <file>.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
seconds=${FUZZ_SECONDS:-20}
minimise=${FUZZ_MINIMISE_SECONDS:-20} # per finding

if [ -z "${VELTRA_FUZZ_NO_BUILD:-}" ]; then
  # The project is C++ only: naming a C compiler would only earn an "unused variable" warning.
  CXX=clang++ "$root/scripts/build.sh" build-fuzz -DVELTRA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRA_WERROR=CHECKED || exit 1
fi

[ "${1:-}" = "--build" ] && exit 0

if [ "${1:-}" = "--seeds" ]; then
  rm -rf "$root/fuzz/corpus"
  exec "$build/fuzz/fuzz_seeds" "$root/fuzz/corpus"
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$build"/fuzz/fuzz_*; do
    [ -x "$t" ] || continue # no match leaves the pattern itself
    n=$(basename "$t")
    [ "$n" = fuzz_seeds ] || targets+=("${n#fuzz_}")
  done
  if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz: $build/fuzz holds no fuzz target; build them with scripts/fuzz.sh --build" >&2
    exit 1
  fi
fi

# The program folder's tables and language files, as the build made them.
export VELTRA_HOME=$build/app
# A small quarantine: the decoder allocates large buffers on every run.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:quarantine_size_mb=8}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# One target; what it has to say goes to $findings/summary.txt, its failure marks $findings/failed.
run_target() {
  local t=$1 exe=$build/fuzz/fuzz_$1 work=$build/corpus/$1 findings=$build/findings/$1
  rm -rf "$findings"
  mkdir -p "$work" "$findings"
  report_target "$t" "$exe" "$work" "$findings" >"$findings/summary.txt" 2>&1
}

report_target() {
  local t=$1 exe=$2 work=$3 findings=$4 log=$4/log.txt limit rc crash
  local seeds=("$root/fuzz/corpus/$t") extra=()
  [ "$t" = lng_file ] && seeds+=("$root/data/Language") # the shipped language files
  # The inputs of past findings run first under the sanitizers, as the replays do elsewhere.
  [ -d "$root/fuzz/regressions/$t" ] && seeds+=("$root/fuzz/regressions/$t")
  # Inputs are capped at the largest seed unless told otherwise: the language file reader must
  # also meet files over its size limit.
  if [ "$t" = lng_file ]; then
    limit=$(sed -n 's/.*kMaxLngFileSize = \([0-9]*\);.*/\1/p' "$root/editor/dataset/LngFile.h")
    extra+=(-max_len=$((limit + 64)))
  fi
  echo "fuzz: $t for ${seconds}s"
  (cd "$findings" && "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
     "${extra[@]}" -artifact_prefix="$findings/" "$work" "${seeds[@]}") >"$log" 2>&1
  rc=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$log" | sed "s/^/  /"
  [ $rc -eq 0 ] && return 0
  touch "$findings/failed"
  echo "fuzz: $t FAILED (exit $rc); report in $log"
  grep -E -A12 '==== veltra fuzz|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error' "$log" | head -40
  for crash in "$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-*; do
    [ -f "$crash" ] || continue
    case "$crash" in *.min) continue ;; esac
    # timeout ends the whole process group (the minimiser runs the target in child processes)
    # should the minimiser overrun its own time; the margin lets it finish its last step.
    (cd "$findings" && timeout -k 5 $((minimise + 30)) "$exe" -minimize_crash=1 -max_total_time="$minimise" \
       -timeout=10 -exact_artifact_path="$crash.min" "$crash") >"$crash.min.log" 2>&1
    if [ -f "$crash.min" ]; then
      echo "  input: $crash (minimised: $crash.min)"
    elif grep -q 'CRASH_MIN: failed to minimize beyond' "$crash.min.log"; then
      echo "  input: $crash (no smaller input found)"
    else
      echo "  input: $crash (the minimising did not finish; see $crash.min.log)"
    fi
  done
}

# The targets run side by side, up to one per core; each reports in the order given.
failed=()
slots=${FUZZ_JOBS:-$(nproc)}
for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$t" ]; then
    echo "fuzz: no target $t" >&2
    failed+=("$t")
    continue
  fi
  while [ "$(jobs -rp | wc -l)" -ge "$slots" ]; do wait -n; done
  run_target "$t" &
done
wait
for t in "${targets[@]}"; do
  findings=$build/findings/$t
  [ -f "$findings/summary.txt" ] || continue
  if [ -f "$findings/failed" ]; then
    cat "$findings/summary.txt" >&2
    failed+=("$t")
  else
    cat "$findings/summary.txt"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: all ${#targets[@]} targets ran ${seconds}s without a finding"
