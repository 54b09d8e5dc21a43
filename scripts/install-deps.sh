#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Quillora needs.
# Only what is missing is installed; nothing else is downloaded.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-webengine-dev qt6-webchannel-dev qt6-svg-dev
    libx11-dev libxtst-dev libxres-dev libxfixes-dev libxi-dev
    libgtest-dev libgmock-dev
    # the virtual desktop of the tests and the headless demonstration
    xvfb openbox xcompmgr trayer xterm xdotool xclip x11-utils x11-xserver-utils imagemagick dbus-daemon
    fonts-dejavu-core python3 python3-xlib
    # the desktop opener behind ShellOpen
    xdg-utils
    # the fuzz targets (libFuzzer with clang)
    clang libclang-rt-14-dev
    # the translation back end (its language pairs: scripts/language-pairs; ss, for
    # where the server listens)
    apertium-apy curl iproute2
    # the Wayland back end and its test desktop (scripts/waylanddesktop.sh): headless
    # sway with XWayland, a terminal to select in, screenshots, the clipboard tools
    libwayland-dev wayland-protocols sway xwayland foot grim wl-clipboard qt6-wayland
)
mapfile -t pairs < <(grep -v -e '^#' -e '^$' "$(dirname "$0")/language-pairs")
packages+=("${pairs[@]}")
# The Plasma compositor for the Wayland tests on KWin, without its recommendations:
# with them it brings a whole Plasma desktop (about 780 packages instead of 149).
# GNOME Shell for the GNOME tests (scripts/gnomedesktop.sh) likewise: 152 packages
# instead of 552; gjs checks the module variant of the Shell extension.
bare_packages=(kwin-wayland gnome-shell gjs dbus-bin libglib2.0-bin)

# ./test.sh --package also builds the Debian package, checks it and tries it on a
# fresh Debian root.
if [ "${1:-}" = "--package" ]; then
    packages+=(dpkg-dev file lintian appstream debootstrap iproute2)
fi

# Prints those of the given packages that are not installed.
missing_of() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            echo "$package"
        fi
    done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_bare < <(missing_of "${bare_packages[@]}")

if [ ${#missing[@]} -eq 0 ] && [ ${#missing_bare[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]} ${missing_bare[*]}"
if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
$SUDO apt-get update
if [ ${#missing[@]} -ne 0 ]; then
    # With the packages' recommendations, as on the machines the suite was verified on.
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
if [ ${#missing_bare[@]} -ne 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing_bare[@]}"
fi
