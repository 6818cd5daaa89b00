#!/bin/sh
# Builds the fuzzers with clang and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per fuzzer, default 60] [extra libFuzzer flags...]
# e.g. CI: scripts/fuzz.sh 0 -runs=20000   (a fixed number of runs instead of a time)
# TOBU_FUZZ_TARGETS="level" runs only the named fuzzers (default: level roster replay settings,
# and the server's upload submission identity).
# Inputs found are kept in build-fuzz/found/<target>; crashes in build-fuzz/crashes/.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
build=${TOBU_FUZZ_BUILD:-build-fuzz}
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTOBU_FUZZ=ON \
  -DTOBU_BUILD_GAME=OFF -DTOBU_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target level_fuzz roster_fuzz replay_fuzz settings_fuzz \
  upload_fuzz submission_fuzz identity_fuzz -j2
mkdir -p "$build/crashes"
status=0
for target in ${TOBU_FUZZ_TARGETS:-level roster replay settings upload submission identity}; do
  found="$build/found/$target"
  mkdir -p "$found"
  time_flag=""
  [ "$seconds" -gt 0 ] && time_flag="-max_total_time=$seconds"
  echo "== ${target}_fuzz"
  # New inputs go to $found; the committed seeds are read, never written.
  binary="$build/fuzz/${target}_fuzz"
  [ -x "$binary" ] || binary="$build/server/${target}_fuzz"  # the server's request bodies
  "$binary" $time_flag -max_len=12000 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/${target}-" "$@" "$found" "fuzz/corpus/$target" || status=1
done
exit $status
