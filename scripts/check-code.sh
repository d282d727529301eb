#!/usr/bin/env bash
# The house rules a compiler does not check: no include crosses a layer, and every source file
# is formatted with the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-layers.sh
unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 |
    grep -oE '^[^ :]+\.(cpp|h):[0-9]+' | cut -d: -f1 | sort -u || true)
if [[ -n "$unformatted" ]]; then
    printf 'not formatted with clang-format (run clang-format -i on them):\n%s\n' "$unformatted" >&2
    exit 1
fi
echo "format: every source file is formatted"
