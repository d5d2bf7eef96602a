#include "platform/framework/TcpClientSock.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "platform/engine/Log.h"
#include "platform/os/Clock.h"

TcpClientSock::TcpClientSock(ITcpSockOwner* owner, int maxFrame) : m_pOwner(owner), m_cutter(maxFrame) {}

TcpClientSock::~TcpClientSock() { CloseSocket(); }

int TcpClientSock::ConnectServer(const char* address, int port, int seconds, int tries) {
  CloseSocket();
  in_addr parsed{};
  if (address == nullptr || inet_pton(AF_INET, address, &parsed) != 1 || port <= 0 || port > 0xffff) {
    cocos2d::log("TcpClientSock: cannot connect to %s:%d (not an IPv4 address and port)", address ? address : "",
                 port);
    return -1;
  }
  m_strAddress = address;
  m_iPort = port;
  m_iTryMs = std::max(1, seconds) * 1000;
  m_iTriesLeft = std::max(1, tries);
  while (m_iTriesLeft > 0) {
    --m_iTriesLeft;
    if (StartTry() < 0) continue;
    const int settled = CheckConnect(kConnectCheckMs);
    if (settled >= 0) return 0;  // connected, or under way (Poll finishes it)
  }
  cocos2d::log("TcpClientSock: connect to %s:%d failed on every try", address, port);
  CloseSocket();
  return -1;
}

int TcpClientSock::StartTry() {
  CloseSocket();
  m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (m_fd < 0) {
    cocos2d::log("TcpClientSock: socket() failed: %s", std::strerror(errno));
    return -1;
  }
  const int one = 1;
  ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<std::uint16_t>(m_iPort));
  inet_pton(AF_INET, m_strAddress.c_str(), &to.sin_addr);
  m_state = State::Connecting;
  m_uTryDeadline = ddz::os::Clock().NowMs() + static_cast<std::uint64_t>(m_iTryMs);
  if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0) {
    m_state = State::Connected;
    m_uLastReceiveMs = ddz::os::Clock().NowMs();
    return 0;
  }
  if (errno == EINPROGRESS) return 0;
  cocos2d::log("TcpClientSock: connect to %s:%d: %s", m_strAddress.c_str(), m_iPort, std::strerror(errno));
  CloseSocket();
  return -1;
}

int TcpClientSock::CheckConnect(int waitMs) {
  if (m_state == State::Connected) return 1;
  if (m_state != State::Connecting) return -1;
  pollfd p{m_fd, POLLOUT, 0};
  const int ready = ::poll(&p, 1, waitMs);
  if (ready == 0) return 0;
  int error = 0;
  socklen_t size = sizeof error;
  if (ready < 0 || ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
  if (error != 0) {
    cocos2d::log("TcpClientSock: connect to %s:%d: %s", m_strAddress.c_str(), m_iPort, std::strerror(error));
    CloseSocket();
    return -1;
  }
  m_state = State::Connected;
  m_uLastReceiveMs = ddz::os::Clock().NowMs();
  return 1;
}

void TcpClientSock::DisconnectServer(int kind, bool notify) {
  const bool wasOpen = m_state != State::Closed;
  if (wasOpen) cocos2d::log("TcpClientSock: disconnect from %s:%d (%d)", m_strAddress.c_str(), m_iPort, kind);
  CloseSocket();
  if (notify && m_pOwner != nullptr) m_pOwner->OnSockClosed(kind);
}

void TcpClientSock::CloseSocket() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_state = State::Closed;
  m_cutter.Reset();
  m_out.clear();
  m_uOutStart = 0;
  ++m_uGeneration;
}

void TcpClientSock::Fail(int code, const char* what) {
  cocos2d::log("TcpClientSock: connection to %s:%d lost (%s)", m_strAddress.c_str(), m_iPort, what);
  CloseSocket();
  if (m_pOwner != nullptr) m_pOwner->OnSockFailed(code);
}

bool TcpClientSock::SendData(const void* data, int len) {
  if (m_state == State::Closed || data == nullptr || len <= 0) {
    cocos2d::log("TcpClientSock: not connected, %d bytes dropped", len);
    return false;
  }
  if (GetQueuedOutput() + static_cast<std::size_t>(len) > kMaxQueuedOutput) {
    Fail(kErrWrite, "output queue full");
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  m_out.insert(m_out.end(), bytes, bytes + len);
  return true;
}

void TcpClientSock::Poll() {
  if (m_state == State::Connecting) {
    const int settled = CheckConnect(0);
    if (settled == 0 && ddz::os::Clock().NowMs() < m_uTryDeadline) return;
    if (settled <= 0) {
      // Refused or out of time: the next try, else the end.
      bool started = false;
      while (!started && m_iTriesLeft > 0) {
        --m_iTriesLeft;
        started = StartTry() == 0;
      }
      if (!started) Fail(settled == 0 ? kErrTimedOut : kErrRefused, "connect failed on every try");
      return;
    }
  }
  if (m_state != State::Connected) return;
  const unsigned generation = m_uGeneration;
  if (!ReadAll() || generation != m_uGeneration) return;
  Flush();
}

bool TcpClientSock::ReadAll() {
  const unsigned generation = m_uGeneration;
  char chunk[16 * 1024];
  for (;;) {
    const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, 0);
    if (got == 0) {
      Fail(kErrPeerClosed, "closed by the server");
      return false;
    }
    if (got < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK) return true;
      if (errno == EINTR) continue;
      Fail(kErrRead, std::strerror(errno));
      return false;
    }
    m_uLastReceiveMs = ddz::os::Clock().NowMs();
    const bool whole = m_cutter.Feed(chunk, static_cast<int>(got), [this](const char* frame, int len) {
      if (m_pOwner != nullptr) m_pOwner->OnSockFrame(frame, len);
    });
    if (generation != m_uGeneration) return false;  // an owner closed it
    if (!whole) {
      cocos2d::log("TcpClientSock: header [%s] is no frame of the protocol (bytes 0 and 4-7 zero, length %d..%d), "
                   "connection closed",
                   m_cutter.BrokenHeader().c_str(), FrameCutter::kHeaderSize, m_cutter.MaxFrame());
      Fail(kErrBadFrame, "bad frame header");
      return false;
    }
    // A short read drained the socket; what comes later is the next poll's.
    if (static_cast<std::size_t>(got) < sizeof chunk) return true;
  }
}

bool TcpClientSock::Flush() {
  while (m_uOutStart < m_out.size()) {
    const ssize_t sent = ::send(m_fd, m_out.data() + m_uOutStart, m_out.size() - m_uOutStart, MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK) break;
      if (errno == EINTR) continue;
      Fail(kErrWrite, std::strerror(errno));
      return false;
    }
    m_uOutStart += static_cast<std::size_t>(sent);
  }
  if (m_uOutStart == m_out.size()) {
    m_out.clear();
    m_uOutStart = 0;
  } else if (m_uOutStart > 64 * 1024) {
    m_out.erase(m_out.begin(), m_out.begin() + static_cast<std::ptrdiff_t>(m_uOutStart));
    m_uOutStart = 0;
  }
  return true;
}
