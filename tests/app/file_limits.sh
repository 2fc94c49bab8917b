#!/bin/sh
# The built programs under the file system's limits, as a shell runs them:
# a file-size limit with SIGXFSZ at its default, names of the longest length,
# a working folder deeper than PATH_MAX, and a batch stopped by a signal.
# $1: folix; $2: the window's program, or nothing when it is not built.
set -u
folix=$1
window=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "FAIL: $*" >&2; exit 1; }

# A write beyond `ulimit -f` fails with EFBIG; the results file keeps every byte.
for t in 0.10 0.11 0.12 0.13 0.14 0.15 0.16 0.17 0.18 0.19 0.20 0.21 0.22 0.23 0.24; do
    "$folix" design --thickness $t --save >/dev/null || fail "save $t"
done
cp Folix_Input.txt before.txt
size=$(wc -c <before.txt)
prlimit --fsize=$((size + 20)) env --default-signal=XFSZ "$folix" design --thickness 0.3 --save >/dev/null 2>limit.err
status=$?
[ $status -eq 1 ] || fail "save under a file-size limit: exit $status"
grep -q ": File too large$" limit.err || fail "save under a file-size limit: $(cat limit.err)"
cmp -s before.txt Folix_Input.txt || fail "the results file changed under a file-size limit"
[ -z "$(ls -A | grep '^[.]')" ] || fail "a temporary file was left: $(ls -A)"

if [ -n "$window" ]; then
    env --default-signal=XFSZ QT_QPA_PLATFORM=offscreen "$window" >/dev/null 2>&1 & pid=$!
    ignored=0
    for _ in $(seq 100); do
        mask=$(awk '/^SigIgn/ {print $2}' /proc/$pid/status 2>/dev/null)
        [ -n "$mask" ] && [ $(( (0x$mask >> 24) & 1 )) -eq 1 ] && { ignored=1; break; }
        sleep 0.05
    done
    kill $pid; wait $pid 2>/dev/null
    [ $ignored -eq 1 ] || fail "the window does not ignore SIGXFSZ"
fi

# A name of 255 bytes, the longest a folder takes.
long=$(printf 'a%.0s' $(seq 251)).dat
"$folix" design --dat "$long" >/dev/null || fail "a 255-byte name"
[ -s "$long" ] || fail "no file under a 255-byte name"

# A relative save from a folder whose path is longer than 4096 bytes.
deep=$(printf 'd%.0s' $(seq 200))
for _ in $(seq 25); do mkdir "$deep" && cd -P "$deep" || fail "mkdir"; done
"$folix" design --save --dat s.dat >/dev/null 2>deep.err || fail "save in a deep folder: $(cat deep.err)"
[ -s Folix_Input.txt ] && [ -s s.dat ] || fail "no files in a deep folder"
cd "$work" || exit 1

# Ctrl+C or SIGTERM in a batch: standard output ends on a whole row, no
# temporary file is left, and the last input line done is told.
awk 'BEGIN { for (i = 0; i < 200000; i++) printf "0.%d,0.02,10\n", 100 + i % 50 }' >study.csv
for signal in INT TERM; do
    rm -rf dd
    env --default-signal=INT "$folix" batch study.csv -j 2 --dat-dir dd >out.csv 2>err.txt & pid=$!
    for _ in $(seq 200); do [ -n "$(ls dd 2>/dev/null)" ] && break; sleep 0.05; done
    kill -$signal $pid; wait $pid
    status=$?
    expected=130; [ $signal = TERM ] && expected=143
    [ $status -eq $expected ] || fail "$signal: exit $status"
    [ "$(tail -c 1 out.csv | od -An -tx1 | tr -d ' ')" = 0a ] || fail "$signal: output cut inside a row"
    awk -F, 'NF != 11 { exit 1 }' out.csv || fail "$signal: a row without all its columns"
    [ -z "$(ls -A dd | grep '^[.]')" ] || fail "$signal: a temporary file was left"
    last=$(tail -n 1 out.csv | awk -F, '{ print $NF }')
    grep -q "^folix: interrupted: the last input line done is $last; " err.txt || fail "$signal: $(cat err.txt)"
done
