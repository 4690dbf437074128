// Requests for one capture's files and the phone's answers, which carry the files themselves.
#pragma once

#include <cstdint>

#include "networking/message.h"

// A face performance's data files and sound.
class PerformanceGet : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 1;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "PerformanceGet"; }

  scn::String name;
  std::uint16_t imageCount = 0;
};

// One numbered camera image of a face performance.
class PerformanceGetImage : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 2;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "PerformanceGetImage"; }

  scn::String name;
  std::uint16_t imageIndex = 0;
  std::uint16_t imageCount = 0;
};

class PerformanceGetPreview : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 3;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "PerformanceGetPreview"; }

  scn::String name;
};

class PerformanceGetMovie : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 4;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "PerformanceGetMovie"; }

  scn::String name;
};

class PerformanceGetSettings : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 8;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "PerformanceGetSettings"; }

  scn::String name;
};

// A body capture's motion data, skeleton and settings.
class MotionCaptureGet : public PublishMessage {
 public:
  static constexpr scn::UInt32 kKind = 10;

  scn::Bool Serialize(scn::Bool write, BitStream& stream) override;
  scn::UInt32 GetKind() const override { return kKind; }
  void Dispatch(MessageCallbacks& receiver) override;
  const char* GetName() const override { return "MotionCaptureGet"; }

  scn::String name;
};
