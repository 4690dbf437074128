"""What the phone reports and sends for capture folders on disk."""
import os
import struct
import tempfile
import unittest
from pathlib import Path

from phonesim import requests as rq
from phonesim.answers import APP_NAME, Answerer
from phonesim.captures import BODY, FACE, CaptureError, Catalogue, load_capture, parse_settings, scan_captures
from phonesim.wire import Reader

SORT_KEY = 1700000000.5


def make_face(parent, name, images=3, settings=b"2\n25.0\ntrue\n0\nnote\n1\n"):
    folder = Path(parent) / name
    folder.mkdir()
    (folder / "faceData.txt").write_bytes(b"face data of " + name.encode())
    (folder / "faceGeo.txt").write_bytes(b"geo")
    (folder / f"{name}_sound.m4a").write_bytes(b"\x00sound")
    (folder / "preview.jpg").write_bytes(b"\xff\xd8preview")
    for i in range(images):
        (folder / f"{name}_{i:05d}.jpg").write_bytes(bytes([i]) * (600 + i))
    if settings is not None:
        (folder / "settings.txt").write_bytes(settings)
        os.utime(folder / "settings.txt", (SORT_KEY, SORT_KEY))
    return folder


def make_body(parent, name, frames=4):
    folder = Path(parent) / name
    folder.mkdir()
    (folder / "motionData.bin").write_bytes(struct.pack("<ii", 1, frames) + b"\x01" * 40)
    (folder / "skeleton.bin").write_bytes(b"bones\x00")
    (folder / "settings.txt").write_bytes(b"2\n60.0\nfalse\n0\nbody\n1\n")
    return folder


def body_bytes(answer):
    return b"".join(bytes(p) for p in answer.body.parts())


def read_blocks(reader, count):
    return [bytes(reader._take(reader.u32())) for _ in range(count)]


class Settings(unittest.TestCase):
    def test_token_text_of_both_versions_and_bad_files(self):
        for text, read, fps, images, frames in [
            (b"2\n30.0\ntrue\n120\ntext\n1\n", True, 30.0, True, 120),
            (b"1:24.0~0:7:t", True, 24.0, False, 7),  # ':' and '~' end tokens too
            (b"0\n", True, 30.0, True, 0),  # version 0 holds nothing else
            (b"2\r\n30.0\r\n", False, 30.0, True, 0),  # CR LF gives an empty token where fps should be
            (b"", False, 30.0, True, 0),
            (b"two\n", False, 30.0, True, 0),
        ]:
            with self.subTest(text=text):
                s = parse_settings(text)
                self.assertEqual((s.read, s.fps, s.has_images, s.frame_count), (read, fps, images, frames))


class ServedFolders(unittest.TestCase):
    def setUp(self):
        self._temp = tempfile.TemporaryDirectory()
        self.root = Path(self._temp.name)

    def tearDown(self):
        self._temp.cleanup()

    def test_a_face_folder_counts_its_numbered_images(self):
        folder = make_face(self.root, "Smile", images=3)
        (folder / "Smile_0001.jpg").write_bytes(b"four digits: not a camera image")
        (folder / "Other_00000.jpg").write_bytes(b"another capture's")
        c = load_capture(folder, FACE)
        self.assertEqual((c.name, c.image_count, c.frame_count, c.settings.fps), (b"Smile", 3, 3, 25.0))
        self.assertEqual(c.sort_key, SORT_KEY)

    def test_a_body_folder_without_a_frame_count_takes_the_motion_data_count(self):
        c = load_capture(make_body(self.root, "Walk", frames=4), BODY)
        self.assertEqual((c.image_count, c.frame_count, c.settings.fps), (0, 4, 60.0))

    def test_scanning_sorts_folders_by_what_they_hold(self):
        make_face(self.root, "Smile")
        make_body(self.root, "Walk")
        (self.root / "Empty").mkdir()
        (self.root / "loose.txt").write_bytes(b"")
        found = [(c.kind, c.name) for c in scan_captures(self.root)]
        self.assertEqual(found, [(FACE, b"Smile"), (BODY, b"Walk")])

    def test_folders_that_are_no_captures_are_refused(self):
        make_body(self.root, "Walk")
        for folder, kind in [(self.root / "missing", FACE), (self.root / "Walk", FACE)]:
            with self.subTest(folder=folder.name), self.assertRaises(CaptureError):
                load_capture(folder, kind)
        with self.assertRaises(CaptureError):
            Catalogue([load_capture(self.root / "Walk", BODY)] * 2)


class Answers(unittest.TestCase):
    def setUp(self):
        self._temp = tempfile.TemporaryDirectory()
        root = Path(self._temp.name)
        self.face = make_face(root, "Smile")
        self.body = make_body(root, "Walk")
        self.catalogue = Catalogue([load_capture(self.face, FACE), load_capture(self.body, BODY)])
        self.answerer = Answerer(self.catalogue)

    def tearDown(self):
        self._temp.cleanup()

    def answer(self, kind, name=b"", index=0, count=0, answerer=None):
        return (answerer or self.answerer).answer(rq.Request(kind, name, index, count))

    def test_version_answer(self):
        r = Reader(body_bytes(self.answer(rq.VERSION)))
        self.assertEqual((r.string(), r.string(), r.u32(), r.left()), (APP_NAME, b"1.0", 1, 0))

    def test_face_list_entry_holds_the_seven_fields(self):
        data = body_bytes(self.answer(rq.FACE_LIST))
        self.assertEqual(data, b"".join([
            b"\x00\x01",  # one entry
            b"\x00\x05Smile",  # display name
            b"\x00\x05Smile",  # capture name
            struct.pack("<I", 3),  # image count
            struct.pack("<d", SORT_KEY),  # sort key
            struct.pack("<I", 3),  # frame count: settings say 0, so the images count
            struct.pack("<f", 25.0),  # fps
            struct.pack("<I", 1),  # has camera images
        ]))

    def test_body_list_reports_no_images(self):
        r = Reader(body_bytes(self.answer(rq.BODY_LIST)))
        self.assertEqual((r.u16(), r.string(), r.string(), r.u32()), (1, b"Walk", b"Walk", 0))

    def test_face_data_answer_carries_the_three_files(self):
        r = Reader(body_bytes(self.answer(rq.FACE_DATA, b"Smile")))
        self.assertEqual((r.string(), r.u16()), (b"Smile", 3))
        self.assertEqual(read_blocks(r, 3), [b"face data of Smile", b"geo", b"\x00sound"])
        self.assertEqual(r.left(), 0)

    def test_image_answer_echoes_index_and_count(self):
        r = Reader(body_bytes(self.answer(rq.FACE_IMAGE, b"Smile", index=2, count=3)))
        self.assertEqual((r.string(), r.u16(), r.u16()), (b"Smile", 2, 3))
        self.assertEqual(read_blocks(r, 1), [(self.face / "Smile_00002.jpg").read_bytes()])

    def test_optional_files_say_whether_they_are_there(self):
        for kind, name, present, extra in [
            (rq.PREVIEW, b"Smile", True, []),
            (rq.MOVIE, b"Smile", False, []),  # no movie.mov in the folder
            (rq.PREVIEW, b"Walk", False, []),  # asked for a body capture too
            (rq.SETTINGS, b"Smile", True, [2]),  # the settings' version goes before the file
            (rq.SETTINGS, b"Walk", True, [2]),
        ]:
            with self.subTest(kind=kind, name=name):
                r = Reader(body_bytes(self.answer(kind, name)))
                self.assertEqual((r.string(), bool(r.u8())), (name, present))
                self.assertEqual([r.u32() for _ in extra], extra)
                if present:
                    self.assertEqual(len(read_blocks(r, 1)[0]) > 0, True)
                self.assertEqual(r.left(), 0)

    def test_body_data_answer_carries_motion_skeleton_and_settings(self):
        r = Reader(body_bytes(self.answer(rq.BODY_DATA, b"Walk")))
        self.assertEqual(r.string(), b"Walk")
        self.assertEqual(read_blocks(r, 3), [(self.body / f).read_bytes()
                                             for f in ("motionData.bin", "skeleton.bin", "settings.txt")])

    def test_an_unknown_capture_gets_empty_blocks(self):
        for kind, blocks in [(rq.FACE_DATA, 3), (rq.BODY_DATA, 3)]:
            with self.subTest(kind=kind):
                answer = self.answer(kind, b"Nobody")
                r = Reader(body_bytes(answer))
                r.string()
                if kind == rq.FACE_DATA:
                    self.assertEqual(r.u16(), 0)
                self.assertEqual(read_blocks(r, blocks), [b""] * blocks)
                self.assertEqual(answer.details, {"unknown": 1})

    def test_a_hostile_name_replaces_every_listed_name_and_serves_the_first_capture(self):
        for hostile in [b"../../evil", b"", b"/abs", b"a\x00b"]:
            with self.subTest(hostile=hostile):
                answerer = Answerer(self.catalogue, hostile_name=hostile)
                for kind in (rq.FACE_LIST, rq.BODY_LIST):
                    r = Reader(body_bytes(self.answer(kind, answerer=answerer)))
                    r.u16()
                    self.assertNotEqual(r.string(), hostile, "the display name stays")
                    self.assertEqual(r.string(), hostile)
                r = Reader(body_bytes(self.answer(rq.FACE_DATA, hostile, answerer=answerer)))
                self.assertEqual((r.string(), r.u16()), (hostile, 3))
                self.assertEqual(read_blocks(r, 1), [b"face data of Smile"])


if __name__ == "__main__":
    unittest.main()
