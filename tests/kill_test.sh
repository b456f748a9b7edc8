#!/usr/bin/env bash
# Kills a program that writes the stored files in a loop with SIGKILL at random moments, over and
# over, and checks after every kill that each file is either its old or its new content, whole,
# and that the journal holds only whole records. Then kills a writer that seals a journal, changes
# its passphrase and opens it back, round after round, and checks after every kill that the journal
# opens with a passphrase in force and has lost no entry.  kill_test.sh PROGRAM BUILD [KILLS]
set -euo pipefail
build=$2
kills=${3:-1000}
writer="$build/bin/veltrin-crash-writer"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

# The first version of every file, written whole before the first kill.
"$writer" "$folder" & pid=$!
sleep 0.2
kill -9 "$pid"; wait "$pid" 2>/dev/null || true

for i in $(seq "$kills"); do
    "$writer" "$folder" & pid=$!
    sleep "0.0$((RANDOM % 30 + 1))"
    kill -9 "$pid"; wait "$pid" 2>/dev/null || true
    if ! "$writer" --check "$folder"; then
        echo "after kill $i a file was not whole"
        exit 1
    fi
done
entries=0
for i in $(seq $((kills / 10))); do
    "$writer" --journal "$folder" & pid=$!
    sleep "0.$((RANDOM % 9 + 1))$((RANDOM % 10))"
    kill -9 "$pid"; wait "$pid" 2>/dev/null || true
    if ! now=$("$writer" --check-journal "$folder") || [ "$now" -lt "$entries" ]; then
        echo "after sealed kill $i the journal held $now entries (before: $entries)"
        exit 1
    fi
    entries=$now
done
leftovers=$(find "$folder" -type f ! -name veltrin3.ini ! -name status.ndx ! -name work.ndx ! -name veltrin.sdb ! -name veltrin.sdb.key | wc -l)
records=$(tr -cd '\r' < "$folder/veltrin.sdb" | wc -c)
echo "killed $kills times; $records journal records, every file whole; $((kills / 10)) kills of the sealing writer, $entries entries kept; $leftovers temporary files left behind"
echo "$kills passed, 0 failed"
