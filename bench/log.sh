#!/usr/bin/env bash
# The cost a caller pays per log call: 100,000 calls while the file is being rotated. The system log is
# standard error here unless a journal runs; it goes to a file so the terminal does not set the pace.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/build/bin/log_bench" 2> "$(mktemp)"
