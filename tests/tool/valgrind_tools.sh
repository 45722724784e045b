#!/usr/bin/env bash
# valgrind_tools.sh BIN_DIR WORK_DIR: runs QzCompress and QzDecompress under
# valgrind's memcheck on a round trip and on the error paths a damaged
# container takes; any memory error fails the test.
set -euo pipefail
bin=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work"

check() { # expected-exit-code tool arguments...
  local expected=$1 tool=$2 code=0; shift 2
  valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite -q "$bin/$tool" "$@" >out.log 2>&1 || code=$?
  [ "$code" -eq "$expected" ] || { echo "exit $code, expected $expected: $tool $*" >&2; cat out.log >&2; exit 1; }
}

{ seq 1 30000; head -c 70000 /dev/zero; seq 5 7 200000; } >in.bin
: >empty.bin
for name in in empty; do
  check 0 QzCompress $name.bin $name.qz
  check 0 QzDecompress $name.qz $name.out
  cmp $name.bin $name.out
done

# exit codes as the shell sees them: -8 is 248, -6 is 250, -2 is 254
head -c 3000 in.qz >cut.qz
check 248 QzDecompress cut.qz cut.out
head -c 20 in.qz >short.qz
check 250 QzDecompress short.qz short.out
check 254 QzCompress missing.bin missing.qz
echo "valgrind: both tools clean"
