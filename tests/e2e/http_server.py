"""A small HTTP server on 127.0.0.1 for the tests of the version check: it
answers every GET with the reply the test chose and records the path and
user agent of each request.  It stops itself after a bounded time, so a
test that fails half-way never leaves it running."""

import http.server
import socket
import threading


class _Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        server = self.server
        with server.lock:
            server.requests.append((self.path, self.headers.get("User-Agent")))
        body = server.reply
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        for name, value in server.headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, format, *args):
        pass


class ReplyServer:
    """Use as a context manager: `with ReplyServer(b"...") as server:`;
    `server.base_url` is what the program under test should ask.  `headers`
    are (name, value) pairs sent with every reply."""

    def __init__(self, reply, lifetime=120.0, headers=()):
        self._httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), _Handler)
        self._httpd.daemon_threads = True
        self._httpd.reply = reply
        self._httpd.headers = list(headers)
        self._httpd.requests = []
        self._httpd.lock = threading.Lock()
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)
        self._deadline = threading.Timer(lifetime, self._httpd.shutdown)
        self._deadline.daemon = True

    @property
    def base_url(self):
        return "http://127.0.0.1:%d" % self._httpd.server_address[1]

    def set_reply(self, reply):
        """What the following requests are answered with."""
        self._httpd.reply = reply

    def requests(self):
        """[(path, user agent)] of the requests so far."""
        with self._httpd.lock:
            return list(self._httpd.requests)

    def __enter__(self):
        self._thread.start()
        self._deadline.start()
        return self

    def __exit__(self, *exc):
        self._deadline.cancel()
        self._httpd.shutdown()
        self._httpd.server_close()
        self._thread.join(timeout=10)
        return False


def unused_port():
    """A port on 127.0.0.1 that nothing listens on (just released)."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]
