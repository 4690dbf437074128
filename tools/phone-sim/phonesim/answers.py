"""The phone's answer to each request, built from the served capture folders. No I/O but file reads."""
from dataclasses import dataclass, field

from . import requests as rq
from .captures import BODY, FACE
from .wire import Body

APP_NAME = b"Kinetra Phone Simulator"
APP_VERSION = b"1.0"
APP_BUILD = 1

# Where a download request's capture is looked for: previews and settings are asked for body captures too.
_KINDS_OF_CAPTURE = {
    rq.FACE_DATA: (FACE,),
    rq.FACE_IMAGE: (FACE,),
    rq.PREVIEW: (FACE, BODY),
    rq.MOVIE: (FACE, BODY),
    rq.SETTINGS: (FACE, BODY),
    rq.BODY_DATA: (BODY,),
}


@dataclass
class Answer:
    kind: int
    body: Body
    # What the event line tells about it, besides kind and bytes.
    details: dict = field(default_factory=dict)


class Answerer:
    def __init__(self, catalogue, hostile_name=None):
        self._catalogue = catalogue
        self._hostile = hostile_name

    def answer(self, request):
        build = {
            rq.FACE_LIST: lambda r: self._list(r.kind, self._catalogue.face),
            rq.BODY_LIST: lambda r: self._list(r.kind, self._catalogue.body),
            rq.VERSION: lambda r: Answer(r.kind, Body().string(APP_NAME).string(APP_VERSION).u32(APP_BUILD)),
            rq.FACE_DATA: self._face_data,
            rq.FACE_IMAGE: self._image,
            rq.PREVIEW: lambda r: self._optional_file(r, "preview.jpg"),
            rq.MOVIE: lambda r: self._optional_file(r, "movie.mov"),
            rq.SETTINGS: self._settings,
            rq.BODY_DATA: self._body_data,
        }
        return build[request.kind](request)

    def find(self, request):
        """The capture a download request names; a hostile name stands for the first capture it replaced."""
        kinds = _KINDS_OF_CAPTURE[request.kind]
        for kind in kinds:
            capture = self._catalogue.find(kind, request.name)
            if capture is not None:
                return capture
        if self._hostile is None or request.name != self._hostile:
            return None
        served = [c for kind in kinds for c in (self._catalogue.face if kind == FACE else self._catalogue.body)]
        return served[0] if served else None

    def _list(self, kind, captures):
        body = Body().u16(len(captures))
        for capture in captures:
            name = capture.name if self._hostile is None else self._hostile
            body.string(capture.display_name).string(name)
            body.u32(capture.image_count).f64(capture.sort_key).u32(capture.frame_count)
            body.f32(capture.settings.fps).u32(1 if capture.settings.has_images and capture.image_count else 0)
        return Answer(kind, body, {"count": len(captures)})

    def _read(self, capture, file_name):
        data = None if capture is None else capture.read(file_name)
        return b"" if data is None else data

    def _face_data(self, request):
        capture = self.find(request)
        body = Body().string(request.name).u16(capture.image_count if capture else 0)
        body.block(self._read(capture, "faceData.txt")).block(self._read(capture, "faceGeo.txt"))
        body.block(self._read(capture, capture.sound_file()) if capture else b"")
        return Answer(request.kind, body, self._found(capture))

    def _image(self, request):
        capture = self.find(request)
        data = self._read(capture, capture.image_file(request.index)) if capture else b""
        body = Body().string(request.name).u16(request.index).u16(request.count).block(data)
        return Answer(request.kind, body, {"index": request.index, **self._found(capture)})

    def _optional_file(self, request, file_name):
        capture = self.find(request)
        data = None if capture is None else capture.read(file_name)
        body = Body().string(request.name).bool(data is not None)
        if data is not None:
            body.block(data)
        return Answer(request.kind, body, {"present": int(data is not None), **self._found(capture)})

    def _settings(self, request):
        capture = self.find(request)
        data = None if capture is None else capture.read("settings.txt")
        body = Body().string(request.name).bool(data is not None)
        if data is not None:
            body.u32(capture.settings.version).block(data)
        return Answer(request.kind, body, {"present": int(data is not None), **self._found(capture)})

    def _body_data(self, request):
        capture = self.find(request)
        body = Body().string(request.name)
        for file_name in ("motionData.bin", "skeleton.bin", "settings.txt"):
            body.block(self._read(capture, file_name))
        return Answer(request.kind, body, self._found(capture))

    @staticmethod
    def _found(capture):
        return {} if capture is not None else {"unknown": 1}
