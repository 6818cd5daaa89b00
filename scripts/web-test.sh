#!/usr/bin/env bash
# Tests the web build: every recorded run computed by the WebAssembly tobu-script under
# Node must print what the desktop's tobu-script prints (a state line after every
# tick), then the page itself in headless Chromium (tests/web/web_test.mjs).
# Usage: scripts/web-test.sh [DESKTOP_TOBU_SCRIPT]   (default build-test/tobu-script)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
desktop=$(realpath "${1:-build-test/tobu-script}")

scripts/web-build.sh
scripts/install-packages.sh chromium
command -v npm > /dev/null || scripts/install-packages.sh npm
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)

work=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2> /dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
for script in levels/runs/*.script; do
  name=$(basename "$script" .script)
  awk '/^tick/ { n = $2 == "" ? 1 : $2; for (i = 0; i < n; i++) print "tick\nstate"; next } { print }' "$script" > "$work/$name.script"
  for side in desktop web; do
    mkdir -p "$work/$side-$name" && cp -r Levels "$work/$side-$name/"
  done
  (cd "$work/desktop-$name" && "$desktop" "$work/$name.script" > out.txt)
  (cd "$work/web-$name" && node "$root/build-web/tobu-script.js" "$work/$name.script" > out.txt)
  if cmp -s "$work/desktop-$name/out.txt" "$work/web-$name/out.txt"; then
    passed=$((passed + 1))
    echo "ok   $name: $(wc -l < "$work/web-$name/out.txt") state lines the same"
  else
    failed=$((failed + 1))
    echo "FAIL $name: the web build's run differs"
    diff "$work/desktop-$name/out.txt" "$work/web-$name/out.txt" | head -4
  fi
done

# The page, served on a free port of 127.0.0.1.
python3 -u -m http.server 0 --bind 127.0.0.1 --directory build-web/web > "$work/server.log" 2>&1 &
server=$!
for _ in $(seq 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$work/server.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
# Each page test prints its tally last ("N passed, N failed"); one that stops before it fails.
# The online panel's test starts a tobu-server of the desktop's build on 127.0.0.1 itself.
for test in web_test web_devices_test web_online_test; do
  page_status=0
  node "tests/web/$test.mjs" "http://127.0.0.1:$port/" "$desktop" "$root" "$(dirname "$desktop")/server/tobu-server" |
    tee "$work/page.log" || page_status=$?
  page_passed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1/p' "$work/page.log")
  page_failed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\2/p' "$work/page.log")
  passed=$((passed + ${page_passed:-0}))
  failed=$((failed + ${page_failed:-1}))
  [ "$page_status" -eq 0 ] || [ "$failed" -gt 0 ] || failed=1
done

sizes=$(($(stat -c %s build-web/web/tobu.wasm build-web/web/tobu.js build-web/web/tobu.data | paste -sd+)))
limit=$((3 * 1024 * 1024))
echo "download: tobu.wasm + tobu.js + tobu.data = $sizes bytes (limit $limit)"
if [ "$sizes" -gt "$limit" ]; then
  echo "FAIL the download is over the limit"
  failed=$((failed + 1))
fi
echo "web: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
