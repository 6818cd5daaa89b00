#!/usr/bin/env bash
# tobu-server end to end (tests/server/server_test.py) on a new SQLite file, the game's
# --submit and --fetch-level against it (tests/server/game_client_test.py), then on a
# PostgreSQL cluster made for the run in a temporary folder and started as an
# unprivileged user, with the two-server load test on it. Everything stops and goes at
# the end, failed or not.
#
#   scripts/server-test.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-test}")
pg_bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
work=$(mktemp -d /tmp/tobu-server-test.XXXXXX)
chmod 755 "$work"

# PostgreSQL refuses to run as root: as root the cluster belongs to nobody.
as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u nobody --); fi

stop() {
  if [ -f "$work/pg/postmaster.pid" ]; then "${as_owner[@]}" "$pg_bin/pg_ctl" -D "$work/pg" -m immediate stop > /dev/null || true; fi
  rm -rf "$work"
}
trap stop EXIT

python3 tests/server/server_test.py "$build" "sqlite:$work/tobu.sqlite"
python3 tests/server/game_client_test.py "$build"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir "$work/pg" "$work/socket"
[ ${#as_owner[@]} -eq 0 ] || chown nobody "$work/pg" "$work/socket"
"${as_owner[@]}" "$pg_bin/initdb" -D "$work/pg" -U tobu -A trust --no-sync > /dev/null
"${as_owner[@]}" "$pg_bin/pg_ctl" -D "$work/pg" -l "$work/socket/log" -w start \
  -o "-c listen_addresses=127.0.0.1 -p $port -k $work/socket -c fsync=off -c max_connections=100" > /dev/null
"${as_owner[@]}" "$pg_bin/createdb" -h 127.0.0.1 -p "$port" -U tobu tobu
"${as_owner[@]}" "$pg_bin/createdb" -h 127.0.0.1 -p "$port" -U tobu tobu_load

python3 tests/server/server_test.py "$build" "postgresql://tobu@127.0.0.1:$port/tobu"
python3 tests/server/server_test.py "$build" "postgresql://tobu@127.0.0.1:$port/tobu_load" --load
