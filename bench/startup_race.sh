#!/usr/bin/env bash
# Start-up against its yardsticks: Veltrin, a bare Qt window of the same size and title, and the
# first-screen yardstick (a Qt program of no Veltrin code showing the main window's background and
# the Level 2 text's first screen in the reading pane's place and face) started in turn on one Xvfb
# display, each timed from its process start to its window's mapping (the X server's MapNotify, no
# polling) and to the moment every pixel of the window has been drawn. The peers a user might pick
# instead are timed too when installed, and named as skipped when not.
# Veltrin starts on a copy of the sample course at Level 2, with the Introduction read, its sounds
# on (MUTED=1 turns them off); NEW_USER=1 starts it as a new user instead, at the course's start
# with the scroll intro in the Torch panel. Prints each round, then for both moments the medians,
# Veltrin's ratio to each other program's median and the median of the round-by-round ratios.
#   bench/startup_race.sh [BUILD_FOLDER] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-21}
cmake --build "$build" --target veltrin bare_window first_screen window_mapped veltrin-rtf2text veltrin_course >/dev/null

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
"$build/bin/veltrin-rtf2text" "$course/lessons/veltrin2.rtf" > "$work/level2.txt"

# Each contender: a name, the window title to wait for, the command.
names=(veltrin bare_window first_screen)
titles=(Veltrin Veltrin Veltrin)
commands=("$build/bin/veltrin" "$build/bin/bare_window" "$build/bin/first_screen")
for peer in lifeograph:Lifeograph rednotebook:RedNotebook; do
    if command -v "${peer%%:*}" >/dev/null; then
        names+=("${peer%%:*}") titles+=("${peer#*:}") commands+=("$(command -v "${peer%%:*}")")
    else
        echo "skipped ${peer%%:*}: not installed"
    fi
done

watch="$build/bin/window_mapped"
time_contender() {
    local arguments=()
    if [ "${names[$1]}" = first_screen ]; then arguments=("$course/lessons/wood3-bkg.jpg" "$work/level2.txt"); fi
    "$watch" "${titles[$1]}" "${commands[$1]}" "${arguments[@]}"
}
for i in "${!names[@]}"; do time_contender "$i" >/dev/null; done   # warms the disk cache for all
echo "run$(for name in "${names[@]}"; do printf ' %s_mapped_ms %s_drawn_ms' "$name" "$name"; done)"
for run in $(seq "$runs"); do
    row="$run"
    for i in "${!names[@]}"; do row+=" $(time_contender "$i")"; done
    echo "$row"
done | tee "$work/pairs"
awk -v names="${names[*]}" '
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
function report(what, column,   c, r, v, o, ratio, mv, mo) {
    for (r = 1; r <= NR; r++) v[r] = ms[r, 1, column]
    mv = median(v, NR)
    printf "median %s: veltrin %.1f ms\n", what, mv
    for (c = 2; c <= count; c++) {
        for (r = 1; r <= NR; r++) { v[r] = ms[r, 1, column]; o[r] = ms[r, c, column]; ratio[r] = v[r] / o[r] }
        mo = median(o, NR)
        printf "  %s %.1f ms: Veltrin to it, ratio of medians %.2f, median pair ratio %.2f (%d pairs)\n",
               name[c], mo, mv / mo, median(ratio, NR), NR
    }
}
BEGIN { count = split(names, name, " ") }
{ for (c = 1; c <= count; c++) { ms[NR, c, 1] = $(2 * c); ms[NR, c, 2] = $(2 * c + 1) } }
END { report("mapped", 1); report("drawn", 2) }' "$work/pairs"
