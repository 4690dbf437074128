// Link events that the reader stream turns into messages of its own: they never travel, so they have no
// body.
#pragma once

#include "networking/message.h"

// A large message is arriving: how much of it is here.
class ProgressMsg : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 100;
  // The arriving message's kind before its first bytes were read.
  static constexpr scn::UInt32 kKindNotKnown = 9999;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override { return true; }
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "ProgressMsg"; }

  scn::String name;
  scn::Float64 fraction = 0.0;  // 0 to 1
  scn::UInt32 messageKind = kKindNotKnown;
  scn::UInt32 totalBytes = 0;
  scn::UInt32 receivedBytes = 0;
};

// The phone sent PINGREQ.
class PingMsg : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 101;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override { return true; }
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "PingMsg"; }
};

// The phone's CONNECT was answered.
class ConnectedMsg : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 102;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override { return true; }
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "ConnectedMsg"; }
};

// The phone answered our PINGREQ.
class PingResponseMsg : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 103;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override { return true; }
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "PingResponseMsg"; }
};

// Kinds 100 to 103: made by the link alone, refused when a phone sends them.
inline scn::Bool IsLocalKind(scn::UInt32 kind) {
  return kind >= ProgressMsg::kKind && kind <= PingResponseMsg::kKind;
}
