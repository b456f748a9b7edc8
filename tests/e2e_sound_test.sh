#!/usr/bin/env bash
# End to end, heard: the program plays into a PulseAudio null sink of the test's own, whose monitor is
# recorded; real clicks close the scrolling introduction (torch-off), ask Torch (torch-on), pick a
# topic (speak), close the panel (torch-off), then mute the sounds in the contact window (Ask Torch
# and OK are silent then), unmute them and exit (the exit sound is heard before the program ends).
# Each sound is named by matching the recording against the course's wave files. Skips (77) when no
# PulseAudio server can be started.
source "$(dirname "$0")/e2e_lib.sh"
source "$(dirname "$0")/sound_lib.sh"
e2e_begin "$@"
sound_begin || { echo "SKIPPED: no PulseAudio server could be started"; exit 77; }

torch_ok=(1230 6555)
ask_torch=(840 6960 795 750)
topic_list_button=(2070 2572)         # the drop-down button of the topic list, at the panel's right edge
contact_button=(10635 2970 900 375)
panel_open() { [ "$(e2e_look "${ask_torch[@]}")" = "$look_while_open" ]; }
panel_closed() { ! panel_open; }
contact_window() { xdotool search --onlyvisible --name '^Veltrin Contact Info$' | head -n 1; }
contact_shown() { [ -n "$(contact_window)" ]; }
contact_hidden() { ! contact_shown; }
# Clicks in the contact window at a point given in twips of its client area.
contact_click() { xdotool mousemove --window "$(contact_window)" $((($1 + 7) / 15)) $((($2 + 7) / 15)) click 1; }

# Mutes or unmutes in the contact window: open it, click the check box, close it with its OK.
toggle_mute() {
    e2e_click_control "${contact_button[@]}"
    e2e_wait_for 10 "the contact window" contact_shown
    sleep 0.5
    contact_click 600 2680    # the mute check box
    sleep 0.3
    contact_click 4650 3160   # its OK
    e2e_wait_for 10 "the contact window to close" contact_hidden
    sleep 0.5
}

ask_torch_and_close() {
    e2e_click_control "${ask_torch[@]}"
    e2e_wait_for 10 "the Torch panel to open after Ask Torch" panel_open
    sleep 1
    e2e_click "${torch_ok[@]}"
    e2e_wait_for 10 "the Torch panel to close after OK" panel_closed
    sleep 1
}

sound_start_recording
e2e_write_settings ' 0' '-1' '0' ' 0'
e2e_start_program
look_while_open=$(e2e_look "${ask_torch[@]}")   # the start shows the scrolling introduction
sleep 1
e2e_click "${torch_ok[@]}"
e2e_wait_for 10 "the Torch panel to close" panel_closed
sleep 1

e2e_click_control "${ask_torch[@]}"
e2e_wait_for 10 "the Torch panel to open after Ask Torch" panel_open
sleep 1
e2e_click "${topic_list_button[@]}"
sleep 0.5
xdotool key Return                    # picks the topic the list shows first
sleep 2                               # the panel closes silently, speaks and opens on the topic
e2e_wait_for 10 "the Torch panel to open on the topic" panel_open
e2e_click "${torch_ok[@]}"
e2e_wait_for 10 "the Torch panel to close after the topic" panel_closed
sleep 1

toggle_mute
ask_torch_and_close
toggle_mute
e2e_exit
sleep 0.5

sound_heard
sed 's/^/heard: /' "$work/heard.list"
names=$(awk '{ print $2 }' "$work/heard.list" | tr '\n' ' ')
expected="run torch-off torch-on speak torch-off stuffin stuffout exit "
[ "$names" = "$expected" ] || e2e_fail "heard \"$names\", expected \"$expected\""
awk '$2 == "exit" && $4 >= 0.5 { found = 1 } END { exit !found }' "$work/heard.list" ||
    e2e_fail "the exit sound was cut off within its first half second"
[ "$(e2e_settings_line 7)" = " 0" ] || e2e_fail "mute line after unmuting: $(e2e_settings_line 7)"
e2e_passed
