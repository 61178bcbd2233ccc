#!/usr/bin/env bash
# restic's JSON decoding: throughput on recorded lines, then a >100,000-entry `ls --json` listing timed
# side by side: restic printing it versus Keldoran decoding it, and the memory a line stream holds.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
data="$root/build/bench-data/decode"
export RESTIC_PASSWORD=bench-password RESTIC_REPOSITORY="$data/repository" RESTIC_CACHE_DIR="$data/cache"

if [ ! -f "$data/snapshot" ]; then
  echo "building a repository of 100,000 files (once; kept in $data)" >&2
  rm -rf "$data"; mkdir -p "$data"
  "$bin/decode_bench" make-tree "$data/tree" 100000
  "$bin/restic" init --json > /dev/null
  "$bin/restic" backup --json "$data/tree" | tail -n 1 | sed 's/.*"snapshot_id":"\([0-9a-f]*\)".*/\1/' > "$data/snapshot.tmp"
  mv "$data/snapshot.tmp" "$data/snapshot"
fi
snapshot=$(cat "$data/snapshot")

restic_times=(); decode_times=(); list_times=()
for run in 1 2 3 4 5; do
  start=$(date +%s.%N)
  "$bin/restic" ls "$snapshot" --json > "$data/listing.json"
  restic_times+=("$(calc %.4f "$(date +%s.%N) - $start")")
  read -r seconds entries < <("$bin/decode_bench" decode-file "$data/listing.json")
  decode_times+=("$seconds")
  read -r seconds listed < <("$bin/decode_bench" list "$RESTIC_REPOSITORY" "$snapshot")
  list_times+=("$seconds")
done
restic_median=$(printf '%s\n' "${restic_times[@]}" | median)
decode_median=$(printf '%s\n' "${decode_times[@]}" | median)
list_median=$(printf '%s\n' "${list_times[@]}" | median)
read -r lines bytes peak_kib < <("$bin/decode_bench" stream-memory "$RESTIC_REPOSITORY" "$snapshot")

"$bin/decode_bench" throughput "$root/tests/fixtures"
echo "listing entries: $entries entries"
echo "listing size: $(calc %.1f "$(stat -c %s "$data/listing.json") / 1e6") MB"
echo "restic ls --json time: $restic_median s"
echo "keldoran decode time: $decode_median s"
echo "keldoran ls (run, stream and decode) time: $list_median s"
echo "stream read: $(calc %.1f "$bytes / 1e6") MB in $lines lines"
echo "stream peak memory growth (nothing kept): $(calc %.1f "$peak_kib / 1024") MiB"
echo "decode vs restic ratio: $(calc %.4f "$decode_median / $restic_median")"
echo "keldoran ls vs restic ratio: $(calc %.4f "$list_median / $restic_median")"
