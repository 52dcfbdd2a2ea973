#!/bin/sh
# Runs a command as the unprivileged user nobody when called as root (root ignores a terminal's
# exclusive flag and file modes, so port tests prove little as root); as anyone else it runs it
# unchanged.
# Exit 77 (skipped) when root has no way to change user.
if [ "$(id -u)" != 0 ]; then exec "$@"; fi
uid=$(id -u nobody) || exit 77
gid=$(id -g nobody) || exit 77
if command -v setpriv >/dev/null 2>&1; then
  exec setpriv --reuid="$uid" --regid="$gid" --clear-groups -- "$@"
elif command -v runuser >/dev/null 2>&1; then
  exec runuser -u nobody -- "$@"
fi
echo "as_nobody: neither setpriv nor runuser: skipped" >&2
exit 77
