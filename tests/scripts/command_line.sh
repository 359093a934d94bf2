#!/bin/bash
# Both programs' command lines: help on stdout with exit 0, the build's version, refusals
# with the usage on stderr and exit 2; oxiview's --root must name a folder, and oxiview
# warns on stderr when no Japanese face is installed.
source "$(dirname "$0")/lib/checks.sh"
view="$OXI_BINARY_DIR/src/qt/oxiview"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$OXI_BINARY_DIR/CMakeCache.txt")

# expect STATUS STDOUT_START STDERR_START PROGRAM ARGS...: the exit status and how each
# stream begins ("" for a stream that must stay empty).
expect() {
  local status=$1 out=$2 err=$3
  shift 3
  "$@" >"$work/out" 2>"$work/err"
  local rc=$?
  local what="${*##*/}"
  [ "$rc" -eq "$status" ] || fail "$what: exit $rc, expected $status"
  check_start "$what: stdout" "$out" "$work/out"
  check_start "$what: stderr" "$err" "$work/err"
}
check_start() {  # what, expected start or "", file
  if [ -z "$2" ]; then
    [ -s "$3" ] && fail "$1 is not empty: $(head -c 200 "$3")"
  else
    [ "$(head -c ${#2} "$3")" = "$2" ] || fail "$1 begins: $(head -c 200 "$3")"
  fi
}

for help in --help -h help; do
  expect 0 "usage: oxitool COMMAND" "" "$tool" "$help"
done
expect 0 "oxitool" "" "$tool" --version
[ "$("$tool" --version)" = "oxitool $version" ] || fail "oxitool --version: $("$tool" --version)"
commands=$("$tool" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')
[ "$(wc -l <<<"$commands")" -ge 6 ] || fail "commands listed: $commands"
for command in $commands; do
  expect 0 "usage: oxitool $command " "" "$tool" "$command" --help
done
expect 0 "usage: oxitool csv " "" "$tool" csv a.oxi -h
expect 2 "" "usage: oxitool COMMAND" "$tool"
expect 2 "" "oxitool: unknown command 'bogus'" "$tool" bogus
expect 2 "" "oxitool: usage: oxitool info FILE.oxi" "$tool" info
expect 2 "" "oxitool: usage: oxitool download [--root DIR]" "$tool" download --bogus
expect 2 "" "oxitool: usage: oxitool render " "$tool" render --window

if [ ! -x "$view" ]; then
  finish "command lines (oxitool only: built without the window)"
fi
expect 0 "usage: oxiview [--root DIR]" "" "$view" --help
expect 0 "usage: oxiview [--root DIR]" "" "$view" -h
expect 0 "oxiview" "" "$view" --version
[ "$("$view" --version)" = "oxiview $version" ] || fail "oxiview --version: $("$view" --version)"
expect 2 "" "oxiview: unknown option '--bogus'"$'\n'"usage: oxiview" "$view" --bogus
expect 2 "" "oxiview: unexpected argument 'x.oxi'" "$view" x.oxi
expect 2 "" "oxiview: --root needs a folder" "$view" --root
expect 1 "" "oxiview: $work/missing: no such folder" "$view" --root "$work/missing"

# start_offscreen ROOT READY [env...]: starts oxiview without a display on the store below
# ROOT and waits until READY (a path below the store's folder) exists: the store is set up
# after the start-up warnings, and the log gets them once the store is known.
start_offscreen() {
  local root=$1 ready="$1/Application Data/StO2/$2"
  shift 2
  mkdir -p "$root"
  env "$@" "$view" -platform offscreen --root "$root" >"$work/view.out" 2>"$work/view.err" &
  local pid=$!
  for _ in $(seq 100); do
    [ -e "$ready" ] && break
    sleep 0.1
  done
  [ -e "$ready" ] || fail "oxiview did not set up $ready"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
start_offscreen "$work/fonts" .
grep -q "no Japanese font" "$work/view.err" && fail "warned with a Japanese face installed"
grep -q "translations were not found" "$work/view.err" && fail "Qt's Japanese translations are installed here"
# Fontconfig with no font folder at all finds no Japanese face.
cat >"$work/fonts.conf" <<'XML'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><cachedir>FONTCACHE</cachedir></fontconfig>
XML
sed -i "s|FONTCACHE|$work/fontcache|" "$work/fonts.conf"
start_offscreen "$work/nofonts" viewer.log FONTCONFIG_FILE="$work/fonts.conf"
grep -q "^oxiview: no Japanese font is installed" "$work/view.err" ||
  fail "no warning without a Japanese face: $(cat "$work/view.err")"
# A window started from a menu has no terminal: the log in the store's folder says it too.
grep -q " oxiview: no Japanese font is installed" "$work/nofonts/Application Data/StO2/viewer.log" ||
  fail "the log does not have the warning"

finish "command lines"
