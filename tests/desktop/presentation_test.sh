#!/usr/bin/env bash
# The two ways the saver's window reaches an X server show the same pixels: memory shared with
# the server, and Qt's own path where the server offers none (a remote display):
#   presentation_test.sh PROGRAM DATA_FOLDER FIRST_FRAME_HELPER PARENT_WINDOW_HELPER
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
FIRST_FRAME=$(realpath "$3")
PARENT_WINDOW=$(realpath "$4")
source "$(dirname "$0")/common.sh"
title="Dravelin Didazi Screen Saver"

# segments PID: the sizes of the System V shared-memory segments the process has mapped.
segments() {
    local range rest
    { grep SYSV "/proc/$1/maps" || true; } | while read -r range rest; do
        echo $((0x${range#*-} - 0x${range%-*}))
    done | sort -n | paste -sd,
}

# run SIZE PATH [embedded]: the saver at SIZE ("WxH"), through PATH (shared or plain), full
# screen or as a display mode in an 800 x 600 window at the top left; keeps the screen as
# PATH-SIZE.rgb.
run() {
    local width=${1%x*} height=${1#*x} options=()
    [[ "$2" == plain ]] && options=(-extension MIT-SHM)
    start_x "$width" "$height" "${options[@]}"
    settings "Picture=2
"
    if [[ "${3:-}" == embedded ]]; then
        start_parent 800 600
        start_saver --window-id "$parent"
        "$FIRST_FRAME" 400 100 >/dev/null || fail "no first frame"
    else
        start_saver /s
        wait_window "$title"
        "$FIRST_FRAME" $((width / 2)) $((height / 2 - 200)) >/dev/null || fail "no first frame"
    fi
    local mapped
    mapped=$(segments "$saver_pid")
    if [[ "$2" == shared ]]; then
        # One segment of a megabyte, whatever the size of the screen.
        [[ "$mapped" == 1048576 ]] || fail "shared memory mapped at $1: ${mapped:-none}"
    else
        [[ -z "$mapped" ]] || fail "shared memory mapped without the extension: $mapped"
    fi
    sleep 1
    import -window root -depth 8 "rgb:$work/$2-$1.rgb"
    if [[ "${3:-}" == embedded ]]; then
        kill "$parent_pid"
        expect_exit 0
    else
        xdotool key Escape
        expect_exit 0
    fi
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}

# rows FILE WIDTH TOP COUNT: COUNT rows of the screen kept in FILE, from row TOP.
rows() {
    dd if="$1" bs=$(($2 * 3)) skip="$3" count="$4" status=none
}

# SIZE TOP SCALE: 1.8 times, the field filling the height; twice, black above and below.
for case in "1920x1080 0 1.8" "1600x1400 100 2"; do
    read -r size top scale <<<"$case"
    width=${size%x*}
    echo "$size: the field at scale $scale, through shared memory and through Qt, pixel for pixel"
    run "$size" shared
    run "$size" plain
    # Black above the field, and its first rows, where nothing moves: the background alone.
    for path in shared plain; do
        cmp -s <(rows "$work/$path-$size.rgb" "$width" 0 "$top") \
            <(head -c $((width * top * 3)) /dev/zero) || fail "$path: not black above the field"
        rows "$work/$path-$size.rgb" "$width" "$top" 16 >"$work/$path.field"
    done
    cmp -s "$work/shared.field" "$work/plain.field" ||
        fail "the two paths differ: $(cmp -l "$work/shared.field" "$work/plain.field" | wc -l) bytes"
    # The sky is blue over red: a swapped channel order would show here.
    read -r r g b < <(rows "$work/shared-$size.rgb" "$width" "$top" 1 |
        od -An -tu1 -j $((width / 2 * 3)) -N3)
    ((b > r)) || fail "the sky is $r,$g,$b"
done
echo "the display mode in an 800 x 600 window, through shared memory and through Qt"
run 1024x768 shared embedded
run 1024x768 plain embedded
cmp -s <(rows "$work/shared-1024x768.rgb" 1024 0 8) <(rows "$work/plain-1024x768.rgb" 1024 0 8) ||
    fail "the two paths differ in the display mode"
echo "PASS"
