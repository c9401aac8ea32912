#!/bin/sh
# Runs the built kelvane-drive on a script and checks its exact output and
# exit status.
#   drive_binary.sh SCRIPT OUTPUT STATUS COMMAND...
# SCRIPT and OUTPUT are printf formats (\n, \\, octal bytes); COMMAND is the
# program (after its emulator, if any) and its arguments. OUTPUT "/dev/full"
# sends the output there instead and checks only the status.
script=$1 output=$2 status=$3
shift 3
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
printf "$script" > "$work/script"
if [ "$output" = /dev/full ]; then
  "$@" < "$work/script" > /dev/full
  got=$?
else
  "$@" < "$work/script" > "$work/out"
  got=$?
  printf "$output" > "$work/expected"
  if ! cmp -s "$work/expected" "$work/out"; then
    echo "output differs; expected:"; cat "$work/expected"; echo "got:"; cat "$work/out"
    exit 1
  fi
fi
if [ "$got" != "$status" ]; then
  echo "exit status $got, expected $status"
  exit 1
fi
