#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan and runs the
# whole test suite there; the first finding fails the run. Leaks are checked in the tests without
# windows; the windowing and font libraries keep their caches until the process ends.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${STATDESK_ASAN_BUILD:-build-asan}"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The build runs its own tools (database, documents, banners); their leaks are the tests' business.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
# -O1 keeps the reports' stacks whole and compiles faster than the normal build's -O2.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DSTATDESK_SANITIZE=ON -DSTATDESK_BENCH=OFF
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
# The packaging test (label packaging) installs the normal build's packages: instrumented programs
# are not packaged.
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel 2 -L gui
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel 2 -LE 'gui|packaging'
