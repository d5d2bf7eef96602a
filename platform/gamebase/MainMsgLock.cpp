#include "platform/gamebase/MainMsgLock.h"

#include <algorithm>
#include <new>

#include "platform/engine/Log.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Clock.h"

namespace {
// Bumped by every reset; a token lowers the count only within its own one.
unsigned g_uLockGeneration = 1;

std::uint64_t NowMs() { return ddz::os::Clock().NowMs(); }
}  // namespace

// ---------------------------------------------------------------- count

MainMsgLockCount& MainMsgLockCount::operator=(int value) {
  if (value < 0) {
    cocos2d::log("m_iLockMainMsgCount set to %d, kept at 0", value);
    value = 0;
  }
  m_iValue = value;
  return *this;
}

MainMsgLockCount& MainMsgLockCount::operator+=(int delta) {
  const long long next = static_cast<long long>(m_iValue) + delta;
  if (next < 0) {
    cocos2d::log("m_iLockMainMsgCount lowered below 0 (%d %+d), kept at 0", m_iValue, delta);
    m_iValue = 0;
  } else {
    m_iValue = static_cast<int>(std::min<long long>(next, 0x7fffffff));
  }
  return *this;
}

// ---------------------------------------------------------------- hold time

int MainMsgHoldTime::Remaining() const {
  const std::uint64_t now = NowMs();
  if (m_uDeadline <= now) return 0;
  return static_cast<int>(std::min<std::uint64_t>(m_uDeadline - now, 0x7fffffff));
}

MainMsgHoldTime& MainMsgHoldTime::operator+=(int ms) {
  if (ms <= 0) return *this;
  m_uDeadline = std::max(m_uDeadline, NowMs()) + static_cast<std::uint64_t>(ms);
  return *this;
}

MainMsgHoldTime& MainMsgHoldTime::operator-=(int ms) {
  if (ms <= 0) return *this;
  const std::uint64_t now = NowMs();
  m_uDeadline = m_uDeadline > now + static_cast<std::uint64_t>(ms) ? m_uDeadline - static_cast<std::uint64_t>(ms) : now;
  return *this;
}

MainMsgHoldTime& MainMsgHoldTime::operator=(int ms) {
  m_uDeadline = ms > 0 ? NowMs() + static_cast<std::uint64_t>(ms) : 0;
  return *this;
}

void ResetMainMsgLock() {
  GameViewBase::m_iLockMainMsgCount = 0;
  GameViewBase::m_iLockMainMsgTime = 0;
  ++g_uLockGeneration;
}

unsigned MainMsgLockGeneration() { return g_uLockGeneration; }

// ---------------------------------------------------------------- token

MsgLockToken* MsgLockToken::Create(cocos2d::Node* owner) {
  auto* token = new (std::nothrow) MsgLockToken();
  if (token == nullptr) return nullptr;
  token->setVisible(false);
  token->autorelease();
  if (owner != nullptr) {
    token->m_bOwned = true;
    owner->addChild(token);
  }
  return token;
}

MsgLockToken* MsgLockToken::Raise(cocos2d::Node* owner) {
  MsgLockToken* token = Create(owner);
  if (token != nullptr) token->Hold();
  return token;
}

bool MsgLockToken::Hold() {
  if (m_bHeld && m_uGeneration == g_uLockGeneration) return false;
  if (m_bOwned && !isRunning()) {
    // Its animation cannot run, so nothing would ever lower the count.
    cocos2d::log("MsgLockToken: the owner is not on the stage, the messages are not held");
    m_bHeld = false;
    return false;
  }
  m_bHeld = true;
  m_uGeneration = g_uLockGeneration;
  GameViewBase::m_iLockMainMsgCount += 1;
  return true;
}

bool MsgLockToken::Release() {
  if (!m_bHeld) return false;
  m_bHeld = false;
  if (m_uGeneration != g_uLockGeneration) return false;  // the lock was reset meanwhile
  GameViewBase::m_iLockMainMsgCount -= 1;
  return true;
}

void MsgLockToken::onExit() {
  cocos2d::Node::onExit();
  Release();
}

MsgLockToken::~MsgLockToken() { Release(); }
