#!/usr/bin/env bash
# Checks an installed tree (cmake --install --prefix PREFIX): every file in its place,
# the shipped settings pointing at the installed page, the desktop files valid.
#   check-install-tree.sh PREFIX
set -euo pipefail
prefix=$(realpath "$1")
id=org.quillora.Quillora
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

for path in bin/qlr share/quillora/qlr.ini share/quillora/page/index.html share/quillora/page/about.html share/quillora/page/config.js \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml etc/xdg/autostart/$id.desktop \
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/qlr.1.gz \
    share/doc/quillora/copyright share/doc/quillora/changelog.gz \
    share/gnome-shell/extensions/quillora@quillora.org/extension.js \
    share/gnome-shell/extensions/quillora@quillora.org/metadata.json; do
    [ -e "$prefix/$path" ] || fail "missing $path"
done
for side in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${side}x${side}/apps/$id.png
    file "$png" | grep -q "PNG image data, $side x $side," || fail "no $side px icon: $(file "$png")"
done

[ -x "$prefix/share/quillora/server/translation-server.py" ] || fail "the translation server's launcher is missing or not executable"

url=$(iconv -f UTF-16LE -t UTF-8 "$prefix/share/quillora/qlr.ini" | tr -d '\r' | sed -n 's/^serviceurl=//p')
[ "$url" = "file://$prefix/share/quillora/page/index.html" ] || fail "serviceurl is $url"

if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
        fail "appstreamcli rejects the metainfo"
fi
# The program points only at its own pages, never at a reserved example address.
grep -q -E '\.invalid|example\.(org|com)' "$prefix/share/metainfo/$id.metainfo.xml" && fail "the metainfo names a placeholder address"
for desktop in "$prefix/share/applications/$id.desktop" "$prefix/etc/xdg/autostart/$id.desktop"; do
    grep -qx "Exec=$prefix/bin/qlr" "$desktop" || fail "$desktop does not start the installed qlr"
    grep -qx "Icon=$id" "$desktop" || fail "$desktop does not name the icon"
done

[ $status -eq 0 ] && echo "installed tree in $prefix is complete"
exit $status
