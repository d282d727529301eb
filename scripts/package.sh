#!/usr/bin/env bash
# Builds the Debian package: scripts/package.sh [BUILD_DIR]. Installs what the build needs,
# makes a Release build without tests and benchmarks in BUILD_DIR (default build-pkg) with
# Debian's hardening flags, and prints the path of the .deb it wrote there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-"$root/build-pkg"}")
"$root/scripts/setup.sh"
cd "$root" # dpkg-buildflags maps the current folder out of file names

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The package is stripped, and the Release build picks its own optimisation level.
export DEB_CXXFLAGS_MAINT_STRIP="-g -O2"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DDRAVELIN_TESTS=OFF -DDRAVELIN_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$dir" -j2
rm -f "$dir"/dravelin-didazi_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/dravelin-didazi_*.deb)
echo "$deb"
