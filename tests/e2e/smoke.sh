#!/usr/bin/env bash
# Starts the real program under Xvfb on a copy of the build's data folder and waits for what it
# must show: the title, then the first-use message, then (after "Continuer") the main window with
# the settings; and, on a data folder that has its settings, the main window with the home screen
# after the title. Each screen is recognised by colours at known places of its design, and a
# screen that does not come within its time fails with what was missing.
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

# --- what the screen shows. Places are pixels of the 640 x 480 design, scaled to the screen and,
# in the main window, moved down by its menu bar (`top`).
scale=$(awk -v w="$width" 'BEGIN { print w / 640 }')
top=0
now="$work/now.png"
missing=""

place() {
    awk -v s="$scale" -v t="$top" -v x="$1" -v y="$2" 'BEGIN { printf "%d %d", x * s, y * s + t }'
}

# The pixel at a place has this colour (RRGGBB); `what` names it when it does not.
expect_colour() {
    local x y got
    read -r x y < <(place "$1" "$2")
    got=$(/usr/bin/convert "$now" -format "%[hex:p{$x,$y}]" info:)
    [ "$got" = "$3" ] && return 0
    missing="$4: #$got at $x,$y instead of #$3"
    return 1
}

# How many pixels of a rectangle of the screen (left, top, width, height, in screen pixels) are
# near a colour.
pixels_near() {
    /usr/bin/convert "$now" -crop "${3}x${4}+${1}+${2}" +repage -alpha off -fuzz 10% \
        -transparent "#$5" -alpha extract -negate -format '%[fx:round(mean*w*h)]' info:
}

# At least `least` pixels of a rectangle (left, top, width, height) are near this colour: text
# of that colour, say. `least` is counted on the 640 x 480 design and grows with the screen.
expect_pixels() {
    local x y w h count least
    read -r x y < <(place "$1" "$2")
    read -r w h < <(awk -v s="$scale" -v w="$3" -v h="$4" 'BEGIN { printf "%d %d", w * s, h * s }')
    least=$(awk -v s="$scale" -v n="$6" 'BEGIN { printf "%d", n * s * s }')
    count=$(pixels_near "$x" "$y" "$w" "$h" "$5")
    [ "$count" -ge "$least" ] && return 0
    missing="$7: $count pixels near #$5 in ${w}x${h}+${x}+${y}, not $least"
    return 1
}

# A window of the program is up under this name (a pattern).
expect_window() {
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    missing="no window named $1"
    return 1
}

# The main window's menu bar runs along the top of the screen, its first title ("Quitter") in
# dark letters; `top` becomes its height.
expect_menu_bar() {
    local rows letters
    rows=$(/usr/bin/convert "$now" -crop "1x60+$((width - 3))+0" +repage -depth 8 txt:- |
        awk 'NR == 2 { bar = $3 } NR > 1 { if ($3 != bar) exit; n++ } END { print n + 0 }')
    if [ "$rows" -lt 12 ] || [ "$rows" -gt 48 ]; then
        missing="no menu bar along the top (its colour runs $rows rows down)"
        return 1
    fi
    letters=$(pixels_near 0 0 60 "$rows" 000000)
    if [ "$letters" -lt 15 ]; then
        missing="the menu bar's first title: $letters dark pixels"
        return 1
    fi
    top=$rows
}

# The title picture, its credit lines in white on the blue band.
title_shown() {
    expect_window '^TAVREL$' &&
        expect_colour 625 19 FFFF80 "the title's yellow sky" &&
        expect_colour 172 112 DD2E44 "the red T of TAVREL" &&
        expect_colour 62 437 004080 "the title's blue band" &&
        expect_pixels 100 345 440 100 FFFFFF 2000 "the credit lines on the band"
}

# The first-use panel over the title: grey, its message in black and its button.
first_use_shown() {
    expect_colour 200 330 C0C0C0 "the first-use panel (left)" &&
        expect_colour 440 330 C0C0C0 "the first-use panel (right)" &&
        expect_pixels 160 208 305 97 000000 1500 "the first-use message" &&
        expect_pixels 280 320 89 25 000000 60 "the panel's button caption" &&
        expect_colour 625 19 FFFF80 "the title around the panel" &&
        expect_colour 172 112 DD2E44 "the red T around the panel"
}

# The settings screen in the main window: its heading in dark blue, its grey form and buttons.
settings_shown() {
    top=0
    expect_window '^TAVREL -- Modifier les param' &&
        expect_menu_bar &&
        expect_pixels 0 0 640 24 000080 300 "the settings' heading" &&
        expect_colour 320 405 C0C0C0 "the settings' grey form" &&
        expect_pixels 72 395 212 32 000000 60 "the caption of \"Enregistrer ces paramètres\""
}

# The home screen in the main window: the activity cards, the identification card on the blue
# background.
home_shown() {
    top=0
    expect_window '^TAVREL$' &&
        expect_menu_bar &&
        expect_colour 20 400 8080FF "the home screen's background" &&
        expect_pixels 0 5 640 165 FFFFFF 15000 "the activity cards" &&
        expect_colour 145 300 C0C0C0 "the identification card" &&
        expect_pixels 150 180 340 25 000000 500 "the identification card's title"
}

# Waits up to `seconds` for the screen `check` recognises, keeping its screenshot as name.png.
wait_for() {
    local name=$1 seconds=$2 check=$3
    local deadline=$((SECONDS + seconds))
    while :; do
        running
        missing="no screenshot"
        /usr/bin/import -window root "$now" 2>/dev/null && "$check" && break
        if [ "$SECONDS" -ge "$deadline" ]; then
            [ -f "$now" ] && cp "$now" "$shots/$name.png"
            fail "$name did not come within ${seconds} s: $missing"
        fi
        sleep 0.2
    done
    cp "$now" "$shots/$name.png"
    echo "smoke: $name"
}

# First use: the title, the first-use message, then the main window with the settings.
start premiere
wait_for title 30 title_shown
wait_for first-use 30 first_use_shown
# "&Continuer" at 4200, 4800 twips (1335 x 375), scaled with the screen's width.
read -r x y < <(awk -v w="$width" 'BEGIN { e = w / 640; printf "%d %d\n", (4200 + 667) * e / 15, (4800 + 187) * e / 15 }')
xdotool mousemove "$x" "$y" click 1
wait_for first-use-continued 30 settings_shown
stop

# With settings: after the title, the main window and the home screen.
start reglee "$work/eleves/\r -1 \r 0 \r 0 \r 2 \r -1 \r\n\r\r\r 0 \r 0 \r 0 \r\n"
wait_for title-again 30 title_shown
wait_for main-window 30 home_shown
stop

echo "smoke: screenshots in $shots"
exit 0
