#!/usr/bin/env bash
# The download through an emulated FTDI converter (tests/usb): how long a sector read takes
# against the 162 ms it spends on the wire, and oxitool's CPU time, with the chip's latency
# timer left by an earlier program at 1, 16 (its power-on value) and 255 ms. Each run plugs
# a fresh converter with a demo monitor behind it into a umockdev test bed and runs
# `oxitool download` against it, unmodified; the emulator prints one line a run.
#
#   OXI_BINARY_DIR=build bench/converter_latency.sh [RUNS] [MEASUREMENTS]
#
# RUNS (3) runs for each latency; MEASUREMENTS (4) in the demo monitor, about 15 sectors
# each. Needs the build's tests (umockdev installed). OXITOOL names another oxitool to run,
# for comparing builds.
set -euo pipefail
build=${OXI_BINARY_DIR:-build}
runs=${1:-3}
measurements=${2:-4}
emulator=$build/tests/usb/oxi_usb_emulator
tool=${OXITOOL:-$build/src/cli/oxitool}
[[ -x "$emulator" ]] || {
  echo "no $emulator: build the tests with umockdev installed" >&2
  exit 2
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" demo-monitor -o "$work/monitor.img" --measurements "$measurements"
for latency in 1 16 255; do
  for ((run = 1; run <= runs; run++)); do
    cp "$work/monitor.img" "$work/run.img"
    rm -rf "$work/store"
    mkdir "$work/store"
    "$emulator" --image "$work/run.img" --latency "$latency" -- \
      "$tool" download --root "$work/store" 2>&1 >/dev/null | grep '^emulator:'
  done
done
