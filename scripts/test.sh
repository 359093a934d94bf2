#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./scripts/test.sh            the ordinary build and every test
#   ./scripts/test.sh windows    the Windows programs cross-compiled, their tests under Wine
#   ./scripts/test.sh builds     the programs built as Release by g++ and as Debug by clang,
#                                warnings as errors (what a packager and a debugger build)
#   ./scripts/test.sh sanitize   every test again, built by clang with ASan and UBSan
#   ./scripts/test.sh fuzz       the fuzz targets, each run briefly over its corpus
#   ./scripts/test.sh all        the five in turn (what CI runs)
# Build folders: BUILD_DIR (build), WINDOWS_BUILD_DIR (build-windows), build-release and
# build-debug-clang, SANITIZE_BUILD_DIR (build-asan), FUZZ_BUILD_DIR (build-fuzz);
# FUZZ_SECONDS (10) is each target's run time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

ordinary() {
  BUILD_DIR=${BUILD_DIR:-$root/build} "$root/scripts/build.sh" -DOXI_BUILD_TESTS=ON \
    -DOXI_BUILD_BENCH=ON
  (cd "${BUILD_DIR:-$root/build}" && ctest --output-on-failure -j"$jobs")
}

# The Windows build (mingw-w64) and its tests under Wine. Its oxitool is compared with the
# Linux build's, which is built first when it is not there yet; the window check compares
# oxiview.exe with the Linux build's window when that build has one.
windows() {
  local linux=${BUILD_DIR:-$root/build}
  local build=${WINDOWS_BUILD_DIR:-$root/build-windows}
  [[ -x "$linux/src/cli/oxitool" ]] || BUILD_DIR=$linux BUILD_TARGETS=oxitool "$root/scripts/build.sh"
  BUILD_DIR=$build "$root/scripts/build.sh" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DOXI_LINUX_OXITOOL="$linux/src/cli/oxitool"
  (cd "$build" && OXI_LINUX_BINARY_DIR=$linux ctest --output-on-failure -j"$jobs")
}

# The other build types compile without a warning; the programs only, which is where a
# build type changes the code (the tests' own code is built twice above).
builds() {
  local programs=(-DOXI_BUILD_TESTS=OFF -DOXI_BUILD_BENCH=OFF)
  BUILD_TYPE=Release CC=gcc CXX=g++ BUILD_DIR=$root/build-release "$root/scripts/build.sh" \
    "${programs[@]}"
  BUILD_TYPE=Debug CC=clang CXX=clang++ BUILD_DIR=$root/build-debug-clang \
    "$root/scripts/build.sh" "${programs[@]}"
  echo "builds: Release (g++) and Debug (clang) built without a warning"
}

# Any report of the sanitizers ends the test that made it with a failure; leaks count.
# (No strict_string_checks: it flags libxkbcommon's strndup of a counted string.)
export_sanitizer_options() {
  export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  # Leaks inside system libraries only, listed by library.
  if [[ -f "$root/tests/lsan.supp" ]]; then
    export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
  fi
}

sanitize() {
  local build=${SANITIZE_BUILD_DIR:-$root/build-asan}
  CC=clang CXX=clang++ BUILD_DIR=$build "$root/scripts/build.sh" -DOXI_SANITIZE=ON \
    -DOXI_BUILD_BENCH=OFF
  export_sanitizer_options
  (cd "$build" && ctest --output-on-failure -j"$jobs")
}

fuzz() {
  local build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DOXI_BUILD_FUZZ=ON -DOXI_BUILD_QT=OFF \
    -DOXI_BUILD_TESTS=OFF -DOXI_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" --target fuzz_all -j"$jobs"
  export_sanitizer_options
  local passed=0 failed=0
  for src in "$root"/fuzz/*.cpp; do
    local name
    name=$(basename "$src" .cpp)
    local corpus=$build/fuzz/corpus/$name
    local found=$root/fuzz/regressions/$name
    mkdir -p "$corpus"
    local dirs=("$corpus")
    [[ -d "$found" ]] && dirs+=("$found")
    echo "fuzz: $name for ${FUZZ_SECONDS:-10} s over ${dirs[*]}"
    if "$build/fuzz/$name" -max_total_time="${FUZZ_SECONDS:-10}" -timeout=60 -max_len=9000 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz/$name-" "${dirs[@]}" \
      >"$build/fuzz/$name.log" 2>&1; then
      passed=$((passed + 1))
      grep -E "^stat::number_of_executed_units" "$build/fuzz/$name.log" || true
    else
      failed=$((failed + 1))
      tail -n 60 "$build/fuzz/$name.log"
    fi
  done
  echo "fuzz: $passed passed, $failed failed"
  ((failed == 0))
}

"$root/scripts/install-deps.sh"
case "${1:-ordinary}" in
  ordinary) ordinary ;;
  builds) builds ;;
  sanitize) sanitize ;;
  windows) windows ;;
  fuzz) fuzz ;;
  all)
    ordinary
    windows
    builds
    sanitize
    fuzz
    ;;
  *)
    echo "usage: $0 [ordinary|windows|builds|sanitize|fuzz|all]" >&2
    exit 2
    ;;
esac
