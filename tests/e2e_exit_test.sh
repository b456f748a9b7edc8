#!/usr/bin/env bash
# End to end: started with a settings file of key=value lines, a real click on the exit button must
# rewrite the settings file plainly.
source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$@"

printf 'Torch=%s\r\nLessons=%s\r\nSounds=%s\r\nDelay=420\r\nStage=2\r\nPosition=-300\r\nMuted=1\r\n' \
    "$app_dir" "$course_dir" "$sound_dir" > "$settings"
e2e_start_program
e2e_exit

if ! cmp -s "$settings" <(e2e_settings_text ' 420' ' 2' '-300' ' 0'); then
    od -c "$settings" | head -20
    e2e_fail "settings file after exit differs"
fi
e2e_passed
