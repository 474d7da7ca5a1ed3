#!/usr/bin/env bash
# The window maps with its caption and shows the title picture.
source "$(dirname "$0")/lib.sh"
start_game
shot "$WORK/title.png"
green=$(pixel "$WORK/title.png" 500 100)
[ "$green" = "0,128,0" ] || fail "title background is $green, not green"
# The yellow name across the upper middle.
yellow=0
for x in 240 300 480 520 700; do
    IFS=, read -r r g b <<<"$(pixel "$WORK/title.png" $x 180)"
    [ "$r" -gt 200 ] && [ "$g" -gt 150 ] && [ "$b" -lt 100 ] && yellow=$((yellow + 1))
done
[ $yellow -ge 2 ] || fail "no yellow name on the title picture"
echo "title: ok"
