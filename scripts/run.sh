#!/usr/bin/env bash
# Sets up, builds and starts TAVREL on the demo data folder laid out under the build tree.
# The program is built optimised in a folder of its own, so that it never reconfigures the
# Debug build of the tests (scripts/test.sh, in build/).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-release"
TAVREL_TARGETS="tavrel data_folder shipped_catalogues" \
    "$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release
cd "$build/donnees"
exec "$build/tavrel"
