#!/usr/bin/env bash
# Builds the Debian package vostrel-calculator_<version>_<arch>.deb from the release
# preset (the program alone, stripped, installing under /usr) and prints its path.
# The package's dependencies are computed from the program by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh package
if [ ! -f build/release/build.ninja ]; then
    cmake --preset release >/dev/null
fi
cmake --build --preset release -j "$(nproc)"
rm -f build/release/vostrel-calculator_*.deb
(cd build/release && cpack -G DEB >/dev/null)
ls "$PWD"/build/release/vostrel-calculator_*.deb
