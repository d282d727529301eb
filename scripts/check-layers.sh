#!/usr/bin/env bash
# Fails when an include crosses a layer, by folder: the platform includes nothing above it and
# its portable parts no system's own services; sprites include only the portable platform, the
# game only sprites and the portable platform; the toolkit-free shell no host and no toolkit.
# Each host is one folder (hosts/qt, hosts/win32, each with its dialogs' views) and includes
# nothing of another host; nothing outside a host includes a toolkit. Prints every crossing.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
# forbid FOLDERS... -- PATTERN WHY: no source file directly in FOLDERS (not in their subfolders)
# includes a header that matches PATTERN.
forbid() {
    local folders=() pattern why
    while [[ "$1" != "--" ]]; do folders+=("$1"); shift; done
    pattern=$2 why=$3
    local hits
    hits=$(find "${folders[@]}" -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \) -print0 |
        xargs -0 grep -nHE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" || true)
    if [[ -n "$hits" ]]; then
        printf '%s:\n%s\n' "$why" "$hits" >&2
        status=1
    fi
}

services='platform/(win32|posix|pulse)/'
qt='Q[A-Za-z]*>'
x_and_wayland='xcb/|wayland-'
win32='windows.h|platform/win32/Windows.h'
above_platform='sprites/|game/|shell/|hosts/|watcher/|tools/'

forbid platform/core platform/gfx platform/time platform/io -- "$services|$qt|$x_and_wayland|$above_platform" \
    "the portable platform includes no system's services, no toolkit and nothing above it"
forbid platform/posix platform/pulse -- "platform/win32/|$qt|$x_and_wayland|$above_platform" \
    "the POSIX services and the sound output include no toolkit, nothing of Win32, nothing above"
forbid platform/win32 -- "platform/(posix|pulse)/|$qt|$x_and_wayland|$above_platform" \
    "the Win32 services include nothing of Linux, no toolkit and nothing above them"
forbid sprites -- "$services|$qt|$x_and_wayland|game/|shell/|hosts/|tools/" "sprites include only the portable platform"
forbid game -- "$services|$qt|$x_and_wayland|shell/|hosts/|tools/" "the game includes only sprites and the portable platform"
forbid shell -- "$services|$qt|$x_and_wayland|$win32|hosts/|watcher/|tools/" \
    "the toolkit-free shell includes no system's services, no toolkit and no host"
forbid hosts/qt hosts/qt/dialogs -- "hosts/win32/|platform/win32/|$win32|tools/" \
    "the Qt host includes nothing of Win32"
forbid hosts/win32 hosts/win32/dialogs -- "hosts/qt/|platform/(posix|pulse)/|$qt|$x_and_wayland|tools/" \
    "the Win32 host includes nothing of Qt or Linux"
forbid watcher -- "sprites/|game/|shell/|hosts/|tools/|platform/win32/|$qt" \
    "the idle watcher includes no toolkit, nothing of the saver and nothing of Windows"
# Every folder with sources is one of the above, or tests, tools, benchmarks and fuzzers.
strays=$(git ls-files '*.cpp' '*.h' | xargs -n1 dirname | sort -u |
    grep -vxE 'platform/(core|gfx|time|io|posix|pulse|win32)|sprites|game|shell|hosts/(qt|win32)(/dialogs)?|watcher|(tests|tools|bench|fuzz)(/.*)?' || true)
if [[ -n "$strays" ]]; then
    printf 'sources in a folder the layers do not know:\n%s\n' "$strays" >&2
    status=1
fi
if [[ $status -eq 0 ]]; then echo "layers: no include crosses a layer"; fi
exit $status
