#!/usr/bin/env bash
# The journal commands' files on a hostile file system. The file a command writes (export --output,
# as text and as PDF, chart --output, export --documents) stands on a full file system, in a read-only folder, already
# exists, is a link to the store, is a device, or is a folder. A write succeeds whole, or leaves
# everything as it was, byte for byte, names the file and exits 1. Each case has a small file
# system of its own in a private mount namespace.  journal_cli_hostile_test.sh PROGRAM BUILD
set -euo pipefail
program=$1
if [ "${HOSTILE_NAMESPACE:-}" != 1 ]; then
    unshare -m mount -t tmpfs tmpfs /mnt 2>/dev/null || { echo "no private mount namespace here: skipped"; exit 77; }
    HOSTILE_NAMESPACE=1 exec unshare -m bash "$0" "$@"
fi
work=$(mktemp -d) fs=$(mktemp -d)
trap 'umount "$fs" 2>/dev/null || true; rm -rf "$work" "$fs"' EXIT
store=$work/veltrin.sdb
for i in $(seq 300); do printf '2026-12-06 09:%02d:15~Rank~Openness~~3524114Entry %d, calm\r\n' $((i % 60)) "$i"; done > "$store"
export HOME=$fs XDG_CONFIG_HOME=$work   # the documents folder is $HOME/Documents
documents=$fs/Documents

declare -A file=([export]=$documents/out.md [pdf]=$documents/out.pdf [chart]=$documents/chart.svg
                 [documents]="$documents/Veltrin Journal $(date +%F).md")
declare -A command=([export]="export --format md --output ${file[export]}" [pdf]="export --format pdf --output ${file[pdf]}"
                    [chart]="chart --output ${file[chart]}" [documents]="export --format md --documents")
# What stands at the file before the command. A full file system keeps a little room, so that a
# write is cut short rather than refused whole.
prepare() {
    case $1 in
    full) echo old > "$2" && { dd if=/dev/zero of="$fs/filler" bs=4k 2>/dev/null || true; } && truncate -s -8k "$fs/filler" ;;
    read-only) echo old > "$2" && mount -o remount,ro "$fs" ;;
    existing) echo old > "$2" ;;
    store-link) ln -s "$store" "$2" ;;
    device) mknod "$2" c 1 3 ;;
    folder) mkdir "$2" && echo inside > "$2/inside" ;;
    esac
}
declare -A status=([full]=1 [read-only]=1 [existing]=0 [store-link]=1 [device]=0 [folder]=1)
# Names, kinds, sizes, link targets, device numbers and bytes of everything there, and the store.
snapshot() { (cd "$fs" && find . -exec stat -c '%n %F %s %t:%T %N' {} + && find . -type f -exec sha256sum {} +) | sort; sha256sum "$store"; }

passed=0 failed=0
fail() { echo "FAILED $surface/$case: $* ($(cat "$work/err"))"; failed=$((failed + 1)); }
check() {
    local target=$1 got=$2 before=$3 after=$4 failed_before=$failed
    [ "$got" = "${status[$case]}" ] || fail "exit status $got"
    if [ "${status[$case]}" = 1 ]; then
        grep -qF -e "veltrin: $target: " -e "veltrin: $target is" "$work/err" || fail "the message does not name $target"
        [ "$case" != full ] || grep -q 'No space left on device' "$work/err" || fail "the message does not say why"
    fi
    if [ "$case" = existing ]; then
        [ "$(ls "$documents")" = "$(basename "$target")" ] && grep -q 'Entry 300\|Inner Snapshot\|%%EOF' "$target" || fail "not replaced whole"
    else
        [ "$before" = "$after" ] || fail "what was there changed: $(diff <(echo "$before") <(echo "$after"))"
    fi
    [ "$failed" != "$failed_before" ] || passed=$((passed + 1))
}
for surface in export pdf chart documents; do
    for case in full read-only existing store-link device folder; do
        mount -t tmpfs -o size=256k tmpfs "$fs" && mkdir "$documents"
        prepare "$case" "${file[$surface]}"
        before=$(snapshot)
        got=0 && "$program" journal ${command[$surface]} --store "$store" > /dev/null 2> "$work/err" || got=$?
        check "${file[$surface]}" "$got" "$before" "$(snapshot)"
        umount "$fs"
    done
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
