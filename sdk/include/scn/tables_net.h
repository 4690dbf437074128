// IP connections: a listener that a plug-in thread waits on, and the connections it accepts.
#pragma once

#include "scn/tables.h"

namespace scn {

struct IpConnection;  // a listener or an accepted connection

// Error out-values of OpenListener and AcceptConnection; 0 is success.
inline constexpr Int32 kNetOk = 0;
inline constexpr Int32 kNetBadAddress = 1;
inline constexpr Int32 kNetCannotListen = 2;
inline constexpr Int32 kNetStopped = 3;
inline constexpr Int32 kNetFailed = 4;

struct NetTable {
  // a plug-in thread, which alone may accept on the listener; address "host:port" (empty host = every
  // interface); timeout bounds each accept in ms; null with *error set when it cannot listen
  IpConnection* (*OpenListener)(const char* address, ThreadHandle* thread, Int64 timeout, Bool flag,
                                Int32* error);
  // the listener's thread; waits until a peer connects, the time-out passes or the thread is asked to
  // stop; null with *error set (kNetStopped once asked to stop)
  IpConnection* (*AcceptConnection)(IpConnection* listener, ThreadHandle* thread, Int32* error);
  // any thread; bytes that a read gets at once, 0 when none, -1 once the peer has closed
  Int64 (*BytesWaiting)(IpConnection* c);
  // one thread at a time; up to n bytes; 0 when none came within the read time-out, negative once the
  // connection is gone
  Int64 (*ReadConnection)(IpConnection* c, void* buffer, Int64 n);
  // any thread (sends are serialised); the bytes sent, fewer or negative on failure or send time-out
  Int64 (*SendConnection)(IpConnection* c, const void* bytes, Int64 n);
  // any thread, while no other thread reads, sends or accepts on it; the handle is dead afterwards; null
  // is ignored
  void (*CloseConnection)(IpConnection* c);
};

}  // namespace scn
