#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default: build), warnings as errors unless the
# arguments, which go to cmake after ours, say -DOXI_WERROR=OFF.
# BUILD_TARGETS (space-separated) builds only those targets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
launcher=()
# A compiler cache, where there is one, makes rebuilds of other folders of the same tree
# cheap.
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths below the tree count as relative, so another clone of it (CI's) hits the cache.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DOXI_WERROR=ON \
  "${launcher[@]}" "$@" >/dev/null
# shellcheck disable=SC2086  # the targets are words
cmake --build "$build" -j"$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
