#!/usr/bin/env bash
# Installs the Debian package on a fresh Debian 12 made for the purpose, as a user of it
# would, and runs the programs from where the package put them. Run by hand as root: it
# needs Debian's package mirror and a few minutes, and is no part of CI.
#   ./scripts/check-package.sh [PACKAGE.deb]   (default: builds it with scripts/package.sh)
# MIRROR (http://deb.debian.org/debian) is where debootstrap and apt fetch from; KEEP=1
# leaves the chroot in place.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[[ $(id -u) -eq 0 ]] || { echo "run as root: debootstrap and chroot need it" >&2; exit 2; }
"$root/scripts/install-deps.sh" package
package=${1:-$("$root/scripts/package.sh" | tail -n 1)}
package=$(realpath "$package")
mirror=${MIRROR:-http://deb.debian.org/debian}
target=$(mktemp -d /var/tmp/oxi-debian12.XXXXXX)
chmod 755 "$target"  # apt drops to its own user to fetch
mounted=()
cleanup() {
  local m
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || true; done
  [[ "${KEEP:-0}" == 1 ]] && { echo "chroot kept in $target"; return; }
  rm -rf "$target"
}
trap cleanup EXIT
in_chroot() { chroot "$target" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

started=$(date +%s)
echo "== debootstrap bookworm (minbase) into $target"
debootstrap --variant=minbase bookworm "$target" "$mirror" >"$target.debootstrap.log" 2>&1 ||
  { tail -n 20 "$target.debootstrap.log"; exit 1; }
bootstrapped=$(date +%s)
for fs in proc sys dev; do
  mount --bind "/$fs" "$target/$fs" && mounted=("$target/$fs" "${mounted[@]}")
done
before=$(in_chroot dpkg-query -W -f='.\n' | wc -l)

echo "== apt-get install ./$(basename "$package")"
cp "$package" "$target/tmp/"
in_chroot apt-get update -qq
DEBIAN_FRONTEND=noninteractive in_chroot apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$package")" >"$target/tmp/install.log" 2>&1 ||
  { tail -n 30 "$target/tmp/install.log"; exit 1; }
installed=$(date +%s)
after=$(in_chroot dpkg-query -W -f='.\n' | wc -l)

echo "== the programs from the installed paths"
desktop=$(in_chroot dpkg -L oxiview | grep '^/usr/share/applications/.*\.desktop$')
exec_line=$(sed -n 's/^Exec=//p' "$target$desktop")
in_chroot sh -c "command -v ${exec_line%% *}" # the menu entry's program is on the PATH
in_chroot /usr/bin/oxitool --version
in_chroot /usr/bin/oxiview --version
in_chroot sh -e -c '
  mkdir -p /tmp/home && cd /tmp/home
  oxitool demo-monitor -o monitor.img --measurements 2
  OXI_SIMULATED_MONITOR=monitor.img oxitool download --root /tmp/home 2>/dev/null
  for record in "Application Data"/StO2/OXI*/*.oxi; do oxitool info "$record"; done
  oxitool render "$record" -o graph.png && oxitool pdf "$record" -o page.pdf
  ls -l graph.png page.pdf'
# The window starts on no display (Qt offscreen) and finds its face and Qt translations.
in_chroot sh -c 'cd /tmp/home && (oxiview -platform offscreen >view.out 2>view.err & echo $! >view.pid);
  sleep 3; kill $(cat view.pid); cat view.err'
rules=$(in_chroot dpkg -L oxiview | grep '/udev/rules.d/')
echo "udev rule: $rules"
echo "udev reads rules from: $(grep -a -o -E '(/usr)?/lib/udev/rules\.d' "$target/bin/udevadm" | sort -u | tr '\n' ' ')"

echo "== figures"
echo "package: $(stat -c %s "$package") bytes, installed size $(in_chroot dpkg-query -W -f='${Installed-Size}' oxiview) KiB"
echo "packages pulled in by the install: $((after - before))"
echo "debootstrap: $((bootstrapped - started)) s, apt-get install: $((installed - bootstrapped)) s"
