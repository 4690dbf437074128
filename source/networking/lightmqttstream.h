// One direction of a phone connection on a thread of its own: the writer sends queued packets, the reader
// parses incoming packets, turns them into messages and hands them to the receivers.
#pragma once

#include <vector>

#include "face/spinlock.h"
#include "networking/bitstream.h"
#include "networking/lightmqttsettings.h"
#include "networking/messagefactory.h"
#include "networking/mqttpacket.h"
#include "networking/receiverlist.h"
#include "scn/net.h"
#include "scn/thread.h"

class LightMQTT;

class LightMQTTStream : public scn::SCNThread {
 public:
  LightMQTTStream() = default;
  ~LightMQTTStream() override;

  // While the thread is stopped. False when the receive buffer cannot be had (reported).
  scn::Bool Attach(LightMQTT* owner, scn::IpConnection* connection, const LightMQTTSettings& settings,
                   scn::Bool isWriter);
  scn::Bool AddReceiver(MessageCallbacks* receiver) { return receivers_.Add(receiver); }
  void ClearReceivers() { receivers_.Clear(); }

  // Any thread; the packet is the stream's from here on.
  void Enqueue(MqttPacket* packet);
  // Sends and frees the packet on the calling thread.
  void SendPacketNow(MqttPacket* packet);
  void Dispatch(PublishMessage& message) { receivers_.Dispatch(message); }

  scn::Bool ExtraBreakCondition() override { return false; }
  void RunThread() override;
  const char* ThreadDisplayName() override { return "ScenaraARMessageStreamThread"; }

 private:
  void WriterTurn();
  // False once the connection is gone.
  scn::Bool ReaderTurn();
  // Reads exactly one byte; the read's result.
  scn::Int64 ReadByte(std::uint8_t& byte);
  scn::Int64 ReadPacket();
  scn::Int64 ReadConnect(scn::Int64 remaining);
  scn::Int64 ReadPublish(scn::Int64 remaining);
  scn::Int64 ReadChunk(scn::Int64 want);
  void HandlePublish();
  void DispatchLocal(scn::UInt32 kind);
  void FreeQueue();

  LightMQTT* owner_ = nullptr;
  scn::IpConnection* connection_ = nullptr;
  LightMQTTSettings settings_;
  scn::Bool isWriter_ = false;
  std::vector<std::uint8_t> buffer_;
  std::vector<MqttPacket*> queue_;
  SpinLock queueLock_;
  MessageFactory factory_;
  ReceiverList receivers_;
  BitStream received_;
};
