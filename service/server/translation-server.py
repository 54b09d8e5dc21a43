#!/usr/bin/python3
"""Quillora's translation server: Apertium APy's own web application, listening
only on this machine's loopback addresses (127.0.0.1, and ::1 where the machine
has it). APy's own start-up listens on every interface and offers no address
option, so this builds the same application from APy's modules and binds it here.

    translation-server.py --port PORT [--modes FOLDER]

It prints "ready" on standard output once it answers. A server that cannot start
prints one line saying why on standard error and ends with one of the codes below.
SIGUSR1 lets every translation pipeline go (they start again with the next
request for their pair); SIGUSR2 starts the pipeline of the pair used most again, ahead
of the request that will want it. Pipelines of other pairs (directions a short
text was only tried in) end once unused for a while. Its pipelines end with it:
their input closes.
"""

import argparse
import errno
import heapq
import logging
import os
import re
import signal
import socket
import sys
import threading
import time
import urllib.parse

NO_APY = 3
PORT_TAKEN = 4
NO_PAIRS = 5

IDLE_PIPELINE_SECS = 120
# The pair used most keeps its pipeline (and gets it back after a rest); others lose
# theirs once unused this long.
KEPT_PAIRS = 1
TRIED_PIPELINE_SECS = 20

LOOPBACK = (("127.0.0.1", socket.AF_INET), ("::1", socket.AF_INET6))


def fail(code, line):
    print("translation server: " + line, file=sys.stderr, flush=True)
    sys.exit(code)


def use_utf8_locale():
    # APy refuses to start without a UTF-8 locale, and its pipelines need one too.
    if not any(re.search("UTF-?8", os.environ.get(key, ""), re.IGNORECASE) for key in ("LC_ALL", "LANG")):
        os.environ["LC_ALL"] = "C.UTF-8"


def loopback_sockets(port):
    """The listening sockets, or an error line. A loopback family this machine
    lacks is skipped; an address someone else holds is an error."""
    import tornado.netutil

    sockets = []
    for address, family in LOOPBACK:
        try:
            sockets += tornado.netutil.bind_sockets(port, address, family)
        except OSError as error:
            if error.errno == errno.EADDRINUSE:
                return None, "port %d is taken by another program" % port
            if family == socket.AF_INET:
                return None, "cannot listen on 127.0.0.1 port %d: %s" % (port, error.strerror)
    return sockets, None


def child_processes():
    own = str(os.getpid())
    children = []
    for entry in os.listdir("/proc"):
        try:
            with open("/proc/%s/stat" % entry) as stat:
                # The parent follows the command name, which may hold blanks.
                if entry.isdigit() and stat.read().rsplit(")", 1)[1].split()[1] == own:
                    children.append(int(entry))
        except (OSError, IndexError):
            pass
    return children


def release_pipelines(handler):
    """Closes every translation pipeline's input: its programs end one after the
    other, and the next request for the pair starts a new one. Called at rest,
    when no request runs, so every child is a pipeline's; nobody else would wait
    for them, so a thread does, and none is left behind as a zombie."""
    children = child_processes()
    released[:] = pairs_by_use(handler)[:KEPT_PAIRS]
    for pipelines in list(handler.pipelines.values()) + [handler.pipelines_holding]:
        for pipeline in pipelines:
            close_pipeline(pipeline)
    handler.pipelines.clear()
    handler.pipelines_holding.clear()
    threading.Thread(target=lambda: [reap(pid) for pid in children], daemon=True).start()


def close_pipeline(pipeline):
    for stream in (getattr(pipeline, "inpipe", None), getattr(pipeline, "outpipe", None)):
        for end in (getattr(stream, "stdin", None), getattr(stream, "stdout", None)):
            if end is not None:
                end.close()


def pairs_by_use(handler):
    """The pairs that have pipelines, the one that translated most first (a short text
    tries other directions once; the user's own direction translates every text)."""
    used = {pair: (sum(p.use_count for p in pipelines), max(p.last_usage for p in pipelines))
            for pair, pipelines in handler.pipelines.items() if pipelines}
    return sorted(used, key=used.get, reverse=True)


def end_tried_pipelines(handler):
    """Ends the unused pipelines of pairs other than the one used most. Tells whether
    it ended any, and whether such pipelines are left that are still in use."""
    kept = pairs_by_use(handler)[:KEPT_PAIRS]
    now = time.time()
    ended = left = False
    for pair, pipelines in handler.pipelines.items():
        tried = [p for p in pipelines if pair not in kept]
        idle = [p for p in tried if p.users == 0 and now - p.last_usage > TRIED_PIPELINE_SECS]
        left = left or len(idle) < len(tried)
        if idle:
            ended = True
            pipelines[:] = [p for p in pipelines if p not in idle]
            heapq.heapify(pipelines)
            for pipeline in idle:
                close_pipeline(pipeline)
    return ended, left


def collect_ended_children():
    try:
        while os.waitpid(-1, os.WNOHANG)[0] > 0:
            pass
    except ChildProcessError:
        pass  # no children left


def end_tried_pipelines_after_requests(application, handler, loop):
    """Looks for tried pipelines a while after each request, and again while some are
    left: a server nobody asks never wakes for it."""
    pending = []

    def look():
        pending.clear()
        ended, left = end_tried_pipelines(handler)
        if ended:  # their programs end one after the other once their input closed
            loop.call_later(2, collect_ended_children)
        if left:
            later()

    def later():
        if not pending:
            pending.append(loop.call_later(TRIED_PIPELINE_SECS + 1, look))

    log_request = application.log_request
    application.log_request = lambda request: (later(), log_request(request))


# The pair used most when the pipelines went at the last release.
released = []


def warm_up(port):
    """Asks this server for a translation with each pair let go last: APy starts
    their pipelines the way any request does."""
    import tornado.httpclient

    client = tornado.httpclient.AsyncHTTPClient()
    for source, target in released:
        body = urllib.parse.urlencode({"langpair": source + "|" + target, "q": "."})
        answer = client.fetch("http://127.0.0.1:%d/translate" % port, method="POST", body=body, raise_error=False)
        answer.add_done_callback(lambda done: done.exception())  # nothing to report: the next request tries again


def reap(pid):
    try:
        os.waitpid(pid, 0)
    except ChildProcessError:
        pass  # already collected


def main():
    parser = argparse.ArgumentParser(description="Apertium APy on this machine's loopback addresses only")
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--modes", default="/usr/share/apertium/modes", help="folder of the installed pairs' modes")
    options = parser.parse_args()

    use_utf8_locale()
    try:
        import tornado.httpserver
        import tornado.ioloop
        from apertium_apy import apy
        from apertium_apy.handlers import BaseHandler
    except ImportError as error:
        fail(NO_APY, "Apertium APy cannot be loaded (is the apertium-apy package installed?): %s" % error)

    # Warnings and errors only: no line for every request.
    logging.basicConfig(level=logging.WARNING, format="translation server: %(message)s")
    # APy's options with their defaults, as its own start-up reads them, but for the
    # address and one more: a pipeline unused for two minutes goes at the next request,
    # so directions a short text only tried do not stay in memory.
    arguments = [options.modes, "--port", str(options.port), "--max-idle-secs", str(IDLE_PIPELINE_SECS)]
    application = apy.setup_application(apy.parse_args(arguments))
    if not BaseHandler.pairs:
        fail(NO_PAIRS, "no Apertium language pairs are installed in " + options.modes)

    sockets, problem = loopback_sockets(options.port)
    if problem:
        fail(PORT_TAKEN, problem)
    server = tornado.httpserver.HTTPServer(application)
    server.add_sockets(sockets)

    loop = tornado.ioloop.IOLoop.current()
    signal.signal(signal.SIGUSR1, lambda *_: loop.add_callback_from_signal(release_pipelines, BaseHandler))
    signal.signal(signal.SIGUSR2, lambda *_: loop.add_callback_from_signal(warm_up, options.port))
    end_tried_pipelines_after_requests(application, BaseHandler, loop)
    loop.add_callback(lambda: print("ready", flush=True))
    loop.start()


if __name__ == "__main__":
    main()
