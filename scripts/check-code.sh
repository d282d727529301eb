#!/usr/bin/env bash
# The house rules a compiler does not check: no include crosses a layer, the sprites and the game
# are the same code on every operating system, and every source file is formatted with the
# project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-layers.sh
conditional=$(grep -nE '^[[:space:]]*#[[:space:]]*if' sprites/*.cpp sprites/*.h game/*.cpp game/*.h || true)
if [[ -n "$conditional" ]]; then
    printf 'sprites and the game compile alike everywhere, without conditions:\n%s\n' "$conditional" >&2
    exit 1
fi
unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 |
    grep -oE '^[^ :]+\.(cpp|h):[0-9]+' | cut -d: -f1 | sort -u || true)
if [[ -n "$unformatted" ]]; then
    printf 'not formatted with clang-format (run clang-format -i on them):\n%s\n' "$unformatted" >&2
    exit 1
fi
echo "format: every source file is formatted"
