# Helpers for driving the real game window under X with xdotool. Sourced by the e2e scripts.
# shellcheck shell=bash
set -euo pipefail
[ -n "${E2E_TRACE:-}" ] && set -x

GAME=${GAME:?set GAME to the tavorin executable}
WORK=$(mktemp -d)
APP_PID=
WID=
MENUBAR=0

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    stop_xvfb
    rm -rf "$WORK"
}
trap cleanup EXIT

# shellcheck source=../../tools/xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb.sh"
if [ -z "${DISPLAY:-}" ]; then start_xvfb; fi
export SDL_AUDIODRIVER=dummy
export TAVORIN_WIDGET_DIALOGS=1  # the tests drive Qt's own file dialog

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits until a command succeeds, polling every POLL seconds (0.2), up to a generous deadline
# in seconds.
wait_for() {
    local deadline=$1; shift
    local end=$((SECONDS + deadline))
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep "${POLL:-0.2}"
    done
}

# Sets FOUND to a visible window with that exact name.
find_window() { FOUND=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$FOUND" ]; }

# Starts the game in the given folder and waits for its window.
start_game() {
    local dir=${1:-$WORK}
    (cd "$dir" && exec "$GAME" >"$WORK/game.log" 2>&1) &
    APP_PID=$!
    wait_for 30 find_window TAVORIN || fail "no window titled TAVORIN: $(cat "$WORK/game.log")"
    WID=$FOUND
    eval "$(xdotool getwindowgeometry --shell "$WID")"
    MENUBAR=$((HEIGHT - 696))
    [ "$WIDTH" -eq 991 ] || fail "window is $WIDTH wide, not 991"
    [ $MENUBAR -ge 0 ] || fail "client area lower than 696"
    # Without a window manager, a click on a bare spot gives the window the focus.
    click 900 600
}

shot() { import -window "$WID" "$1"; }

# The colour of a pixel of the client area as "r,g,b".
pixel() {
    convert "$1" -crop "1x1+$2+$(($3 + MENUBAR))" -depth 8 txt:- |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# Whether two screenshots differ inside a rectangle of the client area.
differs() {
    local a=$1 b=$2 x=$3 y=$4 w=$5 h=$6
    local geo="${w}x${h}+${x}+$((y + MENUBAR))"
    [ "$(convert "$a" -crop "$geo" +repage -format '%#' info:)" != \
      "$(convert "$b" -crop "$geo" +repage -format '%#' info:)" ]
}

click() { xdotool mousemove --window "$WID" "$1" $(($2 + MENUBAR)) click 1; }
dclick() { xdotool mousemove --window "$WID" "$1" $(($2 + MENUBAR)) click --repeat 2 --delay 60 1; }
# Real key presses (XTEST) go to the window with the focus, also to an open menu.
key() { xdotool key "$@"; }

# Whether exactly N visible windows have that exact name (a message box takes its parent's).
windows_named() { [ "$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | wc -l)" -eq "$1" ]; }
# Sets FOUND to the newest visible window of that name.
newest_window() { FOUND=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1); [ -n "$FOUND" ]; }
# With E2E_SHOTS=folder, keeps a picture of a window there for a person to look at.
keep_shot() { [ -z "${E2E_SHOTS:-}" ] || import -window "$1" "$E2E_SHOTS/$2"; }
# Whether a menu of the game is open: a window of the game's besides its main window.
menu_open() { [ "$(xdotool search --onlyvisible --class tavorin 2>/dev/null | grep -vcx "$WID")" -gt 0 ]; }
