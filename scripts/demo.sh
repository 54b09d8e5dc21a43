#!/usr/bin/env bash
# A scripted demonstration on the current (usually virtual) desktop: starts Quillora
# with a demonstration settings folder, shows English text in an xterm, selects it the
# way a person would and saves screenshots of the popup.
#   scripts/demo.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build_dir=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
cd "$(dirname "$0")/.."

home=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$home"
}
trap cleanup EXIT

export AppData="$home" XDG_RUNTIME_DIR="$home"
mkdir -p "$home/qlr"
# Just-select mode, Spanish as the target, translation on in xterm.
printf 'ControlMode=3\r\nlanguage=enes\r\nSmoothGlide=10\r\n' | iconv -f UTF-8 -t UTF-16LE >"$home/qlr/qlr.ini"
printf '[Applications]\nxterm=-1\n' >"$home/qlr/store.ini"

xterm -title quillora-demo -geometry 70x10+60+120 -fa 'DejaVu Sans Mono' -fs 14 \
    -e sh -c 'printf "\n\n  The house is big and the garden is green.\n"; exec sleep 600' &
pids+=($!)
"$build_dir/qlr" &
pids+=($!)

# The client area once the window manager has placed the window.
placed=$(scripts/wait-window.sh quillora-demo 30) || { echo "demo: the xterm did not appear" >&2; exit 1; }
read -r window X Y WIDTH HEIGHT <<<"$placed"
xdotool windowactivate --sync "$window"
sleep 12 # the program starts its translation server and the page connects to it
cell_w=$((WIDTH / 70))
cell_h=$((HEIGHT / 10))
row_y=$((Y + cell_h * 2 + cell_h / 2))
start_x=$((X + cell_w * 2 + 2))
end_x=$((X + cell_w * 43 - 2))

select_span() {
    xdotool mousemove "$1" "$row_y"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.15
    for i in 1 2 3 4 5 6; do
        xdotool mousemove $(($1 + ($2 - $1) * i / 6)) "$row_y"
        sleep 0.05
    done
    sleep 0.1
    xdotool mouseup 1
}

select_span "$start_x" "$end_x"
sleep 4
import -window root "$out/popup-sentence.png"
echo "saved $out/popup-sentence.png"

# A click elsewhere dismisses the popup; a double click on one word translates it.
xdotool mousemove $((X + 20)) $((Y + HEIGHT - 30)) click 1
sleep 1
word_x=$((X + cell_w * 7))
xdotool mousemove "$word_x" "$row_y"
sleep 0.1
for _ in 1 2; do
    xdotool mousedown 1
    sleep 0.12
    xdotool mouseup 1
    sleep 0.12
done
sleep 4
import -window root "$out/popup-word.png"
echo "saved $out/popup-word.png"
