// The phone link server on a loopback port of a host in this process, a receiver that records what reaches
// it, and raw sockets that play a phone byte by byte.
#pragma once

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bodybytes.h"
#include "net/netservice.h"
#include "networking/lightmqtt.h"
#include "networking/localmessages.h"
#include "networking/message.h"
#include "networking/messagecallbacks.h"
#include "networking/sessionmessages.h"
#include "threads/threadservice.h"

// What one message that reached the receiver carried; the progress fields only for kind 100.
struct Received {
  scn::UInt32 kind = 0;
  std::string name;
  scn::UInt32 messageKind = 0;
  scn::UInt32 totalBytes = 0;
  scn::UInt32 receivedBytes = 0;
  scn::Float64 fraction = 0.0;
};

class Recorder : public MessageCallbacks {
 public:
  void OnMessage(PublishMessage& m) override {
    Received r;
    r.kind = m.GetKind();
    Keep(std::move(r));
  }
  void OnProgress(ProgressMsg& m) override {
    Keep({ProgressMsg::kKind, m.name, m.messageKind, m.totalBytes, m.receivedBytes, m.fraction});
  }

  int Count(scn::UInt32 kind) const {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const Received& r : received_) n += r.kind == kind;
    return n;
  }
  std::vector<Received> Progress() const {
    std::lock_guard lock(mutex_);
    std::vector<Received> progress;
    for (const Received& r : received_)
      if (r.kind == ProgressMsg::kKind) progress.push_back(r);
    return progress;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    received_.clear();
  }

 private:
  void Keep(Received r) {
    std::lock_guard lock(mutex_);
    received_.push_back(std::move(r));
  }
  mutable std::mutex mutex_;
  std::vector<Received> received_;
};

template <typename F>
bool WaitFor(F done) {
  for (int i = 0; i < 300 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return done();
}

inline void Pause(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A PUBLISH as the phone sends it: topic "AR", the kind as a UInt32 little-endian, the body.
inline Bytes Publish(scn::UInt32 kind, const Bytes& body) {
  const Bytes payload = Join({Text("AR"), U32(kind), body});
  return Join({{0x30}, RemainingLength(payload.size()), payload});
}

// The phone's answer to a preview request: the name, "present", the picture as a file block.
inline Bytes PreviewBody(const std::string& name, const std::string& picture) {
  return Join({Text(name), U8(1), Block(picture)});
}

inline const Bytes kConnect = {0x10, 0x02, 0x00, 0x00};  // CONNECT, body not read by the link
inline const Bytes kConnack = {0x20, 0x02, 0x00, 0x00};

// A phone on a raw loopback socket. Every receive waits at most 10 s.
class RawPhone {
 public:
  explicit RawPhone(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const timeval wait{10, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  }
  ~RawPhone() { Close(); }
  RawPhone(const RawPhone&) = delete;
  RawPhone& operator=(const RawPhone&) = delete;

  bool Send(const Bytes& bytes) { return Send(bytes.data(), bytes.size()); }
  bool Send(const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t sent = 0; sent < count;) {
      const ssize_t n = ::send(fd_, bytes + sent, count - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return true;
  }
  // Sends the bytes in parts cut at the given offsets, pausing between them so that each arrives alone.
  bool SendInParts(const Bytes& bytes, const std::vector<std::size_t>& cuts, int pauseMs) {
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
      if (!Send(bytes.data() + from, cut - from)) return false;
      from = cut;
      Pause(pauseMs);
    }
    return Send(bytes.data() + from, bytes.size() - from);
  }
  // Up to count bytes; fewer when the link ends or nothing comes for 10 s.
  Bytes Receive(std::size_t count) {
    Bytes bytes(count);
    std::size_t got = 0;
    while (got < count) {
      const ssize_t n = ::recv(fd_, bytes.data() + got, count - got, 0);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }
  // Whether the server closed the link (rather than staying silent for 10 s).
  bool ReceivesEnd() {
    std::uint8_t byte = 0;
    const ssize_t n = ::recv(fd_, &byte, 1, 0);
    return n == 0 || (n < 0 && errno == ECONNRESET);
  }
  // CONNECT, and the CONNACK that answers it.
  bool Connect() { return Send(kConnect) && Receive(4) == kConnack; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

// The server, configured on a free loopback port, with a captures folder for downloads.
class LightMQTTTest : public CaptureFolderTest {
 protected:
  int StartServer() {
    LightMQTTSettings settings;
    settings.port = 0;
    server_->Configure("127.0.0.1", settings);
    server_->AddCallback(&recorder_);
    EXPECT_TRUE(server_->StartThread());
    EXPECT_TRUE(WaitFor([&] { return server_->HasListener(); }));
    return H().net().LastListenerPort();
  }
  std::string File(const std::string& capture, const std::string& file) const {
    return ReadFileBytes(Folder(capture) / file);
  }
  void TearDown() override {
    server_->Stop();
    server_.reset();
    EXPECT_EQ(H().threads().RunningCount(), 0u);
    EXPECT_EQ(H().net().OpenCount(), 0u);
    CaptureFolderTest::TearDown();
  }

  Recorder recorder_;
  // Goes before the host whose threads and sockets it uses.
  std::unique_ptr<LightMQTT> server_ = std::make_unique<LightMQTT>();
};
