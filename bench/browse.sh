#!/usr/bin/env bash
# The restore browser on a 200,000-file snapshot in a repository on the S3 test server: the time to show
# the first level (the home folder) against the bare `restic ls` of the same folder, alternating, and the
# time to reopen a level already visited, which must make no restic call.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
run_in_private_session "$0" "$@"
data="$root/build/bench-data/browse"
runs="${KELDORAN_BENCH_RUNS:-12}"
home="$(realpath -m "$data/home")"
state=$(mktemp -d)
trap '"$root/tests/support/s3-test-server" stop "$data/s3"; rm -rf "$state"' EXIT

start_s3_server "$data/s3" browse
export RESTIC_REPOSITORY="s3:https://$KELDORAN_S3_ENDPOINT/browse"
ensure_browse_snapshot "$data" "$home"
files=$(find "$home" -type f | wc -l)

store_secrets
mkdir -p "$state/run" && chmod 700 "$state/run"
write_configured_settings "$state/config" browse
export HOME="$home" XDG_CONFIG_HOME="$state/config" XDG_STATE_HOME="$state/state" XDG_CACHE_HOME="$state/cache" \
  XDG_RUNTIME_DIR="$state/run"
# Both use the cache Keldoran's restic uses.
export RESTIC_CACHE_DIR="$XDG_CACHE_HOME/restic"
snapshot=$("$bin/restic" snapshots --json --latest 1 | sed 's/.*"id":"\([0-9a-f]*\)".*/\1/')

keldoran=(); bare=(); revisit=(); revisit_max=(); revisit_listings=0
measure_keldoran() {
  read -r first revisit_median worst listings < <("$bin/browse_bench" browse "Folder 07")
  [ "$listings" = 0 ] || echo "a revisit called restic ($listings listings)" >&2
  revisit_listings=$(( revisit_listings + listings ))
  keldoran+=("$first"); revisit+=("$revisit_median"); revisit_max+=("$worst")
}
measure_bare() {
  start=$(date +%s.%N)
  "$bin/restic" ls --json "$snapshot" "$home" > /dev/null
  bare+=("$(calc %.2f "($(date +%s.%N) - $start) * 1000")")
}
# The order alternates: whichever runs second in a pair tends to be faster.
for run in $(seq 1 "$runs"); do
  if (( run % 2 )); then measure_keldoran; measure_bare; else measure_bare; measure_keldoran; fi
  echo "run $run: keldoran first level ${keldoran[-1]} ms, bare restic ls ${bare[-1]} ms, revisit ${revisit[-1]} ms" >&2
done

keldoran_median=$(printf '%s\n' "${keldoran[@]}" | median)
bare_median=$(printf '%s\n' "${bare[@]}" | median)
echo "snapshot: $files files"
echo "keldoran first level time: $keldoran_median ms"
echo "bare restic ls time: $bare_median ms"
echo "revisited level time: $(printf '%s\n' "${revisit[@]}" | median) ms"
echo "revisited level worst time: $(printf '%s\n' "${revisit_max[@]}" | sort -g | tail -n 1) ms"
echo "restic calls on revisits: $revisit_listings"
echo "first level vs bare restic ls ratio: $(calc %.3f "$keldoran_median / $bare_median")"
