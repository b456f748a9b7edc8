# Shared by the benchmark scripts: a fresh Xvfb display (-noreset) for a visible window.
# `start_display` sets DISPLAY and `work` (a temporary folder); both go when the script exits.
start_display() {
    work=$(mktemp -d)
    trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do grep -qs '[0-9]' "$work/display" && break; sleep 0.1; done
    export DISPLAY=":$(tr -d '\n' < "$work/display")" QT_QPA_PLATFORM=xcb
}
