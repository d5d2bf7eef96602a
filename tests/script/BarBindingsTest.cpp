// The bars and the sound player driven from Lua. The bottom bar is looked at
// (a derived bar supplies the competition label the base bar has not); the
// top bar is a recording bar registered under the top bar's type, so each
// call shows as the virtual operation it reached; the sound player as the
// sound manager's calls.
#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "platform/engine/Label.h"
#include "platform/gamebase/GameRecords.h"
#include "table/GameSoundDDZ.h"
#include "widgets/BottomUI.h"
#include "widgets/TopUIBase.h"

using scripttest::SeatedView;
using scripttest::WidgetScriptTest;

namespace {

// A bottom bar with a competition label.
class CompeteBottomBar : public BottomUI {
 public:
  explicit CompeteBottomBar(DDZGameView* view) : BottomUI(view) {}
  void onEnter() override {
    BottomUI::onEnter();
    if (m_pCmpLabel == nullptr) {
      m_pCmpLabel = cocos2d::Label::createWithSystemFont("bag", "Arial", 20);
      addChild(m_pCmpLabel);
    }
  }
  cocos2d::Label* CmpLabel() const { return m_pCmpLabel; }
};

// A top bar that writes down which of its operations ran, with what.
class RecordingTopBar : public TopUIBase {
 public:
  RecordingTopBar() : TopUIBase(nullptr) {}
  std::vector<std::string> calls;
  static std::string B(bool b) { return b ? "true" : "false"; }
  void SetFinalPoint(int v) override { calls.push_back("SetFinalPoint " + std::to_string(v)); }
  void SetTimes(int v, bool ani) override { calls.push_back("SetTimes " + std::to_string(v) + " " + B(ani)); }
  void AddJPQCard(std::vector<int> cards) override {
    std::string s = "AddJPQCard";
    for (int c : cards) s += " " + std::to_string(c);
    calls.push_back(s);
  }
  void ClearJQPCard() override { calls.push_back("ClearJQPCard"); }
  void ShowCardCounter(bool b) override { calls.push_back("ShowCardCounter " + B(b)); }
  void SetNumVisible(bool b) override { calls.push_back("SetNumVisible " + B(b)); }
  void OnSendTalkMsg(int v) override { calls.push_back("OnSendTalkMsg " + std::to_string(v)); }
  void OnSendFaceMsg(int v) override { calls.push_back("OnSendFaceMsg " + std::to_string(v)); }
  void CloseOtherWin(int v) override { calls.push_back("CloseOtherWin " + std::to_string(v)); }
  void SetTalkBtnEnabled(bool b) override { calls.push_back("SetTalkBtnEnabled " + B(b)); }
  void SetCardCountBtnEnabled(bool b) override { calls.push_back("SetCardCountBtnEnabled " + B(b)); }
  void SetBtnOnState(int v) override { calls.push_back("SetBtnOnState " + std::to_string(v)); }
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& line : lines) s += (s.empty() ? "" : "; ") + line;
  return s.empty() ? "nothing" : s;
}

class BarBindingsTest : public WidgetScriptTest {
 protected:
  void SetUp() override {
    WidgetScriptTest::SetUp();
    seated = new SeatedView();
    ASSERT_TRUE(seated->init());
    seated->autorelease();
    PlayerNode node{};
    node.iLevel = 205;
    node.iYuanBao = 33;
    node.iMoney = 4500;
    node.iCmpValue[0] = 71;
    node.iCmpValue[1] = 2;
    node.iCmpValue[2] = 9;
    seated->Seat(0, node);
    scene->addChild(seated);
    SetGlobal("seated", seated);
  }
  SeatedView* seated = nullptr;
};

}  // namespace

TEST_F(BarBindingsTest, BottomUI) {
  const auto describe = [](BottomUI* bar) {
    const auto text = [](const cocos2d::Label* l) { return l ? "'" + l->getString() + "'" : std::string("-"); };
    return "name " + text(bar->GetNameLabel()) + " yb " + std::to_string(bar->GetYBNum()) + " " +
           text(bar->GetYBLabel()) + " money " + std::to_string(bar->GetMoneyNum()) + " " +
           text(bar->GetMoneyLabel()) + " bag " + text(static_cast<CompeteBottomBar*>(bar)->CmpLabel()) + " lv " +
           (bar->GetLvIcon() && bar->GetLvIcon()->isVisible() ? bar->GetLvIcon()->getDisplayName() : "-") +
           (bar->isVisible() ? "" : " hidden");
  };
  const auto made = [this](const std::string&) {
    auto* bar = new CompeteBottomBar(seated);
    bar->autorelease();
    scene->addChild(bar);
    SetGlobal("w", bar);
    return bar;
  };
  struct BarCase {
    std::string body;
    std::string outcome;
    std::string state;
  };
  const std::string fresh = "name '' yb 0 '' money 0 '' bag 'bag' lv qorvddz_roomui_lv_1.png";
  const std::vector<BarCase> cases = {
      {"return w:SetUIInfo(seated:GetPlayerNode(0))", "w",
       "name '' yb 33 '33' money 4500 '4500' bag 'bag' lv qorvddz_roomui_lv_2.png"},
      {"return w:SetUIInfo(nil)", "w", fresh},
      {"return w:SetUserName('Ann')", "w", "name 'Ann' yb 0 '' money 0 '' bag 'bag' lv qorvddz_roomui_lv_1.png"},
      {"return w:SetYBNum(30)", "w", "name '' yb 30 '30' money 0 '' bag 'bag' lv qorvddz_roomui_lv_1.png"},
      {"return w:SetMoneyNum(500)", "w", "name '' yb 0 '' money 500 '500' bag 'bag' lv qorvddz_roomui_lv_1.png"},
      {"return w:SetMoneyNum(500, true, 'not read')", "w", "name '' yb 0 '' money 500 '500' bag 'bag' lv qorvddz_roomui_lv_1.png"},
      {"return w:SetExp(305)", "w", "name '' yb 0 '' money 0 '' bag 'bag' lv qorvddz_roomui_lv_3.png"},
      {"w:SetYBNum(12) return w:GetYBNum()", "12", "name '' yb 12 '12' money 0 '' bag 'bag' lv qorvddz_roomui_lv_1.png"},
      {"w:SetMoneyNum(640) return w:GetMoneyNum()", "640", "name '' yb 0 '' money 640 '640' bag 'bag' lv qorvddz_roomui_lv_1.png"},
      {"return w:FreshCmpValue(seated:GetPlayerNode(0))", "w",
       "name '' yb 0 '' money 0 '71' bag '2" + GameText(BottomUI::kCmpUnitText[0]) + "9" +
           GameText(BottomUI::kCmpUnitText[1]) + "' lv qorvddz_roomui_lv_1.png"},
      // the bag text goes too unless told otherwise
      {"w:SetMoneyNum(9) return w:ClearCmpSelfInfo()", "w", "name '' yb 0 '' money 9 '' bag '' lv qorvddz_roomui_lv_1.png"},
      {"w:SetMoneyNum(9) return w:ClearCmpSelfInfo(false, 'not read')", "w", "name '' yb 0 '' money 9 '' bag 'bag' lv qorvddz_roomui_lv_1.png"},
      {"w:SetMoneyNum(9) return w:ClearCmpSelfInfo(true)", "w", "name '' yb 0 '' money 9 '' bag '' lv qorvddz_roomui_lv_1.png"},
      {"return w:ShowBottomSelfInfo(false)", "w", fresh + " hidden"},
      {"return w:IsVisible()", "true", fresh},
      {"w:setVisible(false) return w:IsVisible()", "false", fresh + " hidden"},
      // errors
      {"w:SetUIInfo(w)", "error: invalid pNode in function 'lua_cocos2dx_BottomUI_SetUIInfo'", fresh},
      {"w:SetUserName()", "error: QorvDDZView.BottomUI:SetUserName has wrong number of arguments: 0, was expecting 1\n",
       fresh},
      {"w:SetUserName({})", "error: invalid strUserName in function 'lua_cocos2dx_BottomUI_SetUserName'", fresh},
      {"w:SetMoneyNum()", "error: QorvDDZView.BottomUI:SetMoneyNum has wrong number of arguments: 0, was expecting 1\n",
       fresh},
      {"w:SetMoneyNum('5')", "error: invalid iYBNum in function 'lua_cocos2dx_BottomUI_SetMoneyNum'", fresh},
      {"w:SetMoneyNum(5, 1)", "error: invalid bPlayAni in function 'lua_cocos2dx_BottomUI_SetMoneyNum'", fresh},
      {"w:ClearCmpSelfInfo('x')", "error: invalid bClearBagInfo in function 'lua_cocos2dx_BottomUI_ClearCmpSelfInfo'",
       fresh},
      {"w:FreshCmpValue()",
       "error: QorvDDZView.BottomUI:FreshCmpValue has wrong number of arguments: 0, was expecting 1\n", fresh},
      {"w:SetExp(true)", "error: invalid iExp in function 'lua_cocos2dx_BottomUI_SetExp'", fresh},
      {"w:GetYBNum(1)", "error: QorvDDZView.BottomUI:GetYBNum has wrong number of arguments: 1, was expecting 0\n", fresh},
      {"w:IsVisible(1)", "error: QorvDDZView.BottomUI:IsVisible has wrong number of arguments: 1, was expecting 0\n",
       fresh},
  };
  for (const BarCase& c : cases) {
    SCOPED_TRACE(c.body);
    BottomUI* bar = made(c.body);
    EXPECT_EQ(Outcome(c.body), c.outcome);
    EXPECT_EQ(describe(bar), c.state);
    bar->removeFromParent();
  }
  // Made from Lua the bar is a plain one, for a view or none.
  EXPECT_EQ(Run("return QorvDDZView.BottomUI:new(nil):SetMoneyNum(7):GetMoneyNum()"), "7");
}

// Every member after `destroy` reaches the bar's own version of the operation.
TEST_F(BarBindingsTest, TopUIBaseCallsReachADerivedBar) {
  struct TopCase {
    const char* body;
    const char* outcome;
    const char* calls;
  };
  const std::vector<TopCase> cases = {
      {"return w:SetFinalPoint()", "w", "SetFinalPoint -1"},
      {"return w:SetFinalPoint(3, 'not read')", "w", "SetFinalPoint 3"},
      {"return w:SetTimes()", "w", "SetTimes -1 false"},
      {"return w:SetTimes(8)", "w", "SetTimes 8 false"},
      {"return w:SetTimes(8, true, 'not read')", "w", "SetTimes 8 true"},
      {"return w:AddJPQCard({3, 16, 3})", "w", "AddJPQCard 3 16 3"},
      {"return w:AddJPQCard({})", "w", "AddJPQCard"},
      {"return w:ClearJQPCard()", "w", "ClearJQPCard"},
      {"return w:ShowCardCounter(true)", "w", "ShowCardCounter true"},
      {"return w:SetNumVisible(false)", "w", "SetNumVisible false"},
      {"return w:OnSendTalkMsg(4)", "w", "OnSendTalkMsg 4"},
      {"return w:OnSendFaceMsg(6)", "w", "OnSendFaceMsg 6"},
      {"return w:CloseOtherWin(2)", "w", "CloseOtherWin 2"},
      {"return w:SetTalkBtnEnabled(true)", "w", "SetTalkBtnEnabled true"},
      {"return w:SetCardCountBtnEnabled(false)", "w", "SetCardCountBtnEnabled false"},
      {"return w:SetBtnOnState(1)", "w", "SetBtnOnState 1"},
      // errors: nothing reached
      {"w:SetFinalPoint('x')", "error: invalid iFinalPoint in function 'lua_cocos2dx_TopUIBase_SetFinalPoint'", "nothing"},
      {"w:SetTimes(2, 'x')", "error: invalid bShowAni in function 'lua_cocos2dx_TopUIBase_SetTimes'", "nothing"},
      {"w:AddJPQCard()", "error: QorvDDZView.TopUIBase:AddJPQCard has wrong number of arguments: 0, was expecting 1\n",
       "nothing"},
      {"w:AddJPQCard({1, 'x'})", "error: invalid vcSendCard in function 'lua_cocos2dx_TopUIBase_AddJPQCard'", "nothing"},
      {"w:ClearJQPCard(1)", "error: QorvDDZView.TopUIBase:ClearJQPCard has wrong number of arguments: 1, was expecting 0\n",
       "nothing"},
      {"w:ShowCardCounter(1)", "error: invalid bShow in function 'lua_cocos2dx_TopUIBase_ShowCardCounter'", "nothing"},
      {"w:OnSendTalkMsg()",
       "error: QorvDDZView.TopUIBase:OnSendTalkMsg has wrong number of arguments: 0, was expecting 1\n", "nothing"},
      {"w:OnSendFaceMsg('a')", "error: invalid iFaceIndex in function 'lua_cocos2dx_TopUIBase_OnSendFaceMsg'",
       "nothing"},
      {"w:CloseOtherWin(nil)", "error: invalid iOpenLayer in function 'lua_cocos2dx_TopUIBase_CloseOtherWin'",
       "nothing"},
      {"w:SetBtnOnState(1, 2)",
       "error: QorvDDZView.TopUIBase:SetBtnOnState has wrong number of arguments: 2, was expecting 1\n", "nothing"},
      {"w:SetTalkBtnEnabled(0)", "error: invalid bShow in function 'lua_cocos2dx_TopUIBase_SetTalkBtnEnabled'",
       "nothing"},
  };
  for (const TopCase& c : cases) {
    SCOPED_TRACE(c.body);
    auto* bar = new RecordingTopBar();
    bar->autorelease();
    SetGlobal("w", bar);
    EXPECT_EQ(Outcome(c.body), c.outcome);
    EXPECT_EQ(Joined(bar->calls), c.calls);
  }
  // A bare bar made by a script takes the calls and does nothing with them.
  EXPECT_EQ(Run("local b = QorvDDZView.TopUIBase:new(v) b:SetTimes(2, true) b:SetTalkBtnEnabled(false) "
                "b:ClearJQPCard() return b:destroy() ~= nil"),
            "true");
}

TEST_F(BarBindingsTest, GameSoundDDZ) {
  GameSoundDDZ* player = GameSoundDDZ::shareGameSoundDDZ();
  struct SoundCase {
    std::string body;
    std::string outcome;
    std::string calls;
  };
  const std::string voice = "effect ddzSound/" + std::to_string(GameSoundDDZ::VoiceNumber(3, 16)) + ".mp3";
  const std::vector<SoundCase> cases = {
      {"return s:PlayerTalk('hello.ogg')", "s", "effect ddzSound/hello.ogg"},
      {"return s:PlayerTalk(3, 16)", "s", voice},
      {"return s:PlayerTalkCard(1, 32, 14)", "s", "effect ddzSound/0_2_14.mp3"},
      {"return s:PlayBackGroundMusic()", "s", "stop; loop ddzSound/0.mp3"},
      {"return s:PlayBackGroundMusic(5)", "s", "stop; once ddzSound/1000.mp3"},
      {"return s:PlayBackGroundMusic('m.mp3')", "s", "stop; loop ddzSound/m.mp3"},
      {"return s:PlayBackGroundMusic(true)", "s", "stop; loop ddzSound/2.mp3"},
      {"return s:PlayBackGroundMusic(false)", "s", "stop; loop ddzSound/0.mp3"},
      {"return s:PlayBackGroundMusic({})", "s", "nothing"},
      {"return s:PlayBackGroundMusic('m.mp3', false)", "s", "stop; once ddzSound/m.mp3"},
      {"return s:PlayCompeteBackgroundMusic(2)", "s", "stop; loop ddzSound/ddzcompete_background_2.mp3"},
      {"return s:PlayGameSound(23)", "s", "effect ddzSound/2008.mp3"},
      {"return s:PlayGameSound('boom.mp3')", "s", "effect ddzSound/boom.mp3"},
      {"return s:PlayGameSound(true)", "s", "nothing"},
      {"return s:PlayGameSound(5, 'x.mp3')", "s", "effect ddzSound/0_5_x.mp3"},
      {"return s:StopBackgroundMusic()", "s", "stop"},
      {"return s:StopAllSound()", "s", "stop all"},
      // indexes outside the player's tables reach it as they are: nothing sounds
      {"s:PlayerTalk(1, 39) s:PlayerTalk(2, -1) s:PlayGameSound(40) return s:PlayBackGroundMusic(6)", "s", "nothing"},
      // the members that read no object, on the class table
      {"return QorvDDZView.GameSoundDDZ:PlayGameSound(0)", "class", "effect ddzSound/3.mp3"},
      {"return QorvDDZView.GameSoundDDZ:PlayerTalk(3, 16)", "class", voice},
      {"return QorvDDZView.GameSoundDDZ:PlayBackGroundMusic(5)", "class", "stop; once ddzSound/1000.mp3"},
      {"return QorvDDZView.GameSoundDDZ:StopAllSound()", "class", "stop all"},
      // errors: nothing plays
      {"s:PlayerTalk()", "error: QorvDDZView.GameSoundDDZ:PlayerTalk has wrong number of arguments: 0, was expecting 1\n",
       "nothing"},
      {"s:PlayerTalk(1, 2, 3)",
       "error: QorvDDZView.GameSoundDDZ:PlayerTalk has wrong number of arguments: 3, was expecting 1\n", "nothing"},
      {"s:PlayerTalk({})", "error: invalid strSoundName in function 'lua_cocos2dx_GameSoundDDZ_PlayerTalk'", "nothing"},
      {"s:PlayerTalk(1, 'a')", "error: invalid iTalkIndex in function 'lua_cocos2dx_GameSoundDDZ_PlayerTalk'",
       "nothing"},
      {"s:PlayerTalkCard(1, 2)",
       "error: QorvDDZView.GameSoundDDZ:PlayerTalkCard has wrong number of arguments: 2, was expecting 3\n", "nothing"},
      {"s:PlayBackGroundMusic(1, 2, 3)",
       "error: QorvDDZView.GameSoundDDZ:PlayBackGroundMusic has wrong number of arguments: 3, was expecting 0\n",
       "nothing"},
      {"s:PlayBackGroundMusic({}, true)",
       "error: invalid strBkMusicName in function 'lua_cocos2dx_GameSoundDDZ_PlayBackGroundMusic'", "nothing"},
      {"s:PlayBackGroundMusic('m.mp3', 1)",
       "error: invalid bLoop in function 'lua_cocos2dx_GameSoundDDZ_PlayBackGroundMusic'", "nothing"},
      {"s:PlayGameSound()",
       "error: QorvDDZView.GameSoundDDZ:PlayGameSound has wrong number of arguments: 0, was expecting 1\n", "nothing"},
      {"s:PlayGameSound('a', 'b')", "error: invalid iHeadIndex in function 'lua_cocos2dx_GameSoundDDZ_PlayGameSound'",
       "nothing"},
      {"s:PlayGameSound(1, {})", "error: invalid strSoundName in function 'lua_cocos2dx_GameSoundDDZ_PlayGameSound'",
       "nothing"},
      {"s:StopAllSound(1)",
       "error: QorvDDZView.GameSoundDDZ:StopAllSound has wrong number of arguments: 1, was expecting 0\n", "nothing"},
      // the two music forms that play the player's own tracks need the player
      {"QorvDDZView.GameSoundDDZ:PlayBackGroundMusic()",
       "error: invalid 'cobj' in function 'lua_cocos2dx_GameSoundDDZ_PlayBackGroundMusic'", "nothing"},
      {"QorvDDZView.GameSoundDDZ:PlayBackGroundMusic(true)",
       "error: invalid 'cobj' in function 'lua_cocos2dx_GameSoundDDZ_PlayBackGroundMusic'", "nothing"},
  };
  ASSERT_EQ(Run("s = QorvDDZView.GameSoundDDZ:shareGameSoundDDZ() w = s"), "nil");
  for (const SoundCase& c : cases) {
    SCOPED_TRACE(c.body);
    player->m_iMusicIndex = 0;
    SoundCalls();
    std::string outcome = Outcome(c.body);
    if (outcome == "w") outcome = "s";
    if (outcome == "{}") outcome = "class";  // the class table it was called on
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(Joined(SoundCalls()), c.calls);
  }
  // The player is the one the program plays through, under its own type.
  lua_getglobal(L, "s");
  EXPECT_EQ(tolua_tousertype(L, -1, nullptr), static_cast<void*>(player));
  EXPECT_TRUE(luaval_is_usertype(L, -1, "QorvDDZView.GameSoundDDZ", 0));
  lua_settop(L, 0);
  EXPECT_EQ(Error("QorvDDZView.GameSoundDDZ:shareGameSoundDDZ(1)"),
            "QorvDDZView.GameSoundDDZ:shareGameSoundDDZ has wrong number of arguments: 1, was expecting 0\n");
}
