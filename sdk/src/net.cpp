#include "scn/net.h"

#include "scn/api.h"
#include "scn/thread.h"

namespace scn {
namespace {
const NetTable* N() {
  return GetHostTables()->net;
}
}  // namespace

IpConnection* OpenListener(const String& address, SCNThread* thread, Int64 timeout, Bool flag, Int32* error) {
  if (!N()) {
    if (error) *error = kNetFailed;
    return nullptr;
  }
  return N()->OpenListener(address.c_str(), thread ? thread->GetHandle() : nullptr, timeout, flag, error);
}

IpConnection* AcceptConnection(IpConnection* listener, SCNThread* thread, Int32* error) {
  if (!N()) {
    if (error) *error = kNetFailed;
    return nullptr;
  }
  return N()->AcceptConnection(listener, thread ? thread->GetHandle() : nullptr, error);
}

Int64 BytesWaiting(IpConnection* c) {
  return N() ? N()->BytesWaiting(c) : -1;
}
Int64 ReadConnection(IpConnection* c, void* buffer, Int64 n) {
  return N() ? N()->ReadConnection(c, buffer, n) : -1;
}
Int64 SendConnection(IpConnection* c, const void* bytes, Int64 n) {
  return N() ? N()->SendConnection(c, bytes, n) : -1;
}

void CloseConnection(IpConnection*& c) {
  if (!c) return;
  if (N()) N()->CloseConnection(c);
  c = nullptr;
}

}  // namespace scn
