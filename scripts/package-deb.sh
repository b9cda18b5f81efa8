#!/usr/bin/env bash
# Builds the Debian package build-deb/vandrel_<version>_<architecture>.deb from a Release tree of its own.
#
#   scripts/package-deb.sh
#
# The tree is build-deb/tree/, compiled with Debian's hardening flags, and
# cpack -G DEB puts the programs, the desktop entry, the icons, the metainfo,
# the manual pages, the copyright and the changelog into the package, its
# dependencies found by dpkg-shlibdeps. build/ is not touched.
# scripts/check-deb.sh checks the package without installing it.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-dev: dpkg-buildflags and dpkg-shlibdeps; file: how cpack tells the
# programs from the other files; lintian: the check of the package.
scripts/ensure-packages.sh dpkg-dev file lintian

out=build-deb
tree=$out/tree
# The flags of a Debian build: fortified and stack-protected code, a
# read-only relocation table bound at start, and file names in the debug
# data relative to the sources.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DVANDREL_DEB=ON -DBUILD_TESTING=OFF -DVANDREL_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$tree" -j"$(nproc)"

# cpack's scratch stays in the tree; only the package lands in build-deb/.
rm -f "$out"/vandrel_*.deb
(cd "$tree" && cpack -G DEB -B "$PWD/cpack" >/dev/null)
mv "$tree"/cpack/vandrel_*.deb "$out"/
ls "$out"/vandrel_*.deb
