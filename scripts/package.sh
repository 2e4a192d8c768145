#!/usr/bin/env bash
# Builds the Debian package vostrel-calculator_<version>_<arch>.deb from the release
# preset (the program alone, stripped, installing under /usr) and prints its path.
# The package's dependencies are computed from the program by dpkg-shlibdeps.
# Reproducible: every date in the program and the package is SOURCE_DATE_EPOCH when set,
# else the last commit's time (else the Debian changelog's date, without Git history).
# The packager's CPPFLAGS, CXXFLAGS and LDFLAGS join the release build's own when
# build/release is first configured.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh package
# Configured every time: the date follows a new commit (a reconfigure rebuilds nothing
# else).
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
rm -f build/release/vostrel-calculator_*.deb
(cd build/release && cpack -G DEB >/dev/null)
ls "$PWD"/build/release/vostrel-calculator_*.deb
