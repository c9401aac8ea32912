#!/bin/sh
# Runs the built kelvane-drive on a script and checks its exact output and
# exit status.
#   drive_binary.sh DRIVE SCRIPT OUTPUT STATUS [ARG]
# SCRIPT and OUTPUT are printf formats (\n, \\, octal bytes); ARG is passed
# to the program. OUTPUT "/dev/full" sends the output there instead and
# checks only the status.
drive=$1 script=$2 output=$3 status=$4
shift 4
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
printf "$script" > "$work/script"
if [ "$output" = /dev/full ]; then
  "$drive" "$@" < "$work/script" > /dev/full
  got=$?
else
  "$drive" "$@" < "$work/script" > "$work/out"
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
