#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh [BUILD_DIR [extra cmake options...]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
shift || true
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVELIN_WERROR=ON "$@" >/dev/null
cmake --build "$dir" -j2
