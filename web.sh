#!/usr/bin/env bash
# Builds the game's web page into build-web/ and serves it on http://localhost:8000.
#
#   ./web.sh              install what is missing, build, serve
#   ./web.sh --no-serve   install what is missing and build only
#   ./web.sh --test       build, then run the page's tests in headless Chromium
set -euo pipefail
cd "$(dirname "$0")"

serve=true
for arg in "$@"; do
  case "$arg" in
    --no-serve) serve=false ;;
    --test) exec web/test.sh ;;
    *) echo "usage: $0 [--no-serve | --test]" >&2; exit 2 ;;
  esac
done

scripts/ensure-packages.sh --web
# The test tooling, pinned by web/package-lock.json; the page itself needs none.
if [ ! -f web/node_modules/.package-lock.json ] || [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
  (cd web && npm ci --no-audit --no-fund --loglevel=error)
fi

# Emscripten's linker finds acorn among Debian's Node.js modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
if [ ! -f build-wasm/CMakeCache.txt ]; then
  emcmake cmake -S web -B build-wasm -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
fi
cmake --build build-wasm -j2

# The page: a static folder that any web server can serve, the page in one
# file beside the WebAssembly module and the icon.
rm -rf build-web
node web/bundle.mjs web/page build-wasm build-web
cp packaging/icons/org.vandrel.Vandrel.svg build-web/icon.svg
echo "The page is in build-web/."

if $serve; then
  echo "Serving it on http://localhost:8000 (Ctrl+C ends)."
  exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web
fi
