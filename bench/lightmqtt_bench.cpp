// Two small packets that the server queues together (the two capture-list requests) to a phone that also
// talks: how long until each reaches the phone. The writer sends one packet per 10 ms turn, so the second
// is due about 10 ms after the first; more is a small packet held back until the phone acknowledged what
// went before. Beside it, a large message from the phone until it reached the receiver.
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "core/host.h"
#include "net/netservice.h"
#include "networking/lightmqtt.h"
#include "networking/message.h"
#include "networking/messagecallbacks.h"
#include "scn/api.h"

namespace {

constexpr std::size_t kRequestBytes = 8;  // 30 06 00 02 41 52 00 kind

// Counts the messages that reached it, on the reader thread.
class Counter : public MessageCallbacks {
 public:
  void OnMessage(PublishMessage& m) override {
    if (m.GetKind() == kKind) ++count;
  }
  static constexpr scn::UInt32 kKind = 7;
  std::atomic<int> count{0};
};

// A host with the server listening on loopback and one raw phone connected to it.
class Link {
 public:
  Link() : host_(std::make_unique<host::Host>(host::Host::Options{})) {
    if (!scn::SetHostTables(host_->Tables())) return;
    LightMQTTSettings settings;
    settings.port = 0;
    server_->Configure("127.0.0.1", settings);
    server_->AddCallback(&counter_);
    if (!server_->StartThread()) return;
    for (int i = 0; i < 200 && !server_->HasListener(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!server_->HasListener()) return;
    phone_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(host_->net().LastListenerPort()));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const unsigned char connect[] = {0x10, 0x02, 0x00, 0x00};
    if (::connect(phone_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::send(phone_, connect, sizeof connect, 0) != sizeof connect)
      return;
    ready_ = Receive(4);  // CONNACK
  }
  ~Link() {
    server_->Stop();
    server_.reset();
    if (phone_ >= 0) ::close(phone_);
  }

  bool Ready() const { return ready_; }

  // Sends the bytes and waits until the message they carry reached the receiver.
  bool Deliver(const std::vector<unsigned char>& bytes) {
    const int before = counter_.count;
    for (std::size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = ::send(phone_, bytes.data() + sent, bytes.size() - sent, 0);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    for (int i = 0; i < 60000 && counter_.count == before; ++i)
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    return counter_.count > before;
  }

  // Seconds from the call that queues both requests until each of them has arrived; false when one did not
  // come.
  bool Requests(double& first, double& second) {
    // A phone that talks as well as listens: it pings, as it does every few seconds, and reads the answer.
    const unsigned char ping[] = {0xC0, 0x00};
    if (::send(phone_, ping, sizeof ping, 0) != sizeof ping || !Receive(2)) return false;
    const auto start = std::chrono::steady_clock::now();
    server_->RequestCaptureLists();
    if (!Receive(kRequestBytes)) return false;
    first = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!Receive(kRequestBytes)) return false;
    second = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return true;
  }

 private:
  bool Receive(std::size_t count) {
    unsigned char bytes[16];
    return ::recv(phone_, bytes, count, MSG_WAITALL) == static_cast<ssize_t>(count);
  }

  std::unique_ptr<host::Host> host_;
  Counter counter_;
  std::unique_ptr<LightMQTT> server_ = std::make_unique<LightMQTT>();
  int phone_ = -1;
  bool ready_ = false;
};

void BM_TwoPacketsBackToBack(benchmark::State& state) {
  Link link;
  if (!link.Ready()) {
    state.SkipWithError("no phone link");
    return;
  }
  double firstTotal = 0;
  for (auto _ : state) {
    double first = 0, second = 0;
    if (!link.Requests(first, second)) {
      state.SkipWithError("a request did not arrive");
      break;
    }
    firstTotal += first;
    state.SetIterationTime(second);
  }
  // The iteration time is until the second arrived; this is the first, in ms.
  state.counters["first_ms"] =
      benchmark::Counter(firstTotal * 1000 / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_TwoPacketsBackToBack)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// A version answer (kind 7) padded to the given size: a large message whose body writes no files.
std::vector<unsigned char> LargeMessage(std::size_t size) {
  std::vector<unsigned char> payload = {0x00, 0x02, 'A', 'R', Counter::kKind, 0, 0, 0, 0, 0, 0, 0,
                                        0,    0,    0,   0};
  payload.resize(size, 'v');
  std::vector<unsigned char> bytes = {0x30};
  for (std::size_t v = payload.size();;) {
    const unsigned char digit = v & 127;
    v >>= 7;
    bytes.push_back(v > 0 ? digit | 128 : digit);
    if (v == 0) break;
  }
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

// A large message from the phone, from its first byte sent until it reached the receiver.
void BM_LargeMessage(benchmark::State& state) {
  Link link;
  const std::vector<unsigned char> bytes = LargeMessage(static_cast<std::size_t>(state.range(0)));
  if (!link.Ready()) {
    state.SkipWithError("no phone link");
    return;
  }
  for (auto _ : state) {
    if (!link.Deliver(bytes)) {
      state.SkipWithError("the message did not arrive");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LargeMessage)->Arg(32 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
