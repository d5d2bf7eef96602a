// Inside the game base: the one queue of game messages and the one
// connection to the game server, both process-wide (never destroyed: a view
// may still go while the process ends).
//
// Every view registers the pump's frame work in the frame loop's
// message-pump phase; whichever view's hook runs first does it, once a frame:
// the connection is polled (what arrives is queued for the view that logged
// in over it), then at most one queued message is delivered. Sealed entries
// (a frame a view stashed at the front, encrypted) wait at the front until
// their view is on the stage again, then are opened and delivered; one that
// does not open is dropped with a log line.
//
// A lost connection whose whole frames are still queued is reported behind
// them: a failure entry waits at the end of the queue, under the lock like a
// message, and raises the view's OnNetConnectFailed when its turn comes.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/framework/TcpClientSock.h"

class GameViewBase;

class GameMsgPump : public ITcpSockOwner {
 public:
  struct Entry {
    GameViewBase* view;  // not owned; a view drops its entries when it goes
    std::vector<char> bytes;
    bool sealed = false;
    int failure = 0;  // above 0: no message, the lost connection's code
  };

  static GameMsgPump& Instance();

  void Post(GameViewBase* view, const std::uint8_t* buf, int len);
  void PostFront(GameViewBase* view, std::vector<char> bytes, bool sealed);
  // Queues the report of a lost connection behind the view's messages; one
  // report waits at a time.
  void PostFailure(GameViewBase* view, int code);
  // Drops the view's messages, its failure report, or both.
  enum class Drop { Messages, Failure, All };
  void DropFor(const GameViewBase* view, Drop what);
  // The view's messages whose type (byte 1) `which` names; sealed entries
  // and failure reports stay.
  void DropFor(const GameViewBase* view, bool (*which)(int type));
  // The view's messages (failure reports not counted).
  std::size_t CountFor(const GameViewBase* view) const;

  // The frame's work: the connection, then one message.
  void RunFrame();
  void PollNet();
  void PumpOnce();

  TcpClientSock& Socket() { return m_sock; }
  // The view the connection's frames and failures go to (null: none).
  void SetNetView(GameViewBase* view) { m_pNetView = view; }
  GameViewBase* NetView() const { return m_pNetView; }

  void OnSockFrame(const char* frame, int len) override;
  void OnSockFailed(int code) override;
  void OnSockClosed(int kind) override;

 private:
  GameMsgPump();
  std::deque<Entry> m_queue;
  std::uint64_t m_uLastFrame = 0;
  std::uint64_t m_uLastPollFrame = ~std::uint64_t{0};
  GameViewBase* m_pNetView = nullptr;  // not owned
  TcpClientSock m_sock;
};
