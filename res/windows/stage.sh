#!/usr/bin/env bash
# Stages what Windows users get, as the zip and the installer ship it: the programs
# without their debugging symbols, and the README as Notepad reads it (UTF-8 with a
# byte-order mark, CR LF line ends).
#   stage.sh STRIP STAGE README PROGRAM...
set -euo pipefail
strip=$1 stage=$2 readme=$3
shift 3
mkdir -p "$stage"
for program in "$@"; do
  "$strip" -o "$stage/$(basename "$program")" "$program"
done
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$readme"; } >"$stage/README.txt"
