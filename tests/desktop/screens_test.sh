#!/usr/bin/env bash
# The saver on large screens, on two monitors, and stopped by the system:
#   screens_test.sh PROGRAM DATA_FOLDER PARENT_WINDOW_HELPER
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
PARENT_WINDOW=$(realpath "$3")
source "$(dirname "$0")/common.sh"
title="Dravelin Didazi Screen Saver"

echo "3840 x 2160: the field is shown three times its size at (720, 180), pixels repeated"
start_x 3840 2160
settings
start_saver /s
wait_not_black 2000 180
for p in "719 1000" "3120 1000" "2000 179" "2000 1980"; do expect_black $p; done
for p in "720 1000" "3119 1000" "2000 180" "2000 1979"; do expect_not_black $p; done
import -window root -crop 2400x1800+720+180 +repage "$work/field.png"
# Each 3 x 3 block of one colour: sampling every third pixel and enlarging again gives it back.
convert "$work/field.png" -sample 800x600 -sample 2400x1800 "$work/blocks.png"
differing=$(compare -metric AE "$work/field.png" "$work/blocks.png" null: 2>&1 || true)
[[ "$differing" == "0" ]] || fail "$differing field pixels are not whole 3 x 3 blocks"
echo "a one-pixel movement still ends the demonstration"
xdotool mousemove 1500 1000
sleep 0.3
xdotool mousemove 1501 1000
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
