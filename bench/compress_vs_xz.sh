#!/usr/bin/env bash
# compress_vs_xz.sh BIN_DIR [MEGABYTES]: QzCompress and QzDecompress against
# xz (same LZMA settings, raw stream) and, when installed, 7-Zip's 7zz, on one
# mixed input, in the same run. Best of three runs each; reports throughput,
# size and peak memory, and the ratios that matter (times: peer / ours).
set -euo pipefail
bin=${1:-build/release/bin}
megabytes=${2:-100}
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

input=$work/mixed.bin
"$bin/QzMakeMixedInput" $((megabytes * 1000000)) "$input"
size=$(stat -c %s "$input")
xz_filter="--format=raw --lzma1=preset=5,dict=1MiB,lc=3,lp=0,pb=2,nice=32,mf=bt4"

# best_of "name" command...: fastest of $runs runs; sets $seconds and $kbytes
best_of() {
  seconds=""; kbytes=""
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    read -r s k < "$work/time"
    if [ -z "$seconds" ] || awk "BEGIN{exit !($s < $seconds)}"; then seconds=$s; kbytes=$k; fi
  done
}
mbps() { awk "BEGIN{printf \"%.2f\", $size / 1000000 / ($1 > 0 ? $1 : 0.001)}"; }
ratio() { awk "BEGIN{printf \"%.2f\", $1 / ($2 > 0 ? $2 : 0.001)}"; }

echo "input: $size bytes of mixed data (random, text, runs); best of $runs runs"
printf '%-28s %9s %10s %13s %12s\n' "program" "seconds" "MB/s" "output bytes" "peak RSS KB"
row() { printf '%-28s %9s %10s %13s %12s\n' "$1" "$2" "$(mbps "$2")" "$3" "$4"; }

best_of "$bin/QzCompress" "$input" "$work/qz.qz"
qz_c=$seconds; qz_c_kb=$kbytes; qz_size=$(( $(stat -c %s "$work/qz.qz") - 32 ))
row "QzCompress" "$qz_c" "$qz_size" "$qz_c_kb"

best_of sh -c "xz $xz_filter -c '$input' > '$work/xz.lzma'"
xz_c=$seconds; xz_c_kb=$kbytes; xz_size=$(stat -c %s "$work/xz.lzma")
row "xz (raw lzma1, 1 thread)" "$xz_c" "$xz_size" "$xz_c_kb"

if command -v 7zz >/dev/null; then
  best_of sh -c "rm -f '$work/p.7z'; 7zz a -t7z -m0=LZMA:d=1m:fb=32:lc=3:lp=0:pb=2:mf=bt4 -mmt=2 '$work/p.7z' '$input'"
  sz_c=$seconds; sz_c_kb=$kbytes; sz_size=$(stat -c %s "$work/p.7z")
  row "7zz LZMA -mmt=2" "$sz_c" "$sz_size" "$sz_c_kb"
fi

best_of "$bin/QzDecompress" "$work/qz.qz" "$work/qz.out"
qz_d=$seconds; qz_d_kb=$kbytes
cmp "$input" "$work/qz.out"
row "QzDecompress" "$qz_d" "$size" "$qz_d_kb"

best_of sh -c "xz $xz_filter -dc '$work/xz.lzma' > '$work/xz.out'"
xz_d=$seconds; xz_d_kb=$kbytes
cmp "$input" "$work/xz.out"
row "xz -d (raw lzma1)" "$xz_d" "$size" "$xz_d_kb"

echo
echo "compression speed, xz time / QzCompress time:      $(ratio "$xz_c" "$qz_c")  (target >= 1.0; >= 1.4 with the match-finder thread)"
[ -n "${sz_c:-}" ] && echo "compression speed, 7zz time / QzCompress time:     $(ratio "$sz_c" "$qz_c")"
echo "decompression speed, xz -d time / QzDecompress time: $(ratio "$xz_d" "$qz_d")  (target >= 1.0)"
echo "compressed size, QzCompress / xz:                  $(awk "BEGIN{printf \"%.5f\", $qz_size / $xz_size}")  (target within 0.001 of 1)"
budget_kb=$(( (size + qz_size) / 1024 + 16 * 1024 ))
echo "QzCompress peak memory: $qz_c_kb KB; input + output + 16 MiB = $budget_kb KB ($( [ "$qz_c_kb" -le "$budget_kb" ] && echo within || echo OVER))"
