// What the whole-program tests of the tournament share: the web server's
// answers (the user record for 20035, a count of 17 for every 20036), the
// login record that opens the tournament list (game id 237), and the wait
// for the cards' counts and a press through the window before a sign-up.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "compete/CompeteRoomListLayer.h"
#include "compete/RoomInfoItem.h"
#include "platform/engine/Director.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Label.h"
#include "gamedata/CompeteRecords.h"
#include "gamedata/CompeteWebMsg.h"
#include "platform/framework/YndCommonFunc.h"
#include "support/LoopbackWebServer.h"

namespace shelltest {

inline std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
  std::int32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

inline std::string CompeteReply(const std::string& payload) { return "S" + std::string(60, '.') + payload; }

// The web server: the user record (prize holding 30, no sign-ups today) for
// 20035, a count of 17 for every 20036.
inline ddz::test::WebAnswer CompeteWebAnswer(const ddz::test::WebRequest& request) {
  std::string frame(request.body.size() / 2 + 1, '\0');
  int len = 0;
  if (!HexStringToCharArray(request.body.c_str(), frame.data(), &len, static_cast<int>(frame.size())))
    return ddz::test::WebAnswer::Status(400);
  frame.resize(static_cast<std::size_t>(len));
  switch (IntAt(frame, 32)) {
    case CompeteWebMsg::kMsgCompeteRoomInfo: {
      CompeteUserRecord record{};
      record.tServerTime = IntAt(frame, 36);
      record.tRecordDate = record.tServerTime;
      record.iPrizeHold88 = 30;
      return ddz::test::WebAnswer::Ok(CompeteReply(std::string(reinterpret_cast<const char*>(&record), sizeof record)));
    }
    case CompeteWebMsg::kMsgSignUpCount: {
      const std::int32_t answer[2] = {17, IntAt(frame, 40)};
      return ddz::test::WebAnswer::Ok(CompeteReply(std::string(reinterpret_cast<const char*>(answer), sizeof answer)));
    }
    default: return ddz::test::WebAnswer::Status(404);
  }
}

// The shipped login record with the tournament's game id, written as `path`;
// false when the shipped one is not the 124 bytes it should be.
inline bool WriteCompeteLoginRecord(const std::string& path) {
  std::ifstream shipped(std::string(DDZ_SOURCE_DIR) + "/data/MbUserLoginData.dat", std::ios::binary);
  std::string login((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
  if (login.size() != 124u) return false;
  const std::int32_t kind = CompeteRoomListLayer::kGameID;
  std::memcpy(login.data(), &kind, 4);
  std::ofstream(path, std::ios::binary) << login;
  return true;
}

// Each card asks for its own count: true once every card of a shown list
// has its answer (the web replies come on later frames, in any order).
inline bool EveryCardCounted(CompeteRoomListLayer* list) {
  if (list == nullptr || !list->isRunning() || list->GetRoomItems().empty() || g_tLastSignUpNumReply == 0)
    return false;
  for (RoomInfoItem* card : list->GetRoomItems())
    if (card->GetSignUpNumLabel()->getString().empty()) return false;
  return true;
}

// A press in the middle of a node, through the window's input.
inline void TapCentre(cocos2d::Node* node) {
  const cocos2d::Vec2 p =
      node->convertToWorldSpace(cocos2d::Vec2(node->getContentSize().width / 2, node->getContentSize().height / 2));
  cocos2d::GLView* window = cocos2d::Director::getInstance()->getOpenGLView();
  window->touchBegan(p.x, 720 - p.y);
  window->touchEnded(p.x, 720 - p.y);
}

}  // namespace shelltest
