#!/bin/sh
# An install into a fresh prefix, run by an ordinary user in dialout who owns nothing of it:
#   installed_as_user.sh <build folder> <installed_session program>
# The session program goes beside the installed editor and runs as nobody with a home of its
# own; the installed editor itself starts once as that user. Afterwards everything the user's
# runs wrote must lie in the user's own folder: nothing in the build tree (rm -rf build loses
# none of it) and nothing in the install. Then a packager's install (DESTDIR, --strip) is
# checked file by file, and an install into the user's ~/.local is used and uninstalled.
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
cmake --install "$build" --prefix "$prefix" --strip >/dev/null
cp "$session" "$prefix/bin/"
# Some other program named transmit in the same bin/: the installed editor must not start it.
mkdir -m 1777 "$tmp/marks"
printf '#!/bin/sh\ntouch %s/marks/wrong-tool\n' "$tmp" >"$prefix/bin/transmit"
chmod 755 "$prefix/bin/transmit"
mkdir "$home"
chown "$uid:$gid" "$home"
touch "$tmp/start"

as_user() {
  setpriv --reuid="$uid" --regid="$gid" "$groups" -- \
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$@"
}
fail() { echo "installed_as_user: $*" >&2; exit 1; }

as_user "$prefix/bin/$(basename "$session")" || fail "the session as an ordinary user failed"
[ ! -e "$tmp/marks/wrong-tool" ] || fail "the editor started the transmit in its bin/, not its own in libexec/veltra"
data=$home/.local/share/veltra-user
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

# A packager's install: staged below DESTDIR, stripped, and the manifest and every path written
# into a file naming the files as they will lie in the prefix.
stage=$tmp/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr/local --strip >/dev/null
laid=$(cd "$stage" && find . ! -type d | sed -E 's,^\.,,; s,^(/usr/local/share/veltra/(Language|resource))/.*,\1/*,' | sort -u |
  tr '\n' ' ')
expected="/usr/local/bin/Veltra /usr/local/libexec/veltra/transmit /usr/local/share/applications/veltra.desktop \
/usr/local/share/icons/hicolor/128x128/apps/veltra.png /usr/local/share/veltra/Language/* \
/usr/local/share/veltra/resource/* /usr/local/share/veltra/uninstall.sh "
[ "$laid" = "$expected" ] || fail "DESTDIR install laid out: $laid"
for program in "$stage/usr/local/bin/Veltra" "$stage/usr/local/libexec/veltra/transmit"; do
  ! readelf -S "$program" | grep -q -E '\.(debug_info|symtab)' || fail "$program is not stripped"
done
! grep -l -r -F "$stage" "$stage" "$build/install_manifest.txt" || fail "the staging folder is written into the files above"
grep -q -x 'Exec="/usr/local/bin/Veltra"' "$stage/usr/local/share/applications/veltra.desktop" ||
  fail "the desktop entry does not start /usr/local/bin/Veltra"
[ "$(grep -c -v '^/usr/local/' "$build/install_manifest.txt")" = 0 ] || fail "the manifest names files outside the prefix"
[ "$(grep -c "" "$build/install_manifest.txt")" = "$(find "$stage" ! -type d | wc -l)" ] ||
  fail "the manifest does not name every staged file"
! grep -q -F "$build" "$stage/usr/local/share/veltra/uninstall.sh" || fail "the uninstaller needs the build folder"

# The user's own install into ~/.local: the shipped files in share/veltra, the user's in
# share/veltra-user; the uninstaller takes the one and leaves the other.
cmake --install "$build" --prefix "$home/.local" --strip >/dev/null
chown -R "$uid:$gid" "$home/.local"
rm -rf "$data"
as_user timeout 5 "$home/.local/bin/Veltra" >/dev/null 2>&1 || true
[ -d "$home/.local/share/veltra-user/Data" ] || fail "the editor installed in ~/.local did not use veltra-user"
[ ! -e "$home/.local/share/veltra/Data" ] || fail "the editor installed in ~/.local wrote among its shipped files"
as_user "$home/.local/share/veltra/uninstall.sh" >/dev/null || fail "the uninstaller failed"
left=$(cd "$home/.local" && find . ! -type d ! -path './share/veltra-user/*' | head -5)
[ -z "$left" ] || fail "the uninstaller left: $left"
[ ! -e "$home/.local/share/veltra" ] && [ ! -e "$home/.local/libexec/veltra" ] || fail "the uninstaller left its folders"
[ -d "$data/Data" ] || fail "the uninstaller took the user's files"
echo "installed_as_user: the user's files are in $data"
