"""What the plug-in sends to the phone: a UInt16 big-endian kind, then the kind's body."""
from dataclasses import dataclass

from . import wire

FACE_LIST = 0
FACE_DATA = 1
FACE_IMAGE = 2
PREVIEW = 3
MOVIE = 4
DISCONNECTING = 5
TASK_COMPLETE = 6
VERSION = 7
SETTINGS = 8
BODY_LIST = 9
BODY_DATA = 10

KIND_NAMES = {
    FACE_LIST: "GetPerformances",
    FACE_DATA: "PerformanceGet",
    FACE_IMAGE: "PerformanceGetImage",
    PREVIEW: "PerformanceGetPreview",
    MOVIE: "PerformanceGetMovie",
    DISCONNECTING: "DisconnectingMsg",
    TASK_COMPLETE: "TaskCompleteMsg",
    VERSION: "GetVersionMsg",
    SETTINGS: "PerformanceGetSettings",
    BODY_LIST: "GetMotionCaptures",
    BODY_DATA: "MotionCaptureGet",
}

# Kinds the phone answers; 5 and 6 only tell the phone something.
ANSWERED = frozenset({FACE_LIST, FACE_DATA, FACE_IMAGE, PREVIEW, MOVIE, VERSION, SETTINGS, BODY_LIST,
                      BODY_DATA})
NAMED = frozenset({FACE_DATA, FACE_IMAGE, PREVIEW, MOVIE, SETTINGS, BODY_DATA})


@dataclass
class Request:
    kind: int
    name: bytes = b""  # the capture name, for the download kinds
    index: int = 0  # image index and count, for kind 2
    count: int = 0
    text: bytes = b""  # kind 6


class UnknownKind(Exception):
    pass


def parse_request(payload):
    """One PUBLISH payload after its topic. Raises UnknownKind or wire.ShortBody."""
    reader = wire.Reader(payload)
    kind = reader.u16()
    if kind not in KIND_NAMES:
        raise UnknownKind(kind)
    request = Request(kind)
    if kind in NAMED:
        request.name = reader.string()
    if kind == FACE_IMAGE:
        request.index = reader.u16()
        request.count = reader.u16()
    if kind == TASK_COMPLETE:
        request.text = reader.string()
    return request
