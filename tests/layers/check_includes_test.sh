#!/usr/bin/env bash
# The include check on small made-up trees: each case writes one include
# into one file and says whether the check must pass (0) or fail (1);
# an include in <> is written as it is.
#   check_includes_test.sh CHECK_SCRIPT WORK_DIR
set -uo pipefail
check="$1"
work="$2"

cases=(
  # expected  file                       include
  "0 runtime/data.cpp              runtime/event.h"
  "1 runtime/data.cpp              formula/evaluator.h"
  "1 formula/math_parse.cpp        ui/platform.h"
  "0 formula/math_parse.cpp        runtime/system_ops.h"
  "1 elements/thread.cpp           ui/platform.h"
  "0 elements/thread.cpp           formula/evaluator.h"
  "1 ui/edit.cpp                   pages/range_check.h"
  "1 ui/edit.cpp                   ui/fltk/control.h"
  "0 ui/edit.cpp                   elements/math.h"
  "1 ui/headless/headless.cpp      ui/fltk/control.h"
  "1 ui/fltk/control.cpp           ui/headless/headless.h"
  "0 ui/fltk/fltk_platform.cpp     ui/posix/posix_command.h"
  "1 ui/headless/headless.cpp      ui/posix/posix_command.h"
  "1 ui/posix/posix_command.cpp    ui/platform.h"
  "1 ui/fltk/control.cpp           pages/main_form.h"
  "1 pages/l200.cpp                ui/headless/headless.h"
  "0 pages/l200.cpp                ui/edit.h"
  "0 app/drive_main.cpp            ui/headless/driver.h"
  "0 runtime/data.cpp              gtest/gtest.h"
  "0 ui/win32/control.cpp          <windows.h>"
  "1 ui/win32/control.h            <windows.h>"
  "1 runtime/scheme_lock.cpp       <windows.h>"
  "1 ui/platform.h                 <commctrl.h>"
  "0 app/kelvane_win32_main.cpp    <windows.h>"
  "0 pages/parts/circuit.cpp       runtime/resources.h"
  "0 pages/parts/circuit.cpp       pages/parts/eseries.h"
  "1 pages/parts/circuit.cpp       formula/evaluator.h"
  "1 pages/parts/circuit.cpp       elements/math.h"
  "1 pages/parts/circuit.cpp       ui/platform.h"
  "1 pages/parts/circuit.h         pages/design.h"
  "0 pages/l200.cpp                pages/parts/circuit.h"
  "1 runtime/data.cpp              pages/parts/circuit.h"
  "1 ui/edit.cpp                   pages/parts/circuit.h"
  "0 app/drive_main.cpp            pages/parts/circuit.h"
)

failures=0
for c in "${cases[@]}"; do
  read -r expected file include <<<"$c"
  rm -rf "$work" && mkdir -p "$work/$(dirname "$file")"
  case "$include" in
    "<"*) printf '#include <string>\n#include %s\n' "$include" >"$work/$file" ;;
    *) printf '#include <string>\n#include "%s"\n' "$include" >"$work/$file" ;;
  esac
  "$check" "$work" 2>/dev/null
  got=$?
  if [ "$got" != "$expected" ]; then
    echo "FAIL: $file including $include: check answered $got, expected $expected" >&2
    failures=$((failures + 1))
  fi
done

# A tree with no sources is an error, not a pass.
rm -rf "$work" && mkdir -p "$work"
if "$check" "$work" 2>/dev/null; then
  echo "FAIL: an empty tree passed" >&2
  failures=$((failures + 1))
fi
rm -rf "$work"
[ $failures = 0 ]
