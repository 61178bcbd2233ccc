#!/usr/bin/env bash
# The snapshot index on the browse benchmark's 200,000-file snapshot (S3 test server), side by side with
# bare restic: building the index against `restic ls` of the whole snapshot, the first level after a
# restart against `restic ls` of the home folder, any level, whole-snapshot search, the index's size per
# entry and the memory of the indexing process. Then 30 snapshots of the same tree in a local repository,
# 1% of the files changed between each (2,000 files: every file of 20 folders), for the size of their
# index against one snapshot's and a file's history across them.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
run_in_private_session "$0" "$@"
data="$root/build/bench-data/browse"
series="$root/build/bench-data/index"
runs="${KELDORAN_BENCH_RUNS:-5}"
home="$(realpath -m "$data/home")"
state=$(mktemp -d)
trap '"$root/tests/support/s3-test-server" stop "$data/s3"; rm -rf "$state"' EXIT

start_s3_server "$data/s3" browse
export RESTIC_REPOSITORY="s3:https://$KELDORAN_S3_ENDPOINT/browse"
ensure_browse_snapshot "$data" "$home"

store_secrets
mkdir -p "$state/run" && chmod 700 "$state/run"
write_configured_settings "$state/config" browse
export HOME="$home" XDG_CONFIG_HOME="$state/config" XDG_STATE_HOME="$state/state" XDG_CACHE_HOME="$state/cache" \
  XDG_RUNTIME_DIR="$state/run"
export RESTIC_CACHE_DIR="$XDG_CACHE_HOME/restic"
index="$XDG_CACHE_HOME/keldoran/index"
snapshot=$("$bin/restic" snapshots --json --latest 1 | sed 's/.*"id":"\([0-9a-f]*\)".*/\1/')
files=$(find "$home" -type f | wc -l)
"$bin/restic" ls --json "$snapshot" "$home" > /dev/null # warms restic's cache

seconds_of() { local start; start=$(date +%s.%N); "$@" > /dev/null; calc %.2f "($(date +%s.%N) - $start) * 1000"; }

build=(); bare_all=(); peak=()
build_index() {
  rm -rf "$index"
  read -r ms mib < <("$bin/index_bench" build "$index" "$snapshot" "$files")
  build+=("$ms"); peak+=("$mib")
}
for run in $(seq 1 "$runs"); do
  if (( run % 2 )); then build_index; bare_all+=("$(seconds_of "$bin/restic" ls --json "$snapshot")")
  else bare_all+=("$(seconds_of "$bin/restic" ls --json "$snapshot")"); build_index; fi
  echo "run $run: index build ${build[-1]} ms (peak ${peak[-1]} MiB), bare restic ls ${bare_all[-1]} ms" >&2
done

first=(); bare_home=()
for run in $(seq 1 "$runs"); do
  first+=("$("$bin/index_bench" first-level)")
  bare_home+=("$(seconds_of "$bin/restic" ls --json "$snapshot" "$home")")
  echo "run $run: indexed first level ${first[-1]} ms, bare restic ls of the home folder ${bare_home[-1]} ms" >&2
done
level_p99=$("$bin/index_bench" levels)
search_p95=$("$bin/index_bench" search)
read -r one_bytes one_entries < <("$bin/index_bench" size "$index")

# 30 snapshots in a local repository (made once and kept).
export RESTIC_REPOSITORY="$series/repository" RESTIC_CACHE_DIR="$series/cache"
series_home="$(realpath -m "$series/home")"
if [ "$(cat "$series/ready" 2>/dev/null)" != "$series_home" ]; then
  echo "backing up 30 snapshots of 200,000 files (once; kept in $series)" >&2
  rm -rf "$series"; mkdir -p "$series/home"
  "$bin/browse_bench" make-tree "$series_home"
  "$bin/restic" init --json > /dev/null
  "$bin/restic" backup --json --quiet "$series_home" > /dev/null
  for step in $(seq 1 29); do
    for k in $(seq 0 19); do
      folder=$(( (step * 20 + k) % 60 ))
      for leaf in $(seq 0 99); do
        echo "step $step" >> "$series_home/Folder $(printf %02d $(( folder / 20 )))/Part $(( folder % 20 ))/file-$leaf.txt"
      done
    done
    "$bin/restic" backup --json --quiet "$series_home" > /dev/null
  done
  echo "$series_home" > "$series/ready"
fi
series_index="$state/series-index"
for id in $("$bin/restic" snapshots --json | grep -o '"id":"[0-9a-f]*"' | cut -d'"' -f4); do
  "$bin/index_bench" build "$series_index" "$id" > /dev/null
done
read -r series_bytes series_entries < <("$bin/index_bench" size "$series_index")
one_series_index="$state/one-series-index"
"$bin/index_bench" build "$one_series_index" "$(sed -n 1p < <("$bin/restic" snapshots --json --latest 1 | grep -o '"id":"[0-9a-f]*"' | cut -d'"' -f4))" > /dev/null
read -r series_one_bytes _ < <("$bin/index_bench" size "$one_series_index")
history_ms=$("$bin/index_bench" history "$series_index" \
  "$series_home/Folder 00/Part 0/file-0.txt" "$series_home/Folder 01/Part 7/file-42.txt" \
  "$series_home/Folder 02/Part 19/file-99.txt" "$series_home/note 3.txt")

build_median=$(printf '%s\n' "${build[@]}" | median)
bare_all_median=$(printf '%s\n' "${bare_all[@]}" | median)
first_median=$(printf '%s\n' "${first[@]}" | median)
bare_home_median=$(printf '%s\n' "${bare_home[@]}" | median)
echo "snapshot: $files files, $one_entries entries in the index"
echo "index build time: $build_median ms"
echo "bare restic ls of the whole snapshot: $bare_all_median ms"
echo "indexed first level time: $first_median ms"
echo "bare restic ls of the home folder: $bare_home_median ms"
echo "index size, one snapshot: $one_bytes bytes"
echo "index size, 30 snapshots: $series_bytes bytes ($series_entries entries; one of them alone: $series_one_bytes bytes)"
echo "bytes per entry: $(calc %.1f "$one_bytes / $one_entries")"
echo "index build vs restic ls ratio: $(calc %.3f "$build_median / $bare_all_median")"
echo "indexed first level vs restic ls ratio: $(calc %.4f "$first_median / $bare_home_median")"
echo "indexed level p99: $level_p99 ms"
echo "whole snapshot search p95: $search_p95 ms"
echo "file history: $history_ms ms"
echo "30 snapshots vs one index size ratio: $(calc %.3f "$series_bytes / $series_one_bytes")"
echo "indexing peak memory: $(printf '%s\n' "${peak[@]}" | sort -g | tail -n 1) MiB"
