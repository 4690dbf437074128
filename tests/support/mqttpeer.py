"""A phone as an independent MQTT client: connects, optionally subscribes, publishes one message of the given
kind, pings, disconnects."""
import argparse
import struct
import sys
import time

import paho.mqtt.client as mqtt

parser = argparse.ArgumentParser()
parser.add_argument("port", type=int)
parser.add_argument("kind", type=int)
parser.add_argument("--subscribe", help="a topic to subscribe to before publishing")
args = parser.parse_args()

client = mqtt.Client(client_id="phone", protocol=mqtt.MQTTv311) if not hasattr(mqtt, "CallbackAPIVersion") else \
    mqtt.Client(mqtt.CallbackAPIVersion.VERSION1, client_id="phone", protocol=mqtt.MQTTv311)
connected = []
client.on_connect = lambda c, u, f, rc: connected.append(rc)
client.connect("127.0.0.1", args.port, keepalive=1)
client.loop_start()
deadline = time.time() + 5
while not connected and time.time() < deadline:
    time.sleep(0.05)
if connected != [0]:
    sys.exit(2)
if args.subscribe:
    # The link sends no SUBACK; the client goes on without it.
    client.subscribe(args.subscribe, qos=0)
client.publish("AR", struct.pack("<I", args.kind), qos=0).wait_for_publish(5)
time.sleep(1.5)  # keepalive 1 s: paho pings
client.disconnect()
client.loop_stop()
print("ok")
