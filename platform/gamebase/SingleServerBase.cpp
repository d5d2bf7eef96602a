#include "platform/gamebase/SingleServerBase.h"

#include <array>
#include <cstdio>
#include <cstring>

SingleServerBase::SingleServerBase(IGameMessageSink* view) : m_pGameView(view) {}

SingleServerBase::~SingleServerBase() = default;

bool SingleServerBase::SendMsgToGameView(const std::uint8_t* buf, int type, int len) {
  if (m_pGameView == nullptr || buf == nullptr) {
    std::printf("SendMsgToGameView: no %s, type %d dropped\n", m_pGameView == nullptr ? "view" : "buffer", type);
    return false;
  }
  if (len < kFrameSize || len > kMaxMessageSize || type < 0 || type > 0xff) {
    std::printf("SendMsgToGameView: type %d length %d dropped\n", type, len);
    return false;
  }
  std::array<std::uint8_t, kMaxMessageSize> copy;
  std::memcpy(copy.data(), buf, static_cast<std::size_t>(len));
  copy[1] = static_cast<std::uint8_t>(type);
  m_pGameView->PostGameMessage(copy.data(), len);
  return true;
}

int SingleServerBase::RequestType(const std::uint8_t* buf, int len) {
  if (buf == nullptr || len < kFrameSize || len > kMaxMessageSize) {
    std::printf("RecvGameViewMsg: request of length %d dropped\n", len);
    return -1;
  }
  return buf[1];
}
