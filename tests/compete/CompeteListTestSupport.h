// The tournament list's fixture: the web messages' stage and loopback web
// server, the room tables with rooms of game 237 (class = match id, sub-type
// = sort key), the match records, and the list put on the stage.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "compete/CompeteRoomListLayer.h"
#include "compete/RoomInfoItem.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteMatchFile.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/framework/LobbyNewVac.h"
#include "platform/gamebase/GameMsgBox.h"
#include "tests/gamedata/CompeteWebTestSupport.h"

namespace ddz::test {

struct MatchRoom {
  int matchId = 5;
  int sortKey = 0;
  int serverId = 1;
  int port = 0;
  int minMoney = 0;
  int maxMoney = INT_MAX;
  int startHour = 0;
  int hours = 24;
  int word0 = 0;
};

class CompeteListFixture : public CompeteWebFixture {
 protected:
  void SetUp() override {
    CompeteWebFixture::SetUp();
    ResetGlobals();
    ddz::EnsureGameTextLoaded();
  }
  void TearDown() override {
    if (list != nullptr && list->getParent() != nullptr) list->removeFromParent();
    list = nullptr;
    ResetGlobals();
    CompeteWebFixture::TearDown();
  }

  static void ResetGlobals() {
    RoomListLayer::ClearRoomTables();
    g_vcCompeteRoomTable.clear();
    g_tLastSignUpNumReply = 0;
    g_iCompeteEnterMode = 0;
    g_bCompetePlayAgain = 0;
    CompeteGameInfo* game = CompeteGameInfo::shareCompeteGameInfo();
    game->m_iState = CompeteGameInfo::kStateNone;
    game->m_Record = CompeteMatchRecord{};
    CompeteRoomListLayer::SetSignUpOpener(nullptr);
    LobbyNewVacLayer::Reset();
    GameMsgBox::destroyMessageBox();
    YndLocalData::sharedLocalData()->setIntegerForKey(CompeteRoomListLayer::kKeyPlayServer, 0);
  }

  static RoomItemInfo& AddMatchRoom(const MatchRoom& m) {
    RoomServerInfo server;
    server.iServerID = m.serverId;
    server.iStartHour = m.startHour;
    server.iHours = m.hours;
    std::snprintf(server.szServerIP, sizeof server.szServerIP, "127.0.0.1");
    server.iServerPort = static_cast<std::uint16_t>(m.port);
    RoomRuleInfo rule;
    rule.iWord0 = m.word0;
    rule.iMinMoney = m.minMoney;
    rule.iMaxMoney = m.maxMoney;
    rule.iRoomClass = m.matchId;
    rule.iRuleSubType = m.sortKey;
    return RoomListLayer::AddRoom(CompeteRoomListLayer::kGameID, server, rule);
  }

  // Puts a new list on the stage (its onEnter runs).
  CompeteRoomListLayer* EnterList() {
    list = new CompeteRoomListLayer();
    scene->addChild(list);
    list->release();
    return list;
  }

  std::vector<int> CardMatchIds() const {
    std::vector<int> ids;
    for (RoomInfoItem* card : list->GetRoomItems()) ids.push_back(card->GetRoom()->m_iMatchId);
    return ids;
  }

  // The match ids of the 20036 requests the server read.
  std::vector<int> SignUpCountRequests() const {
    std::vector<int> ids;
    for (const std::string& frame : Frames()) {
      if (IntAt(frame, 32) == CompeteWebMsg::kMsgSignUpCount) ids.push_back(IntAt(frame, 40));
    }
    return ids;
  }

  static GameMsgBox* Box() { return GameMsgBox::shareMessageBox(); }

  CompeteRoomListLayer* list = nullptr;
};

}  // namespace ddz::test
