#!/usr/bin/env bash
# What "Go" runs, without the windows (zandrel_batch), ended by SIGTERM, SIGHUP and SIGINT in the
# middle of a batch, in a folder where its temporary file has a name (a bindfs mount): it ends
# with status 128 + the signal's number, removes its temporary file and keeps the earlier file.
#   batch_signals.sh ZANDREL_BATCH
set -uo pipefail
set -m # background jobs take SIGINT as from a terminal, rather than ignore it
batch=$1
. "$(dirname "$0")/xsession.sh"
require_tools bindfs
folder=$work/export
named_temporary_files "$folder" || { echo "SKIP: no folder where temporary files have names: $why_not"; exit 77; }
[ "$(df --output=avail -k "$folder" | tail -n 1)" -gt 2000000 ] || { echo "SKIP: less than 2 GB free"; exit 77; }

# A file-size limit is a failure with its reason, never the end of the process.
echo "earlier file" >"$folder/randomnumbers.txt"
(ulimit -f 1000 && exec "$batch" 1e6 0 1 "$folder/randomnumbers.txt") 2>"$work/limit.log"
status=$?
[ "$status" -eq 1 ] && grep -qx "File too large" "$work/limit.log" || fail "a file-size limit: status $status, $(cat "$work/limit.log")"
[ "$(ls -A "$folder")" = "randomnumbers.txt" ] && [ "$(cat "$folder/randomnumbers.txt")" = "earlier file" ] ||
    fail "a file-size limit left: $(ls -A "$folder")"
echo "PASS: a file-size limit: status 1, \"File too large\", the earlier file kept"

for signal in TERM HUP INT; do
    echo "earlier file" >"$folder/randomnumbers.txt"
    "$batch" 3e8 0 1 "$folder/randomnumbers.txt" 2>>"$work/batch.log" &
    pid=$!
    until_true "$loaded" eval 'ls -A "$folder" | grep -q "^\.randomnumbers\.txt\."' || fail "SIG$signal: no named temporary file"
    kill -"$signal" "$pid"
    wait "$pid"
    status=$?
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: exit status $status"
    [ "$(ls -A "$folder")" = "randomnumbers.txt" ] || fail "SIG$signal left: $(ls -A "$folder")"
    [ "$(cat "$folder/randomnumbers.txt")" = "earlier file" ] || fail "SIG$signal: the earlier file changed"
    echo "PASS: SIG$signal: status $status, the temporary file removed, the earlier file kept"
done
