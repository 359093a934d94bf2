#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, unless it is there already, and starts
# its server for the tests that follow (it stays 60 s after the last of them ends).
#   prefix.sh PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"

# The server and the system processes a first start leaves running inherit the descriptors
# of whoever starts them; holding CTest's output pipes they would keep it waiting, so they
# get none.
detached() { "$@" </dev/null >/dev/null 2>&1; }

# The registry reaches the disk when the server ends, so the prefix is made and set up
# before the server that stays is started.
marker="$WINEPREFIX/oxi-prefix-ready"
# (Without a marker there is nothing to be newer than: find fails, and pipefail with it.)
stale=""
[[ -f "$marker" ]] &&
  stale=$(find "$here" \( -name '*.reg' -o -name prefix.sh \) -newer "$marker" | head -n 1)
if [[ ! -f "$marker" || -n "$stale" ]]; then
  detached wineserver -k || true
  detached wine wineboot -i
  # The program's faces ("MS UI Gothic", "ＭＳ ゴシック") exist on a Japanese Windows only;
  # without a replacement Wine falls back on a face without Latin digits (fonts.reg); the
  # windows are Wine's own to draw (windows.reg). Registry files with non-ASCII names must
  # be UTF-16 with a byte-order mark and CR LF line ends.
  for file in "$here"/*.reg; do
    reg="$WINEPREFIX/drive_c/oxi-$(basename "$file")"
    { printf '\xff\xfe'; sed 's/$/\r/' "$file" | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    detached wine regedit /S "C:\\oxi-$(basename "$file")"
  done
  detached wineserver -w
  # Wine links the user's Documents, Desktop and the like to the home folder; here they are
  # folders of the prefix, so that what the tests install and store stays in it.
  for folder in "$WINEPREFIX"/drive_c/users/*/*; do
    if [[ -L "$folder" ]]; then rm "$folder" && mkdir "$folder"; fi
  done
  grep -q 'IPAGothic' "$WINEPREFIX/user.reg" 2>/dev/null ||
    { echo "no prefix with font replacements in $WINEPREFIX" >&2; exit 1; }
  touch "$marker"
fi
# A server that stays between the tests (unless one runs already), and the prefix's system
# processes started at once: the first program started after a bare server would otherwise
# wait a minute for them.
detached wineserver -p60 || true
detached wine wineboot
echo "Wine prefix ready: $WINEPREFIX"
