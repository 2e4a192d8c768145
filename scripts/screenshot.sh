#!/usr/bin/env bash
# Shows the real window on a virtual X display (Xvfb, the xcb platform) with a
# build from the sample class file and its report, and writes the window's
# picture to docs/screenshot.png; then the same with the Level by Level window
# open beside it, to docs/level-by-level.png, with the Classes window, to
# docs/classes.png, with the Pairs window, to docs/pairs.png, and with builds kept
# and the Compare Builds window, to docs/compare-builds.png. Needs Xvfb and
# ImageMagick.
# Usage: scripts/screenshot.sh [build dir=build/default]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
program=$build/bench/ui/vostrel-ui-startup
for tool in Xvfb import convert; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (packages xvfb, imagemagick)" >&2; exit 1; }
done
if [ ! -x "$program" ]; then
    cmake --preset default -B "$build" >/dev/null
    cmake --build "$build" --target vostrel-ui-startup
fi

scratch=$(mktemp -d)
xvfb_pid=
demo_pid=
cleanup() {
    [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x720x24 -dpi 96 -wr -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$scratch/display")" QT_QPA_PLATFORM=xcb

# One picture: the demo program in `mode`, cropped to the frame it reports.
shoot() {  # mode, output
    "$program" "$1" data/classes.csv >"$scratch/demo" 2>"$scratch/demo.err" &
    demo_pid=$!
    for _ in $(seq 100); do
        grep -q '^ready' "$scratch/demo" && break
        sleep 0.1
    done
    read -r _ x y width height <"$scratch/demo" || { cat "$scratch/demo.err" >&2; exit 1; }
    sleep 0.5  # the last repaint reaches the server

    import -window root "$scratch/root.png"
    convert "$scratch/root.png" -crop "${width}x${height}+${x}+${y}" +repage "$2"
    kill "$demo_pid"
    wait "$demo_pid" 2>/dev/null || true
    demo_pid=
    echo "wrote $2 (${width}x${height})"
}

shoot demo docs/screenshot.png
shoot levels docs/level-by-level.png
shoot classes docs/classes.png
shoot pairs docs/pairs.png
shoot compare docs/compare-builds.png
