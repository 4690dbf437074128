// The capture lists: sent as empty requests, answered by the phone with the captures it holds.
#pragma once

#include <vector>

#include "basecapture.h"
#include "networking/message.h"

class GetPerformances : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 0;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "GetPerformances"; }

  // Face captures new to this computer.
  std::vector<CaptureInfo> captures;
};

class GetMotionCaptures : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 9;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "GetMotionCaptures"; }

  // Body captures new to this computer.
  std::vector<CaptureInfo> captures;
};
