"""Direct writes to the link with the faults on demand, over a real socket pair."""
import socket
import threading
import unittest

from phonesim.events import format_event
from phonesim.faults import Faults
from phonesim.sender import Sender

PARTS = [b"head", bytes(range(256)) * 40, b"tail"]  # 10248 bytes, the big part larger than a slice
WHOLE = b"".join(PARTS)


class FakeTime:
    """A clock that only moves when the sender sleeps, so pacing needs no real waiting."""

    def __init__(self):
        self.now = 0.0
        self.sleeps = []

    def clock(self):
        return self.now

    def sleep(self, seconds):
        self.sleeps.append(seconds)
        self.now += seconds


class SenderTest(unittest.TestCase):
    def setUp(self):
        self.phone, self.plugin = socket.socketpair()
        self.phone.setblocking(False)  # as paho leaves it
        self.received = bytearray()
        self.reader = threading.Thread(target=self._read_all)
        self.reader.start()

    def tearDown(self):
        self.phone.close()
        self.reader.join(5)
        self.plugin.close()

    def _read_all(self):
        while True:
            data = self.plugin.recv(65536)
            if not data:
                return
            self.received += data

    def finish(self):
        self.phone.shutdown(socket.SHUT_WR)
        self.reader.join(5)
        return bytes(self.received)

    def sender(self, faults, time=None):
        time = time or FakeTime()
        return Sender(self.phone, faults, clock=time.clock, sleep=time.sleep), time

    def test_a_packet_goes_whole(self):
        sender, _ = self.sender(Faults())
        self.assertEqual(sender.send(2, PARTS), (len(WHOLE), False))
        self.assertEqual(self.finish(), WHOLE)

    def test_a_large_packet_waits_out_a_full_send_buffer(self):
        big = [bytes(3 << 20)]  # more than the socket buffers hold at once
        sender, _ = self.sender(Faults())
        self.assertEqual(sender.send(2, big), (3 << 20, False))
        self.assertEqual(len(self.finish()), 3 << 20)

    def test_vanishing_cuts_the_first_answer_of_its_kind_and_closes_the_link(self):
        for after, expected in [(0, 0), (1, 1), (5000, 5000), (len(WHOLE) + 10, len(WHOLE))]:
            with self.subTest(after=after):
                self.tearDown()
                self.setUp()
                faults = Faults(vanish_kind=1, vanish_after=after)
                sender, _ = self.sender(faults)
                self.assertEqual(sender.send(2, PARTS), (len(WHOLE), False), "another kind goes whole")
                self.assertEqual(sender.send(1, PARTS), (expected, True))
                self.reader.join(5)  # the plug-in sees the end of the stream
                self.assertEqual(bytes(self.received), WHOLE + WHOLE[:expected])
                self.assertTrue(faults.vanished)
                self.assertIsNone(faults.vanish_point(1, 100), "only once")

    def test_a_pause_stops_halfway_and_the_rest_follows(self):
        paused_at = []
        sender, time = self.sender(Faults(pause_kind=1, pause_seconds=2.5))
        self.assertEqual(sender.send(1, PARTS, on_pause=paused_at.append), (len(WHOLE), False))
        self.assertEqual((paused_at, time.sleeps), ([len(WHOLE) // 2], [2.5]))
        sender.send(3, PARTS, on_pause=paused_at.append)
        self.assertEqual(len(paused_at), 1, "other kinds are not paused")
        self.assertEqual(self.finish(), WHOLE + WHOLE)

    def test_a_byte_rate_paces_the_bytes_in_slices(self):
        sender, time = self.sender(Faults(rate=1000.0))  # 10-byte slices
        sender.send(2, PARTS)
        sender.send(2, PARTS)
        self.assertEqual(self.finish(), WHOLE + WHOLE)
        # Every slice but the last waited its share of the second.
        self.assertGreaterEqual(time.now, (2 * len(WHOLE) - 10) / 1000.0)
        self.assertLessEqual(time.now, 2 * len(WHOLE) / 1000.0)


class EventLines(unittest.TestCase):
    def test_plain_values_stay_bare_and_others_are_quoted(self):
        self.assertEqual(format_event("sent", {"kind": 2, "name": b"Smile", "index": 3, "bytes": 30412}),
                         "sent kind=2 name=Smile index=3 bytes=30412")
        for value, text in [
            (b"", '""'),
            (b"a\x00b", '"a\\u0000b"'),
            (b"two words", '"two words"'),
            (b"../../evil", "../../evil"),
            (b'say "hi"', '"say \\"hi\\""'),
            (b"\xff", '"\\\\xff"'),
            (2.5, "2.5"),
        ]:
            with self.subTest(value=value):
                self.assertEqual(format_event("e", {"v": value}), "e v=" + text)


if __name__ == "__main__":
    unittest.main()
