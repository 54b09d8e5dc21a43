#!/bin/sh
# Runs module-variant-check.js against the Shell 45+ variant of the extension in the
# build folder, with a stand-in for the Shell's own Extension class and Mutter's
# introspection data (Debian 12 ships Mutter 11, whose Meta and Clutter serve here),
# on a private session bus.
#   tests/gnome/check-module-variant.sh BUILD/gnome-extension/45/UUID
set -eu
variant=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed 's|resource:///org/gnome/shell/extensions/extension.js|./shell-extension-stub.js|' \
    "$variant/extension.js" >"$work/extension.js"
echo 'export class Extension { constructor(metadata) { this.metadata = metadata; } }' >"$work/shell-extension-stub.js"
cp "$here/module-variant-check.js" "$work/"
typelibs=$(ls -d /usr/lib/*/mutter-* | head -n 1)
cd "$work"
GI_TYPELIB_PATH=$typelibs dbus-run-session -- gjs -m module-variant-check.js "$variant/metadata.json"
