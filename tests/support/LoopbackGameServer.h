// A scripted game server on 127.0.0.1 for the tests of network play: it
// listens on a port of its own (port 0: the system picks a free one), takes
// one client at a time, cuts what the client sends into requests (the same
// framing as the client: 8-byte header, bytes 2-3 the 16-bit little-endian
// length) and answers from a script. It never blocks and never sleeps: it
// works only inside Serve(), which RunFrames calls before every frame, so
// every wait is a bounded number of frames.
//
// Scripting: each step waits for the next request of a type (or for exactly
// those bytes) and then sends its frames, or the frames a reply function
// makes from the request:
//
//   ddz::test::LoopbackGameServer server;
//   server.Expect(gamebase::ReqType::Authen, {authenAnswer, join0, join1})
//         .ExpectBytes(gamebase::BuildSitRequest(), {sitResult, deal})
//         .ExpectThen(22, [](const Bytes& bid) { return Frames{bidResult(bid)}; });
//   server.Ignore(gamebase::ReqType::KeepAlive);
//   ASSERT_TRUE(ddz::test::RunFrames(director, {&server}, [&] { return server.ScriptDone(); }));
//   EXPECT_EQ(server.mismatches, std::vector<std::string>{});
//
// A request that does not fit the next step is kept in `mismatches` (the step
// stays); every whole request is kept in `requests`, in order. Frames can also
// be pushed at any time with Send / SendRaw (raw bytes: half frames, broken
// lengths). `silent` makes the server accept and then neither read nor answer.
// CloseClient drops the connection (a server closing mid-frame: SendRaw half
// a frame, then CloseClient). ServerPair gives two servers on neighbouring
// ports (a server move connects to port + 1).
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/framework/FrameCutter.h"

namespace ddz::test {

using Bytes = std::vector<std::uint8_t>;
using Frames = std::vector<Bytes>;

class LoopbackGameServer {
 public:
  using Reply = std::function<Frames(const Bytes& request)>;

  explicit LoopbackGameServer(int port = 0) {
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listen < 0) return;
    const int one = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<std::uint16_t>(port));
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    if (::bind(m_listen, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || ::listen(m_listen, 4) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
      ::close(m_listen);
      m_listen = -1;
      return;
    }
    m_iPort = ntohs(at.sin_port);
  }
  ~LoopbackGameServer() {
    CloseClient();
    StopListening();
  }
  LoopbackGameServer(const LoopbackGameServer&) = delete;
  LoopbackGameServer& operator=(const LoopbackGameServer&) = delete;

  bool ok() const { return m_listen >= 0; }
  int port() const { return m_iPort; }

  // ---- the script ----
  LoopbackGameServer& Expect(int type, Frames frames = {}) {
    m_steps.push_back(Step{type, std::nullopt, nullptr, std::move(frames)});
    return *this;
  }
  LoopbackGameServer& ExpectBytes(Bytes request, Frames frames = {}) {
    const int type = request.size() > 1 ? request[1] : -1;
    m_steps.push_back(Step{type, std::move(request), nullptr, std::move(frames)});
    return *this;
  }
  LoopbackGameServer& ExpectThen(int type, Reply reply) {
    m_steps.push_back(Step{type, std::nullopt, std::move(reply), {}});
    return *this;
  }
  // Frames sent to each client as soon as it is accepted.
  LoopbackGameServer& OnAccept(Frames frames) {
    m_onAccept = std::move(frames);
    return *this;
  }
  // Requests of this type are recorded but match no step (keep-alives).
  void Ignore(int type) { m_ignored.insert(type); }
  bool ScriptDone() const { return m_steps.empty(); }
  std::size_t StepsLeft() const { return m_steps.size(); }

  // ---- pushing ----
  void Send(const Bytes& frame) { SendRaw(frame.data(), frame.size()); }
  void SendRaw(const void* data, std::size_t len) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_out.insert(m_out.end(), bytes, bytes + len);
    Flush();
  }
  void CloseClient() {
    if (m_client >= 0) ::close(m_client);
    m_client = -1;
    m_out.clear();
    m_cutter.Reset();
  }
  void StopListening() {
    if (m_listen >= 0) ::close(m_listen);
    m_listen = -1;
  }

  // One look: accept, read and answer, write what is queued. Never blocks.
  void Serve() {
    if (m_client < 0 && m_listen >= 0) {
      const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
      if (fd >= 0) {
        // Every frame leaves at once: no waiting for the client's
        // acknowledgement (which comes on real time, not on frames).
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        m_client = fd;
        ++accepts;
        for (const Bytes& f : m_onAccept) Send(f);
      }
    }
    if (m_client < 0) return;
    if (!silent) Read();
    Flush();
  }

  bool Connected() const { return m_client >= 0; }
  // True once the client has closed its end (read returned 0).
  bool peerClosed = false;
  bool silent = false;
  int accepts = 0;
  Frames requests;
  std::vector<std::string> mismatches;

 private:
  struct Step {
    int type;
    std::optional<Bytes> exact;
    Reply reply;
    Frames frames;
  };

  void Read() {
    std::uint8_t chunk[16 * 1024];
    for (;;) {
      const ssize_t got = ::recv(m_client, chunk, sizeof chunk, 0);
      if (got == 0) {
        peerClosed = true;
        CloseClient();
        return;
      }
      if (got < 0) {
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) CloseClient();
        return;
      }
      const bool whole = m_cutter.Feed(reinterpret_cast<const char*>(chunk), static_cast<int>(got),
                                       [this](const char* f, int n) { m_pending.emplace_back(f, f + n); });
      if (!whole) mismatches.push_back("a request whose header is no frame");
      while (!m_pending.empty()) {
        Bytes request = std::move(m_pending.front());
        m_pending.pop_front();
        Answer(request);
      }
    }
  }

  void Answer(const Bytes& request) {
    requests.push_back(request);
    const int type = request[1];
    if (m_ignored.count(type) != 0) return;
    if (m_steps.empty()) {
      mismatches.push_back("request " + std::to_string(type) + " after the script's end");
      return;
    }
    Step& step = m_steps.front();
    if (step.type != type || (step.exact && *step.exact != request)) {
      mismatches.push_back("request " + std::to_string(type) + " where the script waits for " +
                           std::to_string(step.type) + (step.exact ? " (exact bytes)" : ""));
      return;
    }
    Frames frames = step.reply ? step.reply(request) : step.frames;
    m_steps.pop_front();
    for (const Bytes& f : frames) Send(f);
  }

  void Flush() {
    while (m_client >= 0 && !m_out.empty()) {
      const ssize_t sent = ::send(m_client, m_out.data(), m_out.size(), MSG_NOSIGNAL);
      if (sent < 0) {
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) CloseClient();
        return;
      }
      m_out.erase(m_out.begin(), m_out.begin() + sent);
    }
  }

  int m_listen = -1;
  int m_client = -1;
  int m_iPort = 0;
  FrameCutter m_cutter{65535};
  std::deque<Bytes> m_pending;
  std::deque<Step> m_steps;
  Frames m_onAccept;
  std::set<int> m_ignored;
  Bytes m_out;
};

// Two servers on neighbouring ports: the first at p, the second at p + 1.
struct ServerPairResult {
  std::unique_ptr<LoopbackGameServer> first;
  std::unique_ptr<LoopbackGameServer> second;
};
inline ServerPairResult ServerPair() {
  for (int attempt = 0; attempt < 20; ++attempt) {
    auto first = std::make_unique<LoopbackGameServer>();
    if (!first->ok() || first->port() >= 65535) continue;
    auto second = std::make_unique<LoopbackGameServer>(first->port() + 1);
    if (second->ok()) return {std::move(first), std::move(second)};
  }
  return {};
}

// A loopback port nobody listens on (bound once, then let go).
inline int FreeLoopbackPort() {
  LoopbackGameServer probe;
  const int port = probe.port();
  probe.StopListening();
  return port;
}

// Serves every server, then runs one frame of dt seconds, until `done` holds
// (true) or `maxFrames` frames have run (false).
template <typename Done>
bool RunFrames(cocos2d::Director* director, std::initializer_list<LoopbackGameServer*> servers, Done&& done,
               int maxFrames = 600, float dt = 1.0f / 60) {
  for (int frame = 0; frame < maxFrames; ++frame) {
    if (done()) return true;
    for (LoopbackGameServer* s : servers) s->Serve();
    director->mainLoop(dt);
    for (LoopbackGameServer* s : servers) s->Serve();
  }
  return done();
}

}  // namespace ddz::test
