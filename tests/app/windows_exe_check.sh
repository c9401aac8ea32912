#!/usr/bin/env bash
# What a Windows program of the build carries and needs: the icon ICON0, a
# version resource naming it, the manifest (common controls 6, aware of
# each monitor's DPI), no debugging sections, and no DLL but Windows' own.
#   windows_exe_check.sh WINDRES OBJDUMP PROGRAM.exe VERSION
set -uo pipefail
windres=$1 objdump=$2 exe=$3 version=$4
name=$(basename "$exe" .exe)
failures=0
fail() { echo "FAIL: $exe: $*" >&2; failures=$((failures + 1)); }

resources=$("$windres" -i "$exe" -O rc 2>&1) || fail "its resources cannot be read"
expect_resource() {
  grep -qF -- "$1" <<<"$resources" || fail "no $2 in its resources"
}
expect_resource '"ICON0" 14 /* RT_GROUP_ICON */' 'icon group "ICON0"'
expect_resource "VALUE \"FileVersion\", \"$version\"" "file version $version"
expect_resource "VALUE \"OriginalFilename\", \"$name.exe\"" "original file name $name.exe"
expect_resource '1 24 /* RT_MANIFEST */' 'manifest'
expect_resource 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' 'common controls 6 in the manifest'
expect_resource '>true/pm</dpiAware>' 'DPI awareness in the manifest'
expect_resource '>PerMonitorV2, PerMonitor</dpiAwareness>' 'per-monitor DPI awareness in the manifest'

headers=$("$objdump" -p -h "$exe") || fail "objdump cannot read it"
grep -q '\.debug_' <<<"$headers" && fail "it is not stripped"
imports=$(grep -i 'DLL Name:' <<<"$headers" | awk '{print toupper($3)}' | sort -u)
[ -n "$imports" ] || fail "it imports nothing at all"
for dll in $imports; do
  case "$dll" in
    KERNEL32.DLL|MSVCRT.DLL|USER32.DLL|GDI32.DLL|COMCTL32.DLL|ADVAPI32.DLL|SHELL32.DLL) ;;
    *) fail "it imports $dll, which is not part of Windows" ;;
  esac
done
echo "$exe: $(stat -c %s "$exe") bytes; imports: $(echo $imports)"
[ $failures = 0 ]
