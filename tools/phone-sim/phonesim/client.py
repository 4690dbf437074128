"""The MQTT session of the phone on paho (Debian's 1.6.1): CONNECT, CONNACK, keep-alive pings both ways.

Two things paho does not do for us under MQTT 3.1.1:
- The plug-in says goodbye with a DISCONNECT packet, which 3.1.1 never sends to a client; paho would
  call it a protocol error, so the client recognises it here.
- Answers are written straight to paho's socket (see sender.py). Keep-alive counts what the client
  sends, so each direct write counts as traffic; otherwise paho would ping in the middle of a long
  download and give up when the answer to its ping waits behind the plug-in's queued requests.
"""
import select

import paho.mqtt.client as mqtt

DISCONNECT = 0xE0


class PhoneClient(mqtt.Client):
    def __init__(self, client_id):
        if hasattr(mqtt, "CallbackAPIVersion"):  # paho 2 asks which callback signatures we use
            super().__init__(mqtt.CallbackAPIVersion.VERSION1, client_id=client_id, protocol=mqtt.MQTTv311)
        else:
            super().__init__(client_id=client_id, protocol=mqtt.MQTTv311)
        self.on_server_disconnect = None

    def _packet_handle(self):
        if self._in_packet["command"] & 0xF0 == DISCONNECT and self.on_server_disconnect is not None:
            self.on_server_disconnect()
            return mqtt.MQTT_ERR_SUCCESS
        return super()._packet_handle()

    def count_sent(self):
        """Direct writes are traffic for the keep-alive."""
        self._last_msg_out = mqtt.time_func()

    def flush(self):
        """Writes whatever paho still holds (a ping answer cut short), so direct writes never split it."""
        while self.want_write():
            rc = self.loop_write()
            if rc != mqtt.MQTT_ERR_SUCCESS:
                return rc
            if self.want_write():
                select.select([], [self.socket()], [], 1.0)
        return mqtt.MQTT_ERR_SUCCESS
