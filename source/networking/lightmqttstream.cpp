#include "networking/lightmqttstream.h"

#include <algorithm>
#include <new>

#include "networking/controlpackets.h"
#include "networking/lightmqtt.h"
#include "networking/localmessages.h"
#include "networking/message.h"
#include "networking/mqttframing.h"
#include "networking/publishpacket.h"
#include "networking/sessionmessages.h"
#include "scn/api.h"

namespace {
constexpr scn::Int64 kDrainChunk = 1024;
constexpr scn::UInt32 kSleepMs = 10;
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
  owner_ = owner;
  connection_ = connection;
  settings_ = settings;
  isWriter_ = isWriter;
  FreeQueue();
  received_.Clear();
  try {
    buffer_.assign(std::max<std::uint64_t>(settings.bufferSize, 1), 0);
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
      return;
    }
    scn::SleepMilliseconds(kSleepMs);
  }
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
  const scn::Int64 waiting = scn::BytesWaiting(connection_);
  if (waiting < 0) return false;
  if (waiting == 0) return true;
  return ReadPacket() >= 0;
}

scn::Int64 LightMQTTStream::ReadByte(std::uint8_t& byte) {
  return scn::ReadConnection(connection_, &byte, 1);
}

scn::Int64 LightMQTTStream::ReadPacket() {
  std::uint8_t byte = 0;
  do {
    const scn::Int64 n = ReadByte(byte);
    if (n < 1) return n;
  } while (!IsValidPacketType(byte));
  const scn::UInt32 type = byte & 0xF0u;
  scn::Int64 remaining = 0;
  scn::Int64 multiplier = 1;
  for (int i = 0;; ++i) {
    // More length bytes than MQTT allows: the peer speaks no MQTT, and the framing is lost for good.
    if (i == kMaxRemainingLengthBytes) {
      scn::DiagnosticOutput("LightMQTT: remaining length over four bytes; the connection is given up");
      return -1;
    }
    const scn::Int64 n = ReadByte(byte);
    if (n < 1) return n;
    remaining += (byte & 127) * multiplier;
    multiplier *= 128;
    if (!(byte & 128)) break;
  }
  switch (type) {
    case kMqttConnect:
      return ReadConnect(remaining);
    case kMqttPublish:
      return ReadPublish(remaining);
    case kMqttPingReq:
      DispatchLocal(PingMsg::kKind);
      Enqueue(NewPingRespPacket());
      return 1;
    case kMqttPingResp:
      DispatchLocal(PingResponseMsg::kKind);
      return 1;
    case kMqttDisconnect:
      DispatchLocal(DisconnectingMsg::kKind);
      return 1;
    default:
      return 1;
  }
}

void LightMQTTStream::DispatchLocal(scn::UInt32 kind) {
  PublishMessage* message = factory_.Create(kind);
  if (!message) return;
  Dispatch(*message);
  factory_.Release(message);
}

scn::Int64 LightMQTTStream::ReadChunk(scn::Int64 want) {
  return scn::ReadConnection(connection_, buffer_.data(), want);
}

scn::Int64 LightMQTTStream::ReadConnect(scn::Int64 remaining) {
  if (remaining <= 0) return 1;
  const auto size = static_cast<scn::Int64>(buffer_.size());
  scn::Int64 got = 0;
  while (got < std::min(size, remaining)) {
    const scn::Int64 n =
        scn::ReadConnection(connection_, buffer_.data() + got, std::min(size, remaining) - got);
    if (n < 1) return n;
    got += n;
  }
  if (got < remaining) {
    // Oversize: drained unread and not answered.
    std::uint8_t drain[kDrainChunk];
    while (got < remaining) {
      const scn::Int64 n = scn::ReadConnection(connection_, drain, std::min(kDrainChunk, remaining - got));
      if (n < 1) return n;
      got += n;
    }
    return 1;
  }
  Enqueue(NewConnackPacket());
  DispatchLocal(ConnectedMsg::kKind);
  return 1;
}

scn::Int64 LightMQTTStream::ReadPublish(scn::Int64 remaining) {
  if (remaining <= 0) return 1;
  const auto size = static_cast<scn::Int64>(buffer_.size());
  received_.Clear();
  scn::Int64 got = 0;
  ProgressMsg* progress = nullptr;
  while (got < remaining) {
    const scn::Int64 n = ReadChunk(std::min(size, remaining - got));
    if (n < 1) {
      if (progress) factory_.Release(progress);
      return n;
    }
    if (!received_.AppendBytes(buffer_.data(), n)) {
      if (progress) factory_.Release(progress);
      return -1;
    }
    got += n;
    if (got >= remaining) break;
    if (!progress) {
      progress = static_cast<ProgressMsg*>(factory_.Create(ProgressMsg::kKind));
      if (progress) {
        progress->totalBytes = static_cast<scn::UInt32>(remaining);
        PublishHead head;
        if (ReadPublishHead(received_, head)) {
          progress->messageKind = head.kind;
          received_.ReadString(progress->name);
        }
        received_.SetReadPosition(0);
      }
    }
    if (progress) {
      progress->receivedBytes = static_cast<scn::UInt32>(got);
      progress->fraction = static_cast<scn::Float32>(got) / static_cast<scn::Float32>(remaining);
      Dispatch(*progress);
    }
  }
  if (progress) factory_.Release(progress);
  HandlePublish();
  return 1;
}

void LightMQTTStream::HandlePublish() {
  PublishHead head;
  if (!ReadPublishHead(received_, head)) return;
  PublishMessage* message = factory_.Create(head.kind);
  if (!message) return;
  if (message->Serialize(false, received_))
    Dispatch(*message);
  else
    scn::ClearStatus();
  factory_.Release(message);
  received_.Clear();
}
