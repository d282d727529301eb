#!/usr/bin/env bash
# Sets up the machine, builds the program and starts the screen saver with its bundled data.
# Any arguments replace the default switch /s (for example: scripts/run.sh /c).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ $# -eq 0 ]; then set -- /s; fi
cd "$root/build/data"
exec "$root/build/bin/dravelin-didazi" "$@"
