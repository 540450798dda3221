#!/usr/bin/env python3
"""Reference schedule server for development: answers the editor's one-line requests and
serves the notes file over HTTP.

Run: tools/schedule_server.py [--port 5050] [--http-port 8080] [--login школа] [--password пароль]
                              [--notes-login учитель] [--notes-password заметки] [--notes FOLDER]
                              [--read-timeout 30] [--max-connections 64]
                              [--web FOLDER]

Both services listen on 127.0.0.1 only; port 0 picks a free port. The first line printed names
the ports in use. The notes file is FOLDER/data.ini (Windows-1251, CR LF); "zameDDisp" removes
the note whose key matches from that file. Publications are kept in memory and printed.

It holds against careless or hostile clients: a request line longer than 64 KB closes its
connection (nothing more of it is read), a client silent for --read-timeout seconds is dropped,
and past --max-connections open connections per service a new one is closed at once. The notes
file is handled as bytes, so a byte Windows-1251 leaves undefined (0x98) never stops a deletion.

With --web, the day's web pages written by "raspisanie-cli web" into FOLDER are served read-only
at /raspisanie/ of the HTTP port, without the notes login: only FOLDER's own files named in
lower-case ASCII letters, digits and "-" ending in ".html" (index.html for /raspisanie/).
"""
import argparse
import base64
import binascii
import hmac
import http.server
import os
import re
import socketserver
import sys
import threading

VT = "\x0b"
MAX_LINE = 64 * 1024  # the longest request line read, line end included


class BoundedServer:
    """Mixin of the threading servers: at most `max_connections` connections are served at once;
    one more is closed as soon as it is accepted."""

    def setup_bound(self, max_connections):
        self.slots = threading.BoundedSemaphore(max_connections)

    def process_request(self, request, client_address):
        if not self.slots.acquire(blocking=False):
            self.shutdown_request(request)
            return
        try:
            super().process_request(request, client_address)
        except Exception:
            self.slots.release()
            raise

    def process_request_thread(self, request, client_address):
        try:
            super().process_request_thread(request, client_address)
        finally:
            self.slots.release()


class ScheduleServer(BoundedServer, socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


class NotesServer(BoundedServer, http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


WEB_PAGE = re.compile(r"[a-z0-9][a-z0-9-]*\.html")


class NotesFile:
    """The notes file in its folder; one lock guards reading and rewriting it."""

    def __init__(self, folder):
        self.path = os.path.join(folder, "data.ini") if folder else None
        self.lock = threading.Lock()

    def read(self):
        with self.lock:
            if not self.path or not os.path.exists(self.path):
                return b""
            with open(self.path, "rb") as f:
                return f.read()

    def delete(self, key):
        """Removes every note whose first five fields (each followed by VT) equal key. The file
        is worked on as bytes: the lines kept stay byte for byte, whatever they hold."""
        try:
            wanted = key.encode("cp1251")
        except UnicodeEncodeError:
            return 0  # a key Windows-1251 cannot hold matches no note of the file
        with self.lock:
            if not wanted or not self.path or not os.path.exists(self.path):
                return 0
            with open(self.path, "rb") as f:
                lines = f.read().split(b"\r\n")
            kept = [line for line in lines if not line.startswith(wanted)]
            if len(kept) == len(lines):
                return 0
            tmp = self.path + ".new"
            with open(tmp, "wb") as f:
                f.write(b"\r\n".join(kept))
                f.flush()
                os.fsync(f.fileno())
            os.replace(tmp, self.path)
            return len(lines) - len(kept)


class Handler(socketserver.StreamRequestHandler):
    def setup(self):
        self.timeout = self.server.cfg.read_timeout
        super().setup()

    def handle(self):
        cfg = self.server.cfg
        while True:
            try:
                raw = self.rfile.readline(MAX_LINE + 1)
            except OSError:  # the read time-out, or the client went away
                return
            if not raw or len(raw) > MAX_LINE:
                return  # an over-long line ends the connection unread
            line = raw.decode("utf-8", "replace").rstrip("\r\n")
            tag, rest = line[:9], line[9:]
            if tag == "conecDisp":
                ok = rest == f"{cfg.login};{cfg.password}"
                fields = ["1", str(self.server.http_port), "", "", "", "", "", "",
                          cfg.notes_login, cfg.notes_password, ""]
                reply = ("conec" + "".join(f + "$" for f in fields)) if ok else "error"
            elif tag == "zameVDisp":
                reply = "zameV" if rest == f"{cfg.login};{cfg.password};" else "error"
            elif tag == "publlDisp":
                org, date, payload = (rest.split(";", 2) + ["", ""])[:3]
                if org != cfg.login.replace(";", ""):
                    reply = "error"
                else:
                    self.server.published[date] = payload
                    print(f"publish {org!r} {date}: {payload}", flush=True)
                    reply = f"soobsРасписание на {date} опубликовано"
            elif tag == "pubdeDisp":
                gone = self.server.published.pop(rest, None) is not None
                reply = (f"soobsПубликация расписания на {rest} отменена" if gone
                         else f"soobsРасписание на {rest} не было опубликовано")
            elif tag == "zameDDisp":
                parts = rest.split(VT, 2)
                if len(parts) < 3 or parts[0] != cfg.login or parts[1] != cfg.password:
                    reply = "error"
                else:
                    removed = self.server.notes.delete(parts[2])
                    print(f"delete note {parts[2].split(VT)[:5]}: {removed} removed", flush=True)
                    continue  # the editor expects no answer; it asks "zameVDisp" after a while
            else:
                reply = "soobsНеизвестный запрос"
            try:
                self.wfile.write(reply.encode("utf-8"))
                self.wfile.flush()
            except OSError:  # a client that stopped reading
                return


def basic_credentials_match(header, login, password):
    """Whether an Authorization header carries these credentials in the Basic scheme, whose
    name is case-insensitive (RFC 7617)."""
    scheme, _, encoded = header.strip().partition(" ")
    if scheme.lower() != "basic":
        return False
    try:
        given = base64.b64decode(encoded.strip(), validate=True)
    except (binascii.Error, ValueError):
        return False
    return hmac.compare_digest(given, f"{login}:{password}".encode("utf-8"))


class NotesHandler(http.server.BaseHTTPRequestHandler):
    def setup(self):
        self.timeout = self.server.cfg.read_timeout
        super().setup()

    def serve_web(self, folder):
        """One page of the web folder, or 404 for any other name (no subfolders, no links out)."""
        name = self.path.split("?", 1)[0].split("#", 1)[0][len("/raspisanie/"):] or "index.html"
        path = os.path.join(folder, name)
        if not WEB_PAGE.fullmatch(name) or os.path.islink(path) or not os.path.isfile(path):
            self.send_error(404)
            return
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        cfg = self.server.cfg
        if cfg.web and self.path == "/raspisanie":
            self.send_response(301)
            self.send_header("Location", "/raspisanie/")
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if cfg.web and self.path.startswith("/raspisanie/"):
            self.serve_web(cfg.web)
            return
        if not basic_credentials_match(self.headers.get("Authorization", ""), cfg.notes_login, cfg.notes_password):
            self.send_response(401)
            self.send_header("WWW-Authenticate", 'Basic realm="zametki", charset="UTF-8"')
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if self.path != "/zametki/data.ini":
            self.send_error(404)
            return
        body = self.server.notes.read()
        self.send_response(200)
        self.send_header("Content-Type", "text/plain; charset=windows-1251")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, fmt, *args):
        pass


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, default=5050)
    ap.add_argument("--http-port", type=int, default=8080)
    ap.add_argument("--login", default="школа")
    ap.add_argument("--password", default="пароль")
    ap.add_argument("--notes-login", default="учитель")
    ap.add_argument("--notes-password", default="заметки")
    ap.add_argument("--notes", default="", help="folder holding data.ini, the notes file")
    ap.add_argument("--read-timeout", type=float, default=30.0,
                    help="seconds a client may stay silent before its connection is closed")
    ap.add_argument("--max-connections", type=int, default=64,
                    help="connections served at once by each service; more are closed at once")
    ap.add_argument("--web", default="", help="folder of the day's web pages, served at /raspisanie/")
    cfg = ap.parse_args()
    notes = NotesFile(cfg.notes)

    web = NotesServer(("127.0.0.1", cfg.http_port), NotesHandler)
    web.setup_bound(cfg.max_connections)
    web.cfg, web.notes = cfg, notes
    threading.Thread(target=web.serve_forever, daemon=True).start()
    with ScheduleServer(("127.0.0.1", cfg.port), Handler) as srv:
        srv.setup_bound(cfg.max_connections)
        srv.cfg, srv.notes, srv.published = cfg, notes, {}
        srv.http_port = web.server_address[1]
        print(f"schedule server on 127.0.0.1:{srv.server_address[1]}, notes on 127.0.0.1:{srv.http_port}",
              flush=True)
        if cfg.web:
            print(f"web pages at http://127.0.0.1:{srv.http_port}/raspisanie/", flush=True)
        try:
            srv.serve_forever()
        except KeyboardInterrupt:
            pass
    web.shutdown()
    return 0


if __name__ == "__main__":
    sys.exit(main())
