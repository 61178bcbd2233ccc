#!/usr/bin/env bash
# Fuzzes the readers of outside bytes (restic's JSON, the line splitter, restic's standard error, control
# requests) for SECONDS (default 600), from the recorded restic output and request lines.
#   bench/fuzz.sh [SECONDS]
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
seconds=${1:-600}
target="$bin/keldoran_fuzz"
[ -x "$target" ] || { echo "fuzz: $target was not built (it needs clang; run scripts/setup)" >&2; exit 1; }
work="$root/build/bench-data/fuzz"
mkdir -p "$work/corpus" "$work/artifacts"
find "$work/artifacts" -name 'crash-*' -delete
status=0
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" "$root/tests/fixtures/restic-0.18" "$root/fuzz/seeds" \
  > "$work/log" 2>&1 || status=$?
executions=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/log" | tail -n 1 | grep -o '[0-9]*$' || echo 0)
crashes=$(find "$work/artifacts" -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' | wc -l)
[ "$status" -eq 0 ] || tail -n 40 "$work/log" >&2
echo "fuzz seconds: $seconds s"
echo "fuzz executions: $executions"
echo "fuzz crashes: $crashes"
