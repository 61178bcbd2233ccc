#!/usr/bin/env bash
# Peak memory while restic, or a local client, floods Keldoran: 200 MB of restic standard error, a 200 MB
# restic document (refused past 16 MiB), a 200 MB control line without end (dropped past 64 KiB), and 100
# control connections at once (8 held).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
read -r stderr_peak stderr_base _ < <("$bin/bounded_output_bench" stderr "$work")
read -r document_peak document_base _ < <("$bin/bounded_output_bench" document "$work")
read -r control_peak control_base held < <("$bin/bounded_output_bench" control "$work")
echo "process baseline: $(calc %.1f "$stderr_base / 1024") MiB"
echo "peak memory with 200 MB of restic standard error: $(calc %.1f "$stderr_peak / 1024") MiB"
echo "peak memory with a 200 MB restic document: $(calc %.1f "$document_peak / 1024") MiB"
echo "peak memory with a 200 MB control line: $(calc %.1f "$control_peak / 1024") MiB"
echo "control connections held of 100 opened: $held"
