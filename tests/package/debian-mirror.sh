#!/usr/bin/env bash
# The Debian package sources this machine uses.
#   debian-mirror.sh            prints the mirror that serves bookworm
#   debian-mirror.sh --sources  prints this machine's Debian entries as one deb822 file
set -euo pipefail

# Every enabled "deb" entry as "URI SUITE", from both source formats.
entries() {
    shopt -s nullglob
    for file in /etc/apt/sources.list.d/*.sources; do
        awk 'BEGIN { RS = ""; FS = "\n" }
             { types = uris = suites = ""; enabled = 1
               for (i = 1; i <= NF; i++) {
                   if ($i ~ /^Types:/) types = $i
                   else if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris) }
                   else if ($i ~ /^Suites:/) { suites = $i; sub(/^Suites:[ \t]*/, "", suites) }
                   else if ($i ~ /^Enabled:[ \t]*no/) enabled = 0
               }
               if (enabled && types ~ /[ \t]deb([ \t]|$)/) {
                   n = split(uris, u, /[ \t]+/); m = split(suites, s, /[ \t]+/)
                   for (a = 1; a <= n; a++) for (b = 1; b <= m; b++) print u[a], s[b]
               } }' "$file"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -E -n 's/^[[:space:]]*deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+)[[:space:]]+([^[:space:]]+).*/\2 \3/p' "$file"
    done
}

debian_entries() { entries | awk '$2 ~ /^bookworm(-updates|-security|\/updates)?$/'; }

case "${1:-}" in
    "")
        mirror=$(debian_entries | awk '$2 == "bookworm" { print $1; exit }')
        echo "${mirror:-http://deb.debian.org/debian}"
        ;;
    --sources)
        debian_entries | while read -r uri suite; do
            printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\n' \
                "$uri" "$suite"
        done
        ;;
    *) echo "usage: $0 [--sources]" >&2; exit 2 ;;
esac
