#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include "GamebaseTestSupport.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameLogicLayer.h"
#include "platform/gamebase/GamebaseLuaRegister.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "platform/gamebase/PackInfoBase.h"
#include "platform/os/Random.h"
#include "support/TempDir.h"

namespace {

// ---------------------------------------------------------------- props

class RecordingPack : public PackInfoBase {
 public:
  void CallBackAddUserProp(int id) override { calls.push_back("add" + std::to_string(id)); }
  void CallBackDeleteUserProp(int id) override { calls.push_back("del" + std::to_string(id)); }
  std::vector<std::string> calls;
};

TEST(PackInfoBase, PropsAreAddedCountedAndTakenAway) {
  RecordingPack pack;
  pack.AddUserProp(1, 0, 0, 0, true);  // the yuanbao record, count 0
  pack.AddUserProp(7, 3, 0, 500, true);
  pack.AddUserProp(7, 2, 0, 0, false);
  EXPECT_EQ(pack.GetPropNum(1), 0);
  EXPECT_EQ(pack.GetPropNum(7), 5);
  EXPECT_EQ(pack.GetUserProps().size(), 2u);
  EXPECT_EQ(pack.GetUserProps()[1].iExpireTime, 500);
  pack.SetUserPropUsed(7);
  EXPECT_EQ(pack.GetPropNum(7), 4);
  pack.DeleteUserProp(7, 10);
  EXPECT_EQ(pack.GetPropNum(7), 0);
  EXPECT_EQ(pack.GetUserProps().size(), 1u) << "a prop used up leaves the list";
  pack.DeleteUserProp(99, 1);  // the user has none: no notice
  EXPECT_EQ(pack.calls, (std::vector<std::string>{"add1", "add7", "del7", "del7"}));
}

// ---------------------------------------------------------------- heads

TEST(NewPlayerHead, IconsCoverEveryHeadId) {
  EXPECT_EQ(NewPlayerHead::ConvertPlayerIcon(0), 0);
  EXPECT_EQ(NewPlayerHead::ConvertPlayerIcon(7), 7);
  EXPECT_EQ(NewPlayerHead::ConvertPlayerIcon(8), 0);
  EXPECT_EQ(NewPlayerHead::ConvertPlayerIcon(-5), 0);
}

class Heads : public gbtest::GamebaseTest {};

TEST_F(Heads, IniImageShowsTheGivenHeadOrChoosesOne) {
  auto* head = new NewPlayerHead(2);
  head->autorelease();
  scene->addChild(head);
  EXPECT_EQ(head->IniImage(5, cocos2d::Vec2(100, 200), 0.5f, cocos2d::Vec2(10, 0)), 5);
  EXPECT_EQ(head->GetHeadID(), 5);
  EXPECT_EQ(head->GetHeadImage()->getPosition(), cocos2d::Vec2(110, 200));
  EXPECT_FLOAT_EQ(head->GetHeadImage()->getScale(), 0.5f);

  ddz::os::ScriptedRandom random{3};
  ddz::os::ScopedRandomSource scoped(random);
  EXPECT_EQ(head->IniImage(-1, cocos2d::Vec2::ZERO, 1.0f, cocos2d::Vec2::ZERO), 3);
  head->ShowPlayerAct(NewPlayerHead::kActLoss, true);
  EXPECT_EQ(head->GetLastAct(), NewPlayerHead::kActLoss);
  tick(30);
  EXPECT_FLOAT_EQ(head->GetHeadImage()->getScale(), 1.0f) << "the act ends where it began";
}

// ---------------------------------------------------------------- game logic

TEST(GameLogicLayer, RecordsTheGameStatesInOrder) {
  GameLogicLayer* logic = GameLogicLayer::shareGameLogicLayer();
  logic->ClearGameStates();
  logic->RecordGameState(5, 150, 62, 62);
  logic->RecordGameState(5, 90, 62, 62);
  ASSERT_EQ(logic->GetGameStates().size(), 2u);
  EXPECT_EQ(logic->GetGameStates()[0].iCode, 150);
  EXPECT_EQ(logic->GetGameStates()[1].iCode, 90);
  logic->ClearGameStates();
}

TEST(GameLogicLayer, TheWebHeadSignsIdTimeAndBodyWithTheKey) {
  GameLogicLayer* logic = GameLogicLayer::shareGameLogicLayer();
  logic->SetWebSignKey("key");
  std::vector<char> frame(100, 0);
  frame[40] = 9;
  ASSERT_TRUE(logic->FillWebMsgHead(1005, 1700000000, frame.data(), 100));
  std::int32_t id = 0;
  std::int32_t time = 0;
  std::memcpy(&id, frame.data() + 32, 4);
  std::memcpy(&time, frame.data() + 36, 4);
  EXPECT_EQ(id, 1005);
  EXPECT_EQ(time, 1700000000);
  const std::string expected = MakeMD5(std::string(frame.data() + 32, frame.data() + 100) + "key");
  EXPECT_EQ(std::string(frame.data(), 32), expected);

  // Another body byte, another signature; a short frame is refused untouched.
  std::vector<char> other = frame;
  other[41] = 1;
  ASSERT_TRUE(logic->FillWebMsgHead(1005, 1700000000, other.data(), 100));
  EXPECT_NE(std::string(other.data(), 32), expected);
  std::vector<char> shortFrame(39, 'x');
  EXPECT_FALSE(logic->FillWebMsgHead(1005, 1, shortFrame.data(), 39));
  EXPECT_EQ(shortFrame[0], 'x');
  logic->SetWebSignKey("");
}

// ---------------------------------------------------------------- settings

class Settings : public gbtest::GamebaseTest {
 protected:
  void SetUp() override {
    GamebaseTest::SetUp();
    store = YndLocalData::sharedLocalData(nullptr);
    store->SetFilePath(dir.file("store.txt"));
  }
  void TearDown() override {
    store->SetFilePath(dir.file("unused.txt"));
    GamebaseTest::TearDown();
  }
  ddz::test::TempDir dir;
  YndLocalData* store = nullptr;
};

TEST_F(Settings, WrittenSettingsComeBackAfterARestart) {
  GlobalInfo& info = GameViewBase::m_GlobalInfo;
  info.fMusicVolume = 0.25f;
  info.fSoundVolume = 0.8f;
  info.bMusicOpen = 0;
  info.bSoundOpen = 1;
  info.iCardCounterMode = 1;
  info.iGuideShowTimes = 4;
  GameViewBase::WriteSettingInfo();
  GameViewBase::WriteGuideInfo();

  info = GlobalInfo();
  store->Reload();
  GameViewBase::ReadSettingInfo();
  EXPECT_FLOAT_EQ(info.fMusicVolume, 0.25f);
  EXPECT_FLOAT_EQ(info.fSoundVolume, 0.8f);
  EXPECT_EQ(info.bMusicOpen, 0);
  EXPECT_EQ(info.bSoundOpen, 1);
  EXPECT_EQ(info.iCardCounterMode, 1);
  EXPECT_EQ(info.iGuideShowTimes, 4);
}

TEST_F(Settings, StoredValuesOutOfRangeAreBroughtBackIntoIt) {
  store->setIntegerForKey("gamebase_setting_music_volume", 5000);
  store->setIntegerForKey("gamebase_setting_card_counter", 7);
  GameViewBase::ReadSettingInfo();
  EXPECT_FLOAT_EQ(GameViewBase::m_GlobalInfo.fMusicVolume, 1.0f);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iCardCounterMode, 0);
}

// A stored volume that is no volume in 0..1 (a broken or foreign store, or
// one written from a value that was not a number) starts as the default
// volume, not as silence; a volume that is not a number is stored as the default.
TEST_F(Settings, AStoredVolumeThatIsNoVolumeStartsAsTheDefault) {
  const float kDefault = GlobalInfo().fMusicVolume;
  struct Case {
    const char* stored;  // the store's text, null for no key
    float volume;
  } cases[] = {{"250", 0.25f},  {"0", 0.0f},       {"1000", 1.0f},     {"1001", kDefault}, {"-1", kDefault},
               {"-2147483648", kDefault}, {"abc", kDefault}, {"nan", kDefault}, {nullptr, kDefault}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(none)");
    {
      std::ofstream file(store->GetFilePath(), std::ios::trunc);
      file << "# YndLocalData\n";
      if (c.stored != nullptr) {
        file << "gamebase_setting_music_volume=" << c.stored << "\n";
        file << "gamebase_setting_sound_volume=" << c.stored << "\n";
      }
    }
    store->Reload();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    GameViewBase::m_GlobalInfo.fMusicVolume = 0.5f;  // what was in force is not what starts
    GameViewBase::ReadSettingInfo();
    EXPECT_FLOAT_EQ(GameViewBase::m_GlobalInfo.fMusicVolume, c.volume);
    EXPECT_FLOAT_EQ(GameViewBase::m_GlobalInfo.fSoundVolume, c.volume);
  }

  GameViewBase::m_GlobalInfo.fMusicVolume = std::numeric_limits<float>::quiet_NaN();
  GameViewBase::m_GlobalInfo.fSoundVolume = 0.4f;
  GameViewBase::WriteSettingInfo();
  EXPECT_EQ(store->getIntegerForKey("gamebase_setting_music_volume", -1), 1000);
  EXPECT_EQ(store->getIntegerForKey("gamebase_setting_sound_volume", -1), 400);
}

// ---------------------------------------------------------------- records

TEST(PlayerExtra, TheExtraRecordFillsAPlayerNode) {
  char record[GameViewBase::kPlayerExtraSize] = {};
  const std::int32_t user = 4242;
  const std::int32_t money = 9000;
  std::memcpy(record, &user, 4);
  std::memcpy(record + 4, &money, 4);
  record[12] = 2;
  record[13] = static_cast<char>(-3);
  std::memcpy(record + 28, "0123456789012345678901234567890123", 32);  // no terminator in the field
  PlayerNode node;
  ASSERT_TRUE(GameViewBase::SetPlayerExtraToPlayerNode(record, sizeof(record), &node));
  EXPECT_EQ(node.iUserID, 4242);
  EXPECT_EQ(node.iMoney, 9000);
  EXPECT_EQ(node.cChairID, 2);
  EXPECT_EQ(node.cHeadID, -3);
  EXPECT_EQ(std::strlen(node.szNickName), 31u);

  PlayerNode untouched;
  untouched.iUserID = 1;
  EXPECT_FALSE(GameViewBase::SetPlayerExtraToPlayerNode(record, GameViewBase::kPlayerExtraSize - 1, &untouched));
  EXPECT_EQ(untouched.iUserID, 1);
}

// ---------------------------------------------------------------- script module

TEST(GamebaseLua, TheModuleNamesItsTypes) {
  lua_State* L = luaL_newstate();
  luaL_openlibs(L);
  lua_getfield(L, LUA_GLOBALSINDEX, "_G");
  register_all_gamebase(L);
  lua_settop(L, 0);
  for (const char* type : {"gamebase.GameViewBase", "gamebase.GameSceneBase", "gamebase.RoomListLayer",
                           "gamebase.AniBase", "gamebase.GameMsgBox", "gamebase.PlayerNodeDef",
                           "gamebase.RoomItemInfoDef"}) {
    luaL_getmetatable(L, type);
    EXPECT_TRUE(lua_istable(L, -1)) << type;
    lua_pop(L, 1);
  }
  ASSERT_EQ(luaL_dostring(L, "return type(gamebase) == 'table' and type(gamebase.GameViewBase) == 'table'"), 0);
  EXPECT_TRUE(lua_toboolean(L, -1));
  lua_close(L);
}

}  // namespace
