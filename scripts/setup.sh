#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test; with "windows", also
# the cross compiler, Wine and the GoogleTest sources for the Windows build.
# Skips what is already installed; fails loudly when an install fails.
set -euo pipefail

packages=(
    cmake g++ make pkg-config git
    clang libclang-rt-14-dev clang-format valgrind
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libqt6opengl6-dev
    libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation libxcb1-dev libxcb-shm0-dev
    xvfb xserver-xephyr xscreensaver xscreensaver-data xdotool x11-utils openbox pulseaudio pulseaudio-utils libpulse-dev
    sway swayidle grim wtype qt6-wayland libwayland-dev wayland-protocols plasma-wayland-protocols
    libxcb-sync-dev libsystemd-dev kwin-wayland gnome-shell jq
    imagemagick sox
    zlib1g-dev dpkg-dev file lintian desktop-file-utils appstream man-db groff-base
)
if [[ "${1:-}" == "windows" ]]; then
    packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 googletest nsis)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get update -q; then
    echo "setup: apt-get update failed" >&2
    exit 1
fi
if ! "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    echo "setup: installing ${missing[*]} failed" >&2
    exit 1
fi
