#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the normal build, each fuzz
# target for a bounded time, the Debian package installed and removed again, the Windows build
# under Wine, then the address and undefined-behaviour sanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

echo "== house rules"
"$root/scripts/check-code.sh"

echo "== build and test"
"$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest -j2 --output-on-failure --timeout 600)

echo "== fuzzing"
"$root/scripts/fuzz.sh" 30

echo "== package"
"$root/scripts/package.sh" "$root/build-pkg"
"$root/tests/package/package_test.sh" "$root"/build-pkg/dravelin-didazi_*.deb "$root/build/tests/parent_window"

echo "== Windows build, tested under Wine"
"$root/scripts/build-windows.sh" "$root/build-windows"
(cd "$root/build-windows" && ctest -j2 --output-on-failure --timeout 600)

echo "== sanitizer build and test"
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DDRAVELIN_SANITIZE=ON -DDRAVELIN_BENCH=OFF
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
(cd "$root/build-asan" && ctest -j2 --output-on-failure --timeout 600)
