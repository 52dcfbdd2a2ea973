#!/usr/bin/env bash
# Fails when a project include runs back up the house. Ground first:
#   common -> editor/image -> editor/dataset -> editor/codec
#   -> cores (editor/shell/core, editor/settings/core, editor/service/core, transmit/core)
#   -> their windows (editor/settings/ui, editor/service/ui, transmit/ui)
#   -> the main window (editor/shell/ui) -> the programs' main.cpp
# A file includes its own folder and folders below it; folders on one level never include each
# other. Below the windows nothing includes Qt or the Qt seams of common/ui.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

# Level of a folder; empty for folders outside the house (tests, fuzz, bench, data).
level() {
  case "$1" in
    common) echo 0 ;;
    editor/image) echo 1 ;;
    editor/dataset) echo 2 ;;
    editor/codec) echo 3 ;;
    editor/shell/core | editor/settings/core | editor/service/core | transmit/core) echo 4 ;;
    common/ui | editor/settings/ui | editor/service/ui | transmit/ui) echo 5 ;;
    editor/shell/ui) echo 6 ;;
    editor | transmit) echo 7 ;; # main.cpp
  esac
}

# common/ui is the windows' seam, not ground: only windows and programs may use it.
allowed() { # from-folder to-folder
  local from=$1 to=$2 lf lt
  [ "$from" = "$to" ] && return 0
  lf=$(level "$from")
  lt=$(level "$to")
  [ -n "$lt" ] || return 1
  if [ "$to" = common/ui ]; then
    [ "$lf" -ge 5 ] && [ "$from" != common/ui ]
    return
  fi
  [ "$lt" -lt "$lf" ]
}

bad=0
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  n=${rest%%:*}
  line=${rest#*:}
  from=${file%/*}
  lf=$(level "$from")
  [ -n "$lf" ] || continue
  if [[ $line =~ \"([^\"]+)\" ]]; then
    to=${BASH_REMATCH[1]%/*}
    if [ -z "$(level "$to")" ] || ! allowed "$from" "$to"; then
      echo "$file:$n: $line runs from $from up or across to $to" >&2
      bad=1
    fi
  elif [[ $line =~ \<(Q[A-Za-z]*)[/\>] ]] && [ "$lf" -lt 5 ]; then
    echo "$file:$n: $from is Qt-free but includes <${BASH_REMATCH[1]}>" >&2
    bad=1
  fi
done < <(git grep -n -E '^[[:space:]]*#[[:space:]]*include' -- 'common/*.h' 'common/*.cpp' 'editor/*.h' \
  'editor/*.cpp' 'transmit/*.h' 'transmit/*.cpp')

if [ "$bad" -ne 0 ]; then
  echo "check-includes.sh: includes run against the order of the house" >&2
  exit 1
fi
echo "check-includes.sh: every include runs down the house"
