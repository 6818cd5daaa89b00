#!/bin/sh
# Plays every committed replay (tests/replays/*.tbr) with the given tobu-script on a fresh
# copy of the shipped levels and compares the state line with the committed one, so that
# builds with other flags (Release, sanitizers) are seen to give the same runs; then
# verifies each (no frame drawn), which must end on the same line.
#   scripts/check-replays.sh build-release/tobu-script
set -eu
cd "$(dirname "$0")/.."
script=$(realpath "$1")
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r Levels "$work/Levels"
status=0
for record in tests/replays/*.tbr; do
  expected="${record%.tbr}.expected"
  if ! (cd "$work" && "$script" replay "$root/$record") | cmp -s - "$expected"; then
    echo "check-replays: $record does not end on $expected" >&2
    status=1
  fi
  if ! (cd "$work" && "$script" verify "$root/$record") | head -n 1 | cmp -s - "$expected"; then
    echo "check-replays: $record verified does not end on $expected" >&2
    status=1
  fi
done
[ -z "$(ls -A "$work" | grep -v '^Levels$')" ] || { echo "check-replays: a replay wrote files" >&2; status=1; }
[ $status -eq 0 ] && echo "check-replays: $(ls tests/replays/*.tbr | wc -l) replays end as committed ($1)"
exit $status
