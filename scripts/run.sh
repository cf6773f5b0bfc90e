#!/usr/bin/env bash
# Installs what is needed, builds what the program needs, starts the local statistics service with
# the real data on the three loopback hosts the program asks by default and an FTP server for its
# start beacon, waits until both answer, and runs the branded program in its own folder.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
BUILD_DIR="${STATDESK_BUILD:-build}"
START_LIMIT_SECONDS="${STATDESK_START_LIMIT:-120}"
SERVICE_HOSTS=(127.0.0.1 127.0.0.2 127.0.0.3)
SERVICE_PORT=8470
FTP_HOST=127.0.0.1
FTP_PORT=8421

bash scripts/install-deps.sh --run
bash scripts/build.sh statdesk_run

RUN_DIR="$ROOT/$BUILD_DIR/run"
UPLOAD_DIR="$RUN_DIR/ftp-uploads"
SERVICE_LOG="$RUN_DIR/statdesk-service.log"
FTP_LOG="$RUN_DIR/ftp-server.log"
mkdir -p "$UPLOAD_DIR"

listen=()
for host in "${SERVICE_HOSTS[@]}"; do listen+=(--listen "$host:$SERVICE_PORT"); done
"$ROOT/$BUILD_DIR/server/statdesk-service" --db "$ROOT/$BUILD_DIR/data/statdesk.db" "${listen[@]}" \
  --events "$RUN_DIR/usage-events.log" --banners "$ROOT/$BUILD_DIR/data/banners" >"$SERVICE_LOG" 2>&1 &
SERVICE_PID=$!
# Debian's own interpreter: the one that has the FTP server library, whatever python3 is first on PATH.
/usr/bin/python3 -m pyftpdlib -i "$FTP_HOST" -p "$FTP_PORT" -w -d "$UPLOAD_DIR" >"$FTP_LOG" 2>&1 &
FTP_PID=$!
trap 'kill $SERVICE_PID $FTP_PID 2>/dev/null || true' EXIT

# The first reply of HOST:PORT to WHAT (bytes to send, may be empty), or nothing.
first_reply() {
  timeout 2 bash -c 'exec 3<>"/dev/tcp/$1/$2" && printf "%b" "$3" >&3 && head -c 12 <&3' _ "$1" "$2" "$3" \
    2>/dev/null || true
}

# Waits until CHECK succeeds; fails naming LOG when PID ends or the limit passes.
wait_for() {
  local what="$1" pid="$2" log="$3" check="$4" deadline=$((SECONDS + START_LIMIT_SECONDS))
  until $check; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "run.sh: the $what stopped before it answered; see $log:" >&2
      tail -n 20 "$log" >&2
      exit 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "run.sh: the $what did not answer within $START_LIMIT_SECONDS s; see $log" >&2
      exit 1
    fi
    sleep 0.2
  done
}

service_answers() {
  local host
  for host in "${SERVICE_HOSTS[@]}"; do
    [[ "$(first_reply "$host" "$SERVICE_PORT" 'GET /cgi-bin/verread.exe HTTP/1.0\r\n\r\n')" == "HTTP/1."?" 200" ]] ||
      return 1
  done
}
ftp_answers() { [[ "$(first_reply "$FTP_HOST" "$FTP_PORT" '')" == 220* ]]; }

echo "Starting the statistics service on ${SERVICE_HOSTS[*]} port $SERVICE_PORT (log: $SERVICE_LOG)..." >&2
wait_for "statistics service" "$SERVICE_PID" "$SERVICE_LOG" service_answers
wait_for "FTP server" "$FTP_PID" "$FTP_LOG" ftp_answers
echo "Ready. Usage events: $RUN_DIR/usage-events.log; start beacons: $UPLOAD_DIR" >&2

cd "$RUN_DIR"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under a virtual X server (xvfb-run)." >&2
  xvfb-run -a -s "-screen 0 1280x1024x24" ./statdesk
else
  ./statdesk
fi
