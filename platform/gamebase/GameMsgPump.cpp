#include "platform/gamebase/GameMsgPump.h"

#include <algorithm>

#include "platform/engine/Director.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndAes.h"
#include "platform/gamebase/GameViewBase.h"

using cocos2d::Director;

GameMsgPump& GameMsgPump::Instance() {
  static GameMsgPump* pump = new GameMsgPump();
  return *pump;
}

GameMsgPump::GameMsgPump() : m_sock(this, GameViewBase::kMaxGameMessage) {}

void GameMsgPump::Post(GameViewBase* view, const std::uint8_t* buf, int len) {
  m_queue.push_back(Entry{view, std::vector<char>(buf, buf + len), false});
}

void GameMsgPump::PostFront(GameViewBase* view, std::vector<char> bytes, bool sealed) {
  m_queue.push_front(Entry{view, std::move(bytes), sealed});
}

void GameMsgPump::PostFailure(GameViewBase* view, int code) {
  for (const Entry& e : m_queue)
    if (e.view == view && e.failure != 0) return;
  m_queue.push_back(Entry{view, {}, false, code});
}

void GameMsgPump::DropFor(const GameViewBase* view, Drop what) {
  m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                               [view, what](const Entry& e) {
                                 if (e.view != view) return false;
                                 return what == Drop::All || (e.failure != 0) == (what == Drop::Failure);
                               }),
                m_queue.end());
}

void GameMsgPump::DropFor(const GameViewBase* view, bool (*which)(int type)) {
  m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                               [view, which](const Entry& e) {
                                 return e.view == view && !e.sealed && e.bytes.size() > 1 &&
                                        which(static_cast<std::uint8_t>(e.bytes[1]));
                               }),
                m_queue.end());
}

std::size_t GameMsgPump::CountFor(const GameViewBase* view) const {
  return static_cast<std::size_t>(std::count_if(
      m_queue.begin(), m_queue.end(), [view](const Entry& e) { return e.view == view && e.failure == 0; }));
}

void GameMsgPump::RunFrame() {
  PollNet();
  PumpOnce();
}

void GameMsgPump::PollNet() {
  const std::uint64_t frame = Director::getInstance()->getTotalFrames();
  if (frame == m_uLastPollFrame) return;
  m_uLastPollFrame = frame;
  if (m_sock.GetState() != TcpClientSock::State::Closed) m_sock.Poll();
  if (m_pNetView != nullptr) m_pNetView->NetTick();
}

void GameMsgPump::PumpOnce() {
  const std::uint64_t frame = Director::getInstance()->getTotalFrames();
  if (frame == m_uLastFrame) return;  // this frame has had its message
  if (m_queue.empty()) return;
  // The lock is looked at again before every message.
  if (GameViewBase::m_iLockMainMsgCount > 0 || GameViewBase::m_iLockMainMsgTime.IsHolding()) return;
  Entry& front = m_queue.front();
  if (front.sealed) {
    // A stashed frame waits for its view to be back on the stage.
    if (!front.view->isRunning()) return;
    std::vector<char> open(front.bytes.size());
    int openLen = static_cast<int>(open.size());
    const bool opened = aes_dec_r(front.bytes.data(), static_cast<int>(front.bytes.size()), GameViewBase::kStashKey,
                                  static_cast<int>(std::char_traits<char>::length(GameViewBase::kStashKey)),
                                  open.data(), &openLen) == 0 &&
                        openLen >= GameViewBase::kFrameSize;
    if (!opened) {
      cocos2d::log("GameMsgPump: a stashed frame does not decrypt, dropped");
      m_queue.pop_front();
      return;
    }
    open.resize(static_cast<std::size_t>(openLen));
    front.bytes = std::move(open);
    front.sealed = false;
  }
  m_uLastFrame = frame;
  Entry entry = std::move(m_queue.front());
  m_queue.pop_front();
  GameViewBase* view = entry.view;
  view->retain();  // the message may end the view's stay on the scene
  if (entry.failure != 0) {
    view->OnNetConnectFailed(entry.failure);
  } else {
    view->DeliverMainMsg(entry.bytes.data(), static_cast<int>(entry.bytes.size()));
  }
  view->release();
}

void GameMsgPump::OnSockFrame(const char* frame, int len) {
  if (m_pNetView == nullptr) {
    cocos2d::log("GameMsgPump: frame %d with no table view, dropped", static_cast<std::uint8_t>(frame[1]));
    return;
  }
  m_pNetView->PostGameMessage(reinterpret_cast<const std::uint8_t*>(frame), len);
}

void GameMsgPump::OnSockFailed(int code) {
  if (m_pNetView != nullptr) m_pNetView->LoseConnection(code);
}

void GameMsgPump::OnSockClosed(int kind) {
  if (m_pNetView != nullptr) m_pNetView->OnMainSocketClosed(kind);
}
