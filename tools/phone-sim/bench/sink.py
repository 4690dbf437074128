#!/usr/bin/python3
"""How fast the phone simulator pushes camera images: a server that only answers CONNECT, asks for N
images at once (as the capture manager does after a capture's data arrived) and reads the answers.

    /usr/bin/python3 tools/phone-sim/bench/sink.py [--images 3600] [--image-bytes 30000] [--rounds 3]

It makes a face capture folder of N random images of the given size in a temporary folder, starts the
simulator on it, and prints images a second and megabytes a second for each round.
"""
import argparse
import os
import socket
import struct
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SIM = Path(__file__).resolve().parent.parent / "kinetra-phone-sim"
NAME = "Bench"
PUBLISH = 0x30


def make_capture(parent, images, image_bytes):
    folder = Path(parent) / NAME
    folder.mkdir()
    (folder / "faceData.txt").write_bytes(b"2\n")
    (folder / "settings.txt").write_bytes(f"2\n30.0\ntrue\n{images}\nbench\n1\n".encode())
    for i in range(images):
        (folder / f"{NAME}_{i:05d}.jpg").write_bytes(os.urandom(image_bytes))
    return folder


def string(text):
    return struct.pack(">H", len(text)) + text


def image_request(index, count):
    payload = string(b"AR") + struct.pack(">H", 2) + string(NAME.encode()) + struct.pack(">HH", index, count)
    return bytes([PUBLISH, len(payload)]) + payload  # short enough for one length byte


class PacketCounter:
    """Counts whole PUBLISH packets in a byte stream without keeping their bytes."""

    def __init__(self):
        self.publishes = 0
        self.bytes = 0
        self._pending = bytearray()  # an unfinished fixed header
        self._skip = 0  # body bytes of the current packet still to come

    def feed(self, data):
        self.bytes += len(data)
        at = 0
        while at < len(data):
            if self._skip:
                step = min(self._skip, len(data) - at)
                self._skip -= step
                at += step
                continue
            self._pending.append(data[at])
            at += 1
            length = self._length()
            if length is None:
                continue
            if self._pending[0] & 0xF0 == PUBLISH:
                self.publishes += 1
            self._skip = length
            self._pending.clear()

    def _length(self):
        if len(self._pending) < 2 or self._pending[-1] & 0x80:
            return None
        value, shift = 0, 0
        for digit in self._pending[1:]:
            value |= (digit & 0x7F) << shift
            shift += 7
        return value


def read_connect(conn):
    header = conn.recv(2)
    length = header[1]
    while length:
        length -= len(conn.recv(length))


def one_round(listener, capture, images):
    sim = subprocess.Popen(["/usr/bin/python3", str(SIM), "--port", str(listener.getsockname()[1]),
                            "--face", str(capture)], stdout=subprocess.DEVNULL)
    conn, _ = listener.accept()
    try:
        conn.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4 << 20)
        read_connect(conn)
        conn.sendall(bytes([0x20, 0x02, 0x00, 0x00]))
        counter = PacketCounter()
        buffer = bytearray(1 << 20)
        start = time.perf_counter()
        conn.sendall(b"".join(image_request(i, images) for i in range(images)))
        while counter.publishes < images:
            got = conn.recv_into(buffer)
            if not got:
                raise SystemExit("the simulator closed the link early")
            counter.feed(memoryview(buffer)[:got])
        seconds = time.perf_counter() - start
        conn.sendall(bytes([0xE0, 0x00]))  # DISCONNECT: the simulator exits
    finally:
        conn.close()
    sim.wait(10)
    return seconds, counter.bytes


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--images", type=int, default=3600)
    p.add_argument("--image-bytes", type=int, default=30000)
    p.add_argument("--rounds", type=int, default=3)
    args = p.parse_args()
    with tempfile.TemporaryDirectory() as temp:
        capture = make_capture(temp, args.images, args.image_bytes)
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(1)
        for r in range(args.rounds):
            seconds, total = one_round(listener, capture, args.images)
            print(f"round {r + 1}: {args.images} images of {args.image_bytes} bytes in {seconds:.3f} s: "
                  f"{args.images / seconds:.0f} images/s, {total / seconds / 1e6:.1f} MB/s")
            sys.stdout.flush()


if __name__ == "__main__":
    main()
