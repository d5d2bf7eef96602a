#include "platform/gamebase/GameLogicLayer.h"

#include <cstdint>
#include <cstring>

#include "platform/engine/Log.h"
#include "platform/framework/YndCommonFunc.h"

GameLogicLayer* GameLogicLayer::shareGameLogicLayer() {
  static GameLogicLayer instance;
  return &instance;
}

void GameLogicLayer::RecordGameState(int kind, int code, int game, int value) {
  cocos2d::log("RecordGameState %d %d %d %d", kind, code, game, value);
  m_vcGameState.push_back(GameState{kind, code, game, value});
}

bool GameLogicLayer::FillWebMsgHead(int msgId, int time, char* buf, int len) const {
  if (buf == nullptr || len < 40 || len > kMaxWebFrame) {
    cocos2d::log("FillWebMsgHead: frame of length %d refused", len);
    return false;
  }
  std::memset(buf, 0, 32);
  const std::int32_t id = msgId;
  const std::int32_t stamp = time;
  std::memcpy(buf + 32, &id, 4);
  std::memcpy(buf + 36, &stamp, 4);
  std::string signedText(buf + 32, buf + len);
  signedText += m_strSignKey;
  const std::string digest = MakeMD5(signedText);
  std::memcpy(buf, digest.data(), 32);
  return true;
}
