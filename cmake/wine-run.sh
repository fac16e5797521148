#!/bin/sh
# Runs a Windows program for ctest: wine-run.sh WINE PROGRAM ARGS...
# Its output goes through a file, not straight to ctest's pipe: a Wine background process that a
# test starts (a service, the desktop window) inherits the program's descriptors and lives on with
# the persistent wineserver; holding the pipe open, it kept ctest waiting after the test had ended.
wine=$1
shift
out=$(mktemp "${TMPDIR:-/tmp}/orvo-wine-run.XXXXXX") || exit 1
"$wine" "$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
rm -f "$out"
exit $status
