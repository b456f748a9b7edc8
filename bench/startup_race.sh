#!/usr/bin/env bash
# Start-up against its yardstick: Veltrin and a bare Qt window of the same size and title started in
# turn on one Xvfb display, each timed from its process start to its window's mapping (the X
# server's MapNotify, no polling) and to the moment every pixel of the window has been drawn.
# Veltrin starts on a copy of the sample course at Level 2, with the Introduction read, its sounds
# on (MUTED=1 turns them off); NEW_USER=1 starts it as a new user instead, at the course's start
# with the scroll intro in the Torch panel. Prints each pair, then for both moments the medians, their ratio and
# the median of the pair-by-pair ratios.
#   bench/startup_race.sh [BUILD_FOLDER] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-21}
cmake --build "$build" --target veltrin bare_window window_mapped veltrin_course >/dev/null

source bench/display_lib.sh
start_display
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

course="$work/course"
cp -r "$build/share/veltrin/course" "$course"
stage=" 1"
if [ "${NEW_USER:-0}" = 1 ]; then stage="-1"; else printf 'Introduction\r\n' >> "$course/torch/info.ndx"; fi
mkdir -p "$work/config/veltrin"
printf '%s\r\n%s\r\n%s\r\n 700\r\n%s\r\n 0\r\n %s\r\n' "$course/torch/" "$course/lessons/" "$course/sounds/" "$stage" "${MUTED:-0}" \
    > "$work/config/veltrin/veltrin3.ini"

watch="$build/bin/window_mapped"
"$watch" Veltrin "$build/bin/veltrin" >/dev/null      # warms the disk cache for both
"$watch" Veltrin "$build/bin/bare_window" >/dev/null
echo "run  veltrin_mapped_ms veltrin_drawn_ms  bare_mapped_ms bare_drawn_ms"
for run in $(seq "$runs"); do
    echo "$run $("$watch" Veltrin "$build/bin/veltrin") $("$watch" Veltrin "$build/bin/bare_window")"
done | tee "$work/pairs"
awk '
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
function report(what, v, b, r,   mv, mb) {
    mv = median(v, NR); mb = median(b, NR)
    printf "median %s: veltrin %.1f ms, bare window %.1f ms, ratio of medians %.2f, median pair ratio %.2f (%d pairs)\n",
           what, mv, mb, mv / mb, median(r, NR), NR
}
{ vm[NR] = $2; vd[NR] = $3; bm[NR] = $4; bd[NR] = $5; rm[NR] = $2 / $4; rd[NR] = $3 / $5 }
END { report("mapped", vm, bm, rm); report("drawn", vd, bd, rd) }' "$work/pairs"
