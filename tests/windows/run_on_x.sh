#!/usr/bin/env bash
# Runs a Windows test program under Wine on an X server of its own: run_on_x.sh PROGRAM.
# A prefix's Wine server keeps the display of the program that started it, so one left behind
# by tests that ran without a display is ended first.
set -euo pipefail
wineserver -k 2>/dev/null || true
wineserver -w
exec xvfb-run -a wine "$@"
