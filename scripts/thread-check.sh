#!/usr/bin/env bash
# Builds the sound path with ThreadSanitizer and runs its tests: the mixer, and the real wave
# players feeding the sound server from its thread while the game's thread plays and stops.
#   scripts/thread-check.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build-tsan"}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DDRAVELIN_WERROR=ON -DDRAVELIN_TSAN=ON \
    -DDRAVELIN_BENCH=OFF >/dev/null
cmake --build "$dir" -j2 --target sound_mixer_tests play_sound record_sound dravelin_data
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/tests/tsan.supp"
(cd "$dir" && ctest --output-on-failure --timeout 600 -R '^(SoundMixer\.|sound_through_pulseaudio$)')
