// The phone link's TCP server: a listener thread that accepts one phone at a time and, per connection, a
// writer and a reader stream. A new connection replaces the previous one.
#pragma once

#include <atomic>

#include "networking/lightmqttsettings.h"
#include "networking/lightmqttstream.h"
#include "scn/net.h"
#include "scn/thread.h"

class PublishMessage;

class LightMQTT : public scn::SCNThread {
 public:
  LightMQTT() = default;
  ~LightMQTT() override;

  // Main thread. Stops any running link, then keeps the address and settings for the next start.
  void Configure(const scn::String& host, const LightMQTTSettings& settings);
  scn::Bool AddCallback(MessageCallbacks* receiver) { return reader_.AddReceiver(receiver); }
  void ClearCallbacks();

  // Any thread; nothing happens while no phone is connected.
  void SendMessage(PublishMessage& message);
  void RequestCaptureLists();
  void SendPing();
  // Main thread: says goodbye to the phone, ends every thread and closes every handle.
  void Stop();
  // Reader thread, once the link can go no further: the writer ends and the connection closes now, not
  // when the next phone comes.
  void CloseLink();

  // Any thread; whether the listener is open.
  scn::Bool HasListener() const { return listener_.load() != nullptr; }
  LightMQTTStream& Writer() { return writer_; }

  scn::Bool ExtraBreakCondition() override { return false; }
  void RunThread() override;
  const char* ThreadDisplayName() override { return "ScenaraARMessageThread"; }

 private:
  void StartStreams(scn::IpConnection* connection);
  // With goodbye, a phone still linked hears DISCONNECT once both streams have ended.
  void EndStreams(scn::Bool goodbye);
  void CloseAll();

  scn::String host_;
  LightMQTTSettings settings_;
  std::atomic<scn::IpConnection*> listener_{nullptr};
  LightMQTTStream writer_;
  LightMQTTStream reader_;
  scn::IpConnection* connection_ = nullptr;
};

// The address the pairing code shows: the custom IP (with ":" and the port when withPort) while the
// custom-IP preference is on, else empty.
scn::String GetServerAddressText(scn::Bool withPort);
