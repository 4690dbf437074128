"""Bytes of the phone link as the phone writes and reads them.

Byte orders differ by type: UInt16 (and so String counts) are big-endian, UInt32 and floats
little-endian. The plug-in sends a message's kind as a UInt16 after the topic; the phone sends it as a
UInt32. Nothing here touches a socket.
"""
import struct

TOPIC = b"AR"
PUBLISH = 0x30

# File bytes at least this long travel as their own part, so they are never copied into a packet.
_OWN_PART = 512


class ShortBody(Exception):
    """A body ended before a field it must hold."""


def remaining_length(value):
    """MQTT's variable-length count: 7 bits a byte, low group first, bit 7 set while more follow."""
    if value < 0:
        raise ValueError("a length is never negative")
    out = bytearray()
    while True:
        digit = value & 0x7F
        value >>= 7
        out.append(digit | 0x80 if value else digit)
        if not value:
            return bytes(out)


def string_bytes(text):
    if len(text) > 0xFFFF:
        raise ValueError("a String holds at most 65535 bytes")
    return struct.pack(">H", len(text)) + text


class Body:
    """A message body being written: small fields gathered in one buffer, file bytes kept as given."""

    def __init__(self):
        self._parts = []
        self._small = bytearray()
        self._length = 0

    def _add(self, data):
        self._small += data
        self._length += len(data)
        return self

    def u8(self, value):
        return self._add(struct.pack("<B", value))

    def bool(self, value):
        return self.u8(1 if value else 0)

    def u16(self, value):
        return self._add(struct.pack(">H", value))

    def u32(self, value):
        return self._add(struct.pack("<I", value))

    def f32(self, value):
        return self._add(struct.pack("<f", value))

    def f64(self, value):
        return self._add(struct.pack("<d", value))

    def string(self, text):
        return self._add(string_bytes(text))

    def block(self, data):
        """A file block: UInt32 byte count, then the bytes (an empty block is a missing file)."""
        self.u32(len(data))
        if len(data) < _OWN_PART:
            return self._add(data)
        self._flush()
        self._parts.append(data)
        self._length += len(data)
        return self

    def _flush(self):
        if self._small:
            self._parts.append(bytes(self._small))
            self._small = bytearray()

    def __len__(self):
        return self._length

    def parts(self):
        self._flush()
        return list(self._parts)


def publish_parts(kind, body):
    """A whole PUBLISH packet of the phone: fixed header, topic, UInt32 kind, then the body's parts."""
    variable = string_bytes(TOPIC) + struct.pack("<I", kind)
    head = bytes([PUBLISH]) + remaining_length(len(variable) + len(body)) + variable
    return [head] + body.parts()


class Reader:
    """Fields of a received body, read from the front."""

    def __init__(self, data):
        self._data = memoryview(data)
        self._at = 0

    def _take(self, count):
        if self._at + count > len(self._data):
            raise ShortBody(f"{count} bytes needed at byte {self._at}, {len(self._data) - self._at} left")
        piece = self._data[self._at:self._at + count]
        self._at += count
        return piece

    def u8(self):
        return self._take(1)[0]

    def u16(self):
        return struct.unpack(">H", self._take(2))[0]

    def u32(self):
        return struct.unpack("<I", self._take(4))[0]

    def string(self):
        return bytes(self._take(self.u16()))

    def left(self):
        return len(self._data) - self._at
