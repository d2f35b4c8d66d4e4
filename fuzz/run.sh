#!/bin/sh
# run.sh TARGET_BINARY FUZZ_DIR SECONDS ARTIFACT_DIR
# Runs one fuzz target from its committed corpus (FUZZ_DIR/corpus/NAME) with
# its dictionary, for SECONDS. New inputs go to a scratch folder that is
# removed afterwards, so the committed corpus never changes; a crashing
# input is kept in ARTIFACT_DIR and named in the output.
set -u
bin=$1
dir=$2
seconds=$3
artifacts=$4
name=$(basename "$bin")
scratch=$(mktemp -d /tmp/tolvane-fuzz-run-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"
"$bin" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
  -dict="$dir/dict/$name.dict" -artifact_prefix="$artifacts/" \
  "$scratch" "$dir/corpus/$name"
status=$?
if [ $status -ne 0 ]; then
  echo "$name: failed; the input is in $artifacts/ (keep it under tests/fuzz/regressions/$name/ once mended)"
fi
exit $status
