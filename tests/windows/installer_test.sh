#!/usr/bin/env bash
# The installer as an administrator deploys it: silently into a fresh Wine prefix, again over
# itself, then removed silently, checking what it leaves behind each time:
#   installer_test.sh SETUP_EXE
SETUP=$(realpath "$1")
source "$(dirname "$0")/../desktop/common.sh"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
# The saver keeps its settings where a Windows user's are, not in the test's folder.
unset DRAVELIN_SETTINGS_DIR
title="Dravelin Didazi Screen Saver"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DravelinDidazi'
folder="$WINEPREFIX/drive_c/Program Files/Dravelin Didazi"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dravelin Didazi Settings.lnk"
stop_wine() { wineserver -k 2>/dev/null || true; }
trap 'stop_wine; cleanup' EXIT

start_x 1920 1080
start_openbox
echo "a fresh Wine prefix"
wineboot -i >/dev/null 2>&1
wineserver -w
user_settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Dravelin Didazi"
[[ -d "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming" ]] || fail "no AppData in the prefix"

# run WINDOWS_PROGRAM ARGS...: runs it and waits for everything it started.
run() {
    wine "$@" >>"$work/wine.log" 2>&1 || fail "$1 $2 failed: $(tail -5 "$work/wine.log")"
    wineserver -w
}
# value NAME: the uninstall entry's value, as reg query prints it.
value() {
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}
entries() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | grep -c "DisplayName *REG_SZ *$title\$" || true
}

echo "a silent install puts the .scr and its data in Program Files"
run "$SETUP" /S
contents=$(cd "$folder" && find . -type f | sort | tr '\n' ' ')
expected="./CLRBTMP.BMP ./dravelin-didazi.scr ./klapper.wav ./knerp.wav ./lucht2.bmp ./ratel.wav ./uninstall.exe ./water.bmp ./waterlp.wav ./zee.bmp "
[[ "$contents" == "$expected" ]] || fail "Program Files holds: $contents"
cmp -s "$folder/dravelin-didazi.scr" "$(dirname "$SETUP")/bin/dravelin-didazi.scr" ||
    fail "the installed .scr is not the one built"

echo "Apps lists it, with its version, publisher, icon, size and uninstaller"
[[ "$(value DisplayName)" == "$title" ]] || fail "DisplayName: $(value DisplayName)"
[[ "$(value DisplayVersion)" == "1.0" ]] || fail "DisplayVersion: $(value DisplayVersion)"
[[ "$(value Publisher)" == "The Dravelin Didazi developers" ]] || fail "Publisher: $(value Publisher)"
windir='C:\Program Files\Dravelin Didazi'
[[ "$(value DisplayIcon)" == "$windir\\dravelin-didazi.scr,0" ]] ||
    fail "DisplayIcon: $(value DisplayIcon)"
[[ "$(value UninstallString)" == "\"$windir\\uninstall.exe\"" ]] ||
    fail "UninstallString: $(value UninstallString)"
[[ "$(value QuietUninstallString)" == "\"$windir\\uninstall.exe\" /S" ]] ||
    fail "QuietUninstallString: $(value QuietUninstallString)"
size=$(($(value EstimatedSize)))
on_disk=$(du -sk "$folder" | cut -f1)
((size > on_disk / 2 && size < on_disk * 2)) || fail "EstimatedSize $size KB, $on_disk KB on disk"

echo "the Start menu's \"Dravelin Didazi Settings\" runs the .scr with /c"
[[ -f "$link" ]] || fail "no Start-menu entry"
strings -a "$link" | grep -qi 'Program Files\\Dravelin Didazi\\dravelin-didazi.scr' ||
    fail "the entry does not point at the .scr: $(strings -a "$link")"
[[ "$(strings -el -n 2 "$link" | grep -x '/c')" == "/c" ]] ||
    fail "the entry does not pass /c: $(strings -el -n 2 "$link")"

echo "the installed .scr /s shows the field, started in another folder, with its data beside it"
mkdir -p "$user_settings"
printf '[ScreenSaver.Zeilen]\r\nPicture=3\r\nSound=0\r\n' >"$user_settings/control.ini"
(cd "$work" && exec wine "$windir\\dravelin-didazi.scr" /s) >"$work/saver.log" 2>&1 &
saver_pid=$!
wait_window "$title"
wait_focus "$title"
sleep 2
expect_field 240 0 1680 1080
shot installed-saver
xdotool key Escape
expect_exit 0
wineserver -w

echo "installing over it replaces it: one entry in Apps, the settings kept"
run "$SETUP" /S
[[ "$(entries)" == 1 ]] || fail "$(entries) entries in Apps"
[[ -f "$folder/dravelin-didazi.scr" ]] || fail "the .scr is gone after reinstalling"
grep -q 'Picture=3' "$user_settings/control.ini" || fail "the settings were lost"

echo "a silent uninstall removes the files, the entry and the shortcut, and keeps the settings"
run "$folder/uninstall.exe" /S
[[ ! -e "$folder" ]] || fail "left behind: $(find "$folder")"
[[ ! -e "$link" ]] || fail "the Start-menu entry is still there"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
[[ "$(entries)" == 0 ]] || fail "Apps still lists it"
grep -q 'Picture=3' "$user_settings/control.ini" || fail "the user's settings were removed"
echo "PASS"
