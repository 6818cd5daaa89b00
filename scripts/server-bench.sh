#!/usr/bin/env bash
# The figures of docs/online.md: leaderboard reads under wrk on one server with SQLite
# and on two servers sharing a PostgreSQL cluster of their own (made, started as nobody
# when root, and removed as in scripts/server-test.sh), each after the thirty shipped
# levels and 1,000 proven records; then the proof against the run's step alone.
#   scripts/server-bench.sh [BUILD_DIR, default build-bench]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh wrk postgresql libbenchmark-dev
build=${1:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBU_BUILD_GAME=OFF -DTOBU_BUILD_TESTS=OFF -DTOBU_BUILD_BENCH=ON > /dev/null
cmake --build "$build" -j2 --target tobu-server tobu-server-load tobu_verify_bench
pg_bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
work=$(mktemp -d /tmp/tobu-server-bench.XXXXXX)
chmod 755 "$work"
as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u nobody --); fi
stop() {
  for pid in $(cat "$work/pids" 2> /dev/null); do kill "$pid" 2> /dev/null || true; done
  if [ -f "$work/pg/postmaster.pid" ]; then "${as_owner[@]}" "$pg_bin/pg_ctl" -D "$work/pg" -m immediate stop > /dev/null || true; fi
  rm -rf "$work"
}
trap stop EXIT
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# Starts a server on DATABASE, echoes its port.
start_server() {
  local port
  port=$(free_port)
  "$build/server/tobu-server" --listen "127.0.0.1:$port" --database "$1" --write-burst 100000 \
    --writes-per-minute 100000 --verify-queue 1000 > /dev/null 2> "$work/server-$port.log" &
  echo $! >> "$work/pids"
  until (echo > "/dev/tcp/127.0.0.1/$port") 2> /dev/null; do sleep 0.1; done
  echo "$port"
}

# Uploads the shipped levels through PORT and proves 1,000 records through PORTS.
fill() {
  local token
  token=$(printf '%064x' 5)
  for level in Levels/*.vel; do
    name=$(basename "$level" .vel)
    curl -s -o /dev/null -X POST -H "Content-Type: application/octet-stream" -H "Authorization: Bearer $token" \
      --data-binary "@$level" "http://127.0.0.1:$1/api/levels?name=${name:3:20}&author=maker"
  done
  "$build/server/tobu-server-load" 1000 100 300 "$2" tests/replays/*.tbr
}

board=/api/levels/ab7c9480/records  # 04-killer-field's board
echo "== SQLite, one server"
port=$(start_server "sqlite:$work/tobu.sqlite")
fill "$port" "$port"
wrk -t2 -c32 -d10s --latency "http://127.0.0.1:$port$board" | grep -E "Requests/sec|50%|99%"
echo "resident: $(ps -o rss= -p "$(head -1 "$work/pids")") KiB"

echo "== PostgreSQL, two servers"
pg_port=$(free_port)
mkdir "$work/pg" "$work/socket"
[ ${#as_owner[@]} -eq 0 ] || chown nobody "$work/pg" "$work/socket"
"${as_owner[@]}" "$pg_bin/initdb" -D "$work/pg" -U tobu -A trust --no-sync > /dev/null
"${as_owner[@]}" "$pg_bin/pg_ctl" -D "$work/pg" -l "$work/socket/log" -w start \
  -o "-c listen_addresses=127.0.0.1 -p $pg_port -k $work/socket" > /dev/null
"${as_owner[@]}" "$pg_bin/createdb" -h 127.0.0.1 -p "$pg_port" -U tobu tobu
first=$(start_server "postgresql://tobu@127.0.0.1:$pg_port/tobu")
second=$(start_server "postgresql://tobu@127.0.0.1:$pg_port/tobu")
fill "$first" "$first,$second"
wrk -t1 -c16 -d10s --latency "http://127.0.0.1:$first$board" > "$work/wrk-first" &
reader=$!
wrk -t1 -c16 -d10s --latency "http://127.0.0.1:$second$board" | grep -E "Requests/sec|50%|99%"
wait "$reader"
grep -E "Requests/sec|50%|99%" "$work/wrk-first"

echo "== the proof against the step"
"$build/bench/tobu_verify_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
