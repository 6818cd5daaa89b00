#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in run/, a play folder that
# holds a copy of the shipped levels, so playing never writes into the repository.
# Its arguments go to the game (scripts/play.sh --window).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh cmake g++ ninja-build pkg-config libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core \
  libpng-dev libinih-dev

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBU_BUILD_TESTS=OFF
cmake --build build --target tobu

# New level files join the play folder; the player's own copies are never overwritten.
mkdir -p run/Levels
if [ -d Levels ]; then
  while IFS= read -r -d '' level; do
    if [ ! -e "run/Levels/$level" ]; then
      mkdir -p "run/Levels/$(dirname "$level")"
      cp -p "Levels/$level" "run/Levels/$level"
    fi
  done < <(cd Levels && find . -type f -print0)
fi
cd run
exec ../build/tobu "$@"
