#!/usr/bin/env bash
# Fuzzes the class file reader for SECONDS (60 by default), built beforehand by
# `cmake --build --preset fuzz`. Works on a scratch copy of the seed corpus so
# the repository's corpus stays as it is. Fails on any crash, leak, timeout,
# out-of-memory or sanitizer report; the input that caused it is kept under
# build/fuzz/crashes/ (FUZZ_BUILD_DIR names another build folder).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build_dir=${FUZZ_BUILD_DIR:-build/fuzz}
fuzzer=$build_dir/tests/fuzz/class_file_reader_fuzz
if [ ! -x "$fuzzer" ]; then
    echo "No fuzzer at $fuzzer: run 'cmake --preset fuzz && cmake --build --preset fuzz' first." >&2
    exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp tests/fuzz/corpus/* "$scratch/"
crashes=$build_dir/crashes
mkdir -p "$crashes"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Inputs up to 70000 bytes reach the longest-field limit and the reader's chunk edge.
"$fuzzer" "$scratch" \
    -max_total_time="$seconds" \
    -timeout=10 \
    -rss_limit_mb=1024 \
    -max_len=70000 \
    -dict=tests/fuzz/class_file.dict \
    -artifact_prefix="$crashes/" \
    -print_final_stats=1
