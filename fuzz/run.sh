#!/bin/sh
# run.sh TARGET_BINARY FUZZ_DIR SECONDS ARTIFACT_DIR [CORPUS_DIR]
# Runs one fuzz target from its committed corpus (FUZZ_DIR/corpus/NAME) with
# its dictionary, for SECONDS; a crashing input is kept in ARTIFACT_DIR and
# named in the output.
# Without CORPUS_DIR (CI): new inputs go to a scratch folder removed
# afterwards, so the committed corpus never changes, and the first crash
# ends the run with a failure.
# With CORPUS_DIR (long runs): new inputs are kept there, and after a crash
# the target starts again from everything found so far until SECONDS are
# spent; the exit status says whether anything crashed.
set -u
bin=$1
dir=$2
seconds=$3
artifacts=$4
keep=${5:-}
name=$(basename "$bin")
mkdir -p "$artifacts"
if [ -z "$keep" ]; then
  corpus=$(mktemp -d /tmp/tolvane-fuzz-run-XXXXXX)
  trap 'rm -rf "$corpus"' EXIT
else
  corpus=$keep
  mkdir -p "$corpus"
fi
start=$(date +%s)
failed=0
while :; do
  left=$((seconds - ($(date +%s) - start)))
  [ "$left" -gt 0 ] || break
  "$bin" -max_total_time="$left" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
    -dict="$dir/dict/$name.dict" -artifact_prefix="$artifacts/" \
    "$corpus" "$dir/corpus/$name"
  status=$?
  [ $status -eq 0 ] && break
  failed=1
  echo "$name: failed; the input is in $artifacts/ (keep it under tests/fuzz/regressions/$name/ once mended)"
  [ -n "$keep" ] || break
done
exit $failed
