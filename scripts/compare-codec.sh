#!/usr/bin/env bash
# Compares what the image codec makes of the same generated inputs at a base commit and in this
# checkout: builds bench/codec_digest headless in both (the base in a temporary worktree, with
# this checkout's copy of the program), runs both with one seed and count, and compares their
# lines. Prints "same: N cases", or the first differing cases in full, and exits 1.
#   scripts/compare-codec.sh <base-commit>
# The codec's results change on purpose now and then (a mended fault), so no base stays right:
# give the commit before the change to be checked.
# SEED (1), COUNT (3000 images and as many data sets) and JOBS (3) from the environment; the
# outputs stay in OUT (/tmp/veltra-codec-cmp/<checkout>): base.txt, head.txt, case-<k>.*.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 1 ]; then
  echo "usage: scripts/compare-codec.sh <base-commit>: the commit whose codec results this checkout must match" >&2
  exit 2
fi
base=$1
seed=${SEED:-1}
count=${COUNT:-3000}
out=${OUT:-${TMPDIR:-/tmp}/veltra-codec-cmp/$(basename "$root")}
sha=$(git -C "$root" rev-parse --verify "$base^{commit}")
src="$out/base-src"
mkdir -p "$out"
rm -f "$out"/*.txt

drop_worktree() {
  git -C "$root" worktree remove --force "$src" 2>/dev/null || rm -rf "$src"
  git -C "$root" worktree prune
}
drop_worktree
trap drop_worktree EXIT
git -C "$root" worktree add --quiet --detach "$src" "$sha"
cp "$root/bench/codec_digest.cpp" "$src/bench/"
if ! grep -q 'GLOB' "$src/bench/CMakeLists.txt"; then
  printf 'add_executable(bench_codec_digest codec_digest.cpp)\ntarget_link_libraries(bench_codec_digest PRIVATE veltra_codec)\n' \
    >>"$src/bench/CMakeLists.txt"
fi

# The build folder sits one level below its sources, as in every other build, so that ccache
# (paths taken relative to the sources) serves the files the two trees share.
# ccache only where it is installed (scripts/setup.sh does not need it).
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
build() { # source folder, name for its logs; prints the program
  local b="$1/build-codec-cmp" log="$out/$2"
  if [ ! -f "$b/CMakeCache.txt" ]; then
    cmake -S "$1" -B "$b" -G Ninja -DVELTRA_HEADLESS=ON "${launcher[@]}" >"$log-configure.log" 2>&1 ||
      { cat "$log-configure.log" >&2; return 1; }
  fi
  CCACHE_BASEDIR="$1" CCACHE_NOHASHDIR=1 cmake --build "$b" -j "${JOBS:-3}" --target bench_codec_digest veltra_program_data \
    >"$log-build.log" 2>&1 || { tail -40 "$log-build.log" >&2; return 1; }
  echo "$b/bin/bench_codec_digest"
}
echo "building $base ($sha) and this checkout ..."
old=$(build "$src" base)
new=$(build "$root" head)
diff -rq "$src/build-codec-cmp/app/resource" "$root/build-codec-cmp/app/resource" >/dev/null ||
  echo "note: the generated tables of the two builds differ"

"$old" --seed "$seed" --count "$count" >"$out/base.txt"
"$new" --seed "$seed" --count "$count" >"$out/head.txt"
if cmp -s "$out/base.txt" "$out/head.txt"; then
  echo "same: $((2 * count)) cases (seed $seed; outputs in $out)"
  exit 0
fi
echo "DIFFERENT (seed $seed, count $count; outputs in $out)"
differing=$(paste -d'\t' "$out/base.txt" "$out/head.txt" | awk -F'\t' '$1 != $2 { split($1, w, " "); print w[1] }' |
  grep -E '^[0-9]+$' | head -n "${SHOW:-3}" || true)
echo "$(paste -d'\t' "$out/base.txt" "$out/head.txt" | awk -F'\t' '$1 != $2' | wc -l) lines differ"
for k in $differing; do
  "$old" --seed "$seed" --count "$count" --case "$k" >"$out/case-$k.base.txt"
  "$new" --seed "$seed" --count "$count" --case "$k" >"$out/case-$k.head.txt"
  echo "== case $k: $(sed -n "$((k + 1))p" "$out/base.txt")  ->  $(sed -n "$((k + 1))p" "$out/head.txt")"
  diff -u --label "$base" --label "this checkout" "$out/case-$k.base.txt" "$out/case-$k.head.txt" | head -n 40 || true
done
exit 1
