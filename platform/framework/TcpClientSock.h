// The client end of a TCP connection to the game server, on POSIX sockets.
//
// Everything is non-blocking and runs on the main thread: the owner calls
// Poll once a frame (the game base does it in the frame loop's message-pump
// phase, before it delivers a message). Poll finishes a connect that is under
// way, reads what has arrived, cuts it into whole frames (FrameCutter: the
// 16-bit little-endian length in header bytes 2-3) and hands each one to the
// owner, then writes as much of the queued output as the socket takes.
// SendData only queues; nothing ever waits for the socket to drain.
//
// ConnectServer(address, port, seconds, tries): a numeric IPv4 address. A
// connect that the machine answers at once (a local listener, a refusal)
// is settled inside the call, which waits for that answer for at most
// kConnectCheckMs; one still under way is finished by Poll, each try bounded
// by `seconds` on the virtual clock, `tries` tries in all. Answers < 0 when
// the connection cannot be made (bad address, refused on every try), else 0
// (connected or under way).
//
// The owner hears of each frame and once of a connection that failed or
// broke off (refused or timed out on every try, the peer closing, a read or
// write error, or a header that is no frame of the protocol: a byte 0 or 4-7
// that is not 0, or a length field outside 8..maxFrame, which closes the
// connection with a log line). The frames cut before the failure have all
// reached the owner when it hears of the failure. Silence is the owner's to
// judge: LastReceiveMs and PartialFrameBytes tell it how long nothing came and
// whether a frame was left half-way. DisconnectServer(kind,
// notify) closes on purpose: no failure is reported; with `notify` the owner
// hears OnSockClosed(kind). Output not yet written and a frame cut half-way
// are dropped with the connection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework/FrameCutter.h"

class ITcpSockOwner {
 public:
  virtual ~ITcpSockOwner() = default;
  // One whole frame, header included. The bytes live until the call returns.
  virtual void OnSockFrame(const char* frame, int len) = 0;
  // The connection could not be made or broke off (one of TcpClientSock's
  // error codes); the socket is closed already.
  virtual void OnSockFailed(int code) = 0;
  // A DisconnectServer with notify.
  virtual void OnSockClosed(int /*kind*/) {}
};

class TcpClientSock {
 public:
  enum class State { Closed, Connecting, Connected };
  // Error codes of OnSockFailed.
  static constexpr int kErrRefused = 1;
  static constexpr int kErrTimedOut = 2;
  static constexpr int kErrPeerClosed = 3;
  static constexpr int kErrBadFrame = 4;
  static constexpr int kErrRead = 5;
  static constexpr int kErrWrite = 6;
  // Not raised by the socket: the code its owner gives a connection on which
  // nothing arrived for too long.
  static constexpr int kErrSilent = 7;
  // How long ConnectServer waits for the machine's own answer (real time).
  static constexpr int kConnectCheckMs = 50;
  // Output held at most; a SendData beyond it breaks the connection.
  static constexpr std::size_t kMaxQueuedOutput = 4 * 1024 * 1024;

  // `owner` is borrowed and must outlive the socket (or be replaced first).
  TcpClientSock(ITcpSockOwner* owner, int maxFrame);
  ~TcpClientSock();
  TcpClientSock(const TcpClientSock&) = delete;
  TcpClientSock& operator=(const TcpClientSock&) = delete;

  void SetOwner(ITcpSockOwner* owner) { m_pOwner = owner; }

  int ConnectServer(const char* address, int port, int seconds, int tries);
  void DisconnectServer(int kind, bool notify);
  // Queues one request; false (logged) while closed.
  bool SendData(const void* data, int len);
  void Poll();

  State GetState() const { return m_state; }
  bool IsConnected() const { return m_state == State::Connected; }
  const std::string& GetAddress() const { return m_strAddress; }
  int GetPort() const { return m_iPort; }
  std::size_t GetQueuedOutput() const { return m_out.size() - m_uOutStart; }
  // When bytes last came in (virtual clock, ms); the moment of connecting
  // until the first bytes arrive.
  std::uint64_t LastReceiveMs() const { return m_uLastReceiveMs; }
  // Bytes held of a frame not yet whole.
  std::size_t PartialFrameBytes() const { return m_cutter.Buffered(); }

 private:
  int StartTry();          // a new socket and its connect; 0, or < 0 refused at once
  int CheckConnect(int waitMs);  // 1 connected, 0 under way, < 0 failed
  void Fail(int code, const char* what);
  void CloseSocket();
  bool ReadAll();
  bool Flush();

  ITcpSockOwner* m_pOwner;  // borrowed
  FrameCutter m_cutter;
  State m_state = State::Closed;
  int m_fd = -1;
  unsigned m_uGeneration = 0;  // raised by every close: a callback's close ends Poll
  std::string m_strAddress;
  int m_iPort = 0;
  int m_iTryMs = 0;
  int m_iTriesLeft = 0;
  std::uint64_t m_uTryDeadline = 0;
  std::uint64_t m_uLastReceiveMs = 0;
  std::vector<char> m_out;
  std::size_t m_uOutStart = 0;
};
