#include "net/netservice.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "core/host.h"
#include "scn/tables_thread.h"

namespace scn {

struct IpConnection {
  int fd = -1;
  bool isListener = false;
  // A listener is accepted on by the thread it was opened for, alone.
  std::thread::id owner;
  ThreadHandle* thread = nullptr;
  scn::Int64 timeoutMs = 0;
  int users = 0;  // calls in progress, guarded by the service's mutex
  std::mutex sendMutex;
};

}  // namespace scn

namespace host {
namespace {

constexpr int kAcceptSliceMs = 50;

NetService* Service() {
  Host* h = Host::Current();
  return h ? &h->net() : nullptr;
}

void SetError(scn::Int32* error, scn::Int32 value) {
  if (error) *error = value;
}

// "host:port"; an empty host is every interface. Only numeric IPv4 hosts.
bool ParseAddress(const std::string& text, sockaddr_in& out) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos) return false;
  const std::string hostPart = text.substr(0, colon);
  const std::string portPart = text.substr(colon + 1);
  int port = -1;
  auto [ptr, ec] = std::from_chars(portPart.data(), portPart.data() + portPart.size(), port);
  if (ec != std::errc() || ptr != portPart.data() + portPart.size() || port < 0 || port > 65535) return false;
  out = {};
  out.sin_family = AF_INET;
  out.sin_port = htons(static_cast<std::uint16_t>(port));
  if (hostPart.empty()) {
    out.sin_addr.s_addr = htonl(INADDR_ANY);
    return true;
  }
  return inet_pton(AF_INET, hostPart.c_str(), &out.sin_addr) == 1;
}

int BoundPort(int fd) {
  sockaddr_in bound{};
  socklen_t len = sizeof bound;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len) != 0) return 0;
  return ntohs(bound.sin_port);
}

}  // namespace

NetService::NetService(Host& host) : host_(host) {}

NetService::~NetService() {
  if (open_.empty()) return;
  host_.diagnostics().Output("net: " + std::to_string(open_.size()) + " connections were never closed");
  for (auto& c : open_) ::close(c->fd);
}

std::size_t NetService::OpenCount() const {
  std::lock_guard lock(mutex_);
  return open_.size();
}

void NetService::Keep(std::unique_ptr<scn::IpConnection> c) {
  std::lock_guard lock(mutex_);
  open_.push_back(std::move(c));
}

scn::IpConnection* NetService::Use(scn::IpConnection* c, const char* call) {
  std::lock_guard lock(mutex_);
  const bool known = std::any_of(open_.begin(), open_.end(), [c](const auto& p) { return p.get() == c; });
  if (!known) {
    host_.diagnostics().ReportMisbehaviour(std::string(call) + " on a connection that is not open");
    return nullptr;
  }
  ++c->users;
  return c;
}

void NetService::Done(scn::IpConnection* c) {
  std::lock_guard lock(mutex_);
  --c->users;
}

scn::IpConnection* NetService::OpenListener(const char* address, scn::ThreadHandle* thread,
                                            scn::Int64 timeout, scn::Int32* error) {
  if (!thread || host_.IsMainThread()) {
    host_.diagnostics().ReportMisbehaviour("OpenListener off a plug-in thread");
    SetError(error, scn::kNetFailed);
    return nullptr;
  }
  sockaddr_in addr{};
  if (!address || !ParseAddress(address, addr)) {
    host_.diagnostics().Output(std::string("net: bad listener address \"") + (address ? address : "") + "\"");
    SetError(error, scn::kNetBadAddress);
    return nullptr;
  }
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  // The system's largest backlog: a burst of peers waits in it instead of on SYN retries a second apart.
  if (fd < 0 || ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, SOMAXCONN) != 0) {
    host_.diagnostics().Output(std::string("net: cannot listen on ") + address + ": " + std::strerror(errno));
    if (fd >= 0) ::close(fd);
    SetError(error, scn::kNetCannotListen);
    return nullptr;
  }
  auto c = std::make_unique<scn::IpConnection>();
  c->fd = fd;
  c->isListener = true;
  c->owner = std::this_thread::get_id();
  c->thread = thread;
  c->timeoutMs = timeout;
  lastPort_ = BoundPort(fd);
  scn::IpConnection* handle = c.get();
  Keep(std::move(c));
  SetError(error, scn::kNetOk);
  return handle;
}

scn::IpConnection* NetService::Accept(scn::IpConnection* listener, scn::ThreadHandle* thread,
                                      scn::Int32* error) {
  SetError(error, scn::kNetFailed);
  if (!Use(listener, "AcceptConnection")) return nullptr;
  if (!listener->isListener || listener->owner != std::this_thread::get_id() || listener->thread != thread) {
    host_.diagnostics().ReportMisbehaviour("AcceptConnection off the listener's own thread");
    Done(listener);
    return nullptr;
  }
  const auto start = std::chrono::steady_clock::now();
  const auto testBreak = host_.Tables()->thread->TestThreadBreak;
  int fd = -1;
  while (fd < 0) {
    if (testBreak(thread)) {
      SetError(error, scn::kNetStopped);
      break;
    }
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    if (listener->timeoutMs > 0 && waited >= listener->timeoutMs) break;
    pollfd p{listener->fd, POLLIN, 0};
    if (::poll(&p, 1, kAcceptSliceMs) <= 0) continue;
    fd = ::accept4(listener->fd, nullptr, nullptr, SOCK_CLOEXEC);
  }
  Done(listener);
  if (fd < 0) return nullptr;
  const timeval sendTimeout{kSendTimeoutMs / 1000, (kSendTimeoutMs % 1000) * 1000};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &sendTimeout, sizeof sendTimeout);
  // Packets are small and each is sent whole: held back for the peer's acknowledgement, a second one
  // would wait for its delayed ACK (some 40 ms).
  const int noDelay = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
  auto c = std::make_unique<scn::IpConnection>();
  c->fd = fd;
  scn::IpConnection* handle = c.get();
  Keep(std::move(c));
  SetError(error, scn::kNetOk);
  return handle;
}

scn::Int64 NetService::BytesWaiting(scn::IpConnection* c) {
  if (!Use(c, "BytesWaiting")) return -1;
  scn::Int64 result = 0;
  pollfd p{c->fd, POLLIN, 0};
  if (::poll(&p, 1, 0) > 0) {
    int count = 0;
    const bool closed =
        (p.revents & (POLLERR | POLLNVAL)) || ::ioctl(c->fd, FIONREAD, &count) != 0 || count == 0;
    result = closed ? -1 : count;
  }
  Done(c);
  return result;
}

scn::Int64 NetService::Read(scn::IpConnection* c, void* buffer, scn::Int64 n) {
  if (!Use(c, "ReadConnection")) return -1;
  scn::Int64 result = 0;
  pollfd p{c->fd, POLLIN, 0};
  const int ready = n > 0 && buffer ? ::poll(&p, 1, kReadTimeoutMs) : 0;
  if (ready > 0) {
    const ssize_t got = ::recv(c->fd, buffer, static_cast<std::size_t>(n), 0);
    if (got > 0) result = got;
    if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) result = -1;
  }
  Done(c);
  return result;
}

scn::Int64 NetService::Send(scn::IpConnection* c, const void* bytes, scn::Int64 n) {
  if (!Use(c, "SendConnection")) return -1;
  scn::Int64 result = -1;
  if (bytes && n > 0) {
    std::lock_guard lock(c->sendMutex);
    const ssize_t sent = ::send(c->fd, bytes, static_cast<std::size_t>(n), MSG_NOSIGNAL);
    result = sent >= 0 ? sent : -1;
  }
  Done(c);
  return result;
}

void NetService::Close(scn::IpConnection* c) {
  if (!c) return;
  std::unique_ptr<scn::IpConnection> closing;
  {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(open_.begin(), open_.end(), [c](const auto& p) { return p.get() == c; });
    if (it == open_.end()) {
      host_.diagnostics().ReportMisbehaviour("CloseConnection on a connection that is not open");
      return;
    }
    if (c->users > 0) {
      host_.diagnostics().ReportMisbehaviour("CloseConnection while another thread uses the connection");
      return;
    }
    closing = std::move(*it);
    open_.erase(it);
  }
  ::shutdown(closing->fd, SHUT_RDWR);
  ::close(closing->fd);
}

void NetService::FillTable(scn::NetTable& table) {
  table.OpenListener = [](const char* address, scn::ThreadHandle* thread, scn::Int64 timeout, scn::Bool,
                          scn::Int32* error) -> scn::IpConnection* {
    NetService* s = Service();
    return s ? s->OpenListener(address, thread, timeout, error) : nullptr;
  };
  table.AcceptConnection = [](scn::IpConnection* listener, scn::ThreadHandle* thread,
                              scn::Int32* error) -> scn::IpConnection* {
    NetService* s = Service();
    return s ? s->Accept(listener, thread, error) : nullptr;
  };
  table.BytesWaiting = [](scn::IpConnection* c) -> scn::Int64 {
    NetService* s = Service();
    return s ? s->BytesWaiting(c) : -1;
  };
  table.ReadConnection = [](scn::IpConnection* c, void* buffer, scn::Int64 n) -> scn::Int64 {
    NetService* s = Service();
    return s ? s->Read(c, buffer, n) : -1;
  };
  table.SendConnection = [](scn::IpConnection* c, const void* bytes, scn::Int64 n) -> scn::Int64 {
    NetService* s = Service();
    return s ? s->Send(c, bytes, n) : -1;
  };
  table.CloseConnection = [](scn::IpConnection* c) {
    if (NetService* s = Service()) s->Close(c);
  };
}

}  // namespace host
