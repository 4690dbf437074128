"""One run of the phone: connect, answer what the plug-in asks, end when it says goodbye."""
import time
from dataclasses import dataclass

import paho.mqtt.client as mqtt

from . import requests as rq
from . import wire
from .client import PhoneClient
from .sender import LinkLost, Sender

EXIT_OK = 0
EXIT_ERROR = 1
EXIT_TIMEOUT = 3

_RECONNECT_DELAY = 0.5
_LOOP_SECONDS = 0.1
_VANISHED = "vanished"


@dataclass
class SessionOptions:
    host: str = "127.0.0.1"
    port: int = 60001
    keepalive: int = 60
    reconnect: bool = False
    exit_after: int = None
    timeout: float = None


class _End(Exception):
    def __init__(self, code, goodbye):
        super().__init__(code)
        self.code = code
        self.goodbye = goodbye


class Session:
    def __init__(self, options, answerer, faults, events):
        self._options = options
        self._answerer = answerer
        self._faults = faults
        self._events = events
        self._client = PhoneClient("kinetra-phone-sim")
        self._client.on_connect = self._on_connect
        self._client.on_message = self._on_message
        self._client.on_server_disconnect = self._on_server_disconnect
        self._end = None
        self._told_disconnecting = False
        self._lost = None  # why the link broke while we wrote to it
        self._sender = None
        self._requests = 0
        self._deadline = None if options.timeout is None else time.monotonic() + options.timeout

    def run(self):
        self._events("connecting", host=self._options.host, port=self._options.port)
        try:
            self._connect()
            while self._end is None:
                self._turn()
        except _End as end:
            self._end = end
        return self._finish()

    # Connection

    def _connect(self):
        while True:
            try:
                self._client.connect(self._options.host, self._options.port, keepalive=self._options.keepalive)
                self._lost = None
                self._sender = Sender(self._client.socket(), self._faults, while_blocked=self._check_blocked)
                return
            except OSError as e:
                self._events("connect-failed", reason=str(e))
                if not self._options.reconnect:
                    raise _End(EXIT_ERROR, goodbye=False)
            self._wait_to_reconnect()

    def _wait_to_reconnect(self):
        self._check_deadline()
        time.sleep(_RECONNECT_DELAY)
        self._check_deadline()
        self._events("reconnecting")

    def _turn(self):
        self._check_deadline()
        rc = self._client.loop(timeout=_LOOP_SECONDS)
        if self._end is not None:
            raise self._end
        if rc == mqtt.MQTT_ERR_SUCCESS and self._lost is None:
            return
        self._link_ended(self._lost or mqtt.error_string(rc))

    def _link_ended(self, reason):
        vanished = self._lost == _VANISHED
        if not vanished:
            self._events("link-lost", reason=reason)
        if self._told_disconnecting:
            raise _End(EXIT_OK, goodbye=False)  # the plug-in said it was leaving
        if not self._options.reconnect:
            raise _End(EXIT_OK if vanished else EXIT_ERROR, goodbye=False)
        self._wait_to_reconnect()
        self._connect()

    def _check_deadline(self, goodbye=True):
        if self._deadline is not None and time.monotonic() >= self._deadline:
            self._events("timeout", seconds=self._options.timeout)
            raise _End(EXIT_TIMEOUT, goodbye=goodbye)

    def _check_blocked(self):
        # Out of time in the middle of an answer: a goodbye now would land inside the cut packet.
        self._check_deadline(goodbye=False)

    def _finish(self):
        end = self._end
        if end.goodbye and self._client.is_connected():
            self._client.disconnect()  # outside a callback paho writes the DISCONNECT at once
        sock = self._client.socket()
        if sock is not None:
            sock.close()
        self._events("exit", code=end.code)
        return end.code

    # Paho callbacks, all on this thread inside loop()

    def _on_connect(self, client, userdata, flags, rc):
        if rc != 0:
            self._events("connack-refused", code=rc)
            self._end = _End(EXIT_ERROR, goodbye=False)
            return
        self._told_disconnecting = False
        self._events("connected")

    def _on_server_disconnect(self):
        self._events("disconnect")
        self._end = _End(EXIT_OK, goodbye=False)

    def _on_message(self, client, userdata, message):
        try:
            self._handle(message.payload)
        except LinkLost as e:
            self._lost = str(e)
        except _End as end:
            self._end = end
        except Exception as e:  # a fault of the simulator itself: say so and stop
            self._events("error", reason=f"{type(e).__name__}: {e}")
            self._end = _End(EXIT_ERROR, goodbye=True)

    def _handle(self, payload):
        try:
            request = rq.parse_request(payload)
        except rq.UnknownKind as e:
            self._events("unknown-kind", kind=e.args[0], bytes=len(payload))
            return
        except wire.ShortBody as e:
            self._events("malformed", kind=_kind_of(payload), reason=str(e))
            return
        if request.kind == rq.TASK_COMPLETE:
            self._events("task-complete", text=request.text)
            return
        if request.kind == rq.DISCONNECTING:
            self._events("disconnecting")
            self._told_disconnecting = True
            return
        self._events("request", **_request_fields(request))
        self._requests += 1
        if request.kind in self._faults.refused:
            self._events("refused", **_request_fields(request))
        else:
            self._answer(request)
        if self._options.exit_after is not None and self._requests >= self._options.exit_after:
            self._events("exit-after", requests=self._requests)
            raise _End(EXIT_OK, goodbye=True)

    def _answer(self, request):
        answer = self._answerer.answer(request)
        fields = {"kind": answer.kind}
        if request.kind in rq.NAMED:
            fields["name"] = request.name
        fields.update(answer.details)
        if self._client.flush() != mqtt.MQTT_ERR_SUCCESS:
            raise LinkLost("paho could not write")
        def paused(at):
            self._events("paused", **fields, after=at, seconds=self._faults.pause_seconds)

        packet = wire.publish_parts(answer.kind, answer.body)
        sent, vanished = self._sender.send(answer.kind, packet, on_pause=paused)
        self._client.count_sent()
        if vanished:
            self._events("vanished", **fields, after=sent)
            self._lost = _VANISHED
            return
        self._events("sent", **fields, bytes=sent)


def _kind_of(payload):
    return int.from_bytes(payload[:2], "big") if len(payload) >= 2 else -1


def _request_fields(request):
    fields = {"kind": request.kind}
    if request.kind in rq.NAMED:
        fields["name"] = request.name
    if request.kind == rq.FACE_IMAGE:
        fields.update(index=request.index, count=request.count)
    return fields
