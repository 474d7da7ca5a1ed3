#!/usr/bin/env bash
# Runs every end-to-end script against the given game executable.
set -uo pipefail
export GAME=${1:?usage: run-all.sh path/to/tavorin}
here=$(dirname "$0")
failed=0
for t in "$here"/title.sh "$here"/play.sh "$here"/files.sh "$here"/pause.sh; do
    [ -f "$t" ] || continue
    echo "== $(basename "$t")"
    bash "$t" || failed=1
done
exit $failed
