#!/usr/bin/env bash
# Builds the program (the release preset: no tests, no benchmarks) and starts it.
# A second run finds everything in place: it installs, configures and builds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh run
if [ ! -f build/release/build.ninja ]; then
    cmake --preset release
fi
cmake --build --preset release --target vostrel-calculator
exec ./build/release/ui/vostrel-calculator
