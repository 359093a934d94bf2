#!/usr/bin/env bash
# The installer under Wine, as a user gets it, on a virtual screen: an older version
# installed silently for the user, its Start-menu shortcut starting oxiview.exe in
# Documents, where the store is made; records downloaded into that store; this version
# installed over it through its pages (looked at as screenshots, in Japanese); the
# uninstaller's page, then the silent uninstall. The store stays through all of it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../qt/xvfb_session.sh"
emulator=${OXI_EMULATOR:-wine}
setups=("$OXI_BINARY_DIR"/installer/oxiview-*-win64-setup.exe)
[[ ${#setups[@]} -eq 1 && -f ${setups[0]} ]] || oxi_fail "no installer in $OXI_BINARY_DIR/installer"
setup=${setups[0]}
version=${setup##*/oxiview-}
version=${version%-win64-setup.exe}
stage=$OXI_BINARY_DIR/windows-stage
pages=$OXI_BINARY_DIR/installer-pages
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OxiView'
publisher=$(sed -n 's/^Copyright (c) [0-9]* //p' "$OXI_SOURCE_DIR/LICENSE")

oxi_start_display
profile=$(realpath "$(winepath -u "$("$emulator" cmd /c 'echo %USERPROFILE%' | tr -d '\r')")")
docs=$profile/Documents
programs=$profile/AppData/Local/Programs/OxiView
menu_link="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/OxiView.lnk"
desktop_link=$profile/Desktop/OxiView.lnk
store="$docs/Application Data/StO2"
# What this check installs and stores must stay in the test prefix.
[[ $(realpath "$docs") == "$(realpath "$WINEPREFIX")"/* ]] || oxi_fail "Documents is outside the prefix"

# lnk FILE: the shortcut's target and working folder, one a line, as the file holds them
# (the target in its link information, the working folder as UTF-16 text).
lnk() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
at = 0x4C
if flags & 0x1:  # the target's item list
    at += 2 + struct.unpack_from("<H", data, at)[0]
target = ""
if flags & 0x2:  # link information, with the target's local path
    size, _, info_flags, _, base = struct.unpack_from("<5I", data, at)
    if info_flags & 1:
        target = data[at + base:data.index(b"\0", at + base)].decode("cp932")
    at += size
strings = {}
for bit in (0x4, 0x8, 0x10, 0x20, 0x40):  # name, relative path, working folder, ...
    if flags & bit:
        count = struct.unpack_from("<H", data, at)[0]
        width = 2 if flags & 0x80 else 1
        raw = data[at + 2:at + 2 + width * count]
        strings[bit] = raw.decode("utf-16-le" if width == 2 else "cp932").rstrip("\0")
        at += 2 + width * count
print(target)
print(strings.get(0x10, ""))
PY
}

# check_link FILE: the shortcut starts the installed oxiview.exe in Documents.
check_link() {
  [[ -f $1 ]] || oxi_fail "no shortcut $1"
  local target folder
  { read -r target && read -r folder; } < <(lnk "$1")
  [[ $(realpath "$(winepath -u "$target")") == "$programs/oxiview.exe" ]] ||
    oxi_fail "$1 starts '$target'"
  [[ $(realpath "$(winepath -u "$folder")") == "$docs" ]] || oxi_fail "$1 starts in '$folder'"
  echo "$(basename "$(dirname "$1")")/$(basename "$1"): $target in $folder"
}

# check_entry VERSION: the uninstall entry of "Apps and features" for that version.
check_entry() {
  local entry
  entry=$("$emulator" reg query "$key" 2>/dev/null | tr -d '\r') || oxi_fail "no uninstall entry"
  value() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$entry"; }
  [[ $(value DisplayName) == OxiView ]] || oxi_fail "entry named '$(value DisplayName)'"
  [[ $(value DisplayVersion) == "$1" ]] || oxi_fail "entry of version '$(value DisplayVersion)'"
  [[ $(value Publisher) == "$publisher" ]] || oxi_fail "entry published by '$(value Publisher)'"
  [[ $(realpath "$(winepath -u "$(value DisplayIcon)")") == "$programs/oxiview.exe,0" ]] ||
    oxi_fail "entry's icon '$(value DisplayIcon)'"
  [[ $(value UninstallString) == *'\uninstall.exe"' ]] ||
    oxi_fail "entry uninstalls with '$(value UninstallString)'"
  local size=$(($(value EstimatedSize))) files
  files=$(du -sk "$programs" | cut -f1)
  ((size > files * 9 / 10 && size < files * 11 / 10)) ||
    oxi_fail "entry's size $size KB, the files take $files KB"
  echo "uninstall entry: OxiView $1 by $publisher, $size KB"
}

store_sums() { (cd "$store" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
gone() { [[ ! -e $1 ]]; }

# The uninstaller of an earlier run that did not end.
if [[ -f $programs/uninstall.exe ]]; then
  "$emulator" "$programs/uninstall.exe" /S
  oxi_until 100 gone "$programs" || oxi_fail "an earlier installation stays"
fi
rm -rf "$docs/Application Data"

# An older version: the same programs, but other bytes in oxiview.exe (a PE file ignores
# what follows its sections), so that the upgrade is seen to replace it.
old_stage=$OXI_WORK/old-stage
cp -r "$stage" "$old_stage"
printf 'an older build' >>"$old_stage/oxiview.exe"
old_setup=$OXI_WORK/oxiview-0.9.0-win64-setup.exe
makensis -V1 -INPUTCHARSET UTF8 -DVERSION=0.9.0 "-DSTAGE=$old_stage" \
  "-DICON=$OXI_BINARY_DIR/src/win32/oxiview.ico" "-DPUBLISHER=$publisher" \
  -DHOMEPAGE=https://example.org "-DOUTFILE=$old_setup" "$OXI_SOURCE_DIR/res/windows/oxiview.nsi" \
  >/dev/null || oxi_fail "the older version's installer was not made"

# setup.exe /S: for the user, into the user's programs, a Start-menu shortcut only.
"$emulator" "$old_setup" /S || oxi_fail "the silent install failed"
cmp -s "$programs/oxiview.exe" "$old_stage/oxiview.exe" || oxi_fail "oxiview.exe not installed"
for file in oxitool.exe README.txt uninstall.exe; do
  [[ -f $programs/$file ]] || oxi_fail "$file not installed"
done
check_link "$menu_link"
[[ -e $desktop_link ]] && oxi_fail "a desktop shortcut nobody chose"
check_entry 0.9.0

# oxiview.exe started as its shortcut starts it makes its store in Documents and names it
# in the title bar; Esc ends it.
{ read -r target && read -r folder; } < <(lnk "$menu_link")
(cd "$(winepath -u "$folder")" && exec "$emulator" "$target") >"$OXI_WORK/oxiview.log" 2>&1 &
oxi_pids+=($!)
title="OxiView - $folder\\Application Data\\StO2"
window=$(oxi_wait_window 60 --name '^OxiView - ') || true
[[ -n $window && $(xdotool getwindowname "$window") == "$title" ]] ||
  oxi_fail "no window titled '$title'"
[[ -d $store ]] || oxi_fail "no store in Documents"
# While it runs, an upgrade stops (status 2 of a silent install) and leaves it as it is.
status=0
"$emulator" "$setup" /S || status=$?
((status == 2)) || oxi_fail "a silent upgrade over the running program ended with $status"
cmp -s "$programs/oxiview.exe" "$old_stage/oxiview.exe" || oxi_fail "the running program changed"
xdotool windowfocus --sync "$window" key Escape
window_gone() { ! xdotool search --onlyvisible --name '^OxiView - ' >/dev/null 2>&1; }
oxi_until 50 window_gone || oxi_fail "oxiview.exe stays after Esc"
echo "oxiview.exe from the shortcut: the store in $folder"

# Records in that store, downloaded by the installed oxitool.exe started in Documents.
"$emulator" "$programs/oxitool.exe" demo-monitor -o "$(winepath -w "$OXI_WORK/demo.img")" \
  --measurements 3 >/dev/null || oxi_fail "no demo monitor"
(cd "$docs" && OXI_SIMULATED_MONITOR=$(winepath -w "$OXI_WORK/demo.img") \
  "$emulator" "$programs/oxitool.exe" download >/dev/null 2>&1) || oxi_fail "download failed"
records=$(find "$store" -name '*.oxi' | wc -l)
((records == 3)) || oxi_fail "$records records in the store"
store_sums >"$OXI_WORK/store.sums"

# This version over it, through its pages in Japanese, with the desktop shortcut chosen.
# Each page is kept as a screenshot: the face changes, then it is taken.
mkdir -p "$pages"
last=$OXI_WORK/last.png
oxi_shot "$last"
page_shown() {
  oxi_shot "$OXI_WORK/now.png"
  [[ $(compare -metric AE "$OXI_WORK/now.png" "$last" null: 2>&1 || true) != 0 ]]
}
settled() {
  oxi_shot "$OXI_WORK/a.png"
  sleep 0.5
  oxi_shot "$OXI_WORK/b.png"
  [[ $(compare -metric AE "$OXI_WORK/a.png" "$OXI_WORK/b.png" null: 2>&1 || true) == 0 ]]
}
# page NAME: waits for the next page to be drawn whole and keeps it.
page() {
  oxi_until 100 page_shown || oxi_fail "no page $1"
  oxi_until 25 settled || oxi_fail "page $1 does not settle"
  cp "$OXI_WORK/b.png" "$last"
  cp "$last" "$pages/$1.png"
}
"$emulator" explorer /desktop=oxisetup,1280x1024 "$setup" /LANG=1041 >/dev/null 2>&1 &
oxi_pids+=($!)
page 1-welcome
xdotool key Return
page 2-folder
xdotool key Return
page 3-components
xdotool key Down space
page 3-components-desktop
xdotool key Return
# The desktop shortcut is the last thing made; the finish page follows at once.
made() { [[ -f $1 ]]; }
oxi_until 150 made "$desktop_link" || oxi_fail "the upgrade did not end"
page 4-finish
cmp -s "$programs/oxiview.exe" "$stage/oxiview.exe" || oxi_fail "the upgrade kept oxiview.exe"
# Its run box starts oxiview.exe in Documents too.
xdotool key Return
window=$(oxi_wait_window 60 --name '^OxiView - ') || true
[[ -n $window && $(xdotool getwindowname "$window") == "$title" ]] ||
  oxi_fail "the finish page's run box did not start oxiview.exe in Documents"
xdotool windowfocus --sync "$window" key Escape
oxi_until 50 window_gone || oxi_fail "oxiview.exe stays after Esc"
check_link "$menu_link"
check_link "$desktop_link"
check_entry "$version"
store_sums | cmp -s - "$OXI_WORK/store.sums" || oxi_fail "the upgrade changed the store"
echo "upgrade from 0.9.0 to $version: oxiview.exe replaced, the $records records kept"

# The uninstaller's page says where the store stays; Esc leaves everything as it is.
"$emulator" explorer /desktop=oxisetup,1280x1024 "$programs/uninstall.exe" /LANG=1041 \
  >/dev/null 2>&1 &
oxi_pids+=($!)
page 5-uninstall
xdotool key Escape
uninstaller_gone() { ! xdotool search --onlyvisible --name 'OxiView' >/dev/null 2>&1; }
oxi_until 50 uninstaller_gone || oxi_fail "the uninstaller stays after Esc"

# uninstall.exe /S: the program, its shortcuts and its entry go; the store stays.
"$emulator" "$programs/uninstall.exe" /S
oxi_until 100 gone "$programs" || oxi_fail "the program stays after the uninstall"
gone "$menu_link" && gone "$desktop_link" || oxi_fail "a shortcut stays after the uninstall"
"$emulator" reg query "$key" >/dev/null 2>&1 && oxi_fail "the uninstall entry stays"
store_sums | cmp -s - "$OXI_WORK/store.sums" || oxi_fail "the uninstall changed the store"
echo "uninstall: program, shortcuts and entry gone, the store kept"
echo "installer checks passed; its pages are in $pages"
