#!/usr/bin/env bash
# Runs a command with a visible window: on a fresh Xvfb display, through Qt's xcb platform.
#   bench/on_display.sh build/bin/journal_bench --benchmark_filter=ShowReportOnScreen/10000
set -euo pipefail
source "$(dirname "$0")/display_lib.sh"
start_display
"$@"
