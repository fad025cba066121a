#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build over its seed corpus for a bounded time.
#   scripts/run-fuzzers.sh BUILD_FUZZ_DIR CORPUS_DIR SECONDS
# Inputs found along the way go to a scratch copy, so the committed corpus stays as it is.
# Fails on any crash, leak or sanitizer report and shows that target's log; the input that
# caused it is kept beside the target in BUILD_FUZZ_DIR.
set -euo pipefail
bin=$(realpath "$1")
corpus=$(realpath "$2")
seconds=${3:-10}
# The targets that read files write them to a scratch folder; in memory, saving with its
# sync to disk costs nothing and each target tries ten times as many inputs.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
for seeds in "$corpus"/*/; do
    target=$(basename "$seeds")
    if [ ! -x "$bin/$target" ]; then
        echo "fuzz $target: no such target in $bin" >&2
        status=1
        continue
    fi
    mkdir -p "$scratch/$target"
    if (cd "$scratch" && "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$bin/$target-" \
        -print_final_stats=1 "$scratch/$target" "$seeds" >"$scratch/$target.log" 2>&1); then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/$target.log")
        echo "fuzz $target: passed, ${runs:-?} inputs in ${seconds}s"
    else
        echo "fuzz $target: FAILED" >&2
        tail -n 60 "$scratch/$target.log" >&2
        status=1
    fi
done
exit $status
