// The seat widgets driven from Lua: the head (each of its six names does its
// own operation with its own result), the status marks, the speech bubbles
// and another player's popup, each call on a fresh widget against what the
// widget then shows; and the count and argument errors.
#include <string>
#include <vector>

#include "ScriptTestSupport.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/gamebase/GameRecords.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "table/GameSoundDDZ.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/TalkLayer.h"

using scripttest::PointText;
using scripttest::SeatedView;
using scripttest::WidgetScriptTest;

namespace {

using SeatWidgetBindingsTest = WidgetScriptTest;

std::string HeadState(PlayerShow* head) {
  const cocos2d::Sprite* image = head->GetHeadImage();
  char scale[16];
  std::snprintf(scale, sizeof scale, "%g", image->getScale());
  return "head " + std::to_string(head->GetHeadID()) + " at " + PointText(image->getPosition()) + " x" + scale +
         (image->isVisible() ? "" : " hidden") + " act " + std::to_string(head->GetLastAct()) +
         (image->getNumberOfRunningActions() > 0 ? " moving" : "");
}

// The marks up: their frames at their places; the boxes with their texts.
std::string MarksState(PlayerGameInfo* info) {
  std::string s;
  const auto mark = [&](const char* what, const cocos2d::Sprite* sprite) {
    if (sprite == nullptr) return;
    char scale[16];
    std::snprintf(scale, sizeof scale, "%g", sprite->getScale());
    s += std::string(s.empty() ? "" : " ") + what + ":" + sprite->getDisplayName() + "@" +
         PointText(sprite->getPosition());
    if (sprite == info->GetLandOwner()) s += std::string(" x") + scale;
  };
  mark("ready", info->GetReady());
  mark("point", info->GetPoint());
  mark("pass", info->GetPass());
  mark("offline", info->GetOffLine());
  mark("delay", info->GetNetDelay());
  mark("auto", info->GetTuoGuan());
  mark("double", info->GetAddPound());
  mark("nomoney", info->GetNoMoney());
  mark("money", info->GetMoneyBg());
  if (info->GetMoneyLabel()) s += " '" + info->GetMoneyLabel()->getString() + "'";
  mark("wait", info->GetWaitFarmerMul());
  mark("hat", info->GetLandOwner());
  mark("amount", info->GetAmountBg());
  if (info->GetAmountLabel()) s += " '" + info->GetAmountLabel()->getString() + "'";
  if (info->GetFaceSpine()) s += s.empty() ? "face" : " face";
  return s.empty() ? "none" : s;
}

// The text of a bubble (its label), or "-" for none.
std::string BubbleText(const cocos2d::Node* bubble) {
  if (bubble == nullptr) return "-";
  for (const cocos2d::Node* child : bubble->getChildren())
    if (auto* label = dynamic_cast<const cocos2d::Label*>(child)) return label->getString();
  return "?";
}

std::string BubblesState(TalkTip* tip) {
  std::string s;
  for (int seat = 0; seat < TalkTip::kSeats; ++seat) s += (seat ? " " : "") + BubbleText(tip->GetBubble(seat));
  if (tip->GetRandomTip() != nullptr) s += " tip";
  return s;
}

}  // namespace

TEST_F(SeatWidgetBindingsTest, PlayerShowsSixNamesEachDoTheirOwnOperation) {
  const std::string fresh = "head -1 at 0,0 x1 act 0";
  const std::string shown = "w:IniImage(6, {x = 10, y = 20}, 0.5) ";
  RunCases<PlayerShow>(
      "QorvDDZView.PlayerShow:new(1) scene:addChild(w)",
      {
          {"return w:IniImage(3)", "w", "head 3 at 0,0 x1 act 0"},
          {"return " + shown, "w", "head 6 at 10,20 x0.5 act 0"},
          {shown + "return w:IniImage(2, {x = 1, y = 2}, 2, 'not read')", "w", "head 2 at 1,2 x2 act 0"},
          // the head's own index, not a new head
          {shown + "return w:GetImageIndex()", "6", "head 6 at 10,20 x0.5 act 0"},
          {"return w:GetImageIndex()", "-1", fresh},
          {shown + "return w:RemoveImage()", "w", "head -1 at 10,20 x0.5 hidden act 0"},
          {shown + "w:RemoveImage() return w:IniImage(4)", "w", "head 4 at 0,0 x1 act 0"},
          {shown + "return w:ShowPlayerAct(2, false)", "w", "head 6 at 10,20 x0.5 act 2"},
          {shown + "return w:ShowPlayerAct(3, true)", "w", "head 6 at 10,20 x0.5 act 3 moving"},
          {shown + "return w:ShowPlayerAct(7, true)", "w", "head 6 at 10,20 x0.5 act 0"},
          {shown + "return w:GetSingleNickNameIndex()", "6", "head 6 at 10,20 x0.5 act 0"},
          {"w:IniImage(12) return w:GetSingleNickNameIndex()", "0", "head 12 at 0,0 x1 act 0"},
          {"return w:ConvertPlayerIcon(11)", "3", fresh},
          {"return w:ConvertPlayerIcon(-4)", "0", fresh},
          // errors name each binding
          {"w:IniImage('x')", "error: invalid iImageIndex in function 'lua_cocos2dx_PlayerShow_IniImage'", fresh},
          {"w:IniImage(1, 5)", "error: invalid ptPos in function 'lua_cocos2dx_PlayerShow_IniImage'", fresh},
          {"w:IniImage(1, {x = 1, y = 1}, false)", "error: invalid fScale in function 'lua_cocos2dx_PlayerShow_IniImage'",
           fresh},
          {"w:GetImageIndex(-1)",
           "error: QorvDDZView.PlayerShow:GetImageIndex has wrong number of arguments: 1, was expecting 0\n", fresh},
          {"w:RemoveImage(1)",
           "error: QorvDDZView.PlayerShow:RemoveImage has wrong number of arguments: 1, was expecting 0\n", fresh},
          {"w:ShowPlayerAct(2)",
           "error: QorvDDZView.PlayerShow:ShowPlayerAct has wrong number of arguments: 1, was expecting 2\n", fresh},
          {"w:ShowPlayerAct(2, 1)", "error: invalid bPlayAni in function 'lua_cocos2dx_PlayerShow_ShowPlayerAct'",
           fresh},
          {"w:ShowPlayerAct('2', true)", "error: invalid iAct in function 'lua_cocos2dx_PlayerShow_ShowPlayerAct'",
           fresh},
          {"w:GetSingleNickNameIndex(1)",
           "error: QorvDDZView.PlayerShow:GetSingleNickNameIndex has wrong number of arguments: 1, was expecting 0\n",
           fresh},
          {"w:ConvertPlayerIcon()",
           "error: QorvDDZView.PlayerShow:ConvertPlayerIcon has wrong number of arguments: 0, was expecting 1\n", fresh},
          {"w:ConvertPlayerIcon({})", "error: invalid iHeadID in function 'lua_cocos2dx_PlayerShow_ConvertPlayerIcon'",
           fresh},
      },
      std::function<std::string(PlayerShow*)>(HeadState));

  // No argument: a head at random among the icons, at the origin, unscaled.
  auto* head = Global<PlayerShow>("w", "QorvDDZView.PlayerShow:new(0) w:IniImage()");
  ASSERT_NE(head, nullptr);
  EXPECT_GE(head->GetHeadID(), 0);
  EXPECT_LT(head->GetHeadID(), NewPlayerHead::kHeadIconCount);
  EXPECT_EQ(head->GetHeadImage()->getPosition(), cocos2d::Vec2::ZERO);
  EXPECT_EQ(head->GetHeadImage()->getScale(), 1.0f);
  EXPECT_EQ(Run("return w:GetImageIndex()"), std::to_string(head->GetHeadID()));
  // The icon needs no head.
  EXPECT_EQ(Run("return QorvDDZView.PlayerShow:ConvertPlayerIcon(9)"), "1");
}

TEST_F(SeatWidgetBindingsTest, PlayerGameInfo) {
  const std::string pt = "{x = 30, y = 40}";
  RunCases<PlayerGameInfo>(
      "QorvDDZView.PlayerGameInfo:new(1) scene:addChild(w)",
      {
          {"return w:ShowCompeteTuoGuan(true, " + pt + ")", "w", "auto:ddzcompete_gameinfo_tuoguan.png@30,40"},
          {"return w:ShowCompetePass(true, " + pt + ")", "w", "pass:ddzcompete_tips_pass.png@30,40"},
          {"return w:ShowCompeteReady(true, " + pt + ")", "w", "ready:qorvddz_tips_wait.png@30,40"},
          {"return w:ShowCompetePoint(true, 2, " + pt + ")", "w", "point:ddzcompete_tips_point_2.png@30,40"},
          {"return w:ShowCompeteAmount(true, 300, " + pt + ")", "w", "amount:ddzcompete_tips_jifen_bg.png@30,40 '300'"},
          {"w:ShowCompeteAmount(true, 300, " + pt + ") return w:UpdateCompeteAmount(450)", "w",
           "amount:ddzcompete_tips_jifen_bg.png@30,40 '450'"},
          {"return w:ShowReady(true, " + pt + ")", "w", "ready:qorvddz_tips_wait.png@30,40"},
          {"return w:ShowPoint(true, 3, " + pt + ")", "w", "point:qorvddz_point_3.png@30,40"},
          // the entrance starts large; a re-login's hat is at rest at once
          {"return w:ShowLandOwner(true, " + pt + ")", "w", "hat:qorvddz_dizhu.png@640,360 x1"},
          {"return w:ShowLandOwner(true, " + pt + ", true, 'not read')", "w", "hat:qorvddz_dizhu.png@30,40 x0.5"},
          {"return w:ShowPass(true, " + pt + ")", "w", "pass:qorvddz_tips_pass.png@30,40"},
          {"return w:ShowOffLine(true, " + pt + ")", "w", "offline:zlixianzhong.png@30,40"},
          {"return w:ShowNetDelay(true, " + pt + ")", "w", "delay:zwangluoyanshi.png@30,40"},
          {"return w:ShowAddPound(true, " + pt + ")", "w", "double:ddzq_jb.png@30,40"},
          {"return w:ShowWaitFarmerMul(true, " + pt + ")", "w", "wait:ddzq_tips_jb_waiting.png@30,40"},
          {"return w:ShowPlayerMoneInfo(true, 1200, " + pt + ")", "w", "money:qorvddz_chat_2.png@30,40 '1200'"},
          {"return w:ShowPlayerMoneInfo(true, 1200, " + pt + ", true, 'not read')", "w",
           "money:qorvddz_chat_2.png@30,40 '1200'"},
          {"return w:ShowNoMoneyTips(true, " + pt + ")", "w", "nomoney:ddzq_pch.png@30,40"},
          {"w:ShowLandOwner(true, " + pt + ", true) return w:ShowLandOwnerAni()", "w",
           "hat:qorvddz_dizhu.png@30,40 x0.5"},
          {"return w:ShowFaceSpine(3, true)", "w", "face"},
          {"return w:ShowFdAmount(true, 7, " + pt + ")", "w", "amount:fdddz_pyj_wjjf_bg.png@30,40 '7'"},
          {"w:ShowFdAmount(true, 7, " + pt + ") return w:UpdateFdAmount(9)", "w",
           "amount:fdddz_pyj_wjjf_bg.png@30,40 '9'"},
          {"w:ShowPass(true, " + pt + ") return w:ShowPass(false, " + pt + ")", "w", "none"},
          // errors
          {"w:ShowCompetePoint(true, 2)",
           "error: QorvDDZView.PlayerGameInfo:ShowCompetePoint has wrong number of arguments: 2, was expecting 3\n",
           "none"},
          {"w:ShowReady(true)", "error: QorvDDZView.PlayerGameInfo:ShowReady has wrong number of arguments: 1, was expecting 2\n",
           "none"},
          {"w:ShowPass(1, " + pt + ")", "error: invalid bShow in function 'lua_cocos2dx_PlayerGameInfo_ShowPass'", "none"},
          {"w:ShowOffLine(true, {y = 1})", "error: invalid pt in function 'lua_cocos2dx_PlayerGameInfo_ShowOffLine'",
           "none"},
          {"w:ShowPoint(true, 'x', " + pt + ")", "error: invalid iAmount in function 'lua_cocos2dx_PlayerGameInfo_ShowPoint'",
           "none"},
          {"w:ShowCompetePoint(true, nil, " + pt + ")",
           "error: invalid iPoint in function 'lua_cocos2dx_PlayerGameInfo_ShowCompetePoint'", "none"},
          {"w:ShowLandOwner(true)",
           "error: QorvDDZView.PlayerGameInfo:ShowLandOwner has wrong number of arguments: 1, was expecting 2\n", "none"},
          {"w:ShowLandOwner(true, " + pt + ", 0)",
           "error: invalid bLogin in function 'lua_cocos2dx_PlayerGameInfo_ShowLandOwner'", "none"},
          {"w:ShowPlayerMoneInfo(true, 5)",
           "error: QorvDDZView.PlayerGameInfo:ShowPlayerMoneInfo has wrong number of arguments: 2, was expecting 3\n",
           "none"},
          {"w:ShowPlayerMoneInfo(true, 5, " + pt + ", 'x')",
           "error: invalid bPlayAni in function 'lua_cocos2dx_PlayerGameInfo_ShowPlayerMoneInfo'", "none"},
          {"w:ShowFaceSpine(3)",
           "error: QorvDDZView.PlayerGameInfo:ShowFaceSpine has wrong number of arguments: 1, was expecting 2\n", "none"},
          {"w:ShowFaceSpine(3, true, 'x')",
           "error: invalid fDelay in function 'lua_cocos2dx_PlayerGameInfo_ShowFaceSpine'", "none"},
          {"w:UpdateFdAmount()",
           "error: QorvDDZView.PlayerGameInfo:UpdateFdAmount has wrong number of arguments: 0, was expecting 1\n", "none"},
          {"w:UpdateCompeteAmount(true)",
           "error: invalid iAmount in function 'lua_cocos2dx_PlayerGameInfo_UpdateCompeteAmount'", "none"},
          {"w:ShowLandOwnerAni(1)",
           "error: QorvDDZView.PlayerGameInfo:ShowLandOwnerAni has wrong number of arguments: 1, was expecting 0\n",
           "none"},
      },
      std::function<std::string(PlayerGameInfo*)>(MarksState));
}

// ShowFaceSpine's delay, 50 s when left out: the face stays that long.
TEST_F(SeatWidgetBindingsTest, TheFaceStaysFiftySecondsByDefault) {
  struct DelayCase {
    const char* call;
    float seconds;
  };
  for (const DelayCase& c : {DelayCase{"w:ShowFaceSpine(3, true)", 50}, DelayCase{"w:ShowFaceSpine(3, true, 2.5)", 2.5f},
                             DelayCase{"w:ShowFaceSpine(3, true, 2.5, 'not read')", 2.5f}}) {
    SCOPED_TRACE(c.call);
    auto* info = Global<PlayerGameInfo>("w", "QorvDDZView.PlayerGameInfo:new(2) scene:addChild(w)");
    ASSERT_EQ(Run(c.call), "nil");
    const int frames = static_cast<int>(c.seconds * 60);
    tick(frames - 30);
    EXPECT_NE(info->GetFaceSpine(), nullptr);
    tick(60);
    EXPECT_EQ(info->GetFaceSpine(), nullptr);
    ASSERT_EQ(Run("w:removeFromParent()"), "nil");
  }
}

TEST_F(SeatWidgetBindingsTest, TalkTip) {
  const std::string phrase = GameText(ddz::chat::PhraseTextLine(3, 4));
  const std::string none = "- - - -";
  RunCases<TalkTip>(
      "QorvDDZView.TalkTip:new() scene:addChild(w)",
      {
          {"return w:Talk(2, 'hello')", "w", "- - hello -"},
          {"return w:Talk(0, 3, 4)", "w", phrase + " - - -"},
          {"return w:TalkFreeTxt(1, 'notice')", "w", "- notice - -"},
          {"w:StartFreeTip() return w:StopFreeTip()", "w", none},
          // seats and phrases the bubbles do not have: the values arrive as
          // they are and nothing shows
          {"return w:Talk(3, 'four seats only')", "w", none},
          {"return w:Talk(-1, 'x')", "w", none},
          {"return w:Talk(0, 3, 5)", "w", none},
          {"return w:Talk(7, 3, 0)", "w", none},
          {"return w:TalkFreeTxt(4, 'x')", "w", none},
          // errors
          {"w:Talk(1, 2, 3, 4)", "error: QorvDDZView.TalkTip:Talk has wrong number of arguments: 4, was expecting 2\n",
           none},
          {"w:Talk(1)", "error: QorvDDZView.TalkTip:Talk has wrong number of arguments: 1, was expecting 2\n", none},
          {"w:Talk(1, {})", "error: invalid strText in function 'lua_cocos2dx_TalkTip_Talk'", none},
          {"w:Talk('a', 'b')", "error: invalid iTablePos in function 'lua_cocos2dx_TalkTip_Talk'", none},
          {"w:Talk(1, 'b', 3)", "error: invalid iHeadIndex in function 'lua_cocos2dx_TalkTip_Talk'", none},
          {"w:Talk(1, 2, 'c')", "error: invalid iTalkIndex in function 'lua_cocos2dx_TalkTip_Talk'", none},
          {"w:TalkFreeTxt(1)", "error: QorvDDZView.TalkTip:TalkFreeTxt has wrong number of arguments: 1, was expecting 2\n",
           none},
          {"w:TalkFreeTxt(1, nil)", "error: invalid strText in function 'lua_cocos2dx_TalkTip_TalkFreeTxt'", none},
          {"w:StartFreeTip(1)",
           "error: QorvDDZView.TalkTip:StartFreeTip has wrong number of arguments: 1, was expecting 0\n", none},
      },
      std::function<std::string(TalkTip*)>(BubblesState));
}

// A phrase speaks with the head's voice; a phrase the bubbles do not have
// neither shows nor speaks.
TEST_F(SeatWidgetBindingsTest, TalkPassesItsIndexesToTheBubblesAndTheVoice) {
  ASSERT_NE(Global<TalkTip>("w", "QorvDDZView.TalkTip:new() scene:addChild(w)"), nullptr);
  SoundCalls();
  ASSERT_EQ(Run("w:Talk(1, 3, 4)"), "nil");
  EXPECT_EQ(SoundCalls(), std::vector<std::string>{"effect ddzSound/" +
                                                 std::to_string(GameSoundDDZ::VoiceNumber(3, 24)) + ".mp3"});
  ASSERT_EQ(Run("w:Talk(1, 3, 5) w:Talk(1, 3, -1) w:Talk(5, 3, 1)"), "nil");
  EXPECT_TRUE(SoundCalls().empty());
}

// The idle tip every 120 s after StartFreeTip (started twice, still one);
// StopFreeTip stops it and takes the tip that is up.
TEST_F(SeatWidgetBindingsTest, TheIdleTipRunsFromStartToStop) {
  auto* tip = Global<TalkTip>("w", "QorvDDZView.TalkTip:new() scene:addChild(w) w:StartFreeTip() w:StartFreeTip()");
  ASSERT_NE(tip, nullptr);
  const auto seconds = [&](int n) {
    for (int i = 0; i < n; ++i) director->mainLoop(1.0f);
  };
  seconds(119);
  EXPECT_EQ(tip->GetRandomTip(), nullptr);
  seconds(2);
  ASSERT_NE(tip->GetRandomTip(), nullptr);
  EXPECT_EQ(tip->GetRandomTip()->getParent(), tip);
  ASSERT_EQ(Run("w:StopFreeTip()"), "nil");
  EXPECT_EQ(tip->GetRandomTip(), nullptr);
  seconds(250);
  EXPECT_EQ(tip->GetRandomTip(), nullptr);
}

TEST_F(SeatWidgetBindingsTest, OtherPlayerInfo) {
  auto* view = new SeatedView();
  ASSERT_TRUE(view->init());
  view->autorelease();
  PlayerNode node{};
  std::snprintf(node.szUserName, sizeof node.szUserName, "%s", "Lily");
  view->Seat(0, node);
  scene->addChild(view);
  SetGlobal("seated", view);
  GameSceneBase::m_pGameView = view;  // the popups' view
  const auto describe = [](OtherPlayerInfo* info) {
    std::string s = std::string(info->isVisible() ? "shown" : "hidden");
    if (auto* name = info->GetLine(1)) s += " '" + name->getString() + "'";
    return s;
  };
  RunCases<OtherPlayerInfo>(
      "QorvDDZView.OtherPlayerInfo:new(0) seated:addChild(w)",
      {
          {"return w:IniPlayerInfo(seated:GetPlayerNode(0))", "w", "hidden 'Lily'"},
          // the view's table kind comes from a script event run inside the call;
          // the call still returns its object
          {"seated:RegisterLuaHandlerQorvDDZView(0, function() return 7 end) "
           "local r = w:IniPlayerInfo(seated:GetPlayerNode(0)) seated:UnRegisterLuaHandlerQorvDDZView(0) return r",
           "w", "hidden 'Lily'"},
          {"return w:IniPlayerInfo(nil)", "w", "hidden ''"},
          {"return w:ShowInfo(true)", "w", "shown ''"},
          {"w:ShowInfo(true) return w:ShowInfo(false)", "w", "hidden ''"},
          {"return w:GetTablePos()", "0", "hidden ''"},
          {"w:IniPlayerInfo()",
           "error: QorvDDZView.OtherPlayerInfo:IniPlayerInfo has wrong number of arguments: 0, was expecting 1\n",
           "hidden ''"},
          {"w:IniPlayerInfo(w)", "error: invalid pNode in function 'lua_cocos2dx_OtherPlayerInfo_IniPlayerInfo'",
           "hidden ''"},
          {"w:ShowInfo('yes')", "error: invalid bShow in function 'lua_cocos2dx_OtherPlayerInfo_ShowInfo'", "hidden ''"},
          {"w:GetTablePos(0)",
           "error: QorvDDZView.OtherPlayerInfo:GetTablePos has wrong number of arguments: 1, was expecting 0\n",
           "hidden ''"},
      },
      std::function<std::string(OtherPlayerInfo*)>(describe));
  EXPECT_EQ(Run("return QorvDDZView.OtherPlayerInfo:new(2):GetTablePos()"), "2");
}

// `new` of a seat widget reads its seat before it makes anything: a wrong seat
// raises its argument error and leaves nothing allocated behind (the leak
// checker of the test run watches the three makers).
TEST_F(SeatWidgetBindingsTest, ANewWithAWrongSeatRaisesAndMakesNothing) {
  for (const char* cls : {"PlayerShow", "PlayerGameInfo", "OtherPlayerInfo"}) {
    SCOPED_TRACE(cls);
    const std::string script = std::string("return QorvDDZView.") + cls + ":new({})";
    EXPECT_EQ(Run(script), "error: [string \"" + script + "\"]:1: invalid iTablePos in function 'lua_cocos2dx_" + cls +
                               "_constructor'");
  }
}
