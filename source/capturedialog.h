// The capture manager: its command and its connection message plug-in.
#pragma once

#include "scn/commanddata.h"

// Command 1040642: opens the capture manager.
class ConnectionView : public scn::CommandData {};

// Message plug-in 1040676, whose id is also the capture manager's wake-up event.
class ConnectionSCNMessage : public scn::MessageData {
 public:
  scn::Bool HandleMessage(scn::Int32 id, void* data) override;
};

bool RegisterCaptureDialog();
