#!/usr/bin/env bash
# The idle watcher and the saver under KDE Plasma's compositor: kwin_wayland on its virtual back
# end, input through its fake-input protocol, the picture through its screenshot service,
# Plasma's power manager stood in for:
#   kwin_test.sh PROGRAM DATA_FOLDER FAKE_INPUT KWIN_SCREENSHOT POWERDEVIL_STAND_IN
# KWin refuses root, and its installed binary carries a file capability that containers
# refuse: the test runs a plain copy, as a user of its own.
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
FAKE_INPUT=$(realpath "$3")
SCREENSHOT=$(realpath "$4")
POWERDEVIL=$(realpath "$5")
source "$(dirname "$0")/common.sh"
command -v kwin_wayland >/dev/null || fail "kwin_wayland is not installed"

own_installation ddkwin "$FAKE_INPUT" "$SCREENSHOT" "$POWERDEVIL"
cp "$(command -v kwin_wayland)" "$prefix/bin/kwin_wayland" # its name must end in kwin_wayland
chmod a+rx "$prefix/bin/kwin_wayland"
user_env+=(WAYLAND_DISPLAY=wl-kwin QT_QPA_PLATFORM=wayland)
user_bus DBUS_SESSION_BUS_ADDRESS

echo "kwin_wayland, virtual, 1024 x 768"
# Its screenshot service comes with OpenGL compositing only (llvmpipe here).
as_user env KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 KWIN_COMPOSE=O2 \
    "$prefix/bin/kwin_wayland" --virtual --width 1024 --height 768 --socket wl-kwin \
    --no-lockscreen --no-global-shortcuts --no-kactivities >"$work/kwin.log" 2>&1 &
servers+=("$!")
until_true 30 '[[ -S "$runtime/wl-kwin" ]]' || fail "KWin did not start: $(tail -5 "$work/kwin.log")"
# key CODE: an evdev key pressed and released through KWin's fake input.
key() { as_user "$prefix/bin/fake_input" key "$1" || fail "fake input failed"; }
move() { as_user "$prefix/bin/fake_input" move "$1" "$2" || fail "fake input failed"; }
# The fake keyboard joins the seat with its first key, which is lost: a warm-up Shift.
key 42
sleep 1

# Before the watcher, which asks for Plasma's power manager once, at its start.
user_stand_in power_manager "$prefix/bin/powerdevil_stand_in"
ms() { echo $(($(date +%s%N) / 1000000)); }
# KWin counts idle time with Qt's coarse timers, which may fire up to 5 % early: 2 s is 1.9 s.
earliest=1900

saver_process() { pgrep -o -u "$user" -f "^$prefix/bin/dravelin-didazi /s" || true; }
watcher_process() { pgrep -u "$user" -f "^$prefix/bin/dravelin-didazi-idle" || true; }
wait_saver() {
    until_true 20 '[[ -n "$(saver_process)" ]]' || fail "no saver after the delay: $(cat "$work/watcher.log")"
    saver_pid=$(saver_process)
}
expect_ended() {
    until_true 10 '! kill -0 "$saver_pid"' || fail "the saver still runs after $1"
    saver_pid=""
}

echo "the watcher takes KWin's ext-idle-notify-v1; the saver starts after 2 s, not before"
begin=$(ms) # before the input, so that the delay counted from it is never too short
move 5 5
as_user "$prefix/bin/dravelin-didazi" --idle 2s >"$work/watcher.log" 2>&1 &
servers+=("$!")
until_true 10 '[[ -n "$(watcher_process)" ]]' || fail "no watcher: $(cat "$work/watcher.log")"
until_true 10 'grep -q "ext-idle-notify-v1" "$work/watcher.log"' ||
    fail "the watcher's source: $(cat "$work/watcher.log")"
wait_saver
started=$(($(ms) - begin))
((started >= earliest)) || fail "the saver started ${started} ms after the last input"
echo "KWin shows the scene, opaque, over the whole output"
sleep 1
as_user timeout 20 "$prefix/bin/kwin_screenshot" "$home/saver.png" || fail "no screenshot"
[[ -z "${SCREENSHOT_DIR:-}" ]] || cp "$home/saver.png" "$SCREENSHOT_DIR/kwin.png"
scene_in "$home/saver.png" 0 0 1.28
echo "a key ends it"
sleep 0.5
key 1 # Escape
expect_ended "Escape"
echo "it starts again after a new idle period, and a key ends it again"
wait_saver
sleep 1.5
key 34 # G starts a race; Escape ends it
key 1
expect_ended "G and Escape"
echo "an inhibitor Plasma's power manager holds keeps it off; released, it starts after the delay"
grep -q "PowerDevil" "$work/watcher.log" || fail "the watcher does not ask PowerDevil: $(cat "$work/watcher.log")"
tell power_manager inhibit
key 42
sleep 3.5
[[ -z "$(saver_process)" ]] || fail "a saver started although the power manager holds an inhibitor"
released=$(ms)
tell power_manager release
wait_saver
started=$(($(ms) - released))
((started >= earliest)) || fail "the saver started ${started} ms after the inhibitor's release"
sleep 1.5
key 1
expect_ended "Escape"
echo "the watcher's end leaves no saver"
wait_saver
kill -TERM "$(watcher_process)"
until_true 10 '[[ -z "$(watcher_process)" ]]' || fail "the watcher still runs after SIGTERM"
expect_ended "the watcher's end"
echo "PASS"
