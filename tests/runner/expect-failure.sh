#!/bin/sh
# expect-failure.sh TOLVANE_PLAY CONTENT_DIR SCENARIO.lua
# Passes when the scenario run fails (a non-zero exit) and its stderr matches
# the extended regular expression on the scenario's first line, "-- expect: RE".
set -u
play=$1 tree=$2 scenario=$3
expect=$(sed -n '1s/^-- expect: //p' "$scenario")
[ -n "$expect" ] || { echo "$scenario: no '-- expect:' line" >&2; exit 2; }
err=$("$play" "$tree" "$scenario" 2>&1 >/dev/null)
status=$?
printf '%s\n' "$err"
[ "$status" -ne 0 ] || { echo "the run succeeded; it should have failed" >&2; exit 1; }
printf '%s\n' "$err" | grep -Eq "$expect" || { echo "no line matches: $expect" >&2; exit 1; }
