#!/usr/bin/env bash
# The saver on large screens, on two monitors, and stopped by the system:
#   screens_test.sh PROGRAM DATA_FOLDER PARENT_WINDOW_HELPER
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
PARENT_WINDOW=$(realpath "$3")
source "$(dirname "$0")/common.sh"
title="Dravelin Didazi Screen Saver"

echo "3840 x 2160: the field is shown 3.6 times its size, 2880 x 2160 at (480, 0)"
start_x 3840 2160
settings
start_saver /s
wait_not_black 1920 1080
expect_field 480 0 3360 2160
echo "a one-pixel movement still ends the demonstration"
# A slow build may still be drawing when the pointer first moves, and Qt then delivers the
# movements queued meanwhile as one, the saver's reference: the pointer goes on moving by one
# pixel, back and forth, until the saver has seen a movement after its reference.
xdotool mousemove 1500 1000
for step in $(seq 20); do
    sleep 0.3
    kill -0 "$saver_pid" 2>/dev/null || break
    xdotool mousemove $((1500 + step % 2)) 1000
done
expect_exit 0
kill "$xvfb_pid"
xvfb_pid=""

echo "SIGTERM ends it without asking for the password and leaves no endpoint behind"
start_x 1024 768
settings "PWD=Sesame
"
start_saver /s
wait_window "$title"
sleep 1
kill -TERM "$saver_pid"
expect_exit 0
[[ -z "$(ls -A "$XDG_RUNTIME_DIR/dravelin-didazi" 2>/dev/null)" ]] ||
    fail "left behind: $(ls -A "$XDG_RUNTIME_DIR/dravelin-didazi")"
settings

echo "two monitors side by side: the field on the first, black on the second"
start_two_heads
# A window on the second head stands for the desktop the saver must hide.
"$PARENT_WINDOW" 600 500 1200 100 >/dev/null &
servers+=("$!")
sleep 0.5
[[ "$(pixel 1300 200)" == "255,0,255" ]] || fail "the desktop window is not shown"
start_saver /s
wait_not_black 512 384
import -window root -depth 8 txt:- | grep -q '(255,0,255)' && fail "the desktop shows through"
expect_black 1536 384
echo "movement on the second head ends the demonstration"
xdotool mousemove 1500 300
sleep 0.3
xdotool mousemove 1502 300
expect_exit 0
echo "PASS"
