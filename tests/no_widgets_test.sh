#!/usr/bin/env bash
# The launcher loads no library but the C one. The journal commands and the core's tests load no
# Qt Widgets library: neither linked (ldd) nor loaded while they run (a plugin, a platform theme,
# could bring it in). The log of every library loaded must name Qt Core, so that an empty log never passes.
# no_widgets_test.sh VELTRIN BUILD_FOLDER VELTRIN_JOURNAL CORE_TEST...
set -uo pipefail
veltrin=$1
journal=$3
shift 3
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Runs a program with the loader's log of libraries in logs/NAME.PID, for it and what it starts.
loads() {
    local name=$1
    shift
    LD_DEBUG=libs LD_DEBUG_OUTPUT="$logs/$name" QT_QPA_PLATFORM=offscreen "$@"
}

# Checks the link and the run logs of `name`.
check() {
    local binary=$1 name=$2
    local linked
    linked=$(ldd "$binary" | grep -o 'libQt6Widgets[^ ]*')
    [ -z "$linked" ] || fail "$binary links $linked"
    grep -q -s 'libQt6Core' "$logs/$name".* || fail "no log of the libraries $name loaded"
    grep -q -s 'libQt6Widgets' "$logs/$name".* && fail "$name loads $(grep -h -o '/[^ ]*libQt6Widgets[^ ]*' "$logs/$name".* | head -1)"
}

# The launcher, run before every window and command, loads no library but the C one (and a
# sanitizer's runtime in a sanitizer build).
launcher_libraries=$(ldd "$veltrin")
if ! grep -q 'lib[a-z]*san' <<<"$launcher_libraries"; then
    extra=$(grep -v -E 'linux-vdso|libc\.so|ld-linux' <<<"$launcher_libraries")
    [ -z "$extra" ] || fail "the launcher $veltrin loads more than the C library: $extra"
fi

# The launcher starts the journal commands, which must export the store.
store="$(dirname "$0")/data/journal/store.sdb"
exported=$(loads journal "$veltrin" journal export --store "$store" --format json 2>/dev/null)
[ "${exported:0:1}" = "[" ] || fail "veltrin journal export printed no JSON: ${exported:0:200}"
check "$journal" journal

for test in "$@"; do
    loads "$(basename "$test")" "$test" --gtest_brief=1 >/dev/null 2>&1 || fail "$test failed"
    check "$test" "$(basename "$test")"
done
[ "$failed" = 0 ] && echo "no Qt Widgets in $journal or $# core tests"
exit "$failed"
