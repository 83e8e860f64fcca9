#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests, on the distribution's binaries.
#
#   pg-test-server.sh start DIR   start one (or reuse the one already running
#                                 for DIR) and print its URI
#   pg-test-server.sh stop DIR    stop it and remove its files
#
# DIR receives uri, tls-uri, password-uri, password and port; the cluster
# itself lives in a folder of its own under /tmp (named in DIR/cluster): the
# server's user must reach it even when DIR lies below a root-only folder, and
# the server's Unix socket path must stay short. The server listens on
# 127.0.0.1 only, trusts every role but rx24pw (which must give its password)
# and speaks TLS with a self-signed certificate. Nothing it holds is meant to
# survive: fsync is off.
#
# PostgreSQL refuses to run as root: run as root, every server command runs
# as "nobody".
set -euo pipefail

usage() {
  echo "usage: $0 start|stop DIR" >&2
  exit 2
}
[ $# -eq 2 ] || usage
ACTION=$1
mkdir -p "$2"
DIR=$(cd "$2" && pwd)

FIRST_PORT=54320
PORT_TRIES=50
DATABASE=rx24test
CLUSTER_PREFIX=rx24-pgtest.
LOG=

# The caller's libpq settings must not steer the server's own commands.
while IFS= read -r var; do unset "$var"; done < <(compgen -e | grep '^PG' || true)

# The caller's standard error, for messages from a trap that may run while a
# command's output goes to the server log.
exec 8>&2

fail() {
  echo "pg-test-server: $*" >&8
  exit 1
}

pg_bin() {
  local version
  version=$(find /usr/lib/postgresql -mindepth 1 -maxdepth 1 -printf '%f\n' 2>/dev/null | sort -V | tail -n 1)
  if [ -z "$version" ] || [ ! -x "/usr/lib/postgresql/$version/bin/pg_ctl" ]; then
    fail "no PostgreSQL server under /usr/lib/postgresql (scripts/setup-packages.sh installs it)"
  fi
  echo "/usr/lib/postgresql/$version/bin"
}

# Runs a command as the server's user (from "/", which that user can always
# enter; the caller's folder may be closed to it). The lock on DIR and the
# caller's standard error are not passed on: a server holding the lock would
# block every later start and stop.
as_server() {
  local user=$1
  shift
  if [ "$(id -u)" = 0 ]; then
    (cd / && runuser -u "$user" -- "$@" 8>&- 9>&-)
  else
    (cd / && "$@" 8>&- 9>&-)
  fi
}

# The cluster folder recorded in DIR, if it still looks like one of ours.
recorded_cluster() {
  local cluster
  [ -f "$DIR/cluster" ] || return 0
  cluster=$(cat "$DIR/cluster")
  case "$(basename -- "$cluster")" in
  "$CLUSTER_PREFIX"*) [ -d "$cluster" ] && echo "$cluster" ;;
  esac
  return 0
}

server_pid() {
  local pidfile="$1/data/postmaster.pid" pid
  [ -f "$pidfile" ] || return 1
  pid=$(head -n 1 "$pidfile")
  [[ $pid =~ ^[0-9]+$ ]] && kill -0 "$pid" 2>/dev/null && echo "$pid"
}

DIR_FILES=(uri tls-uri password-uri password port cluster)

stop_cluster() {
  local cluster=$1 user
  if server_pid "$cluster" >/dev/null; then
    user=$(stat -c %U "$cluster/data")
    as_server "$user" "$(pg_bin)/pg_ctl" -D "$cluster/data" -m immediate -w -t 30 stop >/dev/null 2>&1 || true
    # A server that did not go within the wait goes now.
    local pid
    if pid=$(server_pid "$cluster"); then
      kill -KILL "$pid" 2>/dev/null || true
      sleep 0.5
    fi
  fi
  rm -rf -- "$cluster"
}

stop() {
  local cluster
  cluster=$(recorded_cluster)
  [ -z "$cluster" ] || stop_cluster "$cluster"
  for f in "${DIR_FILES[@]}"; do rm -f -- "$DIR/$f"; done
}

# Reuses the server recorded in DIR when it runs and answers.
running_uri() {
  local cluster port
  cluster=$(recorded_cluster)
  [ -n "$cluster" ] && [ -f "$DIR/uri" ] && [ -f "$DIR/port" ] || return 1
  server_pid "$cluster" >/dev/null || return 1
  port=$(cat "$DIR/port")
  as_server "$(stat -c %U "$cluster/data")" "$(pg_bin)/psql" -X -q -h "$cluster" -p "$port" -U postgres \
    -d "$DATABASE" -tAc 'SELECT 1' >/dev/null 2>&1 || return 1
  cat "$DIR/uri"
}

port_answers() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# Written whole, then renamed: a reader never sees half a file.
write_file() {
  local name=$1 text=$2 mode=${3:-644}
  printf '%s\n' "$text" >"$DIR/.$name.new"
  chmod "$mode" "$DIR/.$name.new"
  mv -f "$DIR/.$name.new" "$DIR/$name"
}

start_failed() {
  local status=$?
  [ "$status" -ne 0 ] || return 0
  echo "pg-test-server: starting the server failed; the end of its log:" >&8
  [ -f "$LOG" ] && tail -n 30 "$LOG" >&8
  stop
  exit "$status"
}

start() {
  local uri
  if uri=$(running_uri); then
    echo "$uri"
    return 0
  fi
  # Whatever an earlier run left (a server that no longer answers, files of a
  # server that is gone) goes first.
  stop

  local bin user cluster
  bin=$(pg_bin)
  user=$(id -un)
  if [ "$(id -u)" = 0 ]; then
    user=nobody
    id "$user" >/dev/null 2>&1 || fail "user $user is missing: PostgreSQL does not run as root"
    cluster=$(mktemp -d "/tmp/${CLUSTER_PREFIX}XXXXXX")
    chown "$user:$(id -gn "$user")" "$cluster"
  else
    cluster=$(mktemp -d "${TMPDIR:-/tmp}/${CLUSTER_PREFIX}XXXXXX")
  fi
  echo "$cluster" >"$DIR/cluster"
  LOG="$cluster/server.log"
  local log=$LOG

  # From here on a failure or an interruption takes the half-made cluster
  # with it and shows why.
  trap start_failed EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM

  as_server "$user" touch "$log"
  if ! as_server "$user" "$bin/initdb" -D "$cluster/data" -U postgres -A trust -E UTF8 --no-locale --no-sync \
    >>"$log" 2>&1; then
    fail "initdb failed"
  fi

  # The certificate is only there to make TLS possible; nobody checks who
  # signed it.
  openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 3650 \
    -subj "/CN=127.0.0.1" -addext "subjectAltName=IP:127.0.0.1" \
    -keyout "$cluster/server.key" -out "$cluster/server.crt" >>"$log" 2>&1 || fail "openssl could not make a certificate"
  chmod 600 "$cluster/server.key"
  if [ "$(id -u)" = 0 ]; then chown "$user:" "$cluster/server.key" "$cluster/server.crt"; fi

  as_server "$user" tee -a "$cluster/data/postgresql.conf" >/dev/null <<EOF

# Test server: loopback only, TLS on, speed before safety.
listen_addresses = '127.0.0.1'
unix_socket_directories = '$cluster'
ssl = on
ssl_cert_file = '$cluster/server.crt'
ssl_key_file = '$cluster/server.key'
password_encryption = 'scram-sha-256'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 200
EOF
  # The first line that matches decides: rx24pw must always give its password.
  as_server "$user" tee "$cluster/data/pg_hba.conf" >/dev/null <<EOF
# TYPE  DATABASE  USER    ADDRESS        METHOD
host    all       rx24pw  127.0.0.1/32   scram-sha-256
local   all       all                    trust
host    all       all     127.0.0.1/32   trust
EOF

  # Another server may take a port between the look and the start: the next
  # one is tried then.
  local port=$FIRST_PORT tries=0 started=
  while [ $tries -lt $PORT_TRIES ]; do
    if ! port_answers "$port"; then
      local logged
      logged=$(stat -c %s "$log")
      if as_server "$user" "$bin/pg_ctl" -D "$cluster/data" -l "$log" -o "-p $port" -w -t 30 start >/dev/null 2>&1; then
        started=yes
        break
      fi
      tail -c +$((logged + 1)) "$log" | grep -qE 'could not (bind|create any TCP/IP sockets)|Address already in use' ||
        fail "the server did not start"
    fi
    port=$((port + 1))
    tries=$((tries + 1))
  done
  [ -n "$started" ] || fail "no free port in $FIRST_PORT..$((FIRST_PORT + PORT_TRIES - 1))"

  local password
  password=$(openssl rand -hex 16)
  as_server "$user" "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$cluster" -p "$port" -U postgres -d postgres \
    >>"$log" 2>&1 <<EOF || fail "creating the roles and the database failed"
CREATE ROLE rx24 LOGIN SUPERUSER;
CREATE ROLE rx24pw LOGIN PASSWORD '$password';
CREATE DATABASE $DATABASE OWNER rx24;
GRANT ALL ON DATABASE $DATABASE TO rx24pw;
\connect $DATABASE
GRANT ALL ON SCHEMA public TO rx24pw;
EOF

  write_file port "$port"
  write_file password "$password" 600
  write_file password-uri "postgresql://rx24pw@127.0.0.1:$port/$DATABASE"
  write_file tls-uri "postgresql://rx24@127.0.0.1:$port/$DATABASE?sslmode=require"
  # Last: a reader takes the uri file as "the server is ready".
  write_file uri "postgresql://rx24@127.0.0.1:$port/$DATABASE"
  trap - EXIT INT TERM
  cat "$DIR/uri"
}

# One start or stop at a time for DIR; the lock file stays.
exec 9>"$DIR/.lock"
flock -w 300 9 || fail "DIR $DIR stays locked by another start or stop"

case "$ACTION" in
start) start ;;
stop) stop ;;
*) usage ;;
esac
