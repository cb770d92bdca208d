#!/usr/bin/env bash
# Builds the Debian package: a release build for /usr with Debian's build flags, packed by
# cpack into <build>/strumvane_<version>_amd64.deb. The build folder is build-package, or
# $STRUMVANE_PACKAGE_BUILD.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${STRUMVANE_PACKAGE_BUILD:-build-package}

# What Debian builds its packages with: stack protector, fortified functions, read-only
# relocations bound at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DSTRUMVANE_TESTS=OFF -DSTRUMVANE_BENCH=OFF -DSTRUMVANE_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/strumvane_*.deb
(cd "$build" && cpack -G DEB)
