#!/usr/bin/env bash
# Installs what is missing and builds the game's web page into build-web/web/ (the same
# libraries as the desktop game, compiled by Emscripten), and tobu-script for Node.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh cmake ninja-build python3 emscripten node-acorn
# Emscripten's optimiser needs acorn, which Debian keeps here.
export NODE_PATH=/usr/share/nodejs

emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBU_BUILD_GAME=OFF \
  -DTOBU_BUILD_TESTS=OFF -DTOBU_WERROR=ON > /dev/null
cmake --build build-web -j2 --target tobu-web tobu-script
