#!/usr/bin/env bash
# The idle watcher and the saver under GNOME Shell: gnome-shell headless on two virtual monitors,
# input through Mutter's remote desktop, the picture through the shell's screenshot service,
# the session manager's idle inhibitor stood in for:
#   gnome_test.sh PROGRAM DATA_FOLDER REMOTE_DESKTOP SESSION_MANAGER_STAND_IN
# The shell runs as a user of its own, on buses of the test's own: it needs a system bus to
# start at all, and nothing of the machine's may reach it.
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
REMOTE_DESKTOP=$(realpath "$3")
SESSION_MANAGER=$(realpath "$4")
source "$(dirname "$0")/common.sh"
for tool in gnome-shell gdbus convert; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

own_installation ddgnome "$REMOTE_DESKTOP" "$SESSION_MANAGER"
user_env+=(WAYLAND_DISPLAY=wayland-0 QT_QPA_PLATFORM=wayland)
user_bus DBUS_SESSION_BUS_ADDRESS
session_bus_pid=$bus_pid
user_bus DBUS_SYSTEM_BUS_ADDRESS

# Before the shell: Mutter reads the session manager's inhibitors once it starts.
user_stand_in session_manager "$prefix/bin/session_manager_stand_in"

shell_eval() {
    as_user gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval "$1"
}
start_shell() {
    echo "gnome-shell, headless, two monitors: 1024 x 768 and 800 x 600"
    rm -f "$runtime"/wayland-0*
    as_user gnome-shell --headless --wayland --no-x11 --virtual-monitor 1024x768 --virtual-monitor 800x600 --unsafe-mode \
        >"$work/shell.log" 2>&1 &
    shell=$!
    servers+=("$shell")
    until_true 30 '[[ "$(shell_eval 1)" == "(true, '"'1'"')" ]]' ||
        fail "gnome-shell did not start: $(tail -5 "$work/shell.log")"
    # The overview opens once the shell has started up, and keeps the keys for its search.
    until_true 10 '[[ "$(shell_eval "Main.layoutManager._startingUp || Main.overview.animationInProgress")" == "(true, '"'false'"')" ]]' ||
        fail "gnome-shell does not finish starting: $(tail -5 "$work/shell.log")"
    shell_eval 'Main.overview.hide()' >/dev/null
    until_true 10 '[[ "$(shell_eval "Main.overview.visible")" == "(true, '"'false'"')" ]]' ||
        fail "the overview stays open"
}
start_shell

# start_input: a remote-desktop session of the shell's; the keyboard joins the seat with its
# first key, which is lost: a warm-up Shift.
start_input() {
    coproc INPUT { as_user "$prefix/bin/remote_desktop" 2>&1; }
    servers+=("$INPUT_PID")
    read -r -t 10 -u "${INPUT[0]}" reply && [[ "$reply" == ready ]] || fail "no remote desktop: $reply"
    key 42
    sleep 1
}
# input COMMAND: a key or movement through the remote desktop, answered once Mutter took it.
input() {
    echo "$*" >&"${INPUT[1]}"
    read -r -t 10 -u "${INPUT[0]}" reply && [[ "$reply" == ok ]] || fail "the remote desktop did not take \"$*\""
}
key() { input key "$1"; }
start_input

# screenshot NAME: the shell's picture of its monitors, as $home/NAME.png.
screenshot() {
    as_user gdbus call --session --dest org.gnome.Shell.Screenshot --object-path /org/gnome/Shell/Screenshot \
        --method org.gnome.Shell.Screenshot.Screenshot false false "$home/$1.png" >/dev/null ||
        fail "no screenshot"
}
screenshot desktop
black_in "$home/desktop.png" 800x600+1024+0 && fail "the second monitor is black before the saver starts"

saver_process() { pgrep -o -u "$user" -f "^$prefix/bin/dravelin-didazi /s" || true; }
watcher_process() { pgrep -u "$user" -f "^$prefix/bin/dravelin-didazi-idle" || true; }
saver_in_front() {
    [[ "$(shell_eval 'let w = global.display.focus_window; w ? w.get_title() + ":" + w.is_fullscreen() : ""')" == \
        "(true, '\"Dravelin Didazi Screen Saver:true\"')" ]]
}
# wait_saver: the watcher has started a saver, full screen with the keyboard.
wait_saver() {
    until_true 20 '[[ -n "$(saver_process)" ]]' || fail "no saver after the delay: $(cat "$work/watcher.log")"
    saver_pid=$(saver_process)
    until_true 10 saver_in_front || fail "the saver is not in front: $(shell_eval 'Main.overview.visible + " " + global.get_window_actors().map(a => a.meta_window.get_title() + ":" + a.meta_window.has_focus())')"
}
expect_ended() {
    until_true 10 '! kill -0 "$saver_pid"' || fail "the saver still runs after $1"
    saver_pid=""
}
ms() { echo $(($(date +%s%N) / 1000000)); }

echo "the watcher takes Mutter's idle monitor; the saver starts after 2 s, not before"
begin=$(ms) # before the input, so that the delay counted from it is never too short
input move 5 5
as_user "$prefix/bin/dravelin-didazi" --idle 2s >"$work/watcher.log" 2>&1 &
servers+=("$!")
until_true 10 'grep -q "org.gnome.Mutter.IdleMonitor" "$work/watcher.log"' ||
    fail "the watcher's source: $(cat "$work/watcher.log")"
wait_saver
started=$(($(ms) - begin))
((started >= 2000)) || fail "the saver started ${started} ms after the last input"

echo "the shell shows the scene, opaque, over the first monitor, and the second covered black"
sleep 1
screenshot saver
[[ -z "${SCREENSHOT_DIR:-}" ]] || cp "$home/saver.png" "$SCREENSHOT_DIR/gnome-shell.png"
scene_in "$home/saver.png" 0 0 1.28
black_in "$home/saver.png" 800x600+1024+0 || fail "the second monitor is not covered"

echo "a key ends it"
sleep 0.5
key 1 # Escape
expect_ended "Escape"
echo "it starts again after a new idle period, and a movement ends it"
wait_saver
sleep 1.5
# The first movement is the saver's reference; the next ends it.
input move 20 20
sleep 0.3
input move 5 5
expect_ended "a movement"

echo "the session manager's idle inhibitor keeps it off; released, it starts after the delay"
tell session_manager inhibit
key 42
sleep 4
[[ -z "$(saver_process)" ]] || fail "a saver started although the session manager inhibits idleness"
released=$(ms)
tell session_manager release
wait_saver
started=$(($(ms) - released))
((started >= 2000)) || fail "the saver started ${started} ms after the inhibitor's release"
key 1
expect_ended "Escape"

echo "the shell restarts: the watcher adds its watch again"
# The shell itself, not the runuser before it, which would go first.
pkill -u "$user" -x gnome-shell
kill "$INPUT_PID" 2>/dev/null || true # it may have ended with the shell
until_true 10 '! pgrep -u "$user" -x gnome-shell' || fail "gnome-shell does not end"
start_shell
start_input
until_true 10 '[[ "$(grep -c "org.gnome.Mutter.IdleMonitor" "$work/watcher.log")" -ge 2 ]]' ||
    fail "the watcher did not see the shell come back: $(cat "$work/watcher.log")"
wait_saver
key 1
expect_ended "Escape"

echo "the session's end ends the watcher, and leaves no saver"
wait_saver
kill "$session_bus_pid"
until_true 10 '[[ -z "$(watcher_process)" ]]' ||
    fail "the watcher outlives the session's bus: $(cat "$work/watcher.log"; ps -u "$user" -o pid,stat,args)"
expect_ended "the session's end"
echo "PASS"
