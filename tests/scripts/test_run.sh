#!/usr/bin/env bash
# scripts/run.sh, dry: it installs the program's packages only, configures
# without tests, fuzz harnesses and benchmarks, builds the program alone, and
# opens the files it is given (the bundled example when none).
#
#   test_run.sh SOURCE_DIR
set -euo pipefail
root=${1:?usage: $0 SOURCE_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }

check() {
  local name=$1 expected_open=$2 out
  shift 2
  out=$(QELUN_DRY_RUN=1 "$root/scripts/run.sh" "$@")
  mapfile -t line <<<"$out"
  [ ${#line[@]} -eq 4 ] || fail "$name: four commands expected, got: $out"
  [[ ${line[0]} == *install-deps.sh ]] || fail "$name: installs the test tools too: ${line[0]}"
  [[ " ${line[1]} " == *" -B $root/build "*" -DQELUN_BUILD_TESTS=OFF -DQELUN_BUILD_BENCHMARKS=OFF "* ]] \
    || fail "$name: configure line: ${line[1]}"
  [[ ${line[2]} == "cmake --build $root/build "*" --target qelun" ]] || fail "$name: build line: ${line[2]}"
  [ "${line[3]}" = "$expected_open" ] || fail "$name: opens «${line[3]}», expected «$expected_open»"
  echo "PASS: $name"
}

check "no file: the example" "$root/build/app/qelun $root/examples/youyuan-zaoluopao.gcp"
check "several files, in order" "$root/build/app/qelun a.gcp /tmp/b.gcp" a.gcp /tmp/b.gcp
check "a name with a space" "$root/build/app/qelun my\\ aria.gcp" "my aria.gcp"
