#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Quillora needs.
# Only what is missing is installed; nothing else is downloaded.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webchannel-dev libqt6svg6-dev
    libx11-dev libxtst-dev libxres-dev libxfixes-dev
    libgtest-dev libgmock-dev
    # the virtual desktop of the tests and the headless demonstration
    xvfb openbox xcompmgr trayer xterm xdotool xclip x11-utils x11-xserver-utils imagemagick
    # the desktop opener behind ShellOpen
    xdg-utils
    # the translation back end
    apertium-apy apertium-eng-spa apertium-eng-cat curl
)

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
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
