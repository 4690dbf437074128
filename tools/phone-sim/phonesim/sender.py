"""Writes the phone's answers straight to the link's socket, whole or with the faults asked for.

The socket is paho's and non-blocking: a full send buffer is waited out with select. File bytes go out
with sendmsg as they were read, never joined into one buffer.
"""
import select
import socket
import time

# sendmsg takes at most this many buffers at once (IOV_MAX is 1024 on Linux).
_MAX_BUFFERS = 64
# A paced answer goes out in slices of about this long.
_PACE_SLICE_SECONDS = 0.01


class LinkLost(Exception):
    pass


class Outgoing:
    """The bytes of one packet still to send, as views into its parts."""

    def __init__(self, parts):
        self.views = [memoryview(p).cast("B") for p in parts if len(p)]
        self.total = sum(len(v) for v in self.views)
        self.sent = 0

    def head(self, limit):
        """Views of the next bytes, at most limit of them."""
        out = []
        for view in self.views[:_MAX_BUFFERS]:
            if limit <= 0:
                break
            out.append(view[:limit])
            limit -= len(out[-1])
        return out

    def advance(self, count):
        self.sent += count
        while count:
            first = self.views[0]
            if count < len(first):
                self.views[0] = first[count:]
                return
            count -= len(first)
            self.views.pop(0)


class Sender:
    def __init__(self, sock, faults, clock=time.monotonic, sleep=time.sleep, while_blocked=None):
        self._sock = sock
        self._faults = faults
        # Called about once a second while the plug-in reads nothing; may raise to give up.
        self._while_blocked = while_blocked
        self._clock = clock
        self._sleep = sleep
        self._next_slice = 0.0

    def send(self, kind, parts, on_pause=None):
        """Sends one packet. Returns the bytes sent and whether the link was cut after them (vanished)."""
        out = Outgoing(parts)
        end = out.total
        cut = self._faults.vanish_point(kind, out.total)
        if cut is not None:
            end = cut
        pause = self._faults.pause_point(kind, out.total)
        if pause is not None and pause < end:
            self._push(out, pause)
            if on_pause:
                on_pause(pause)
            self._sleep(self._faults.pause_seconds)
        self._push(out, end - out.sent)
        if cut is None:
            return out.sent, False
        self._faults.vanished = True
        self._vanish()
        return out.sent, True

    def _push(self, out, count):
        if self._faults.rate is None:
            self._write(out, count)
            return
        slice_bytes = max(1, int(self._faults.rate * _PACE_SLICE_SECONDS))
        while count > 0:
            wait = self._next_slice - self._clock()
            if wait > 0:
                self._sleep(wait)
            step = min(slice_bytes, count)
            self._write(out, step)
            count -= step
            self._next_slice = max(self._next_slice, self._clock()) + step / self._faults.rate

    def _write(self, out, count):
        while count > 0:
            try:
                sent = self._sock.sendmsg(out.head(count))
            except BlockingIOError:
                sent = 0
            except OSError as e:
                raise LinkLost(str(e)) from e
            out.advance(sent)
            count -= sent
            if count > 0 and sent == 0:
                select.select([], [self._sock], [self._sock], 1.0)
                if self._while_blocked:
                    self._while_blocked()

    def _vanish(self):
        # A phone that walks out of range: no DISCONNECT, the connection just ends.
        try:
            self._sock.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
