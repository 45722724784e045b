#!/usr/bin/env bash
# The encoder's second thread, measured: the same driver built with the SDK's
# single-thread encoder and with ours, the QzCompress tool, and the peers xz
# (one thread) and 7-Zip (two threads) with the same LZMA settings, on one
# mixed file. Prints time, peak memory and size of each, and the time ratios.
# usage: bench/lzma_threads.sh [release-bin-dir] [input-file]
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${1:-build/release/bin}
INPUT=${2:-}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
SDK=/usr/include/lzma
FLAGS="-O2 -g -DNDEBUG"

if [ -z "$INPUT" ]; then
  # ~64 MB: source text, machine code and incompressible bytes, interleaved
  # (head closes the pipes early, which is not a failure here)
  INPUT=$WORK/mixed.bin
  set +o pipefail
  { tar cf - -C /usr include 2>/dev/null | head -c 24000000
    cat /usr/lib/x86_64-linux-gnu/*.so* 2>/dev/null | head -c 24000000
    head -c 8000000 /dev/urandom
    tar cf - -C /usr share/doc 2>/dev/null | head -c 8000000; } > "$INPUT"
  set -o pipefail
fi
SIZE=$(stat -c %s "$INPUT")

# the driver, single-thread (the SDK as Debian ships it) and with our thread
gcc $FLAGS -D_7ZIP_ST -c $SDK/LzFind.c -o $WORK/st_LzFind.o
gcc $FLAGS -D_7ZIP_ST -c $SDK/LzmaEnc.c -o $WORK/st_LzmaEnc.o
g++ $FLAGS -std=c++17 -Icore -I$SDK bench/QzLzmaThreadsDriver.cpp core/compression/LzmaCompress.cpp \
    $WORK/st_LzFind.o $WORK/st_LzmaEnc.o -o $WORK/driver_st
gcc $FLAGS -Icore/compression -I$SDK -c $SDK/LzmaEnc.c -o $WORK/mt_LzmaEnc.o
g++ $FLAGS -std=c++17 -Icore -I$SDK bench/QzLzmaThreadsDriver.cpp core/compression/LzmaCompress.cpp \
    core/compression/LzFindMt.cpp $WORK/st_LzFind.o $WORK/mt_LzmaEnc.o -pthread -o $WORK/driver_mt

# run <name> <output> <command...>: wall and CPU seconds, peak resident KiB.
# CPU above wall means the threads ran side by side; on a loaded machine they
# cannot, and the wall times say more about the load than about the programs.
run() {
  local name=$1 out=$2; shift 2
  rm -f "$out"
  /usr/bin/time -f "%e %U %S %M" -o $WORK/$name.time "$@" >/dev/null
  read -r secs user sys kib < $WORK/$name.time
  printf '%-12s %7.2f s %7.2f s cpu %8.1f MB/s %7d MiB peak %11d bytes\n' "$name" "$secs" \
    "$(echo "$user + $sys" | bc -l)" "$(echo "$SIZE / 1048576 / $secs" | bc -l)" $((kib / 1024)) \
    "$(stat -c %s "$out")"
  eval "T_$name=$secs"
}

echo "input: $INPUT, $SIZE bytes; load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors"
run single    $WORK/st.lzma    $WORK/driver_st "$INPUT" $WORK/st.lzma
run threaded  $WORK/mt.lzma    $WORK/driver_mt "$INPUT" $WORK/mt.lzma
run QzCompress $WORK/out.qz    "$BIN/QzCompress" "$INPUT" $WORK/out.qz
run xz        $WORK/out.xz     sh -c "xz -c --format=raw --lzma1=preset=5,dict=1MiB,lc=3,lp=0,pb=2,nice=32,mf=bt4 '$INPUT' > $WORK/out.xz"
if command -v 7zz >/dev/null; then
  run 7zz     $WORK/out.7z     7zz a -bso0 -bsp0 -t7z -m0=LZMA:d=1m:fb=32:lc=3:lp=0:pb=2:mf=bt4 -mmt=2 $WORK/out.7z "$INPUT"
fi

cmp -s $WORK/st.lzma $WORK/mt.lzma && echo "threaded driver output identical to single-thread: yes" \
  || echo "threaded driver output identical to single-thread: NO"
tail -c +33 $WORK/out.qz | cmp -s - $WORK/st.lzma && echo "QzCompress stream identical to single-thread: yes" \
  || echo "QzCompress stream identical to single-thread: NO"
ratio() { printf '%-40s %.2fx\n' "$1" "$(echo "$2 / $3" | bc -l)"; }
ratio "speed-up, threaded / single-thread:" "$T_single" "$T_threaded"
ratio "QzCompress vs xz (xz time / ours):" "$T_xz" "$T_QzCompress"
[ -n "${T_7zz:-}" ] && ratio "QzCompress vs 7zz -mmt=2 (7zz / ours):" "$T_7zz" "$T_QzCompress"
true
