#!/usr/bin/env bash
# Starts the game once as a native Wayland client of a headless Weston and checks, on
# Weston's own screenshots, that its window comes up with the title picture: the green field
# and the yellow name. Needs no display and no sound server; the runtime folder is its own.
#
#   weston-title.sh GAME
#
# Needs: weston (with weston-screenshooter) qt6-wayland imagemagick.
set -euo pipefail
game_bin=$(realpath "${1:?usage: weston-title.sh GAME}")
fail() {
    echo "FAIL: $*" >&2
    [ -f "${work:-}/weston.log" ] && tail -n 20 "$work/weston.log" >&2
    [ -f "${work:-}/game.log" ] && tail -n 20 "$work/game.log" >&2
    exit 1
}
for t in weston weston-screenshooter convert; do
    command -v "$t" >/dev/null || fail "missing $t (Debian: weston imagemagick)"
done

work=$(mktemp -d)
weston_pid='' game_pid=''
cleanup() {
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
    if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Wayland clients find the compositor's socket in a private runtime folder.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=tavorin-test
# The pixman renderer: the headless default draws nothing, so screenshots would never come.
# --debug lets weston-screenshooter take them.
weston --backend=headless-backend.so --use-pixman --width=1280 --height=960 --idle-time=0 \
    --socket="$WAYLAND_DISPLAY" --debug >"$work/weston.log" 2>&1 </dev/null &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not open its socket"

# Only the Wayland platform: no X server to fall back to.
mkdir "$work/home"
(cd "$work/home" && exec env -u DISPLAY HOME="$work/home" QT_QPA_PLATFORM=wayland \
    SDL_AUDIODRIVER=dummy "$game_bin" >"$work/game.log" 2>&1) &
game_pid=$!

# How many pixels of a screenshot are near a colour.
pixels_near() {
    convert "$1" -alpha off -fuzz "$3" -fill black +opaque "$2" -fill white -fuzz 0 \
        +opaque black -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The title picture fills the 991 x 696 client area with green, the name across it in yellow.
title_shown() {
    rm -f "$work"/shots/*.png
    mkdir -p "$work/shots"
    (cd "$work/shots" && timeout 20 weston-screenshooter >/dev/null 2>&1) || return 1
    local shot
    shot=$(find "$work/shots" -name '*.png' | head -n 1)
    [ -n "$shot" ] || return 1
    cp "$shot" "$work/last.png"
    [ "$(pixels_near "$shot" 'rgb(0,128,0)' 0)" -gt 400000 ] &&
        [ "$(pixels_near "$shot" 'rgb(255,210,0)' 20%)" -gt 5000 ]
}
deadline=$((SECONDS + 60))
until title_shown; do
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window showed"
    [ $SECONDS -lt $deadline ] || fail "no title picture on Weston within 60 s"
    sleep 0.5
done
grep -qi 'could not\|failed to' "$work/game.log" && cat "$work/game.log" >&2
[ -n "${WESTON_SHOT:-}" ] && cp "$work/last.png" "$WESTON_SHOT"
echo "PASS: the title picture is up on Weston"
