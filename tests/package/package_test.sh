#!/usr/bin/env bash
# Checks the Debian package as a user gets it: its contents, lintian, installing it, the
# installed program under its own X server (full screen and inside another program's window),
# the manual page, desktop entry and AppStream data, and that removing it leaves nothing.
#   package_test.sh DEB [PARENT_WINDOW]
# PARENT_WINDOW is the test helper that maps a window and prints its id; without it the
# display-mode step is skipped. Needs root (or sudo) to install and remove the package.
set -euo pipefail

deb=$(realpath "$1")
parent_helper=${2:-}
package=dravelin-didazi
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

# A private work folder, settings and runtime folders, servers stopped at the end, X helpers.
source "$(dirname "$0")/../desktop/common.sh"

installed() {
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"
}

remove_package() {
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -q --purge "$package" >"$work/remove.log" 2>&1 ||
        fail "removing the package failed: $(cat "$work/remove.log")"
}

icon_sizes=(16 22 24 32 48 64 128 256)
expected_files=(
    /usr/bin/dravelin-didazi
    /usr/lib/systemd/user/dravelin-didazi-idle.service
    /usr/libexec/dravelin-didazi/dravelin-didazi-idle
    /usr/libexec/xscreensaver/dravelin-didazi
    /usr/share/applications/dravelin-didazi.desktop
    /usr/share/doc/dravelin-didazi/changelog.gz
    /usr/share/doc/dravelin-didazi/copyright
    /usr/share/dravelin-didazi/CLRBTMP.BMP
    /usr/share/dravelin-didazi/klapper.wav
    /usr/share/dravelin-didazi/knerp.wav
    /usr/share/dravelin-didazi/lucht2.bmp
    /usr/share/dravelin-didazi/ratel.wav
    /usr/share/dravelin-didazi/water.bmp
    /usr/share/dravelin-didazi/waterlp.wav
    /usr/share/dravelin-didazi/zee.bmp
    /usr/share/man/man6/dravelin-didazi.6.gz
    /usr/share/metainfo/io.github.dravelin_didazi.DravelinDidazi.metainfo.xml
    /usr/share/xscreensaver/config/dravelin-didazi.xml
)
for size in "${icon_sizes[@]}"; do
    expected_files+=("/usr/share/icons/hicolor/${size}x${size}/apps/dravelin-didazi.png")
done

echo "== contents"
[[ "$(basename "$deb")" == "${package}_$(dpkg-deb -f "$deb" Version)_$(dpkg --print-architecture).deb" ]] ||
    fail "unexpected file name $(basename "$deb")"
dpkg-deb -c "$deb" >"$work/contents"
awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' "$work/contents" | sort >"$work/actual"
printf '%s\n' "${expected_files[@]}" | sort >"$work/expected"
diff -u "$work/expected" "$work/actual" || fail "the package holds other files than expected"
grep -q '^-rwxr-xr-x root/root .* ./usr/bin/dravelin-didazi$' "$work/contents" ||
    fail "the program is not an executable owned by root"
grep -q '^lrwxrwxrwx .* ./usr/libexec/xscreensaver/dravelin-didazi -> ../../bin/dravelin-didazi$' \
    "$work/contents" || fail "the XScreenSaver entry is not a relative link to the program"
echo "$(wc -l <"$work/actual") files as expected"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries"
[[ "$(dpkg-deb -f "$deb" Recommends)" == qt6-wayland ]] || fail "Recommends is not qt6-wayland"
dpkg-deb -f "$deb" Suggests | grep -q 'xscreensaver' || fail "Suggests lacks xscreensaver"

mkdir "$work/unpacked"
dpkg-deb -x "$deb" "$work/unpacked"
for size in "${icon_sizes[@]}"; do
    icon="$work/unpacked/usr/share/icons/hicolor/${size}x${size}/apps/dravelin-didazi.png"
    described=$(identify -format '%m %wx%h %[channels]' "$icon")
    [[ "$described" == "PNG ${size}x${size} srgba" ]] || fail "icon of size $size is $described"
done

echo "== lintian"
lintian --tag-display-limit 0 --fail-on error "$deb" 2>&1 | tee "$work/lintian.log" ||
    fail "lintian reports errors"

echo "== install"
if installed; then remove_package; fi
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "$deb" \
    >"$work/install.log" 2>&1 || fail "installing the package failed: $(cat "$work/install.log")"
installed || fail "the package is not installed"
for f in "${expected_files[@]}"; do
    [[ -e "$f" ]] || fail "$f is not installed"
done
[[ "$(readlink -f /usr/libexec/xscreensaver/dravelin-didazi)" == /usr/bin/dravelin-didazi ]] ||
    fail "the XScreenSaver link does not lead to the program"
status=0
dravelin-didazi --idle 0 2>"$work/idle.err" || status=$?
[[ $status -eq 1 ]] && grep -q "DELAY is" "$work/idle.err" ||
    fail "the installed --idle does not reach the watcher: $status $(cat "$work/idle.err")"
grep -qx 'ExecStart=/usr/bin/dravelin-didazi --idle 3' /usr/lib/systemd/user/dravelin-didazi-idle.service ||
    fail "the user unit does not start the watcher"
if command -v systemd-analyze >/dev/null; then
    systemd-analyze verify --user /usr/lib/systemd/user/dravelin-didazi-idle.service ||
        fail "the user unit does not verify"
fi

echo "== manual page, desktop entry, AppStream data"
man_out=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l /usr/share/man/man6/dravelin-didazi.6.gz 2>&1 >/dev/null)
[[ -z "$man_out" ]] || fail "the manual page does not render cleanly: $man_out"
MANWIDTH=80 man -l /usr/share/man/man6/dravelin-didazi.6.gz | grep -q "XSCREENSAVER_WINDOW" ||
    fail "the manual page lacks the display mode"
desktop-file-validate /usr/share/applications/dravelin-didazi.desktop ||
    fail "the desktop entry is not valid"
grep -qx 'Exec=dravelin-didazi /c' /usr/share/applications/dravelin-didazi.desktop ||
    fail "the desktop entry does not open the Settings dialog"
appstreamcli validate --no-net /usr/share/metainfo/io.github.dravelin_didazi.DravelinDidazi.metainfo.xml ||
    fail "the AppStream data is not valid"

echo "== the installed program under Xvfb"
mkdir "$work/empty"
unset XSCREENSAVER_WINDOW
start_x 1920 1080

(cd "$work/empty" && exec /usr/bin/dravelin-didazi /s) >"$work/saver.log" 2>&1 &
saver=$!
servers+=("$saver")
sleep 3
kill -0 "$saver" 2>/dev/null || fail "the saver ended: $(cat "$work/saver.log")"
import -window root "$work/screen.png"
keep_screen() {
    cp "$work/screen.png" "$(dirname "$deb")/package_test_screen.png"
    fail "$* (screen kept in $(dirname "$deb")/package_test_screen.png)"
}
# The field fills the height, 1440 x 1080 at (240, 0); a message box alone would leave its
# corners black.
for xy in "960 540" "248 8" "1672 8" "248 1072" "1672 1072"; do
    # shellcheck disable=SC2086
    [[ "$(pixel $xy)" != "0,0,0" ]] || keep_screen "the field is not shown at ($xy)"
done
for xy in "50 40" "239 300" "1680 300" "1900 1000"; do
    # shellcheck disable=SC2086
    [[ "$(pixel $xy)" == "0,0,0" ]] || keep_screen "the surround is not black at ($xy)"
done
kill "$saver"
wait "$saver" 2>/dev/null || true
echo "the field is shown"

# in_parent ARGS...: the display mode started through XScreenSaver's link into a fresh parent
# window; passes when the parent gets a child within 3 s.
in_parent() {
    "$parent_helper" 640 480 >"$work/parent.out" &
    local parent=$! id=""
    servers+=("$parent")
    for _ in $(seq 50); do
        id=$(head -1 "$work/parent.out")
        [[ "$id" == 0x* ]] && break
        sleep 0.1
    done
    [[ "$id" == 0x* ]] || fail "the parent window helper printed no id"
    local -a env_args=()
    [[ "$1" == --root ]] && env_args=(XSCREENSAVER_WINDOW="$id")
    [[ "$1" == --window-id ]] && set -- --window-id "$id"
    (cd "$work/empty" && exec env "${env_args[@]}" /usr/libexec/xscreensaver/dravelin-didazi "$@") \
        >"$work/mode.log" 2>&1 &
    local mode=$!
    servers+=("$mode")
    local children=0
    for _ in $(seq 30); do
        children=$(xwininfo -children -id "$id" | sed -n 's/^ *\([0-9]*\) child.*/\1/p')
        [[ "${children:-0}" -gt 0 ]] && break
        sleep 0.1
    done
    [[ "${children:-0}" -gt 0 ]] || fail "$* drew no child window into $id: $(cat "$work/mode.log")"
    kill "$mode"
    for _ in $(seq 50); do
        kill -0 "$mode" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$mode" 2>/dev/null && fail "$* does not end on SIGTERM"
    kill "$parent"
    wait "$mode" "$parent" 2>/dev/null || true
    echo "$* draws into the parent window"
}
if [[ -n "$parent_helper" ]]; then
    in_parent --window-id
    in_parent --root
else
    echo "SKIPPED: the display mode in a parent window (no parent window helper given)"
fi

echo "== remove"
remove_package
installed && fail "the package is still installed"
for f in "${expected_files[@]}" /usr/share/dravelin-didazi /usr/share/doc/dravelin-didazi; do
    [[ -e "$f" || -L "$f" ]] && fail "$f is left behind"
done
echo "PASS"
