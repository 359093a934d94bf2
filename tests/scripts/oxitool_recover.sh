#!/bin/bash
# The raw image a download keeps before the erase: oxitool recover makes the download's
# records of it again, byte for byte, and never replaces what the store holds; a damaged
# image is refused; oxitool prune-raw keeps the newest images of each device.
source "$(dirname "$0")/lib/checks.sh"
unset OXI_SIMULATED_MONITOR

device() {
  echo "$1/Application Data/StO2/OXIDEMO00000001"
}
recover() {  # ROOT IMAGE...: stdout, stderr and status in $out, $err, $rc
  local root=$1
  shift
  mkdir -p "$root"
  "$tool" recover "$@" --root "$root" >"$work/out" 2>"$work/err"
  rc=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}
flip() {  # FILE OFFSET: one bit of one byte turned
  python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(int(sys.argv[2])); b = f.read(1); f.seek(int(sys.argv[2])); f.write(bytes([b[0] ^ 1]))' "$1" "$2"
}

"$tool" demo-monitor -o "$work/m.img" --measurements 3 || fail "demo-monitor failed"
mkdir -p "$work/a"
OXI_SIMULATED_MONITOR=$work/m.img "$tool" download --root "$work/a" >/dev/null 2>&1 ||
  fail "the download failed"
images=("$(device "$work/a")"/Raw/*.img)
[ "${#images[@]}" -eq 1 ] && [ -f "${images[0]}" ] || fail "not one raw image: ${images[*]}"
image=${images[0]}
[[ $(basename "$image") =~ ^[0-9]{14}\.img$ ]] || fail "raw image named $(basename "$image")"

# Into an empty store: the download's records, names and bytes.
recover "$work/b" "$image"
[ "$rc" -eq 0 ] || fail "exit code $rc recovering into an empty store: $err"
[ "$out" = "$image: 3 records written, 0 already in the store, 0 not recovered" ] ||
  fail "unexpected report: $out"
for record in "$(device "$work/a")"/*.oxi; do
  cmp -s "$record" "$(device "$work/b")/$(basename "$record")" ||
    fail "$(basename "$record") differs from the download's"
done
[ "$(find "$(device "$work/b")" -maxdepth 1 -name '*.oxi' | wc -l)" -eq 3 ] ||
  fail "recovered records: $(ls "$(device "$work/b")")"

# Again: nothing written. A record of the store that differs from the image's under the
# same name stays as it is, and the image's record takes the next letter.
recover "$work/b" "$image"
[ "$out" = "$image: 0 records written, 3 already in the store, 0 not recovered" ] ||
  fail "a second recovery wrote something: $out"
changed=$(find "$(device "$work/b")" -maxdepth 1 -name '*.oxi' | sort | head -1)
flip "$changed" 40
cp "$changed" "$work/changed"
recover "$work/b" "$image"
[ "$out" = "$image: 1 records written, 2 already in the store, 0 not recovered" ] ||
  fail "a same-minute record: $out"
cmp -s "$changed" "$work/changed" || fail "the store's record was replaced"
cmp -s "${changed%.oxi}b.oxi" "$(device "$work/a")/$(basename "$changed")" ||
  fail "the image's record did not take the next letter"

# A damaged image is refused with its reason; the others named with it are still recovered.
cp "$image" "$work/damaged.img"
flip "$work/damaged.img" 300
recover "$work/c" "$work/damaged.img" "$image"
[ "$rc" -eq 1 ] || fail "exit code $rc for a damaged image"
grep -q 'damaged.img: checksum mismatch' <<<"$err" || fail "no reason for the damaged image: $err"
grep -q '3 records written' <<<"$out" || fail "the good image was not recovered: $out"

# prune-raw keeps the newest N of each device; without --keep it removes nothing.
raw=$(device "$work/a")/Raw
cp "$image" "$raw/19990101000000.img"
"$tool" prune-raw --root "$work/a" >/dev/null 2>&1
[ $? -eq 2 ] || fail "prune-raw without --keep did not refuse"
out=$("$tool" prune-raw --keep 1 --root "$work/a")
[ $? -eq 0 ] || fail "prune-raw failed"
[ ! -e "$raw/19990101000000.img" ] && [ -e "$image" ] || fail "prune-raw kept the wrong image"
grep -q '^1 raw images removed$' <<<"$out" || fail "prune-raw said: $out"

finish oxitool_recover
