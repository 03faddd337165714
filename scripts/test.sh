#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test: the normal build
# with warnings as errors, the core with the portable extended type, the fuzz
# targets for a bounded time, the core cross-built for arm64 and run under
# qemu, the checks of the installed files and the Debian package, and last the
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer (all but
# the slow soak tests and the arithmetic's cross-check, which the normal build
# runs), built with clang (whose undefined-behaviour checks also catch float-to-integer
# overflow and calls through mistyped function pointers, which g++'s leave out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

echo "== build and test (warnings are errors)"
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_WERROR=ON
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

echo "== the core and its tests with the portable extended type (MPFR)"
cmake -S . -B build-portable -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_WERROR=ON -DVELTRANO_GUI=OFF \
  -DVELTRANO_BENCH=OFF -DVELTRANO_PORTABLE_EXTENDED=ON
cmake --build build-portable -j"$jobs"
ctest --test-dir build-portable --output-on-failure -j"$jobs"

# Fuzzing: 20 s a target here (the script's default is 60 s).
echo "== scripts/fuzz.sh 20"
scripts/fuzz.sh 20
echo "== scripts/test-arm64.sh"
scripts/test-arm64.sh
echo "== scripts/check-package.sh"
scripts/check-package.sh

echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer (clang)"
clang="$(command -v clang++-14 || command -v clang++)"
cmake -S . -B build-asan-clang -DCMAKE_CXX_COMPILER="$clang" -DCMAKE_BUILD_TYPE=Debug -DVELTRANO_WERROR=ON \
  -DVELTRANO_SANITIZE=ON -DVELTRANO_BENCH=OFF
cmake --build build-asan-clang -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1 \
UBSAN_OPTIONS=print_stacktrace=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-asan-clang --output-on-failure -j"$jobs" -LE soak
