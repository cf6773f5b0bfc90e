#!/usr/bin/env bash
# Configures and builds into ./build: everything (program, service, tools, database, tests,
# benchmarks), or only the targets named as arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${STATDESK_BUILD:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$BUILD_DIR" --parallel "$(nproc)" "${targets[@]}"
