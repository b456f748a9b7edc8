#!/usr/bin/env bash
# End to end: the journal opened with its button, the Inner Snapshot ranked with real clicks, a subject
# and an entry typed; "Add Journal Entry" stores one record and counts it against its subject.
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$@"

frame1=(105 30)                 # the journal frame; the controls below are inside it
snapshot_frames=(5445 450  3570 1050  5445 1050  3570 1635  5460 1635  3570 2205  5460 2220)
option_lefts=(150 500 840 1180 1440)
ranks=(3 5 2 4 1 1 4)           # Power, Health, Awareness, Holy Connection, Inner Feeling, Pretending, Being Awake
in_journal() { e2e_click $((frame1[0] + $1)) $((frame1[1] + $2)); }
openness_counted() { [ "$(sed -n 2p "$app_dir/work.ndx")" = $'1\r' ]; }   # the count after OPENNESS
record_stored() {   # exactly one record: chronology~title~subject~~ranks and text, then CR LF
    [[ "$(cat "$course_dir/veltrin.sdb"; echo .)" =~ ^[^$'\n']*~[^~$'\n']+~Openness~~3524114'A quiet morning'$'\r\n'.$ ]]
}

e2e_write_settings ' 0' ' 7' ' 0' ' 1'
printf 'Greetings\r\nStatus\r\nIntroduction\r\n' > "$app_dir/info.ndx"   # no scrolling introduction over the frame
printf 'Journal Entry\r\nOPENNESS\r\n' > "$app_dir/mission.ndx"
e2e_start_program

e2e_click_control 10650 810 810 810   # the journal button
sleep 1   # the frame is drawn
for category in "${!ranks[@]}"; do
    left=${snapshot_frames[category * 2]} top=${snapshot_frames[category * 2 + 1]}
    in_journal $((left + option_lefts[ranks[category] - 1] + 120)) $((top + 240 + 120))
done
in_journal $((465 + 600)) $((2280 + 157))   # the subject box, showing its first subject
xdotool key ctrl+a
xdotool type --delay 50 'Openness'
in_journal $((375 + 3585)) $((3090 + 982))  # the entry box
xdotool type --delay 50 'A quiet morning'
in_journal $((2145 + 765)) $((5175 + 165))  # Add Journal Entry
e2e_wait_for 10 "the entry counted in work.ndx" openness_counted
e2e_wait_for 10 "the record in veltrin.sdb" record_stored
e2e_exit
e2e_passed
