#!/usr/bin/env bash
# Click to sound: the time from a real click (xdotool, under Xvfb) to the first sample of its sound
# in a recording of a PulseAudio null sink, for "torch-on" (Ask Torch), "speak" (a topic picked
# with the panel open: the panel first closes silently, 0.4 s of animation) and "exit" (the exit
# button). Each round starts the program afresh; prints the median of each sound over the rounds.
#   bench/sound_bench.sh PROGRAM BUILD [ROUNDS]      (PROGRAM: BUILD/bin/veltrin)
# A click is a press and, 50 ms later, the release that runs the handler; the release's time lies
# between the moments just before xdotool starts and just after it returns, so each sound gets two
# medians, from before (the time at most) and from after (at least). A recorded sample's time is
# that of the earliest recorded piece less the samples before it, which errs late, never early.
source "$(dirname "$0")/../tests/e2e_lib.sh"
source "$(dirname "$0")/../tests/sound_lib.sh"
rounds=${3:-7}
e2e_begin "$1" "$2"
sound_begin || e2e_fail "no PulseAudio server could be started"

torch_ok=(1230 6555)
ask_torch=(840 6960 795 750)
panel_open() { [ "$(e2e_look "${ask_torch[@]}")" = "$look_while_open" ]; }
panel_closed() { ! panel_open; }
now_ns() { date +%s%N; }
# Runs an xdotool command and notes the sound it should start, with the times around it.
timed() {
    local sound=$1 before
    shift
    before=$(now_ns)
    xdotool "$@"
    echo "$sound $before $(now_ns)" >>"$work/clicks"
}
# Clicks a point of the window given in twips, the release timed.
timed_click() {
    xdotool mousemove --window "$window" $((($2 + 7) / 15)) $((($3 + 7) / 15)) mousedown 1
    sleep 0.05
    timed "$1" mouseup 1
}

one_round() {
    e2e_write_settings ' 0' '-1' '0' ' 0'
    e2e_start_program
    look_while_open=$(e2e_look "${ask_torch[@]}")
    e2e_click "${torch_ok[@]}"
    e2e_wait_for 10 "the Torch panel to close" panel_closed
    sleep 1.2
    timed_click torch-on 1237 7335   # the middle of Ask Torch
    e2e_wait_for 10 "the Torch panel to open" panel_open
    sleep 1
    e2e_click 2070 2572   # opens the topic list
    sleep 0.5
    timed speak keydown Return
    xdotool keyup Return
    sleep 2
    e2e_click "${torch_ok[@]}"
    e2e_wait_for 10 "the Torch panel to close" panel_closed
    sleep 1.2
    timed_click exit 11280 7072      # the middle of the exit button
    e2e_wait_for 10 "the program to end" e2e_program_ended
    app_pid=
    sleep 1.2
}

sound_start_recording
for ((round = 1; round <= rounds; ++round)); do one_round; done
sound_heard

# Each click's sound is the first of its name heard after it.
awk 'FNR == NR { heard[++n] = $2; at[n] = $5; next }
     { for (i = 1; i <= n; ++i) if (heard[i] == $1 && at[i] > $2 - 20e6) { print $1, (at[i] - $2) / 1e6, (at[i] - $3) / 1e6; break } }' \
    "$work/heard.list" "$work/clicks" >"$work/latencies"
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) printf "%.1f", (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'; }
for sound in torch-on speak exit; do
    count=$(awk -v s="$sound" '$1 == s' "$work/latencies" | wc -l)
    clicks=$(awk -v s="$sound" '$1 == s' "$work/clicks" | wc -l)
    at_most=$(awk -v s="$sound" '$1 == s { print $2 }' "$work/latencies" | median)
    at_least=$(awk -v s="$sound" '$1 == s { print $3 }' "$work/latencies" | median)
    echo "$sound: median ${at_least:-?} .. ${at_most:-?} ms, heard after $count of $clicks clicks"
done
