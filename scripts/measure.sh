#!/usr/bin/env bash
# Measures the built saver as a user runs it, under Xvfb (1024 x 768 unless SIZE says): the
# time from start to the first frame on screen, then over SECONDS (default 60) of demonstration
# the CPU share of the process and its resident memory. With "embedded" it runs as a display
# mode inside an 800 x 600 window of another program.
#   scripts/measure.sh [SECONDS [WIDTHxHEIGHT [embedded]]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
size=${2:-1024x768}
mode=${3:-}
PROGRAM="$root/build/shell/dravelin-didazi"
DATA="$root/build/data"
[[ -x "$PROGRAM" ]] || "$root/scripts/build.sh" "$root/build" >/dev/null
source "$root/tests/desktop/common.sh"
start_x "${size%x*}" "${size#*x}"
settings
# A point of the sky at the top of the field, which is never black once the first frame is up.
sky_x=$(( ${size%x*} / 2 )) sky_y=$(( ${size#*x} / 2 - 200 ))
if [[ "$mode" == embedded ]]; then
    "$root/build/tests/parent_window" 800 600 >"$work/parent.id" &
    servers+=("$!")
    sleep 0.3
    sky_x=400 sky_y=100
fi

begin=$(date +%s%N)
if [[ "$mode" == embedded ]]; then start_saver --window-id "$(cat "$work/parent.id")"; else start_saver /s; fi
# (In the display mode the parent's own magenta shows until then.)
until [[ ! "$(pixel $sky_x $sky_y 2>/dev/null)" =~ ^(0,0,0|255,0,255|)$ ]]; do
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
