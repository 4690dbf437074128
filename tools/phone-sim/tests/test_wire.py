"""The phone's byte codec and the requests it reads, against annotated bytes."""
import struct
import unittest

from phonesim import requests as rq
from phonesim import wire


def joined(parts):
    return b"".join(bytes(p) for p in parts)


class RemainingLength(unittest.TestCase):
    def test_groups_of_seven_bits_low_first(self):
        for value, expected in [
            (0, b"\x00"),
            (127, b"\x7f"),
            (128, b"\x80\x01"),
            (16383, b"\xff\x7f"),
            (16384, b"\x80\x80\x01"),
            (268435455, b"\xff\xff\xff\x7f"),
        ]:
            with self.subTest(value=value):
                self.assertEqual(wire.remaining_length(value), expected)


class BodyFields(unittest.TestCase):
    def test_each_type_has_its_own_byte_order(self):
        body = (wire.Body()
                .u8(0xAB)
                .bool(True)
                .u16(0x0102)  # big-endian
                .u32(0x01020304)  # little-endian
                .f32(1.0)
                .f64(-2.0)
                .string(b"Smile")
                .block(b"xyz"))
        self.assertEqual(joined(body.parts()), bytes([
            0xAB,  # u8
            0x01,  # Bool true
            0x01, 0x02,  # UInt16 big-endian
            0x04, 0x03, 0x02, 0x01,  # UInt32 little-endian
            0x00, 0x00, 0x80, 0x3F,  # Float32 1.0
            0, 0, 0, 0, 0, 0, 0x00, 0xC0,  # Float64 -2.0
            0x00, 0x05, ord("S"), ord("m"), ord("i"), ord("l"), ord("e"),  # String: UInt16 count
            0x03, 0x00, 0x00, 0x00, ord("x"), ord("y"), ord("z"),  # file block: UInt32 count
        ]))
        self.assertEqual(len(body), 34)

    def test_an_empty_block_is_only_its_count(self):
        self.assertEqual(joined(wire.Body().block(b"").parts()), b"\x00\x00\x00\x00")

    def test_file_bytes_are_sent_as_they_were_read(self):
        image = bytes(range(256)) * 100
        parts = wire.Body().string(b"A").block(image).u8(7).parts()
        self.assertIs(parts[1], image)
        self.assertEqual(joined(parts), b"\x00\x01A" + struct.pack("<I", len(image)) + image + b"\x07")

    def test_a_string_longer_than_its_count_can_say_is_refused(self):
        with self.assertRaises(ValueError):
            wire.Body().string(b"x" * 65536)


class PublishPacket(unittest.TestCase):
    def test_phone_publish_carries_the_kind_as_uint32_little_endian(self):
        packet = joined(wire.publish_parts(7, wire.Body().string(b"a").string(b"").u32(3)))
        self.assertEqual(packet, bytes([
            0x30,  # PUBLISH, QoS 0
            0x11,  # remaining length 17
            0x00, 0x02, ord("A"), ord("R"),  # topic "AR"
            0x07, 0x00, 0x00, 0x00,  # kind 7, UInt32 little-endian
            0x00, 0x01, ord("a"),  # String "a"
            0x00, 0x00,  # String ""
            0x03, 0x00, 0x00, 0x00,  # UInt32 3
        ]))

    def test_a_long_body_gets_a_two_byte_length(self):
        packet = joined(wire.publish_parts(2, wire.Body().block(b"\x00" * 200)))
        self.assertEqual(packet[:3], b"\x30\xd4\x01")  # topic 4 + kind 4 + count 4 + 200 bytes = 212
        self.assertEqual(len(packet), 3 + 212)


class Requests(unittest.TestCase):
    SMILE = b"\x00\x05Smile"

    def test_every_kind_the_plug_in_sends(self):
        for payload, expected in [
            (b"\x00\x00", rq.Request(0)),  # GetPerformances, empty
            (b"\x00\x09", rq.Request(9)),  # GetMotionCaptures, empty
            (b"\x00\x07", rq.Request(7)),  # GetVersionMsg, empty
            (b"\x00\x05", rq.Request(5)),  # DisconnectingMsg, no body
            (b"\x00\x01" + self.SMILE, rq.Request(1, b"Smile")),
            (b"\x00\x02" + self.SMILE + b"\x00\x03\x01\x00", rq.Request(2, b"Smile", index=3, count=256)),
            (b"\x00\x03" + self.SMILE, rq.Request(3, b"Smile")),
            (b"\x00\x04" + self.SMILE, rq.Request(4, b"Smile")),
            (b"\x00\x08" + self.SMILE, rq.Request(8, b"Smile")),
            (b"\x00\x0a" + self.SMILE, rq.Request(10, b"Smile")),
            (b"\x00\x06\x00\x04done", rq.Request(6, text=b"done")),
            (b"\x00\x01\x00\x00", rq.Request(1, b"")),  # an empty name is still a request
        ]:
            with self.subTest(payload=payload.hex(" ")):
                self.assertEqual(rq.parse_request(payload), expected)

    def test_short_bodies_are_malformed(self):
        for payload in [
            b"",  # no kind
            b"\x00",  # half a kind
            b"\x00\x01",  # name missing
            b"\x00\x01\x00\x05Smi",  # name cut short
            b"\x00\x02" + SMILE_NAME + b"\x00\x03",  # image count missing
            b"\x00\x06",  # text missing
        ]:
            with self.subTest(payload=payload.hex(" ")), self.assertRaises(wire.ShortBody):
                rq.parse_request(payload)

    def test_kinds_that_only_the_phone_or_nobody_sends_are_unknown(self):
        for kind in (11, 99, 100, 102, 0xFFFF):
            with self.subTest(kind=kind), self.assertRaises(rq.UnknownKind):
                rq.parse_request(struct.pack(">H", kind))


SMILE_NAME = Requests.SMILE

if __name__ == "__main__":
    unittest.main()
