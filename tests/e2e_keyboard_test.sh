#!/usr/bin/env bash
# End to end, by the keyboard alone: real key presses close the scrolling introduction (Escape), read
# the Introduction onto its first check-point (Space), close the check-point's panel (Escape) and
# leave with Ctrl+Q, which saves the position reached.
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$@"

ask_torch=(840 6960 795 750)  # the Ask Torch button, shown exactly while the Torch panel is closed
panel_open() { [ "$(e2e_look "${ask_torch[@]}")" = "$look_while_open" ]; }
panel_closed() { ! panel_open; }
introduction_unlocked() { [ "$(cat "$app_dir/info.ndx")" = $'Greetings\r\nStatus\r\nIntroduction\r' ]; }

e2e_write_settings ' 0' '-1' '-1230' ' 1'   # mark 352; the check-point's mark 354 spans -1236 .. -1239
e2e_start_program
look_while_open=$(e2e_look "${ask_torch[@]}")   # the start shows the scrolling introduction
xdotool windowfocus --sync "$window"
xdotool key Escape
e2e_wait_for 10 "the Torch panel to close after Escape" panel_closed
sleep 1   # the closing animation ends before Space

xdotool key space
e2e_wait_for 20 "the topic Introduction in info.ndx" introduction_unlocked
e2e_wait_for 10 "the Torch panel to open on the check-point" panel_open
sleep 1   # the opening animation ends before Escape
xdotool key Escape
e2e_wait_for 10 "the Torch panel to close after Escape on the check-point" panel_closed

xdotool key ctrl+q
e2e_wait_for 10 "the program to end after Ctrl+Q" e2e_program_ended
app_pid=
position=$(e2e_settings_line 6)
[ "$position" -le -1236 ] && [ "$position" -ge -1239 ] || e2e_fail "position line: $position"
e2e_passed
