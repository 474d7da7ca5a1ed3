#!/usr/bin/env bash
# Open a prepared game through the real dialog, let the roll run, Save As through the real
# dialog, and compare the saved position with the prepared one.
source "$(dirname "$0")/lib.sh"

# A mid-game position: lines 1-24 pair COM's index i with the player's index i.
prepared="$WORK/prepared.kif"
{
    for i in $(seq 0 23); do
        com=0 me=0
        case $i in 0) com=2 ;; 3) me=3 ;; 11) com=4 me=5 ;; 18) com=9 me=7 ;; esac
        printf ' %d  %d \r\n' $com $me
    done
    for v in 0 1 3 4 0 0 2 0 0 0 0; do printf ' %d \r\n' $v; done   # lines 25-35
    printf '\r\n\r\n\r\n\r\n\r\n'                                     # lines 36-40 empty
    printf ' 0 \r\n 0 \r\n 0 \r\n'                                    # lines 41-43
} >"$prepared"

start_game
dialog_open() { find_window "$1"; }
key ctrl+o
wait_for 15 dialog_open "ファイルを開く" || fail "the open dialog did not come up"
sleep 0.5
xdotool type --delay 20 "$prepared"
key Return
dialog_closed() { ! find_window "ファイルを開く"; }
wait_for 15 dialog_closed || fail "the open dialog stayed"
click 900 600  # no window manager gives the focus back: a click on a bare spot does
sleep 3  # the player's roll: six ticks of 300 ms

# Save As has no shortcut: the File menu opens on it, its first item not greyed.
key alt+f
sleep 0.5
key Return
wait_for 15 dialog_open "ファイルを保存する" || fail "the save dialog did not come up"
sleep 0.5
saved="$WORK/saved.kif"
key ctrl+a
xdotool type --delay 20 "$saved"
key Return
wait_for 15 test -s "$saved" || fail "nothing was saved"

# Boards (lines 1-24) and bars and borne-off counts (lines 32-35) as prepared.
head -n 24 "$prepared" | cmp - <(head -n 24 "$saved") || fail "the saved boards differ"
diff <(sed -n 32,35p "$prepared") <(sed -n 32,35p "$saved") || fail "bars or borne-off differ"
[ "$(wc -l <"$saved")" -eq 43 ] || fail "the saved file has $(wc -l <"$saved") lines"
echo "files: ok"
