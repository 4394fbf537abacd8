#!/usr/bin/env bash
# Sets up, builds and starts TAVREL on the demo data folder laid out under the build tree.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
cd "$here/build/donnees"
exec "$here/build/tavrel"
