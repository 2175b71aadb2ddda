# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The maker's page for the main window's web view, served on loopback from a thread of the
caller, which can then read the paths asked of it."""

import errno
import http.server
import threading

# A background no window of the program uses, so that a screen probe can tell the page is shown.
# The icon the page names is asked for by the engine, through the band, once it shows the page.
BACKGROUND = (0xFF, 0xEE, 0xAA)
PAGE = ("""<!DOCTYPE html>
<html lang="it"><head><meta charset="utf-8"><title>Quintara e2e</title>
<link rel="icon" href="/favicon.ico"></head>
<body style="background:#%02x%02x%02x"><p>Pagina di prova servita in locale.</p></body></html>
""" % BACKGROUND).encode("utf-8")


class PageServer:
    """Serves /riq-quintara.html (`page`, or our own PAGE) on 127.0.0.1:port while in a `with`
    block; with the port None, nothing is served. A port someone else holds is an error."""

    def __init__(self, port, page=None):
        self.requests = []
        # Every connection made to the server, whatever was sent on it.
        self.connections = []
        self.server = None
        self.port = port
        self.page = page or PAGE

    def __enter__(self):
        if self.port is None:
            return self
        requests = self.requests
        page = self.page

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                requests.append(self.path)
                if self.path.split("?")[0] != "/riq-quintara.html":
                    self.send_error(404)
                    return
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(page)))
                self.end_headers()
                self.wfile.write(page)

            def log_message(self, format, *args):
                pass

        connections = self.connections

        class Server(http.server.ThreadingHTTPServer):
            def verify_request(self, request, client_address):
                connections.append(client_address)
                return True

        try:
            self.server = Server(("127.0.0.1", self.port), Handler)
        except OSError as e:
            if e.errno != errno.EADDRINUSE:
                raise
            # The port is built into the program: with another server on it, what the band is
            # shown is not ours to check.
            raise RuntimeError("port %d of the program's site is taken by another process; "
                               "end it, or configure with another QUINTARA_SITE_HOST"
                               % self.port) from e
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return self

    def __exit__(self, *exception):
        if self.server is not None:
            self.server.shutdown()
            self.server.server_close()
        return False
