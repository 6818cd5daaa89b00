#!/bin/bash
# Measures the real game's sound under Xvfb and SDL's disk audio driver, read through a
# FIFO by scripts/audio_probe.py:
#   key to sound   from a key sent to the X server to the first buffer that is not silent
#                  reaching the driver: a menu key (sounds at once) and a jump in a run
#                  (at the next 10 ms tick); music off, so that silence is exact
#   gaps           over SOAK seconds in a run with the music on: writes so late that a
#                  sound card holding two buffers would have run dry
# for each buffer size in FRAMES (SDL_AUDIO_SAMPLES; "game" is the game's own choice).
# The driver writes through stdio, which holds 4 KB before writing; a preloaded shim
# (scripts/unbuffered_fopen.c) makes that one stream unbuffered, so every buffer is timed
# as SDL hands it over. RAW=1 leaves stdio's buffer in, as the driver is (for key to
# sound only: the gaps then mean nothing).
# Usage: scripts/measure-latency.sh [presses, default 30] [soak seconds, default 60]
#                                   [FRAMES, default "game"] [build dir, default build-measure]
#   e.g. scripts/measure-latency.sh 30 120 "128 256 512"
set -euo pipefail
cd "$(dirname "$0")/.."
presses=${1:-30}
soak=${2:-60}
sizes=${3:-game}
build=${4:-build-measure}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBU_MEASURE=ON -DTOBU_BUILD_BENCH=ON \
  -DTOBU_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tobu -j2 >/dev/null

work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
preload=()
if [ "${RAW:-0}" != 1 ]; then
  cc -O2 -shared -fPIC -o "$work/unbuffered.so" scripts/unbuffered_fopen.c -ldl
  preload=(--preload "$work/unbuffered.so")
fi

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
ready=
for _ in $(seq 200); do xdotool getmouselocation >/dev/null 2>&1 && ready=1 && break; sleep 0.1; done
[ -n "$ready" ] || { echo "Xvfb did not start" >&2; exit 1; }

# A fresh game folder: the first level and tobu.ini's music setting.
folder() {
  local dir
  dir=$(mktemp -d "$work/game.XXXX")
  mkdir "$dir/Levels"
  cp Levels/01-first-steps.vel "$dir/Levels/a.vel"
  echo "music = $1" > "$dir/tobu.ini"
  echo "$dir"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for size in $sizes; do
  frames=()
  [ "$size" = game ] || frames=(--frames "$size")
  echo "== buffers: $size"
  python3 scripts/audio_probe.py "$build/tobu" "$(folder 0)" --presses "$presses" "${frames[@]}" "${preload[@]}"
  if [ "$soak" != 0 ]; then
    python3 scripts/audio_probe.py "$build/tobu" "$(folder 60)" --presses 0 --soak "$soak" "${frames[@]}" \
      "${preload[@]}"
  fi
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
