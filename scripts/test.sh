#!/usr/bin/env bash
# Sets up, builds and runs every test. Usage: scripts/test.sh [build-folder] [extra cmake arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
shift || true
"$here/scripts/setup.sh" "$build" "$@"
ctest --test-dir "$build" -j "$(nproc)" --output-on-failure --timeout 300
