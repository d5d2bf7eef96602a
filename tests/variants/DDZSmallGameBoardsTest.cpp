#include <gtest/gtest.h>

#include <cmath>

#include "SmallGameTestSupport.h"
#include "variants/DDZSmallGameLEDBoard.h"
#include "variants/DDZSmallGameLevelTips.h"

namespace {

using cocos2d::Sprite;

// What the lamp shows: "lit", "dark", "both" or "none".
std::string Look(DDZSmallGameLEDBoard* b) {
  const bool lit = b->GetLitImage() && b->GetLitImage()->isVisible();
  const bool dark = b->GetUnlitImage() && b->GetUnlitImage()->isVisible();
  return lit ? (dark ? "both" : "lit") : (dark ? "dark" : "none");
}

int RunningActions(cocos2d::Node* node) {
  int n = static_cast<int>(node->getNumberOfRunningActions());
  for (cocos2d::Node* child : node->getChildren()) n += static_cast<int>(child->getNumberOfRunningActions());
  return n;
}

// The attract effect's lit image at `time` seconds after it started with `delay`.
bool AttractLit(float time, float delay) {
  const float u = std::fmod(time, 4.6f);
  if (u < delay) return false;
  if (u < 2.5f) return true;
  if (u < 4.1f) return static_cast<int>((u - 2.5f) / 0.2f) % 2 == 1;  // each blink: dark, then lit
  return false;
}

class SmallGameBoardsTest : public smallgametest::SmallGameTest {
 protected:
  template <class Board>
  Board* add(Board* board) {
    owner->addChild(board);
    return board;
  }
  // The lamp's look at the middle of each tenth of a second over `seconds`.
  template <class Probe>
  std::string sample(float seconds, Probe probe) {
    std::string seen;
    run(0.05f);
    for (int i = 0; i * 0.1f < seconds - 0.01f; ++i) {
      seen += probe() ? '1' : '0';
      run(0.1f);
    }
    return seen;
  }
  static std::string expected(float seconds, float delay) {
    std::string out;
    for (int i = 0; i * 0.1f < seconds - 0.01f; ++i) out += AttractLit(i * 0.1f + 0.05f, delay) ? '1' : '0';
    return out;
  }
};

TEST_F(SmallGameBoardsTest, ABoardNotReadyKeepsItsLookAndAReadyOneWithAnEmptyListIsLit) {
  for (int number : {0, 6, -1}) {
    SCOPED_TRACE(number);
    auto* board = add(DDZSmallGameLevelNoBorad::create(number));
    EXPECT_FALSE(board->IsReady());
    EXPECT_EQ(board->GetLitImage(), nullptr);
    EXPECT_EQ(board->getChildrenCount(), 2u);  // the two empty animation sprites only
    board->PlayAnimation(true);
    board->PlayLampChase(true);
    board->LightOn();
    board->ShowResultEffect(0.5f);
    EXPECT_TRUE(board->GetChaseSprite()->isVisible());  // as made
    EXPECT_TRUE(board->GetAnimationSprite()->isVisible());
    EXPECT_EQ(RunningActions(board), 0);
  }
  // A level board's animation list is empty: the frame animation only lights it.
  auto* board = add(DDZSmallGameLevelNoBorad::create(2));
  EXPECT_EQ(Look(board), "dark");  // every board enters dark
  board->DDZSmallGameLEDBoard::PlayAnimation(true);
  EXPECT_EQ(Look(board), "lit");
  EXPECT_FALSE(board->GetAnimationSprite()->isVisible());
  EXPECT_EQ(RunningActions(board), 0);
}

TEST_F(SmallGameBoardsTest, EvenNumberedBoardsStandFlippedAndSixUnitsHigher) {
  for (int number = 1; number <= 5; ++number) {
    SCOPED_TRACE(number);
    auto* board = add(DDZSmallGameLevelNoBorad::create(number));
    const bool even = number % 2 == 0;
    for (Sprite* s : {board->GetChaseSprite(), board->GetAnimationSprite()}) {
      EXPECT_EQ(s->getPositionX(), -8.0f);
      EXPECT_EQ(s->getPositionY(), even ? 3.0f : -3.0f);
      EXPECT_EQ(s->getScaleY(), even ? -1.0f : 1.0f);
    }
    EXPECT_EQ(board->GetLitImage()->getDisplayName(), "DDZ_SmallGameLoop" + std::to_string(number) + "0.png");
    EXPECT_EQ(board->GetUnlitImage()->getDisplayName(), "DDZ_SmallGameLoop" + std::to_string(number) + "1.png");
    EXPECT_EQ(board->GetChaseList().size(), 11u);
  }
}

TEST_F(SmallGameBoardsTest, LightOffAfterAChaseStopsItAndShowsTheDarkImageOnly) {
  auto* board = add(DDZSmallGameLevelNoBorad::create(3));
  board->PlayLampChase(true);
  EXPECT_EQ(Look(board), "lit");
  EXPECT_TRUE(board->GetChaseSprite()->isVisible());
  run(0.5f);
  EXPECT_EQ(board->GetChaseSprite()->getDisplayName(), "DDZ_SmallGameDeng1.png");  // the third step
  run(2.2f);  // past the eleven steps: a looped chase goes on
  EXPECT_GT(RunningActions(board), 0);
  board->LightOff();
  EXPECT_EQ(Look(board), "dark");
  EXPECT_FALSE(board->GetChaseSprite()->isVisible());
  EXPECT_EQ(RunningActions(board), 0);
  run(1);
  EXPECT_EQ(Look(board), "dark");
}

TEST_F(SmallGameBoardsTest, AMissingChaseFrameIsABlankStepThatLeavesTheCachedFrameAlone) {
  cocos2d::SpriteFrame* cached = cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName("DDZ_SmallGameDeng5.png");
  ASSERT_NE(cached, nullptr);
  const cocos2d::Rect before = cached->getRect();
  auto* board = add(DDZSmallGameLevelNoBorad::create(1));
  board->PlayLampChase(false);
  run(0.1f);  // the first step, "test", is no frame
  Sprite* chase = board->GetChaseSprite();
  ASSERT_NE(chase->getSpriteFrame(), nullptr);
  EXPECT_NE(chase->getSpriteFrame(), cached);
  EXPECT_EQ(chase->getSpriteFrame()->getRect().size, cocos2d::Size(1, 1));
  EXPECT_EQ(cached->getRect(), before);
  Sprite* later = Sprite::createWithSpriteFrameName("DDZ_SmallGameDeng5.png");
  EXPECT_EQ(later->getContentSize(), cocos2d::Size(110, 60));
  run(2.2f);  // once: the chase ends on its last step
  EXPECT_EQ(chase->getDisplayName(), "DDZ_SmallGameDeng3.png");
}

TEST_F(SmallGameBoardsTest, TheAttractEffectRunsAFourPointSixSecondCycle) {
  for (float delay : {0.0f, 0.5f, 1.5f, 2.5f}) {
    SCOPED_TRACE(delay);
    auto* board = add(DDZSmallGameLevelNoBorad::create(1));
    board->ShowResultEffect(delay);
    std::string unlit;
    const std::string lit = sample(9.2f, [&] {
      unlit += board->GetUnlitImage()->isVisible() ? '1' : '0';
      return board->GetLitImage()->isVisible();
    });
    EXPECT_EQ(lit, expected(9.2f, delay));
    std::string opposite = lit;
    for (char& c : opposite) c = c == '1' ? '0' : '1';
    EXPECT_EQ(unlit, opposite);
    board->removeFromParent();
  }
}

TEST_F(SmallGameBoardsTest, AtTwoAndAHalfTheLampIsLitOnlyDuringTheFourBlinks) {
  auto* board = add(DDZSmallGameLevelNoBorad::create(4));
  board->ShowResultEffect(2.5f);
  const std::string lit = sample(4.6f, [&] { return board->GetLitImage()->isVisible(); });
  EXPECT_EQ(lit, std::string(27, '0') + "11001100110011" + std::string(5, '0'));
}

TEST_F(SmallGameBoardsTest, TheLevelBoardBlinksWithAPeriodOfFourTenths) {
  auto* board = add(DDZSmallGameLevelNoBorad::create(2));
  board->PlayAnimation(true);
  std::string unlit;
  const std::string lit = sample(1.6f, [&] {
    unlit += board->GetUnlitImage()->isVisible() ? '1' : '0';
    return board->GetLitImage()->isVisible();
  });
  EXPECT_EQ(lit, "0011001100110011");
  EXPECT_EQ(unlit, "1100110011001100");
  EXPECT_FALSE(board->GetChaseSprite()->isVisible());
}

TEST_F(SmallGameBoardsTest, TheBigAwardsLightsSitOnTheBoardAndAlternate) {
  auto* board = add(DDZSmallGameBigAwardBoard::create());
  ASSERT_NE(board->GetLight0(), nullptr);
  ASSERT_NE(board->GetLight1(), nullptr);
  EXPECT_EQ(board->GetLight0()->getPositionY(), 35 + 15);  // on top of the 70-high board
  EXPECT_EQ(board->GetLightAnimationSprite()->getPosition(), board->GetLight0()->getPosition());
  EXPECT_EQ(board->GetAnimationList(), (std::vector<std::string>{"DDZ_SmallGameBonusKD1.png", "DDZ_SmallGameBonusKD2.png"}));

  board->PlayAnimation(true);
  EXPECT_TRUE(board->GetLightAnimationSprite()->isVisible());
  run(0.1f);
  EXPECT_EQ(board->GetLightAnimationSprite()->getDisplayName(), DDZSmallGameBigAwardBoard::kLight0);
  EXPECT_EQ(board->GetAnimationSprite()->getDisplayName(), "DDZ_SmallGameBonusKD1.png");
  run(0.2f);
  EXPECT_EQ(board->GetLightAnimationSprite()->getDisplayName(), DDZSmallGameBigAwardBoard::kLight1);
  board->LightOn();
  EXPECT_FALSE(board->GetLightAnimationSprite()->isVisible());
  EXPECT_EQ(RunningActions(board), 0);

  // The lights' attract cycle: delay + 2.1 s; the first light is shown for delay + 0.2 s.
  board->ShowResultEffect(0.5f);
  std::string second;
  const std::string first = sample(5.2f, [&] {
    second += board->GetLight1()->isVisible() ? '1' : '0';
    return board->GetLight0()->isVisible();
  });
  // 0.7 s shown, three blinks (dark 0.2 s, shown 0.2 s), dark 0.2 s, shown 0.5 s: 2.6 s.
  const std::string cycle = "1111111" "001100110011" "00" "11111";
  EXPECT_EQ(first, cycle + cycle);
  for (std::size_t i = 0; i < first.size(); ++i) EXPECT_NE(first[i], second[i]) << i;
}

TEST_F(SmallGameBoardsTest, TheBannerShowsLevelsOneToFiveOnly) {
  auto* tips = DDZSmallGameLevelTips::create();
  owner->addChild(tips);
  EXPECT_EQ(tips->GetNumber()->getDisplayName(), "DDZ_SmallGame_di1.png");
  for (int level : {3, 0, 6, 5, -2}) tips->SetLevel(level);
  EXPECT_EQ(tips->GetNumber()->getDisplayName(), "DDZ_SmallGame_di5.png");
  // The words stand 1.5 word widths left and right of the number.
  std::vector<float> wordsAt;
  for (cocos2d::Node* child : tips->getChildren()) {
    auto* sprite = dynamic_cast<Sprite*>(child);
    if (sprite && sprite->getDisplayName().find("DDZ_SmallGame_") == 0 && sprite != tips->GetNumber())
      wordsAt.push_back(sprite->getPositionX());
  }
  EXPECT_EQ(wordsAt, (std::vector<float>{-75, 75}));
}

}  // namespace
