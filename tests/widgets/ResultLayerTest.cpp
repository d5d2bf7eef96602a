// The result window: what it shows and plays by the hand's outcome and the
// table, which buttons stand where, the countdown and its automatic action,
// that the window acts once per showing, the extra game, the tournament
// invitation hours and a clean rebuild for every hand.
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <string>
#include <vector>

#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "support/Stage.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "widgets/ResultLayer.h"

namespace {

using cocos2d::Vec2;
using Calls = std::vector<std::string>;

// A view that writes down what the result window asks of it. Like the
// classic view, it can take the window away when a button acts.
class ResultView : public DDZGameView {
 public:
  static ResultView* create() {
    auto* view = new ResultView();
    view->autorelease();
    return view;
  }
  int GetGameKind() override { return kind; }
  int GetTodayPlayNum() const override { return todayHands; }
  bool IsCompeteInvitationOpen() const override { return invitationOpen; }
  void EnterCompeteFromResult() override { calls.push_back("compete"); }
  void OnResultBtnContinue() override { Act("continue"); }
  void OnResultBtnQuit() override { Act("quit"); }
  void OnResultBtnSmallGame() override { Act("smallgame"); }
  void OnResultExtraGame(int k) override { calls.push_back("extra " + std::to_string(k)); }
  void OnResultLayerShown(bool shown) override { calls.push_back(shown ? "gone" : "invited"); }
  void PlayBackgroundMusic() override { calls.push_back("music"); }

  int kind = 0;
  int todayHands = 0;
  bool invitationOpen = false;
  bool removeOnAction = false;
  bool refuseContinue = false;  // as the daily loss limit does
  ResultLayer* window = nullptr;
  Calls calls;

 private:
  ResultView() : DDZGameView(nullptr, nullptr) {}
  void Act(const std::string& what) {
    calls.push_back(what);
    if (refuseContinue && what == "continue" && window != nullptr) {
      window->GiveBackAction();
      return;
    }
    if (removeOnAction && window != nullptr) window->removeFromParent();
  }
};

struct Outcome {
  int imageIndex = 1;
  bool landlord = false;
  int result[3] = {-20, 40, -20};
  int bombs = 0;
  bool rocket = false;
  bool spring = false;
  int smallBtnType = 0;
  int baseScore = 0;
  bool fenDing = false;
  int exGame = 0;
  std::uint8_t doubled[3] = {0, 0, 0};
};

class ResultLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    window = stage.view;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::SpriteFrameCache::destroyInstance();
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    ResetMainMsgLock();
    SoundManage::shareSoundManage()->Reset();
    GameSoundDDZ::destroyInstance();
    GameViewBase::m_GlobalInfo.iPlayMode = 0;  // a network table unless a test says otherwise
    saved = {g_ptResultBtnContinue, g_ptResultBtnExit, g_ptResultBtnSmall, g_ptQResultJiabei[1]};
    g_ptResultBtnContinue = Vec2(640, 120);
    g_ptResultBtnExit = Vec2(480, 120);
    g_ptResultBtnSmall = Vec2(800, 120);
    g_ptQResultJiabei[1] = Vec2(700, 300);
    view = ResultView::create();
    scene->addChild(view);
    GameSceneBase::m_pGameView = view;
    layer = ResultLayer::create(view);
    layer->retain();  // the view keeps its window for the table's life
    view->window = layer;
  }
  void TearDown() override {
    GameSceneBase::m_pGameView = nullptr;
    layer->release();
    director->reset();
    g_ptResultBtnContinue = saved[0];
    g_ptResultBtnExit = saved[1];
    g_ptResultBtnSmall = saved[2];
    g_ptQResultJiabei[1] = saved[3];
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
    GameSoundDDZ::destroyInstance();
    ResetMainMsgLock();
    GameViewBase::m_GlobalInfo.iPlayMode = 0;
  }

  void Show(const Outcome& o) {
    layer->IniResultInfo(o.imageIndex, o.landlord, o.result, o.bombs, o.rocket, o.spring, o.smallBtnType, o.baseScore,
                         o.fenDing, o.exGame, o.doubled);
    view->addChild(layer, 104);
  }
  // Steps frames of 0.1 s of virtual time.
  void Advance(float seconds) {
    for (int i = 0; i < static_cast<int>(seconds * 10 + 0.5f); ++i) director->mainLoop(0.1f);
  }
  // A touch on the middle of `button`.
  void Click(cocos2d::Node* button) {
    const Vec2 at = button->getParent()->convertToWorldSpace(button->getPosition());
    window->touchBegan(at.x, 720 - at.y);
    window->touchEnded(at.x, 720 - at.y);
  }
  Calls Actions() {
    Calls acts;
    for (const std::string& c : view->calls)
      if (c == "continue" || c == "quit" || c == "smallgame") acts.push_back(c);
    return acts;
  }
  static std::vector<std::string> Played(SoundManage::Op op) {
    std::vector<std::string> files;
    for (const auto& call : SoundManage::shareSoundManage()->GetCalls())
      if (call.op == op) files.push_back(call.file);
    return files;
  }
  static std::string Frame(cocos2d::Node* node) {
    auto* sprite = dynamic_cast<cocos2d::Sprite*>(node);
    return sprite != nullptr ? sprite->getDisplayName() : "";
  }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* window = nullptr;
  ResultView* view = nullptr;
  ResultLayer* layer = nullptr;
  std::vector<std::string> savedPaths;
  std::vector<Vec2> saved;
};

// ---------------------------------------------------------------- decisions by outcome and table

TEST_F(ResultLayerTest, TitleDigitsMusicButtonsAndCountdownFollowTheOutcomeAndTheTable) {
  struct Placed {
    ResultLayer::ButtonKind kind;
    Vec2 at;
  };
  struct Case {
    const char* name;
    int kind, own, image;
    bool landlord;
    int smallBtnType, todayHands;
    const char* title;
    const char* ownAtlas;
    const char* ownText;
    Calls music;  // files of music and voices, in order
    std::vector<Placed> buttons;
    int countdown;
    const char* timeout;
  };
  const Vec2 cont = g_ptResultBtnContinue, exit = g_ptResultBtnExit, small = g_ptResultBtnSmall;
  const Case cases[] = {
      {"won as landlord, few hands today", 0, 40, 1, true, 0, 3, "qorvddz_result_title_0.png", ResultLayer::kWinAtlas,
       ":40", {"ddzSound/12.mp3", "ddzSound/69.mp3"}, {{ResultLayer::kBtnContinue, cont}}, 100, "quit"},
      {"won as farmer, many hands, 30 s table", 6, 1, 2, false, 0, 6, "qorvddz_result_title_1.png",
       ResultLayer::kWinAtlas, ":1", {"ddzSound/12.mp3", "ddzSound/90.mp3"},
       {{ResultLayer::kBtnQuit, exit}, {ResultLayer::kBtnContinue, small}}, 30, "quit"},
      {"lost as landlord with the mini-game", 7, -40, 1, true, 2, 9, "qorvddz_result_title_3.png",
       ResultLayer::kLoseAtlas, ";40", {"ddzSound/13.mp3"},
       {{ResultLayer::kBtnSmallGame, small}, {ResultLayer::kBtnContinue, exit}}, 30, "smallgame"},
      {"zero as farmer is a loss, five hands keep one button", 0, 0, 1, false, 0, 5, "qorvddz_result_title_4.png",
       ResultLayer::kLoseAtlas, ":0", {"ddzSound/13.mp3"}, {{ResultLayer::kBtnContinue, cont}}, 100, "quit"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->kind = c.kind;
    view->todayHands = c.todayHands;
    view->calls.clear();
    SoundManage::shareSoundManage()->ClearCalls();
    Outcome o;
    o.imageIndex = c.image;
    o.landlord = c.landlord;
    o.result[1] = c.own;
    o.smallBtnType = c.smallBtnType;
    Show(o);

    ASSERT_NE(layer->GetTitle(), nullptr);
    EXPECT_EQ(Frame(layer->GetTitle()), c.title);
    ASSERT_NE(layer->GetSeatNumber(1), nullptr);
    EXPECT_EQ(layer->GetSeatNumber(1)->getRenderer()->getCharMapFile(), c.ownAtlas);
    EXPECT_EQ(layer->GetSeatNumber(1)->getString(), c.ownText);
    Calls sounds = Played(SoundManage::Op::PlayMusic);
    for (const auto& v : Played(SoundManage::Op::PlaySound)) sounds.push_back(v);
    EXPECT_EQ(sounds, c.music);
    EXPECT_EQ(layer->GetWinEffect() != nullptr, c.own >= 1);

    int built = 0;
    for (int k = 0; k < ResultLayer::kButtonKinds; ++k) built += layer->GetButton(ResultLayer::ButtonKind(k)) != nullptr;
    EXPECT_EQ(built, static_cast<int>(c.buttons.size()));
    for (const Placed& p : c.buttons) {
      auto* button = layer->GetButton(p.kind);
      ASSERT_NE(button, nullptr) << p.kind;
      EXPECT_EQ(button->getPosition(), p.at) << p.kind;
    }
    EXPECT_FALSE(layer->GetButton(c.buttons[0].kind)->isVisible());  // the buttons pop in after 3 s
    Advance(3.5f);
    for (const Placed& p : c.buttons) EXPECT_TRUE(layer->GetButton(p.kind)->isVisible()) << p.kind;

    EXPECT_EQ(layer->GetCountDown(), c.countdown - 3);
    Advance(c.countdown - 3.5f - 0.3f);
    EXPECT_TRUE(Actions().empty());
    Advance(0.6f);
    EXPECT_EQ(Actions(), Calls{c.timeout});
    EXPECT_EQ(layer->GetCountDown(), 0);
    layer->removeFromParent();
  }
}

TEST_F(ResultLayerTest, SeatNumbersHandDetailsAndDoublingMarksByTableKind) {
  Outcome o;
  o.result[0] = -2147483647 - 1;
  o.result[1] = 1234;
  o.result[2] = 0;
  o.bombs = 3;
  o.rocket = true;
  o.baseScore = 15;
  o.doubled[1] = 1;
  o.doubled[2] = 1;

  view->kind = 0;  // the rocket, bombs and spring row; no doubling marks
  Show(o);
  EXPECT_EQ(layer->GetSeatNumber(0)->getString(), ";2147483648");
  EXPECT_EQ(layer->GetSeatNumber(0)->getRenderer()->getCharMapFile(), ResultLayer::kLoseAtlas);
  EXPECT_EQ(layer->GetSeatNumber(2)->getString(), ":0");
  EXPECT_FLOAT_EQ(layer->GetSeatNumber(0)->getScale(), 0.6f);
  EXPECT_EQ(layer->GetDetailNumber(0)->getString(), ":1");
  EXPECT_EQ(layer->GetDetailNumber(1)->getString(), ":3");
  EXPECT_EQ(layer->GetDetailNumber(2)->getString(), ":0");
  EXPECT_EQ(layer->GetScoreNumber(0), nullptr);
  EXPECT_EQ(layer->GetDoublingMark(1), nullptr);
  layer->removeFromParent();

  view->kind = 8;  // call and rob, two seats: only the own number
  Show(o);
  EXPECT_EQ(layer->GetSeatNumber(0), nullptr);
  EXPECT_EQ(layer->GetSeatNumber(2), nullptr);
  EXPECT_EQ(layer->GetScoreNumber(0)->getString(), "15");
  EXPECT_EQ(layer->GetScoreNumber(1)->getString(), ":3");
  EXPECT_EQ(layer->GetDetailNumber(0), nullptr);
  EXPECT_EQ(layer->GetDoublingMark(0), nullptr);
  ASSERT_NE(layer->GetDoublingMark(1), nullptr);
  EXPECT_EQ(layer->GetDoublingMark(1)->getPosition(), Vec2(700 + 24 * 5, 300));  // 1234: five slots
  EXPECT_NE(layer->GetDoublingMark(2), nullptr);
}

TEST(ResultLayerTexts, SignGlyphsAndTheOwnMarksDigitSlots) {
  const std::pair<int, const char*> signs[] = {
      {40, ":40"}, {-40, ";40"}, {0, ":0"}, {INT_MAX, ":2147483647"}, {INT_MIN, ";2147483648"}};
  for (auto [value, text] : signs) EXPECT_EQ(ResultLayer::SignedText(value), text) << value;
  const std::pair<int, int> slots[] = {{0, 2},   {10, 2},   {11, 3},   {100, 3},     {101, 4},
                                       {1000, 4}, {1001, 5}, {-101, 4}, {INT_MIN, 11}};
  for (auto [value, n] : slots) EXPECT_EQ(ResultLayer::OwnMarkDigitSlots(value), n) << value;
}

// ---------------------------------------------------------------- acting once

TEST_F(ResultLayerTest, AClickRacingTheAutomaticActionActsOnce) {
  for (bool removeOnAction : {false, true}) {
    SCOPED_TRACE(removeOnAction);
    view->removeOnAction = removeOnAction;
    view->calls.clear();
    Show(Outcome{});
    Advance(99.5f);  // the buttons are up, the countdown at 1
    SoundManage::shareSoundManage()->ClearCalls();
    auto* button = layer->GetButton(ResultLayer::kBtnContinue);
    Click(button);
    EXPECT_EQ(Actions(), Calls{"continue"});
    EXPECT_FALSE(button->isEnabled());
    Click(button);
    layer->OnBtnQuit();  // the automatic action's path
    Advance(2);
    EXPECT_EQ(Actions(), Calls{"continue"});
    EXPECT_EQ(layer->GetCountDown(), 1);  // stopped
    EXPECT_EQ(Played(SoundManage::Op::PlaySound), Calls{"ddzSound/6.mp3"});
    if (layer->getParent() != nullptr) layer->removeFromParent();
  }
}

TEST_F(ResultLayerTest, AfterTheAutomaticActionTheButtonsAreDeadUntilTheNextHand) {
  view->todayHands = 8;
  Show(Outcome{});
  Advance(100.5f);
  EXPECT_EQ(Actions(), Calls{"quit"});
  for (auto kind : {ResultLayer::kBtnQuit, ResultLayer::kBtnContinue}) {
    EXPECT_FALSE(layer->GetButton(kind)->isEnabled());
    Click(layer->GetButton(kind));
  }
  EXPECT_EQ(Actions(), Calls{"quit"});

  layer->removeFromParent();  // the next hand's window acts again
  Show(Outcome{});
  Advance(4);
  Click(layer->GetButton(ResultLayer::kBtnContinue));
  EXPECT_EQ(Actions(), (Calls{"quit", "continue"}));
}

TEST_F(ResultLayerTest, ARefusedContinueGivesTheButtonsAndTheCountdownBack) {
  view->refuseContinue = true;
  view->removeOnAction = true;
  Show(Outcome{});
  Advance(10);
  auto* button = layer->GetButton(ResultLayer::kBtnContinue);
  Click(button);
  EXPECT_EQ(Actions(), Calls{"continue"});
  EXPECT_TRUE(button->isEnabled());
  EXPECT_FALSE(layer->HasActed());
  const int left = layer->GetCountDown();
  Advance(5);
  EXPECT_EQ(layer->GetCountDown(), left - 5);
  // The automatic leave still comes at 0, and only once.
  Advance(static_cast<float>(left));
  EXPECT_EQ(Actions(), (Calls{"continue", "quit"}));
  EXPECT_FALSE(layer->isRunning());
  layer->GiveBackAction();  // off the table: nothing to give back
  EXPECT_EQ(Actions(), (Calls{"continue", "quit"}));
}

// ---------------------------------------------------------------- the seconds left

// The window counts its seconds where the player sees them, with a caption
// that says what the end does: on network tables the leave (or the
// mini-game when it is offered); in the single-player game it promises
// nothing, since nothing happens there.
TEST_F(ResultLayerTest, TheSecondsLeftShowWithACaptionOfWhatTheirEndDoes) {
  struct Case {
    const char* name;
    int playMode, kind, smallBtnType, seconds, caption;
  } cases[] = {
      {"network, 100 s", 0, 0, 0, 100, ResultLayer::kTextCountDownLeave},
      {"network, 30 s, mini-game", 0, 7, 2, 30, ResultLayer::kTextCountDownSmallGame},
      {"single-player", 1, 3, 0, 100, ResultLayer::kTextCountDownWaits},
  };
  LoadGamePositionInfo("ddz_pt_game_ip5.conf");  // the window's real places
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameViewBase::m_GlobalInfo.iPlayMode = c.playMode;
    view->kind = c.kind;
    Outcome o;
    o.smallBtnType = c.smallBtnType;
    Show(o);
    cocos2d::Label* seconds = layer->GetCountDownLabel();
    ASSERT_NE(seconds, nullptr);
    EXPECT_EQ(seconds->getString(), ddz::FormatText(GameText(c.caption), c.seconds));
    EXPECT_NE(seconds->getString().find(std::to_string(c.seconds)), std::string::npos);
    EXPECT_FALSE(seconds->isVisible());  // it comes in with the window's background
    Advance(3.5f);
    EXPECT_TRUE(seconds->isVisible());
    EXPECT_EQ(seconds->getString(), ddz::FormatText(GameText(c.caption), c.seconds - 3));
    EXPECT_GE(seconds->getContentSize().height * seconds->getScale(), 16);

    // On the background, clear of the hand details and the buttons.
    const cocos2d::Rect box = seconds->getBoundingBox();
    const cocos2d::Rect bg = layer->GetBackground()->getBoundingBox();
    EXPECT_TRUE(bg.containsPoint(box.origin) && bg.containsPoint(Vec2(box.getMaxX(), box.getMaxY())))
        << "the seconds stand off the window";
    for (int i = 0; i < 3; ++i) {
      cocos2d::Node* detail = layer->GetDetailNumber(i) != nullptr ? layer->GetDetailNumber(i) : layer->GetScoreNumber(i % 2);
      ASSERT_NE(detail, nullptr);
      const cocos2d::Rect d = detail->getBoundingBox();
      const Vec2 origin = layer->GetBackground()->convertToWorldSpace(d.origin);
      EXPECT_FALSE(box.intersectsRect(cocos2d::Rect(origin.x, origin.y, d.size.width, d.size.height))) << i;
    }
    for (int k = 0; k < ResultLayer::kButtonKinds; ++k) {
      if (auto* button = layer->GetButton(ResultLayer::ButtonKind(k))) {
        EXPECT_FALSE(box.intersectsRect(button->getBoundingBox())) << k;
      }
    }
    layer->removeFromParent();
  }
}

// In the single-player game nobody waits for the seat: the end of the
// countdown, with or without the mini-game button, leaves the window open
// until the player presses a button, and its seconds go.
TEST_F(ResultLayerTest, InTheSinglePlayerGameTheEndOfTheCountdownWaitsForThePlayersButton) {
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  view->kind = 3;
  view->removeOnAction = true;
  for (int smallBtnType : {0, 2}) {
    SCOPED_TRACE(smallBtnType);
    view->calls.clear();
    Outcome o;
    o.smallBtnType = smallBtnType;
    Show(o);
    Advance(130);
    EXPECT_TRUE(Actions().empty());
    EXPECT_TRUE(layer->isRunning());
    EXPECT_EQ(layer->GetCountDown(), 0);
    if (layer->GetCountDownLabel() != nullptr) {
      EXPECT_FALSE(layer->GetCountDownLabel()->isVisible());
    }
    auto* button = layer->GetButton(ResultLayer::kBtnContinue);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible() && button->isEnabled());
    Click(button);
    EXPECT_EQ(Actions(), Calls{"continue"});
    EXPECT_FALSE(layer->isRunning());
  }
}

// ---------------------------------------------------------------- extra game

TEST_F(ResultLayerTest, TheExtraGameTakesOverFiveSecondsAfterOpeningOnBothCountdowns) {
  for (int kind : {0, 6}) {
    SCOPED_TRACE(kind);
    view->kind = kind;
    view->calls.clear();
    Outcome o;
    o.exGame = 2;
    Show(o);
    Advance(4.8f);
    EXPECT_EQ(view->calls, Calls{});
    EXPECT_TRUE(layer->GetTitle()->isVisible());
    Advance(0.4f);
    EXPECT_EQ(view->calls, Calls{"extra 2"});
    EXPECT_FALSE(layer->GetTitle()->isVisible());
    EXPECT_FALSE(layer->GetBackground()->isVisible());
    EXPECT_FALSE(layer->GetSeatNumber(1)->isVisible());
    EXPECT_FALSE(layer->GetButton(ResultLayer::kBtnContinue)->isVisible());
    EXPECT_FALSE(layer->GetCountDownLabel()->isVisible());

    layer->ResetButtons();  // the extra game has ended
    EXPECT_TRUE(layer->GetButton(ResultLayer::kBtnContinue)->isVisible());
    EXPECT_TRUE(layer->GetCountDownLabel()->isVisible());  // the seconds to the leave come back with them
    Advance(100);
    EXPECT_EQ(view->calls, (Calls{"extra 2", "quit"}));  // once each
    layer->removeFromParent();
  }
}

// ---------------------------------------------------------------- many hands

TEST_F(ResultLayerTest, EachHandsWindowReplacesTheLastAndLeavingStopsTheCountdown) {
  Outcome o;
  o.fenDing = true;
  Show(o);
  const std::size_t children = layer->getChildrenCount();
  for (int hand = 0; hand < 30; ++hand) {
    Advance(1);
    layer->removeFromParent();
    o.result[1] = hand % 2 == 0 ? -10 : 10;
    Show(o);
  }
  o.result[1] = 40;
  layer->removeFromParent();
  Show(o);
  EXPECT_EQ(layer->getChildrenCount(), children);
  EXPECT_EQ(layer->GetTitle()->getParent(), layer);
  EXPECT_EQ(Frame(layer->GetTitle()), "qorvddz_result_title_1.png");

  view->calls.clear();
  Advance(10);
  layer->removeFromParent();
  EXPECT_EQ(view->calls, Calls{"gone"});
  const int left = layer->GetCountDown();
  Advance(200);
  EXPECT_EQ(layer->GetCountDown(), left);
  EXPECT_TRUE(Actions().empty());
}

// ---------------------------------------------------------------- activity tip, invitation

TEST_F(ResultLayerTest, TheActivityTipShowsAfterThreeSecondsAndIsUsedOnce) {
  layer->m_iActivityTip = 7;
  Show(Outcome{});
  auto* tip = dynamic_cast<cocos2d::Label*>(layer->GetActivityTip());
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->getString(), ddz::FormatText(GameText(259), 7));
  EXPECT_FALSE(tip->isVisible());
  Advance(3.1f);
  EXPECT_TRUE(tip->isVisible());
  EXPECT_EQ(layer->m_iActivityTip, -1);

  layer->removeFromParent();
  layer->m_iActivityTip = 0;
  Show(Outcome{});
  EXPECT_EQ(layer->GetActivityTip(), nullptr);
  EXPECT_EQ(layer->m_iActivityTip, -1);
}

TEST_F(ResultLayerTest, TheTournamentInvitationOnlyAtItsHoursOnOpenOrdinaryTables) {
  struct Case {
    const char* name;
    int hour, minute;
    bool open;
    int kind, exGame, newPlayerAward;
    bool shown;
  };
  const Case cases[] = {
      {"noon", 12, 0, true, 0, 0, 0, true},           {"end of noon", 12, 59, true, 1, 0, 0, true},
      {"evening", 19, 30, true, 0, 0, 0, true},       {"before noon", 11, 59, true, 0, 0, 0, false},
      {"after noon", 13, 0, true, 0, 0, 0, false},    {"after evening", 20, 0, true, 0, 0, 0, false},
      {"query said no", 12, 30, false, 0, 0, 0, false}, {"single-player", 12, 30, true, 3, 0, 0, false},
      {"extra game", 12, 30, true, 0, 1, 0, false},   {"new-player award", 12, 30, true, 0, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 14;
    local.tm_hour = c.hour;
    local.tm_min = c.minute;
    local.tm_isdst = -1;
    ddz::os::Clock().SetWallTimeSeconds(std::mktime(&local));
    view->invitationOpen = c.open;
    view->kind = c.kind;
    view->m_iNewPlayerAward = c.newPlayerAward;
    view->calls.clear();
    Outcome o;
    o.exGame = c.exGame;
    Show(o);
    EXPECT_EQ(layer->GetInvitation() != nullptr, c.shown);
    EXPECT_EQ(view->calls, c.shown ? Calls{"invited"} : Calls{});
    if (c.shown) {
      Click(layer->GetInvitation());
      EXPECT_EQ(view->calls.back(), "compete");
    }
    layer->removeFromParent();
  }
}

}  // namespace
