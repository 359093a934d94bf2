# Shared by the Windows build's checks: the oxitool checks' set-up (the tool under Wine, a
# work folder, the failure count) plus the converter driver and the Linux build's tool.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/checks.sh"

# A path as Windows programs name it (Z:\...).
winpath() {
  winepath -w "$1" 2>/dev/null
}

# download_with_driver IMAGE ROOT: oxitool.exe download into ROOT through the driver DLL,
# the stand-in on the prefix's PATH answering from IMAGE; stdout to ROOT.out.
download_with_driver() {
  OXI_STANDIN_MONITOR="$(winpath "$1")" "$tool" download --root "$2" >"$2.out" 2>"$2.err"
}

# records REPORT: the record files a download's report names, one a line.
records() {
  sed -n 's/^record: \(.*\.oxi\), [0-9]* samples.*$/\1/p' "$1"
}
