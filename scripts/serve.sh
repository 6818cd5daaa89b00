#!/usr/bin/env bash
# Builds tobu-server and the game's web page and serves both on http://127.0.0.1:8080/
# until interrupted: the shared levels and the world records in run-server/tobu.sqlite,
# the browser game at /.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh cmake g++ ninja-build pkg-config libpng-dev libinih-dev \
  libcpp-httplib-dev libsqlite3-dev libpq-dev nlohmann-json3-dev libssl-dev
scripts/web-build.sh
cmake -S . -B build-server -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBU_BUILD_GAME=OFF -DTOBU_BUILD_TESTS=OFF > /dev/null
cmake --build build-server -j2 --target tobu-server

mkdir -p run-server
echo "tobu: open http://127.0.0.1:8080/ in a browser (Ctrl+C stops the server)"
exec build-server/server/tobu-server --listen 127.0.0.1:8080 --database sqlite:run-server/tobu.sqlite --web build-web/web
