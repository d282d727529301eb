#!/usr/bin/env bash
# Cross-compiles the Windows build with MinGW-w64 and prepares Wine to run it:
#   scripts/build-windows.sh [BUILD_DIR]
# Leaves BUILD_DIR/bin/dravelin-didazi.scr, the installer and the zip for users, and a Wine
# prefix of the build's own (BUILD_DIR/wineprefix) for its tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build-windows"}
"$root/scripts/setup.sh" windows

# The pictures and sounds are drawn on this machine, by the native assetgen.
native="$root/build"
cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVELIN_WERROR=ON >/dev/null
cmake --build "$native" -j2 --target assetgen

cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DDRAVELIN_WERROR=ON \
    -DDRAVELIN_ASSETGEN="$native/tools/assetgen/assetgen" >/dev/null
cmake --build "$dir" -j2

if [[ ! -f "$dir/wineprefix/system.reg" ]]; then
    echo "Preparing Wine (the first time takes a while)"
    if ! WINEPREFIX="$dir/wineprefix" WINEDEBUG=-all wineboot -i >"$dir/wineboot.log" 2>&1 ||
        ! WINEPREFIX="$dir/wineprefix" wineserver -w; then
        cat "$dir/wineboot.log" >&2
        echo "build-windows: preparing Wine failed" >&2
        exit 1
    fi
fi
echo "Built $dir/bin/dravelin-didazi.scr, $(ls "$dir"/dravelin-didazi-*-setup.exe) and" \
    "$(ls "$dir"/dravelin-didazi-*-windows.zip)"
