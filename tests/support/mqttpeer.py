"""A phone as an independent MQTT client: connects, publishes one message of the given kind, pings, disconnects."""
import struct
import sys
import time

import paho.mqtt.client as mqtt

port, kind = int(sys.argv[1]), int(sys.argv[2])
client = mqtt.Client(client_id="phone", protocol=mqtt.MQTTv311) if not hasattr(mqtt, "CallbackAPIVersion") else \
    mqtt.Client(mqtt.CallbackAPIVersion.VERSION1, client_id="phone", protocol=mqtt.MQTTv311)
connected = []
client.on_connect = lambda c, u, f, rc: connected.append(rc)
client.connect("127.0.0.1", port, keepalive=1)
client.loop_start()
deadline = time.time() + 5
while not connected and time.time() < deadline:
    time.sleep(0.05)
if connected != [0]:
    sys.exit(2)
client.publish("AR", struct.pack("<I", kind), qos=0).wait_for_publish(5)
time.sleep(1.5)  # keepalive 1 s: paho pings
client.disconnect()
client.loop_stop()
print("ok")
