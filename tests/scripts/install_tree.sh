#!/usr/bin/env bash
# cmake --install as a normal user: into a DESTDIR with the prefix /usr, as a packager does,
# and into a home folder's ~/.local. Every file lands below them; the tree holds the
# programs, the menu entry, its icons, the AppStream metadata, the manual pages, the udev
# rule and the copyright; the validators a distribution runs accept them; and the manual
# of oxitool has a section for every command it lists.
source "$(dirname "$0")/lib/checks.sh"
build=$OXI_BINARY_DIR
with_view=1
grep -q '^OXI_BUILD_QT:BOOL=OFF' "$build/CMakeCache.txt" && with_view=0

# As root, the installs run as nobody. CMake writes its list of installed files into the
# build folder, so only that one file is opened to them for the while.
as_user=()
manifest=$build/install_manifest.txt
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  chown 65534:65534 "$work"
  touch "$manifest"
  chmod 666 "$manifest"
  trap 'chmod 644 "$manifest"; rm -rf "$work"' EXIT
fi
install_into() {  # log name, then arguments for cmake --install
  local log=$work/$1.log
  shift
  "${as_user[@]}" "$@" >"$log" 2>&1 || fail "install failed: $(tail -n 5 "$log")"
}

install_into destdir env DESTDIR="$work/stage" cmake --install "$build" --prefix /usr
outside=$(cd "$work/stage" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "installed outside the prefix: $outside"
install_into home cmake --install "$build" --prefix "$work/home/.local"
[ -x "$work/home/.local/bin/oxitool" ] || fail "nothing installed below ~/.local"

usr=$work/stage/usr
expect_file() {
  [ -f "$usr/$1" ] || fail "missing: /usr/$1"
}
expect_file bin/oxitool
expect_file share/man/man1/oxitool.1
expect_file share/doc/oxiview/copyright
rules=$(find "$usr/lib/udev/rules.d" -name '*.rules' 2>/dev/null)
[ "$(wc -w <<<"$rules")" -eq 1 ] || fail "expected one udev rule in /usr/lib/udev/rules.d: $rules"
grep -q '^License: MIT$' "$usr/share/doc/oxiview/copyright" || fail "copyright names no MIT licence"

# The manual pages format without a warning.
for page in "$usr"/share/man/man1/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# One section per command, and no section of a command that is gone. The sections are
# headed '.SS "oxitool NAME ...', with the manual's \- for every dash.
listed=$("$usr/bin/oxitool" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' | sort)
sections=$(sed -n 's/^\.SS "oxitool \([a-z\\-]*\).*/\1/p' "$usr/share/man/man1/oxitool.1" |
  sed 's/\\-/-/g' | sort)
[ -n "$listed" ] || fail "oxitool --help lists no commands"
[ "$listed" = "$sections" ] || fail "commands and manual sections differ: $(diff <(echo "$listed") <(echo "$sections") | grep '^[<>]')"

if [ "$with_view" -eq 1 ]; then
  expect_file bin/oxiview
  expect_file share/man/man1/oxiview.1
  desktop=$(find "$usr/share/applications" -name '*.desktop')
  [ "$(wc -w <<<"$desktop")" -eq 1 ] || fail "expected one desktop entry: $desktop"
  id=$(basename "$desktop" .desktop)
  [[ "$id" =~ ^[a-z]+\.[A-Za-z0-9.-]+\.[A-Za-z0-9]+$ ]] || fail "desktop ID '$id' is not reverse-DNS"
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
  grep -qx "Exec=oxiview" "$desktop" || fail "the menu entry does not start oxiview"
  grep -qx "Icon=$id" "$desktop" || fail "the menu entry's icon is not $id"

  metainfo=$usr/share/metainfo/$id.metainfo.xml
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $out"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
  grep -q '<screenshot type="default">' "$metainfo" || fail "the metadata has no screenshot"

  icons=$usr/share/icons/hicolor
  [ -f "$icons/scalable/apps/$id.svg" ] || fail "no scalable icon"
  for size in 16 24 32 48 64 128 256; do
    png=$icons/${size}x${size}/apps/$id.png
    dims=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "none")' "$png" 2>/dev/null)
    [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
  done
fi

finish "install tree"
