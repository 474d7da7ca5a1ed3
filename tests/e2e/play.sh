#!/usr/bin/env bash
# New Game, then real clicks: a checker leaves point 1, and a double-click on the dice passes.
source "$(dirname "$0")/lib.sh"
export TAVORIN_TRACE=$WORK/trace
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
# lands on a point COM holds is refused with mistake.wav: then a click on the dice offers the
# other die, and when that is refused too, a double-click passes to the next roll.
refused=0
moved() {
    local before
    before=$(wc -l <"$TAVORIN_TRACE")
    click 735 540
    sleep 0.5
    shot "$WORK/after.png"
    ! is_green "$WORK/after.png" && return 0
    tail -n +$((before + 1)) "$TAVORIN_TRACE" | grep -q ' mistake.wav$' || return 1
    refused=$((refused + 1))
    if [ $((refused % 2)) -eq 1 ]; then click 910 90; else dclick 910 90; fi
    return 1
}
wait_for 120 moved || fail "clicking point 1 never moved a checker"

sleep 3  # let the checker land
shot "$WORK/before-pass.png"
dclick 910 90
label2_changed() { shot "$WORK/pass.png"; differs "$WORK/before-pass.png" "$WORK/pass.png" 16 648 734 39; }
wait_for 10 label2_changed || fail "double-click on the dice did not pass the turn"
echo "play: ok"
