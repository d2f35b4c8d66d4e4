#!/bin/sh
# expect-failure.sh TOLVANE_PLAY CONTENT_DIR SCENARIO.lua
# Passes when the scenario run fails (a non-zero exit) and its stderr matches
# the extended regular expression on the scenario's first line, "-- expect: RE".
set -u
play=$1 tree=$2 scenario=$3
expect=$(sed -n '1s/^-- expect: //p' "$scenario")
[ -n "$expect" ] || { echo "$scenario: no '-- expect:' line" >&2; exit 2; }
# An optional second line "-- stop: SIGNAL SECONDS" sends that signal to the
# run after so many seconds (and SIGKILL ten seconds later, should it not
# end); the run's own status is kept.
stop=$(sed -n '2s/^-- stop: //p' "$scenario")
if [ -n "$stop" ]; then
  set -- $stop
  # --foreground: the signal goes to the run alone. Otherwise timeout sends
  # it to its whole process group as well, and the run may see it twice,
  # which ends it at once as a second signal should.
  err=$(timeout --foreground -k 10 --preserve-status -s "$1" "$2" "$play" "$tree" "$scenario" 2>&1 >/dev/null)
else
  err=$("$play" "$tree" "$scenario" 2>&1 >/dev/null)
fi
status=$?
printf '%s\n' "$err"
[ "$status" -ne 0 ] || { echo "the run succeeded; it should have failed" >&2; exit 1; }
printf '%s\n' "$err" | grep -Eq "$expect" || { echo "no line matches: $expect" >&2; exit 1; }
