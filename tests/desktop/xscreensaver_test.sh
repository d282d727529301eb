#!/usr/bin/env bash
# The saver as a display mode of the real XScreenSaver daemon, laid out as installed
# (bin/ and share/dravelin-didazi/ under one prefix):
#   xscreensaver_test.sh PROGRAM DATA_FOLDER
# The daemon refuses to run display modes as root, so as root the test makes a user of its own
# for the run and removes it afterwards.
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
source "$(dirname "$0")/common.sh"

command -v xscreensaver >/dev/null || fail "xscreensaver is not installed"
prefix="$work/prefix"
mkdir -p "$prefix/bin" "$prefix/share/dravelin-didazi"
cp "$PROGRAM" "$prefix/bin/dravelin-didazi"
cp "$DATA"/* "$prefix/share/dravelin-didazi/"
chmod -R a+rX "$prefix"

own_user ddsaver
as_user() {
    runuser -u "$user" -- env -i DISPLAY="$DISPLAY" HOME="$home" XDG_RUNTIME_DIR="$home/runtime" \
        PATH=/usr/bin:/bin "$@"
}
[[ $(id -u) -eq 0 ]] || as_user() {
    env -i DISPLAY="$DISPLAY" HOME="$home" XDG_RUNTIME_DIR="$home/runtime" PATH=/usr/bin:/bin "$@"
}

cat >"$home/.xscreensaver" <<SETTINGS
mode:		one
selected:	0
lock:		False
fade:		False
unfade:		False
splash:		False
timeout:	0:30:00
programs:	"Dravelin Didazi" $prefix/bin/dravelin-didazi --root \\n
SETTINGS
mkdir -m 0700 "$home/runtime"
chown -R "$user" "$home"

start_x 1024 768
as_user xscreensaver -no-splash >"$work/daemon.log" 2>&1 &
servers+=("$!")
for _ in $(seq 50); do
    as_user xscreensaver-command -time >/dev/null 2>&1 && break
    sleep 0.2
done
as_user xscreensaver-command -activate >/dev/null || fail "the daemon does not answer"

echo "activated: the scene is on screen within a few seconds"
for _ in $(seq 50); do
    pgrep -u "$user" -f "$prefix/bin/dravelin-didazi" >/dev/null && break
    sleep 0.1
done
pid=$(pgrep -u "$user" -f "$prefix/bin/dravelin-didazi") || fail "the daemon did not start the mode: $(tail "$work/daemon.log")"
sleep 3
expect_not_black 2 2      # the field fills the screen, 1.28 times its size
expect_not_black 512 120  # sky
expect_not_black 512 650  # sea
expect_not_black 300 400

echo "a key press ends the display mode"
xdotool key x
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the display mode still runs after the daemon unblanked"
grep -q "crashed\|SIGSEGV\|SIGABRT" "$work/daemon.log" && fail "$(tail -5 "$work/daemon.log")"
echo "PASS"
