#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run, and any named
# on the command line, when any is missing.
#
#   scripts/ensure-packages.sh [EXTRA-PACKAGE...]
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-translations-l10n libgtest-dev libbenchmark-dev fonts-ipafont-gothic
          appstream groff-base "$@")

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
