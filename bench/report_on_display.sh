#!/usr/bin/env bash
# The journal report as the user waits for it, on a fresh Xvfb display: for each store size its own
# process, so that peak_MB is the peak of that size alone. Prints the machine's load first.
#   bench/report_on_display.sh build/bin/journal_bench
set -euo pipefail
source "$(dirname "$0")/display_lib.sh"
start_display
uptime
# The second number of each benchmark's name is 1 for a protected journal.
for entries in 1000 10000; do
    for sealed in 0 1; do
        "$1" --benchmark_filter="ShowReportOnScreen/$entries/$sealed/" | grep -E '_median|_mean'
    done
done
