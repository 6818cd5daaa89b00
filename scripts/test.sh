#!/usr/bin/env bash
# Installs what is missing, builds the tests with warnings as errors and the address
# and undefined-behaviour sanitizers, checks the committed replays with it and with a
# Release tobu-script, and runs every test. Exits with CTest's status.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh cmake g++ ninja-build pkg-config libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core \
  libgtest-dev libbenchmark-dev xvfb xdotool openbox imagemagick libpng-dev libinih-dev \
  python3 emscripten node-acorn chromium \
  libcpp-httplib-dev libsqlite3-dev libpq-dev nlohmann-json3-dev libssl-dev postgresql strace

cmake -S . -B build-test -G Ninja -DTOBU_WERROR=ON -DTOBU_SANITIZE=ON
cmake --build build-test -j2

# The committed replays end on the same state line in a Release build as in this one.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBU_BUILD_GAME=OFF -DTOBU_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target tobu-script -j2
scripts/check-replays.sh build-release/tobu-script
scripts/check-replays.sh build-test/tobu-script

# ctest prints its summary ("100% tests passed, 0 tests failed out of N"); the web test
# after it closes with its own ("web: N passed, N failed").
cd build-test
SDL_VIDEODRIVER=dummy ctest --output-on-failure -j2
cd ..

# tobu-server on a SQLite file and on a PostgreSQL cluster of its own, then two servers
# on one PostgreSQL under a thousand submissions at once.
scripts/server-test.sh build-test

# The web build: the recorded runs under Node and the page in headless Chromium.
scripts/web-test.sh build-test/tobu-script
