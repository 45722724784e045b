#!/usr/bin/env bash
# run-fuzzers.sh BIN_DIR SECONDS: runs every libFuzzer target in BIN_DIR for
# SECONDS seconds each, on a working corpus under build/fuzz-corpus/<target>
# seeded from fuzz/corpus/<target>, and prints each run's last status line.
set -euo pipefail
bin=$1 seconds=$2
top=$(cd "$(dirname "$0")/.." && pwd)
status=0
for fuzzer in "$bin"/*Fuzz; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=$top/build/fuzz-corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "$top/fuzz/corpus/$name" ] && seeds=("$top/fuzz/corpus/$name")
  echo "== $name for $seconds s"
  log=$top/build/fuzz-corpus/$name.log
  if "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$top/build/fuzz-corpus/$name-" \
       "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    grep -E '^#[0-9]+' "$log" | tail -n 1
    grep -E 'Done [0-9]+ runs' "$log" || true
  else
    status=1
    tail -n 40 "$log"
  fi
done
exit $status
