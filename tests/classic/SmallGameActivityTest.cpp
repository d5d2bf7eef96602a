// The classic table's mini-game and activity messages: 35, 41 and 34 by kind,
// request 41 as it goes out, CloseSmallGame by reason, and the activity bar
// and new-player award the table builds. The mini-game layer is a recording
// stand-in handed to the view through its maker.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "HandTestSupport.h"
#include "cards/SelfHandCard.h"
#include "classic/SmallGamePort.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/NewPlayerAward.h"
#include "widgets/ResultLayer.h"

namespace classictest {
namespace {

// Records what the table hands it; ends as the real layer does: out of the
// view first, then the view is told, then it goes on using itself.
class StandInGame : public YndGameLayer, public ISmallGameLayer {
 public:
  YndGameLayer* AsLayer() override { return this; }
  void SetGameInfo(int m3, int m2, int m1, int m4, int playerYuanbao) override {
    gameInfo = {m3, m2, m1, m4, playerYuanbao};
  }
  void SetOpenFields(const SmallGameOpenFields& f) override {
    openFields = {f.iM2, f.iMode, f.iCounter, f.iCounterMax, f.iM1, f.iPlayerYuanbao, f.iStart};
  }
  void SetLevelData(const char* msg, int len) override { levels.emplace_back(msg, msg + len); }
  void End(DDZGameView* view, int reason) {
    removeFromParent();
    view->CloseSmallGame(reason);
    endedWith = reason;
  }
  std::vector<int> gameInfo;
  std::vector<int> openFields;
  std::vector<std::string> levels;
  int endedWith = 0;
};

class StandInMaker : public ISmallGameMaker {
 public:
  ISmallGameLayer* MakeSmallGameLayer(DDZGameView*) override {
    auto* layer = new StandInGame();
    layer->autorelease();
    ++made;
    last = layer;
    if (keep) kept.pushBack(layer);
    return layer;
  }
  int made = 0;
  bool keep = true;  // off: only the view holds the layer
  StandInGame* last = nullptr;
  cocos2d::Vector<StandInGame*> kept;
};

class ActivityView : public GameViewPC {
 public:
  static ActivityView* create() {
    auto* view = new ActivityView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<RecordingServer>(this);
    return server.get();
  }
  void HandleSitRes(char* msg, int len) override {
    ++sits;
    GameViewPC::HandleSitRes(msg, len);
  }
  void ResetTable() override {
    ++resets;
    GameViewPC::ResetTable();
  }
  void Deliver(const Frame& frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    CallBackHandleMainSocketNetMsg(copy.data(), static_cast<int>(copy.size()));
  }
  std::vector<std::vector<std::uint8_t>> Sent() const {
    return server ? server->frames : std::vector<std::vector<std::uint8_t>>{};
  }
  std::unique_ptr<RecordingServer> server;
  int sits = 0;
  int resets = 0;

 private:
  ActivityView() : GameViewPC(nullptr, nullptr, 62) {}
};

// Message 35: kind, start value, two flags, M1-M4, two activity values.
Frame SmallGameMsg(int kind, int start = 0, int flag1 = 0, int flag2 = 0, std::vector<int> values = {}) {
  Frame f = FrameOf(35, 36);
  f[8] = static_cast<std::uint8_t>(kind);
  f[9] = static_cast<std::uint8_t>(start);
  f[10] = static_cast<std::uint8_t>(flag1);
  f[11] = static_cast<std::uint8_t>(flag2);
  for (std::size_t i = 0; i < values.size() && i < 6; ++i) PutLE(f, 12 + 4 * i, values[i]);
  return f;
}
Frame SmallGameResult(int reason, std::size_t size = 9) {
  Frame f = FrameOf(41, size);
  f[8] = static_cast<std::uint8_t>(reason);
  return f;
}
// Message 34: kind, two flags, four values, then the text.
Frame CounterMsg(int kind, int flag1 = 0, int flag2 = 0, std::vector<int> values = {}, const std::string& text = "") {
  Frame f = FrameOf(34, 28);
  f[8] = static_cast<std::uint8_t>(kind);
  f[10] = static_cast<std::uint8_t>(flag1);
  f[11] = static_cast<std::uint8_t>(flag2);
  for (std::size_t i = 0; i < values.size() && i < 4; ++i) PutLE(f, 12 + 4 * i, values[i]);
  f.insert(f.end(), text.begin(), text.end());
  return f;
}
Frame Request41(int value) {
  Frame f(24, 0);
  f[1] = 41;
  f[2] = 24;
  PutLE(f, 8, value);
  return f;
}

const auto kLeave = static_cast<cocos2d::SEL_MenuHandler>(&GameViewPC::LeaveSmallGame);

class SmallGameTest : public ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    view = ActivityView::create();
    view->SetSmallGameMaker(&maker);
    scene->addChild(view);
    view->SendSitReq();
    view->sits = 0;
    SoundManage::shareSoundManage()->ClearCalls();
  }
  ActivityLayer* bar() const { return view->m_pActivityLayer; }
  GameMsgBox* box() const { return GameMsgBox::shareMessageBox(); }
  bool StandInOnView() const { return maker.last != nullptr && maker.last->getParent() == view; }
  std::vector<SoundManage::Op> SoundOps() const {
    std::vector<SoundManage::Op> ops;
    for (const auto& call : SoundManage::shareSoundManage()->GetCalls()) ops.push_back(call.op);
    return ops;
  }

  StandInMaker maker;
  ActivityView* view = nullptr;
};

// ---------------------------------------------------------------- building

TEST_F(SmallGameTest, TheActivityBarStandsBelowTheTopLeftAndGoesWithTheTable) {
  ASSERT_NE(bar(), nullptr);
  EXPECT_EQ(bar()->getParent(), view);
  EXPECT_EQ(bar()->getPosition(), cocos2d::Vec2(60, 720 - 70));
  EXPECT_EQ(bar()->getLocalZOrder(), 105);
  view->Deliver(CounterMsg(1, 0, 0, {1, 2, 3, 4}));
  view->retain();
  view->removeFromParent();
  EXPECT_EQ(view->m_pActivityLayer, nullptr);
  scene->addChild(view);
  view->release();
  ASSERT_NE(bar(), nullptr);
  EXPECT_TRUE(bar()->GetButtons().empty());  // a fresh bar
}

// ---------------------------------------------------------------- message 35

TEST_F(SmallGameTest, ActivityInfoIsKeptAndSetsTheTimeWindowButtonWithFlagsAndValues) {
  struct Case {
    const char* what;
    int flag1, flag2, value1;
    int state;
  };
  // The button picks the daily window when its third value (here the value
  // at 28) is 0, and counts hands otherwise.
  const Case cases[] = {
      {"whole-day window running now", 0, 24, 0, CGActiveBtn::kRunning},
      {"window later today", 23, 24, 0, CGActiveBtn::kBeforeStart},
      {"five hands left", 9, 11, 5, CGActiveBtn::kCounted},
      {"no hands left", 9, 11, -2, CGActiveBtn::kEnded},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Frame f = SmallGameMsg(1, 4, c.flag1, c.flag2, {11, 22, 33, 44, c.value1, static_cast<int>(Now())});
    view->Deliver(f);
    EXPECT_TRUE(std::equal(f.begin(), f.begin() + 36, std::begin(view->m_ActivityInfo)));
    ASSERT_EQ(bar()->GetButtons().size(), 1u);
    auto* button = dynamic_cast<CGActiveBtn*>(bar()->FindActiveBtn(ActivityLayer::kTypeTimeWindow));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetState(), c.state);
  }
  EXPECT_EQ(maker.made, 0);

  view->Deliver(SmallGameMsg(-1));
  EXPECT_EQ(bar()->FindActiveBtn(ActivityLayer::kTypeTimeWindow), nullptr);
  EXPECT_TRUE(std::all_of(std::begin(view->m_ActivityInfo), std::end(view->m_ActivityInfo),
                          [](std::uint8_t b) { return b == 0; }));
}

TEST_F(SmallGameTest, KindZeroOpensTheMiniGameOnceWithItsValuesMusicAndNoBox) {
  GameViewBase::m_GlobalInfo.iYuanBao = 77;
  GameViewBase::m_GlobalInfo.iSmallBtnType = 3;
  box()->ShowMessage("waiting", 6, view);
  view->Deliver(SmallGameMsg(0, 0, 0, 0, {1, 2, 3, 4}));

  ASSERT_EQ(maker.made, 1);
  EXPECT_TRUE(StandInOnView());
  EXPECT_EQ(maker.last->getLocalZOrder(), 1002);
  EXPECT_EQ(maker.last->getPosition(), g_ptSGGameLayer);
  EXPECT_FLOAT_EQ(maker.last->getScale(), g_ptDDZSmallGameScale);
  EXPECT_EQ(maker.last->gameInfo, (std::vector<int>{3, 2, 1, 4, 77}));  // M3, M2, M1, M4, the yuanbao
  EXPECT_TRUE(view->m_bSmallGameOpen);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iSmallBtnType, 0);
  EXPECT_FALSE(box()->IsOpen());
  const auto& calls = SoundManage::shareSoundManage()->GetCalls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().op, SoundManage::Op::PlayMusic);
  EXPECT_EQ(calls.back().file, "ddzSound/ddzfs_music_bg.mp3");
  EXPECT_TRUE(calls.back().loop);

  StandInGame* first = maker.last;
  SoundManage::shareSoundManage()->ClearCalls();
  view->Deliver(SmallGameMsg(0, 0, 0, 0, {5, 6, 7, 8}));
  EXPECT_EQ(maker.made, 1);
  EXPECT_EQ(view->GetSmallGameLayer(), first);
  EXPECT_EQ(first->gameInfo, (std::vector<int>{3, 2, 1, 4, 77}));
  EXPECT_TRUE(SoundOps().empty());
}

TEST_F(SmallGameTest, ARefusalCodeAsksWithItsCodeAndBothButtonsLeaveTheMiniGame) {
  for (int code : {2, -5, 127}) {
    SCOPED_TRACE(code);
    view->Deliver(SmallGameMsg(code));
    EXPECT_EQ(maker.made, 0);
    ASSERT_TRUE(box()->IsOpen());
    EXPECT_EQ(box()->GetType(), 11);
    EXPECT_EQ(box()->GetText(), ddz::FormatText(GameText(242), code));
    EXPECT_EQ(box()->GetConfirmAction(), kLeave);
    EXPECT_EQ(box()->GetCancelAction(), kLeave);
  }
  EXPECT_EQ(box()->GetText(), "小游戏暂时无法进入（代码127）。");

  view->m_bSmallGameOpen = true;
  ASSERT_TRUE(box()->PressCancel());
  EXPECT_FALSE(view->m_bSmallGameOpen);
  EXPECT_EQ(view->resets, 1);
  EXPECT_EQ(view->sits, 1);  // the escape to another table seats anew
  ASSERT_FALSE(SoundOps().empty());
  EXPECT_EQ(SoundOps().front(), SoundManage::Op::StopMusic);
  EXPECT_EQ(SoundOps().back(), SoundManage::Op::PlayMusic);
}

// ---------------------------------------------------------------- message 41

TEST_F(SmallGameTest, LevelDataGoesWholeToAnOpenLayerAndIsDroppedWithoutOne) {
  Frame level = SmallGameResult(0, 40);
  level[39] = 'z';
  view->Deliver(level);  // nothing open
  EXPECT_EQ(maker.made, 0);
  EXPECT_FALSE(box()->IsOpen());

  view->Deliver(SmallGameMsg(0));
  view->Deliver(level);
  ASSERT_EQ(maker.last->levels.size(), 1u);
  EXPECT_EQ(maker.last->levels[0], std::string(level.begin(), level.end()));
  EXPECT_TRUE(StandInOnView());
}

TEST_F(SmallGameTest, AnEndReasonRemovesTheLayerAndNamesTheReason) {
  struct Case {
    int reason;
    int text;  // 0: no box
  };
  const Case cases[] = {{1, 243}, {2, 244}, {3, 245}, {4, 0}, {255, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    GameMsgBox::destroyMessageBox();
    view->Deliver(SmallGameMsg(0));
    StandInGame* layer = maker.last;
    view->m_iSmallGameState = 5;
    view->Deliver(SmallGameResult(c.reason));
    EXPECT_EQ(layer->getParent(), nullptr);
    EXPECT_EQ(view->GetSmallGameLayer(), nullptr);
    EXPECT_EQ(view->m_iSmallGameState, 0);
    if (c.text == 0) {
      EXPECT_FALSE(box()->IsOpen());
    } else {
      ASSERT_TRUE(box()->IsOpen());
      EXPECT_EQ(box()->GetText(), GameText(c.text));
      EXPECT_EQ(box()->GetType(), 11);
      EXPECT_EQ(box()->GetConfirmAction(), kLeave);
    }
  }
  // A new opening is possible again.
  view->Deliver(SmallGameMsg(0));
  EXPECT_TRUE(StandInOnView());
}

// ---------------------------------------------------------------- message 34

TEST_F(SmallGameTest, CounterActivityInfoThenACountForTheButtonAndTheResultScreen) {
  ResultLayer* result = view->GetResultScreen();  // built with the table, not shown
  ASSERT_NE(result, nullptr);

  view->Deliver(CounterMsg(2, 0, 0, {9}));  // no button yet: nothing is made
  EXPECT_TRUE(bar()->GetButtons().empty());
  EXPECT_EQ(result->m_iActivityTip, -1);

  view->Deliver(CounterMsg(1, 1, 2, {7, 8, 3, 4}, "活动"));
  auto* button = dynamic_cast<TVActiveBtn*>(bar()->FindActiveBtn(ActivityLayer::kTypeCounter));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetCount(), 7);
  EXPECT_EQ(button->GetLeftCount(), 3);

  view->Deliver(CounterMsg(2, 0, 0, {5}));
  EXPECT_EQ(button->GetLeftCount(), 5);
  EXPECT_EQ(button->GetCount(), 7);
  EXPECT_EQ(result->m_iActivityTip, 5);

  view->Deliver(CounterMsg(3, 0, 0, {1}));
  EXPECT_EQ(button->GetLeftCount(), 5);
  EXPECT_EQ(bar()->GetButtons().size(), 1u);
}

// ---------------------------------------------------------------- lengths

// The minimum of each message is the end of the last field its kind reads.
TEST_F(SmallGameTest, MessagesShorterThanTheirMinimumChangeNothing) {
  view->Deliver(SmallGameMsg(0));
  StandInGame* open = maker.last;
  const struct {
    Frame frame;
    std::size_t minimum;
  } cases[] = {
      {SmallGameMsg(1, 1, 0, 24, {1, 2, 3, 4, 0, 1}), 36},  // the whole activity info is kept
      {SmallGameMsg(0), 28},                                 // the four values up to 28
      {SmallGameMsg(-1), 9},
      {SmallGameMsg(9), 9},
      {SmallGameResult(1), 9},
      {SmallGameResult(0, 20), 9},
      {CounterMsg(1, 0, 0, {1, 2, 3}), 24},  // three values up to 24; the text is not read
      {CounterMsg(2, 0, 0, {1}), 16},
  };
  for (const auto& c : cases) {
    Frame cut = c.frame;
    cut.resize(c.minimum - 1);
    SCOPED_TRACE("type " + std::to_string(c.frame[1]) + " kind " + std::to_string(c.frame[8]));
    view->Deliver(cut);
    EXPECT_EQ(maker.made, 1);
    EXPECT_EQ(view->GetSmallGameLayer(), open);
    EXPECT_TRUE(open->levels.empty());
    EXPECT_TRUE(bar()->GetButtons().empty());
    EXPECT_FALSE(box()->IsOpen());
    EXPECT_EQ(view->resets, 0);
  }
  // Exactly the fields read is enough: the counter activity's info at 24 bytes.
  Frame counter = CounterMsg(1, 0, 0, {1, 2, 3});
  counter.resize(24);
  view->Deliver(counter);
  EXPECT_EQ(bar()->GetButtons().size(), 1u);
}

// In the single-player game the background leaves the table as it is, an
// open mini-game included, and the foreground goes on with it.
TEST_F(SmallGameTest, ASinglePlayerBackgroundKeepsAnOpenMiniGame) {
  view->Deliver(SmallGameMsg(0));
  ASSERT_TRUE(StandInOnView());
  view->CallBackGameEnterBackGround();
  view->CallBackGameEnterForeGround();
  EXPECT_TRUE(StandInOnView());
  EXPECT_TRUE(view->m_bSmallGameOpen);
  EXPECT_EQ(view->getParent(), scene);  // still at the table
}

// On a network table the background takes an open mini-game off and forgets
// it, its open flag included, so the foreground builds the table again
// instead of leaving it.
TEST_F(SmallGameTest, ANetworkBackgroundTakesAnOpenMiniGameOff) {
  view->Deliver(SmallGameMsg(0));
  ASSERT_TRUE(StandInOnView());
  ASSERT_TRUE(view->m_bSmallGameOpen);
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  view->CallBackGameEnterBackGround();
  EXPECT_EQ(view->GetSmallGameLayer(), nullptr);
  EXPECT_FALSE(StandInOnView());
  EXPECT_FALSE(view->m_bSmallGameOpen);
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
}

// ---------------------------------------------------------------- request 41 and leaving

TEST_F(SmallGameTest, Request41IsTwentyFourBytesWithTheValueLittleEndianAtEight) {
  for (int value : {1, 3, 4, 0x01020304}) {
    SCOPED_TRACE(value);
    view->server->frames.clear();
    view->SendSmallGameReq(value);
    ASSERT_EQ(view->Sent().size(), 1u);
    EXPECT_EQ(view->Sent()[0], Request41(value));
  }
}

TEST_F(SmallGameTest, CloseSmallGameLeavesWithItsRequestOnlyForReasonsOneAndTwo) {
  struct Case {
    int reason;
    int request;  // 0: none, and no leaving
  };
  const Case cases[] = {{1, 3}, {2, 4}, {0, 0}, {3, 0}, {-1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    view->Deliver(SmallGameMsg(0));
    ASSERT_NE(view->GetSmallGameLayer(), nullptr);
    view->server->frames.clear();
    view->resets = view->sits = 0;
    view->m_iSmallGameState = 2;
    SoundManage::shareSoundManage()->ClearCalls();

    maker.last->End(view, c.reason);
    EXPECT_EQ(view->GetSmallGameLayer(), nullptr);
    EXPECT_EQ(view->m_iSmallGameState, 0);
    if (c.request == 0) {
      EXPECT_TRUE(view->Sent().empty());
      EXPECT_EQ(view->resets, 0);
      EXPECT_EQ(view->sits, 0);
      EXPECT_TRUE(view->m_bSmallGameOpen);
      EXPECT_TRUE(SoundOps().empty());
    } else {
      ASSERT_EQ(view->Sent().size(), 1u);
      EXPECT_EQ(view->Sent()[0], Request41(c.request));
      EXPECT_EQ(view->resets, 1);
      EXPECT_EQ(view->sits, 1);
      EXPECT_FALSE(view->m_bSmallGameOpen);
      ASSERT_FALSE(SoundOps().empty());
      EXPECT_EQ(SoundOps().back(), SoundManage::Op::PlayMusic);
    }
    view->m_bSmallGameOpen = true;
  }
}

TEST_F(SmallGameTest, ALayerThatRemovesItselfOutlivesItsCallToCloseSmallGame) {
  maker.keep = false;  // only the view holds it
  view->Deliver(SmallGameMsg(0));
  tick();  // the layer's creation is settled: the view and its parent hold it
  maker.last->End(view, 1);  // writes to itself after the call returns
  EXPECT_EQ(maker.last->endedWith, 1);
  tick(2);  // the pool lets it go
  EXPECT_EQ(view->GetSmallGameLayer(), nullptr);
}

TEST_F(SmallGameTest, TheActivityButtonOpensTheMiniGameFromTheKeptActivityInfo) {
  GameViewBase::m_GlobalInfo.iYuanBao = 9;
  view->Deliver(SmallGameMsg(1, 6, 0, 24, {10, 20, 30, 40, 0, static_cast<int>(Now())}));
  view->OpenSmallGame();
  ASSERT_EQ(maker.made, 1);
  EXPECT_TRUE(StandInOnView());
  EXPECT_EQ(maker.last->getLocalZOrder(), 2002);
  EXPECT_EQ(maker.last->getPosition(), g_ptSGGameLayer);
  // M2, mode 1, both counters M3, M1, the yuanbao, the start value.
  EXPECT_EQ(maker.last->openFields, (std::vector<int>{20, 1, 30, 30, 10, 9, 6}));
  EXPECT_FALSE(view->m_bSmallGameOpen);
  view->OpenSmallGame();
  EXPECT_EQ(maker.made, 1);
}

TEST_F(SmallGameTest, WithoutAMakerNoMiniGameOpens) {
  view->SetSmallGameMaker(nullptr);
  view->Deliver(SmallGameMsg(0));
  view->OpenSmallGame();
  EXPECT_EQ(view->GetSmallGameLayer(), nullptr);
  EXPECT_FALSE(view->m_bSmallGameOpen);
}

// ---------------------------------------------------------------- messages 38 and 39

TEST_F(SmallGameTest, TheActivityCountdownOf38And39GoesToTheWebButton) {
  view->Deliver(Settings(0, 100, 0));  // no countdown
  EXPECT_EQ(bar()->FindActiveBtn(ActivityLayer::kTypeWeb), nullptr);
  Frame settings = Settings(0, 100, 0);
  PutLE(settings, 12, 90);
  view->Deliver(settings);
  auto* web = dynamic_cast<WEBActiveBtn*>(bar()->FindActiveBtn(ActivityLayer::kTypeWeb));
  ASSERT_NE(web, nullptr);
  EXPECT_EQ(web->GetLeftSec(), 90);
  EXPECT_EQ(web->GetState(), WEBActiveBtn::kWordShown);

  Frame activity = Activity(1);
  PutLE(activity, 12, 40);
  view->Deliver(activity);
  EXPECT_EQ(web->GetLeftSec(), 40);
  EXPECT_EQ(bar()->GetButtons().size(), 1u);
  EXPECT_EQ(view->m_iNewPlayerAward, 0);
}

TEST_F(SmallGameTest, TheNewPlayerAwardIsMadeOnceAndStartsEachRound) {
  Frame award = Activity(3);
  PutLE(award, 24, 3);
  view->Deliver(award);
  NewPlayerAward* layer = view->m_pNewPlayerAward;
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(layer->getParent(), view);
  EXPECT_EQ(layer->getLocalZOrder(), NewPlayerAward::kZOrder);
  EXPECT_EQ(layer->GetChanceCount(), 3);
  EXPECT_EQ(layer->GetState(), NewPlayerAward::kHint);
  EXPECT_TRUE(layer->isVisible());
  EXPECT_EQ(view->m_iNewPlayerAward, 1);

  view->Deliver(Activity(2));
  EXPECT_EQ(view->m_iNewPlayerAward, 0);
  PutLE(award, 24, 2);
  PutLE(award, 28, 500);
  PutLE(award, 32, 2);
  view->Deliver(award);
  EXPECT_EQ(view->m_pNewPlayerAward, layer);
  EXPECT_EQ(layer->GetState(), NewPlayerAward::kPicking);
  EXPECT_EQ(view->m_iNewPlayerAward, 1);

  view->retain();
  view->removeFromParent();
  EXPECT_EQ(view->m_pNewPlayerAward, nullptr);
  view->release();
}

}  // namespace
}  // namespace classictest
