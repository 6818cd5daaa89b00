#!/bin/bash
# Measures the real game in its window under Xvfb:
#   start-up   process start until the window is shown (xdotool), in ms
#   ticks      ticks run per second while the game plays a busy level (tobu-ticks.log)
#   cpu        processor time used while playing, in % of one core (/proc/<pid>/stat)
#   memory     peak resident memory, VmHWM of /proc/<pid>/status
# Usage: scripts/measure.sh [seconds, default 30] [build dir, default build-measure]
#                           [screen WIDTHxHEIGHT, default 1024x768]
# It configures and builds a Release game that writes tobu-ticks.log when it ends
# (-DTOBU_MEASURE=ON, never in a shipped game) and the benchmarks, which write the level.
# MUSIC=0..100 plays with that music volume in tobu.ini (unset: the default, 60), so that
# MUSIC=0 gives the processor use without the music to compare with.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${2:-build-measure}
screen=${3:-1024x768}
[[ $screen =~ ^[0-9]+x[0-9]+$ ]] || { echo "screen size must be WIDTHxHEIGHT, not $screen" >&2; exit 2; }
game=$build/tobu
bench=$build/bench/tobu_game_bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOBU_MEASURE=ON -DTOBU_BUILD_BENCH=ON \
  -DTOBU_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tobu tobu_game_bench -j2 >/dev/null

work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/Levels"
[ -z "${MUSIC:-}" ] || echo "music = $MUSIC" > "$work/tobu.ini"
"$bench" --write-busy-level="$work/Levels/busy.vel"
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
ready=
for _ in $(seq 200); do xdotool getmouselocation >/dev/null 2>&1 && ready=1 && break; sleep 0.1; done
[ -n "$ready" ] || { echo "Xvfb did not start" >&2; exit 1; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }
started=$(now_ms)
(cd "$work" && exec env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$OLDPWD/$game") &
pid=$!
window=
for _ in $(seq 4000); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.005
done
[ -n "$window" ] || { echo "the game's window did not appear" >&2; exit 1; }
shown=$(now_ms)
echo "screen: $screen"
echo "start-up to the window: $((shown - started)) ms"

# The window needs the input focus for ticks; then a new player and the busy level.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
focused=$(now_ms)
xdotool key --delay 60 Return b e n c h Return Return Return
sleep 1

cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
cpu0=$(cpu_ticks)
t0=$(now_ms)
sleep "$seconds"
cpu1=$(cpu_ticks)
t1=$(now_ms)
hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
kill -TERM "$pid"
wait "$pid" || true
pid=
ticks=$(awk '{print $2}' "$work/tobu-ticks.log" 2>/dev/null || echo 0)
intervals=$(awk '{print $4}' "$work/tobu-ticks.log" 2>/dev/null || echo 0)
ended=$(now_ms)
awk -v c0="$cpu0" -v c1="$cpu1" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v ticks="$ticks" -v intervals="$intervals" \
    -v shown="$focused" -v ended="$ended" -v hwm="$hwm" 'BEGIN {
  printf "cpu while playing: %.1f %% of one core over %.1f s\n", 100 * (c1 - c0) / hz / ((t1 - t0) / 1000), (t1 - t0) / 1000
  printf "ticks: %d in %.2f s since the window got the focus: %.1f per second\n", ticks, (ended - shown) / 1000, ticks / ((ended - shown) / 1000)
  printf "lost ticks: %d (timer intervals %d)\n", intervals - ticks, intervals
  printf "peak memory (VmHWM): %.1f MB\n", hwm / 1024
}'
