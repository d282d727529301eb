# Shared by the desktop and sound tests: a private work folder and settings folder, servers
# stopped by their process ids at the end, and helpers to drive and look at the program as a
# user would. Source it; the saver helpers expect PROGRAM and DATA.
set -euo pipefail

work=$(mktemp -d)
export DRAVELIN_SETTINGS_DIR="$work/settings"
export XDG_RUNTIME_DIR="$work/runtime"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$DRAVELIN_SETTINGS_DIR" "$XDG_CONFIG_HOME"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS
xvfb_pid=""
saver_pid=""
servers=() # process ids to stop at the end

cleanup() {
    for pid in "$saver_pid" "$xvfb_pid" "${servers[@]}"; do
        [[ -n "$pid" ]] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# own_user PREFIX: sets user and home for programs that refuse to run as root or need a home of
# their own. As root, an unprivileged user named PREFIX and the process id, with $work/home,
# removed at the end even when the test is stopped by a signal; otherwise the current user.
own_user() {
    chmod 755 "$work"
    user=$(id -un)
    home="$work/home"
    if [[ $(id -u) -eq 0 ]]; then
        user="$1$$"
        useradd --home-dir "$home" --create-home --shell /usr/sbin/nologin "$user"
        remove_user() {
            pkill -u "$user" 2>/dev/null || true
            sleep 0.3
            userdel "$user" 2>/dev/null || true
        }
    else
        mkdir -p "$home"
        remove_user() { :; }
    fi
    trap 'remove_user; cleanup' EXIT
    trap 'exit 1' TERM INT HUP
}

# own_installation USER_PREFIX TOOLS...: the program, its idle watcher, TOOLS and the data laid
# out in $prefix as the package installs them, readable by a user of the test's own (own_user
# USER_PREFIX) who has a private runtime folder, $runtime. as_user runs a program as that user
# with only the environment in user_env, to which a test adds its display.
own_installation() {
    prefix="$work/prefix"
    mkdir -p "$prefix/bin" "$prefix/share/dravelin-didazi"
    cp "$PROGRAM" "$(dirname "$PROGRAM")/dravelin-didazi-idle" "${@:2}" "$prefix/bin/"
    cp "$DATA"/* "$prefix/share/dravelin-didazi/"
    chmod -R a+rX "$prefix"
    own_user "$1"
    runtime="$home/runtime"
    mkdir -m 0700 "$runtime"
    chown -R "$user" "$home"
    user_env=(HOME="$home" XDG_RUNTIME_DIR="$runtime" PATH=/usr/bin:/bin)
}
as_user() {
    local run=(env -i "${user_env[@]}" "$@")
    if [[ $(id -u) -eq 0 ]]; then runuser -u "$user" -- "${run[@]}"; else "${run[@]}"; fi
}

# user_stand_in NAME PROGRAM: a stand-in for a desktop service, run by as_user, that takes its
# commands a line at a time and echoes each; its output in $work/NAME.log. tell NAME LINE gives
# it one and waits for the echo.
declare -A stand_in_input=()
user_stand_in() {
    local name=$1 input
    mkfifo "$work/$name.in"
    chown "$user" "$work/$name.in"
    as_user "$2" <"$work/$name.in" >"$work/$name.log" 2>&1 &
    servers+=("$!")
    exec {input}>"$work/$name.in"
    stand_in_input[$name]=$input
    until_true 10 'grep -q ready "$work/$name.log"' || fail "no $name: $(cat "$work/$name.log")"
}
tell() {
    local name=$1 line=$2 said
    said=$(($(grep -c -x -F "$line" "$work/$name.log" || true) + 1))
    echo "$line" >&"${stand_in_input[$name]}"
    until_true 10 '(($(grep -c -x -F "$line" "$work/$name.log") >= said))' || fail "$name did not take \"$line\""
}

# user_bus VARIABLE: a bus of the test's user, named by VARIABLE to every program as_user runs
# after; bus_pid is its daemon's.
user_bus() {
    local address
    { read -r address; read -r bus_pid; } < <(as_user dbus-daemon --session --fork --print-address=1 --print-pid=1)
    servers+=("$bus_pid")
    user_env+=("$1=$address")
}

# start_x WIDTH HEIGHT [XVFB_OPTIONS...]: an X server of that size on a free display. The server
# picks the display and names it once it listens, so two scripts starting servers at once never
# share one.
start_x() {
    screen_width=$1 screen_height=$2
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp -noreset "${@:3}" \
        3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if [[ -s "$work/display" ]]; then
            export DISPLAY=":$(head -1 "$work/display")"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    fail "no X server could be started: $(cat "$work/xvfb.log")"
}

settings() {
    printf '[ScreenSaver.Zeilen]\nHome=%s\n%s' "$DATA" "${1:-}" >"$DRAVELIN_SETTINGS_DIR/control.ini"
}

# start_parent W H [X Y]: another program's window for the saver to draw into, made by
# $PARENT_WINDOW; sets parent (its id) and parent_pid. The helper's output file is truncated
# only once the helper runs, so one left by an earlier window is removed first: read in
# between, it would name a window that is gone, or nothing.
start_parent() {
    rm -f "$work/parent.id"
    "$PARENT_WINDOW" "$@" >"$work/parent.id" &
    parent_pid=$!
    servers+=("$parent_pid")
    for _ in $(seq 50); do
        # A whole line: read fails on one still being written.
        read -r parent <"$work/parent.id" 2>/dev/null && [[ "$parent" == 0x* ]] && return 0
        sleep 0.1
    done
    fail "no parent window"
}

# start_saver ARGS...: the program in the background, from the data folder.
start_saver() {
    (cd "$DATA" && exec "$PROGRAM" "$@") >"$work/saver.log" 2>&1 &
    saver_pid=$!
}

# wait_window NAME: waits up to 10 s for a window whose title is exactly NAME.
wait_window() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "no window \"$1\""
}

# wait_focus NAME: waits up to 10 s until the window titled NAME has the keyboard.
wait_focus() {
    for _ in $(seq 100); do
        [[ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" == "$1" ]] && return 0
        sleep 0.1
    done
    fail "\"$1\" never gets the keyboard"
}

# wait_gone NAME: waits up to 10 s for the window to disappear.
wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window \"$1\" stays"
}

# expect_exit STATUS: waits up to 10 s for the saver to end with that status.
expect_exit() {
    for _ in $(seq 100); do
        if ! kill -0 "$saver_pid" 2>/dev/null; then
            local status=0
            wait "$saver_pid" || status=$?
            saver_pid=""
            [[ $status -eq $1 ]] || fail "exit status $status, expected $1"
            return 0
        fi
        sleep 0.1
    done
    fail "the program is still running"
}

expect_running() {
    kill -0 "$saver_pid" 2>/dev/null || fail "the program ended: $(cat "$work/saver.log")"
}

# pixel X Y: the screen's colour there, as "r,g,b".
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -1
}

# until_true SECONDS 'COMMAND': evaluates COMMAND every 0.1 s until it succeeds; false after
# SECONDS.
until_true() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do
        eval "$*" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

expect_black() {
    [[ "$(pixel "$1" "$2")" == "0,0,0" ]] || fail "($1, $2) is $(pixel "$1" "$2"), not black"
}

expect_not_black() {
    [[ "$(pixel "$1" "$2")" != "0,0,0" ]] || fail "($1, $2) is black"
}

# wait_not_black X Y: waits up to 10 s for the pixel to be drawn: on a busy machine the first
# frame may come seconds after the window.
wait_not_black() {
    for _ in $(seq 50); do
        [[ "$(pixel "$1" "$2")" != "0,0,0" ]] && return 0
        sleep 0.2
    done
    fail "($1, $2) is still black"
}

# shot NAME: the screen, kept as NAME.png in $SCREENSHOT_DIR when that is set, for people to
# look at.
shot() {
    [[ -z "${SCREENSHOT_DIR:-}" ]] || import -window root "$SCREENSHOT_DIR/$1.png"
}

# expect_field LEFT TOP RIGHT BOTTOM: the scene fills that rectangle of the screen (right and
# bottom exclusive), black around it where there is room; $screen_width x $screen_height. A slow
# build draws a large first frame in strips: its edges are waited for.
expect_field() {
    local left=$1 top=$2 right=$3 bottom=$4 x=$((($1 + $3) / 2)) y=$((($2 + $4) / 2))
    wait_not_black "$left" "$y"
    wait_not_black $((right - 1)) "$y"
    wait_not_black "$x" "$top"
    wait_not_black "$x" $((bottom - 1))
    if ((left > 0)); then expect_black $((left - 1)) "$y"; expect_black 0 "$y"; fi
    if ((right < screen_width)); then expect_black "$right" "$y"; fi
    if ((top > 0)); then expect_black "$x" $((top - 1)); fi
    if ((bottom < screen_height)); then expect_black "$x" "$bottom"; fi
}

# rgba_at PICTURE X Y: the picture's colour there as "r g b a", a 255 where it has no alpha.
rgba_at() {
    convert "$1" -alpha on -crop "1x1+$2+$3" -depth 8 txt:- |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p' | head -1
}

# scene_in PICTURE LEFT TOP SCALE: the picture, taken through a compositor, shows the scene's
# field at (LEFT, TOP) at that scale, opaque: the sky and the sea blue, the star warm. A
# transparent window comes out clear or, un-premultiplied, white.
scene_in() {
    local picture=$1 left=$2 top=$3 scale=$4 point r g b a
    local field
    field=$(awk "BEGIN { printf \"%dx%d+%d+%d\", 800 * $scale, 600 * $scale, $left, $top }")
    [[ $(convert "$picture" -alpha on -crop "$field" -format '%[fx:int(255*minima.a)]' info:) -eq 255 ]] ||
        fail "the field in $picture is not opaque"
    for point in "sky 30 230" "star 400 265" "sea 80 550"; do
        set -- $point
        read -r r g b a < <(rgba_at "$picture" "$(awk "BEGIN { print int($left + $2 * $scale) }")" \
            "$(awk "BEGIN { print int($top + $3 * $scale) }")")
        case $1 in
        star) ((r > b + 40)) ;;
        *) ((b > r + 40)) ;;
        esac || fail "the $1 in $picture is ($r, $g, $b), not the scene's"
    done
}

# black_in PICTURE GEOMETRY: that part of the picture (WxH+X+Y) is opaque black.
black_in() {
    [[ "$(convert "$1" -alpha on -crop "$2" -format '%[fx:int(255*maxima.r)] %[fx:int(255*maxima.g)] %[fx:int(255*maxima.b)] %[fx:int(255*minima.a)]' info:)" == "0 0 0 255" ]]
}

# The saver's keys, mouse and password gate with a saver titled $title running /s at
# 1920 x 1080: S, H and G, a one-pixel movement, a second start, and the password prompt.
saver_steps() {
    echo "S, H and G keep it running; in the race movement is ignored and Escape ends it"
    xdotool key s
    xdotool key h
    sleep 0.5
    expect_running
    # (359, 360) shows the surface's (200, 200) alone at 1.8, inside the help text's box.
    [[ "$(pixel 359 360)" == "255,255,255" ]] || fail "the help text is not shown"
    shot help
    xdotool key h
    xdotool key g
    sleep 0.5
    expect_running
    xdotool mousemove 300 300
    sleep 0.2
    xdotool mousemove 340 320
    sleep 0.5
    expect_running
    xdotool key Escape
    expect_exit 0

    echo "a one-pixel movement ends the demonstration"
    start_saver /s
    wait_window "$title"
    sleep 1.5
    xdotool mousemove 400 400
    sleep 0.3
    xdotool mousemove 401 400
    expect_exit 0

    echo "a second start while one runs ends at once"
    start_saver /s
    wait_window "$title"
    first=$saver_pid
    (cd "$DATA" && timeout 20 "$PROGRAM" /s) || fail "the second start failed"
    saver_pid=$first
    expect_running
    xdotool key x
    expect_exit 0

    echo "with a password: a wrong one returns to the saver, the right one ends it"
    settings "PWD=Sesame
    "
    start_saver /s
    wait_window "$title"
    sleep 1.5
    xdotool mousemove 200 200
    sleep 0.3
    xdotool mousemove 201 200
    wait_window "Password"
    wait_focus "Password"
    shot password
    xdotool type --delay 20 "sesame"
    xdotool key Return
    wait_gone "Password"
    sleep 0.5
    expect_running
    xdotool mousemove 250 250
    sleep 0.3
    xdotool mousemove 251 250
    wait_window "Password"
    wait_focus "Password"
    xdotool type --delay 20 "Sesame"
    xdotool key Return
    expect_exit 0
}

# start_two_heads: an X server of two 1024 x 768 heads side by side, with a white root window,
# nested in the current one (Xvfb cannot place heads side by side; Xephyr nested in it can).
start_two_heads() {
    rm -f "$work/nested-display"
    Xephyr -displayfd 3 -screen 1024x768 -screen 1024x768 +xinerama -wr -ac -noreset \
        -nolisten tcp 3>"$work/nested-display" >"$work/xephyr.log" 2>&1 &
    local pid=$!
    servers+=("$pid")
    for _ in $(seq 100); do
        if [[ -s "$work/nested-display" ]]; then
            export DISPLAY=":$(head -1 "$work/nested-display")"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    fail "no nested X server: $(cat "$work/xephyr.log")"
}

# start_openbox: a window manager on the current display; wm_pid is its process id.
start_openbox() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    servers+=("$wm_pid")
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "openbox did not start"
}
