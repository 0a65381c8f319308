#!/usr/bin/env bash
# Builds the Debian packages yuchaling, yuchaling-cli and yuchaling-registrar-sim into
# build/package/ (package preset: release build under /usr), compiled with Debian's hardening
# flags. Extra arguments go to the CMake configure step, e.g. -DCMAKE_COMPILE_WARNING_AS_ERROR=ON.
set -euo pipefail
cd "$(dirname "$0")/.."

# CMake reads CFLAGS, CXXFLAGS and LDFLAGS from the environment but not CPPFLAGS.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"

cmake --preset package "$@"
cmake --build --preset package
rm -f build/package/*.deb
(cd build/package && cpack -G DEB)
ls build/package/*.deb
