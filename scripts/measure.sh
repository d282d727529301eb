#!/usr/bin/env bash
# Measures the built saver as a user runs it, under Xvfb at 1024 x 768: the time from start to
# the first frame on screen, then over SECONDS (default 60) of demonstration the CPU share of
# the process and its resident memory.  scripts/measure.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
PROGRAM="$root/build/shell/dravelin-didazi"
DATA="$root/build/data"
[[ -x "$PROGRAM" ]] || "$root/scripts/build.sh" "$root/build" >/dev/null
source "$root/tests/desktop/common.sh"
start_x 1024 768
settings

begin=$(date +%s%N)
start_saver /s
# The sky at the top of the field is never black once the first frame is up.
until [[ "$(pixel 512 100 2>/dev/null)" != "0,0,0" && -n "$(pixel 512 100)" ]]; do
    kill -0 "$saver_pid" || fail "the saver ended"
    sleep 0.005
done
first=$(( ($(date +%s%N) - begin) / 1000000 ))

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$saver_pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
rss=$(awk '/VmRSS/ { print $2 }' "/proc/$saver_pid/status")
hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$saver_pid/status")
share=$(awk -v c=$((after - before)) -v t="$ticks" -v s="$seconds" \
    'BEGIN { printf "%.2f", 100 * c / t / s }')
echo "first frame after $first ms (includes starting the process and taking screenshots)"
echo "CPU over $seconds s of demonstration: $share % of one core"
echo "resident memory: $((rss / 1024)) MB now, $((hwm / 1024)) MB at most"
