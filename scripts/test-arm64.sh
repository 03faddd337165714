#!/usr/bin/env bash
# Cross-builds the Qt-free core and its tests for arm64, where long double is
# not the x87 format and the portable extended type does the arithmetic, and
# runs the tests under qemu-user. Arguments go to ctest (for example
# `-R NumberText` for a subset). Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
packages=(crossbuild-essential-arm64 qemu-user libgmp-dev:arm64 libmpfr-dev:arm64 libgtest-dev:arm64
  libsndfile1-dev:arm64)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -ne 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx arm64 || $sudo dpkg --add-architecture arm64
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build=build-arm64
echo "== cross-build for arm64 (core and its tests)"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTRANO_GUI=OFF -DVELTRANO_BENCH=OFF -DVELTRANO_WERROR=ON
cmake --build "$build" -j"$(nproc)"
echo "== core tests under qemu-aarch64"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
echo "== arm64 build and tests took $((SECONDS - start)) s"
