# Sourced by the benchmarks: where things are, the private session they run in, and small helpers.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bin="$root/build/bin"

# Re-runs the calling benchmark inside a private D-Bus session with a throwaway keyring.
run_in_private_session() { # "$0" "$@"
  if [ "${KELDORAN_BENCH_SESSION:-}" != 1 ]; then
    KELDORAN_BENCH_SESSION=1 exec "$root/tests/support/with-keyring" "$@"
  fi
}

calc() { awk "BEGIN { printf \"$1\", $2 }"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Starts the S3 test server with its state in DIR and exports the client environment (restic's too).
start_s3_server() { # DIR BUCKET... ; a leading "nice" lets it yield the processor
  local prefix=()
  if [ "$1" = nice ]; then prefix=(nice -n 15); shift; fi
  local dir=$1; shift
  local port=$(( 20000 + RANDOM % 20000 ))
  eval "$("${prefix[@]}" "$root/tests/support/s3-test-server" start "$dir" "$port" "$@" | sed 's/^/export /')"
  # The server starts its own session, so the scheduler weighs its group against ours whatever its nice
  # value: lower the whole group's weight too.
  if [ ${#prefix[@]} -gt 0 ] && [ -w "/proc/$(cat "$dir/pid")/autogroup" ]; then
    echo 15 > "/proc/$(cat "$dir/pid")/autogroup" 2>/dev/null || true
  fi
  export AWS_ACCESS_KEY_ID=S3RVER AWS_SECRET_ACCESS_KEY=S3RVER AWS_DEFAULT_REGION=fr-par RESTIC_PASSWORD=bench-password
}

# Stores the S3 test server's keys and the benchmarks' repository password where Keldoran reads them.
store_secrets() {
  local account
  for account in s3.accessKey:S3RVER s3.secretKey:S3RVER repository.password:bench-password; do
    printf '%s' "${account#*:}" | secret-tool store --label=Keldoran server app.keldoran.Keldoran user "${account%%:*}" type plaintext
  done
}

# Writes Keldoran's settings for a configured Scaleway bucket into CONFIG (an XDG config folder).
write_configured_settings() { # CONFIG BUCKET [EXTRA LINE]
  mkdir -p "$1/keldoran"
  {
    echo '[General]'
    if [ -n "${3:-}" ]; then echo "$3"; fi
    printf 'storageConfig="@ByteArray({\\"provider\\":\\"scaleway\\",\\"region\\":\\"fr-par\\",\\"bucket\\":\\"%s\\"})"\n' "$2"
  } > "$1/keldoran/keldoran.conf"
}

# Backs up the browse benchmarks' 200,000-file tree from HOME into $RESTIC_REPOSITORY once; DATA keeps it.
# Snapshots keep the absolute path they were taken from, so the ready mark names it: data that moved is
# backed up again rather than browsed at a path it does not have.
ensure_browse_snapshot() { # DATA HOME
  if [ "$(cat "$1/ready" 2>/dev/null)" != "$2" ]; then
    echo "backing up 200,000 files (once; kept in $1)" >&2
    rm -rf "$2" "$1/s3/data/browse"; mkdir -p "$2"
    "$bin/browse_bench" make-tree "$2"
    "$bin/restic" init --json > /dev/null
    "$bin/restic" backup --json --quiet "$2" > /dev/null
    echo "$2" > "$1/ready"
  fi
}
