#!/usr/bin/env bash
# Builds the optimised program and the start benchmark (in build-release/, as scripts/run.sh does),
# then times the start against an empty Qt window. Uses the X display in DISPLAY when there is
# one, otherwise an Xvfb of its own at 1024 x 768 on a display it picks.
#   scripts/start_benchmark.sh [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-release"
TAVREL_TARGETS="tavrel data_folder shipped_catalogues start_benchmark" \
    "$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release
xvfb_pid=""
work=$(mktemp -d)
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$work/display")"
fi
export XDG_RUNTIME_DIR="$work/runtime"  # quiets Qt
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$build/start_benchmark" "$@"
