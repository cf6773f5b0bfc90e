#!/usr/bin/env bash
# A throw-away cluster on this machine: PostgreSQL for the usage events, three statdesk-service
# replicas and HAProxy in front of them on the address the client asks.
#
#   scripts/cluster.sh start [--listen ADDR:PORT] [--db FILE] [--dir DIR]
#   scripts/cluster.sh stop [--dir DIR]
#
# HAProxy listens on ADDR:PORT (127.0.0.1:8470 by default), the replicas on 127.0.0.1 at PORT+1 to
# PORT+3, PostgreSQL on 127.0.0.1 at PORT+9.
#
# start prints one line per process: its role, its pid and its address (for PostgreSQL the
# connection address the replicas use). Everything lives in DIR (default build/cluster); stop ends
# every process start began and removes the database's data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
BUILD_DIR="${STATDESK_BUILD:-build}"

COMMAND="${1:-}"
shift || true
LISTEN="127.0.0.1:8470"
DB="$ROOT/$BUILD_DIR/data/statdesk.db"
DIR="$ROOT/$BUILD_DIR/cluster"
while [ $# -gt 0 ]; do
  case "$1" in
    --listen) LISTEN="$2"; shift 2 ;;
    --db) DB="$2"; shift 2 ;;
    --dir) DIR="$2"; shift 2 ;;
    *) echo "cluster.sh: unknown option $1" >&2; exit 2 ;;
  esac
done

PG_BIN="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
# The database and the replicas take the ports just above HAProxy's: 8479 and 8471 to 8473 by default.
BASE_PORT="${LISTEN##*:}"
PG_PORT=$((BASE_PORT + 9))
REPLICA_PORTS=($((BASE_PORT + 1)) $((BASE_PORT + 2)) $((BASE_PORT + 3)))
SERVICE="$ROOT/$BUILD_DIR/server/statdesk-service"

# PostgreSQL refuses to run as root: as root its commands run as the postgres user.
as_postgres() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# Waits until something accepts connections on host:port.
wait_for_port() {
  local host="${1%:*}" port="${1##*:}"
  for _ in $(seq 1 600); do
    if (exec 3<>"/dev/tcp/$host/$port") 2>/dev/null; then return 0; fi
    sleep 0.1
  done
  echo "cluster.sh: nothing answers on $1" >&2
  return 1
}

start() {
  if [ -e "$DIR/pids" ]; then
    echo "cluster.sh: a cluster runs in $DIR already (scripts/cluster.sh stop first)" >&2
    exit 1
  fi
  [ -n "$PG_BIN" ] || { echo "cluster.sh: PostgreSQL is not installed (scripts/install-deps.sh)" >&2; exit 1; }
  [ -x "$SERVICE" ] || { echo "cluster.sh: build statdesk-service first (scripts/build.sh)" >&2; exit 1; }
  [ -f "$DB" ] || { echo "cluster.sh: no database $DB" >&2; exit 1; }
  mkdir -p "$DIR"
  : > "$DIR/pids"

  # The data folder sits outside DIR: the postgres user may not be able to reach DIR.
  local pgdata
  pgdata="$(mktemp -d /tmp/statdesk-pg.XXXXXX)"
  echo "$pgdata" > "$DIR/pgdata"
  if [ "$(id -u)" -eq 0 ]; then chown postgres: "$pgdata"; fi
  as_postgres "$PG_BIN/initdb" -D "$pgdata" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >"$DIR/initdb.log"
  as_postgres "$PG_BIN/pg_ctl" -D "$pgdata" -l "$pgdata/server.log" -w \
    -o "-p $PG_PORT -k $pgdata -c listen_addresses=127.0.0.1" start >/dev/null
  as_postgres "$PG_BIN/createdb" -h 127.0.0.1 -p "$PG_PORT" -U postgres statdesk
  local uri="postgresql://postgres@127.0.0.1:$PG_PORT/statdesk"
  local pg_pid
  pg_pid="$(head -n 1 "$pgdata/postmaster.pid")"
  echo "postgresql $pg_pid $uri"

  local n=0
  for port in "${REPLICA_PORTS[@]}"; do
    n=$((n + 1))
    (cd "$DIR" && exec "$SERVICE" --db "$DB" --listen "127.0.0.1:$port" --events "$uri" \
      --replica "replica$n" --spool "$DIR/replica$n.spool" >"$DIR/replica$n.log" 2>&1) &
    echo "replica $!" >> "$DIR/pids"
    wait_for_port "127.0.0.1:$port"
    echo "replica$n $! 127.0.0.1:$port"
  done

  STATDESK_LISTEN="$LISTEN" STATDESK_HAPROXY_STATS="$DIR/haproxy.sock" \
    STATDESK_REPLICA1="127.0.0.1:${REPLICA_PORTS[0]}" STATDESK_REPLICA2="127.0.0.1:${REPLICA_PORTS[1]}" \
    STATDESK_REPLICA3="127.0.0.1:${REPLICA_PORTS[2]}" \
    haproxy -D -p "$DIR/haproxy.pid" -f "$ROOT/deploy/haproxy.cfg"
  wait_for_port "$LISTEN"
  echo "haproxy $(cat "$DIR/haproxy.pid") $LISTEN"
}

stop() {
  [ -e "$DIR/pids" ] || { echo "cluster.sh: no cluster runs in $DIR" >&2; exit 1; }
  if [ -e "$DIR/haproxy.pid" ]; then
    kill "$(cat "$DIR/haproxy.pid")" 2>/dev/null || true
    rm -f "$DIR/haproxy.pid"
  fi
  # SIGTERM: a replica answers what it has and stores its events before it ends.
  while read -r _ pid; do kill "$pid" 2>/dev/null || true; done < "$DIR/pids"
  while read -r _ pid; do
    while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  done < "$DIR/pids"
  if [ -e "$DIR/pgdata" ]; then
    local pgdata
    pgdata="$(cat "$DIR/pgdata")"
    as_postgres "$PG_BIN/pg_ctl" -D "$pgdata" -m fast -w stop >/dev/null || true
    rm -rf "$pgdata" "$DIR/pgdata"
  fi
  rm -f "$DIR/pids"
  echo "cluster stopped"
}

case "$COMMAND" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: scripts/cluster.sh start [--listen ADDR:PORT] [--db FILE] [--dir DIR] | stop [--dir DIR]" >&2; exit 2 ;;
esac
