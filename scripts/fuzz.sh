#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time from a seed corpus
# made by our own code: scripts/fuzz.sh [SECONDS_EACH]. Any crash, leak, hang or undefined
# behaviour fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
dir="$root/build-fuzz"
CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVELIN_FUZZ=ON \
    -DDRAVELIN_WERROR=ON -DDRAVELIN_TESTS=OFF -DDRAVELIN_BENCH=OFF >/dev/null
targets=(bmp frame_list sequence_list profile wave window_message form)
cmake --build "$dir" -j2 --target seedcorpus "${targets[@]/#/fuzz_}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$dir/fuzz/seedcorpus" "$work/seeds"
for target in "${targets[@]}"; do
    mkdir -p "$work/corpus-$target"
    echo "== fuzz_$target for ${seconds}s"
    "$dir/fuzz/fuzz_$target" "$work/corpus-$target" "$work/seeds/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=20000 \
        -artifact_prefix="$work/" -print_final_stats=0 2>&1 | grep -E "DONE|ERROR|SUMMARY|crash" || true
    if ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* >/dev/null 2>&1; then
        echo "fuzz_$target found a failure:" >&2
        ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null >&2
        exit 1
    fi
done
