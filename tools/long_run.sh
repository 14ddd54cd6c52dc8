#!/usr/bin/env bash
# The long run of make soak: draws SOAK_POINTS points (default 10^9) of each
# of three catalogue entries (SOAK_ENTRIES, default "1 16 9") on the release
# headless runner, and prints its resident memory shortly after the drawing
# starts and just before it ends. Fails when the memory grew, or when the
# run did not stay in the drawing to the end.
set -euo pipefail
cd "$(dirname "$0")/.."
points=${SOAK_POINTS:-1000000000}
entries=${SOAK_ENTRIES:-"1 16 9"}
binary=${SOAK_BINARY:-build/release/ifsdraw-headless}
allowed_growth_kb=512
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ -x "$binary" ] || { echo "$binary is missing: run make release first" >&2; exit 1; }

field() { awk -v name="$1:" '$1 == name { print $2 }' "/proc/$2/status" 2>/dev/null || true; }

status=0
printf '%-6s %14s %10s %10s %12s %12s %12s\n' entry points seconds "Mpoints/s" "rss start kB" "rss end kB" "peak kB"
for entry in $entries; do
  # The selection grid has three names a row: walk to the entry, take it,
  # start from (0, 0).
  keys=1
  for ((i = 0; i < (entry - 1) / 3; i++)); do keys+="<Down>"; done
  for ((i = 0; i < (entry - 1) % 3; i++)); do keys+="<Right>"; done
  keys+="<Return>0,0<Return>"

  start_ns=$(date +%s%N)
  "$binary" --keys "$keys" --points "$points" --text "$work/text" &
  pid=$!
  sleep 0.2
  first=$(field VmRSS "$pid")
  last=$first
  peak=$(field VmHWM "$pid")
  while kill -0 "$pid" 2>/dev/null; do
    rss=$(field VmRSS "$pid"); hwm=$(field VmHWM "$pid")
    if [ -n "$rss" ] && [ -n "$hwm" ]; then last=$rss; peak=$hwm; fi
    sleep 0.2
  done
  wait "$pid"
  tenths=$((($(date +%s%N) - start_ns) / 100000000))
  printf '%-6s %14s %8d.%d %10d %12s %12s %12s\n' "$entry" "$points" $((tenths / 10)) $((tenths % 10)) \
    $((points / (tenths > 0 ? tenths : 1) * 10 / 1000000)) "${first:-?}" "${last:-?}" "${peak:-?}"

  if ! grep -q '２倍拡大' "$work/text"; then
    echo "entry $entry: the run left the drawing before its points were drawn" >&2
    status=1
  fi
  if [ -n "$first" ] && [ -n "$last" ] && [ $((last - first)) -gt $allowed_growth_kb ]; then
    echo "entry $entry: resident memory grew by $((last - first)) kB" >&2
    status=1
  fi
done
exit $status
