#!/usr/bin/env bash
# Measures the built saver as a user runs it, under Xvfb (1024 x 768 unless WIDTHxHEIGHT says),
# against XScreenSaver's `deco` on the same server. In each of RUNS runs (3 unless RUNS says):
# the time from start to the first frame on screen, watched one pixel at a time so that watching
# costs nothing; then, once the course has been shown, over SECONDS (default 60) of sailing, the
# CPU share, the resident memory, the threads and the wake-ups (the times any of its threads went
# to sleep and was woken: its voluntary context switches; a thread taken off a busy processor is
# no wake-up); then deco's CPU share over as long. Prints every run and the medians. With
# "embedded" the saver runs as a display mode inside an 800 x 600 window of another program.
# With "watcher" it measures the idle watcher (`--idle 1440`) over SECONDS of waiting instead;
# with "sway", the watcher and swayidle side by side under sway's headless back end, each
# waiting for a day's idle time.
# BUILD names another build folder, for comparing two versions on the same machine.
#   scripts/measure.sh [SECONDS [WIDTHxHEIGHT [embedded|watcher|sway]]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
size=${2:-1024x768}
mode=${3:-}
runs=${RUNS:-3}
build=$(realpath -m "${BUILD:-$root/build}")
PROGRAM="$build/bin/dravelin-didazi"
DATA="$build/data"
first_frame="$root/build/tests/first_frame"
deco=/usr/libexec/xscreensaver/deco
[[ -x "$PROGRAM" ]] || "$root/scripts/build.sh" "$build" >/dev/null
[[ -x "$first_frame" ]] || "$root/scripts/build.sh" "$root/build" >/dev/null
[[ -x "$deco" ]] || "$root/scripts/setup.sh"
source "$root/tests/desktop/common.sh"
settings
# A point of the sky at the top of the field, which is never black once the first frame is up.
sky_x=$((${size%x*} / 2)) sky_y=$((${size#*x} / 2 - 200))
[[ "$mode" == embedded ]] && sky_x=400 sky_y=100

# cpu PID: microseconds on a processor, all threads together, from the scheduler's own account:
# the clock-tick figures of /proc/PID/stat miss a process that runs for short moments between
# the ticks.
cpu() { cat "/proc/$1"/task/*/schedstat | awk '{ n += $1 } END { printf "%d", n / 1000 }'; }
switches() { cat "/proc/$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
# watch PID [SERVER_PID]: over SECONDS, "CPU% CPU_WITH_X% WAKEUPS_PER_S RESIDENT_MB THREADS" of
# the process; the second share adds the X server's (or SERVER_PID's), which does the drawing it
# asks for.
watch() {
    local pid=$1 server=${2:-$xvfb_pid} cpu0 cpu1 x0 x1 switches0 switches1
    cpu0=$(cpu "$pid") x0=$(cpu "$server") switches0=$(switches "$pid")
    sleep "$seconds"
    cpu1=$(cpu "$pid") x1=$(cpu "$server") switches1=$(switches "$pid")
    awk -v c=$((cpu1 - cpu0)) -v x=$((x1 - x0)) -v w=$((switches1 - switches0)) -v s="$seconds" \
        -v rss="$(awk '/VmRSS/ { print $2 }' "/proc/$pid/status")" \
        -v threads="$(ls "/proc/$pid/task" | wc -l)" \
        'BEGIN { printf "%.2f %.2f %.1f %.1f %d\n", c / s / 1e4, (c + x) / s / 1e4, w / s, rss / 1024, threads }'
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

if [[ "$mode" == watcher ]]; then
    start_x "${size%x*}" "${size#*x}"
    start_saver --idle 1440
    sleep 1
    read -r cpu _ wake mem thread <<<"$(watch "$saver_pid")"
    echo "the idle watcher over $seconds s of waiting: CPU $cpu % of one core," \
        "wake-ups $wake a second, resident memory $(awk '/VmRSS/ { print $2 }' "/proc/$saver_pid/status") kB," \
        "$thread thread(s), Qt loaded: $(grep -c libQt6 "/proc/$saver_pid/maps" || true) mappings"
    exit 0
fi

if [[ "$mode" == sway ]]; then
    # sway refuses root: as root, both run as a user of the measurement's own.
    own_installation ddmeasure
    printf 'xwayland disable\noutput HEADLESS-1 resolution %s\n' "$size" >"$home/sway.conf"
    as_user env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$home/sway.conf" >"$work/sway.log" 2>&1 &
    sway_pid=$!
    servers+=("$sway_pid")
    until_true 20 'compgen -G "$runtime/wayland-*[0-9]" >/dev/null' || fail "sway did not start"
    display=$(basename "$(compgen -G "$runtime/wayland-*[0-9]" | head -1)")
    as_user env WAYLAND_DISPLAY="$display" "$prefix/bin/dravelin-didazi" --idle 1440 >"$work/watcher.log" 2>&1 &
    servers+=("$!")
    as_user env WAYLAND_DISPLAY="$display" swayidle -w timeout 86400 true >"$work/swayidle.log" 2>&1 &
    servers+=("$!")
    sleep 1
    watching=()
    for name in dravelin-didazi-idle swayidle; do
        pid=$(pgrep -u "$user" -f "^([^ ]*/)?$name ") ||
            fail "$name does not run: $(cat "$work/watcher.log" "$work/swayidle.log")"
        watch "$pid" "$sway_pid" >"$work/$name.figures" &
        watching+=("$!")
    done
    wait "${watching[@]}"
    for name in dravelin-didazi-idle swayidle; do
        read -r cpu _ wake mem thread <"$work/$name.figures"
        echo "$name under sway over $seconds s of waiting: CPU $cpu % of one core," \
            "wake-ups $wake a second, resident memory $mem MB, $thread thread(s)"
    done
    exit 0
fi

firsts=() cpus=() withx=() wakes=() mems=() threads=() decos=() decosx=()
for run in $(seq "$runs"); do
    # A fresh server each run: deco leaves its drawing on the screen.
    start_x "${size%x*}" "${size#*x}"
    if [[ "$mode" == embedded ]]; then
        PARENT_WINDOW="$root/build/tests/parent_window" start_parent 800 600
    fi
    begin=$(date +%s%N)
    if [[ "$mode" == embedded ]]; then
        start_saver --window-id "$parent"
    else
        start_saver /s
    fi
    shown=$("$first_frame" "$sky_x" "$sky_y") || fail "no first frame: $(cat "$work/saver.log")"
    firsts+=($(((shown - begin) / 1000000)))
    sleep 10 # the course is shown, and the boat sails
    read -r cpu x wake mem thread <<<"$(watch "$saver_pid")"
    cpus+=("$cpu") withx+=("$x") wakes+=("$wake") mems+=("$mem") threads+=("$thread")
    kill "$saver_pid"
    wait "$saver_pid" 2>/dev/null || true
    saver_pid=""
    "$deco" -root >/dev/null 2>&1 &
    deco_pid=$!
    servers+=("$deco_pid")
    sleep 2
    read -r cpu x _ <<<"$(watch "$deco_pid")"
    decos+=("$cpu") decosx+=("$x")
    kill "$deco_pid"
    wait "$deco_pid" 2>/dev/null || true
    [[ "$mode" == embedded ]] && { kill "$parent_pid"; wait "$parent_pid" 2>/dev/null || true; }
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
    echo "run $run: first frame ${firsts[-1]} ms, CPU ${cpus[-1]} % (${withx[-1]} % with X)," \
        "wake-ups ${wakes[-1]}/s, memory ${mems[-1]} MB, ${threads[-1]} threads;" \
        "deco CPU ${decos[-1]} % (${decosx[-1]} % with X)"
done
echo "median of $runs runs at $size${mode:+ ($mode)}, $seconds s each:"
echo "  first frame after $(median "${firsts[@]}") ms"
echo "  CPU $(median "${cpus[@]}") % of one core, $(median "${withx[@]}") % with the X server's" \
    "(deco: $(median "${decos[@]}") %, $(median "${decosx[@]}") % with the X server's)"
echo "  wake-ups $(median "${wakes[@]}") a second, $(median "${threads[@]}") threads"
echo "  resident memory $(median "${mems[@]}") MB"
