#!/usr/bin/env bash
# End to end: real clicks scroll the Introduction onto its first check-point, which unlocks the topic
# "Introduction", counts itself, and keeps the Torch panel open until OK is clicked.
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$@"

torch_ok=(1230 6555)          # OK in the Torch panel: panel (120, 495) + button middle (1110, 6060)
ask_torch=(840 6960 795 750)  # the Ask Torch button, shown exactly while the Torch panel is closed
panel_open() { [ "$(e2e_look "${ask_torch[@]}")" = "$look_while_open" ]; }
panel_closed() { ! panel_open; }
introduction_unlocked() { [ "$(cat "$app_dir/info.ndx")" = $'Greetings\r\nStatus\r\nIntroduction\r' ]; }
first_counter_is_one() { [ "$(head -n 1 "$app_dir/status.ndx")" = $' 1\r' ]; }

e2e_write_settings ' 0' '-1' '-1230' ' 1'   # mark 352; the check-point's mark 354 spans -1236 .. -1239
e2e_start_program
look_while_open=$(e2e_look "${ask_torch[@]}")   # the start shows the scrolling introduction
e2e_click "${torch_ok[@]}"
e2e_wait_for 10 "the Torch panel to close after OK" panel_closed

e2e_click_control 10725 4515 630 630   # the up arrow
e2e_wait_for 20 "the topic Introduction in info.ndx" introduction_unlocked
e2e_wait_for 10 "the first stage counter at 1" first_counter_is_one
e2e_wait_for 10 "the Torch panel to open on the check-point" panel_open
sleep 1   # the opening animation ends before OK is clicked
e2e_click "${torch_ok[@]}"
e2e_wait_for 10 "the Torch panel to close after OK on the check-point" panel_closed

e2e_exit
[ "$(e2e_settings_line 5)" = "-1" ] || e2e_fail "stage line: $(e2e_settings_line 5)"
position=$(e2e_settings_line 6)   # scrolling stopped on the check-point
[ "$position" -le -1236 ] && [ "$position" -ge -1239 ] || e2e_fail "position line: $position"
e2e_passed
