// The mini-game layer on the real classic table: opened by message 35 (or
// the activity button), played through its phases on the stepped clock,
// fed with message 41's level data, closing back into the view. Requests go
// to a local server that only records them.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "classic/HandTestSupport.h"
#include "gamedata/DDZSmallGameUIPos.h"
#include "gamedata/TextTables.h"
#include "platform/engine/ui/Widgets.h"
#include "variants/DDZSmallGameCard.h"
#include "variants/DDZSmallGameClock.h"
#include "variants/DDZSmallGameHelpLayer.h"
#include "variants/DDZSmallGameLayer.h"
#include "variants/DDZSmallGameResultLayer.h"

namespace layertest {
namespace {

using classictest::Frame;
using classictest::FrameOf;
using classictest::PutLE;
using Phase = DDZSmallGameLayer::Phase;

constexpr float kDt = 0.05f;
constexpr int kLevels = 3, kBigAward = 100, kStartAward = 10, kCost = 5, kPlayerYuanbao = 1000;

// Message 35 opening the game: level count, big award, start award, cost.
Frame OpenMsg(int levels = kLevels, int bigAward = kBigAward, int startAward = kStartAward) {
  Frame f = FrameOf(35, 36);
  PutLE(f, 12, levels);
  PutLE(f, 16, bigAward);
  PutLE(f, 20, startAward);
  PutLE(f, 24, kCost);
  return f;
}

struct Level {
  int award = 0;
  int outcome = 1;
  std::array<int, 8> kinds = {1, 1, 1, 1, 1, 1, 2, 0};
  int cards = 8;
};

// Message 41 with level data; `n` is the record count written (default: as many as given).
Frame LevelData(const std::vector<Level>& levels, bool bigAward = false, int n = -1000) {
  Frame f = FrameOf(41, 16 + 24 * levels.size());
  f[9] = bigAward ? 1 : 0;
  PutLE(f, 12, n == -1000 ? static_cast<int>(levels.size()) : n);
  for (std::size_t k = 0; k < levels.size(); ++k) {
    const std::size_t at = 16 + 24 * k;
    PutLE(f, at, levels[k].cards);
    PutLE(f, at + 4, levels[k].award);
    PutLE(f, at + 8, levels[k].outcome);
    for (int j = 0; j < 8; ++j) f[at + 12 + j] = static_cast<std::uint8_t>(levels[k].kinds[j]);
  }
  return f;
}

Frame Request41(int action) {
  Frame f(24, 0);
  f[1] = 41;
  f[2] = 24;
  PutLE(f, 8, action);
  return f;
}

class LayerTest : public classictest::HandTest {
 protected:
  void SetUp() override {
    HandTest::SetUp();
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("CardLayer1.plist");
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("vellddz_res_btn.plist");
    // The own player's yuanbao, kept through the seats taken anew after each game.
    GameViewBase::m_GlobalInfo.iYuanBao = kPlayerYuanbao;
    view->GetPlayerNode(1)->iYuanBao = kPlayerYuanbao;
    view->SetSmallGameMaker(DDZSmallGameMaker::Shared());
    view->server->frames.clear();
  }

  // Opens the game by message 35 and lets it slide in.
  DDZSmallGameLayer* Open(int levels = kLevels) {
    view->Deliver(OpenMsg(levels));
    layer = dynamic_cast<DDZSmallGameLayer*>(view->GetSmallGameLayer());
    if (layer != nullptr) run(0.55f);
    return layer;
  }
  void run(float seconds) {
    const int frames = static_cast<int>(seconds / kDt + 0.5f);
    for (int i = 0; i < frames; ++i) director->mainLoop(kDt);
  }
  // Frames until the phase is not `phase` (at most `limit` seconds); the time taken.
  float RunWhile(Phase phase, float limit = 30) {
    float t = 0;
    while (layer->GetPhase() == phase && t < limit) {
      director->mainLoop(kDt);
      t += kDt;
    }
    return t;
  }
  cocos2d::Vec2 WorldOf(cocos2d::Node* node) const {
    return node->getParent()->convertToWorldSpace(node->getPosition());
  }
  void Press(cocos2d::Node* button) { tap(WorldOf(button)); }
  // Start pressed, the level data delivered, the first level dealt up to the pick.
  void PlayUntilPicking(const std::vector<Level>& levels, bool bigAward = false) {
    Press(layer->GetStartButton());
    view->Deliver(LevelData(levels, bigAward));
    RunWhile(Phase::kLevel);
  }
  std::vector<Frame> Sent() const { return view->server->frames; }
  std::vector<Frame> SentOf(int type) const {
    std::vector<Frame> out;
    for (const Frame& f : Sent())
      if (f[1] == type) out.push_back(f);
    return out;
  }
  int PlaceOf(DDZSmallGameCard* card) const {
    for (int i = 0; i < 8; ++i)
      if (card->getPosition().distance(layer->GetPlace(i)) < 0.5f) return i;
    return -1;
  }
  bool Closed() const { return view->GetSmallGameLayer() == nullptr && layer->getParent() == nullptr; }

  DDZSmallGameLayer* layer = nullptr;
};

// ---------------------------------------------------------------- the state machine

TEST_F(LayerTest, EveryPhaseAndEachTimeOutsRouteOnTheSteppedClock) {
  enum Op { kWait, kStart, kData, kTapCard, kTimeOut, kReturn };
  struct Step {
    Op op;
    float seconds;  // kWait: how long; the others run one frame after
    Phase expect;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    std::vector<int> actions;  // request 41's actions, in order
  };
  const Level lose{0, 1};
  const Case cases[] = {
      {"before the first level the time-out quits",
       {{kWait, 0, Phase::kWaiting}, {kTimeOut, 0, Phase::kLeaving}, {kWait, 0.55f, Phase::kLeaving}},
       {3}},
      {"requested but unanswered, the time-out still quits",
       {{kStart, 0, Phase::kRequested}, {kWait, 10, Phase::kRequested}, {kTimeOut, 0, Phase::kLeaving},
        {kWait, 0.55f, Phase::kLeaving}},
       {2, 3}},
      {"in a level the time-out picks, after the last it leaves",
       {{kStart, 0, Phase::kRequested}, {kData, 0, Phase::kLevel}, {kWait, 5.2f, Phase::kLevel},
        {kWait, 0.15f, Phase::kPicking}, {kTimeOut, 0, Phase::kRevealing}, {kWait, 1.4f, Phase::kRevealing},
        {kWait, 1.7f, Phase::kResult}, {kTimeOut, 0, Phase::kLeaving}, {kWait, 0.55f, Phase::kLeaving}},
       {2, 4}},
      {"a touched card, then the result's return button",
       {{kStart, 0, Phase::kRequested}, {kData, 0, Phase::kLevel}, {kWait, 5.4f, Phase::kPicking},
        {kTapCard, 0, Phase::kRevealing}, {kWait, 3.2f, Phase::kResult}, {kWait, 2.4f, Phase::kResult},
        {kReturn, 0, Phase::kLeaving}, {kWait, 0.55f, Phase::kLeaving}},
       {2, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    view->server->frames.clear();
    view->Deliver(OpenMsg(1));
    layer = dynamic_cast<DDZSmallGameLayer*>(view->GetSmallGameLayer());
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->GetPhase(), Phase::kOpening);
    layer->retain();
    run(0.5f);
    for (const Step& s : c.steps) {
      switch (s.op) {
        case kWait: run(s.seconds); break;
        case kStart: Press(layer->GetStartButton()); break;
        case kData: view->Deliver(LevelData({lose})); break;
        case kTapCard: tap(WorldOf(layer->GetCard(3))); break;
        case kTimeOut: {
          DDZSmallGameClock* clock = layer->GetHelpLayer()->GetClock();
          ASSERT_TRUE(clock->IsRunning());
          run(clock->GetRemaining() + kDt);
          break;
        }
        case kReturn: Press(layer->GetResultLayer()->GetReturnButton()); break;
      }
      if (s.op != kWait && s.op != kTimeOut) run(kDt);
      EXPECT_EQ(layer->GetPhase(), s.expect) << "after step " << (&s - c.steps.data());
    }
    run(kDt);
    EXPECT_TRUE(Closed());
    std::vector<Frame> expected;
    for (int a : c.actions) expected.push_back(Request41(a));
    EXPECT_EQ(SentOf(41), expected);
    layer->release();
  }
}

// ---------------------------------------------------------------- request 41

TEST_F(LayerTest, LeavingSendsNothingInModeOneAndThreeOrFourInModeTwo) {
  // Mode 1: the activity button's game has only its return button.
  view->OpenSmallGame();
  layer = dynamic_cast<DDZSmallGameLayer*>(view->GetSmallGameLayer());
  ASSERT_NE(layer, nullptr);
  layer->retain();
  run(0.55f);
  EXPECT_EQ(layer->GetMode(), 1);
  EXPECT_EQ(layer->GetStartButton(), nullptr);
  ASSERT_NE(layer->GetReturnButton(), nullptr);
  Press(layer->GetReturnButton());
  run(0.6f);
  EXPECT_TRUE(Closed());
  EXPECT_TRUE(Sent().empty());
  layer->release();

  // Mode 2, quit at once: action 3.
  ASSERT_NE(Open(), nullptr);
  Press(layer->GetQuitButton());
  run(0.6f);
  EXPECT_EQ(SentOf(41), std::vector<Frame>{Request41(3)});
}

TEST_F(LayerTest, MessageThirtyFiveSetsTheBoardAndTheStartButtonSendsActionTwoOnce) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(layer->GetLevelCount(), kLevels);
  EXPECT_EQ(layer->GetBigAward(), kBigAward);
  EXPECT_EQ(layer->GetCurrentAward(), kStartAward);
  EXPECT_EQ(layer->GetPlayerNumber()->getString(), std::to_string(kPlayerYuanbao));
  EXPECT_EQ(layer->GetAwardNumber()->getString(), std::to_string(kStartAward));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(layer->GetLevelBoard(i) != nullptr, i < kLevels) << i;
  EXPECT_TRUE(layer->GetStartButton()->isVisible());
  Press(layer->GetStartButton());
  Press(layer->GetStartButton());
  EXPECT_EQ(SentOf(41), std::vector<Frame>{Request41(2)});
  EXPECT_FALSE(layer->GetStartButton()->isVisible());
  EXPECT_FALSE(layer->GetStartPanel()->isVisible());
  EXPECT_TRUE(layer->GetHelpLayer()->GetClock()->IsRunning());  // still waiting for the data
}

// ---------------------------------------------------------------- level data

TEST_F(LayerTest, LevelDataIsCutToWhatTheMessageHoldsAndEveryLevelDealsEightPlaces) {
  struct Case {
    const char* what;
    std::vector<Level> levels;  // as written
    int n;                      // the count field
    int records;                // read
    Phase phase;                // right after
  };
  const Level one{20, 1};
  const Case cases[] = {
      {"six records, five read", {one, one, one, one, one, one}, 6, 5, Phase::kLevel},
      {"a negative count reads none", {one}, -1, 0, Phase::kResult},
      {"a count beyond the frame reads what is there", {one, one}, 4, 2, Phase::kLevel},
      {"no records", {}, 0, 0, Phase::kResult},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(Open(), nullptr);
    layer->retain();
    Press(layer->GetStartButton());
    view->Deliver(LevelData(c.levels, false, c.n));
    EXPECT_EQ(layer->GetLevelRecordCount(), c.records);
    EXPECT_EQ(layer->GetPhase(), c.phase);
    if (c.records == 0) {
      // Straight to the result with the present award, not won.
      ASSERT_NE(layer->GetResultLayer(), nullptr);
      EXPECT_FALSE(layer->GetResultLayer()->IsWin());
      EXPECT_EQ(layer->GetResultLayer()->GetAmount(), kStartAward);
      EXPECT_EQ(layer->GetLevelNo(), 1);
    }
    layer->LeaveSmallGame();
    run(0.6f);
    layer->release();
  }

  // Shorter than its head: dropped, nothing changes.
  ASSERT_NE(Open(), nullptr);
  Press(layer->GetStartButton());
  Frame shortFrame = LevelData({one});
  shortFrame.resize(15);
  layer->SetLevelData(reinterpret_cast<const char*>(shortFrame.data()), 15);
  EXPECT_FALSE(layer->HasPlayed());
  EXPECT_EQ(layer->GetPhase(), Phase::kRequested);
  layer->LeaveSmallGame();
  run(0.6f);

  // Data before the start button was pressed: the level starts and the panel goes.
  ASSERT_NE(Open(), nullptr);
  view->Deliver(LevelData({one}));
  EXPECT_EQ(layer->GetPhase(), Phase::kLevel);
  EXPECT_FALSE(layer->GetStartButton()->isVisible());
  EXPECT_FALSE(layer->GetQuitButton()->isVisible());
  EXPECT_FALSE(layer->GetStartPanel()->isVisible());
  // A second message of level data is dropped.
  view->Deliver(LevelData({one, one}));
  EXPECT_EQ(layer->GetLevelRecordCount(), 1);
}

TEST_F(LayerTest, CardCountsOfSevenAndNineStillDealEightPlacesAndTheRestIsBlank) {
  ASSERT_NE(Open(), nullptr);
  Level seven{0, 3, {4, 3, 1, 1, 1, 1, 2, 3}, 7};
  Level nine{0, 3, {4, 3, 1, 1, 1, 1, 2, 3}, 9};
  Press(layer->GetStartButton());
  view->Deliver(LevelData({seven, nine}));
  for (int level = 0; level < 2; ++level) {
    SCOPED_TRACE(level == 0 ? "seven" : "nine");
    RunWhile(Phase::kLevel);
    ASSERT_EQ(layer->GetPhase(), Phase::kPicking);
    std::vector<int> kinds;
    for (int i = 0; i < 8; ++i) {
      ASSERT_NE(layer->GetCard(i), nullptr);
      kinds.push_back(layer->GetCard(i)->GetKind());
    }
    EXPECT_EQ(kinds, (std::vector<int>{4, 3, 1, 1, 1, 1, 2, level == 0 ? 0 : 3}));
    run(15.1f);  // the time-out picks the first small joker
    EXPECT_EQ(layer->GetPickedCard(), layer->GetCard(1));
    RunWhile(Phase::kRevealing);
  }
}

// ---------------------------------------------------------------- picks

TEST_F(LayerTest, APickPutsTheOutcomeCardInTheTouchedPlace) {
  ASSERT_NE(Open(), nullptr);
  // Outcome: the two, in place 6.
  PlayUntilPicking({{30, 2}, {30, 2}, {30, 9}});
  ASSERT_EQ(layer->GetPhase(), Phase::kPicking);
  DDZSmallGameCard* outcome = layer->GetCard(6);
  DDZSmallGameCard* touched = layer->GetCard(0);
  const int touchedPlace = PlaceOf(touched), outcomePlace = PlaceOf(outcome);
  ASSERT_GE(touchedPlace, 0);
  ASSERT_GE(outcomePlace, 0);

  // With the rules open the touch picks nothing.
  DDZSmallGameHelpLayer* help = layer->GetHelpLayer();
  help->SwitchRule(nullptr);
  tap(WorldOf(touched));
  run(kDt);
  EXPECT_EQ(layer->GetPhase(), Phase::kPicking);
  help->HideRule(nullptr);

  tap(WorldOf(touched));
  EXPECT_EQ(layer->GetPhase(), Phase::kRevealing);
  EXPECT_EQ(layer->GetPickedCard(), outcome);
  EXPECT_TRUE(outcome->IsPicked());
  EXPECT_FALSE(touched->IsPicked());
  EXPECT_EQ(PlaceOf(outcome), touchedPlace);
  EXPECT_EQ(PlaceOf(touched), outcomePlace);
  EXPECT_EQ(outcome->getLocalZOrder(), 12);

  // A touch during the reveal does nothing.
  tap(WorldOf(layer->GetCard(2)));
  EXPECT_EQ(layer->GetPickedCard(), outcome);
  EXPECT_EQ(PlaceOf(outcome), touchedPlace);

  // Level 2 by time-out: the outcome card in its own place.
  RunWhile(Phase::kRevealing);
  RunWhile(Phase::kLevel);
  DDZSmallGameCard* two = layer->GetCard(6);
  const int own = PlaceOf(two);
  run(15.1f);
  EXPECT_EQ(layer->GetPickedCard(), two);
  EXPECT_EQ(PlaceOf(two), own);

  // Level 3's outcome kind 9 is on no card: the touched card settles by its own.
  RunWhile(Phase::kRevealing);
  RunWhile(Phase::kLevel);
  DDZSmallGameCard* blank = layer->GetCard(7);
  const int blankPlace = PlaceOf(blank);
  tap(WorldOf(blank));
  EXPECT_EQ(layer->GetPickedCard(), blank);
  EXPECT_EQ(PlaceOf(blank), blankPlace);
}

TEST_F(LayerTest, ATimeOutWithAnOutcomeNoCardHasPicksPlaceZero) {
  ASSERT_NE(Open(), nullptr);
  PlayUntilPicking({{30, 9}});
  run(15.1f);
  EXPECT_EQ(layer->GetPickedCard(), layer->GetCard(0));
  RunWhile(Phase::kRevealing);
  EXPECT_EQ(layer->GetPhase(), Phase::kResult);
}

// ---------------------------------------------------------------- awards

TEST_F(LayerTest, AnAwardIsCountedInItsStepsAndALossFloatsUp) {
  struct Case {
    const char* what;
    int award;
    int steps;
    float levelEndAfter;  // after SettleLevel
  };
  // A fail pick's effect ends 1 s after the pick, SettleLevel 0.5 s later.
  const float settleAfterPick = 1.5f;
  const Case cases[] = {
      {"a gain of 15", kStartAward + 15, 15, 0},
      {"a gain of 50", kStartAward + 50, 26, 0},
      {"a gain of 400, capped", kStartAward + 400, 80, 0},
      {"a loss", kStartAward - 8, 0, 1.0f},
      {"no change", kStartAward, 0, 0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(Open(), nullptr);
    layer->retain();
    PlayUntilPicking({{c.award, 1}, {c.award, 1}});
    ASSERT_EQ(layer->GetPhase(), Phase::kPicking);
    tap(WorldOf(layer->GetCard(0)));
    ASSERT_EQ(layer->GetPhase(), Phase::kRevealing);
    run(settleAfterPick + kDt);
    EXPECT_EQ(layer->GetCountSteps(), c.steps);
    EXPECT_EQ(layer->GetCurrentAward(), c.award);
    if (c.award < kStartAward) {
      auto* loss = dynamic_cast<cocos2d::Label*>(layer->GetLossLabel());
      ASSERT_NE(loss, nullptr);
      EXPECT_EQ(loss->getString(), "-8");
      EXPECT_EQ(layer->GetAwardNumber()->getString(), std::to_string(c.award));
      const float y0 = loss->getPositionY();
      run(1.0f);
      EXPECT_NEAR(loss->getPositionY() - y0, 30, 2);
      EXPECT_FALSE(loss->isVisible());
    }
    if (c.steps > 0) {
      // The last icon lands after the steps and one flight; the number is then the new award.
      const float flight = layer->GetPickedCard()->getPosition().distance(g_ptPresentAwardYBPos) / 500 + 0.3f;
      const float t = RunWhile(Phase::kRevealing);
      EXPECT_NEAR(t, c.steps * 0.05f + flight + 0.5f, 0.12f);
      EXPECT_EQ(layer->GetAwardNumber()->getString(), std::to_string(c.award));
    } else {
      const float t = RunWhile(Phase::kRevealing) + (c.award < kStartAward ? 1.0f : 0);
      EXPECT_NEAR(t, c.levelEndAfter, 0.12f);
    }
    EXPECT_EQ(layer->GetPhase(), Phase::kLevel);
    layer->LeaveSmallGame();
    run(0.6f);
    layer->release();
  }
}

TEST_F(LayerTest, TheBigAwardFlagAddsTheBigAwardToTheLastRecordAndMakesAWin) {
  struct Case {
    bool flag;
    int lastAward;
    bool win;
    int amount;
  };
  const Case cases[] = {{true, 40, true, 40 + kBigAward}, {false, 4000, false, 4000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flag ? "flag" : "no flag");
    ASSERT_NE(Open(), nullptr);
    layer->retain();
    PlayUntilPicking({{c.lastAward, 2}}, c.flag);
    run(15.1f);
    RunWhile(Phase::kRevealing);
    ASSERT_EQ(layer->GetPhase(), Phase::kResult);
    ASSERT_NE(layer->GetResultLayer(), nullptr);
    EXPECT_EQ(layer->GetResultLayer()->IsWin(), c.win);
    EXPECT_EQ(layer->GetResultLayer()->GetAmount(), c.amount);
    EXPECT_EQ(layer->GetLevelNo(), 2);
    // The total is counted over into the player's yuanbao after 2 s.
    run(2 + 0.1f * static_cast<float>(DDZSmallGameLayer::CountSteps(c.amount)) + 0.2f);
    EXPECT_EQ(layer->GetAwardNumber()->getString(), "0");
    EXPECT_EQ(layer->GetPlayerNumber()->getString(), std::to_string(kPlayerYuanbao + c.amount));
    layer->LeaveSmallGame();
    run(0.6f);
    layer->release();
  }
}

}  // namespace
}  // namespace layertest
