#!/bin/sh
# SIGTERM (as Ctrl+C) kills the XFOIL runs of a batch and of a polar at once:
# the command ends as the signal would end it, and neither a process nor a
# temporary folder stays.
# Usage: viscous_interrupt.sh FOLIX
set -u
folix=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir tmp
cat > xfoil <<'SCRIPT'
#!/bin/sh
echo $$ >> "$FAKE_LOG"
exec sleep 100
SCRIPT
chmod +x xfoil
printf '0.12,0.02,10\n0.10,0,5\n' > rows.csv
failed=0
fail() { echo "$1: $2"; failed=1; }

for command in batch polar; do
  rm -f pids
  if [ $command = batch ]; then set -- batch rows.csv -j 2; else set -- polar; fi
  FAKE_LOG=$work/pids TMPDIR=$work/tmp "$folix" "$@" --re 1e6 --alpha-from 0 --alpha-to 1 --alpha-step 1 \
    --xfoil "$work/xfoil" > out.txt 2> err.txt &
  pid=$!
  started=$([ $command = batch ] && echo 2 || echo 1)
  for _ in $(seq 100); do [ "$(cat pids 2>/dev/null | wc -l)" -ge $started ] && break; sleep 0.05; done
  kill -TERM $pid
  wait $pid
  status=$?
  [ $status -eq 143 ] || fail $command "exit status $status"
  while read -r child; do
    kill -0 "$child" 2>/dev/null && fail $command "XFOIL $child still runs"
  done < pids
  [ -z "$(ls -A tmp)" ] || fail $command "a temporary folder stays: $(ls tmp)"
  grep -q "^folix: interrupted" err.txt || fail $command "no word of the interruption: $(cat err.txt)"
done
grep -q ',failed: cancelled$' out.txt || fail polar "the angles not done are not marked cancelled"
exit $failed
