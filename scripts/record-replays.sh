#!/bin/sh
# Records tests/replays/ anew from the shipped levels' recorded runs (levels/runs/), with
# the state line each replay ends on, after a level or its run changed.
#   scripts/record-replays.sh build-dbg/tobu-script
set -eu
cd "$(dirname "$0")/.."
script=$(realpath "$1")
root=$(pwd)
for run in levels/runs/*.script; do
  stem=$(basename "$run" .script)
  work=$(mktemp -d)
  cp -r Levels "$work/Levels"
  (cd "$work" && "$script" "$root/$run" > /dev/null)
  cp "$work/Replays/$stem.tbr" "tests/replays/$stem.tbr"
  rm -rf "$work"
  work=$(mktemp -d)
  cp -r Levels "$work/Levels"
  (cd "$work" && "$script" replay "$root/tests/replays/$stem.tbr") > "tests/replays/$stem.expected"
  rm -rf "$work"
done
echo "record-replays: $(ls tests/replays/*.tbr | wc -l) replays recorded"
