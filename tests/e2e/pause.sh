#!/usr/bin/env bash
# During COM's 3000 ms pauses, with real input: the File menu opens, and Exit (Ctrl+X) ends the
# program, both while the pause still runs. The times are printed; the benchmark keeps figures.
source "$(dirname "$0")/lib.sh"
export TAVORIN_TRACE=$WORK/trace
start_game
key ctrl+n

now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }
last_line() { tail -n 1 "$TAVORIN_TRACE" 2>/dev/null | cut -d' ' -f2-; }
in_coms_pause() { [ "$(last_line)" = "pause 3000" ]; }
# In COM's pause, begun at most 1 s ago, so most of its 3000 ms are still to come.
fresh_coms_pause() {
    in_coms_pause || return 1
    local began
    began=$(tail -n 1 "$TAVORIN_TRACE" | cut -d' ' -f1 | cut -d. -f1)
    [ $(($(now_ms) - began)) -le 1000 ]
}
# COM's turn, passing the player's turns by Move cancel. A pass during COM's roll would hand
# the turn straight back, so Move cancel is pressed at most every 4 s: long enough for COM's
# roll to end and its first move to pause.
last_cancel=-10
reach_coms_pause() {
    fresh_coms_pause && return 0
    if [ $((SECONDS - last_cancel)) -ge 4 ]; then
        key ctrl+c
        last_cancel=$SECONDS
    fi
    return 1
}

wait_for 120 reach_coms_pause || fail "COM's turn never paused after a move: $(tail -n 5 "$TAVORIN_TRACE")"
t0=$(now_ms)
xdotool mousemove --window "$WID" 20 $((MENUBAR / 2)) click 1
POLL=0.02 wait_for 10 menu_open || fail "the File menu did not open"
t1=$(now_ms)
in_coms_pause || fail "the File menu opened only after the pause ($((t1 - t0)) ms)"
echo "menu shown $((t1 - t0)) ms after the click, inside COM's pause"
key Escape
menu_closed() { ! menu_open; }
wait_for 10 menu_closed || fail "the menu did not close"

# A pause of its own for Exit, not what is left of the menu's.
mark=$(wc -l <"$TAVORIN_TRACE")
new_coms_pause() { [ "$(wc -l <"$TAVORIN_TRACE")" -gt "$mark" ] && reach_coms_pause; }
wait_for 120 new_coms_pause || fail "COM's turn never paused again"
t0=$(now_ms)
key ctrl+x
gone() { ! kill -0 "$APP_PID" 2>/dev/null; }
POLL=0.02 wait_for 10 gone || fail "Exit during the pause did not end the program"
t1=$(now_ms)
APP_PID=
[ "$(last_line)" = "pause 3000" ] || fail "something ran on after Exit: $(last_line)"
find_window TAVORIN && fail "a TAVORIN window is up after Exit: the program started again"
[ $((t1 - t0)) -le 500 ] || fail "Exit took $((t1 - t0)) ms to end the program during the pause"
echo "Exit ended the program $((t1 - t0)) ms after the key, inside COM's pause"
echo "pause: ok"
