# Shared steps of the end-to-end tests, sourced by tests/e2e_*_test.sh: the real program under Xvfb on a
# copy of the sample course, driven with real mouse and keyboard events. Twips are 15 to a pixel.
# Calls `e2e_begin <program> <build folder>` first; it sets `work`, `app_dir`, `course_dir`,
# `sound_dir`, `settings` and cleans up on exit. A failing test leaves a screenshot in the build folder.
set -euo pipefail

e2e_begin() {
    e2e_program=$1
    e2e_build=$2
    e2e_name=$(basename "$0" .sh)
    work=$(mktemp -d)
    trap e2e_cleanup EXIT
    cp -r "$e2e_build/share/veltrin/course" "$work/course"
    app_dir="$work/course/torch/"
    course_dir="$work/course/lessons/"
    sound_dir="$work/course/sounds/"
    mkdir -p "$work/config/veltrin" "$work/data"
    settings="$work/config/veltrin/veltrin3.ini"
    e2e_start_display
}

e2e_cleanup() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -n "${xvfb_pid:-}" ]; then
        import -window root "$e2e_build/$e2e_name-failure.png" 2>/dev/null || true
        echo "screenshot: $e2e_build/$e2e_name-failure.png"
    fi
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
    declare -F e2e_on_exit >/dev/null && e2e_on_exit   # a helper library's own servers
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
    exit "$status"
}

# Starts Xvfb on a display number it picks itself, so that tests running side by side never share one.
e2e_start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    e2e_wait_for 20 "Xvfb to report its display" grep -q '[0-9]' "$work/display"
    export DISPLAY=":$(tr -d '\n' < "$work/display")"
    e2e_wait_for 20 "Xvfb on $DISPLAY" xdpyinfo
}

# The seven settings lines: the three folders, then delay, stage, position and mute as given.
e2e_settings_text() {
    printf '%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n%s\r\n' "$app_dir" "$course_dir" "$sound_dir" "$@"
}
e2e_write_settings() { e2e_settings_text "$@" > "$settings"; }

# Line n of the settings file, without its line end.
e2e_settings_line() { sed -n "$1p" "$settings" | tr -d '\r'; }

# Starts the program and waits for its window; sets `app_pid` and `window`.
e2e_start_program() {
    HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb \
        "$e2e_program" >"$work/out.log" 2>&1 &
    app_pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Veltrin$' | head -n 1)
    [ -n "$window" ] || e2e_fail "the window did not appear"
    sleep 1   # the window is drawn and the start-up has returned to the event loop
}

e2e_fail() {
    echo "FAILED: $*"
    [ -s "$work/out.log" ] && sed 's/^/program: /' "$work/out.log" | head -20
    exit 1
}

# Polls a command every tenth of a second until it succeeds; fails the test after the given seconds.
e2e_wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || e2e_fail "timed out waiting for $what"
        sleep 0.1
    done
}

# Clicks at a point of the window's client area given in twips (usually a control's middle).
e2e_click() {
    xdotool mousemove --window "$window" $((($1 + 7) / 15)) $((($2 + 7) / 15)) click 1
}

# Clicks the middle of a control given as left, top, width and height in twips of the client area.
e2e_click_control() { e2e_click $(($1 + $3 / 2)) $(($2 + $4 / 2)); }

# A checksum of the pixels of a control given in twips of the client area; tells two looks apart.
e2e_look() {
    import -window "$window" -crop "$(($3 / 15))x$(($4 / 15))+$(($1 / 15))+$(($2 / 15))" +repage rgb:- | md5sum
}

e2e_program_running() { kill -0 "$app_pid" 2>/dev/null; }
e2e_program_ended() { ! e2e_program_running; }

# Clicks the exit button and waits for the program to end.
e2e_exit() {
    e2e_click_control 10980 6840 600 465
    e2e_wait_for 10 "the program to end after the exit button" e2e_program_ended
    app_pid=
}

e2e_passed() { echo "1 passed, 0 failed"; }
