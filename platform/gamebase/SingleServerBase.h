// The base of a local server: in the single-player game a server object inside
// the client takes the place of the game server.
//
// The table view creates the server (and owns it); the library borrows it and
// calls its virtual slots: StartGame to start a hand, RecvGameViewMsg with each
// request the view sends while the game is single-player. The server answers
// within those calls through SendMsgToGameView, which hands a copy of each
// message to the view's message sink. The sink only queues: the view sees the
// messages later, one per frame, exactly as it sees a game server's messages,
// so a server never calls into a view from inside its own send.
#pragma once

#include <cstdint>

// Where a local server's messages go: the table view's message queue.
class IGameMessageSink {
 public:
  virtual ~IGameMessageSink() = default;
  // One whole message (frame included). The buffer lives only for the call:
  // the sink copies what it keeps, and must not call back into the server.
  virtual void PostGameMessage(const std::uint8_t* buf, int len) = 0;
};

class SingleServerBase {
 public:
  // Every message starts with an 8-byte frame: byte 1 the type, the rest 0.
  static constexpr int kFrameSize = 8;
  // No message of the game is longer; anything above is refused.
  static constexpr int kMaxMessageSize = 1024;

  // The view receives the messages; the server does not own it.
  explicit SingleServerBase(IGameMessageSink* view);
  virtual ~SingleServerBase();
  SingleServerBase(const SingleServerBase&) = delete;
  SingleServerBase& operator=(const SingleServerBase&) = delete;

  // Slot 1: starts a hand.
  virtual void StartGame() = 0;
  // Slot 2: one request of the view, the whole message (frame included) and
  // its length. The server checks the length before it reads anything.
  virtual void RecvGameViewMsg(const std::uint8_t* buf, int len) = 0;

  // Delivers a message to the view as if the game server had sent it: a copy
  // of the len bytes, with the type written into byte 1, goes to the sink.
  // False, with a log line and nothing sent, without a sink or buffer, for a
  // length outside kFrameSize..kMaxMessageSize or a type outside 0..255.
  bool SendMsgToGameView(const std::uint8_t* buf, int type, int len);

  IGameMessageSink* GetGameView() const { return m_pGameView; }

  // The type of a request (byte 1), or -1, with a log line, when the buffer
  // is missing or its length is outside kFrameSize..kMaxMessageSize.
  static int RequestType(const std::uint8_t* buf, int len);

 private:
  IGameMessageSink* m_pGameView;
};
