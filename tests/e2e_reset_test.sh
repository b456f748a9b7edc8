#!/usr/bin/env bash
# End to end: the erase button asks first; a real click on Yes rewrites the progress files as for a
# fresh course and keeps each former file as a .bak copy beside it.
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$@"

ask_torch=(840 6960 795 750)   # the Ask Torch button, hidden while the Torch panel is open
panel_open() { [ "$(e2e_look "${ask_torch[@]}")" != "$look_while_closed" ]; }
fresh_counters() { cmp -s "$app_dir/status.ndx" <(printf ' 0\r\n%.0s' {1..45}); }
same() { cmp -s "$1" "$2" || e2e_fail "$1 differs from $2: $(od -c "$1" | head -5)"; }

e2e_write_settings ' 420' ' 3' '-500' ' 1'
printf 'Greetings\r\nStatus\r\nIntroduction\r\nCosmic Map\r\nIcons\r\n' > "$app_dir/info.ndx"
printf 'Journal Entry\r\nOPENNESS\r\n' > "$app_dir/mission.ndx"
printf '1/2/2026 9:00:00 AM~Level Three~Openness~~3524114A line\r\n' > "$course_dir/veltrin.sdb"
sed -i '1s/ 0/ 3/' "$app_dir/status.ndx"   # three check-points passed in the Introduction
sed -i '2s/^0/4/' "$app_dir/work.ndx"      # four entries of OPENNESS
mkdir "$work/before"
cp "$app_dir"/{info,mission,status,work}.ndx "$course_dir/veltrin.sdb" "$work/before/"

e2e_start_program
look_while_closed=$(e2e_look "${ask_torch[@]}")
e2e_click_control 5940 7380 1260 330    # the erase button
e2e_wait_for 10 "the question in the Torch panel" panel_open
sleep 1   # the opening animation ends before Yes is clicked
e2e_click $((120 + 75 + 240)) $((495 + 5880 + 150))   # Yes, inside the panel
e2e_wait_for 10 "the stage counters to be cleared" fresh_counters

same "$app_dir/info.ndx" <(printf 'Greetings\r\nStatus\r\n')
same "$app_dir/mission.ndx" <(printf 'Journal Entry\r\n')
[ ! -s "$course_dir/veltrin.sdb" ] || e2e_fail "veltrin.sdb is not empty"
same "$settings" <(e2e_settings_text ' 420' '-1' ' 0' ' 1')
for name in info.ndx mission.ndx status.ndx work.ndx; do same "$app_dir/$name.bak" "$work/before/$name"; done
same "$course_dir/veltrin.sdb.bak" "$work/before/veltrin.sdb"
e2e_exit
e2e_passed
