#!/usr/bin/env bash
# Builds the game's web page and serves it on http://127.0.0.1:8080/ until interrupted.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/web-build.sh
echo "tobu: open http://127.0.0.1:8080/ in a browser (Ctrl+C stops the server)"
exec python3 -m http.server 8080 --bind 127.0.0.1 --directory build-web/web
