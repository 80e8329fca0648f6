#!/usr/bin/env bash
# Configures and builds Qelun工尺谱 into the given folder (default: build/).
# Further arguments go to the configure step (-DQELUN_BUILD_TESTS=OFF, …).
# With QELUN_BUILD_TARGET set, only that target is built.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift $(( $# > 0 ? 1 : 0 ))
# ccache hashes paths relative to the tree, so that another clone of it (a CI
# run, a worktree) reuses what was compiled here.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
# QELUN_DRY_RUN=1 prints the commands instead of running them.
. "$root/scripts/dryrun.sh"
run cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}" "$@"
if [ -n "${QELUN_BUILD_TARGET:-}" ]; then
  run cmake --build "$build" -j"$(nproc)" --target "$QELUN_BUILD_TARGET"
else
  run cmake --build "$build" -j"$(nproc)"
fi
