#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run, and any named
# on the command line, when any is missing. With --web: those the web page
# needs instead (Emscripten, Node.js with npm, Chromium for its tests).
#
#   scripts/ensure-packages.sh [--web] [EXTRA-PACKAGE...]
set -euo pipefail

web=false
if [ "${1:-}" = "--web" ]; then
  web=true
  shift
fi

if $web; then
  # Emscripten's linker runs acorn from Debian's Node.js modules.
  packages=(cmake emscripten node-acorn chromium python3 "$@")
  # Node.js and npm may come from elsewhere than Debian: by command.
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
else
  packages=(cmake g++ make qt6-base-dev qt6-translations-l10n libgtest-dev libbenchmark-dev fonts-ipafont-gothic
            appstream groff-base "$@")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
