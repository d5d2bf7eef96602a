// The mini-game end to end on the classic table over a game-server
// connection (the loopback server of tests/support): a whole hand through the
// own seat's buttons, the result screen's mini-game button, the game opened by
// the server, three levels played (two by touch, one by the clock's time-out),
// the result screen's return button, and the next hand dealt and played on
// the table as before. Every request is checked byte for byte on the server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classic/NetTableSupport.h"
#include "gamedata/DDZSmallGameUIPos.h"
#include "gamedata/TextTables.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameMsgBox.h"
#include "support/WholeHandDriver.h"
#include "variants/DDZSmallGameCard.h"
#include "variants/DDZSmallGameClock.h"
#include "variants/DDZSmallGameHelpLayer.h"
#include "variants/DDZSmallGameLayer.h"
#include "variants/DDZSmallGameResultLayer.h"
#include "widgets/ResultLayer.h"

namespace smallgamenet {
namespace {

using classictest::Bytes;
using classictest::Frames;
using classictest::HandScript;
using classictest::Lines;
using classictest::PutLE;
using classictest::Sent;
using Phase = DDZSmallGameLayer::Phase;

constexpr float kDt = 1.0f / 30;
constexpr int kStartAward = 10, kBigAward = 100, kCost = 5;
constexpr int kPlayerYuanbao = classictest::kYuanbao;  // from the login

// Message 35, kind 0: open the game with three levels.
Bytes OpenGame() {
  Bytes f = classictest::FrameOf(35, 36);
  PutLE(f, 12, 3);
  PutLE(f, 16, kBigAward);
  PutLE(f, 20, kStartAward);
  PutLE(f, 24, kCost);
  return Sent(f);
}

// The eight card kinds of every level, in place order.
constexpr std::uint8_t kKinds[8] = {1, 1, 2, 1, 0, 1, 3, 4};

struct Level {
  int award;    // the present award after the level
  int outcome;  // the kind the pick yields
};

// Message 41 with the level data, the big-award flag set.
Bytes LevelData(const std::vector<Level>& levels) {
  Bytes f = classictest::FrameOf(41, 16 + 24 * levels.size());
  f[9] = 1;
  PutLE(f, 12, static_cast<int>(levels.size()));
  for (std::size_t k = 0; k < levels.size(); ++k) {
    const std::size_t at = 16 + 24 * k;
    PutLE(f, at, 8);
    PutLE(f, at + 4, levels[k].award);
    PutLE(f, at + 8, levels[k].outcome);
    for (std::size_t j = 0; j < 8; ++j) f[at + 12 + j] = kKinds[j];
  }
  return Sent(f);
}

// Request 41 as it travels.
Bytes Request41(int action) {
  Bytes f = classictest::FrameOf(41, 24);
  PutLE(f, 8, action);
  return Sent(f);
}

class SmallGameOverTheConnectionTest : public classictest::NetTableTest {
 protected:
  void SetUp() override {
    NetTableTest::SetUp();
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    view->SetSmallGameMaker(DDZSmallGameMaker::Shared());
  }

  // One frame, served on both sides.
  void Frame() {
    server.Serve();
    director->mainLoop(kDt);
    server.Serve();
    lockNegative = lockNegative || GameViewBase::m_iLockMainMsgCount.Get() < 0;
  }
  // The music the table asked for last.
  static std::string Music() {
    const auto& calls = SoundManage::shareSoundManage()->GetCalls();
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
      if (it->op == SoundManage::Op::PlayMusic) return it->file;
    return "";
  }
  // Frames until `done` holds (false after `seconds`).
  template <typename Done>
  bool RunUntil(Done&& done, float seconds = 30) {
    for (int frame = 0; frame < static_cast<int>(seconds / kDt); ++frame) {
      if (done()) return true;
      Frame();
    }
    return done();
  }
  static bool Usable(cocos2d::ui::Button* button) {
    return button != nullptr && button->isVisible() && button->isEnabled() && button->getNumberOfRunningActions() == 0;
  }
  cocos2d::Vec2 WorldOf(cocos2d::Node* node) const { return node->getParent()->convertToWorldSpace(node->getPosition()); }
  DDZSmallGameLayer* Game() const { return dynamic_cast<DDZSmallGameLayer*>(view->GetSmallGameLayer()); }
  Phase PhaseNow() const { return Game() != nullptr ? Game()->GetPhase() : Phase::kClosed; }
  // The present award as the board shows it when the level in play ends.
  std::string AwardAtLevelEnd() {
    EXPECT_TRUE(RunUntil([&] { return PhaseNow() == Phase::kRevealing; }));
    EXPECT_TRUE(RunUntil([&] { return PhaseNow() != Phase::kRevealing; }));
    return Game() != nullptr ? Game()->GetAwardNumber()->getString() : "";
  }

  bool lockNegative = false;
};

TEST_F(SmallGameOverTheConnectionTest, AfterAHandTheResultScreensButtonPlaysThreeLevelsAndTheNextHandIsDealt) {
  const Bytes deal = Sent(classictest::Deal(1));
  HandScript first(deal), second(deal);
  first.smallGameButton = 1;
  const std::vector<Level> levels = {{30, 2}, {20, 1}, {60, 4}};
  SitDown(10, {deal});
  first.AddTo(server);
  server.ExpectBytes(gamebase::BuildEscapeRequest(98))
      .ExpectBytes(Request41(1), {OpenGame()})
      .ExpectBytes(Request41(2), {LevelData(levels)})
      .ExpectBytes(Request41(4))
      .ExpectBytes(gamebase::BuildEscapeRequest(0), {deal});
  second.AddTo(server);
  server.ExpectBytes(gamebase::BuildEscapeRequest(0));
  classictest::OwnSeatDriver driver(view, window);

  // The first hand, up to its result screen with the mini-game button.
  ResultLayer* screen = nullptr;
  ASSERT_TRUE(RunUntil([&] {
    screen = view->GetResultScreen();
    if (screen != nullptr && screen->isRunning()) return Usable(screen->GetButton(ResultLayer::kBtnSmallGame));
    driver.Step();
    return false;
  }, 120));
  EXPECT_EQ(first.plays, 2);
  tap(WorldOf(screen->GetButton(ResultLayer::kBtnSmallGame)));
  EXPECT_TRUE(GameMsgBox::shareMessageBox()->IsOpen()) << "the wait for the server's answer";

  // The server opens the game; it slides in over the table with its start button.
  ASSERT_TRUE(RunUntil([&] { return PhaseNow() == Phase::kWaiting; }));
  DDZSmallGameLayer* game = Game();
  game->retain();
  EXPECT_EQ(game->getParent(), view);
  EXPECT_EQ(game->GetMode(), 2);
  EXPECT_EQ(game->GetLevelCount(), 3);
  EXPECT_EQ(game->GetAwardNumber()->getString(), std::to_string(kStartAward));
  const cocos2d::Size size = game->getContentSize();
  EXPECT_EQ(game->convertToWorldSpace(cocos2d::Vec2::ZERO), cocos2d::Vec2::ZERO) << "the game covers the window";
  EXPECT_EQ(game->convertToWorldSpace(cocos2d::Vec2(size.width, size.height)), cocos2d::Vec2(1280, 720));
  EXPECT_EQ(game->GetPlayerNumber()->getString(), std::to_string(kPlayerYuanbao));
  EXPECT_FALSE(screen->isRunning()) << "the hand's result screen is gone";
  EXPECT_FALSE(GameMsgBox::shareMessageBox()->IsOpen());
  EXPECT_EQ(Music(), "ddzSound/ddzfs_music_bg.mp3");
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  ASSERT_TRUE(Usable(game->GetStartButton()));
  tap(WorldOf(game->GetStartButton()));

  // Level 1 by touch: the two comes to the touched place.
  ASSERT_TRUE(RunUntil([&] { return PhaseNow() == Phase::kPicking; }));
  EXPECT_EQ(game->GetLevelNo(), 1);
  EXPECT_EQ(game->GetLevelRecordCount(), 3);
  DDZSmallGameCard* touched = game->GetCard(0);
  const cocos2d::Vec2 touchedAt = touched->getPosition();
  tap(WorldOf(touched));
  EXPECT_EQ(PhaseNow(), Phase::kRevealing);
  ASSERT_NE(game->GetPickedCard(), nullptr);
  EXPECT_EQ(game->GetPickedCard()->GetKind(), 2);
  EXPECT_EQ(game->GetPickedCard()->getPosition(), touchedAt);
  std::vector<std::string> awards = {AwardAtLevelEnd()};

  // Level 2 by the clock: the first face card, picked in its own place.
  ASSERT_TRUE(RunUntil([&] { return PhaseNow() == Phase::kPicking; }));
  EXPECT_EQ(game->GetLevelNo(), 2);
  DDZSmallGameCard* own = game->GetCard(0);
  const cocos2d::Vec2 ownAt = own->getPosition();
  ASSERT_TRUE(RunUntil([&] { return PhaseNow() != Phase::kPicking; }, DDZSmallGameLayer::kPickSeconds + 1));
  EXPECT_EQ(game->GetPickedCard(), own);
  EXPECT_EQ(own->getPosition(), ownAt);
  awards.push_back(AwardAtLevelEnd());

  // Level 3 by touch, the big joker; the big award is added to the last award.
  ASSERT_TRUE(RunUntil([&] { return PhaseNow() == Phase::kPicking; }));
  EXPECT_EQ(game->GetLevelNo(), 3);
  tap(WorldOf(game->GetCard(5)));
  EXPECT_EQ(game->GetPickedCard()->GetKind(), 4);
  awards.push_back(AwardAtLevelEnd());
  EXPECT_EQ(awards, (Lines{"30", "20", std::to_string(60 + kBigAward)}));

  // The result screen: a win of 160, counted over into the player's yuanbao.
  ASSERT_EQ(PhaseNow(), Phase::kResult);
  DDZSmallGameResultLayer* result = game->GetResultLayer();
  ASSERT_NE(result, nullptr);
  EXPECT_TRUE(result->IsWin());
  EXPECT_EQ(result->GetAmount(), 60 + kBigAward);
  ASSERT_TRUE(RunUntil([&] { return game->GetPlayerNumber()->getString() == std::to_string(kPlayerYuanbao + 160); }));
  ASSERT_TRUE(RunUntil([&] { return Usable(result->GetReturnButton()); }));
  tap(WorldOf(result->GetReturnButton()));

  // Back on the table: the game gone, action 4 and escape 0 sent, the next
  // hand dealt and played through to its result as the first was.
  ASSERT_TRUE(RunUntil([&] { return view->GetSmallGameLayer() == nullptr; }));
  EXPECT_EQ(game->getParent(), nullptr);
  game->release();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_NE(Music(), "ddzSound/ddzfs_music_bg.mp3") << "the table's own music again";
  ASSERT_TRUE(RunUntil([&] {
    driver.Step();
    return server.ScriptDone() && driver.continues == 1;
  }, 120));
  RunUntil([&] { return view->GetPendingMainMsgCount() == 0; }, 1);

  EXPECT_TRUE(server.ScriptDone()) << server.StepsLeft() << " steps left";
  EXPECT_EQ(server.mismatches, Lines{});
  EXPECT_EQ(second.plays, 2);
  EXPECT_EQ(first.faults, Lines{});
  EXPECT_EQ(second.faults, Lines{});
  EXPECT_FALSE(lockNegative);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_EQ(std::count(view->journal.begin(), view->journal.end(), "result288"), 2);
  for (const Bytes& r : server.requests) std::fprintf(stderr, "REQ %d %zu\n", r[1], r.size());
  if (true) {
    const auto& lines = cocos2d::Log::lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
      std::fprintf(stderr, "%s\n", lines[i].c_str());
  }
}

}  // namespace
}  // namespace smallgamenet
