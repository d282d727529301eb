#!/usr/bin/env bash
# The built program under Xvfb, driven by xdotool as a user would drive it:
#   saver_desktop_test.sh PROGRAM DATA_FOLDER
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
source "$(dirname "$0")/common.sh"
title="Dravelin Didazi Screen Saver"

echo "1920 x 1080: the field fills the height, 1440 x 1080 at (240, 0), black bars of 240 px"
start_x 1920 1080
settings
start_saver /s
wait_window "$title"
wait_focus "$title"
wait_not_black 960 540
expect_field 240 0 1680 1080
expect_black 239 1079
expect_black 1680 0
shot saver

saver_steps

echo "/c shows Settings, and OK writes control.ini"
settings
start_saver /c
wait_window "Settings"
wait_focus "Settings"
xdotool key alt+s
sleep 0.3
xdotool key Return
expect_exit 0
ini=$(find "$DRAVELIN_SETTINGS_DIR" -maxdepth 1 -iname control.ini)
[[ $(echo "$ini" | wc -l) -eq 1 ]] || fail "not one settings file: $ini"
grep -q '^Sound=1' "$ini" || fail "Sound was not written: $(cat "$ini")"
grep -q '^Picture=0' "$ini" || fail "Picture was not written"

# expect_painted NAME: the window's area on the screen shows a dialog, not a flat rectangle:
# many colours (text is smoothed) and mostly not black.
expect_painted() {
    local id X Y WIDTH HEIGHT SCREEN WINDOW colours black
    id=$(xdotool search --onlyvisible --name "^$1\$" | tail -1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/painted.png"
    colours=$(convert "$work/painted.png" -format '%k' info:)
    black=$(convert "$work/painted.png" -fill white +opaque black -negate -format '%[fx:mean]' info:)
    [[ $colours -ge 8 ]] || fail "\"$1\" shows $colours colour(s): blank"
    awk -v b="$black" 'BEGIN { exit !(b < 0.5) }' || fail "\"$1\" is $black black"
}

# The dialogs of /c, nested ones and message boxes too, paint and take the keyboard.
dialog_steps() {
    settings
    start_saver /c
    wait_window "Settings"
    wait_focus "Settings"
    expect_painted "Settings"
    xdotool key alt+p
    wait_focus "Change Password"
    expect_painted "Change Password"
    xdotool type --delay 20 "ab"
    sleep 0.3
    expect_painted "Change Password"
    xdotool key Escape
    wait_focus "Message"
    expect_painted "Message"
    xdotool key Return
    wait_gone "Change Password"
    wait_focus "Settings"
    xdotool key alt+p
    wait_focus "Change Password"
    expect_painted "Change Password"
    xdotool key Tab
    xdotool type --delay 20 "Sesame"
    xdotool key Tab
    xdotool type --delay 20 "Sesame"
    xdotool key Return
    wait_focus "Message"
    expect_painted "Message"
    xdotool key Return
    wait_gone "Change Password"
    grep -q '^PWD=Sesame' "$DRAVELIN_SETTINGS_DIR/control.ini" || fail "the password was not written"
    wait_focus "Settings"
    xdotool key alt+h
    wait_focus "Dravelin Didazi Screen Saver Help"
    expect_painted "Dravelin Didazi Screen Saver Help"
    xdotool key Escape
    wait_focus "Settings"
    xdotool key Escape
    expect_exit 0
}

echo "without a window manager: Settings, Password and its messages, Help"
dialog_steps

echo "under a window manager (openbox): the same"
start_openbox
dialog_steps
kill "$wm_pid"
wait "$wm_pid" 2>/dev/null || true

kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""

echo "without a display, or with one that cannot be opened: one line, status 1, in every mode"
for mode in /s /c /a; do
    for display in "" ":$((RANDOM + 2000))"; do
        status=0
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$PROGRAM" "$mode" \
            >"$work/no-display.out" 2>"$work/no-display.err" || status=$?
        [[ $status -eq 1 ]] || fail "$mode with DISPLAY='$display' ended with $status"
        [[ $(wc -l <"$work/no-display.err") -eq 1 && ! -s "$work/no-display.out" ]] ||
            fail "$mode with DISPLAY='$display' said: $(cat "$work/no-display.err")"
        grep -q "needs an X or Wayland display" "$work/no-display.err" ||
            fail "$mode with DISPLAY='$display' said: $(cat "$work/no-display.err")"
    done
done

echo "640 x 480: the field fills the screen"
start_x 640 480
settings
start_saver /s
wait_not_black 0 0
expect_not_black 639 479
xdotool key Escape
expect_exit 0
echo "PASS"
