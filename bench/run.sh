#!/usr/bin/env bash
# Measures the program's figures against their goals on a virtual desktop (Xvfb,
# openbox, xcompmgr) with the real translation server (the program's own, which it
# starts itself), prints the table and writes it with the machine line to
# bench/results.md. The program's memory rows leave its server out; the server's and
# the total rows count it.
#   bench/run.sh                 everything (about 2 minutes after the build, and the rest)
# The GNOME rows come from a headless GNOME Shell of their own (bench/gnome/run.sh).
#   QLR_BENCH_IDLE_SECONDS=20    a shorter idle window
#   QLR_BENCH_REST_MINUTES=2     a shorter rest before the last memory figure (10 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${QLR_BENCH_BUILD_DIR:-build-bench}

if [ "${1:-}" != "--on-desktop" ]; then
    scripts/install-deps.sh
    QLR_BUILD_DIR=$build_dir scripts/build.sh -DQLR_BUILD_BENCH=ON -DQLR_BUILD_TESTS=OFF >/dev/null
    exec scripts/xdesktop.sh "$0" --on-desktop
fi

idle_seconds=${QLR_BENCH_IDLE_SECONDS:-60}
rest_minutes=${QLR_BENCH_REST_MINUTES:-10}
rows=()
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -n "${apy_pid:-}" ] && scripts/apy.sh stop "$apy_pid" || true
}
trap cleanup EXIT

# row FIGURE VALUE UNIT GOAL HOW   (VALUE "-" with HOW = the reason when not measured)
row() { rows+=("$1|$2|$3|$4|$5"); }

# Every process below PID, PID included.
tree_of() {
    local pid=$1 child
    echo "$pid"
    for child in $(pgrep -P "$pid" 2>/dev/null); do tree_of "$child"; done
}
# Time on a CPU of every thread of the tree, in nanoseconds, a "thread-id ns" line each.
cpu_ns() {
    local pid task ns
    for pid in $(tree_of "$1"); do
        for task in /proc/"$pid"/task/*; do
            ns=$(cut -d' ' -f1 "$task/schedstat" 2>/dev/null) || continue
            echo "${task##*/} ${ns:-0}"
        done
    done
}
# cpu_percent PID SECONDS: share of one core the tree used over the next SECONDS,
# counted over the threads that lived through the whole window (a helper thread that
# ended meanwhile would otherwise make the difference negative).
cpu_percent() {
    local before after
    before=$(cpu_ns "$1")
    sleep "$2"
    after=$(cpu_ns "$1")
    awk -v s="$2" 'NR == FNR {start[$1] = $2; next} ($1 in start) {d += $2 - start[$1]}
        END {printf "%.3f", d / (s * 1e9) * 100}' <(echo "$before") <(echo "$after")
}
# How often a thread gave up the CPU to wait (each time, something woke it before).
voluntary_switches() { awk '/^voluntary_ctxt_switches:/ {print $2}' "/proc/$1/task/$1/status"; }
# PSS in KiB of the processes listed on standard input.
pss_of() {
    local total=0 pid kib
    while read -r pid; do
        kib=$(awk '/^Pss:/ {print $2}' "/proc/$pid/smaps_rollup" 2>/dev/null) || continue
        total=$((total + ${kib:-0}))
    done
    echo "$total"
}
pss_kib() { tree_of "$1" | pss_of; }
mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }

# The translation server: the process listening on the page's port, and its tree.
apy_port=$(scripts/apy.sh port)
server_pid() { ss -ltnpH "sport = :$apy_port" 2>/dev/null | grep -o 'pid=[0-9]*' | head -n 1 | cut -d= -f2 || true; }
server_tree() { local pid; pid=$(server_pid); [ -n "$pid" ] && tree_of "$pid"; true; }
# The program's tree without its server (which it runs as a child).
program_tree() { tree_of "$1" | grep -vxF -f <(server_tree; echo none); }
# memory_rows WHEN GOAL HOW: the server's tree and the total (program and server) now;
# sets program_kib and program_helpers for the program's own row.
memory_rows() {
    local server_kib processes
    program_kib=$(program_tree "$qlr_pid" | pss_of)
    program_helpers=$(($(program_tree "$qlr_pid" | wc -l) - 1))
    server_kib=$(server_tree | pss_of)
    processes=$(server_tree | wc -l)
    row "server memory ($1)" "$(mib "$server_kib")" MiB - "PSS of the translation server's tree ($processes processes) $3"
    row "total memory ($1)" "$(mib $((program_kib + server_kib)))" MiB "$2" "the program's tree and the server's, $3"
}
# Waits until a server answers on the page's port. The program starts its own; a build
# from before it did gets one from scripts/apy.sh, as its bench gave it.
await_server() {
    local _
    for _ in $(seq 1 80); do
        [ -n "$(server_pid)" ] && return 0
        sleep 0.25
    done
    apy_pid=$(scripts/apy.sh start)
}

# A terminal in front, for the watcher and capture figures.
xterm -geometry 80x10+100+100 -title qlr-bench-term -e bash -c 'echo quillora benchmark selection; sleep 600' &
started+=($!)
term=$(scripts/wait-window.sh qlr-bench-term | cut -d' ' -f1)
xdotool windowactivate --sync "$term"

if ! tick=$("$build_dir/bench/qlr_bench" tick 10000 2>/dev/null); then
    row "watcher tick" - µs 40 "the terminal was not the watched foreground application"
else
    row "watcher tick" "$tick" µs 40 "one watcher tick, no button change, median of 10000, X11 back end"
fi
if ! capture=$("$build_dir/bench/qlr_bench" capture 30 "$term" 2>/dev/null); then
    row capture - ms 10 "the xterm selection could not be captured"
else
    row capture "$(awk -v us="$capture" 'BEGIN {printf "%.2f", us / 1000}')" ms 10 \
        "CopySelectedText of an xterm selection through PRIMARY, median of 30"
fi
# The same while another program holds a 20 MB picture on the clipboard, which the
# capture must neither read nor take over.
picture=$(mktemp)
head -c 20000000 /dev/urandom > "$picture"
xclip -quiet -selection clipboard -t image/png -i "$picture" >/dev/null 2>&1 &
started+=($!)
for _ in $(seq 50); do xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -q image/png && break; sleep 0.1; done
if ! capture=$("$build_dir/bench/qlr_bench" capture 30 "$term" 2>/dev/null); then
    row "capture, 20 MB clipboard" - ms 10 "the xterm selection could not be captured"
else
    row "capture, 20 MB clipboard" "$(awk -v us="$capture" 'BEGIN {printf "%.2f", us / 1000}')" ms 10 \
        "as above while xclip holds a 20 MB image/png on CLIPBOARD, median of 30"
fi
rm -f "$picture"

# The program itself, page loaded, for the idle and memory figures.
home=$(mktemp -d)
mkdir -p "$home/qlr"
printf 'language=enes\r\n' | iconv -f UTF-8 -t UTF-16LE > "$home/qlr/qlr.ini"
# A runtime folder of its own: another instance on this machine (a test run) would
# otherwise hold the single-instance lock and this one would end at once.
AppData="$home" XDG_RUNTIME_DIR="$home" "$build_dir/qlr" >/dev/null 2>&1 &
qlr_pid=$!
started+=($qlr_pid)
await_server
sleep 20 # start-up and the page load settle
if kill -0 "$qlr_pid" 2>/dev/null; then
    switches_before=$(voluntary_switches "$qlr_pid")
    idle=$(cpu_percent "$qlr_pid" "$idle_seconds")
    switches_after=$(voluntary_switches "$qlr_pid")
    helpers=$(($(program_tree "$qlr_pid" | wc -l) - 1))
    row "idle CPU" "$idle" "% core" 0.05 "process tree (qlr + $helpers helpers, and its server if it runs one), ${idle_seconds} s idle, page loaded"
    row "wake-ups while idle" "$(awk -v n=$((switches_after - switches_before)) -v s="$idle_seconds" 'BEGIN {printf "%.2f", n / s}')" "/ s" 1 \
        "the main thread's voluntary context switches over the same ${idle_seconds} s"
    row "memory (idle)" "$(mib "$(program_tree "$qlr_pid" | pss_of)")" MiB 114.4 \
        "PSS of the process tree without the server, page loaded, no translation yet (not the 200-translation figure)"
else
    row "idle CPU" - "% core" 0.05 "the program did not keep running on the bench desktop"
    row "wake-ups while idle" - "/ s" 1 "the program did not keep running on the bench desktop"
    row "memory (idle)" - MiB 114.4 "the program did not keep running on the bench desktop"
fi
kill "$qlr_pid" 2>/dev/null || true
wait "$qlr_pid" 2>/dev/null || true
rm -rf "$home"

# References from the same run, alone on the desktop like the program was: the least
# any Qt program waking every 50 ms costs when idle, and what the browser engine alone
# holds and costs with the page loaded (the program's engine set-up, nothing else).
references=()
"$build_dir/bench/qlr_bench" timer-floor >/dev/null 2>&1 &
floor_pid=$!
started+=($floor_pid)
sleep 3
references+=("Qt program with a 50 ms timer|$(cpu_percent "$floor_pid" 20) % core|a hidden widget and one QTimer doing nothing, 20 s")
kill "$floor_pid" 2>/dev/null || true
wait "$floor_pid" 2>/dev/null || true
"$build_dir/bench/qlr_bench" page-floor "file://$PWD/service/page/index.html?dir=enes" >/dev/null 2>&1 &
floor_pid=$!
started+=($floor_pid)
sleep 20
floor_cpu=$(cpu_percent "$floor_pid" 20)
references+=("browser engine with the page|$(awk -v k="$(pss_kib "$floor_pid")" 'BEGIN {printf "%.1f", k / 1024}') MiB PSS, $floor_cpu % core|a hidden web view that loaded the service page, $(($(tree_of "$floor_pid" | wc -l) - 1)) helpers, 20 s idle")
kill "$floor_pid" 2>/dev/null || true
wait "$floor_pid" 2>/dev/null || true
# The same page discarded (the browser's page lifecycle) after 20 s: what a resting
# program could give back.
"$build_dir/bench/qlr_bench" page-floor "file://$PWD/service/page/index.html?dir=enes" 20 >/dev/null 2>&1 &
floor_pid=$!
started+=($floor_pid)
sleep 30
references+=("browser engine with the page discarded|$(awk -v k="$(pss_kib "$floor_pid")" 'BEGIN {printf "%.1f", k / 1024}') MiB PSS, $(cpu_percent "$floor_pid" 20) % core|as above, the page discarded after 20 s, $(($(tree_of "$floor_pid" | wc -l) - 1)) helpers left, measured 10 s later")
kill "$floor_pid" 2>/dev/null || true
wait "$floor_pid" 2>/dev/null || true

# Selections in a terminal against a fresh instance in just-select mode without glide,
# driven from outside by qlr_drive: latency, focus and memory after many translations.
# The program writes its timing trace (QLR_TRACE_FILE); the terminal shows the
# sentences and appends every line typed into it to a file, for the focus check.
translations=200
home=$(mktemp -d)
mkdir -p "$home/qlr"
printf 'language=enes\r\nControlMode=3\r\nSmoothGlide=0\r\nhideiconinterval=30\r\n' |
    iconv -f UTF-8 -t UTF-16LE > "$home/qlr/qlr.ini"
printf '[Applications]\nxterm=-1\n' > "$home/qlr/store.ini"
"$build_dir/bench/qlr_drive" sentences 56 > "$home/sentences.txt"
: > "$home/keys.txt"
columns=130 lines=62
xterm -geometry "${columns}x${lines}+0+0" -title qlr-bench-drive -e bash -c \
    'stty -echo; printf "\n\n"; cat "$1"; while IFS= read -r line; do echo "$line" >> "$2"; done' \
    - "$home/sentences.txt" "$home/keys.txt" &
started+=($!)
drive_term=$(scripts/wait-window.sh qlr-bench-drive | cut -d' ' -f1)
xdotool windowactivate --sync "$drive_term"

# New texts against two translation servers of the bench's own, one offering only the
# two pairs the package ships with, one every pair install-deps installed
# (scripts/language-pairs), each behind a copy of the page that talks to it and a fresh
# instance; and one request to the first server alone for the same sentences, the
# floor under both.
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
# modes_of FOLDER PACKAGE...: a modes folder offering just those packages' pairs.
modes_of() {
    local folder=$1
    shift
    mkdir -p "$folder"
    dpkg -L "$@" | grep '/modes/[^/]*\.mode$' | xargs -r ln -sf -t "$folder"
}
# serve FOLDER PORT: starts a server with the folder's pairs; its process id once it answers.
serve() {
    apertium-apy -p "$2" "$1" >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 120); do
        if curl -s --fail --max-time 2 "http://127.0.0.1:$2/listPairs" >/dev/null; then
            echo "$pid"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.5
    done
    kill "$pid"
    return 1
}
# new_texts PORT: the median ms from release to drawn translation of 30 new sentences,
# by a fresh instance whose page copy talks to the server on PORT.
new_texts() {
    local run_home pid
    run_home=$(mktemp -d)
    mkdir -p "$run_home/qlr" "$run_home/page"
    cp service/page/* "$run_home/page/"
    sed -i "s/apyPort: [0-9]*/apyPort: $1/" "$run_home/page/config.js"
    printf 'language=enes\r\nControlMode=3\r\nSmoothGlide=0\r\nhideiconinterval=30\r\nserviceurl=file://%s/page/index.html\r\n' \
        "$run_home" | iconv -f UTF-8 -t UTF-16LE > "$run_home/qlr/qlr.ini"
    printf '[Applications]\nxterm=-1\n' > "$run_home/qlr/store.ini"
    AppData="$run_home" XDG_RUNTIME_DIR="$run_home" QLR_TRACE_FILE="$run_home/trace.txt" "$build_dir/qlr" >/dev/null 2>&1 &
    pid=$!
    "$build_dir/bench/qlr_drive" new "$drive_term" "$columns" "$lines" "$run_home/trace.txt" 30 2>>"$pairs_home/drive.log" |
        awk '$1 == "new_drawn_ms" {print $2}'
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$run_home"
}
# server_alone PORT: the median ms of one /translate request for each of the same sentences.
server_alone() {
    sed -n '2,31p' "$home/sentences.txt" | while IFS= read -r sentence; do
        curl -s -o /dev/null -w '%{time_total}\n' -G --data-urlencode "langpair=eng|spa" \
            --data-urlencode "q=$sentence" --data-urlencode "markUnknown=no" "http://127.0.0.1:$1/translate"
    done | sort -n | awk '{v[NR] = $1} END {if (NR) printf "%.1f", v[int((NR + 1) / 2)] * 1000}'
}
pairs_home=$(mktemp -d)
mapfile -t bench_pairs < <(grep -v -e '^#' -e '^$' scripts/language-pairs)
modes_of "$pairs_home/shipped" apertium-eng-spa apertium-eng-cat
modes_of "$pairs_home/all" "${bench_pairs[@]}"
shipped_port=$(free_port)
all_port=$(free_port)
two_ms= all_ms= alone_ms=
if shipped_pid=$(serve "$pairs_home/shipped" "$shipped_port") && started+=("$shipped_pid") &&
    all_pid=$(serve "$pairs_home/all" "$all_port") && started+=("$all_pid"); then
    two_ms=$(new_texts "$shipped_port")
    all_ms=$(new_texts "$all_port")
    alone_ms=$(server_alone "$shipped_port")
fi
number_or_dash() { [ -n "$1" ] && [ "$1" != - ] && awk -v v="$1" 'BEGIN {printf "%.1f", v}' || echo -; }
alone_ms=$(number_or_dash "$alone_ms")
two_ms=$(number_or_dash "$two_ms")
all_ms=$(number_or_dash "$all_ms")
row "one server request alone" "$alone_ms" ms "" \
    "one /translate request a sentence (curl, eng|spa), median over 30 new sentences, the 2-pair server below"
if [ "$alone_ms" != - ]; then
    row "new text, drawn (2 pairs)" "$two_ms" ms "$(awk -v a="$alone_ms" 'BEGIN {printf "%.1f", a + 25}')" \
        "release to the paint of a new sentence's translation, server with the 2 shipped pairs (eng-spa, eng-cat), median of 30; goal: one server request + 25 ms"
fi
if [ "$two_ms" != - ]; then
    row "new text, drawn (${#bench_pairs[@]} pairs)" "$all_ms" ms "$(awk -v t="$two_ms" 'BEGIN {printf "%.1f", t * 1.3}')" \
        "the same with every pair of scripts/language-pairs installed ($(ls "$pairs_home/all" | wc -l) modes), median of 30; goal: 1.3 x the 2-pair figure"
fi
for pid in ${shipped_pid:-} ${all_pid:-}; do kill "$pid" 2>/dev/null || true; done
stages_pairs=$(grep -E '^new texts \(' "$pairs_home/drive.log" || true)
rm -rf "$pairs_home"
AppData="$home" XDG_RUNTIME_DIR="$home" QLR_TRACE_FILE="$home/trace.txt" "$build_dir/qlr" >/dev/null 2>&1 &
qlr_pid=$!
started+=($qlr_pid)
await_server
drive_log=$home/drive.log
if "$build_dir/bench/qlr_drive" run "$drive_term" "$columns" "$lines" "$home/trace.txt" "$home/keys.txt" \
    "$translations" > "$home/drive.out" 2> "$drive_log" && kill -0 "$qlr_pid" 2>/dev/null; then
    memory_rows "in use" 309 "after $translations translations shown (English into Spanish), most of them new texts"
    row "memory (200 translations)" "$(mib "$program_kib")" MiB 114.4 \
        "PSS of the process tree without the server (qlr + $program_helpers helpers) after $translations translations shown, most of them new texts"
else
    row "memory (200 translations)" - MiB 114.4 "the driver did not get $translations translations shown (see the driver's lines below)"
fi
figure() { awk -v name="$1" '$1 == name {print $2; exit}' "$home/drive.out"; }
samples() { awk -v name="$1" '$1 == name {print $3; exit}' "$home/drive.out"; }
latency_row() { # FIGURE GOAL DRIVER_NAME HOW
    local value
    value=$(figure "$3")
    if [ -n "$value" ] && [ "$value" != - ]; then
        row "$1" "$(awk -v v="$value" 'BEGIN {printf "%.1f", v}')" ms "$2" "$4, median of $(samples "$3") selections"
    else
        row "$1" - ms "$2" "no usable samples ($(samples "$3") selections; see the driver's lines below)"
    fi
}
latency_row "cached latency (popup mapped)" 15 cached_mapped_ms \
    "real drag in xterm (XTest), release to the popup's MapNotify, text already cached, ControlMode 3"
latency_row "cached latency (translation drawn)" 100 cached_drawn_ms \
    "release to the program's paint of the cached translation, SmoothGlide 0"
latency_row "uncached latency" 250 uncached_drawn_ms \
    "release to the paint of a new short sentence's translation, APy warm, SmoothGlide 0"
latency_row "cached latency after a double-click (popup mapped)" 65 double_click_mapped_ms \
    "quick double-clicks on a word in xterm (70 ms presses, 40 ms apart), second release to the popup's MapNotify, cached, the 50 ms pause included"
read -r shown tried < <(awk '$1 == "double_clicks_shown" {print $2, $3}' "$home/drive.out")
all_shown=no
[ -n "${shown:-}" ] && [ "$shown" = "$tried" ] && all_shown=yes
row "quick double-clicks translated" "$all_shown" "" "all of them" \
    "the same double-clicks: ${shown:-none} of ${tried:-15} showed the word's translation"
focus=$(figure focus)
row "focus kept" "${focus:--}" "" always \
    "3 times, popup shown: keyboard not grabbed (XGrabKeyboard succeeds), xterm still _NET_ACTIVE_WINDOW, typed keys reach xterm"
stages=$(grep -E '^(cached|uncached|double-clicked) \(' "$drive_log" || true)
[ -n "$stages_pairs" ] && stages+=$'\n'"new texts, 2 pairs then ${#bench_pairs[@]}: "$'\n'"$stages_pairs"
grep -v -E '^(cached|uncached|double-clicked) \(' "$drive_log" >&2 || true
# The same instance left alone: what it holds once the user has not translated for a while.
echo "resting $rest_minutes minutes for the last memory figure" >&2
# Half a minute more than asked: the program lets its page go 10 minutes after it last
# changed, which was near the end of the drive.
sleep $((rest_minutes * 60 + 30))
if kill -0 "$qlr_pid" 2>/dev/null; then
    memory_rows rested 150 "after the translations above and $rest_minutes idle minutes (the page is let go after 10)"
    row "memory (rested)" "$(mib "$program_kib")" MiB 128 \
        "PSS of the process tree without the server (qlr + $program_helpers helpers) after the translations above and $rest_minutes idle minutes (the page is let go after 10)"
    # The first selection after the rest brings the page back.
    woken=$({ "$build_dir/bench/qlr_drive" once "$drive_term" "$columns" "$lines" "$home/trace.txt" 2>>"$drive_log" || true; } |
        awk '$1 == "drawn_ms" {print $2}')
    if [ -n "$woken" ] && [ "$woken" != - ]; then
        row "first translation after the rest" "$(awk -v v="$woken" 'BEGIN {printf "%.1f", v}')" ms 600 \
            "release to the paint of a new text's translation, right after the figures above: the page loads again and the server starts the pipeline it let go"
        stages+=$'\n'"first after the rest (ms after the release): $(sed -n 's/^first after the rest: //p' "$drive_log" | tr '\n' ' ')"
    else
        row "first translation after the rest" - ms 600 "no translation drawn (see the driver's lines below)"
    fi
else
    row "memory (rested)" - MiB 128 "the program did not keep running on the bench desktop"
    row "first translation after the rest" - ms 600 "the program did not keep running on the bench desktop"
fi
kill "$qlr_pid" 2>/dev/null || true
rm -rf "$home"

# The GNOME figures, in a headless GNOME Shell of their own with the extension variant
# that Shell loads (bench/gnome/run.sh).
variant=43
[ "$(gnome-shell --version 2>/dev/null | grep -o '[0-9][0-9]*' | head -n 1)" -ge 45 ] 2>/dev/null && variant=45
if gnome_rows=$(scripts/gnomedesktop.sh --extension "$build_dir/gnome-extension/$variant/quillora@quillora.org" \
    bench/gnome/run.sh "$PWD/$build_dir" 2>/dev/null) && grep -q '|' <<<"$gnome_rows"; then
    while IFS= read -r r; do rows+=("$r"); done < <(grep '|' <<<"$gnome_rows")
else
    row "GNOME: release to finished selection" - ms 50 "the headless GNOME Shell did not run (scripts/gnomedesktop.sh)"
fi

machine="$(date -u +%Y-%m-%dT%H:%MZ) · $(git rev-parse --short HEAD 2>/dev/null || echo ?) · $(uname -sr) · $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //') · $(nproc) cores · $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo) · load $(cut -d' ' -f1-3 /proc/loadavg) · Xvfb+openbox+xcompmgr"
{
    echo "# Benchmark results"
    echo
    echo "Machine: $machine"
    echo
    echo "| figure | value | goal | ratio | how |"
    echo "|---|---|---|---|---|"
    for r in "${rows[@]}"; do
        IFS='|' read -r figure value unit goal how <<<"$r"
        if [ -z "$goal" ]; then
            echo "| $figure | $value $unit | – | – | $how |"
        elif [ "$value" = yes ] || [ "$value" = no ]; then
            echo "| $figure | $value | $goal | – | $how |"
        elif [ "$goal" = "-" ]; then
            echo "| $figure | $value $unit | – | – | $how |"
        elif [ "$value" = "-" ]; then
            goal_text="≤ $goal $unit"; [ -z "$unit" ] && goal_text=$goal
            echo "| $figure | not measured | $goal_text | – | $how |"
        else
            ratio=$(awk -v v="$value" -v g="$goal" 'BEGIN {printf "%.2f", v / g}')
            echo "| $figure | $value $unit | ≤ $goal $unit | $ratio | $how |"
        fi
    done
    echo
    echo "References (same run, same desktop):"
    echo
    echo "| reference | value | how |"
    echo "|---|---|---|"
    for r in "${references[@]}"; do
        IFS='|' read -r name value how <<<"$r"
        echo "| $name | $value | $how |"
    done
    if [ -n "$stages" ]; then
        echo
        echo "Where the time goes (program trace, medians after the button release):"
        echo
        sed 's/^/    /' <<<"$stages"
    fi
} > bench/results.md
cat bench/results.md
