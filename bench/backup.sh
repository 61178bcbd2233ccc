#!/usr/bin/env bash
# A backup of the same ~1 GB, 20,000-file tree into fresh repositories on the S3 test server: through
# Keldoran's background agent and through the bare `restic backup --json` command line, alternating.
# Keldoran's figure is its backup operation (from "backup started" to restic's summary), so maintenance
# is left out; its whole tick is reported too. Then the median of agent ticks that find nothing due.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
run_in_private_session "$0" "$@"
data="$root/build/bench-data/backup"
runs="${KELDORAN_BENCH_RUNS:-3}"
work=$(mktemp -d)
trap '"$root/tests/support/s3-test-server" stop "$work/s3"; rm -rf "$work"' EXIT

if [ ! -f "$data/ready" ]; then
  echo "generating 20,000 files of about 1 GB (once; kept in $data)" >&2
  rm -rf "$data"; mkdir -p "$data/home"
  "$bin/backup_bench" make-tree "$data/home/Files" 20000 1000000000
  touch "$data/ready"
fi
home="$data/home"

# The storage is remote in real use: its stand-in here yields the processor, as a remote one would not
# compete with restic for it.
start_s3_server nice "$work/s3" bench
store_secrets
mapfile -t excludes < <("$bin/backup_bench" excludes "$home")
exclude_args=(); for e in "${excludes[@]}"; do exclude_args+=(--exclude "$e"); done

seconds_of() { date -d "$1" +%s.%N; }
fresh_repository() { # bucket
  rm -rf "$work/s3/data/$1"
  RESTIC_REPOSITORY="s3:https://$KELDORAN_S3_ENDPOINT/$1" "$bin/restic" init --json > /dev/null
}

keldoran=(); keldoran_tick=(); bare=()
for run in $(seq 1 "$runs"); do
  # Keldoran: a fresh repository, so the backup is due; its own settings and log for the run.
  state="$work/keldoran-$run"; mkdir -p "$state/run" && chmod 700 "$state/run"
  fresh_repository "keldoran-$run"
  write_configured_settings "$state/config" "keldoran-$run"
  start=$(date +%s.%N)
  HOME="$home" XDG_CONFIG_HOME="$state/config" XDG_STATE_HOME="$state/state" XDG_CACHE_HOME="$state/cache" \
    XDG_RUNTIME_DIR="$state/run" KELDORAN_AGENT=1 "$bin/keldoran" 2>/dev/null
  keldoran_tick+=("$(calc %.3f "$(date +%s.%N) - $start")")
  log="$state/state/Logs/Keldoran/Keldoran.log"
  grep -q 'backup: summary:' "$log" || { cat "$log" >&2; echo "the agent did not back up" >&2; exit 1; }
  began=$(seconds_of "$(grep 'queue: backup started' "$log" | cut -d' ' -f1)")
  ended=$(seconds_of "$(grep 'backup: summary:' "$log" | cut -d' ' -f1)")
  keldoran+=("$(calc %.3f "$ended - $began")")

  # Bare restic: the same arguments and priority as Keldoran gives it, a fresh repository of its own.
  fresh_repository "bare-$run"
  start=$(date +%s.%N)
  RESTIC_REPOSITORY="s3:https://$KELDORAN_S3_ENDPOINT/bare-$run" RESTIC_CACHE_DIR="$work/bare-cache-$run" \
    nice -n 10 "$bin/restic" backup --json "${exclude_args[@]}" --exclude-caches "$home" > /dev/null
  bare+=("$(calc %.3f "$(date +%s.%N) - $start")")
  rm -rf "$work/s3/data/keldoran-$run" "$work/s3/data/bare-$run"
  echo "run $run: keldoran backup ${keldoran[-1]} s (whole tick ${keldoran_tick[-1]} s), bare restic ${bare[-1]} s" >&2
done

# Ticks that find nothing due: the last Keldoran state has just backed up.
ticks=()
for tick in $(seq 1 20); do
  start=$(date +%s.%N)
  HOME="$home" XDG_CONFIG_HOME="$state/config" XDG_STATE_HOME="$state/state" XDG_CACHE_HOME="$state/cache" \
    XDG_RUNTIME_DIR="$state/run" KELDORAN_AGENT=1 "$bin/keldoran" 2>/dev/null
  ticks+=("$(calc %.1f "($(date +%s.%N) - $start) * 1000")")
done
tail -n 1 "$state/state/Logs/Keldoran/Keldoran.log" | grep -q 'agent skipped: notDue' || { echo "the tick was due" >&2; exit 1; }

keldoran_median=$(printf '%s\n' "${keldoran[@]}" | median)
bare_median=$(printf '%s\n' "${bare[@]}" | median)
echo "runs: $runs alternating pairs, 20000 files, $(du -sb "$home" | awk '{ printf "%.2f", $1 / 1e9 }') GB"
echo "keldoran whole agent tick (bootstrap, backup, maintenance): $(printf '%s\n' "${keldoran_tick[@]}" | median) s"
echo "keldoran backup time: $keldoran_median s"
echo "bare restic backup time: $bare_median s"
echo "not-due agent tick: $(printf '%s\n' "${ticks[@]}" | median) ms"
echo "keldoran vs bare restic backup ratio: $(calc %.3f "$keldoran_median / $bare_median")"
