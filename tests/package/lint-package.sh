#!/usr/bin/env bash
# Checks a built Debian package: lintian finds no error (its warnings are printed), and the
# package holds the game, its sounds and music, the desktop files, the documentation and
# depends on the fonts and the Japanese translation the window needs.
#
#   lint-package.sh DEB
#
# Needs: lintian dpkg.
set -euo pipefail
deb=${1:?usage: lint-package.sh DEB}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

echo "== lintian $deb"
lintian --fail-on error --info "$deb" || fail "lintian reports errors"

echo "== contents"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
id=io.github.tavorin.Tavorin
for f in /usr/games/tavorin /usr/share/tavorin/{dice,kati,mistake,win,gameover}.wav \
    /usr/share/tavorin/bgm1.mp3 /usr/share/applications/$id.desktop \
    /usr/share/metainfo/$id.metainfo.xml /usr/share/icons/hicolor/48x48/apps/$id.png \
    /usr/share/icons/hicolor/256x256/apps/$id.png /usr/share/icons/hicolor/scalable/apps/$id.svg \
    /usr/share/doc/tavorin/copyright /usr/share/doc/tavorin/changelog.gz; do
    grep -qx "$f" <<<"$contents" || fail "the package lacks $f"
done

echo "== dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in fonts-ipafont-gothic fonts-dejavu-core qt6-translations-l10n libqt6widgets6 \
    libsdl2-mixer-2.0-0; do
    grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || fail "the package does not depend on $p"
done
grep -q qt6-wayland <<<"$(dpkg-deb -f "$deb" Depends Recommends)" ||
    fail "the package neither depends on nor recommends qt6-wayland"
echo "PASS"
