#!/usr/bin/env bash
# The .scr under Wine on Xvfb, driven by xdotool as a user would drive it, and the zip users
# download, unpacked and run as Windows runs it:
#   scr_desktop_test.sh SCR DATA_FOLDER WINEPREFIX ZIP
SCR=$(realpath "$1")
DATA=$(realpath "$2")
export WINEPREFIX=$(realpath "$3") WINEDEBUG=-all
ZIP=$(realpath "$4")
source "$(dirname "$0")/../desktop/common.sh"
title="Dravelin Didazi Screen Saver"

# The program as the helpers start it: Wine's exit status is the program's.
PROGRAM="$work/scr"
printf '#!/bin/sh\nexec wine "%s" "$@"\n' "$SCR" >"$PROGRAM"
chmod +x "$PROGRAM"
stop_wine() { wineserver -k 2>/dev/null || true; }
trap 'stop_wine; cleanup' EXIT
# The prefix's Wine server keeps the display of the program that started it.
stop_wine
wineserver -w

# The Windows side sees the Unix folders through Wine's drive Z:.
export DRAVELIN_SETTINGS_DIR


start_x 1024 768
# Windows always has its shell managing windows; without a window manager Wine gives no X window
# the keyboard, so a window manager stands in for it.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
servers+=("$!")
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

echo "/p 1234 (the preview of Windows' settings) ends at once and shows no window"
settings
start_saver /p 1234
expect_exit 0
xdotool search --onlyvisible --name "." >/dev/null 2>&1 && fail "a window was shown"

echo "/s: the field at (112, 84) in a black surround, to the first frame"
started=$(date +%s%N)
start_saver /s
wait_window "$title"
wait_focus "$title"
for _ in $(seq 200); do
    [[ "$(pixel 500 300)" != "0,0,0" ]] && break
    sleep 0.05
done
first_frame=$((($(date +%s%N) - started) / 1000000))
echo "first frame after ${first_frame} ms"
sleep 2
expect_black 5 5
expect_black 111 300
expect_not_black 112 300
expect_not_black 911 300
expect_black 912 300
expect_black 500 83
expect_not_black 500 84
expect_not_black 500 683
expect_black 500 684
import -window root "$work/screen.png"
[[ -n "${SCREENSHOT_DIR:-}" ]] && cp "$work/screen.png" "$SCREENSHOT_DIR/scr-saver.png"

echo "S, H and G keep it running; in the race movement is ignored and Escape ends it"
xdotool key s
xdotool key h
sleep 0.5
expect_running
[[ "$(pixel 200 200)" == "255,255,255" ]] || fail "the help text is not shown"
[[ -n "${SCREENSHOT_DIR:-}" ]] && import -window root "$SCREENSHOT_DIR/scr-help.png"
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
timeout 20 "$PROGRAM" /s || fail "the second start failed"
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
[[ -n "${SCREENSHOT_DIR:-}" ]] && import -window root "$SCREENSHOT_DIR/scr-password.png"
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

echo "/c shows Settings, and OK writes Sound, FollowStar and Picture"
settings
start_saver /c
wait_window "Settings"
wait_focus "Settings"
[[ -n "${SCREENSHOT_DIR:-}" ]] && import -window root "$SCREENSHOT_DIR/scr-settings.png"
xdotool key alt+s
sleep 0.3
xdotool key Return
expect_exit 0
ini=$(find "$DRAVELIN_SETTINGS_DIR" -maxdepth 1 -iname control.ini)
grep -q '^Sound=1' "$ini" || fail "Sound was not written: $(cat "$ini")"
grep -q '^FollowStar=0' "$ini" || fail "FollowStar was not written: $(cat "$ini")"
grep -q '^Picture=0' "$ini" || fail "Picture was not written: $(cat "$ini")"

echo "/a shows Change Password"
start_saver /a
wait_window "Change Password"
wait_focus "Change Password"
[[ -n "${SCREENSHOT_DIR:-}" ]] && import -window root "$SCREENSHOT_DIR/scr-change-password.png"
xdotool key Escape
wait_window "Message"
xdotool key Return
expect_exit 0
echo "the zip holds the .scr, its data and a read-me; unpacked, it finds its data beside itself"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$ZIP")
contents=$(cd "$work/unpacked" && find . -type f | sort | tr '\n' ' ')
expected="./dravelin-didazi/CLRBTMP.BMP ./dravelin-didazi/README.txt ./dravelin-didazi/dravelin-didazi.scr ./dravelin-didazi/klapper.wav ./dravelin-didazi/knerp.wav ./dravelin-didazi/lucht2.bmp ./dravelin-didazi/ratel.wav ./dravelin-didazi/water.bmp ./dravelin-didazi/waterlp.wav ./dravelin-didazi/zee.bmp "
[[ "$contents" == "$expected" ]] || fail "the zip holds: $contents"
# Windows starts a screen saver in a folder of its own choosing, with no "Home" set.
printf '[ScreenSaver.Zeilen]\nPicture=3\n' >"$DRAVELIN_SETTINGS_DIR/control.ini"
(cd "$work" && exec wine "$work/unpacked/dravelin-didazi/dravelin-didazi.scr" /s) >"$work/saver.log" 2>&1 &
saver_pid=$!
wait_window "$title"
sleep 2
expect_not_black 500 300
xdotool search --onlyvisible --name "^$title\$" >/dev/null || fail "no saver window"
xdotool key Escape
expect_exit 0

echo "two monitors: the field on the first, the second covered in black, movement there ends it"
stop_wine
wineserver -w
# Xvfb cannot place heads side by side; Xephyr nested in it can.
outer=$DISPLAY
for display in $(seq 141 180); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    Xephyr ":$display" -screen 1024x768 -screen 1024x768 +xinerama -wr -ac -noreset -nolisten tcp \
        >"$work/xephyr.log" 2>&1 &
    servers+=("$!")
    export DISPLAY=":$display"
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdpyinfo >/dev/null 2>&1 && break
    DISPLAY=$outer
done
[[ "$DISPLAY" != "$outer" ]] || fail "no nested X server"
# Wine reads Xephyr's heads from Xinerama only when told not to ask RandR.
x11_driver='HKCU\Software\Wine\X11 Driver'
wine reg add "$x11_driver" /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
trap 'wine reg delete "$x11_driver" /v UseXRandR /f >/dev/null 2>&1; stop_wine; cleanup' EXIT
stop_wine # the setting is read when Wine's display driver starts
wineserver -w
# The white root window stands for the desktop the saver must hide.
expect_not_black 1536 384
settings
start_saver /s
wait_window "$title"
sleep 2
expect_not_black 512 384
for point in "1030 5" "1536 384" "2040 760"; do
    expect_black $point
done
[[ -n "${SCREENSHOT_DIR:-}" ]] && import -window root "$SCREENSHOT_DIR/scr-two-monitors.png"
xdotool mousemove 1500 300
sleep 0.3
xdotool mousemove 1501 300
expect_exit 0
echo "PASS"
