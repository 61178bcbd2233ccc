#!/usr/bin/env bash
# The restore property test over 300 generated cases (seeds 1000 to 1299, never the suite's 0 to 29): each a
# real restic restore through the restore browser, checked byte for byte against a bare restore, in
# batches of 50 sharing one repository. Prints the cases run and how many broke the promise.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
seeds="${KELDORAN_BENCH_SEEDS:-300}"
batch=50
first=1000
log="$root/build/bench-data/restore_property.log"
mkdir -p "$(dirname "$log")"
: > "$log"
scenarios=0
violations=0
for (( base = first; base < first + seeds; base += batch )); do
  count=$(( seeds - (base - first) < batch ? seeds - (base - first) : batch ))
  echo "seeds $base to $(( base + count - 1 ))" >&2
  output=$(KELDORAN_RESTORE_SEED_BASE=$base KELDORAN_RESTORE_SEED_COUNT=$count \
    "$root/tests/support/with-keyring" "$bin/keyring_tests" \
    --gtest_filter='Seeds/RestoreProperty.keepsItsPromise/0' 2>&1) || true
  printf '%s\n' "$output" >> "$log"
  run=$(printf '%s\n' "$output" | sed -n 's/^restore scenarios: //p')
  broke=$(printf '%s\n' "$output" | sed -n 's/^restore property violations: //p')
  if [ -z "$run" ]; then
    echo "the batch did not finish; see $log" >&2
    broke=$count
    run=$count
  fi
  scenarios=$(( scenarios + run ))
  violations=$(( violations + broke ))
  printf '%s\n' "$output" | grep -E '^seed [0-9]+:' >&2 || true
done
echo "restore scenarios: $scenarios"
echo "restore property violations: $violations"
