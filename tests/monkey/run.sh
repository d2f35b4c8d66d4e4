#!/bin/sh
# Plays tests/monkey/monkey.lua until STEPS steps are done, starting the game
# again each time the monkey makes it quit. Fails on a crash, a sanitizer
# report, a Lua error from the content or a monkey failure, and names the
# seed and the step.
#   run.sh TOLVANE_PLAY CONTENT_DIR SEED STEPS
set -u
play=$1
content=$2
seed=$3
steps=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/tolvane-monkey-XXXXXX)
: >"$work/reports"
trap 'rm -rf "$work"' EXIT INT TERM

echo "monkey: seed $seed, $steps steps"
# FIRST (from a failure's replay line) starts at that step.
first=${FIRST:-0}
while [ "$first" -lt "$steps" ]; do
  echo 0 >"$work/step"
  SEED=$seed STEPS=$steps FIRST=$first MONKEY_CONTENT=$content MONKEY_STATE=$work/step \
    "$play" "$content" "$here/monkey.lua" >"$work/out" 2>&1
  rc=$?
  at=$(tr -d ' ' <"$work/step")
  # Lua's messages start with the script's place: "tolvane: FILE:LINE: ...".
  if [ $rc -ne 0 ] || grep -qE '^tolvane: [^ ]+:[0-9]+: |runtime error:|ERROR: (Address|Leak)Sanitizer' "$work/out"; then
    tail -n 60 "$work/out"
    echo "monkey: FAILED with seed $seed at step $at (exit code $rc); replay: SEED=$seed STEPS=$((at + 1)) FIRST=$first"
    exit 1
  fi
  # Other reports (bad input refused, a save that cannot be written ...) are
  # not failures, but a long run shows which come up, and from which step:
  # the monkey names the step after the lines it reported.
  awk -v first="$first" '
    /^tolvane: / { lines[n++] = $0; next }
    /^monkey: seed [0-9]+ step [0-9]+: / {
      at = $5; sub(/:$/, "", at)
      for (i = 0; i < n; i++) printf "%s\t%s\t%s\n", at, first, lines[i]
      n = 0
    }
    END { for (i = 0; i < n; i++) printf "?\t%s\t%s\n", first, lines[i] }' "$work/out" >>"$work/reports"
  ended=$(sed -n 's/^monkey: the game ended at step \([0-9]*\)$/\1/p' "$work/out")
  if [ -z "$ended" ]; then
    tail -n 2 "$work/out"
    break
  fi
  visited=$(sed -n 's/^monkey: \([0-9]*\) scenes visited$/\1/p' "$work/out")
  echo "monkey: the game ended at step $ended ($visited scenes visited); starting again"
  first=$((ended + 1))
done
if [ -s "$work/reports" ]; then
  echo "monkey: lines the game reported, by count, with the first step (and FIRST) that reported each:"
  awk -F '\t' '{ count[$3]++; if (!($3 in at)) at[$3] = $1 " (FIRST=" $2 ")" }
    END { for (k in count) printf "%7d  %s  at step %s\n", count[k], k, at[k] }' "$work/reports" |
    sort -rn | head -n 20
fi
echo "monkey: seed $seed, $steps steps played"
