#!/usr/bin/env python3
"""A loopback stand-in for the translation server's HTTP API, for tests.

Serves /listPairs and /translate like the real server, on 127.0.0.1 and a free
port that it prints on its first line of output. Translations are predictable:
"eng|spa" gives "sp:" followed by the text, "spa|eng" gives "en:" and so on. A text
containing FAIL gets an error answer; every answer waits --delay seconds first.
Each translation asked is noted on the output as "asked" and its pair.
"""
import argparse
import json
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlparse

PAIRS = [("eng", "spa"), ("spa", "eng"), ("eng", "cat"), ("cat", "eng"), ("eng", "cat_valencia")]


class Handler(BaseHTTPRequestHandler):
    delay = 0.0

    def log_message(self, *args):
        pass

    def answer(self, status, body):
        data = json.dumps(body).encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "application/json; charset=UTF-8")
        self.send_header("Access-Control-Allow-Origin", "*")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def arguments(self):
        url = urlparse(self.path)
        args = parse_qs(url.query, keep_blank_values=True)
        if self.command == "POST":
            length = int(self.headers.get("Content-Length", "0"))
            body = self.rfile.read(length).decode("utf-8", "surrogatepass")
            args.update(parse_qs(body, keep_blank_values=True))
        return url.path, {key: values[0] for key, values in args.items()}

    def handle_request(self):
        path, args = self.arguments()
        time.sleep(self.delay)
        if path == "/listPairs":
            pairs = [{"sourceLanguage": s, "targetLanguage": t} for s, t in PAIRS]
            self.answer(200, {"responseData": pairs, "responseDetails": None, "responseStatus": 200})
        elif path == "/translate":
            print("asked", args.get("langpair", ""), flush=True)
            source, _, target = args.get("langpair", "").partition("|")
            text = args.get("q", "")
            if (source, target) not in PAIRS:
                self.answer(400, {"status": "error", "code": 400, "message": "Bad Request",
                                  "explanation": "That pair is not installed"})
            elif "FAIL" in text:
                self.answer(500, {"status": "error", "code": 500, "message": "Internal Server Error",
                                  "explanation": "stand-in failure"})
            else:
                # A text in another language starts with its marker ("sp:hola"); one
                # without a marker is English. Text in another language than the
                # pair's source comes back marked as unknown.
                language = text[:2] if text[2:3] == ":" else "en"
                unknown = "" if language == source[:2] else "*"
                translated = target[:2] + ":" + unknown + text
                self.answer(200, {"responseData": {"translatedText": translated},
                                  "responseDetails": None, "responseStatus": 200})
        else:
            self.answer(404, {"status": "error", "code": 404, "message": "Not Found"})

    def do_GET(self):
        self.handle_request()

    def do_POST(self):
        self.handle_request()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--delay", type=float, default=0.0)
    options = parser.parse_args()
    Handler.delay = options.delay
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
