#!/usr/bin/python3
"""A loopback FTP server for tests: serves ROOT to anonymous users on 127.0.0.1.

Prints the port it listens on (an ephemeral one unless --port) on the first line of stdout
and serves until killed or until its stdin closes (the test that started it is gone).
  --refuse          no anonymous login: every session is refused (530)
  --cut-after N     the server dies after sending N bytes of a download
"""
import argparse
import logging
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class CutFile:
    """A file that yields its first `limit` bytes, then takes the server down."""

    def __init__(self, inner, limit):
        self.inner = inner
        self.limit = limit
        self.sent = 0
        self.name = inner.name
        self.closed = False

    def read(self, size=-1):
        if self.sent >= self.limit:
            time.sleep(0.3)  # let the bytes already sent reach the client
            os._exit(0)
        size = self.limit - self.sent if size < 0 else min(size, self.limit - self.sent)
        data = self.inner.read(size)
        self.sent += len(data)
        return data

    def seek(self, *args):
        return self.inner.seek(*args)

    def close(self):
        self.closed = True
        self.inner.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--refuse", action="store_true")
    parser.add_argument("--cut-after", type=int, default=-1)
    args = parser.parse_args()
    logging.basicConfig(level=logging.CRITICAL)

    authorizer = DummyAuthorizer()
    if args.refuse:
        authorizer.add_user("nobody-else", "secret", args.root)
    else:
        authorizer.add_anonymous(args.root)

    class Filesystem(AbstractedFS):
        def open(self, filename, mode):
            opened = super().open(filename, mode)
            if args.cut_after >= 0 and "r" in mode:
                return CutFile(opened, args.cut_after)
            return opened

    class Handler(FTPHandler):
        pass

    Handler.authorizer = authorizer
    Handler.abstracted_fs = Filesystem
    Handler.banner = "loopback test server"
    server = FTPServer(("127.0.0.1", args.port), Handler)
    print(server.address[1], flush=True)

    def watch_parent():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_parent, daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
