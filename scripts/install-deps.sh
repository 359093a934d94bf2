#!/usr/bin/env bash
# Installs whatever Debian packages the build, the tests and the demo need and that are
# missing. Safe to run again: it does nothing when everything is there.
set -euo pipefail
packages=(
  cmake g++ clang libclang-rt-14-dev pkg-config make ccache
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libftdi1-dev libusb-1.0-0-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-ipafont-gothic libpng-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick poppler-utils
  libhdf5-dev python3-mne python3-h5py
  time
)
# The export checks decode FIT files with node and the FIT SDK from npm; a machine that
# has node and npm from elsewhere keeps them.
command -v npm >/dev/null || packages+=(nodejs npm)
missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq "${missing[@]}"
fi
