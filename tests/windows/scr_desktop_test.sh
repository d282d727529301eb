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

start_x 1920 1080
# Windows always has its shell managing windows; without a window manager Wine gives no X window
# the keyboard, so a window manager stands in for it.
start_openbox

echo "/p 1234 (the preview of Windows' settings) ends at once and shows no window"
settings
start_saver /p 1234
while kill -0 "$saver_pid" 2>/dev/null; do
    xdotool search --onlyvisible --name "Dravelin|Settings|Password" >/dev/null 2>&1 &&
        fail "a window was shown"
    sleep 0.05
done
expect_exit 0

echo "/s: the field 1.8 times its size at (240, 0), black bars beside it, to the first frame"
started=$(date +%s%N)
start_saver /s
wait_window "$title"
wait_focus "$title"
for _ in $(seq 200); do
    [[ "$(pixel 960 540)" != "0,0,0" ]] && break
    sleep 0.05
done
first_frame=$((($(date +%s%N) - started) / 1000000))
echo "first frame after ${first_frame} ms"
sleep 2
expect_field 240 0 1680 1080
shot scr-saver

saver_steps

echo "/c shows Settings, and OK writes Sound, FollowStar and Picture"
settings
start_saver /c
wait_window "Settings"
wait_focus "Settings"
shot scr-settings
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
shot scr-change-password
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
start_two_heads
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
shot scr-two-monitors
xdotool mousemove 1500 300
sleep 0.3
xdotool mousemove 1501 300
expect_exit 0
echo "PASS"
