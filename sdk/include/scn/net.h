// The host's IP connections, named as the plug-in code calls them. See scn/tables_net.h for who may call.
#pragma once

#include "scn/tables_net.h"

namespace scn {

IpConnection* OpenListener(const String& address, SCNThread* thread, Int64 timeout, Bool flag, Int32* error);
IpConnection* AcceptConnection(IpConnection* listener, SCNThread* thread, Int32* error);
Int64 BytesWaiting(IpConnection* c);
Int64 ReadConnection(IpConnection* c, void* buffer, Int64 n);
Int64 SendConnection(IpConnection* c, const void* bytes, Int64 n);
// Null is ignored; the handle is nulled.
void CloseConnection(IpConnection*& c);

}  // namespace scn
