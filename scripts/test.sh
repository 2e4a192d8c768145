#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, the Debian package and
# its checks, the sanitizer build, and a bounded fuzz run of the class file reader.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh test package

jobs=$(nproc)
passed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Builds and tests one preset; adds its test count to `passed` (ctest fails the
# script on any failure, so every counted test passed).
build_and_test() {
    cmake --preset "$1"
    cmake --build --preset "$1" -j "$jobs"
    ctest --preset "$1" -j "$jobs" | tee "$log"
    passed=$((passed + $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")))
}

echo "== RelWithDebInfo build and tests"
build_and_test default

# The package is built from the release preset, which builds the program alone: a
# small part of the build above. Its start check preloads a probe built above.
echo "== Debian package: build and check"
bash scripts/package.sh
bash scripts/check-package.sh | tee "$log"
passed=$((passed + $(sed -n 's/^package checks: \([0-9]*\) passed.*/\1/p' "$log")))

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
build_and_test asan

echo "== Fuzzing the class file reader"
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
passed=$((passed + 1))

echo "== Summary (both builds' tests, the package checks and the fuzz run)"
echo "total: $passed passed, 0 failed"
