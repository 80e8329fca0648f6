#!/usr/bin/env bash
# Installs what the tests need, builds the tests and benchmarks into the same
# build/ folder as run.sh (reusing what it built), and runs the whole suite
# headless. QELUN_TEST_BUILD_DIR names another build folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QELUN_TEST_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh" --tests
"$root/scripts/build.sh" "$build" -DQELUN_BUILD_TESTS=ON -DQELUN_BUILD_BENCHMARKS=ON
export QT_QPA_PLATFORM=offscreen
cd "$build"
# The long mutation runs are left out; run them with: ctest -L long
ctest --output-on-failure -LE long
