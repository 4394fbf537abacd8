#!/usr/bin/env bash
# Starts the real program under Xvfb on a copy of the build's data folder and looks at what it
# shows: the title, then the first-use message, then (after "Continuer") the main window; and, on
# a data folder that has its settings, the main window with the home screen after the title.
# Each screenshot must show a real picture, not an empty screen.
#   bash smoke.sh <tavrel binary> <build folder>
# TAVREL_SMOKE_SCREEN=640x480 tries another screen size (1024x768 by default).
set -u
program=$(realpath "$1")
build=$(realpath "$2")
shots="$build/e2e"
mkdir -p "$shots"
work=$(mktemp -d)
xvfb_pid=""
app_pid=""

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "smoke: $*" >&2
    exit 1
}

for tool in Xvfb /usr/bin/import /usr/bin/convert xdotool; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (scripts/setup.sh installs it)"
done
[ -x "$program" ] || fail "no program at $program"
[ -f "$build/donnees/lecons.tav" ] || fail "no data folder under $build/donnees"

# Xvfb picks a free display itself and tells its number.
screen=${TAVREL_SMOKE_SCREEN:-1024x768}
width=${screen%x*}
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Starts the program in a copy of the data folder.
start() {
    local folder="$work/$1"
    mkdir -p "$folder"
    cp -r "$build/donnees/." "$folder/"
    [ -n "${2:-}" ] && printf '%b' "$2" >"$folder/defaut"
    (cd "$folder" && exec "$program" >"$work/$1.log" 2>&1) &
    app_pid=$!
}

stop() {
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=""
}

running() {
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended early: $(cat "$work"/*.log)"
}

# A screenshot of the whole screen, which must hold a real picture (many colours).
shot() {
    local name=$1 least=$2
    /usr/bin/import -window root "$shots/$name.png" || fail "no screenshot $name"
    local colours
    colours=$(/usr/bin/convert "$shots/$name.png" -format %k info:)
    echo "smoke: $name.png, $colours colours"
    [ "$colours" -ge "$least" ] || fail "$name.png looks empty ($colours colours)"
}

# First use: the title, the first-use message, then the main window with the settings.
start premiere
sleep 2
running
shot title 64
sleep 4.5
running
shot first-use 64
# "&Continuer" at 4200, 4800 twips (1335 x 375), scaled with the screen's width.
read -r x y < <(awk -v w="$width" 'BEGIN { e = w / 640; printf "%d %d\n", (4200 + 667) * e / 15, (4800 + 187) * e / 15 }')
xdotool mousemove "$x" "$y" click 1
sleep 1.5
running
shot first-use-continued 8
stop

# With settings: after the title, the main window and the home screen.
start reglee "$work/eleves/\r -1 \r 0 \r 0 \r 2 \r -1 \r\n\r\r\r 0 \r 0 \r 0 \r\n"
sleep 6
running
shot main-window 8
stop

echo "smoke: screenshots in $shots"
exit 0
