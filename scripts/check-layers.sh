#!/usr/bin/env bash
# Fails when an include crosses a layer, by folder: the platform includes nothing above it and
# its portable parts no back end; sprites include only the portable platform, the game only
# sprites and the portable platform; the toolkit-free shell no back end and no view; the Qt and
# the Win32 views and hosts never each other. Prints every crossing include.
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

backends='platform/(qt|win32|posix|pulse)/'
qt='Q[A-Za-z]*>|xcb/'
above_platform='sprites/|game/|shell/|tools/'

forbid platform/core platform/gfx platform/time platform/io -- "$backends|$qt|$above_platform" \
    "the portable platform includes no back end, no Qt and nothing above it"
forbid platform/posix platform/pulse -- "platform/(qt|win32)/|$qt|$above_platform" \
    "the POSIX implementations and the sound output include no Qt, no Win32 and nothing above"
forbid platform/qt -- "platform/win32/|$above_platform" "the Qt back end includes nothing above it"
forbid platform/win32 -- "platform/(qt|posix|pulse)/|$qt|$above_platform" \
    "the Win32 back end includes nothing of Linux and nothing above it"
forbid sprites -- "$backends|$qt|game/|shell/|tools/" "sprites include only the portable platform"
forbid game -- "$backends|$qt|shell/|tools/" "the game includes only sprites and the portable platform"
forbid shell -- "$backends|$qt|shell/(qt|win32)/|tools/" \
    "the toolkit-free shell includes no back end, no Qt and no view"
forbid shell/qt -- "platform/win32/|shell/win32/|windows.h" "the Qt views include nothing of Win32"
forbid shell/win32 -- "platform/(qt|posix|pulse)/|$qt|shell/qt/" \
    "the Win32 views include nothing of Qt or Linux"
if [[ $status -eq 0 ]]; then echo "layers: no include crosses a layer"; fi
exit $status
