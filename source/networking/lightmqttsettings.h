// What the server is configured with. Only the port and the receive-buffer size are read; the other
// fields travel along unread.
#pragma once

#include "scn/types.h"

struct LightMQTTSettings {
  std::uint64_t port = 60001;
  std::uint16_t keepAlive = 10;
  std::uint8_t qos = 0;
  scn::String clientId;
  scn::String user;
  scn::String password;
  std::uint64_t bufferSize = 4096;
};
