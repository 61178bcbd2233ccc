#!/usr/bin/env bash
# The tray application on a real X server (Xvfb) with a tray host on a private session bus, configured
# against the S3 test server: time from process start to the tray item shown; time from a click on it
# to the popover painted; resident memory idle (no window) and with the popover open; and the longest
# the main thread goes without turning its event loop while a backup streams progress.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
run_in_private_session "$0" "$@"
data="$root/build/bench-data/tray"
idle_seconds="${KELDORAN_BENCH_IDLE:-60}"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$root/tests/support/s3-test-server" stop "$work/s3"
  rm -rf "$work"
}
trap cleanup EXIT

if [ ! -f "$data/ready" ]; then
  echo "generating 5,000 files of about 250 MB (once; kept in $data)" >&2
  rm -rf "$data"; mkdir -p "$data/home"
  "$bin/backup_bench" make-tree "$data/home/Files" 5000 250000000
  touch "$data/ready"
fi
home="$data/home"

# A display and a tray.
display=":$(( 100 + RANDOM % 400 ))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp > /dev/null 2>&1 & pids+=($!)
for _ in $(seq 1 100); do xdpyinfo -display "$display" > /dev/null 2>&1 && break; sleep 0.05; done
export DISPLAY="$display" QT_QPA_PLATFORM=xcb
mkfifo "$work/host.in"
"$bin/fake_tray_host" < "$work/host.in" > "$work/host.out" & pids+=($!)
exec 3> "$work/host.in"
until grep -q ready "$work/host.out"; do sleep 0.05; done

# Storage with one backup already in it, as an everyday machine would have.
# The storage is remote in real use: here its server yields the processor, as a remote one would not compete.
start_s3_server nice "$work/s3" tray
RESTIC_REPOSITORY="s3:https://$KELDORAN_S3_ENDPOINT/tray" "$bin/restic" init --json > /dev/null
RESTIC_REPOSITORY="s3:https://$KELDORAN_S3_ENDPOINT/tray" RESTIC_CACHE_DIR="$work/cache" \
  "$bin/restic" backup --json --quiet "$home/Files/folder-000" > /dev/null
store_secrets
unset RESTIC_PASSWORD
state="$work/state"; mkdir -p "$state/run" && chmod 700 "$state/run"
write_configured_settings "$state/config" tray hasCompletedOnboarding=true
export HOME="$home" XDG_CONFIG_HOME="$state/config" XDG_STATE_HOME="$state/state" XDG_CACHE_HOME="$state/cache" \
  XDG_RUNTIME_DIR="$state/run"

registrations() { grep -c '^registered' "$work/host.out" || true; }
# Waits until FILE has at least N lines starting with WORD; prints the N-th one's number.
nth() { # FILE WORD N
  for _ in $(seq 1 400); do
    local line; line=$(grep "^$2 " "$1" | sed -n "$3p")
    [ -n "$line" ] && { echo "${line##* }"; return; }
    sleep 0.025
  done
  echo "timed out waiting for $2 #$3 in $1" >&2; exit 1
}
stop() { kill -TERM "$1"; wait "$1" 2>/dev/null || true; }
rss_mib() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
# Resident memory split: anonymous (this process's own) and file-backed (library pages, shared).
rss_split() { awk '/^RssAnon/ { a = $2 } /^RssFile/ { f = $2 } END { printf "%.1f MiB own, %.1f MiB shared library pages", a / 1024, f / 1024 }' "/proc/$1/status"; }

# Start to tray item: the tray host stamps the registration.
startup=()
for run in 1 2 3 4 5 6 7; do
  before=$(registrations)
  start=$(date +%s%3N)
  "$bin/keldoran" 2> /dev/null & pid=$!
  shown=$(nth "$work/host.out" registered $(( before + 1 )))
  startup+=("$(( shown - start ))")
  sleep 1
  stop "$pid"
done

# Memory: idle with no window, then with the popover open, then closed again.
"$bin/keldoran" 2> /dev/null & pid=$!
nth "$work/host.out" registered $(( $(registrations) )) > /dev/null
echo "idling $idle_seconds s" >&2
sleep "$idle_seconds"
rss_idle=$(rss_mib "$pid")
split_idle=$(rss_split "$pid")
clicks=$(grep -c '^clicked' "$work/host.out" || true)
echo "click 1200 10" >&3
sleep 1
rss_open=$(rss_mib "$pid")
split_open=$(rss_split "$pid")
echo "click 1200 10" >&3
sleep 1
rss_closed=$(rss_mib "$pid")
stop "$pid"

# The same idle in German, its translation loaded.
LANGUAGE=de LANG=de_DE.UTF-8 "$bin/keldoran" 2> /dev/null & pid=$!
nth "$work/host.out" registered $(( $(registrations) )) > /dev/null
sleep "$idle_seconds"
rss_idle_german=$(rss_mib "$pid")
stop "$pid"

# The baseline: the smallest Qt tray application, idle as long, on the same display and tray.
"$bin/bare_tray" 2> /dev/null & pid=$!
nth "$work/host.out" registered $(( $(registrations) )) > /dev/null
sleep "$idle_seconds"
rss_bare=$(rss_mib "$pid")
split_bare=$(rss_split "$pid")
stop "$pid"

# Click to popover painted, each time a popover built anew.
"$bin/tray_bench" paint > "$work/paint.out" 2> /dev/null & pid=$!
nth "$work/host.out" registered $(( $(registrations) )) > /dev/null
sleep 1
paint=()
clicks=$(grep -c '^clicked' "$work/host.out" || true)
for open in $(seq 1 10); do
  echo "click 1200 10" >&3
  clicked=$(nth "$work/host.out" clicked $(( clicks + 2 * open - 1 )))
  painted=$(nth "$work/paint.out" painted "$open")
  paint+=("$(( painted - clicked ))")
  sleep 0.3
  echo "click 1200 10" >&3 # closes it
  nth "$work/host.out" clicked $(( clicks + 2 * open )) > /dev/null
  sleep 0.3
done
stop "$pid"

# The longest stall while a backup streams progress, the popover open.
stall_line=$(RESTIC_PROGRESS_FPS=30 "$bin/tray_bench" stall 2> "$work/stall.err" | grep "^stall")
grep "^gap" "$work/stall.err" >&2 || true
read -r _ stall _ busy _ updates _ seconds <<< "$stall_line"

echo "start to tray item (7 runs): $(printf '%s ' "${startup[@]}")ms" >&2
echo "click to popover painted (10 opens): $(printf '%s ' "${paint[@]}")ms" >&2
echo "resident memory with the popover closed again: $rss_closed MiB"
echo "resident memory idle split: $split_idle"
echo "resident memory of the smallest Qt tray application, idle: $rss_bare MiB ($split_bare)"
echo "resident memory with the popover split: $split_open"
echo "backup streamed: $updates progress updates in $seconds s"
echo "start to tray item shown: $(printf '%s\n' "${startup[@]}" | median) ms"
echo "click to popover painted: $(printf '%s\n' "${paint[@]}" | median) ms"
echo "resident memory idle, no window: $rss_idle MiB"
echo "resident memory idle in German, no window: $rss_idle_german MiB"
echo "resident memory, popover open: $rss_open MiB"
echo "longest main-thread stall during a backup (wall, cores shared with restic): $stall ms"
echo "longest main-thread stall during a backup (its own work): $busy ms"
echo "idle memory vs the smallest Qt tray application ratio: $(calc %.2f "$rss_idle / $rss_bare")"
