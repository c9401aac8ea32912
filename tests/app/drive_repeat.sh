#!/usr/bin/env bash
# Runs a driver command on a script COUNT times, JOBS at a time, and fails
# unless every run exits 0 and prints exactly the expected bytes:
#   drive_repeat.sh COUNT JOBS SCRIPT EXPECTED COMMAND...
# Prints how many runs printed nothing and how many printed something else;
# a run that its emulator (Wine) could not start says so on standard error
# ("err:virtual:...", "err:module:...") and is counted apart.
set -uo pipefail
count=$1 jobs=$2 script=$3 expected=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run_one() {
  local i=$1
  shift
  "$@" < "$script" > "$work/out.$i" 2> "$work/err.$i"
  echo $? > "$work/rc.$i"
}
export -f run_one
export script work

seq 1 "$count" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$@"

empty=0 differ=0 failed=0 unstarted=0
for i in $(seq 1 "$count"); do
  if [ "$(cat "$work/rc.$i" 2>/dev/null)" != 0 ]; then
    failed=$((failed + 1)); echo "run $i: exit status $(cat "$work/rc.$i" 2>/dev/null)"; sed 's/^/  stderr: /' "$work/err.$i"
    if grep -q '^\([0-9a-f]*:\)\?err:\(virtual\|module\):' "$work/err.$i"; then
      unstarted=$((unstarted + 1)); echo "run $i: the emulator could not start the program"
    fi
  fi
  if [ ! -s "$work/out.$i" ]; then
    empty=$((empty + 1)); echo "run $i: printed nothing"
  elif ! cmp -s "$work/out.$i" "$expected"; then
    differ=$((differ + 1)); echo "run $i: printed something else:"; diff "$expected" "$work/out.$i" | head -20
  fi
done
echo "$count runs, $jobs at a time: $failed failed ($unstarted not started by the emulator), $empty printed nothing, $differ printed something else"
[ $failed -eq 0 ] && [ $empty -eq 0 ] && [ $differ -eq 0 ]
