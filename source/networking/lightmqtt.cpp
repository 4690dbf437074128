#include "networking/lightmqtt.h"

#include <string>

#include "networking/capturelistmessages.h"
#include "networking/controlpackets.h"
#include "networking/publishpacket.h"
#include "preferences.h"
#include "scn/api.h"

namespace {
// Accept waits as long as the thread is not asked to stop.
constexpr scn::Int64 kAcceptTimeout = 0x7FFFFFFFFFFFFC00;
}  // namespace

LightMQTT::~LightMQTT() {
  Stop();
}

void LightMQTT::Configure(const scn::String& host, const LightMQTTSettings& settings) {
  ClearCallbacks();
  Stop();
  host_ = host;
  settings_ = settings;
}

void LightMQTT::ClearCallbacks() {
  writer_.ClearReceivers();
  reader_.ClearReceivers();
}

void LightMQTT::SendMessage(PublishMessage& message) {
  if (!writer_.IsThreadRunning()) return;
  if (MqttPacket* packet = NewPublishPacket(message)) writer_.Enqueue(packet);
}

void LightMQTT::RequestCaptureLists() {
  GetPerformances faces;
  SendMessage(faces);
  GetMotionCaptures bodies;
  SendMessage(bodies);
}

void LightMQTT::SendPing() {
  if (!writer_.IsThreadRunning()) return;
  if (MqttPacket* packet = NewPingReqPacket()) writer_.Enqueue(packet);
}

void LightMQTT::Stop() {
  // The server thread accepts on the listener and swaps the streams: it ends first, so that nothing
  // closed here is still in its hands.
  EndThread(true);
  if (writer_.IsThreadRunning()) {
    if (MqttPacket* bye = NewDisconnectPacket()) writer_.Enqueue(bye);
  }
  EndStreams();
  CloseAll();
}

void LightMQTT::CloseAll() {
  scn::IpConnection* listener = listener_.exchange(nullptr);
  scn::CloseConnection(listener);
  scn::CloseConnection(connection_);
}

void LightMQTT::EndStreams() {
  writer_.EndThread(true);
  reader_.EndThread(true);
}

void LightMQTT::StartStreams(scn::IpConnection* connection) {
  EndStreams();
  scn::CloseConnection(connection_);
  connection_ = connection;
  if (writer_.Attach(this, connection, settings_, true)) writer_.StartThread();
  if (reader_.Attach(this, connection, settings_, false)) reader_.StartThread();
}

void LightMQTT::RunThread() {
  const scn::String address = host_ + ":" + std::to_string(settings_.port);
  scn::Int32 error = -1;
  scn::IpConnection* listener = scn::OpenListener(address, this, kAcceptTimeout, true, &error);
  if (!listener || error != 0) {
    scn::DiagnosticOutput("LightMQTT: cannot listen on " + address);
    scn::CloseConnection(listener);
    EndStreams();
    scn::CloseConnection(connection_);
    return;
  }
  listener_.store(listener);
  while (!TestThreadBreak()) {
    error = -1;
    scn::IpConnection* connection = scn::AcceptConnection(listener, this, &error);
    if (!connection) continue;
    if (error != 0) {
      scn::CloseConnection(connection);
      continue;
    }
    StartStreams(connection);
  }
  EndStreams();
}

scn::String GetServerAddressText(scn::Bool withPort) {
  scn::Container* prefs = GetPreferencesContainer();
  if (!prefs || !prefs->GetBool(PrefUseCustomIp)) return {};
  scn::String text = prefs->GetString(PrefCustomIp);
  if (withPort) text += ":" + std::to_string(prefs->GetInt32(PrefPort, kDefaultPort));
  return text;
}
