#!/usr/bin/env bash
# Renders every shipped level's whole world, scaled down, to levels/pictures/<name>.png
# with tobu-levelshot (the game's own drawing code). Usage: scripts/level-pictures.sh [SCALE]
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-10}
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target tobu-levelshot >/dev/null
mkdir -p levels/pictures
for level in Levels/*.vel; do
  name=$(basename "$level" .vel)
  build/tobu-levelshot "$level" "levels/pictures/$name.png" "$scale"
done
