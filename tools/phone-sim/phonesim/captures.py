"""The captures the phone holds: capture folders on disk, face or body, and what their lists report."""
import os
import re
import struct
from dataclasses import dataclass
from pathlib import Path

FACE = "face"
BODY = "body"

FACE_MARKER = "faceData.txt"
BODY_MARKER = "motionData.bin"


class CaptureError(Exception):
    pass


@dataclass
class Settings:
    """What settings.txt says; the defaults stand for a missing or unreadable file."""
    version: int = 0
    fps: float = 30.0
    has_images: bool = True
    frame_count: int = 0
    read: bool = False


def _tokens(text):
    # Tokens end at LF, CR, ':' and '~'; two delimiters in a row give an empty token.
    return re.split(rb"[\n\r:~]", text)


def _flag(token):
    if token == b"true":
        return True
    if token == b"false":
        return False
    return int(token) >= 1


def parse_settings(data):
    tokens = _tokens(data)
    settings = Settings()
    try:
        settings.version = int(tokens[0])
        if settings.version >= 1:
            settings.fps = float(tokens[1])
            settings.has_images = _flag(tokens[2])
            settings.frame_count = int(tokens[3])
    except (IndexError, ValueError):
        return Settings()
    settings.read = True
    return settings


@dataclass
class Capture:
    kind: str
    name: bytes  # the folder name as it goes on the wire
    folder: Path
    settings: Settings
    image_count: int
    frame_count: int
    sort_key: float

    @property
    def display_name(self):
        return self.name

    def read(self, file_name):
        """The bytes of a file of the capture folder, or None when it is not there."""
        try:
            return (self.folder / file_name).read_bytes()
        except (FileNotFoundError, IsADirectoryError, NotADirectoryError):
            return None

    def sound_file(self):
        return os.fsdecode(self.name) + "_sound.m4a"

    def image_file(self, index):
        return f"{os.fsdecode(self.name)}_{index:05d}.jpg"


def _settings_of(folder):
    try:
        return parse_settings((folder / "settings.txt").read_bytes())
    except OSError:
        return Settings()


def _sort_key(folder):
    # The phone orders captures by when they were taken; settings.txt is written with the capture.
    for path in (folder / "settings.txt", folder):
        try:
            return path.stat().st_mtime
        except OSError:
            continue
    return 0.0


def _image_count(folder, name):
    pattern = re.compile(re.escape(name) + r"_\d{5,}\.jpg")
    return sum(1 for entry in os.listdir(folder) if pattern.fullmatch(entry))


def _motion_frame_count(folder):
    try:
        with open(folder / BODY_MARKER, "rb") as f:
            head = f.read(8)
    except OSError:
        return 0
    return struct.unpack("<ii", head)[1] if len(head) == 8 else 0


def load_capture(folder, kind):
    folder = Path(folder)
    if not folder.is_dir():
        raise CaptureError(f"{folder} is not a folder")
    marker = FACE_MARKER if kind == FACE else BODY_MARKER
    if not (folder / marker).is_file():
        raise CaptureError(f"{folder} holds no {marker}")
    name = os.fsdecode(folder.resolve().name)
    settings = _settings_of(folder)
    if kind == FACE:
        images = _image_count(folder, name)
        frames = settings.frame_count or images
    else:
        images = 0
        frames = settings.frame_count or _motion_frame_count(folder)
    return Capture(kind, os.fsencode(name), folder, settings, images, frames, _sort_key(folder))


def scan_captures(parent):
    """Every capture folder directly in parent: face when it holds faceData.txt, body for motionData.bin."""
    parent = Path(parent)
    if not parent.is_dir():
        raise CaptureError(f"{parent} is not a folder")
    found = []
    for entry in sorted(parent.iterdir()):
        if (entry / FACE_MARKER).is_file():
            found.append(load_capture(entry, FACE))
        elif (entry / BODY_MARKER).is_file():
            found.append(load_capture(entry, BODY))
    return found


class Catalogue:
    """The served captures, in the order given, found by kind and name."""

    def __init__(self, captures):
        self._by_key = {}
        self.face = []
        self.body = []
        for capture in captures:
            key = (capture.kind, capture.name)
            if key in self._by_key:
                raise CaptureError(f"two {capture.kind} captures are named {os.fsdecode(capture.name)}")
            self._by_key[key] = capture
            (self.face if capture.kind == FACE else self.body).append(capture)

    def find(self, kind, name):
        return self._by_key.get((kind, name))
