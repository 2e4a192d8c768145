#!/usr/bin/env bash
# Fuzzes the class file reader for SECONDS (60 by default), built beforehand by
# `cmake --build --preset fuzz`. Works on a scratch copy of the seed corpus so
# the repository's corpus stays as it is. Fails on any crash, leak, timeout,
# out-of-memory or sanitizer report; the input that caused it is kept under
# build/fuzz/crashes/ (FUZZ_BUILD_DIR names another build folder). Any further
# arguments go to libFuzzer as they are (-runs=0 runs the seeds alone).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift $(( $# > 0 ? 1 : 0 ))
build_dir=${FUZZ_BUILD_DIR:-build/fuzz}
fuzzer=$build_dir/tests/fuzz/class_file_reader_fuzz
if [ ! -x "$fuzzer" ]; then
    echo "No fuzzer at $fuzzer: run 'cmake --preset fuzz && cmake --build --preset fuzz' first." >&2
    exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp tests/fuzz/corpus/* "$scratch/"

# Seeds longer than the reader's 64 KiB chunk, made here rather than kept in the
# repository: fields past the 65,536-byte limit, separators and quotes across
# the chunk edge, and a wordy file of 40 classes.
run_of() { head -c "$2" /dev/zero | tr '\0' "$1"; }
commas() { run_of , "$1"; }
{
    printf 'Brute,8,2,1,TRUE,FALSE,FALSE,'
    run_of x 70000
    commas 19
    printf '\r\n'
} >"$scratch/long_field.csv"
{
    printf 'Seer,6,4,0.5,FALSE,FALSE,TRUE,"Omens, '
    run_of y 70000
    printf '"'
    commas 19
    printf '\r\n'
} >"$scratch/long_quoted_field.csv"
{
    run_of n 65530
    printf ',8,2,0.75,,,\r\n"One, ""two""\r\nthree"'
    commas 19
    printf '\r\nSeer,6,4,0.5,FALSE,FALSE,TRUE,"Second Sight, Omens"'
    commas 19
    printf '\r\n'
} >"$scratch/chunk_edge.csv"
for class in $(seq 40); do
    printf 'Class %d,8,4,0.75,TRUE,FALSE,TRUE' "$class"
    for level in $(seq 20); do
        printf ',"Stormward Stance, a long and wordy feature text, level %d, as a player writes it"' "$level"
    done
    printf '\r\n'
done >"$scratch/forty_classes.csv"
crashes=$build_dir/crashes
mkdir -p "$crashes"

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Without -len_control=0 libFuzzer keeps new inputs to a few KB for most of a
# short run; lifted, mutations reach the length of the long seeds at once.
"$fuzzer" "$scratch" \
    -max_total_time="$seconds" \
    -timeout=10 \
    -rss_limit_mb=1024 \
    -max_len=140000 \
    -len_control=0 \
    -dict=tests/fuzz/class_file.dict \
    -artifact_prefix="$crashes/" \
    -print_final_stats=1 \
    "$@"
