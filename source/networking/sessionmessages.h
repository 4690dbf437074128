// Messages about the session with the phone rather than about one capture.
#pragma once

#include "networking/message.h"

// Sent to the phone when the plug-in leaves; also made locally when the phone's DISCONNECT arrives or the
// link dies.
class DisconnectingMsg : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 5;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override { return true; }
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "DisconnectingMsg"; }
};

class TaskCompleteMsg : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 6;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "TaskCompleteMsg"; }

  scn::String text;
};

// Asks for the phone app's version; the answer's fields are kept but not interpreted.
class GetVersionMsg : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 7;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "GetVersionMsg"; }

  scn::String firstText;
  scn::String secondText;
  scn::UInt32 number = 0;
};
