#!/usr/bin/env bash
# The saver under a Wayland compositor: sway's headless back end with two outputs, the saver
# started by swayidle, keys from wtype's virtual keyboard, the pointer from a virtual pointer,
# the outputs' pictures taken with grim:
#   wayland_test.sh PROGRAM DATA_FOLDER VIRTUAL_POINTER
# sway refuses to run as root, so as root the test makes a user of its own for the run and
# removes it afterwards.
PROGRAM=$(realpath "$1")
DATA=$(realpath "$2")
VIRTUAL_POINTER=$(realpath "$3")
source "$(dirname "$0")/common.sh"

for tool in sway swayidle swaymsg grim wtype jq convert compare; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

own_installation ddway "$VIRTUAL_POINTER"
pictures="$home/pictures"
# sway takes its IPC socket's path from SWAYSOCK when set; the display's name it picks itself.
export SWAYSOCK="$runtime/sway-ipc.sock"
wayland_display=""
# as_user with the sway of the moment (a nested one later) and its display, once it has one.
as_user() {
    local run=(env -i "${user_env[@]}" SWAYSOCK="$SWAYSOCK")
    [[ -z "$wayland_display" ]] || run+=(WAYLAND_DISPLAY="$wayland_display")
    run+=("$@")
    if [[ $(id -u) -eq 0 ]]; then runuser -u "$user" -- "${run[@]}"; else "${run[@]}"; fi
}

echo "sway, headless, two outputs: 1280 x 800 at (0, 0) and 1024 x 768 at (1280, 0)"
# No Xwayland: it would leave its X socket behind for a user that no longer exists.
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800 position 0 0\n' >"$home/sway.conf"
chown "$user" "$home/sway.conf"
# Without the pointer on it, sway hands a full-screen window's own buffer to a headless output
# ("direct scan-out"), and grim then gets an old picture of the output: noscanout.
as_user env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -D noscanout -c "$home/sway.conf" >"$work/sway.log" 2>&1 &
servers+=("$!")
sway_ready() {
    local socket
    socket=$(compgen -G "$runtime/wayland-*[0-9]" | head -1) || return 1
    wayland_display=$(basename "$socket")
    as_user swaymsg -t get_version >/dev/null
}
until_true 20 sway_ready || fail "sway did not start: $(tail -5 "$work/sway.log")"
as_user swaymsg create_output >/dev/null
as_user swaymsg output HEADLESS-2 resolution 1024x768 position 1280 0 >/dev/null

outputs() { as_user swaymsg -t get_outputs | jq -c '[.[] | select(.active) | {name, rect}]'; }
expected_outputs='[{"name":"HEADLESS-1","rect":{"x":0,"y":0,"width":1280,"height":800}},{"name":"HEADLESS-2","rect":{"x":1280,"y":0,"width":1024,"height":768}}]'
until_true 10 '[[ "$(outputs)" == "$expected_outputs" ]]' || fail "outputs: $(outputs)"

# A keyboard and a pointer stay on the seat for the whole run, as real ones do: a virtual
# device made for a single key or movement would send it before the saver has heard of the
# device and asked for its events, and the event would be lost.
as_user wtype -s 3600000 &
servers+=("$!")
coproc POINTER { as_user "$prefix/bin/virtual_pointer" 2304 800; }
servers+=("$POINTER_PID")
devices() { as_user swaymsg -t get_inputs | jq -r '[.[].type] | sort | join(",")'; }
until_true 10 '[[ "$(devices)" == "keyboard,pointer" ]]' || fail "input devices: $(devices)"

# pointer_to X Y / click: through the virtual pointer, answered once sway has handled it.
pointer() {
    local reply
    echo "$*" >&"${POINTER[1]}"
    read -r -t 10 -u "${POINTER[0]}" reply && [[ "$reply" == "ok" ]] || fail "the virtual pointer did not answer \"$*\""
}
pointer_to() { pointer to "$1" "$2"; }
click() { pointer click; }
key() { as_user wtype "$@" || fail "wtype $* failed"; }

# shoot NAME [OUTPUT] [-c]: grim's picture of one output (with the pointer when -c), as
# $pictures/NAME.png.
mkdir -p "$pictures"
chown "$user" "$pictures"
shoot() {
    local grim=(grim)
    [[ "${3:-}" == "-c" ]] && grim+=(-c)
    [[ -n "${2:-}" ]] && grim+=(-o "$2")
    as_user "${grim[@]}" "$pictures/$1.png"
}
# brightest NAME: the largest channel value in the picture (0 when all black).
brightest() { convert "$pictures/$1.png" -format '%[fx:int(255*maxima)]' info:; }
colour_at() {
    convert "$pictures/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | head -1
}
output_black() { shoot "$1" "$1" ${2:-} && [[ $(brightest "$1") -eq 0 ]]; }

# The field 4/3 times its size on 1280 x 800: 1066 x 800 at (107, 0), black bars beside it.
field_centred() {
    shoot field HEADLESS-1 || return 1
    local p
    for p in "5 5" "106 400" "1173 400" "1275 795"; do
        [[ "$(colour_at field $p)" == "0,0,0" ]] || return 1
    done
    for p in "107 400" "1172 400" "640 0" "640 799" "640 400"; do
        [[ "$(colour_at field $p)" != "0,0,0" ]] || return 1
    done
}

# The saver's windows: each active output holds exactly one, full screen on it and visible.
tree() { as_user swaymsg -t get_tree; }
saver_windows() { tree | jq '[.. | objects | select(.app_id? == "dravelin-didazi")] | length'; }
outputs_covered() {
    tree | jq -e '[.nodes[] | select(.type == "output" and .name != "__i3") | . as $o
        | [.. | objects | select(.app_id? == "dravelin-didazi" and .visible
            and .fullscreen_mode == 1 and .rect == $o.rect)] | length == 1] | all' >/dev/null &&
        [[ $(saver_windows) -eq $(tree | jq '[.nodes[] | select(.name != "__i3")] | length') ]]
}
windows_seen() { tree | jq -c '[.. | objects | select(.app_id? == "dravelin-didazi") | {name, rect, fullscreen_mode, visible, focused}]'; }
saver_focused() { tree | jq -e '[.. | objects | select(.app_id? == "dravelin-didazi" and .focused)] | length == 1' >/dev/null; }
no_inhibitor() { tree | jq -e '[.. | objects | select(.app_id? == "dravelin-didazi") | .inhibit_idle] | all(. == false)' >/dev/null; }

saver_pid=""
saver_process() { pgrep -o -u "$user" -f "^$prefix/bin/dravelin-didazi /s"; }
# wait_saver: swayidle has started the saver; it covers every output, is on screen (sway looks
# up the surface under the pointer in what it shows) and has the keyboard.
wait_saver() {
    until_true 20 '[[ -n "$(saver_process)" ]]' || fail "swayidle did not start the saver: $(cat "$work/swayidle.log")"
    saver_pid=$(saver_process)
    until_true 20 outputs_covered || fail "the outputs are not covered: $(windows_seen)"
    until_true 10 field_centred || fail "the field is not at (107, 0) on the first output"
    until_true 10 output_black HEADLESS-2 || fail "the second output is not black"
    until_true 10 saver_focused || fail "no window of the saver has the keyboard"
}
# wait_demonstration: the demonstration has begun. The field stands still until the saver's
# start timer begins it with the buoys shown one by one; a race started before that is replaced.
field_moved() {
    shoot now HEADLESS-1 && [[ "$(compare -metric AE "$pictures/still.png" "$pictures/now.png" null: 2>&1)" != "0" ]]
}
wait_demonstration() {
    shoot still HEADLESS-1 || fail "grim failed"
    until_true 10 field_moved || fail "the demonstration does not begin"
}
# what_the_saver_saw: its last keyboard events and messages, when swayidle started it.
what_the_saver_saw() {
    [[ -f "$home/saver-protocol.log" ]] || return 0
    echo "the saver's last keyboard events:"
    grep 'wl_keyboard@[0-9]*\.' "$home/saver-protocol.log" | tail -8
    echo "its last messages:"
    grep -v '^\[' "$home/saver-protocol.log" | tail -5
}
# expect_ended: the saver ends within 10 s.
expect_ended() {
    until_true 10 '! kill -0 "$saver_pid"' || fail "the saver still runs after $1
$(what_the_saver_saw)"
    saver_pid=""
}
expect_still_running() {
    sleep 0.5
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended after $1"
}

echo "before the saver, sway shows the pointer on the second output"
pointer_to 1792 384
shoot before HEADLESS-2 -c
[[ $(convert "$pictures/before.png" -format '%k' info:) -gt 1 ]] || fail "no pointer to be seen"

echo "swayidle starts the saver after 2 s without input: the field, whole, centred on the first"
echo "output, the second output black"
cat >"$home/saver.sh" <<SCRIPT
#!/bin/sh
WAYLAND_DEBUG=1 exec "$prefix/bin/dravelin-didazi" /s 2>>"$home/saver-protocol.log"
SCRIPT
chmod 755 "$home/saver.sh"
chown "$user" "$home/saver.sh"
as_user swayidle timeout 2 "$home/saver.sh" timeout 6 "touch $home/idle-for-6s" >"$work/swayidle.log" 2>&1 &
swayidle_pid=$!
servers+=("$swayidle_pid")
wait_saver

echo "no idle inhibitor: sway counts the idle time on while the saver runs"
no_inhibitor || fail "a window of the saver inhibits idling"
until_true 15 '[[ -e "$home/idle-for-6s" ]]' || fail "swayidle's second timeout never came while the saver ran"
kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended by itself"
grep -q 'zwp_idle_inhibit_manager_v1@[0-9]*\.create_inhibitor' "$home/saver-protocol.log" &&
    fail "the saver asked for an idle inhibitor"

echo "its pixels are opaque: out of full screen, over the grey sway clears a workspace to, the"
echo "black beside the field stays black and the scene shows"
as_user swaymsg focus output HEADLESS-1 >/dev/null
as_user swaymsg fullscreen disable >/dev/null
until_true 10 '[[ "$(shoot windowed HEADLESS-1 && colour_at windowed 60 400)" == "0,0,0" ]]' ||
    fail "the black beside the field is $(colour_at windowed 60 400), not black: transparent pixels"
[[ "$(colour_at windowed 640 400)" != "0,0,0" && "$(colour_at windowed 640 400)" != "64,64,64" ]] ||
    fail "no scene in the window out of full screen"
as_user swaymsg fullscreen enable >/dev/null
pointer_to 1792 384 # back on the second output, where the next steps expect it

echo "a key ends the demonstration"
key -k Escape
expect_ended "Escape"

echo "swayidle starts it again; a pointer movement on the second output ends the demonstration"
wait_saver
pointer_to 1700 300
pointer_to 1702 300
expect_ended "a movement"

echo "in a race the pointer is hidden, movements and other keys are ignored"
wait_saver
wait_demonstration
key g
pointer_to 1800 500
pointer_to 1850 520
until_true 10 output_black HEADLESS-2 -c || fail "the pointer shows on the second output"
key x
key -k Left
expect_still_running "a movement or a key in the race"

echo "an output added while it runs is covered"
as_user swaymsg create_output >/dev/null
as_user swaymsg output HEADLESS-3 resolution 800x600 position 2304 0 >/dev/null
until_true 10 '[[ $(tree | jq "[.nodes[] | select(.name == \"HEADLESS-3\")] | length") -eq 1 ]]' ||
    fail "sway made no third output"
until_true 10 outputs_covered || fail "the new output is not covered"
until_true 10 output_black HEADLESS-3 || fail "the new output is not black"
expect_still_running "an output came"
echo "Escape ends the race"
key -k Escape
expect_ended "Escape in the race"

echo "a click ends the race"
wait_saver
pkill -u "$user" -x swayidle # no saver after this one (runuser, its parent, passes no signal on)
wait_demonstration
key g
pointer_to 1500 400
expect_still_running "a movement in the race"
click
expect_ended "a click"

# window_named TITLE FILTER: whether a window titled TITLE that matches the jq FILTER is there.
window_named() { tree | jq -e --arg t "$1" "[.. | objects | select(.name? == \$t) | $2] | any" >/dev/null; }

# open_dialog ARGUMENT TITLE: the program started with ARGUMENT shows its dialog TITLE, which
# has the keyboard; dialog_closed WHY: it has ended.
open_dialog() {
    as_user "$prefix/bin/dravelin-didazi" "$1" >"$work/dialog.log" 2>&1 &
    dialog_pid=$!
    servers+=("$dialog_pid")
    until_true 20 "window_named \"$2\" \".visible and .focused\"" ||
        fail "no $2 dialog: $(cat "$work/dialog.log")"
}
dialog_closed() { until_true 10 '! kill -0 "$dialog_pid" 2>/dev/null' || fail "$1"; }

echo "the Settings dialog opens and closes with its keys"
open_dialog /c Settings
key -k Escape
dialog_closed "Escape does not close the Settings dialog"

echo "the change-password dialog sets a password"
open_dialog /a "Change Password"
key -k Tab
key Sesame
key -k Tab
key Sesame
key -k Return
until_true 10 'window_named Message ".visible and .focused"' || fail "no message after OK"
key -k Return
dialog_closed "the dialog stays after its message"
grep -q '^PWD=Sesame' "$home/.config/dravelin-didazi/control.ini" || fail "the password was not written"

# prompt_up: a movement has brought the password prompt up, over the field on the first output.
# The first movement onto a window only enters it.
prompt_up() {
    pointer_to 700 400
    pointer_to 702 400
    pointer_to 704 400
    until_true 10 'window_named Password ".visible and .rect.x > 240 and .rect.x < 1040"' ||
        fail "no password prompt over the field: $(windows_seen)"
}
prompt_gone() { until_true 10 '! window_named Password "."' || fail "the prompt stays after $1"; }
echo "with a password: the prompt takes the keys, which sway leaves with the full-screen window"
as_user "$prefix/bin/dravelin-didazi" /s >"$work/password-saver.log" 2>&1 &
servers+=("$!")
until_true 20 '[[ -n "$(saver_process)" ]]' || fail "the saver did not start"
saver_pid=$(saver_process)
until_true 20 outputs_covered || fail "the outputs are not covered"
until_true 10 field_centred || fail "the field is not at (107, 0) on the first output"
until_true 10 saver_focused || fail "no window of the saver has the keyboard"
prompt_up
key sesame
key -k Return
prompt_gone "a wrong password"
expect_still_running "a wrong password"
prompt_up
key -k Escape
prompt_gone "Escape"
expect_still_running "Escape in the prompt"
prompt_up
key Sesame
key -k Return
expect_ended "the right password"
rm "$home/.config/dravelin-didazi/control.ini"

echo "the idle watcher: sway 1.7's org_kde_kwin_idle starts the saver after the delay"
as_user "$prefix/bin/dravelin-didazi" --idle 2s >"$work/watcher.log" 2>&1 &
watcher_pid=$!
servers+=("$watcher_pid")
wait_saver
grep -q "org_kde_kwin_idle" "$work/watcher.log" || fail "the watcher's source: $(cat "$work/watcher.log")"
echo "a key ends it, and a visible window's idle inhibitor keeps it from starting again"
key -k Escape
expect_ended "Escape"
open_dialog /c Settings
as_user swaymsg '[title="Settings"] inhibit_idle visible' >/dev/null
# A key into the dialog: the idle period starts again, now under the inhibitor (and ends a
# saver that came first on a slow machine).
key -k Shift_L
until_true 10 '[[ -z "$(saver_process)" ]]' || fail "a key does not end the saver"
sleep 4
[[ -z "$(saver_process)" ]] || fail "the saver started although a window inhibits idling"
key -k Escape
dialog_closed "Escape does not close the Settings dialog"
echo "without it, the saver starts after the delay; the watcher's end leaves none"
wait_saver
# The watcher itself, not the runuser that started it (which would not pass the signal on).
watcher_process() { pgrep -u "$user" -f "^$prefix/bin/dravelin-didazi-idle" || true; }
[[ -n "$(watcher_process)" ]] || fail "no watcher process: the hand-over failed"
kill -TERM "$(watcher_process)"
until_true 10 '[[ -z "$(watcher_process)" ]]' || fail "the watcher still runs after SIGTERM"
expect_ended "the watcher's end"

# sway 1.7 can neither switch off nor unplug a headless output, but an output of a sway nested
# in it is a window that can be closed.
echo "the cover of an output that goes is released; the saver stays in sight on the others"
outer_swaysock=$SWAYSOCK
outer_display=$wayland_display
SWAYSOCK="$runtime/inner-ipc.sock"
printf 'xwayland disable\n' >"$home/inner.conf"
chown "$user" "$home/inner.conf"
as_user env WLR_BACKENDS=wayland WLR_WL_OUTPUTS=3 WLR_RENDERER=pixman \
    sway -c "$home/inner.conf" >"$work/inner-sway.log" 2>&1 &
servers+=("$!")
inner_ready() {
    local socket
    socket=$(compgen -G "$runtime/wayland-*[0-9]" | grep -v "/$outer_display\$" | head -1) || return 1
    wayland_display=$(basename "$socket")
    as_user swaymsg -t get_version >/dev/null
}
until_true 20 inner_ready || fail "the nested sway did not start: $(tail -5 "$work/inner-sway.log")"
inner_outputs() { as_user swaymsg -t get_outputs | jq -r '[.[] | select(.active) | .name] | join(",")'; }
until_true 10 '[[ "$(inner_outputs)" == "WL-1,WL-2,WL-3" ]]' || fail "nested outputs: $(inner_outputs)"
as_user "$prefix/bin/dravelin-didazi" /s >"$work/inner-saver.log" 2>&1 &
servers+=("$!")
until_true 20 '[[ -n "$(saver_process)" ]]' || fail "the saver did not start: $(cat "$work/inner-saver.log")"
saver_pid=$(saver_process)
until_true 20 outputs_covered || fail "the nested outputs are not covered"
# close_output NAME REMAINING: closes the nested output NAME; REMAINING are left.
close_output() {
    SWAYSOCK=$outer_swaysock as_user swaymsg "[title=\"wlroots - $1\"] kill" >/dev/null
    until_true 10 "[[ \"\$(inner_outputs)\" == $2 ]]" || fail "the nested output stays: $(inner_outputs)"
}
workspaces() { as_user swaymsg -t get_workspaces | jq -c '[.[] | {name, output, visible, focused}]'; }
# Sway moves the workspace of an output that goes to another one, and shows it there when it
# had the keyboard.
as_user swaymsg focus output WL-2 >"$work/focus.log" || fail "sway cannot focus WL-2: $(cat "$work/focus.log")"
close_output WL-2 WL-1,WL-3
until_true 10 '[[ $(saver_windows) -eq 2 ]]' || fail "the cover of the output that went stays"
until_true 10 outputs_covered || fail "the remaining outputs are not covered: $(windows_seen) $(workspaces)"
echo "the field moves to the remaining output when its own goes"
close_output WL-1 WL-3
until_true 10 '[[ $(saver_windows) -eq 1 ]]' || fail "more than one window on one output"
until_true 10 outputs_covered || fail "the remaining output is not covered: $(windows_seen) $(workspaces)"
until_true 10 '! output_black WL-3' || fail "no field on the remaining output"
expect_still_running "an output went"
kill -TERM "$saver_pid"
expect_ended "SIGTERM"
echo "PASS"
