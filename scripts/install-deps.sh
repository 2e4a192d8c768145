#!/usr/bin/env bash
# Installs, from Debian's packages, what the machine lacks for one or more purposes:
#   run      building the program and starting it
#   test     building and running every test, benchmark and the fuzz run
#   package  building the Debian package and checking it
# Usage: scripts/install-deps.sh run|test|package...
# Runs apt-get as root, through sudo otherwise, and not at all when nothing is missing.
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev libicu-dev fonts-dejavu-core)
test_packages=("${run_packages[@]}"
    clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-private-dev qt6-qpa-plugins xvfb xauth time poppler-utils)
package_packages=("${run_packages[@]}"
    dpkg-dev file lintian desktop-file-utils appstream man-db)

if [ $# -eq 0 ]; then
    echo "usage: $0 run|test|package..." >&2
    exit 64
fi
packages=()
for purpose in "$@"; do
    case $purpose in
        run) packages+=("${run_packages[@]}") ;;
        test) packages+=("${test_packages[@]}") ;;
        package) packages+=("${package_packages[@]}") ;;
        *) echo "unknown purpose '$purpose': run, test or package" >&2; exit 64 ;;
    esac
done

missing=()
for pkg in $(printf '%s\n' "${packages[@]}" | sort -u); do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
