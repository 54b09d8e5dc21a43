#!/usr/bin/env bash
# The local translation server (Apertium APy) behind the service page.
#   scripts/apy.sh port    prints the port the page talks to (from service/page/config.js)
#   scripts/apy.sh start   starts the server with the installed language pairs unless one
#                          already answers on that port; prints the new server's process
#                          id (nothing when one was running) once it answers
#   scripts/apy.sh stop PID  stops a server that "start" started
set -euo pipefail
cd "$(dirname "$0")/.."

modes_dir=/usr/share/apertium/modes

port() {
    local value
    value=$(sed -n 's/^[[:space:]]*apyPort:[[:space:]]*\([0-9]\+\).*/\1/p' service/page/config.js | head -n 1)
    echo "${value:-2737}"
}

answering() {
    curl --silent --fail --max-time 2 "http://127.0.0.1:$1/listPairs" >/dev/null 2>&1
}

start() {
    local p pid log
    p=$(port)
    if answering "$p"; then
        return 0
    fi
    command -v apertium-apy >/dev/null || { echo "apy: apertium-apy is not installed" >&2; exit 1; }
    log="${XDG_RUNTIME_DIR:-/tmp}/qlr-apy-$p.log"
    nohup apertium-apy -p "$p" "$modes_dir" >"$log" 2>&1 &
    pid=$!
    for _ in $(seq 1 120); do
        if answering "$p"; then
            echo "$pid"
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "apy: the server ended at once; see $log" >&2
            exit 1
        fi
        sleep 0.5
    done
    kill "$pid" 2>/dev/null || true
    echo "apy: the server did not answer on port $p; see $log" >&2
    exit 1
}

case "${1:-}" in
    port) port ;;
    start) start ;;
    stop) [ -n "${2:-}" ] && kill "$2" 2>/dev/null || true ;;
    *) echo "usage: $0 port|start|stop PID" >&2; exit 2 ;;
esac
