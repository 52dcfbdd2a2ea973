#!/usr/bin/env bash
# Fails when a project include runs back up the house. Ground first:
#   common -> editor/image -> editor/dataset -> editor/codec
#   -> cores (editor/shell/core, editor/settings/core, editor/service/core, transmit/core)
#   -> their windows (editor/settings/ui, editor/service/ui, transmit/ui)
#   -> the main window (editor/shell/ui) -> the programs' main.cpp
# A file includes its own folder and folders below it; folders on one level never include each
# other. The transfer tool stands apart from the editor: transmit/* uses only common and itself.
# Below the windows nothing includes Qt (in any spelling) or the Qt seams of common/ui.
# Project includes are checked in either form, "..." or <...>; a source folder that has no level
# here fails, so a new folder is placed in the order before it builds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2

# Level of a folder of the house; empty for any other.
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
  case "$from" in
    transmit | transmit/*)
      case "$to" in common | common/* | transmit/*) ;; *) return 1 ;; esac ;;
  esac
  if [ "$to" = common/ui ]; then
    [ "$lf" -ge 5 ] && [ "$from" != common/ui ]
    return
  fi
  [ "$lt" -lt "$lf" ]
}

# The project's own folders: an include naming one of them is a project include in any form.
project_include() { case "$1" in common/* | editor/* | transmit/*) return 0 ;; esac; return 1; }

# Qt's headers: <QString>, <QtCore/QString>, <qstring.h>, <QtWidgets>, <private/qobject_p.h>...
qt_header() { [[ $1 =~ ^(Q[A-Za-z0-9_]*|Qt[A-Za-z0-9]*/.*|q[a-z0-9_]*\.h|private/q.*)$ ]]; }

bad=0
fail() { echo "$1" >&2; bad=1; }

while IFS= read -r file; do
  from=${file%/*}
  [ -n "$(level "$from")" ] || fail "$file: folder $from has no place in the order of the house"
done < <(git ls-files -- 'common/*' 'editor/*' 'transmit/*' | grep -E '\.(h|cpp)$')

while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  n=${rest%%:*}
  line=${rest#*:}
  from=${file%/*}
  lf=$(level "$from")
  [ -n "$lf" ] || continue
  [[ $line =~ include[[:space:]]*[\"\<]([^\"\>]+)[\"\>] ]] || continue
  name=${BASH_REMATCH[1]}
  if [[ $line =~ include[[:space:]]*\" ]] || project_include "$name"; then
    to=${name%/*}
    [ "$to" = "$name" ] && to=$from # a file of its own folder
    if [ -z "$(level "$to")" ] || ! allowed "$from" "$to"; then
      fail "$file:$n: $line runs from $from up or across to $to"
    fi
  elif qt_header "$name" && [ "$lf" -lt 5 ]; then
    fail "$file:$n: $from is Qt-free but includes <$name>"
  fi
done < <(git grep -n -E '^[[:space:]]*#[[:space:]]*include' -- 'common/*.h' 'common/*.cpp' 'editor/*.h' \
  'editor/*.cpp' 'transmit/*.h' 'transmit/*.cpp')

if [ "$bad" -ne 0 ]; then
  echo "check-includes.sh: includes run against the order of the house" >&2
  exit 1
fi
echo "check-includes.sh: every include runs down the house"
