#!/usr/bin/env bash
# Runs an installed qlr through one selection (as root, in a network namespace of its
# own): on a virtual desktop the installed qlr, which starts its own translation server
# (no system service runs in a chroot, and none is needed), and selects an English
# sentence in an xterm. Passes when the server answers on the installed page's port,
# only on loopback, and the popup holds the Spanish translation: a triple click on the
# popup's text selects it, and the X primary selection then carries it.
#   QLR_EXE   the installed executable (default /usr/bin/qlr); its data folder is
#             ../share/quillora beside its bin folder
#   XDESKTOP  the virtual-desktop script (default /tmp/xdesktop.sh, where the fresh
#             root gets a copy)
#   WAIT_WINDOW  the script that waits for a placed window (default /tmp/wait-window.sh)
set -euo pipefail
qlr=${QLR_EXE:-/usr/bin/qlr}

if [ -z "${DISPLAY:-}" ]; then
    exec "${XDESKTOP:-/tmp/xdesktop.sh}" "$0"
fi

say() { echo "-- $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

pids=()
home=$(mktemp -d)
cleanup() {
    for pid in "${pids[@]}"; do kill -- "-$pid" 2>/dev/null || kill "$pid" 2>/dev/null || true; done
    sleep 0.5
    rm -rf "$home"
}
trap cleanup EXIT

page_config=$(dirname "$qlr")/../share/quillora/page/config.js
port=$(sed -n 's/^[[:space:]]*apyPort:[[:space:]]*\([0-9]\+\).*/\1/p' "$page_config")
[ -n "$port" ] || fail "no apyPort in $page_config"
curl --silent --max-time 2 "http://127.0.0.1:$port/listPairs" >/dev/null &&
    fail "something answers on port $port before qlr starts"

# The user's own choices: Spanish as the target, translate on selecting, translation
# on in xterm (off for unknown applications until switched on from the tray).
export HOME=$home
unset AppData XDG_CONFIG_HOME
mkdir -p "$HOME/.config/qlr"
printf 'ControlMode=3\r\nlanguage=enes\r\n' | iconv -f UTF-8 -t UTF-16LE >"$HOME/.config/qlr/qlr.ini"
printf '[Applications]\nxterm=-1\n' >"$HOME/.config/qlr/store.ini"

setsid xterm -title quillora-package -geometry 70x10+60+120 -fa 'DejaVu Sans Mono' -fs 14 \
    -e sh -c 'printf "\n\n  The house is big and the garden is green.\n"; exec sleep 600' &
pids+=($!)
setsid "$qlr" >"$HOME/qlr.log" 2>&1 &
pids+=($!)
say "started $qlr (pid ${pids[-1]})"

pairs=""
for _ in $(seq 1 120); do
    pairs=$(curl --silent --max-time 2 "http://127.0.0.1:$port/listPairs" || true)
    [ -n "$pairs" ] && break
    sleep 0.5
done
grep -q '"sourceLanguage": *"eng", *"targetLanguage": *"spa"' <<<"$pairs" ||
    { tail -n 20 "$HOME/qlr.log"; fail "qlr's server does not offer eng-spa on port $port: $pairs"; }
listeners=$(ss -ltnH "sport = :$port" | awk '{print $4}')
say "qlr's server answers on port $port (the installed page's port) with eng-spa, listening on:" $listeners
grep -qvE '^(127\.0\.0\.1|\[::1\]):' <<<"$listeners" && fail "the server listens beyond loopback: $listeners"

# Its geometry only once the window manager has placed it: before that xwininfo
# reports where xterm asked to be, or -1 while the window is being framed.
placed=$("${WAIT_WINDOW:-/tmp/wait-window.sh}" quillora-package 30) || fail "the xterm did not appear"
read -r window X Y width height <<<"$placed"
cell_w=$((width / 70))
cell_h=$((height / 10))
say "the xterm is placed at $X,$Y, ${width}x$height"
row_y=$((Y + cell_h * 2 + cell_h / 2))

# A press, a slow drag across the sentence and a release, like a person.
select_sentence() {
    local from=$((X + cell_w * 2 + 2)) to=$((X + cell_w * 43 - 2))
    xdotool windowactivate --sync "$window" mousemove "$from" "$row_y"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.15
    for i in 1 2 3 4 5 6; do
        xdotool mousemove $((from + (to - from) * i / 6)) "$row_y"
        sleep 0.05
    done
    sleep 0.1
    xdotool mouseup 1
}

# The largest visible window of the program: the popup (the floating icon is small).
popup_window() {
    local best="" best_area=0 id w h
    for id in $(xdotool search --onlyvisible --name '^Quillora$' 2>/dev/null); do
        w=$(xwininfo -id "$id" | sed -n 's/^ *Width: *//p')
        h=$(xwininfo -id "$id" | sed -n 's/^ *Height: *//p')
        if [ $((w * h)) -gt "$best_area" ]; then best=$id; best_area=$((w * h)); fi
    done
    [ "$best_area" -gt 2500 ] && echo "$best"
}

# The popup's text, through the primary selection a triple click gives it.
popup_text() {
    local popup=$1 info px py
    # The popup's drop shadow can end up stacked above the popup and take the clicks;
    # raise the popup first, the text is what this test is about.
    xdotool windowraise "$popup"
    sleep 0.3
    info=$(xwininfo -id "$popup")
    px=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    py=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    xdotool mousemove $((px + 14)) $((py + 15)) click --repeat 3 --delay 80 1
    sleep 0.3
    xclip -o -selection primary 2>/dev/null || true
}

sleep 8 # the hidden browser loads the page and the page reaches the server
for attempt in 1 2 3 4 5 6; do
    say "selection $attempt"
    select_sentence
    sleep 5
    popup=$(popup_window || true)
    if [ -z "$popup" ]; then
        say "no popup yet"
        xdotool mousemove $((X + 20)) $((Y + 200)) click 1
        sleep 3
        continue
    fi
    text=$(popup_text "$popup")
    say "popup text: $text"
    if grep -qi 'casa' <<<"$text" && grep -qi 'jard' <<<"$text"; then
        echo "PASS: the installed qlr showed the Spanish translation: $text"
        exit 0
    fi
    xdotool mousemove $((X + 20)) $((Y + 200)) click 1
    sleep 3
done
echo "--- qlr output"; tail -n 40 "$HOME/qlr.log"
fail "no popup with the Spanish translation"
