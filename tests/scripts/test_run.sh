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
  local name=$1 expected_open=$2
  shift 2
  local out
  out=$(QELUN_DRY_RUN=1 "$root/scripts/run.sh" "$@")
  local install configure build open
  install=$(sed -n 1p <<<"$out")
  configure=$(sed -n 2p <<<"$out")
  build=$(sed -n 3p <<<"$out")
  open=$(sed -n 4p <<<"$out")
  [ "$(wc -l <<<"$out")" -eq 4 ] || fail "$name: four commands expected, got: $out"
  [[ $install == *install-deps.sh* && $install != *--tests* ]] || fail "$name: install line: $install"
  for option in -DQELUN_BUILD_TESTS=OFF -DQELUN_BUILD_BENCHMARKS=OFF; do
    [[ " $configure " == *" $option "* ]] || fail "$name: $option missing from: $configure"
  done
  [[ $configure == cmake\ -S* && " $configure " == *" -B $root/build "* ]] || fail "$name: configure line: $configure"
  [[ $build == "cmake --build $root/build "* && " $build " == *" --target qelun "* ]] || fail "$name: build line: $build"
  [ "$open" = "$expected_open" ] || fail "$name: opens «$open», expected «$expected_open»"
  echo "PASS: $name"
}

check "no file: the example" "$root/build/app/qelun $root/examples/youyuan-zaoluopao.gcp"
check "several files, in order" "$root/build/app/qelun a.gcp /tmp/b.gcp" a.gcp /tmp/b.gcp
check "a name with a space" "$root/build/app/qelun my\\ aria.gcp" "my aria.gcp"
