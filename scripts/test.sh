#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QELUN_TEST_BUILD_DIR:-$root/build-tests}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
# The long mutation runs are left out; run them with: ctest -L long
ctest --output-on-failure -LE long
