#!/usr/bin/env bash
# Installs what is needed, builds, starts the local statistics service with the real data on the
# three loopback hosts the program asks by default, and runs the branded program in its own folder.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
BUILD_DIR="${STATDESK_BUILD:-build}"
bash scripts/install-deps.sh
bash scripts/build.sh

RUN_DIR="$ROOT/$BUILD_DIR/run"
mkdir -p "$RUN_DIR"
"$ROOT/$BUILD_DIR/server/statdesk-service" --db "$ROOT/$BUILD_DIR/data/statdesk.db" \
  --listen 127.0.0.1:8470 --listen 127.0.0.2:8470 --listen 127.0.0.3:8470 \
  --events "$RUN_DIR/usage-events.log" --banners "$ROOT/$BUILD_DIR/data/banners" &
SERVICE_PID=$!
trap 'kill $SERVICE_PID 2>/dev/null || true' EXIT

cd "$RUN_DIR"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under a virtual X server (xvfb-run)." >&2
  xvfb-run -a -s "-screen 0 1280x1024x24" ./statdesk
else
  ./statdesk
fi
