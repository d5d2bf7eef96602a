// Fixtures of the room list tests: the classic fixture in network play, the
// room tables empty, a scene standing in for the client's (its login room
// value and kind-22 flag set by the test), the room panel and message box
// made anew, the layout of the phone file loaded.
#pragma once

#include <string>
#include <vector>

#include "ClassicTestSupport.h"
#include "classic/C_RoomListLayer.h"
#include "classic/RoomUI.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/RoomBtn.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"

namespace roomtest {

// The parts of the client's scene the room list asks for.
class LoginScene : public GameSceneBase {
 public:
  int GetLoginRoomValue() const override { return roomValue; }
  void SetLoginRoomValue(int value) override { roomValue = value; }
  bool IsKind22Mapped() const override { return kind22; }
  void SwitchGameKind(int kind) override { switchedTo.push_back(kind); }
  int roomValue = 0;
  bool kind22 = false;
  std::vector<int> switchedTo;
};

// One room as the tests write it; classic game id, always open.
struct Room {
  int server = 0;
  int min = 0;
  int max = 1000;
  int cls = 0;
  int base = 10;
  int gameId = 62;
  int start = 0;
  int hours = 24;
  int superBase = 0;
};

class RoomListTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    GameViewBase::m_GlobalInfo.iPlayMode = 0;
    GameViewBase::m_GlobalInfo.iUserID = 42;
    RoomListLayer::ClearRoomTables();
    RoomUI::destroyInstance();
    GameMsgBox::destroyMessageBox();
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ddz::os::ClearLobbyMessages();
    LoadGamePositionInfo(ddz::kLayoutFilePhone);
    LoadTextLines(ddz::kGameTextFile, g_vecGameText);
    gameScene = new LoginScene();  // the test's reference
  }
  void TearDown() override {
    RoomUI::destroyInstance();
    ClassicTest::TearDown();
    RoomListLayer::ClearRoomTables();
    gameScene->release();
  }

  static RoomItemInfo& Add(const Room& r) {
    RoomServerInfo server;
    server.iServerID = r.server;
    server.iStartHour = r.start;
    server.iHours = r.hours;
    RoomRuleInfo rule;
    rule.iMinMoney = r.min;
    rule.iMaxMoney = r.max;
    rule.iRoomClass = r.cls;
    rule.iBaseScore = r.base;
    rule.iSuperBaseScore = r.superBase;
    return RoomListLayer::AddRoom(r.gameId, server, rule);
  }
  static void AddAll(const std::vector<Room>& rooms) {
    for (const Room& r : rooms) Add(r);
  }

  // A classic list on the stage over the rooms of the tables.
  C_RoomListLayer* Show(int gameId = 62) {
    auto* list = new C_RoomListLayer(gameId);
    list->autorelease();
    scene->addChild(list);
    return list;
  }
  // The server id of the room entered last; -1 for none.
  static int Entered(const C_RoomListLayer* list) {
    return list->m_CurRoom.pServerInfo != nullptr ? list->m_CurRoom.pServerInfo->iServerID : -1;
  }
  static std::vector<int> ButtonServers(const C_RoomListLayer* list) {
    std::vector<int> ids;
    for (RoomBtn* b : list->getRoomBtn()) ids.push_back(b->GetRoomItemInfo()->pServerInfo->iServerID);
    return ids;
  }

  LoginScene* gameScene = nullptr;
};

}  // namespace roomtest
