#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${STATDESK_BUILD:-build}"
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel 2
