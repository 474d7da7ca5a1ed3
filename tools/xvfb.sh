#!/usr/bin/env bash
# A virtual X display of our own. Xvfb picks a free display itself (-displayfd) and says its
# number once it accepts clients, so nothing guesses a number or polls the server.
#
#   source tools/xvfb.sh; start_xvfb [WxHxD]; ...; stop_xvfb   (DISPLAY exported, XVFB_PID set)
#   tools/xvfb.sh CMD [ARGS...]                                   (CMD runs under a fresh Xvfb)

# Starts Xvfb with the given screen (default 1600x1200x24) and exports DISPLAY.
start_xvfb() {
    local screen=${1:-1600x1200x24} file
    file=$(mktemp)
    # -noreset: an X server resets when its last client leaves, and a program started in that
    # moment cannot connect; the checks end one game and start the next at once.
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$file" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 200); do
        if grep -q '^[0-9][0-9]*$' "$file" 2>/dev/null; then
            DISPLAY=:$(head -n 1 "$file")
            export DISPLAY
            rm -f "$file"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$file"
    echo "xvfb: Xvfb did not start" >&2
    return 1
}

# Ends the Xvfb that start_xvfb started, and only that one.
stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    [ $# -gt 0 ] || { echo "usage: $0 CMD [ARGS...]" >&2; exit 2; }
    start_xvfb
    trap stop_xvfb EXIT
    "$@"
fi
