#!/usr/bin/python3
"""FTP server for the uploader tests, on 127.0.0.1 and a free port.

Writes the port it listens on to --port-file once it accepts connections and
appends every command it receives, one per line, to --log, so a test can check
the dialogue in order. --mode picks a misbehaviour:
  normal        a plain server (SITE CHMOD works)
  refuse-chmod  SITE CHMOD answered with --chmod-code (500 to 502)
  drop-transfer the whole connection is closed once upload data arrives
  silent        connections are accepted and never answered
  ask-account   the password is answered with 332 (an account is needed)
  echo-password the password is refused with a 530 reply that quotes it
  no-data       PORT is answered as if done, but no data connection is ever opened
  stall-data    the data connection is opened but never read from
  quote-password-once  the first command named by --refuse (CWD, STOR or SITE) is refused with a 550
                reply that quotes the password; later ones work
The server ends by itself after --lifetime seconds.
"""
import argparse
import os
import socket
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer


def parse_args():
    p = argparse.ArgumentParser()
    p.add_argument('--home', required=True)
    p.add_argument('--user', default='tester')
    p.add_argument('--password', default='secret')
    p.add_argument('--port-file', required=True)
    p.add_argument('--log', required=True)
    p.add_argument('--mode', default='normal',
                   choices=['normal', 'refuse-chmod', 'drop-transfer', 'silent', 'ask-account',
                            'echo-password', 'no-data', 'stall-data', 'quote-password-once'])
    p.add_argument('--refuse', default='CWD', choices=['CWD', 'STOR', 'SITE'])
    p.add_argument('--chmod-code', type=int, default=502)
    p.add_argument('--lifetime', type=float, default=120.0)
    return p.parse_args()


def publish_port(path, port):
    # Written under a temporary name and renamed, so a reader never sees half a number.
    tmp = path + '.tmp'
    with open(tmp, 'w') as f:
        f.write('%d\n' % port)
    os.replace(tmp, path)


def run_silent(args):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(('127.0.0.1', 0))
    listener.listen(8)
    listener.settimeout(0.5)
    publish_port(args.port_file, listener.getsockname()[1])
    held = []
    deadline = time.monotonic() + args.lifetime
    while time.monotonic() < deadline:
        try:
            conn, _ = listener.accept()
            held.append(conn)
        except socket.timeout:
            pass


def make_handler(args):
    log_lock = threading.Lock()

    def log_command(line):
        # Names come as UTF-8 on the wire: the log keeps those bytes.
        with log_lock, open(args.log, 'a', encoding='utf-8', errors='surrogateescape') as f:
            f.write(line + '\n')

    class DroppingDTP(DTPHandler):
        def handle_read(self):
            super().handle_read()
            if self.tot_bytes_received > 0:
                channel = self.cmd_channel
                self.close()
                channel.close()

        handle_read_event = handle_read  # the base class binds its own reader under this name

    class StallingDTP(DTPHandler):
        def readable(self):
            return False

    refused = []

    class LoggingHandler(FTPHandler):
        auth_failed_timeout = 0
        dtp_handler = {'drop-transfer': DroppingDTP, 'stall-data': StallingDTP}.get(args.mode, DTPHandler)

        def pre_process_command(self, line, cmd, arg):
            log_command(line)
            if args.mode == 'quote-password-once' and cmd == args.refuse and not refused:
                refused.append(line)
                self.respond('550 No such place for %s with password %s.' % (self.username, args.password))
                return None
            super().pre_process_command(line, cmd, arg)

        def ftp_PASS(self, line):
            if args.mode == 'ask-account':
                self.respond('332 Need account for login.')
                return None
            if args.mode == 'echo-password':
                self.respond('530 Password %s is not the one of %s.' % (line, self.username))
                return None
            return super().ftp_PASS(line)

        def ftp_PORT(self, line):
            if args.mode == 'no-data':
                self.respond('200 Active data connection established.')
                return None
            return super().ftp_PORT(line)

        def ftp_SITE_CHMOD(self, path, mode):
            if args.mode == 'refuse-chmod':
                self.respond('%d SITE CHMOD not understood.' % args.chmod_code)
                return None
            return super().ftp_SITE_CHMOD(path, mode)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.home, perm='elradfmwMT')
    LoggingHandler.authorizer = authorizer
    LoggingHandler.banner = 'Corvane test server ready.'
    return LoggingHandler


def run_ftp(args):
    server = FTPServer(('127.0.0.1', 0), make_handler(args))
    publish_port(args.port_file, server.socket.getsockname()[1])
    deadline = time.monotonic() + args.lifetime
    while time.monotonic() < deadline:
        server.ioloop.loop(timeout=0.2, blocking=False)
    server.close_all()


def main():
    args = parse_args()
    open(args.log, 'w').close()
    if args.mode == 'silent':
        run_silent(args)
    else:
        run_ftp(args)


if __name__ == '__main__':
    main()
