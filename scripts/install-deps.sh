#!/usr/bin/env bash
# Installs the Debian packages that are missing for one purpose; safe to run again.
#   ./scripts/install-deps.sh run       build and run the programs (the demo)
#   ./scripts/install-deps.sh [test]    that, and build and run every test (the default)
#   ./scripts/install-deps.sh package   that, and build and check the Debian package
set -euo pipefail
run=(
  cmake g++ pkg-config make
  qt6-base-dev libgl-dev qt6-translations-l10n librsvg2-bin libhdf5-dev
  libftdi1-dev libusb-1.0-0-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-ipafont-gothic libpng-dev
)
test=(
  clang libclang-rt-14-dev ccache qt6-qpa-plugins python3 umockdev libumockdev-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool xclip imagemagick poppler-utils
  python3-mne python3-h5py time desktop-file-utils appstream man-db
  # The Windows programs: cross compiler, Wine for their tests, ImageMagick (above) for the icon, zip for the zip,
  # NSIS for the installer.
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wine zip nsis
)
package=(dpkg-dev lintian debootstrap)
case "${1:-test}" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" "${test[@]}") ;;
  package) packages=("${run[@]}" "${test[@]}" "${package[@]}") ;;
  *)
    echo "usage: $0 [run|test|package]" >&2
    exit 2
    ;;
esac
# The export checks decode FIT files with node and the FIT SDK from npm; a machine that
# has node and npm from elsewhere keeps them.
if [[ "${1:-test}" != run ]]; then
  command -v npm >/dev/null || packages+=(nodejs npm)
fi
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
