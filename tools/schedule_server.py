#!/usr/bin/env python3
"""Reference schedule server for development: answers the editor's one-line requests.

Run: tools/schedule_server.py [--port 5050] [--login школа] [--password пароль]
Listens on 127.0.0.1 only. Publications are kept in memory and printed.
"""
import argparse
import socketserver

VT = "\x0b"


class Handler(socketserver.StreamRequestHandler):
    def handle(self):
        cfg = self.server.cfg
        while True:
            raw = self.rfile.readline()
            if not raw:
                return
            line = raw.decode("utf-8", "replace").rstrip("\r\n")
            tag, rest = line[:9], line[9:]
            if tag == "conecDisp":
                ok = rest == f"{cfg.login};{cfg.password}"
                reply = ("conec" + "".join(f + "$" for f in
                         ["1", str(cfg.http_port), "", "", "", "", "", "", "notes", "notes", ""])) if ok else "error"
            elif tag == "zameVDisp":
                reply = "zameV" if rest == f"{cfg.login};{cfg.password};" else "error"
            elif tag == "publlDisp":
                org, date, payload = (rest.split(";", 2) + ["", ""])[:3]
                self.server.published[date] = payload
                print(f"publish {org!r} {date}: {payload}")
                reply = f"soobsРасписание на {date} опубликовано"
            elif tag == "pubdeDisp":
                gone = self.server.published.pop(rest, None) is not None
                reply = f"soobsПубликация расписания на {rest} отменена" if gone else f"soobsРасписание на {rest} не было опубликовано"
            elif tag == "zameDDisp":
                print("delete note", rest.split(VT))
                reply = "zameV"
            else:
                reply = "soobsНеизвестный запрос"
            self.wfile.write(reply.encode("utf-8"))
            self.wfile.flush()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, default=5050)
    ap.add_argument("--http-port", type=int, default=8080)
    ap.add_argument("--login", default="школа")
    ap.add_argument("--password", default="пароль")
    cfg = ap.parse_args()
    socketserver.ThreadingTCPServer.allow_reuse_address = True
    with socketserver.ThreadingTCPServer(("127.0.0.1", cfg.port), Handler) as srv:
        srv.cfg = cfg
        srv.published = {}
        print(f"schedule server on 127.0.0.1:{cfg.port}")
        srv.serve_forever()


if __name__ == "__main__":
    main()
