#include "networking/lightmqttstream.h"

#include <algorithm>
#include <new>
#include <string>

#include "networking/controlpackets.h"
#include "networking/lightmqtt.h"
#include "networking/localmessages.h"
#include "networking/message.h"
#include "networking/publishpacket.h"
#include "networking/sessionmessages.h"
#include "scn/api.h"

namespace {
constexpr scn::UInt32 kSleepMs = 10;
// The rest of a begun packet is on its way: the reader looks again sooner.
constexpr scn::UInt32 kInPacketSleepMs = 1;
}  // namespace

LightMQTTStream::~LightMQTTStream() {
  EndThread(true);
  FreeQueue();
}

void LightMQTTStream::FreeQueue() {
  SpinLockGuard lock(queueLock_);
  for (MqttPacket* p : queue_) FreeMqttPacket(p);
  queue_.clear();
}

scn::Bool LightMQTTStream::Attach(LightMQTT* owner, scn::IpConnection* connection,
                                  const LightMQTTSettings& settings, scn::Bool isWriter) {
  // Other threads find the writer through its owner while a new phone is attached.
  if (owner_ != owner) owner_ = owner;
  connection_ = connection;
  settings_ = settings;
  isWriter_ = isWriter;
  FreeQueue();
  const auto size = static_cast<std::size_t>(std::max<std::uint64_t>(settings.bufferSize, 1));
  assembler_.Reset(static_cast<scn::Int64>(size));
  told_ = false;
  try {
    buffer_.assign(size, 0);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return true;
}

void LightMQTTStream::Enqueue(MqttPacket* packet) {
  if (!packet) return;
  LightMQTTStream& writer = owner_ ? owner_->Writer() : *this;
  if (!writer.IsThreadRunning()) {
    FreeMqttPacket(packet);
    return;
  }
  if (packet->sendNow) {
    writer.SendPacketNow(packet);
    return;
  }
  SpinLockGuard lock(writer.queueLock_);
  try {
    writer.queue_.insert(writer.queue_.begin(), packet);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    FreeMqttPacket(packet);
  }
}

void LightMQTTStream::SendPacketNow(MqttPacket* packet) {
  BitStream bytes;
  if (packet->Serialize(bytes)) {
    scn::Int64 sent = 0;
    while (sent < bytes.GetLength()) {
      const scn::Int64 n = scn::SendConnection(connection_, bytes.GetData() + sent, bytes.GetLength() - sent);
      if (n < 1) break;
      sent += n;
    }
  }
  FreeMqttPacket(packet);
}

void LightMQTTStream::RunThread() {
  while (!TestThreadBreak() && connection_) {
    if (isWriter_) {
      WriterTurn();
    } else if (!ReaderTurn()) {
      EndLink();
      return;
    }
    scn::SleepMilliseconds(!isWriter_ && assembler_.InPacket() ? kInPacketSleepMs : kSleepMs);
  }
  if (isWriter_) return;
  // A packet cut short by a break is dropped with its memory.
  EndProgress();
  assembler_.Reset(static_cast<scn::Int64>(buffer_.size()));
}

void LightMQTTStream::WriterTurn() {
  MqttPacket* packet = nullptr;
  {
    SpinLockGuard lock(queueLock_);
    if (queue_.empty()) return;
    // Packets go in at the front, so the oldest is the last.
    packet = queue_.back();
    queue_.pop_back();
  }
  SendPacketNow(packet);
}

scn::Bool LightMQTTStream::ReaderTurn() {
  const auto size = static_cast<scn::Int64>(buffer_.size());
  while (!TestThreadBreak()) {
    const scn::Int64 waiting = scn::BytesWaiting(connection_);
    if (waiting == 0) return true;
    if (waiting < 0) {
      scn::DiagnosticOutput("LightMQTT: the phone closed the link");
      return false;
    }
    // The bytes are there, so the read does not wait; 0 means nothing yet, never "give up".
    const scn::Int64 n = scn::ReadConnection(connection_, buffer_.data(), std::min(waiting, size));
    if (n == 0) return true;
    if (n < 0) {
      scn::DiagnosticOutput("LightMQTT: the link broke while reading");
      return false;
    }
    if (!Consume(buffer_.data(), n)) return false;
  }
  return true;
}

scn::Bool LightMQTTStream::Consume(const std::uint8_t* bytes, scn::Int64 count) {
  for (scn::Int64 at = 0; at < count;) {
    PacketAssembler::Event event = PacketAssembler::Event::kNone;
    at += assembler_.Take(bytes + at, count - at, event);
    switch (event) {
      case PacketAssembler::Event::kNone:
        break;
      case PacketAssembler::Event::kPacket:
        HandlePacket();
        break;
      case PacketAssembler::Event::kProgress:
        ReportProgress();
        break;
      case PacketAssembler::Event::kMalformed:
        scn::DiagnosticOutput("LightMQTT: a remaining length of more than four bytes; the link is given up");
        return false;
      case PacketAssembler::Event::kOutOfMemory:
        scn::DiagnosticOutput("LightMQTT: no memory for a message of " +
                              std::to_string(assembler_.Header().remainingLength) +
                              " bytes; the link is given up");
        return false;
    }
  }
  return true;
}

void LightMQTTStream::HandlePacket() {
  switch (assembler_.Header().type) {
    case kMqttConnect:
      HandleConnect(assembler_.Header().remainingLength);
      break;
    case kMqttPublish:
      HandlePublish();
      break;
    case kMqttPingReq:
      DispatchLocal(PingMsg::kKind);
      Enqueue(NewPingRespPacket());
      break;
    case kMqttPingResp:
      DispatchLocal(PingResponseMsg::kKind);
      break;
    case kMqttDisconnect:
      told_ = true;
      DispatchLocal(DisconnectingMsg::kKind);
      break;
    default:
      // Not served by the link; its bytes are skipped with it.
      break;
  }
  assembler_.FinishPacket();
}

void LightMQTTStream::HandleConnect(scn::Int64 remaining) {
  if (remaining <= 0) return;
  if (remaining > static_cast<scn::Int64>(buffer_.size())) {
    scn::DiagnosticOutput("LightMQTT: a CONNECT of " + std::to_string(remaining) +
                          " bytes is more than the receive buffer; not answered");
    return;
  }
  Enqueue(NewConnackPacket());
  DispatchLocal(ConnectedMsg::kKind);
}

void LightMQTTStream::HandlePublish() {
  EndProgress();
  BitStream& body = assembler_.Body();
  PublishHead head;
  if (!ReadPublishHead(body, head)) return;
  if (IsLocalKind(head.kind)) {
    scn::DiagnosticOutput("LightMQTT: refusing a message of kind " + std::to_string(head.kind) +
                          " from the phone: that kind is the link's own");
    return;
  }
  PublishMessage* message = factory_.Create(head.kind);
  if (!message) return;
  if (message->Serialize(false, body))
    Dispatch(*message);
  else
    scn::ClearStatus();
  factory_.Release(message);
}

void LightMQTTStream::ReportProgress() {
  if (!progress_) {
    progress_ = static_cast<ProgressMsg*>(factory_.Create(ProgressMsg::kKind));
    if (!progress_) return;
    progress_->totalBytes = static_cast<scn::UInt32>(assembler_.Header().remainingLength);
  }
  ReadProgressHead();
  const scn::Int64 got = assembler_.BodyReceived();
  progress_->receivedBytes = static_cast<scn::UInt32>(got);
  progress_->fraction = static_cast<scn::Float32>(got) / static_cast<scn::Float32>(progress_->totalBytes);
  Dispatch(*progress_);
}

void LightMQTTStream::ReadProgressHead() {
  if (progressNamed_) return;
  BitStream& body = assembler_.Body();
  PublishHead head;
  if (ReadPublishHead(body, head)) {
    progress_->messageKind = head.kind;
    progressNamed_ = body.ReadString(progress_->name);
  }
  // The message itself is read from the start once it is whole.
  body.SetReadPosition(0);
}

void LightMQTTStream::EndProgress() {
  if (progress_) factory_.Release(progress_);
  progress_ = nullptr;
  progressNamed_ = false;
}

void LightMQTTStream::EndLink() {
  EndProgress();
  assembler_.Reset(static_cast<scn::Int64>(buffer_.size()));
  if (owner_) owner_->CloseLink();
  connection_ = nullptr;
  if (!told_) DispatchLocal(DisconnectingMsg::kKind);
}

void LightMQTTStream::DispatchLocal(scn::UInt32 kind) {
  PublishMessage* message = factory_.Create(kind);
  if (!message) return;
  Dispatch(*message);
  factory_.Release(message);
}
