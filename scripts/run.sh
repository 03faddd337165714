#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF
cmake --build build-release -j"$(nproc)" --target veltrano
exec build-release/veltrano "$@"
