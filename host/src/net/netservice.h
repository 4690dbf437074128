// IP connections over real sockets: listeners that one plug-in thread accepts on, and the connections they
// give. Reads and accepts wait in short slices so that stopping threads never hang on a silent peer.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "scn/tables_net.h"

namespace host {

class Host;

class NetService {
 public:
  // How long a read waits for its first byte, and a send for room, before giving up.
  static constexpr int kReadTimeoutMs = 1000;
  static constexpr int kSendTimeoutMs = 2000;

  explicit NetService(Host& host);
  // Closes what the plug-ins left open, and reports it.
  ~NetService();
  NetService(const NetService&) = delete;
  NetService& operator=(const NetService&) = delete;

  static void FillTable(scn::NetTable& table);

  scn::IpConnection* OpenListener(const char* address, scn::ThreadHandle* thread, scn::Int64 timeout,
                                  scn::Int32* error);
  scn::IpConnection* Accept(scn::IpConnection* listener, scn::ThreadHandle* thread, scn::Int32* error);
  scn::Int64 BytesWaiting(scn::IpConnection* c);
  scn::Int64 Read(scn::IpConnection* c, void* buffer, scn::Int64 n);
  scn::Int64 Send(scn::IpConnection* c, const void* bytes, scn::Int64 n);
  void Close(scn::IpConnection* c);

  // Test hooks: the port the last listener got (0 before any), and the handles still open.
  int LastListenerPort() const { return lastPort_.load(); }
  std::size_t OpenCount() const;

 private:
  // Null, reported as misbehaviour with the call's name, for a handle that is not open.
  scn::IpConnection* Use(scn::IpConnection* c, const char* call);
  void Done(scn::IpConnection* c);
  void Keep(std::unique_ptr<scn::IpConnection> c);

  Host& host_;
  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<scn::IpConnection>> open_;
  std::atomic<int> lastPort_{0};
};

}  // namespace host
