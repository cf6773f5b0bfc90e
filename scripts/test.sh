#!/usr/bin/env bash
# Builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${STATDESK_BUILD:-build}"
bash scripts/build.sh
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel 2
