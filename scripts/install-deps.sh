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
    # the translation back end
    apertium-apy apertium-eng-spa apertium-eng-cat curl
)

# ./test.sh --package also builds the Debian package, checks it and tries it on a
# fresh Debian root.
if [ "${1:-}" = "--package" ]; then
    packages+=(dpkg-dev file lintian appstream debootstrap iproute2)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
$SUDO apt-get update
# With the packages' recommendations, as on the machines the suite was verified on.
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
