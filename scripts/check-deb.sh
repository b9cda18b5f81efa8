#!/usr/bin/env bash
# Checks the Debian package that scripts/package-deb.sh made, without installing it.
#
#   scripts/check-deb.sh [PACKAGE.deb]
#
# Lists its files and fails when one the game needs is missing, unpacks it
# into a scratch folder and runs the tool from there (its version, and the
# built-in sample, which must be the 706-byte problem and equal what build/
# gives when there is a build), and fails on any error lintian reports.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh dpkg-dev lintian

arch=$(dpkg --print-architecture)
if [ $# -gt 0 ]; then
  deb=$1
else
  debs=(build-deb/vandrel_*_"$arch".deb)
  if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "check-deb: expected one build-deb/vandrel_*_$arch.deb; run scripts/package-deb.sh first" >&2
    exit 1
  fi
  deb=${debs[0]}
fi
failures=0
fail() {
  echo "check-deb: $*" >&2
  failures=$((failures + 1))
}

echo "== $deb ($(stat -c %s "$deb") bytes)"
dpkg-deb -f "$deb" Package Version Architecture Section Priority Depends Recommends

echo "== contents"
contents=$(dpkg-deb -c "$deb")
echo "$contents"
app=org.vandrel.Vandrel
needed=(usr/games/vandrel usr/games/vandrel-cli
        usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml
        usr/share/icons/hicolor/scalable/apps/$app.svg
        usr/share/man/man1/vandrel-cli.1.gz usr/share/man/man6/vandrel.6.gz
        usr/share/doc/vandrel/copyright usr/share/doc/vandrel/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
  needed+=("usr/share/icons/hicolor/${size}x${size}/apps/$app.png")
done
for file in "${needed[@]}"; do
  grep -q " \./$file\$" <<<"$contents" || fail "the package lacks /$file"
done

echo "== the tool, unpacked"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-deb.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
cli=$scratch/usr/games/vandrel-cli
version=$("$cli" --version) || fail "vandrel-cli --version failed"
echo "$version"
package_version=$(dpkg-deb -f "$deb" Version)
[[ "$version" == *"$package_version"* ]] || fail "vandrel-cli --version does not name $package_version"
"$cli" sample >"$scratch/sample.txt" || fail "vandrel-cli sample failed"
sample_size=$(stat -c %s "$scratch/sample.txt")
echo "sample: $sample_size bytes, first line \"$(head -n 1 "$scratch/sample.txt" | tr -d '\r')\""
[ "$sample_size" -eq 706 ] || fail "the sample has $sample_size bytes, not 706"
[ "$(head -n 1 "$scratch/sample.txt")" = $'  70\r' ] || fail "the sample does not begin with its 70 points"
if [ -x build/vandrel-cli ]; then
  build/vandrel-cli sample | cmp - "$scratch/sample.txt" || fail "the sample differs from build/vandrel-cli's"
fi

echo "== lintian"
lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"

if [ "$failures" -gt 0 ]; then
  echo "check-deb: $failures check(s) failed" >&2
  exit 1
fi
echo "check-deb: $deb is fine"
