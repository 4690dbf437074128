"""One line per event on standard output, flushed at once: an event word, then key=value fields.

A value is written bare when it is printable ASCII without spaces, quotes or backslashes, and as a
JSON string otherwise (so an empty name is name="" and a NUL in it is \\u0000).
"""
import json
import re
import sys

_BARE = re.compile(r"[!#-\[\]-~]+")


def format_value(value):
    if isinstance(value, bytes):
        value = value.decode("utf-8", "backslashreplace")
    if isinstance(value, float):
        value = repr(value)
    text = str(value)
    return text if _BARE.fullmatch(text) else json.dumps(text)


def format_event(event, fields):
    return " ".join([event] + [f"{key}={format_value(value)}" for key, value in fields.items()])


class Events:
    def __init__(self, out=None):
        self._out = out if out is not None else sys.stdout

    def __call__(self, event, **fields):
        self._out.write(format_event(event, fields) + "\n")
        self._out.flush()
