#!/usr/bin/env bash
# Runs a command with a visible window: on a fresh Xvfb display (-noreset), through Qt's xcb platform.
#   bench/on_display.sh build/bin/journal_bench --benchmark_filter=ShowReportOnScreen/10000
set -euo pipefail
work=$(mktemp -d)
cleanup() {
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do grep -q '[0-9]' "$work/display" && break; sleep 0.1; done
DISPLAY=":$(tr -d '\n' < "$work/display")" QT_QPA_PLATFORM=xcb "$@"
