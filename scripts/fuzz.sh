#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-fuzz, then runs one target or all of them, one after the other, each for a number of
# executions or seconds. Each target works in OUT/<target>/: the inputs it adds to its corpus,
# any crashing input (crash-*, leak-*, timeout-*, oom-*) and its log. The committed corpus and
# regressions are read, never written.
#
#   scripts/fuzz.sh [--runs N | --seconds S] [--out DIR] [--jobs N] [TARGET|all]
#
# Needs clang and libclang-rt-14-dev. The exit status is 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR="${STATDESK_FUZZ_BUILD:-build-fuzz}"
RUNS=""
SECONDS_EACH=""
OUT="$BUILD_DIR/findings"
JOBS="$(nproc)"
TARGET="all"

usage() {
  sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
}

while [ $# -gt 0 ]; do
  case "$1" in
    --runs) RUNS="$2"; shift 2 ;;
    --seconds) SECONDS_EACH="$2"; shift 2 ;;
    --out) OUT="$2"; shift 2 ;;
    --jobs) JOBS="$2"; shift 2 ;;
    -h|--help) usage ;;
    -*) echo "unknown option $1" >&2; usage ;;
    *) TARGET="$1"; shift ;;
  esac
done
if [ -z "$RUNS" ] && [ -z "$SECONDS_EACH" ]; then
  SECONDS_EACH=60
fi

ALL_TARGETS=$(sed -n 's/^statdesk_fuzz_target(\([a-z_0-9]*\).*/\1/p' fuzz/FuzzTargets.cmake)
if [ "$TARGET" = "all" ]; then
  TARGETS="$ALL_TARGETS"
elif printf '%s\n' $ALL_TARGETS | grep -qx "$TARGET"; then
  TARGETS="$TARGET"
else
  echo "no fuzz target \"$TARGET\"; there are: $(echo $ALL_TARGETS)" >&2
  exit 2
fi

command -v clang++ >/dev/null || { echo "clang++ not found (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }
# -O1 without NDEBUG: the code's own assertions stay on while fuzzing.
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DSTATDESK_FUZZ=ON >/dev/null
PROGRAMS=()
for t in $TARGETS; do PROGRAMS+=("fuzz_$t"); done
nice -n 10 cmake --build "$BUILD_DIR" --parallel "$JOBS" --target "${PROGRAMS[@]}"

export QT_QPA_PLATFORM=offscreen
# Targets that read files write each input to a temporary folder; memory keeps that fast.
if [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
summary=()
for t in $TARGETS; do
  work="$OUT/$t"
  mkdir -p "$work/corpus"
  args=(-artifact_prefix="$work/" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048)
  [ -n "$RUNS" ] && args+=(-runs="$RUNS")
  [ -n "$SECONDS_EACH" ] && args+=(-max_total_time="$SECONDS_EACH")
  seeds=("fuzz/corpus/$t")
  [ -d "fuzz/regressions/$t" ] && seeds+=("fuzz/regressions/$t")
  echo "== $t" >&2
  if ! nice -n 10 "$BUILD_DIR/fuzz/fuzz_$t" "${args[@]}" "$work/corpus" "${seeds[@]}" >"$work/log.txt" 2>&1; then
    status=1
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log.txt" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log.txt" | tail -1)
  findings=$(find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  summary+=("$(printf '%-18s %12s runs %8s exec/s %3s findings' "$t" "${executions:-?}" "${speed:-?}" "$findings")")
  [ "$findings" -gt 0 ] && status=1
  tail -n 3 "$work/log.txt" >&2
done
printf '%s\n' "${summary[@]}"
exit $status
