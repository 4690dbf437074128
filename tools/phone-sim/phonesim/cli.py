"""Command line of kinetra-phone-sim."""
import argparse
import codecs
import sys

from . import requests as rq
from .answers import Answerer
from .captures import BODY, FACE, CaptureError, Catalogue, load_capture, scan_captures
from .events import Events
from .faults import Faults
from .session import EXIT_ERROR, Session, SessionOptions

DESCRIPTION = """\
The phone's side of the Kinetra phone link. Connects to the plug-in's server as the phone app does
(MQTT over TCP), answers its version and capture-list requests and serves the face and body captures
of the given capture folders, file by file. Prints one line per event on standard output."""

EPILOG = """\
kinds: 0 face list, 1 face data, 2 face image, 3 preview, 4 movie, 7 version, 8 settings,
       9 body list, 10 body data

exit status: 0 the plug-in disconnected, the link ended after the plug-in said it was leaving,
--exit-after was reached or the link vanished as asked; 1 an error (no connection, the link was lost,
a bad capture folder); 2 bad arguments; 3 --timeout ran out."""


def _kind(text):
    value = int(text)
    if value not in rq.ANSWERED:
        raise argparse.ArgumentTypeError(f"{text} is not a kind the phone answers")
    return value


def _kind_and(convert):
    def parse(text):
        kind, sep, value = text.partition(":")
        if not sep:
            raise argparse.ArgumentTypeError(f"'{text}' is not KIND:VALUE")
        try:
            return _kind(kind), convert(value)
        except ValueError as e:
            raise argparse.ArgumentTypeError(f"'{text}': {e}") from e
    return parse


def _positive(convert):
    def parse(text):
        value = convert(text)
        if value <= 0:
            raise argparse.ArgumentTypeError(f"{text} is not above 0")
        return value
    return parse


def _non_negative_int(text):
    value = int(text)
    if value < 0:
        raise ValueError("a byte count is never negative")
    return value


def _escaped(text):
    # Backslash escapes as in Python strings, so that a NUL can be given: 'a\\0b'.
    return codecs.escape_decode(text.encode("utf-8"))[0]


def build_parser():
    p = argparse.ArgumentParser(prog="kinetra-phone-sim", description=DESCRIPTION, epilog=EPILOG,
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    link = p.add_argument_group("link")
    link.add_argument("--host", default="127.0.0.1", help="the plug-in's address (default 127.0.0.1)")
    link.add_argument("--port", type=int, default=60001, help="the plug-in's port (default 60001)")
    link.add_argument("--keepalive", type=_positive(int), default=60, metavar="S",
                      help="MQTT keep-alive in seconds; paho pings when the link is idle that long (default 60)")
    link.add_argument("--reconnect", action="store_true",
                      help="connect again when the link is lost or vanished, and keep trying to connect")
    link.add_argument("--exit-after", type=_positive(int), metavar="N",
                      help="say goodbye (DISCONNECT) and exit 0 after N requests")
    link.add_argument("--timeout", type=_positive(float), metavar="S",
                      help="say goodbye and exit 3 after S seconds")

    served = p.add_argument_group("captures served")
    served.add_argument("--captures", action="append", default=[], metavar="DIR",
                        help="every capture folder in DIR: face when it holds faceData.txt, body when it holds "
                             "motionData.bin (repeatable)")
    served.add_argument("--face", action="append", default=[], metavar="FOLDER",
                        help="one face capture folder (repeatable)")
    served.add_argument("--body", action="append", default=[], metavar="FOLDER",
                        help="one body capture folder (repeatable)")

    faults = p.add_argument_group("faults on demand")
    faults.add_argument("--vanish", type=_kind_and(_non_negative_int), metavar="KIND:BYTES",
                        help="close the socket without DISCONNECT after BYTES bytes of the first answer of KIND")
    faults.add_argument("--rate", type=_positive(float), metavar="BYTES",
                        help="send answers at BYTES bytes a second")
    faults.add_argument("--pause", type=_kind_and(float), metavar="KIND:S",
                        help="stop S seconds halfway through every answer of KIND")
    faults.add_argument("--hostile-name", metavar="TEXT",
                        help="report TEXT in both lists instead of every capture name (backslash escapes "
                             "allowed, e.g. 'a\\0b'); downloads of TEXT serve the first capture")
    faults.add_argument("--refuse", type=_kind, action="append", default=[], metavar="KIND",
                        help="never answer requests of KIND (repeatable)")
    return p


def _catalogue(args):
    captures = []
    for folder in args.captures:
        captures += scan_captures(folder)
    captures += [load_capture(folder, FACE) for folder in args.face]
    captures += [load_capture(folder, BODY) for folder in args.body]
    return Catalogue(captures)


def _faults(args):
    faults = Faults(rate=args.rate, refused=set(args.refuse))
    if args.vanish:
        faults.vanish_kind, faults.vanish_after = args.vanish
    if args.pause:
        faults.pause_kind, faults.pause_seconds = args.pause
    if args.hostile_name is not None:
        faults.hostile_name = _escaped(args.hostile_name)
    return faults


def main(argv):
    args = build_parser().parse_args(argv)
    events = Events()
    try:
        catalogue = _catalogue(args)
    except CaptureError as e:
        print(f"kinetra-phone-sim: {e}", file=sys.stderr)
        events("exit", code=EXIT_ERROR)
        return EXIT_ERROR
    for capture in catalogue.face + catalogue.body:
        events("serving", kind=capture.kind, name=capture.name, images=capture.image_count,
               frames=capture.frame_count)
    faults = _faults(args)
    options = SessionOptions(host=args.host, port=args.port, keepalive=args.keepalive, reconnect=args.reconnect,
                             exit_after=args.exit_after, timeout=args.timeout)
    return Session(options, Answerer(catalogue, faults.hostile_name), faults, events).run()
