#!/bin/sh
# The desktop program's window at the scale the desktop asks for: the X
# resource Xft.dpi on the root window, overridden by --scale N. Runs on a
# virtual display of its own that does not reset between clients (xvfb-run
# -s -noreset); checks the width of the window's client area, 439 pixels at
# scale 1.
#   desktop_scale.sh KELVANE
kelvane=$1
failures=0

# check RESOURCES EXPECTED-WIDTH ARGUMENTS...
check() {
  resources=$1 want=$2
  shift 2
  if [ -n "$resources" ]; then
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$resources"
  else
    xprop -root -remove RESOURCE_MANAGER
  fi
  "$kelvane" "$@" &
  pid=$!
  width=
  tries=0
  while [ -z "$width" ] && [ $tries -lt 100 ]; do
    width=$(xwininfo -name "Kelvane v1.3" 2>/dev/null | sed -n 's/^ *Width: *//p')
    [ -n "$width" ] || { sleep 0.1; tries=$((tries + 1)); }
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  if [ "$width" != "$want" ]; then
    echo "FAIL: resources \"$resources\", arguments \"$*\": width \"$width\", expected $want" >&2
    failures=$((failures + 1))
  else
    echo "resources \"$resources\", arguments \"$*\": width $width"
  fi
}

check "" 439
check "Xft.dpi:	192" 878
check "Xft.antialias:	1
Xft.dpi:	288
Xft.hinting:	1" 1317
check "Xft.dpi:	72" 439
check "Xft.dpi:	junk" 439
check "Xft.dpi:	192" 439 --scale 1
check "Xft.dpi:	192" 878 --scale junk
check "" 878 --scale 2 extra
[ $failures = 0 ]
