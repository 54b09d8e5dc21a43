#!/usr/bin/env bash
# The GNOME figures of bench/run.sh, run inside a headless GNOME Shell with the
# program's extension (scripts/gnomedesktop.sh). Prints one "figure|value|unit|goal|how"
# row a line: the delay from a button release to the finished selection, and what the
# extension costs the Shell while nothing happens and per pointer motion, against the
# same Shell without it.
#   scripts/gnomedesktop.sh --extension DIR bench/gnome/run.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$1
home=$(mktemp -d)
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$home"' EXIT

shell_ns() { cut -d' ' -f1 "/proc/$QLR_GNOME_SHELL_PID/task/$QLR_GNOME_SHELL_PID/schedstat"; }
shell_switches() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$QLR_GNOME_SHELL_PID/task/$QLR_GNOME_SHELL_PID/status"; }
# idle SECONDS: the Shell's main thread over that idle time: "CPU-percent wake-ups-a-second".
idle() {
    local ns=$(shell_ns) switches=$(shell_switches)
    sleep "$1"
    awk -v dn=$(($(shell_ns) - ns)) -v dw=$(($(shell_switches) - switches)) -v s="$1" \
        'BEGIN {printf "%.3f %.2f\n", dn / (s * 1e9) * 100, dw / s}'
}
# motions COUNT: the Shell's main-thread time per pointer motion, in microseconds.
motions() {
    local ns=$(shell_ns)
    gjs -m "$here/drive.js" moves "$1" >/dev/null
    awk -v dn=$(($(shell_ns) - ns)) -v n="$1" 'BEGIN {printf "%.1f", dn / n / 1000}'
}
median() { sort -n | awk '{v[NR] = $1} END {if (NR) printf "%.1f", v[int((NR + 1) / 2)]; else print "-"}'; }

mkdir -p "$home/qlr"
printf 'language=enes\r\nControlMode=3\r\nSmoothGlide=0\r\n' | iconv -f UTF-8 -t UTF-16LE >"$home/qlr/qlr.ini"
printf '[Applications]\nqlr-bench-foot=-1\n' >"$home/qlr/store.ini"
foot -a qlr-bench-foot -o csd.size=0 -o pad=2x2 sh -c \
    'printf "%s\n" "The house is big and the garden is green."; exec sleep 600' >/dev/null 2>&1 &
pids+=($!)
AppData="$home" XDG_RUNTIME_DIR="$home" QLR_TRACE_FILE="$home/trace.txt" "$build_dir/qlr" >/dev/null 2>&1 &
pids+=($!)
sleep 15 # start-up, the page load and the first focus report settle

delays=$(gjs -m "$here/drive.js" releases qlr-bench-foot "$home/trace.txt" ${QLR_BENCH_GNOME_ROUNDS:-15} | tee /dev/stderr | cut -d" " -f1)
noticed=$(grep -cv -- - <<<"$delays" || true)
echo "GNOME: release to finished selection|$(grep -v -- - <<<"$delays" | median)|ms|50|virtual-pointer drag in foot (native Wayland), release sent to the program's notice of the finished selection (its trace), median of $noticed of 15, ControlMode 3"

# The popup of the last selection is shown, so the extension reports the buttons.
watched_motion=$(motions 3000)
# Nothing shown and nothing selected: the state the program idles in.
gjs -m "$here/drive.js" dismiss qlr-bench-foot
sleep 2
read -r on_cpu on_wakeups < <(idle 20)
on_motion=$(motions 3000)
gnome-extensions disable quillora@quillora.org
for _ in $(seq 50); do
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner org.quillora.Shell | grep -q false && break
    sleep 0.1
done
read -r off_cpu off_wakeups < <(idle 20)
off_motion=$(motions 3000)
echo "GNOME Shell idle, extension on|$on_cpu|% core|$off_cpu|the Shell's main thread, 20 s idle with the program running, nothing shown; the goal is the same Shell with the extension disabled, same run"
echo "GNOME Shell wake-ups while idle, extension on|$on_wakeups|/ s|$off_wakeups|the same 20 s; the goal is the same Shell with the extension disabled"
echo "GNOME Shell time per pointer motion, extension on|$on_motion|µs|$off_motion|the Shell's main-thread time per virtual-pointer motion, 3000 motions, nothing shown (buttons not watched); the goal is the same Shell with the extension disabled"
echo "GNOME Shell time per pointer motion, buttons watched|$watched_motion|µs|$off_motion|as above while the popup is shown, when the extension reports every press and release"
