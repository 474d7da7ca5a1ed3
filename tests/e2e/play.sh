#!/usr/bin/env bash
# New Game, then real clicks: a checker leaves point 1, and a double-click on the dice passes.
source "$(dirname "$0")/lib.sh"
start_game
key ctrl+n
board_shown() { shot "$WORK/now.png"; [ "$(pixel "$WORK/now.png" 5 300)" != "0,128,0" ]; }
wait_for 20 board_shown || fail "the board never replaced the title"

# Slot 1 of point 1 holds the second of the two starting checkers there.
slot_x=735 slot_y=524
is_green() { IFS=, read -r r g b <<<"$(pixel "$1" $slot_x $slot_y)"; [ "$g" -gt 150 ] && [ "$r" -lt 200 ]; }
shot "$WORK/start.png"
is_green "$WORK/start.png" || fail "no light checker on point 1 at the start"

# Until the player's turn comes (COM may begin), clicks on point 1 are ignored. A die that
# lands on COM's point 6 is refused: then a click on the dice plays the other die first, and
# now and then a double-click passes, for a double of fives.
refused=0
moved() {
    click 735 540
    sleep 0.5
    shot "$WORK/after.png"
    ! is_green "$WORK/after.png" && return 0
    refused=$((refused + 1))
    if [ $((refused % 8)) -eq 0 ]; then dclick 910 90; else click 910 90; fi
    return 1
}
wait_for 60 moved || fail "clicking point 1 never moved a checker"

sleep 3  # let the checker land
shot "$WORK/before-pass.png"
dclick 910 90
label2_changed() { shot "$WORK/pass.png"; differs "$WORK/before-pass.png" "$WORK/pass.png" 16 648 734 39; }
wait_for 10 label2_changed || fail "double-click on the dice did not pass the turn"
echo "play: ok"
