#!/usr/bin/env bash
# Installs what is missing, builds the tests with warnings as errors and the address
# and undefined-behaviour sanitizers, and runs every test. Exits with CTest's status.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh cmake g++ ninja-build pkg-config libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core \
  libgtest-dev libbenchmark-dev xvfb xdotool libpng-dev

cmake -S . -B build-test -G Ninja -DTOBU_WERROR=ON -DTOBU_SANITIZE=ON
cmake --build build-test -j2

# ctest prints its summary ("100% tests passed, 0 tests failed out of N") at the end.
cd build-test
SDL_VIDEODRIVER=dummy ctest --output-on-failure -j2
