#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
# Known to work on Debian 12 (bookworm) and 13 (trixie).
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
          libgtest-dev libgmock-dev fonts-noto-cjk qt6-translations-l10n xvfb xauth poppler-utils openbox xdotool x11-utils
          clang)

install_missing() {
  local missing=() p SUDO=""
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "setup.sh: installing ${missing[*]} needs root, and this machine has no sudo:" \
           "run it once as root (su -c $(cd "$(dirname "$0")" && pwd)/setup.sh), or install sudo and add yourself" \
           "to the sudo group, then run this command again." >&2
      exit 1
    fi
    SUDO=sudo
  fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"
# The sanitizer and libFuzzer runtime of the clang that came with the release (14 on Debian 12,
# 19 on Debian 13): its package carries clang's major version in its name.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
[ -n "$clang_major" ] || { echo "setup.sh: cannot tell the version of $(command -v clang)" >&2; exit 1; }
install_missing "libclang-rt-$clang_major-dev"
