#!/usr/bin/env bash
# Takes the picture of the board for the README and the AppStream metainfo: starts the game under
# an Xvfb of its own, chooses New Game, waits until the opening roll is over and the board waits
# for the player, and saves the window as a PNG.
#
#   tools/screenshot.sh [GAME] [OUT.png]     (defaults: build/tavorin, docs/screenshot.png)
#
# Needs: xvfb xdotool imagemagick (Debian). Ends only the processes it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=$(realpath "${1:-$root/build/tavorin}")
out=$(realpath -m "${2:-$root/docs/screenshot.png}")
[ -x "$game" ] || { echo "no game at $game: build it first" >&2; exit 2; }
for t in Xvfb xdotool import; do
    command -v "$t" >/dev/null || { echo "missing $t (apt-get install xvfb xdotool imagemagick)" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb='' app=''
# Asks process $1 (or its group, with -) to end, and makes sure it has after a few seconds.
stop() {
    kill -- "$1" 2>/dev/null || return 0
    local pid=${1#-}
    for _ in $(seq 50); do
        [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null)" = Z ] || [ ! -e "/proc/$pid" ] && return 0
        sleep 0.1
    done
    kill -KILL -- "$1" 2>/dev/null || true
}
cleanup() {
    if [ -n "$app" ]; then stop -"$app"; fi
    if [ -n "$xvfb" ]; then stop "$xvfb"; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "screenshot: $*" >&2
    [ -f "$work/game.log" ] && tail -n 20 "$work/game.log" >&2
    exit 1
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

# shellcheck source=xvfb.sh
source "$root/tools/xvfb.sh"
start_xvfb 1280x1024x24 || fail "Xvfb did not start"
xvfb=$XVFB_PID

# The game's trace notes every effect it plays: the roll's rattles tell how far the game is.
trace=$work/sounds.txt
mkdir -p "$work/home"
(cd "$work/home" && HOME=$work/home SDL_AUDIODRIVER=dummy TAVORIN_TRACE=$trace \
    exec setsid "$game" >"$work/game.log" 2>&1) &
app=$!
window() {
    wid=$(xdotool search --onlyvisible --pid "$app" --name '^TAVORIN$' 2>/dev/null | head -n 1)
    [ -n "$wid" ]
}
wait_for 60 window || fail "no window named TAVORIN within 60 s"

xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+n
rattles() { [ -f "$trace" ] && [ "$(grep -c 'dice\.wav' "$trace")" -ge 7 ]; }
wait_for 30 rattles || fail "New Game did not start the opening roll"

# The opening roll takes seven rattles; if COM won it, it moves (with pauses of 3 s, silent ones
# too) and then rolls for the player. Either way the board waits for the player once the trace
# has been still for longer than any of those pauses.
last=$(wc -l <"$trace") still_since=$SECONDS
while [ $((SECONDS - still_since)) -lt 7 ]; do
    sleep 0.5
    now=$(wc -l <"$trace")
    if [ "$now" != "$last" ]; then last=$now still_since=$SECONDS; fi
    [ $SECONDS -lt 120 ] || fail "the game did not settle within 120 s"
done

mkdir -p "$(dirname "$out")"
import -window "$wid" "$out"
echo "saved $out ($(identify -format '%wx%h' "$out"))"
