#!/usr/bin/env bash
# Fails when an include crosses a layer: the platform includes nothing above it, the platform's
# toolkit-free parts no Qt and no host, sprites only the platform, the game only sprites and the
# platform, and no Qt header reaches sprites, the game or the toolkit-free shell (TfrmMain's
# library). Prints every crossing include.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
# forbid FOLDER_OR_FILES... -- PATTERN WHY
forbid() {
    local files=() pattern why
    while [[ "$1" != "--" ]]; do files+=("$1"); shift; done
    pattern=$2 why=$3
    local hits
    hits=$(grep -nHE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" \
        $(find "${files[@]}" -name '*.h' -o -name '*.cpp' 2>/dev/null) 2>/dev/null || true)
    if [[ -n "$hits" ]]; then
        printf '%s:\n%s\n' "$why" "$hits" >&2
        status=1
    fi
}

forbid platform -- 'sprites/|game/|shell/|tools/' "the platform includes nothing above it"
forbid platform/core platform/gfx platform/time platform/io -- 'platform/(qt|win32)/|Q[A-Za-z]*>|xcb/' \
    "the platform's toolkit-free parts include no host and no Qt"
forbid sprites -- 'game/|shell/|tools/' "sprites include only the platform"
forbid game -- 'shell/|tools/' "the game includes only sprites and the platform"
forbid sprites game -- 'platform/(qt|win32)/|Q[A-Za-z]*>' "no Qt or host in sprites or the game"
# The toolkit-free shell: the sources of dd_shell and the headers they rest on.
shell_core=$(sed -n '/^add_library(dd_shell STATIC/,/^)/p' shell/CMakeLists.txt |
    grep -oE '^[[:space:]]+[A-Za-z]+\.cpp' | tr -d ' ' | sed 's|^|shell/|')
shell_headers=$(for f in $shell_core; do echo "${f%.cpp}.h"; done; echo shell/SaverPlatform.h)
forbid $shell_core $shell_headers -- 'platform/(qt|win32)/|Q[A-Za-z]*>|shell/(QtHost|EmbeddedHost|Dravchgp|Dravgetp|FAbout|fHelp|DialogStyle)\.h' \
    "the toolkit-free shell includes no Qt, no host and no dialog"
if [[ $status -eq 0 ]]; then echo "layers: no include crosses a layer"; fi
exit $status
