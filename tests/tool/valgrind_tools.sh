#!/usr/bin/env bash
# valgrind_tools.sh BIN_DIR WORK_DIR: runs QzCompress and QzDecompress under
# valgrind's memcheck on a round trip and on the error paths a damaged
# container takes; any memory error fails the test.
set -euo pipefail
bin=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"

check() { # expected-exit-code command...
  local expected=$1; shift
  local code=0
  valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite -q "$@" >out.log 2>err.log || code=$?
  if [ "$code" -ne "$expected" ]; then
    echo "exit $code, expected $expected: $*" >&2
    cat out.log err.log >&2
    exit 1
  fi
}

{ seq 1 30000; head -c 70000 /dev/zero; seq 5 7 200000; } >in.bin
: >empty.bin
check 0 "$bin/QzCompress" in.bin in.qz
check 0 "$bin/QzDecompress" in.qz out.bin
cmp in.bin out.bin
check 0 "$bin/QzCompress" empty.bin empty.qz
check 0 "$bin/QzDecompress" empty.qz empty.out
cmp empty.bin empty.out

# exit codes as the shell sees them: -8 is 248, -6 is 250, -2 is 254
head -c 3000 in.qz >cut.qz
check 248 "$bin/QzDecompress" cut.qz cut.out
head -c 20 in.qz >short.qz
check 250 "$bin/QzDecompress" short.qz short.out
check 254 "$bin/QzCompress" missing.bin missing.qz
echo "valgrind: both tools clean"
