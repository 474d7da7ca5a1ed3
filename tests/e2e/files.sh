#!/usr/bin/env bash
# Through the real dialogs: an unplayable file is refused and changes nothing; a prepared game
# opens and its roll runs; the save dialog refuses a folder that does not exist and stays; Save
# As onto a symbolic link writes the file it names; a plain Save As holds the prepared position.
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

# The same game with 16 COM checkers: COM could never move again.
unplayable="$WORK/unplayable.kif"
sed '1s/.*/ 3  0 \r/' "$prepared" >"$unplayable"

start_game
dialog_open() { find_window "$1"; }
dialog_closed() { ! find_window "ファイルを開く"; }
open_file() {
    key ctrl+o
    wait_for 15 dialog_open "ファイルを開く" || fail "the open dialog did not come up"
    sleep 0.5
    xdotool type --delay 20 "$1"
    key Return
    wait_for 15 dialog_closed || fail "the open dialog stayed"
}

shot "$WORK/before.png"
open_file "$unplayable"
wait_for 15 windows_named 2 TAVORIN || fail "no message for an unplayable file"
newest_window TAVORIN && keep_shot "$FOUND" refused-open.png
key Return
wait_for 15 windows_named 1 TAVORIN || fail "the message stayed"
click 900 600
shot "$WORK/after.png"
differs "$WORK/before.png" "$WORK/after.png" 0 0 991 696 && fail "a refused file changed the window"

# Open is offered until a game is under way: it still is, and the prepared game loads.
open_file "$prepared"
click 900 600  # no window manager gives the focus back: a click on a bare spot does
sleep 3  # the player's roll: six ticks of 300 ms

# Save As has no shortcut: the File menu opens on it, its first item not greyed.
save_as() {
    xdotool windowfocus --sync "$WID"  # no window manager gives the focus back
    key alt+f
    wait_for 10 menu_open || fail "the File menu did not open"
    key Return
    wait_for 15 dialog_open "ファイルを保存する" || fail "the save dialog did not come up $1"
}
save_as
sleep 0.5
# A folder that does not exist: a message, and the dialog stays for another name.
key ctrl+a
xdotool type --delay 20 "$WORK/no-such-folder/game.kif"
key Return
wait_for 15 windows_named 2 "ファイルを保存する" || fail "no message for a missing folder"
newest_window "ファイルを保存する" && keep_shot "$FOUND" refused-folder.png
key Return
wait_for 15 windows_named 1 "ファイルを保存する" || fail "the save dialog closed or the message stayed"
[ ! -e "$WORK/no-such-folder" ] || fail "the missing folder was made"
newest_window "ファイルを保存する" && xdotool windowfocus --sync "$FOUND"  # no window manager does

# A link into a synced folder: its target is replaced, after the usual question.
mkdir "$WORK/games" "$WORK/synced"
printf 'old\r\n' >"$WORK/synced/real.kif"
ln -s ../synced/real.kif "$WORK/games/last.kif"
key ctrl+a
xdotool type --delay 20 "$WORK/games/last.kif"
key Return
wait_for 15 windows_named 2 "ファイルを保存する" || fail "no question before replacing"
key alt+y
saved_through_link() { [ "$(wc -l <"$WORK/synced/real.kif")" -eq 43 ]; }
wait_for 15 saved_through_link || fail "the file the link names was not saved"
[ -L "$WORK/games/last.kif" ] || fail "the link was replaced by a file"
head -n 24 "$prepared" | cmp - <(head -n 24 "$WORK/synced/real.kif") || fail "the linked save differs"
ls -A "$WORK/games" "$WORK/synced" | grep -q tavorin && fail "a temporary was left"

save_as again
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
