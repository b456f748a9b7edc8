#!/usr/bin/env bash
# End to end: the real program under Xvfb, started on a copy of the sample course with a settings
# file of key=value lines; a real click on the exit button must rewrite the settings file plainly.
set -euo pipefail
program=$1
build=$2

work=$(mktemp -d)
display_number=$((90 + RANDOM % 400))
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$build/share/veltrin/course" "$work/course"
mkdir -p "$work/config/veltrin" "$work/data"
settings="$work/config/veltrin/veltrin3.ini"
printf 'Torch=%s\r\nLessons=%s\r\nSounds=%s\r\nDelay=420\r\nStage=2\r\nPosition=-300\r\nMuted=1\r\n' \
    "$work/course/torch/" "$work/course/lessons/" "$work/course/sounds/" > "$settings"

Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display_number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb \
    "$program" >"$work/out.log" 2>&1 &
app_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Veltrin$' | head -n 1)
sleep 1
# The exit button's middle, in pixels of the client area: (10980 + 300, 6840 + 232) twips / 15.
xdotool mousemove --window "$window" 752 471 click 1
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "the program did not end after the exit button was clicked"
    exit 1
fi
app_pid=

printf '%s\r\n%s\r\n%s\r\n 420\r\n 2\r\n-300\r\n 0\r\n' \
    "$work/course/torch/" "$work/course/lessons/" "$work/course/sounds/" > "$work/expected.ini"
if ! cmp -s "$settings" "$work/expected.ini"; then
    echo "settings file after exit differs:"
    od -c "$settings" | head -20
    exit 1
fi
echo "1 passed, 0 failed"
