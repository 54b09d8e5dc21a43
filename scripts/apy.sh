#!/usr/bin/env bash
# The local translation server behind the service page (Apertium APy through
# service/server/translation-server.py, listening on this machine's loopback only).
# The program starts its own; this is for the benchmark and for trying the page by hand.
#   scripts/apy.sh port    prints the port the page talks to (from service/page/config.js)
#   scripts/apy.sh start   starts the server with the installed language pairs unless one
#                          already answers on that port; prints the new server's process
#                          id (nothing when one was running) once it answers
#   scripts/apy.sh stop PID  stops a server that "start" started, with its pipelines
set -euo pipefail
cd "$(dirname "$0")/.."

port() {
    local value
    value=$(sed -n 's/^[[:space:]]*apyPort:[[:space:]]*\([0-9]\+\).*/\1/p' service/page/config.js | head -n 1)
    echo "${value:-2738}"
}

answering() {
    curl --silent --fail --max-time 2 "http://127.0.0.1:$1/listPairs" >/dev/null 2>&1
}

start() {
    local p pid out
    p=$(port)
    if answering "$p"; then
        return 0
    fi
    out=$(mktemp)
    # A process group of its own, so that "stop" reaches its pipelines too.
    setsid service/server/translation-server.py --port "$p" >"$out" </dev/null &
    pid=$!
    for _ in $(seq 1 240); do
        if grep -q ready "$out"; then
            rm -f "$out"
            echo "$pid"
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            rm -f "$out"
            exit 1 # it said why on standard error
        fi
        sleep 0.25
    done
    kill -- "-$pid" 2>/dev/null || true
    rm -f "$out"
    echo "apy: the server did not answer on port $p" >&2
    exit 1
}

case "${1:-}" in
    port) port ;;
    start) start ;;
    stop) [ -n "${2:-}" ] && { kill -- "-$2" 2>/dev/null || kill "$2" 2>/dev/null; } || true ;;
    *) echo "usage: $0 port|start|stop PID" >&2; exit 2 ;;
esac
