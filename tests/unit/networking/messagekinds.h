// Every kind the factory makes, with its class name and the receiver handler it reaches.
#pragma once

#include "scn/types.h"

struct KindRow {
  scn::UInt32 kind;
  const char* name;
  const char* handler;
};

inline constexpr KindRow kKinds[] = {
    {0, "GetPerformances", "OnGetPerformances"},
    {1, "PerformanceGet", "OnPerformanceGet"},
    {2, "PerformanceGetImage", "OnPerformanceGetImage"},
    {3, "PerformanceGetPreview", "OnPerformanceGetPreview"},
    {4, "PerformanceGetMovie", "OnPerformanceGetMovie"},
    {5, "DisconnectingMsg", "OnDisconnecting"},
    {6, "TaskCompleteMsg", "OnTaskComplete"},
    {7, "GetVersionMsg", "OnGetVersion"},
    {8, "PerformanceGetSettings", "OnPerformanceGetSettings"},
    {9, "GetMotionCaptures", "OnGetMotionCaptures"},
    {10, "MotionCaptureGet", "OnMotionCaptureGet"},
    {100, "ProgressMsg", "OnProgress"},
    {101, "PingMsg", "OnPing"},
    {102, "ConnectedMsg", "OnConnected"},
    {103, "PingResponseMsg", "OnPingResponse"},
};
