#!/usr/bin/env bash
# Start-up cost of the real window (class file read, lists filled, window shown)
# against an empty main window of the same size, on the offscreen platform and on
# Xvfb. Each program quits as soon as its window is exposed. Prints the median wall
# time and peak resident memory of N runs of each, and their ratios; a third window
# of the same size holding one label shows what drawing any text at all costs.
# Usage: bench/ui/startup.sh [runs=10] [build dir=build/default]
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=${1:-10}
build=${2:-build/default}
program=$build/bench/ui/vostrel-ui-startup
sample=data/classes.csv
[ -x "$program" ] || { echo "build vostrel-ui-startup in $build first" >&2; exit 1; }

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# One run: appends "wall_ms rss_kb" to $1. time -v reports wall time in
# hundredths of a second only, so the wall time is taken around it in nanoseconds.
run_once() {
    local out=$1
    shift
    local start end
    start=$(date +%s%N)
    /usr/bin/time -v -o "$scratch/time" "$program" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    local rss
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$scratch/time")
    echo "$(( (end - start) / 1000 )) $rss" >>"$out"
}

median() {  # column number, file
    awk -v c="$1" '{print $c}' "$2" | sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'
}

measure() {  # label
    local label=$1
    : >"$scratch/form"
    : >"$scratch/empty"
    : >"$scratch/label"
    for _ in $(seq "$runs"); do
        # Interleaved, so that drift in the machine's load hits all alike.
        run_once "$scratch/form" form "$sample"
        run_once "$scratch/empty" empty
        run_once "$scratch/label" label
    done
    awk -v l="$label" -v fw="$(median 1 "$scratch/form")" -v fr="$(median 2 "$scratch/form")" \
        -v ew="$(median 1 "$scratch/empty")" -v er="$(median 2 "$scratch/empty")" \
        -v lw="$(median 1 "$scratch/label")" -v lr="$(median 2 "$scratch/label")" 'BEGIN {
        printf "%-10s real window   %7.1f ms  %7d KiB\n", l, fw / 1000, fr
        printf "%-10s empty window  %7.1f ms  %7d KiB\n", l, ew / 1000, er
        printf "%-10s ratio         %7.2f x   %7.2f x   (goals: 1.30, 1.20)\n", l, fw / ew, fr / er
        printf "%-10s one label     %7.2f x   %7.2f x   of the empty window\n", l, lw / ew, lr / er
    }'
}

echo "median of $runs runs each"
QT_QPA_PLATFORM=offscreen measure offscreen

if command -v Xvfb >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -s "$scratch/display" ] && break
        sleep 0.1
    done
    QT_QPA_PLATFORM=xcb DISPLAY=":$(cat "$scratch/display")" measure xvfb
else
    echo "Xvfb not installed: skipping the X11 measurement"
fi
