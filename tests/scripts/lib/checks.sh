# Shared by the oxitool checks: the tool under test, a work folder removed on exit, and a
# failure count that `finish` turns into the exit status.
set -u
tool="$OXI_BINARY_DIR/src/cli/oxitool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The Windows build's tool runs under the emulator its build names (Wine), with arguments
# and file names in UTF-8.
if [ -n "${OXI_EMULATOR:-}" ]; then
  export LC_ALL=C.UTF-8
  printf '#!/bin/bash\nexec %q %q "$@"\n' "$OXI_EMULATOR" "$tool.exe" >"$work/oxitool"
  chmod +x "$work/oxitool"
  tool="$work/oxitool"
fi
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# finish NAME: reports the count of failures and exits with 1 when there were any.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
  fi
  echo "$1: all checks passed"
  exit 0
}
