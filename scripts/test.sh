#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the normal build, the address
# and undefined-behaviour sanitizer build, then each fuzz target for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

echo "== build and test"
"$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest -j2 --output-on-failure --timeout 600)

echo "== fuzzing"
"$root/scripts/fuzz.sh" 45

echo "== sanitizer build and test"
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DDRAVELIN_SANITIZE=ON -DDRAVELIN_BENCH=OFF
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
(cd "$root/build-asan" && ctest -j2 --output-on-failure --timeout 600)
