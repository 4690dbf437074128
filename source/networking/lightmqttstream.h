// One direction of a phone connection on a thread of its own: the writer sends queued packets, the reader
// parses incoming packets, turns them into messages and hands them to the receivers.
#pragma once

#include <vector>

#include "face/spinlock.h"
#include "networking/bitstream.h"
#include "networking/lightmqttsettings.h"
#include "networking/messagefactory.h"
#include "networking/mqttpacket.h"
#include "networking/packetassembler.h"
#include "networking/receiverlist.h"
#include "scn/net.h"
#include "scn/thread.h"

class LightMQTT;
class ProgressMsg;

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
  // Reads what the connection has, a receive buffer at a time, until it has no more or a break is asked.
  // False once the link can go no further.
  scn::Bool ReaderTurn();
  // Hands received bytes to the assembler and acts on what it finds. False when the link cannot go on: its
  // framing is lost or a message finds no memory.
  scn::Bool Consume(const std::uint8_t* bytes, scn::Int64 count);
  void HandlePacket();
  void HandleConnect(scn::Int64 remaining);
  void HandlePublish();
  void ReportProgress();
  void ReadProgressHead();
  void EndProgress();
  // The link is dead: it is closed, and the receivers hear that the phone is gone.
  void EndLink();
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
  PacketAssembler assembler_;
  // The progress of the large PUBLISH arriving, while there is one.
  ProgressMsg* progress_ = nullptr;
  scn::Bool progressNamed_ = false;
  // The phone said DISCONNECT: its going needs no second word.
  scn::Bool told_ = false;
};
