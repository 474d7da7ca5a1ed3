# Debian packages the game needs, and a helper that installs the missing ones.
# shellcheck shell=bash
BUILD_PACKAGES="g++ cmake make pkg-config qt6-base-dev qt6-translations-l10n libsdl2-mixer-dev
  fonts-ipafont-gothic fonts-dejavu-core"
TEST_PACKAGES="xvfb xdotool x11-utils imagemagick googletest libgtest-dev libbenchmark-dev
  clang clang-format desktop-file-utils appstream sox strace python3 weston qt6-wayland"
# ./package builds the Debian package with debhelper; ./test lints it.
PACKAGE_PACKAGES="build-essential debhelper dpkg-dev lintian"

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
