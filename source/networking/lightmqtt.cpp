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
  // closed here is still in its hands. On its way out it says goodbye to the phone.
  EndThread(true);
  EndStreams(true);
  CloseAll();
}

void LightMQTT::CloseLink() {
  writer_.EndThread(true);
  scn::CloseConnection(connection_);
}

void LightMQTT::CloseAll() {
  scn::IpConnection* listener = listener_.exchange(nullptr);
  scn::CloseConnection(listener);
  scn::CloseConnection(connection_);
}

void LightMQTT::EndStreams(scn::Bool goodbye) {
  const scn::Bool writerRan = writer_.IsThreadRunning();
  reader_.EndThread(true);
  writer_.EndThread(true);
  // Written after the writer ended, so that it cannot fall between the bytes of a packet. A reader that
  // found the link dead has closed it already.
  if (!goodbye || !writerRan || !connection_) return;
  if (MqttPacket* bye = NewDisconnectPacket()) writer_.SendPacketNow(bye);
}

void LightMQTT::StartStreams(scn::IpConnection* connection) {
  EndStreams(false);
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
    EndStreams(false);
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
  EndStreams(true);
}

scn::String GetServerAddressText(scn::Bool withPort) {
  scn::Container* prefs = GetPreferencesContainer();
  if (!prefs || !prefs->GetBool(PrefUseCustomIp)) return {};
  scn::String text = prefs->GetString(PrefCustomIp);
  if (!withPort) return text;
  text += ':';
  text += std::to_string(prefs->GetInt32(PrefPort, kDefaultPort));
  return text;
}
