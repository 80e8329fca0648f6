#!/usr/bin/env bash
# Installs what the program needs, builds the program alone (no tests, fuzz
# harnesses or benchmarks) into build/, and opens the given scores, or the
# bundled example when none is given.
#
#   run.sh [FILE…]
#
# QELUN_DRY_RUN=1 prints the commands instead of running them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/dryrun.sh"
run "$root/scripts/install-deps.sh"
QELUN_BUILD_TARGET=qelun "$root/scripts/build.sh" "$root/build" \
  -DQELUN_BUILD_TESTS=OFF -DQELUN_BUILD_BENCHMARKS=OFF
if [ $# -eq 0 ]; then
  set -- "$root/examples/youyuan-zaoluopao.gcp"
fi
if [ -n "${QELUN_DRY_RUN:-}" ]; then
  run "$root/build/app/qelun" "$@"
  exit 0
fi
exec "$root/build/app/qelun" "$@"
