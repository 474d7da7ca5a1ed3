#!/usr/bin/env bash
# Installs a build into a scratch prefix as a user would, checks what lands where, validates the
# desktop entry and the AppStream metainfo, then starts the INSTALLED game the way a launcher
# does (its Exec line, from an empty home folder) under $DISPLAY and checks that it reads its
# sounds and music from the installed data folder. Last, the install manifest must remove every
# installed file again, as the README's uninstall step relies on it.
#
#   install-test.sh BUILD_DIR
#
# Needs: cmake imagemagick desktop-file-utils appstream xdotool, an X server in $DISPLAY;
# strace is used when present.
set -euo pipefail

build=$(cd "${1:?usage: install-test.sh BUILD_DIR}" && pwd)
id=io.github.tavorin.Tavorin
assets=(dice.wav kati.wav mistake.wav win.wav gameover.wav bgm1.mp3)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for t in identify desktop-file-validate appstreamcli xdotool; do
    command -v "$t" >/dev/null ||
        fail "missing $t (Debian: imagemagick desktop-file-utils appstream xdotool)"
done
[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set: run under an X server (./test starts an Xvfb)"

work=$(mktemp -d)
prefix=$work/prefix
manifest=$build/install_manifest.txt
game=
# `cmake --install` rewrites the build's manifest; the one from a real install must survive,
# or uninstalling would remove this test's files instead.
[ -f "$manifest" ] && cp -p "$manifest" "$work/manifest.saved"
cleanup() {
    if [ -n "$game" ]; then
        kill -- -"$game" 2>/dev/null || kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
    fi
    if [ -f "$work/manifest.saved" ]; then mv "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== install into $prefix"
env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
cp "$manifest" "$work/installed.txt"

echo "== installed files"
[ -x "$prefix/bin/tavorin" ] || fail "bin/tavorin is missing or not executable"
data=$prefix/share/tavorin
for a in "${assets[@]}"; do
    cmp -s "$build/$a" "$data/$a" || fail "share/tavorin/$a is missing or differs from the build's"
done
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "share/applications/$id.desktop is missing"
[ -f "$metainfo" ] || fail "share/metainfo/$id.metainfo.xml is missing"

icons=$prefix/share/icons/hicolor
for px in 48 256; do
    png=$icons/${px}x${px}/apps/$id.png
    [ -f "$png" ] || fail "icon ${px}x${px}/apps/$id.png is missing"
    got=$(identify -format '%m %wx%h' "$png")
    [ "$got" = "PNG ${px}x${px}" ] || fail "icon ${px}x${px}/apps/$id.png is '$got'"
done
svg=$icons/scalable/apps/$id.svg
[ -f "$svg" ] || fail "icon scalable/apps/$id.svg is missing"
grep -q '<svg[^>]*viewBox=' "$svg" || fail "scalable/apps/$id.svg is no SVG document with a viewBox"
if command -v xmllint >/dev/null; then xmllint --noout "$svg" || fail "$id.svg is not well-formed"; fi

echo "== desktop entry"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(entry Type)" = Application ] || fail "Type is not Application"
[ "$(entry Name)" = TAVORIN ] || fail "Name is not TAVORIN"
[[ "$(entry Categories)" == *"Game;BoardGame;"* ]] || fail "Categories lack Game;BoardGame;"
[ "$(entry Icon)" = "$id" ] || fail "Icon is '$(entry Icon)', not the installed icon $id"

echo "== AppStream metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $id.metainfo.xml"
# The tree check also ties the metainfo's launchable to the installed desktop entry.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the installed tree"

echo "== start the installed game as a launcher would"
home=$work/home
mkdir -p "$home"
cd "$home"
exec_line=$(entry Exec)
resolved=$(PATH="$prefix/bin:$PATH" command -v "${exec_line%% *}") || fail "Exec=$exec_line not found"
[ "$resolved" = "$prefix/bin/tavorin" ] || fail "Exec=$exec_line runs $resolved"
# SDL's disk driver gives a sound device without a sound server, so the effects are loaded.
tracer=()
if command -v strace >/dev/null && strace -f -o /dev/null -e trace=openat true 2>/dev/null; then
    tracer=(strace -f -qq -e trace=openat -o "$work/openat.log")
fi
# shellcheck disable=SC2086  # the Exec line is split into words as a launcher does
env -u QT_QPA_PLATFORM HOME="$home" PATH="$prefix/bin:$PATH" \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
    setsid "${tracer[@]}" $exec_line >"$work/game.log" 2>&1 &
game=$!

# Other tests may show their own TAVORIN windows on the same display: only ours counts, the one
# whose process is in the session started above.
our_window() {
    local w p
    for w in $(xdotool search --onlyvisible --name '^TAVORIN$' 2>/dev/null); do
        p=$(xdotool getwindowpid "$w" 2>/dev/null) || continue
        if [ "$(ps -o sid= -p "$p" | tr -d ' ')" = "$game" ]; then
            echo "$w $p"
            return
        fi
    done
}
found=
deadline=$((SECONDS + 90))
while [ -z "$found" ]; do
    kill -0 "$game" 2>/dev/null || { cat "$work/game.log" >&2; fail "the game ended before its window showed"; }
    [ $SECONDS -lt $deadline ] || { cat "$work/game.log" >&2; fail "no window named TAVORIN within 90 s"; }
    found=$(our_window)
    [ -n "$found" ] || sleep 0.2
done
read -r wid pid <<<"$found"
echo "window $wid of process $pid is up"

# The game resolves its folder from its own path, which the kernel gives without symlinks.
realdata=$(realpath "$data")
if [ ${#tracer[@]} -gt 0 ]; then
    # Every sound is loaded once the window is up.
    opened() { grep -F "\"$realdata/$1\"" "$work/openat.log" | grep -qv '= -1 '; }
    for a in "${assets[@]}"; do
        for _ in $(seq 100); do opened "$a" && break; sleep 0.1; done
        opened "$a" || fail "the game did not open $realdata/$a"
    done
    grep -q 'lib/.*tavorin/tavorin-audio.so' "$work/openat.log" ||
        fail "the game did not load its installed audio module"
    echo "it opened all of its sounds from $realdata"
else
    # Without strace: the music is streamed, so its file stays open while it plays.
    playing=
    for fd in "/proc/$pid"/fd/*; do
        if [ "$(readlink "$fd")" = "$realdata/bgm1.mp3" ]; then playing=yes; fi
    done
    [ -n "$playing" ] || fail "the game does not hold $realdata/bgm1.mp3 open"
    echo "it plays its music from $realdata"
fi
kill -- -"$game" 2>/dev/null || kill "$game"
wait "$game" 2>/dev/null || true
game=

echo "== uninstall with the manifest"
xargs -d '\n' rm -f <"$work/installed.txt"
left=$(find "$prefix" -type f -o -type l)
[ -z "$left" ] || fail "the manifest leaves installed files behind: $left"
echo "PASS"
