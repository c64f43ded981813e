#!/usr/bin/env bash
# A private PostgreSQL server for the tests.
#
#   pg-test-server.sh start <dir>   creates a cluster in <dir>, starts it on
#                                   127.0.0.1 (first free port from 54329) with
#                                   its socket in <dir>, creates the database
#                                   pendrel_test with the tables of
#                                   tests/support/ado/fixture.sql (loaded by the
#                                   superuser through the socket) and the role
#                                   pendrel_reader, which may only read them;
#                                   prints one line PENDREL_PG='…' for eval.
#                                   Two more login roles with the same password
#                                   are there for the tests that check such
#                                   roles are refused: pendrel_signaller (may
#                                   end other sessions and read the server's
#                                   files) and pendrel_admin (a superuser).
#                                   The tests connect as pendrel_reader.
#   pg-test-server.sh stop <dir>    stops the server and removes <dir>
#
# The server refuses to run as root: as root the folder is given to the
# postgres user and the server programs run as that user.
set -euo pipefail

usage() { echo "usage: $0 start|stop <dir>" >&2; exit 2; }
[ $# -eq 2 ] || usage
action="$1"
dir="$2"
here="$(cd "$(dirname "$0")" && pwd)"
fixture="$here/../tests/support/ado/fixture.sql"

bindir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
[ -n "$bindir" ] || { echo "pg-test-server: no PostgreSQL server programs under /usr/lib/postgresql" >&2; exit 1; }

as_server=()
if [ "$(id -u)" -eq 0 ]; then as_server=(runuser -u postgres --); fi

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

psql_admin() {
  "${as_server[@]}" "$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U postgres "$@" >&2
}

start() {
  mkdir -p "$dir"
  dir="$(cd "$dir" && pwd)"
  if [ "$(id -u)" -eq 0 ]; then chown postgres: "$dir"; fi
  "${as_server[@]}" "$bindir/initdb" -D "$dir/data" -U postgres -E UTF8 --locale=C.UTF-8 \
    --auth-local=trust --auth-host=scram-sha-256 >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log" >&2; exit 1; }

  # The first free port from 54329; a port taken between the test and the
  # start makes pg_ctl fail, and the next one is tried.
  port=54329
  while :; do
    if ! port_in_use "$port" && "${as_server[@]}" "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories=$dir" start >/dev/null 2>&1; then
      break
    fi
    port=$((port + 1))
    [ "$port" -lt 54429 ] || { echo "pg-test-server: no free port from 54329 to 54428" >&2; cat "$dir/server.log" >&2 || true; exit 1; }
  done

  password="$(head -c 32 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 24)"
  psql_admin -d postgres -c "CREATE DATABASE pendrel_test"
  psql_admin -d postgres -c "CREATE ROLE pendrel_reader LOGIN PASSWORD '$password'"
  psql_admin -d pendrel_test <"$fixture"
  psql_admin -d pendrel_test <<'SQL'
REVOKE ALL ON DATABASE pendrel_test FROM PUBLIC;
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT CONNECT ON DATABASE pendrel_test TO pendrel_reader;
GRANT USAGE ON SCHEMA public TO pendrel_reader;
GRANT SELECT ON ALL TABLES IN SCHEMA public TO pendrel_reader;
ALTER ROLE pendrel_reader SET default_transaction_read_only = on;
SQL
  psql_admin -d postgres <<SQL
CREATE ROLE pendrel_signaller LOGIN PASSWORD '$password' IN ROLE pg_signal_backend, pg_read_server_files;
CREATE ROLE pendrel_admin LOGIN SUPERUSER PASSWORD '$password';
GRANT CONNECT ON DATABASE pendrel_test TO pendrel_signaller;
SQL
  "${as_server[@]}" "$bindir/pg_isready" -q -h 127.0.0.1 -p "$port" -t 30
  echo "PENDREL_PG='Provider=PostgreSQL;Host=127.0.0.1;Port=$port;Database=pendrel_test;User ID=pendrel_reader;Password=$password'"
}

stop() {
  if [ -f "$dir/data/PG_VERSION" ]; then
    "${as_server[@]}" "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
