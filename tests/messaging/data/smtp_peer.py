#!/usr/bin/python3
"""Receiving SMTP server for the mail tests, listening on 127.0.0.1 only.

aiosmtpd mode: unless --discard is given, every accepted message is stored in the output folder as <n>.eml (the bytes
received after DATA) and <n>.json (envelope sender, recipients, whether TLS and a login were
used). Optional STARTTLS or implicit TLS with the given certificate, a required login, and
recipients that are refused with 550.

Scripted mode (--script, a JSON list): a raw server that answers each connection with the
given replies in order: the first one is the greeting, then one per received command line;
after a reply starting with 354 the message up to the line "." counts as one command. A "|"
in a reply makes the server pause there, so the reply arrives in pieces. The entry CLOSE
closes the connection, SILENT stops answering.
"""
import argparse
import asyncio
import json
import os
import signal
import ssl
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Recorder:
    def __init__(self, out, refused, discard):
        self.out = out
        self.discard = discard
        self.refused = set(refused)
        self.count = 0
        self.lock = threading.Lock()

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return '550 5.1.1 Mailbox unavailable'
        envelope.rcpt_tos.append(address)
        return '250 OK'

    async def handle_DATA(self, server, session, envelope):
        if self.discard:
            return '250 Message accepted for delivery'
        with self.lock:
            self.count += 1
            number = self.count
        tls = session.ssl is not None or \
            server.transport.get_extra_info('ssl_object') is not None
        stem = os.path.join(self.out, str(number))
        with open(stem + '.eml.part', 'wb') as f:
            f.write(envelope.content)
        with open(stem + '.json.part', 'w') as f:
            json.dump({'mail_from': envelope.mail_from, 'rcpt_tos': envelope.rcpt_tos,
                       'tls': tls, 'authenticated': bool(session.authenticated)}, f)
        os.rename(stem + '.eml.part', stem + '.eml')
        os.rename(stem + '.json.part', stem + '.json')
        return '250 Message accepted for delivery'


def make_authenticator(user, password):
    def authenticate(server, session, envelope, mechanism, auth_data):
        if isinstance(auth_data, LoginPassword) and \
                auth_data.login == user.encode() and auth_data.password == password.encode():
            return AuthResult(success=True)
        # handled=False lets the server answer the failed login itself.
        return AuthResult(success=False, handled=False)
    return authenticate


def run_aiosmtpd(args):
    kwargs = {}
    context = None
    if args.security != 'none':
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)
    if args.security == 'starttls':
        kwargs.update(tls_context=context, require_starttls=True)
    elif args.security == 'tls':
        kwargs.update(ssl_context=context, auth_require_tls=False)
    if args.user is not None:
        kwargs.update(authenticator=make_authenticator(args.user, args.password),
                      auth_required=True)
        if args.mechanisms:
            wanted = set(args.mechanisms.split(','))
            kwargs.update(auth_exclude_mechanism={'PLAIN', 'LOGIN'} - wanted)
    controller = Controller(Recorder(args.out, args.refuse, args.discard), hostname='127.0.0.1',
                            port=args.port, **kwargs)
    controller.start()
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    stop.wait()
    controller.stop()


def run_script(args):
    replies = json.loads(args.script)

    async def serve(reader, writer):
        steps = iter(replies)
        try:
            for step in steps:
                if step == 'CLOSE':
                    break
                if step == 'SILENT':
                    await reader.read()  # until the client gives up
                    break
                pieces = (step + '\r\n').split('|')
                for n, piece in enumerate(pieces):
                    if n:
                        await asyncio.sleep(0.1)
                    writer.write(piece.encode())
                    await writer.drain()
                if step.startswith('354'):
                    while (line := await reader.readline()) not in (b'.\r\n', b''):
                        pass
                elif not await reader.readline():
                    break
        finally:
            writer.close()

    async def main():
        server = await asyncio.start_server(serve, '127.0.0.1', args.port)
        async with server:
            await server.serve_forever()

    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    asyncio.run(main())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--port', type=int, required=True)
    parser.add_argument('--out')
    parser.add_argument('--security', choices=['none', 'starttls', 'tls'], default='none')
    parser.add_argument('--cert')
    parser.add_argument('--key')
    parser.add_argument('--user')
    parser.add_argument('--password')
    parser.add_argument('--mechanisms')
    parser.add_argument('--refuse', action='append', default=[])
    parser.add_argument('--script')
    parser.add_argument('--discard', action='store_true', help='accept messages, keep none')
    args = parser.parse_args()
    if args.script is not None:
        run_script(args)
    else:
        run_aiosmtpd(args)


if __name__ == '__main__':
    main()
