#!/usr/bin/env bash
# End to end through the accessibility bus alone, as a screen reader drives the program: on a private
# D-Bus session and accessibility bus, the Introduction is read onto its first check-point and a
# journal entry is written and read back by the controls' own actions; every window is walked for
# focusable controls without a name. No mouse, no key: the stored files show what the actions did.
# The window gets the input focus once, as a window manager gives it to a window that appears.
[ -n "${E2E_PRIVATE_BUS:-}" ] || exec env E2E_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
source "$(dirname "$0")/e2e_lib.sh"
bus_launcher=/usr/libexec/at-spi-bus-launcher
if [ ! -x "$bus_launcher" ] || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "skipped: no accessibility bus or pyatspi (scripts/setup installs them)"
    exit 77
fi
e2e_begin "$@"
e2e_on_exit() { [ -n "${bus_pid:-}" ] && kill "$bus_pid" 2>/dev/null; }
"$bus_launcher" --launch-immediately >/dev/null 2>&1 &
bus_pid=$!
journey() { /usr/bin/python3 "$(dirname "$0")/accessibility_journey.py" "$app_pid" "$course_dir" "$@" || e2e_fail "accessibility journey: $*"; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start() {
    e2e_start_program
    xdotool windowfocus --sync "$window"
}
ended() {
    e2e_wait_for 10 "the program to end after its exit button" e2e_program_ended
    app_pid=
}

e2e_write_settings ' 0' '-1' '-1230' ' 1'   # mark 352; the first check-point's mark 354 spans -1236 .. -1239
start
journey journey exit
ended
[ "$(cat "$app_dir/info.ndx")" = $'Greetings\r\nStatus\r\nIntroduction\r' ] || e2e_fail "info.ndx: $(cat -A "$app_dir/info.ndx")"
[ "$(head -n 1 "$app_dir/status.ndx")" = $' 1\r' ] || e2e_fail "status.ndx: $(cat -A "$app_dir/status.ndx")"
[[ "$(cat "$course_dir/veltrin.sdb"; echo .)" =~ ^[^$'\n']*~Ascendant~Openness~~3524114'A quiet morning'$'\r\n'.$ ]] ||
    e2e_fail "veltrin.sdb: $(cat -A "$course_dir/veltrin.sdb")"
position=$(e2e_settings_line 6)   # reading stopped on the check-point
[ "$position" -le -1236 ] && [ "$position" -ge -1239 ] || e2e_fail "position line: $position"

e2e_write_settings ' 0' ' 9' ' 0' ' 1'   # the second pass, every level button an icon
start
journey walk message exit
ended
e2e_passed
