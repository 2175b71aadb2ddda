# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The maker's page for the main window's web view, served on loopback during a test.

Usage: page_server.py PORT. Prints "listening" once bound (or "busy" and exits with 3 when
the port is taken), then one line "GET <path>" per request.
"""

import errno
import http.server
import sys

# A background no window of the program uses, so that a screen probe can tell the page is shown.
BACKGROUND = (0xFF, 0xEE, 0xAA)
PAGE = ("""<!DOCTYPE html>
<html lang="it"><head><meta charset="utf-8"><title>Quintara e2e</title></head>
<body style="background:#%02x%02x%02x"><p>Pagina di prova servita in locale.</p></body></html>
""" % BACKGROUND).encode("utf-8")


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        print("GET %s" % self.path, flush=True)
        if self.path.split("?")[0] == "/riq-quintara.html":
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(PAGE)))
            self.end_headers()
            self.wfile.write(PAGE)
        else:
            self.send_error(404)

    def log_message(self, format, *args):
        pass


def main():
    port = int(sys.argv[1])
    try:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler)
    except OSError as e:
        if e.errno == errno.EADDRINUSE:
            print("busy", flush=True)
            return 3
        raise
    print("listening", flush=True)
    server.serve_forever()
    return 0


if __name__ == "__main__":
    sys.exit(main())
