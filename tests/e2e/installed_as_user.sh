#!/bin/sh
# An install into a fresh prefix, run by an ordinary user in dialout who owns nothing of it:
#   installed_as_user.sh <build folder> <installed_session program>
# The session program goes beside the installed editor and runs as nobody with a home of its
# own; the installed editor itself starts once as that user. Afterwards everything the user's
# runs wrote must lie in the user's own folder: nothing in the build tree (rm -rf build loses
# none of it) and nothing in the install.
# Exit 77 (skipped) when not root: only root can hand an install to another user.
set -eu
build=$1 session=$2
if [ "$(id -u)" != 0 ]; then
  echo "installed_as_user: skipped: needs root to install for, and run as, another user" >&2
  exit 77
fi
command -v setpriv >/dev/null 2>&1 || { echo "installed_as_user: skipped: no setpriv" >&2; exit 77; }
uid=$(id -u nobody) && gid=$(id -g nobody) || { echo "installed_as_user: skipped: no user nobody" >&2; exit 77; }
dialout=$(getent group dialout | cut -d: -f3 || true)
if [ -n "$dialout" ]; then groups=--groups=$dialout; else groups=--clear-groups; fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
prefix=$tmp/prefix home=$tmp/home
cmake --install "$build" --prefix "$prefix" >/dev/null
cp "$session" "$prefix/bin/"
mkdir "$home"
chown "$uid:$gid" "$home"
touch "$tmp/start"

as_user() {
  setpriv --reuid="$uid" --regid="$gid" "$groups" -- \
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$@"
}
fail() { echo "installed_as_user: $*" >&2; exit 1; }

as_user "$prefix/bin/$(basename "$session")" || fail "the session as an ordinary user failed"
data=$home/.local/share/veltra
for f in Msg.sys wbuffer.bin rbuffer.bin Data/site.dat Resource/RX_VOL0.tbl ports/COM7; do
  [ -e "$data/$f" ] || [ -L "$data/$f" ] || fail "$data/$f was not written"
done

# The installed editor itself, on a home where nothing exists yet: its start makes the user's
# folder (it runs until the timeout ends it).
rm -rf "$data"
as_user timeout 5 "$prefix/bin/Veltra" >/dev/null 2>&1 || true
[ -d "$data/Data" ] || fail "the installed editor did not make $data/Data"

stray=$(find "$build" "$prefix" -newer "$tmp/start" -user "$uid" -print 2>/dev/null | head -5)
[ -z "$stray" ] || fail "the user's runs wrote outside their own folder: $stray"
echo "installed_as_user: the user's files are in $data"
