#!/usr/bin/env bash
# A year of laptop life on the fake clock over 200 seeds (other than the test suite's 20): the worst
# time without a backup while the machine could have made one, over the frequency's interval.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
start=$(date +%s.%N)
"$bin/protection_bench" "${KELDORAN_BENCH_SEEDS:-200}" 1001 > "$root/build/protection-bench.out"
echo "time: $(calc %.1f "$(date +%s.%N) - $start") s" >&2
cat "$root/build/protection-bench.out"
