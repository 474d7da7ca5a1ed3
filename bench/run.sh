#!/usr/bin/env bash
# The game against the toolkit's floor, side by side: start-up, memory, idle CPU and the pacing
# of the real window, then the micro-benchmarks. Medians of RUNS runs (default 5).
#
#   bench/run.sh [build-dir]        (default /work/main/build; needs tavorin and bench/floor)
#
# Runs its own Xvfb (tools/xvfb.sh) and ends it on exit. No sound server is needed: the game
# runs with SDL_AUDIODRIVER=dummy, so SDL mixes the music and effects into nothing, at the cost
# of a real device. A missed goal is reported, never an error; the exit status is non-zero
# only when something could not be measured at all.
#
# Environment: RUNS (5), BENCH_MIN_TIME (0.5 s per micro-benchmark), BENCH_KEEP=1 keeps the
# traces and logs, BENCH_ONLY=startup measures only the start-up (and skips the
# micro-benchmarks). The statistics and the table are bench/report.py's.
set -u

BUILD=$(cd "${1:-/work/main/build}" 2>/dev/null && pwd) ||
    { echo "no build folder: ${1:-/work/main/build}" >&2; exit 2; }
GAME=$BUILD/tavorin
FLOOR=$BUILD/bench/floor
RUNS=${RUNS:-5}
SETTLE=3      # seconds after the window is mapped before memory is read
CPU_SPAN=10   # seconds of each CPU measurement
for exe in "$GAME" "$FLOOR"; do
    [ -x "$exe" ] || { echo "missing $exe: build the project first" >&2; exit 2; }
done
for tool in Xvfb xdotool xev xprop stdbuf awk python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

WORK=$(mktemp -d /tmp/tavorin-bench.XXXXXX)
OURS=()  # every process this script started and has not reaped yet

cleanup() {
    local p
    for p in "${OURS[@]}"; do kill "$p" 2>/dev/null; done
    stop_xvfb
    wait 2>/dev/null
    if [ -n "${BENCH_KEEP:-}" ] || compgen -G "$WORK/stuck.*" >/dev/null; then
        echo "traces and logs kept in $WORK" >&2
    else
        rm -rf "$WORK"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

forget() {  # stop one of our processes and drop it from the list
    local p=$1 q kept=()
    kill "$p" 2>/dev/null
    wait "$p" 2>/dev/null
    for q in "${OURS[@]}"; do [ "$q" != "$p" ] && kept+=("$q"); done
    OURS=("${kept[@]}")
}

now_us() { echo "${EPOCHREALTIME/./}"; }

# --- The X server ------------------------------------------------------------------------------
# tools/xvfb.sh's start_xvfb and stop_xvfb: a display Xvfb picks itself, ended on exit.
source "$(dirname "${BASH_SOURCE[0]}")/../tools/xvfb.sh"

# --- One program under the clock ---------------------------------------------------------------
# launch NAME EXE [env...]: starts EXE and times it from exec until the X server maps its
# top-level window (a MapNotify on the root window, seen by xev, so the timing is not quantised
# by xdotool's half-second --sync poll). Sets PID, WID and START_MS (empty when it failed).
launch() {
    local name=$1 exe=$2
    shift 2
    PID="" WID="" START_MS=""
    local fifo=$WORK/xev.fifo fd line t0 t1="" mapped="" ready=""
    if xdotool search --onlyvisible --name "^$name\$" >/dev/null 2>&1; then
        echo "  $name: a window of that name is still up from before" >&2
        return 1
    fi
    rm -f "$fifo"
    mkfifo "$fifo"
    stdbuf -oL xev -root -event substructure -event property >"$fifo" 2>/dev/null &
    local xev_pid=$!
    OURS+=("$xev_pid")
    exec {fd}<"$fifo"
    # xev listens once it reports a property change of the root window; until then the
    # change is made again.
    t0=$(now_us)
    while [ -z "$ready" ] && [ $(( $(now_us) - t0 )) -lt 10000000 ]; do
        xprop -root -f _TAVORIN_BENCH 8s -set _TAVORIN_BENCH ready
        while IFS= read -r -t 0.2 -u "$fd" line; do
            [[ $line == PropertyNotify* ]] && { ready=1; break; }
        done
    done
    # Drain the answers to earlier attempts.
    while IFS= read -r -t 0.05 -u "$fd" line; do :; done
    if [ -z "$ready" ]; then
        exec {fd}<&-
        forget "$xev_pid"
        echo "  $name: xev did not start listening within 10 s" >&2
        return 1
    fi
    t0=$(now_us)
    T0_US=$t0
    (cd "$WORK" && exec env "$@" "$exe") >>"$WORK/$name.log" 2>&1 &
    PID=$!
    OURS+=("$PID")
    while [ $(( $(now_us) - t0 )) -lt 30000000 ] && IFS= read -r -t 30 -u "$fd" line; do
        if [[ $line == MapNotify* ]]; then
            t1=$(now_us)
            IFS= read -r -t 2 -u "$fd" line
            # Menus and tooltips are override-redirect popups; the main window is not.
            if [[ $line == *"override NO"* ]]; then
                mapped=$(sed -n 's/.*window \(0x[0-9a-f]*\), override.*/\1/p' <<<"$line")
                break
            fi
        fi
    done
    exec {fd}<&-
    forget "$xev_pid"
    rm -f "$fifo"
    if [ -z "$mapped" ]; then
        echo "  $name: no window mapped within 30 s; its state is in $(stuck "$name" "$PID")" >&2
        forget "$PID"
        return 1
    fi
    WID=$((mapped))
    if [ "$(xdotool getwindowname "$WID" 2>/dev/null)" != "$name" ]; then
        echo "  $name: the window mapped first ($mapped) is not titled $name" >&2
        forget "$PID"
        return 1
    fi
    START_MS=$(( (t1 - t0) / 1000 ))
}

# stuck NAME PID: what a program that never showed its window is doing; prints the file.
stuck() {
    local out=$WORK/stuck.$1.$2.txt t
    {
        echo "alive: $(kill -0 "$2" 2>/dev/null && echo yes || echo no)"
        for t in /proc/"$2"/task/*; do echo "$(cat "$t/comm") $(cat "$t/wchan")"; done
        command -v gdb >/dev/null && timeout 30 gdb -p "$2" -batch -ex 'thread apply all bt' 2>&1
    } >"$out" 2>&1
    echo "$out"
}

rss_mb() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status" 2>/dev/null; }

cpu_ticks() {  # utime + stime of every thread of the process
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }  # past the command name, which may hold blanks
    awk '{ print $12 + $13 }' <<<"$stat"
}

TICKS_PER_S=$(getconf CLK_TCK)
# cpu_percent PID SECONDS: the share of one core the process used over that span.
cpu_percent() {
    local a b t0 us
    a=$(cpu_ticks "$1") || return 1
    t0=$(now_us)
    sleep "$2"
    b=$(cpu_ticks "$1") || return 1
    us=$(( $(now_us) - t0 ))
    awk -v d=$((b - a)) -v hz="$TICKS_PER_S" -v us="$us" \
        'BEGIN { printf "%.2f", 100 * d / hz / (us / 1e6) }'
}

lines() { [ -f "$1" ] && wc -l <"$1" || echo 0; }

# wait_quiet TRACE QUIET_S DEADLINE_S MIN_LINES [LAST_NAME]: until the trace has at least
# MIN_LINES lines, its last one names LAST_NAME (if given), and nothing was added for QUIET_S.
wait_quiet() {
    local trace=$1 quiet=$(( $2 * 1000000 )) deadline=$(( $3 * 1000000 )) min=$4 last=${5:-}
    local start n seen=-1 changed
    start=$(now_us)
    changed=$start
    while :; do
        n=$(lines "$trace")
        if [ "$n" != "$seen" ]; then seen=$n; changed=$(now_us); fi
        if [ "$n" -ge "$min" ] && [ $(( $(now_us) - changed )) -ge "$quiet" ] &&
           { [ -z "$last" ] || [[ $(tail -1 "$trace") == *" $last" ]]; }; then
            return 0
        fi
        [ $(( $(now_us) - start )) -ge "$deadline" ] && return 1
        sleep 0.25
    done
}

key() { xdotool windowfocus --sync "$1" 2>/dev/null; xdotool key --clearmodifiers "$2"; }

# click WID X Y: a left click at a point of the client area (below the menu bar).
click() {
    local h
    h=$(xdotool getwindowgeometry "$1" | awk '/Geometry:/ { split($2, g, "x"); print g[2] }')
    xdotool mousemove --window "$1" "$2" $(( $3 + h - 696 )) click 1
}

# A few of the player's moves: the checkers at the foot of points 12, 19 and 17, then whatever
# COM answers. Blocked moves only cost a beep; the exact moves do not matter here.
play_moves() {
    local p
    for p in "39 543" "39 543" "448 67" "267 66"; do
        click "$1" $p
        sleep 2
    done
}

# A game under way, as Save As writes it: 24 lines of (COM, player) pairs, then 19 fields.
write_saved_game() {
    local com=(2 0 0 0 0 0 0 1 0 0 0 4 0 0 0 0 3 0 5 0 0 0 0 0)
    local my=(1 0 0 0 0 1 0 0 0 0 0 4 0 0 0 0 3 0 5 0 1 0 0 0)
    local i
    for i in $(seq 0 23); do printf ' %d  %d \r\n' "${com[$i]}" "${my[$i]}"; done
    # rollTicks turnState diceMoves[4] movesLeft comBar myBar comOff myOff comCanBearOff
    # myCanBearOff comBestFrom comScore comBestDie comBestScore comEntryState comBearOffDone
    for i in 0 0 0 0 0 0 2 0 0 0 0 0 0 0 0 0 0 0 0; do printf ' %d \r\n' "$i"; done
}

# --- Samples -------------------------------------------------------------------------------------
# intervals FILE NAME MAXGAP_MS [FIRST_N]: gaps (ms) between consecutive NAME lines closer than
# MAXGAP_MS, over the first FIRST_N such lines if given.
intervals() {
    awk -v name="$2" -v gap="$3" -v first="${4:-0}" '
        $2 == name { if (first && ++n > first) exit
                     if (have && $1 - prev < gap) printf "%.1f\n", $1 - prev
                     prev = $1; have = 1 }' "$1"
}

# --- The runs ----------------------------------------------------------------------------------
start_xvfb 1280x1024x24 || exit 2
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$WORK/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"
GAME_ENV=(SDL_AUDIODRIVER=dummy)
KIF=$WORK/midgame.kif
OPEN_TITLE='ファイルを開く'  # the title of the game's Open dialog
write_saved_game >"$KIF"

SAMPLES=$WORK/samples  # "KEY VALUE" per measurement, "note TEXT"; bench/report.py sums up
: >"$SAMPLES"
sample() { [ -n "$2" ] && echo "$1 $2" >>"$SAMPLES"; }
samples_raw() { cat >>"$SAMPLES"; }
samples() { local v; while IFS= read -r v; do sample "$1" "$v"; done; }
note() { echo "note $*" >>"$SAMPLES"; }
# startup TRACE: the steps of start-up the program traced, in ms from its exec.
startup() {
    awk -v t0="$T0_US" '$2 ~ /^(main|toolkit|translator|window|start-up|frame|audio)$/ {
        printf "%s %.1f\n", $2, $1 - t0 / 1000 }' "$1" 2>/dev/null
}
libs() {  # shared objects mapped by the process
    awk '$6 ~ /\.so/ { print $6 }' "/proc/$1/maps" 2>/dev/null | sort -u | wc -l
}

echo "TAVORIN benchmarks: $GAME vs $FLOOR, display $DISPLAY, $RUNS runs, $(nproc) cores," \
     "load $(cut -d' ' -f1-3 /proc/loadavg)"
# A first start of each warms the page cache; it is not counted.
launch FLOOR "$FLOOR" && forget "$PID"
launch TAVORIN "$GAME" "${GAME_ENV[@]}" && forget "$PID"

for run in $(seq 1 "$RUNS"); do
    echo "run $run/$RUNS ..." >&2
    if [ "${BENCH_ONLY:-}" = startup ]; then  # only the start-up, the floor and the game in turn
        ftrace=$WORK/floor.$run.trace trace=$WORK/start.$run.trace
        if launch FLOOR "$FLOOR" TAVORIN_TRACE="$ftrace"; then
            sample floor.start "$START_MS"
            sleep 0.5
            sample floor.libs "$(libs "$PID")"
            startup "$ftrace" | sed "s/^/floor.at./" | samples_raw
            forget "$PID"
        fi
        if launch TAVORIN "$GAME" "${GAME_ENV[@]}" TAVORIN_TRACE="$trace"; then
            sample game.start "$START_MS"
            sleep 0.5
            sample game.libs "$(libs "$PID")"
            startup "$trace" | sed "s/^/game.at./" | samples_raw
            forget "$PID"
        fi
        continue
    fi
    # The floor: start, memory, idle.
    ftrace=$WORK/floor.$run.trace
    if launch FLOOR "$FLOOR" TAVORIN_TRACE="$ftrace"; then
        sample floor.start "$START_MS"
        sleep "$SETTLE"
        sample floor.rss "$(rss_mb "$PID")"
        sample floor.libs "$(libs "$PID")"
        startup "$ftrace" | sed "s/^/floor.at./" | samples_raw
        sample floor.cpu "$(cpu_percent "$PID" "$CPU_SPAN")"
        forget "$PID"
    fi

    # The game: title screen, New Game, the player's turn, a few moves.
    trace=$WORK/new.$run.trace
    if launch TAVORIN "$GAME" "${GAME_ENV[@]}" TAVORIN_TRACE="$trace"; then
        sample game.start "$START_MS"
        sleep "$SETTLE"
        sample game.rss_title "$(rss_mb "$PID")"
        sample game.libs "$(libs "$PID")"
        startup "$trace" | sed "s/^/game.at./" | samples_raw
        sample game.cpu_title "$(cpu_percent "$PID" "$CPU_SPAN")"
        key "$WID" ctrl+n
        # The player's turn: the last roll tick has sounded and nothing has happened since.
        if wait_quiet "$trace" 4 90 7 dice.wav; then
            before=$(lines "$trace")
            sample game.cpu_turn "$(cpu_percent "$PID" "$CPU_SPAN")"
            [ "$(lines "$trace")" = "$before" ] ||
                note "run $run: an effect sounded while the player's turn was measured"
        else
            note "run $run: the player's turn did not come within 90 s of New Game"
        fi
        play_moves "$WID"
        wait_quiet "$trace" 6 120 1 ||
            note "run $run: the game did not settle within 120 s of the moves"
        sample game.rss_new "$(rss_mb "$PID")"
        intervals "$trace" dice.wav 1000 7 | samples game.dice
        # Steps of one travelling checker; a gap over 1.5 steps ends the run.
        intervals "$trace" kati.wav 525 | samples game.kati
        forget "$PID"
    fi

    # The game: a saved game loaded through the dialog, a few moves, then its memory.
    trace=$WORK/load.$run.trace
    if launch TAVORIN "$GAME" "${GAME_ENV[@]}" TAVORIN_TRACE="$trace"; then
        sleep 1
        key "$WID" ctrl+o
        dialog=$(timeout 15 xdotool search --sync --onlyvisible --name "$OPEN_TITLE" | head -1)
        if [ -n "$dialog" ]; then
            xdotool windowfocus --sync "$dialog" 2>/dev/null
            xdotool type --delay 2 "$KIF"
            sleep 0.5
            xdotool key Return
            sleep 1
            # A completion popup may take the first Return.
            xdotool search --onlyvisible --name "$OPEN_TITLE" >/dev/null 2>&1 &&
                xdotool key Return
        fi
        if [ -n "$dialog" ] && wait_quiet "$trace" 3 30 6 dice.wav; then
            play_moves "$WID"
            wait_quiet "$trace" 6 120 1 ||
                note "run $run: the loaded game did not settle within 120 s of the moves"
            sample game.rss_play "$(rss_mb "$PID")"
            intervals "$trace" kati.wav 525 | samples game.kati
        else
            note "run $run: the saved game could not be loaded through the dialog"
        fi
        forget "$PID"
    fi
done

# --- The table ---------------------------------------------------------------------------------
echo
python3 "$(dirname "$0")/report.py" "$SAMPLES" "$RUNS" ${BENCH_ONLY:+"$BENCH_ONLY"}
report=$?

# --- The micro-benchmarks ----------------------------------------------------------------------
[ "${BENCH_ONLY:-}" = startup ] && exit $(( report > 1 ))
echo
echo "micro-benchmarks (--benchmark_min_time=${BENCH_MIN_TIME:=0.5}):"
status=0
for b in bench_view bench_audio bench_game; do
    exe=$BUILD/bench/$b
    if [ ! -x "$exe" ]; then echo "  $b: not built"; continue; fi
    out=$(cd "$WORK" && "$exe" --benchmark_format=console --benchmark_min_time="$BENCH_MIN_TIME" \
          --benchmark_color=false 2>&1) || status=1
    # The rows after the table's header.
    awk '/^-+$/ { n++; next } n >= 2 && NF' <<<"$out" | sed "s/^/  $b: /"
done

[ "$report" -le 1 ] || status=1  # 2: a measure without data
exit $status
