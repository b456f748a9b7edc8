#!/usr/bin/env bash
# The journal commands as a user runs them, whole processes from start to exit, on a store of
# 100,000 entries (about 28 MB) made once in a temporary folder: entries seven hours apart, dated
# in the toolkit's older US form ("1/1/25 1:00:00 PM UTC") and in the form the program writes
# now ("1/1/2025 1:00:00 PM"), a few lines long, with commas, quotes, Markdown marks and, in one
# entry in eight, accented letters; and stores of 1,000 and 10,000 such entries for the PDF and the
# statistics. Each command's output goes to a file in that folder. `true` runs beside them as the
# yardstick of starting a process at all. Prints the machine's load, then
# each command's median, fastest and slowest wall time over the runs.
#   bench/journal_cli_bench.sh [BUILD_FOLDER] [RUNS] [ENTRIES]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-9}
entries=${3:-100000}
cmake --build "$build" --target veltrin >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
store="$work/veltrin.sdb"

# make_store ENTRIES FILE. 84% of the entries hold "wait" (21 in 25), none holds "zebra".
make_store() {
awk -v entries="$1" 'BEGIN {
    split("Openness|Patience|Courage|Gratitude|Stillness", subject, "|")
    split("Level One Operative of the Inner Realm|Apprentice of Stillness|Keeper of the Flame", rank, "|")
    start = mktime("2020 01 01 08 00 00")
    for (i = 0; i < entries; ++i) {
        t = start + i * 7 * 3600
        hour = strftime("%H", t, 1) + 0
        half = hour < 12 ? "AM" : "PM"
        hour = hour % 12 == 0 ? 12 : hour % 12
        day = (strftime("%m", t, 1) + 0) "/" (strftime("%d", t, 1) + 0) "/"
        clock = hour ":" strftime("%M:%S", t, 1) " " half
        chronology = i % 2 ? day strftime("%Y", t, 1) " " clock : day strftime("%y", t, 1) " " clock " UTC"
        digits = (1 + i % 5) "524" (1 + int(i / 7) % 5) "4" (1 + int(i / 3) % 5)
        text = "Today I noticed, again, how often I \"" (i % 25 < 21 ? "wait" : "hold back") "\" for others to speak first.\\par \n"
        text = text "* The morning sit: 20 minutes, #" i % 97 ", the breath _slow_ and even.\\par \n"
        if (i % 8 == 0) text = text "Grüße an Jörg; the café felt naïve, STRASSE noise outside.\\par \n"
        text = text "Tomorrow I will try to begin; entry " i "."
        printf "%s~%s~%s~~%s%s\r\n", chronology, rank[1 + i % 3], subject[1 + i % 5], digits, text
    }
}' >"$2"
}
make_store "$entries" "$store"
make_store 1000 "$work/1000.sdb"
make_store 10000 "$work/10000.sdb"

veltrin="$build/bin/veltrin"
names=(true export_csv export_json export_md search_none search_84 search_subject_dates chart_png pdf_1000 stats_10000 stats)
run_command() {
    case "$1" in
    true) true ;;
    export_csv) "$veltrin" journal export --store "$store" --format csv >"$work/out" ;;
    export_json) "$veltrin" journal export --store "$store" --format json >"$work/out" ;;
    export_md) "$veltrin" journal export --store "$store" --format md >"$work/out" ;;
    search_none) "$veltrin" journal search zebra --store "$store" >"$work/out" 2>/dev/null ;;
    search_84) "$veltrin" journal search WAIT --store "$store" >"$work/out" 2>/dev/null ;;
    search_subject_dates) "$veltrin" journal search --subject courage --from 2021-01-01 --to 2022-12-31 --store "$store" >"$work/out" 2>/dev/null ;;
    chart_png) "$veltrin" journal chart --store "$store" --output "$work/chart.png" ;;
    pdf_1000) "$veltrin" journal export --format pdf --store "$work/1000.sdb" --output "$work/journal.pdf" 2>/dev/null ;;
    stats_10000) "$veltrin" journal stats --store "$work/10000.sdb" >"$work/out" 2>/dev/null ;;
    stats) "$veltrin" journal stats --store "$store" >"$work/out" 2>/dev/null ;;
    esac
}
# /bin/true as a process of its own, as every other command is.
true() { /bin/true; }

now_ns() { date +%s%N; }
echo "store: $entries entries, $(($(stat -c %s "$store") / 1000)) kB; load:$(uptime | sed 's/.*load average://')"
for name in "${names[@]}"; do run_command "$name"; done   # warms the disk cache
for run in $(seq "$runs"); do
    for name in "${names[@]}"; do
        before=$(now_ns)
        run_command "$name"
        echo "$name $((($(now_ns) - before) / 1000))"
    done
done >"$work/times"
awk '{ t[$1, ++n[$1]] = $2; if (!($1 in n_seen)) { n_seen[$1] = 1; order[++names] = $1 } }
END {
    for (k = 1; k <= names; k++) {
        name = order[k]; c = n[name]
        for (i = 1; i <= c; i++) v[i] = t[name, i]
        for (i = 2; i <= c; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { s = v[j]; v[j] = v[j - 1]; v[j - 1] = s }
        med = c % 2 ? v[(c + 1) / 2] : (v[c / 2] + v[c / 2 + 1]) / 2
        printf "%-22s median %7.1f ms  (%.1f .. %.1f, %d runs)\n", name, med / 1000, v[1] / 1000, v[c] / 1000, c
    }
}' "$work/times"
echo "load after:$(uptime | sed 's/.*load average://')"
