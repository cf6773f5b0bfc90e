#!/usr/bin/env bash
# Configures and builds everything (program, service, tools, database, tests) into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${STATDESK_BUILD:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
