# Sound for the end-to-end tests and the sound benchmark, sourced after e2e_lib.sh: a PulseAudio
# server of the test's own (no system service, no D-Bus) with one null sink, which the program
# plays into, and a recording of that sink's monitor. `sound_begin` fails when the server cannot
# start; the caller decides whether that skips.
sound_rate=22050

sound_begin() {
    hear="$e2e_build/bin/veltrin-hear"
    command -v pulseaudio >/dev/null && command -v parec >/dev/null && command -v pactl >/dev/null || return 1
    export PULSE_RUNTIME_PATH="$work/pulse"
    export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
    mkdir -p "$PULSE_RUNTIME_PATH"
    env -u DISPLAY DBUS_SESSION_BUS_ADDRESS=disabled: HOME="$work" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
        -L "module-null-sink sink_name=heard rate=$sound_rate channels=1" \
        -L "module-native-protocol-unix socket=$PULSE_RUNTIME_PATH/native auth-anonymous=1" >"$work/pulse.log" 2>&1 &
    pulse_pid=$!
    local deadline=$((SECONDS + 20))
    until pactl info >/dev/null 2>&1; do
        kill -0 "$pulse_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Ends the recorder and the server, and waits for them: the folder they write in goes next.
e2e_on_exit() {
    kill ${parec_pid:-} ${pulse_pid:-} 2>/dev/null || true
    wait ${hear_pid:-} ${pulse_pid:-} 2>/dev/null || true
    return 0
}

# Records the sink's monitor into heard.raw (with heard.times, the wall clock of each piece), and
# returns once samples flow: a monitor stream takes a moment to start.
sound_start_recording() {
    mkfifo "$work/heard.fifo"
    "$hear" record "$work/heard.raw" "$work/heard.times" <"$work/heard.fifo" &
    hear_pid=$!
    parec --device=heard.monitor --format=s16le --rate=$sound_rate --channels=1 --latency-msec=10 --raw >"$work/heard.fifo" &
    parec_pid=$!
    e2e_wait_for 20 "the recorder to deliver samples" sound_flowing
}

sound_flowing() { [ "$(stat -c %s "$work/heard.raw" 2>/dev/null || echo 0)" -gt $((sound_rate / 5)) ]; }

# Ends the recording and lists what was heard in heard.list: a line per sound with the seconds into
# the recording, its name, the match and the wall-clock nanoseconds of its first sample.
sound_heard() {
    kill "$parec_pid" 2>/dev/null || true
    wait "$hear_pid" 2>/dev/null || true
    parec_pid=
    hear_pid=
    "$hear" list "$work/heard.raw" "$sound_dir" "$work/heard.times" >"$work/heard.list"
}
