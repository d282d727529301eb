#!/usr/bin/env bash
# The saver inside windows that another program owns, the way screen-saver daemons run display
# modes and their settings tools run previews:
#   embedded_test.sh PROGRAM DATA_FOLDER PARENT_WINDOW_HELPER
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
PARENT_WINDOW=$(realpath "$3")
source "$(dirname "$0")/common.sh"
magenta="255,0,255" # the parent's own background: it must never show

viewable_toplevels() {
    xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | while read -r id; do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done | sort
}

# wait_child ID: waits up to 3 s for a viewable child under the window; prints its size.
wait_child() {
    for _ in $(seq 30); do
        local child
        child=$(xwininfo -children -id "$1" | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | head -1)
        if [[ -n "$child" ]] && xwininfo -id "$child" | grep -q 'Map State: IsViewable'; then
            xwininfo -id "$child" | sed -n 's/.*-geometry \([0-9]*x[0-9]*\).*/\1/p'
            return 0
        fi
        sleep 0.1
    done
    fail "no viewable child under $1 within 3 s"
}

# parent_pixel ID X Y: the colour inside the window, as "r,g,b".
parent_pixel() {
    import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -1
}

expect_parent_black() { [[ "$(parent_pixel "$@")" == "0,0,0" ]] || fail "($2, $3) is not black"; }
expect_parent_scene() {
    local c
    c=$(parent_pixel "$@")
    [[ "$c" != "0,0,0" && "$c" != "$magenta" ]] || fail "($2, $3) shows no scene: $c"
}
# Sky and sea are blue: more blue than red.
expect_parent_blue() {
    local r g b
    IFS=, read -r r g b <<<"$(parent_pixel "$@")"
    [[ -n "$b" && "$b" -gt "$r" && "$b" -gt 60 ]] || fail "($2, $3) is $r,$g,$b, not sky or sea"
}
no_magenta() {
    import -window "$1" -depth 8 txt:- 2>/dev/null | grep -q "($magenta)" &&
        fail "the parent's own background shows through" || true
}

# expect_end_within SECONDS: the saver has ended with status 0 and left no files.
expect_end_within() {
    for _ in $(seq $(($1 * 10))); do
        kill -0 "$saver_pid" 2>/dev/null || break
        sleep 0.1
    done
    expect_exit 0
    local ours="$XDG_RUNTIME_DIR/dravelin-didazi"
    [[ -z "$(ls -A "$ours" 2>/dev/null)" ]] || fail "left in the runtime folder: $(ls -A "$ours")"
}

# Started from an empty folder, as a daemon starts it: the data comes from beside the program.
start_embedded() {
    (cd "$work/empty" && exec "$PROGRAM" "$@") >"$work/saver.log" 2>&1 &
    saver_pid=$!
}
mkdir "$work/empty"
printf '[ScreenSaver.Zeilen]\nPicture=3\nSound=1\n' >"$DRAVELIN_SETTINGS_DIR/control.ini"
start_x 1024 768

echo "--root with XSCREENSAVER_WINDOW: the scene fills an 800 x 600 parent, no window of its own"
start_parent 800 600
before=$(viewable_toplevels)
XSCREENSAVER_WINDOW=$parent start_embedded --root
[[ "$(wait_child "$parent")" == "800x600" ]] || fail "the child does not fill the parent"
sleep 2
expect_running
[[ "$(viewable_toplevels)" == "$before" ]] || fail "a top-level window was mapped"
expect_parent_blue "$parent" 400 5      # sky
expect_parent_blue "$parent" 20 590     # sea
expect_parent_scene "$parent" 400 300   # the star
no_magenta "$parent"

echo "the parent grows to 1000 x 700: the field follows, enlarged to 933 x 700 at (33, 0)"
xdotool windowsize "$parent" 1000 700
sleep 1
[[ "$(wait_child "$parent")" == "1000x700" ]] || fail "the child does not follow the parent"
expect_parent_black "$parent" 32 350
expect_parent_black "$parent" 966 350
expect_parent_blue "$parent" 500 3
expect_parent_blue "$parent" 50 690
no_magenta "$parent"

echo "SIGTERM ends it within a second"
kill -TERM "$saver_pid"
expect_end_within 1
kill "$parent_pid"

echo "--window-id into a 565 x 317 preview: the whole scene, shrunk"
start_parent 565 317
unset XSCREENSAVER_WINDOW
start_embedded --window-id "$parent"
[[ "$(wait_child "$parent")" == "565x317" ]] || fail "the child does not fill the preview"
sleep 2
# 800 x 600 shrunk to 422 x 317, centred: black bars of 71 and 72 pixels.
expect_parent_black "$parent" 35 150
expect_parent_black "$parent" 530 150
expect_parent_blue "$parent" 282 3
expect_parent_scene "$parent" 282 158
no_magenta "$parent"

echo "destroying the parent ends it"
kill "$parent_pid"
expect_end_within 2

echo "two at once, as a daemon starts one per monitor"
start_parent 800 600
first_parent=$parent
start_parent 800 600
second_parent=$parent
start_embedded --window-id "$first_parent"
first=$saver_pid
start_embedded --window-id "$second_parent"
wait_child "$first_parent" >/dev/null
wait_child "$second_parent" >/dev/null
sleep 1
expect_running
saver_pid=$first
expect_running
kill -TERM "$first"
expect_end_within 1
echo "PASS"
