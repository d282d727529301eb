#!/usr/bin/env bash
# The idle watcher on X, as a user turns it on: `dravelin-didazi --idle DELAY` on Xvfb, input
# from XTEST (xdotool), the desktop's screen saver stood in for on a session bus of the test's
# own, which records what the saver asks of it, and logind stood in for on a system bus of the
# test's own, whose session the test locks and unlocks; then Plasma's power manager and GNOME's
# idle monitor stood in for:
#   idle_test.sh PROGRAM DATA_FOLDER SCREEN_SAVER_STAND_IN LOGIND_STAND_IN MUTTER_STAND_IN
#                POWERDEVIL_STAND_IN
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
STAND_IN=$(realpath "$3")
LOGIND=$(realpath "$4")
MUTTER=$(realpath "$5")
POWERDEVIL=$(realpath "$6")
source "$(dirname "$0")/common.sh"
title="Dravelin Didazi Screen Saver"

echo "a bad delay: one line saying what is expected, status 1"
for bad in "" 0 1441 86401s 3m; do
    status=0
    "$PROGRAM" --idle $bad >"$work/bad.out" 2>"$work/bad.err" || status=$?
    [[ $status -eq 1 && $(wc -l <"$work/bad.err") -eq 1 ]] ||
        fail "--idle '$bad' ended with $status: $(cat "$work/bad.err")"
    grep -q "DELAY is whole minutes" "$work/bad.err" || fail "--idle '$bad' said $(cat "$work/bad.err")"
done
echo "no display: it names what it looked for, status 1"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$PROGRAM" --idle 2s 2>"$work/none.err" || status=$?
[[ $status -eq 1 ]] && grep -q "IDLETIME" "$work/none.err" || fail "without a display: $status, $(cat "$work/none.err")"

start_x 1024 768
settings
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
    { read -r a; read -r p; echo "export DBUS_SESSION_BUS_ADDRESS='$a'; bus_pid=$p"; })"
servers+=("$bus_pid")
"$STAND_IN" >"$work/screensaver.log" 2>&1 &
servers+=("$!")
for _ in $(seq 50); do grep -q ready "$work/screensaver.log" && break; sleep 0.1; done
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
    { read -r a; read -r p; echo "export DBUS_SYSTEM_BUS_ADDRESS='$a'; system_bus_pid=$p"; })"
servers+=("$system_bus_pid")
mkfifo "$work/logind.in"
"$LOGIND" <"$work/logind.in" >"$work/logind.log" 2>&1 &
servers+=("$!")
exec 7>"$work/logind.in"
for _ in $(seq 50); do grep -q ready "$work/logind.log" && break; sleep 0.1; done
# session LOCK_OR_UNLOCK: the stand-in's session is locked or unlocked, and has said so.
session() {
    local said=$(($(grep -c -E '^(locked|unlocked)$' "$work/logind.log") + 1))
    echo "$1" >&7
    for _ in $(seq 50); do
        (($(grep -c -E '^(locked|unlocked)$' "$work/logind.log") >= said)) && return 0
        sleep 0.1
    done
    fail "the logind stand-in did not $1"
}

saver_process() { pgrep -f "^$PROGRAM /s\$" || true; }
ms() { echo $(($(date +%s%N) / 1000000)); }
# idle_since: the time of the last input, in milliseconds, after giving some.
# Timed before the input is given, so that the delay counted from it is never too short.
active() {
    last_input=$(ms)
    xdotool mousemove_relative 3 3
}
# not_before SECONDS: until SECONDS after the last input, no saver is started.
not_before() {
    while (($(ms) - last_input < $1 * 1000 - 300)); do
        local seen
        seen=$(saver_process)
        (($(ms) - last_input < $1 * 1000)) && [[ -n "$seen" ]] && fail "a saver started before the delay"
        sleep 0.2
    done
}
wait_saver() {
    for _ in $(seq 100); do
        saver_pid=$(saver_process)
        [[ -n "$saver_pid" ]] && xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 &&
            return 0
        sleep 0.1
    done
    fail "no saver after the delay: $(cat "$work/idle.log")"
}
saver_ended() {
    for _ in $(seq 100); do
        kill -0 "$saver_pid" 2>/dev/null || { saver_pid=""; return 0; }
        sleep 0.1
    done
    fail "the saver still runs"
}

# start_watcher DELAY [ENVIRONMENT...]: `--idle DELAY` in the background, its log in idle.log.
start_watcher() {
    (cd "$DATA" && exec env "${@:2}" "$PROGRAM" --idle "$1") >"$work/idle.log" 2>&1 &
    watcher=$!
    servers+=("$watcher")
}
# stop_watcher: SIGTERM ends the watcher within 5 s, with status 0.
stop_watcher() {
    kill -TERM "$watcher"
    until_true 5 '! kill -0 "$watcher"' || fail "the watcher still runs after SIGTERM"
    local status=0
    wait "$watcher" || status=$?
    [[ $status -eq 0 ]] || fail "the watcher ended with $status"
}

echo "--idle 2s: the saver starts after 2 s without input, not before, and a key ends it"
active
start_watcher 2s
not_before 2
wait_saver
grep -q "XSync" "$work/idle.log" || fail "the watcher does not say it uses XSync: $(cat "$work/idle.log")"
sleep 1
last_input=$(ms)
xdotool key x
saver_ended

echo "it starts again only after a new idle period"
not_before 2
wait_saver
sleep 1
# The first movement is the saver's reference; the next ends it.
xdotool mousemove_relative 20 20
sleep 0.3
xdotool mousemove_relative 5 5
saver_ended

echo "input within the delay keeps it off"
active
for _ in 1 2 3; do
    sleep 1
    seen=$(saver_process)
    # However late the check comes, only a saver within the delay after the input counts.
    (($(ms) - last_input < 2000)) && [[ -n "$seen" ]] && fail "a saver started although there was input"
    active
done
wait_saver

echo "the session locks while the saver runs: the watcher ends it; locked, no saver starts"
grep -q "LockedHint" "$work/idle.log" || fail "the watcher follows no lock: $(cat "$work/idle.log")"
session lock
saver_ended
active
sleep 4
[[ -z "$(saver_process)" ]] || fail "a saver started in a locked session"
echo "unlocked, it starts after the delay again"
session unlock
active
wait_saver

echo "the saver asked the desktop's screen saver for nothing"
[[ $(grep -c -E 'Inhibit' "$work/screensaver.log") -eq 0 ]] ||
    fail "the saver called: $(grep -v ready "$work/screensaver.log" | paste -sd' ')"

echo "SIGTERM ends the watcher and the saver it started"
stop_watcher
saver_ended

echo "Plasma: an inhibitor PowerDevil holds keeps the saver off; released, it starts again"
mkfifo "$work/powerdevil.in"
"$POWERDEVIL" <"$work/powerdevil.in" >"$work/powerdevil.log" 2>&1 &
powerdevil=$!
servers+=("$powerdevil")
exec 9>"$work/powerdevil.in"
for _ in $(seq 50); do grep -q ready "$work/powerdevil.log" && break; sleep 0.1; done
echo inhibit >&9
for _ in $(seq 50); do grep -q "^inhibit$" "$work/powerdevil.log" && break; sleep 0.1; done
active
start_watcher 2s
sleep 4
grep -q "PowerDevil" "$work/idle.log" || fail "the watcher does not ask PowerDevil: $(cat "$work/idle.log")"
grep -q "^HasInhibition 4$" "$work/powerdevil.log" || fail "nobody asked PowerDevil: $(cat "$work/powerdevil.log")"
[[ -z "$(saver_process)" ]] || fail "the saver started although PowerDevil holds an inhibitor"
echo release >&9
active
wait_saver
xdotool key x
saver_ended
stop_watcher
exec 9>&- # the end of its input ends the stand-in
wait "$powerdevil" 2>/dev/null || true

echo "GNOME: Mutter's idle monitor comes first; its idle watch of the delay starts the saver"
mkfifo "$work/mutter.in"
"$MUTTER" <"$work/mutter.in" >"$work/mutter.log" 2>&1 &
mutter=$!
servers+=("$mutter")
exec 8>"$work/mutter.in"
for _ in $(seq 50); do grep -q ready "$work/mutter.log" && break; sleep 0.1; done
# GNOME's blank delay at its default of five minutes, as gsettings reads it.
mkdir "$work/gnome"
printf '#!/bin/sh\necho "uint32 300"\n' >"$work/gnome/gsettings"
chmod +x "$work/gnome/gsettings"
start_watcher 1440 PATH="$work/gnome:$PATH"
for _ in $(seq 50); do grep -q "AddIdleWatch" "$work/mutter.log" && break; sleep 0.1; done
grep -q "^AddIdleWatch 86400000$" "$work/mutter.log" || fail "no idle watch of the delay: $(cat "$work/mutter.log")"
grep -q "Mutter" "$work/idle.log" || fail "the watcher does not use Mutter's monitor: $(cat "$work/idle.log")"
[[ $(grep -c "org.gnome.desktop.session idle-delay" "$work/idle.log") -eq 1 ]] ||
    fail "no word of GNOME's blank coming first: $(cat "$work/idle.log")"
echo idle >&8
wait_saver
xdotool key x
saver_ended
stop_watcher
exec 8>&- # the end of its input ends the stand-in: gone from the bus, X's counter serves again
wait "$mutter" 2>/dev/null || true

echo "the session's end ends the watcher, and no saver is left"
active
start_watcher 2s
wait_saver
kill "$xvfb_pid"
xvfb_pid=""
for _ in $(seq 50); do kill -0 "$watcher" 2>/dev/null || break; sleep 0.1; done
kill -0 "$watcher" 2>/dev/null && fail "the watcher outlives the X server"
saver_ended
echo "PASS"
