#!/usr/bin/env bash
# Tries the README on a fresh Debian root, as a newcomer would: debootstrap (minbase, plus git)
# of the release given, from this machine's own configured mirror; a user "tech" in dialout
# clones the committed HEAD of this checkout; root runs the first setup (scripts/setup.sh), then
# tech runs the README's two commands as written: scripts/run-editor.sh until the editor's window
# shows (under Xvfb), then scripts/test.sh. Prints the wall time of each step.
#   scripts/fresh-root.sh [--keep] <release>      (bookworm, trixie, ...; as root)
# --keep leaves the root's folder for a look (its mounts are removed all the same).
# DIR (/var/tmp/veltra-fresh) holds the roots and each run's logs (<release>-<time>.logs/);
# MIRROR overrides the mirror; CPUS (e.g. 0-2) pins the commands in the root to those CPUs, so
# nproc, and with it the build's and the tests' jobs, counts only those.
set -euo pipefail
# The whole script is one block, read before it runs: an edit of this file while it runs (it
# runs for an hour) cannot change what the running copy does next.
{
keep=0
[ "${1:-}" = --keep ] && { keep=1; shift; }
release=${1:?usage: scripts/fresh-root.sh [--keep] <release>}
checkout=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" = 0 ] || { echo "fresh-root.sh: debootstrap and chroot need root" >&2; exit 1; }
for tool in debootstrap chroot git; do
  command -v "$tool" >/dev/null || { echo "fresh-root.sh: needs $tool (apt-get install $tool)" >&2; exit 1; }
done

# The mirror this machine's apt uses: the first Debian archive (not the security one) that
# its sources name.
mirror() {
  { grep -hs -E '^URIs:' /etc/apt/sources.list.d/*.sources | sed 's/^URIs:[[:space:]]*//; s/[[:space:]].*//'
    grep -hs -E '^deb[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      sed -E 's/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+).*/\2/'
  } | grep -v security | head -n 1 || true
}
mirror=${MIRROR:-$(mirror)}
[ -n "$mirror" ] || { echo "fresh-root.sh: no Debian mirror in /etc/apt; give one in MIRROR" >&2; exit 1; }

dir=${DIR:-/var/tmp/veltra-fresh}
mkdir -p "$dir"
stamp=$(date +%Y%m%d-%H%M%S)
target=$dir/$release-$stamp
logs=$dir/$release-$stamp.logs
mkdir -p "$target" "$logs"
target=$(cd "$target" && pwd -P)

# Everything below the root that this script mounted, deepest first, and every process whose
# root is the new root (only this script starts any there).
step_pid=
netns=
cleanup() {
  local rc=$? pid m left
  trap - EXIT INT TERM HUP
  set +e # every step of the cleanup is tried
  [ -n "$step_pid" ] && kill -KILL -- "-$step_pid" 2>/dev/null
  for pid in /proc/[0-9]*; do
    [ "$(readlink "$pid/root" 2>/dev/null)" = "$target" ] && kill -KILL "${pid#/proc/}" 2>/dev/null
  done
  sleep 1
  [ -n "$netns" ] && ip netns delete "$netns"
  while read -r m; do
    umount "$m" 2>/dev/null || umount -l "$m" || true
  done < <(findmnt -rn -o TARGET | grep -F "$target/" | sort -r)
  left=$(findmnt -rn -o TARGET | grep -F "$target/" || true)
  if [ -n "$left" ]; then
    echo "fresh-root.sh: still mounted, $target kept: $left" >&2
  elif [ "$keep" = 0 ]; then
    rm -rf --one-file-system "$target"
  else
    echo "fresh-root.sh: the root is kept in $target"
  fi
  echo "fresh-root.sh: logs in $logs"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

times=()
# step <name> <log> <command...>: runs it, logs it, records its wall time; on failure shows the
# log's end and stops.
step() {
  local name=$1 log=$logs/$2 start rc
  shift 2
  echo "== $name"
  start=$(date +%s)
  # In a process group of its own (job control), so that an interruption ends it at once.
  set +e -m
  "$@" >"$log" 2>&1 </dev/null &
  step_pid=$!
  wait "$step_pid"
  rc=$?
  step_pid=
  set -e +m
  local took=$(($(date +%s) - start))
  times+=("$(printf '%-34s %4dm%02ds  exit %d' "$name" $((took / 60)) $((took % 60)) "$rc")")
  printf '   %dm%02ds, exit %d (log: %s)\n' $((took / 60)) $((took % 60)) "$rc" "$log"
  if [ "$rc" -ne 0 ]; then
    tail -n 40 "$log" >&2
    summary
    echo "fresh-root.sh: $name FAILED on $release" >&2
    exit 1
  fi
}
summary() {
  echo "== wall times on $release ($(nproc_in) CPUs in the root)"
  printf '   %s\n' "${times[@]}"
}
pin=()
[ -n "${CPUS:-}" ] && pin=(taskset -c "$CPUS")
# After the setup the commands run in a network namespace of their own, with only a loopback:
# the README's commands need no network then, and the displays, whose abstract sockets belong
# to the network namespace, stay apart from the machine's and other roots'.
netns_exec=()
in_root() { "${netns_exec[@]}" "${pin[@]}" chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
as_tech() { in_root setpriv --reuid=tech --regid=tech --init-groups -- /usr/bin/env HOME=/home/tech USER=tech "$@"; }
nproc_in() { "${pin[@]}" nproc; }

echo "fresh-root.sh: $release from $mirror into $target"
step "debootstrap $release (minbase, git)" debootstrap.log \
  debootstrap --variant=minbase --include=git,ca-certificates "$release" "$target" "$mirror"

mount -t proc proc "$target/proc"
mount -t sysfs sysfs "$target/sys"
mount --rbind /dev "$target/dev"
mount --make-rslave "$target/dev"
mount -t tmpfs tmpfs "$target/run"
mkdir -p "$target/run/lock"
cp /etc/resolv.conf "$target/etc/resolv.conf" 2>/dev/null || true

# The committed HEAD of this checkout, handed over as a bundle; tech clones it.
git -C "$checkout" bundle create "$target/tmp/veltra.bundle" HEAD >/dev/null 2>&1
rev=$(git -C "$checkout" rev-parse --short HEAD)
in_root useradd --create-home --shell /bin/bash --groups dialout tech
chmod 644 "$target/tmp/veltra.bundle"
step "git clone ($rev)" clone.log as_tech git clone /tmp/veltra.bundle /home/tech/veltra

# The README: the first setup needs root; without sudo the command says so and stops.
first_try() { ! as_tech sh -c 'cd /home/tech/veltra && scripts/run-editor.sh'; }
step "run-editor.sh as tech, no root yet" first-try.log first_try
grep -q 'run it once as root' "$logs/first-try.log" ||
  { echo "fresh-root.sh: run-editor.sh without root did not ask for the first setup as root:" >&2
    cat "$logs/first-try.log" >&2; exit 1; }
step "first setup as root (setup.sh)" setup.log in_root sh -c 'cd /home/tech/veltra && scripts/setup.sh'
command -v ip >/dev/null || { echo "fresh-root.sh: needs ip (apt-get install iproute2)" >&2; exit 1; }
netns=veltra-fresh-$$
ip netns add "$netns"
ip netns exec "$netns" ip link set lo up
netns_exec=(ip netns exec "$netns")

# The editor until its window shows, on a display of its own.
editor() {
  as_tech sh -c '
    Xvfb :7 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
    x=$!
    export DISPLAY=:7
    for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
    cd /home/tech/veltra
    scripts/run-editor.sh &
    e=$!
    # The main window, titled after its empty data set; the start-up picture and any box come
    # and go before it.
    while kill -0 $e 2>/dev/null; do
      w=$(xdotool search --onlyvisible --pid $e --name "noname[.]dat" 2>/dev/null | head -n 1)
      if [ -n "$w" ]; then
        sleep 3
        for v in $(xdotool search --onlyvisible --pid $e 2>/dev/null); do
          echo "the editor shows its window: $(xdotool getwindowname "$v")"
        done
        kill $e; wait $e; kill $x; exit 0
      fi
      sleep 1
    done
    wait $e; echo "the editor ended (exit $?) without showing a window"; kill $x; exit 1'
}
step "scripts/run-editor.sh until the window" run-editor.log editor
grep 'shows its window' "$logs/run-editor.log" | sed 's/^/   /'
step "scripts/test.sh" test.log as_tech sh -c 'cd /home/tech/veltra && scripts/test.sh'
grep -E 'tests passed|Total Test time|fuzz: all' "$logs/test.log" | sed 's/^/   /' || true
summary
echo "fresh-root.sh: the README's commands pass on $release"
exit 0
}
