#include "variants/DDZSmallGameCard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "SmallGameTestSupport.h"
#include "platform/gamebase/BasePT.h"
#include "variants/DDZSmallGameBgLayer.h"

namespace {

using cocos2d::Sprite;
using cocos2d::Vec2;

// The frame names shown on the card's face node, in child order.
std::vector<std::string> FaceFrames(DDZSmallGameCard* card) {
  std::vector<std::string> names;
  for (cocos2d::Node* child : card->GetFaceNode()->getChildren())
    if (auto* s = dynamic_cast<Sprite*>(child); s && s != card->GetShadow()) names.push_back(s->getDisplayName());
  return names;
}

bool HasEmptyPoolMark(DDZSmallGameCard* card) {
  for (cocos2d::Node* child : card->getChildren())
    if (auto* s = dynamic_cast<Sprite*>(child); s && s->getDisplayName() == DDZSmallGameCard::kEmptyPoolMark)
      return child->getLocalZOrder() == 100;
  return false;
}

class SmallGameCardTest : public smallgametest::SmallGameTest {
 protected:
  void SetUp() override {
    SmallGameTest::SetUp();
    ResetSmallGameCardPool();
  }
  DDZSmallGameCard* deal(int kind, Vec2 at = Vec2(400, 300)) {
    DDZSmallGameCard* card = DDZSmallGameCard::create(kind, owner);
    card->setPosition(at);
    owner->addChild(card);
    return card;
  }
};

TEST_F(SmallGameCardTest, NoFaceRepeatsWithinALevelAndThePoolsRefillForTheNext) {
  ddz::os::LcgRandom random(20240);
  const ddz::os::ScopedRandomSource scoped(random);
  std::set<int> seenAcrossLevels;
  for (int level = 0; level < 300; ++level) {
    SCOPED_TRACE(level);
    ResetSmallGameCardPool();
    ASSERT_EQ(SmallGameJQPool().size(), 8u);
    ASSERT_EQ(SmallGameTwoPool().size(), 4u);
    // Eight cards of kinds 0 to 4, at most four twos and (with eight places) never more than eight faces.
    std::vector<int> kinds;
    int twos = 0;
    while (kinds.size() < 8) {
      const int kind = ddz::os::Rand() % 5;
      if (kind == 2 && ++twos > 4) continue;
      kinds.push_back(kind);
    }
    std::set<int> faces;
    std::size_t drawn = 0;
    for (int kind : kinds) {
      DDZSmallGameCard* card = deal(kind);
      EXPECT_EQ(card->GetKind(), kind);
      if (kind == 1 || kind == 2) {
        ++drawn;
        faces.insert(card->GetFaceValue());
        seenAcrossLevels.insert(card->GetFaceValue());
        const int rank = card->GetFaceValue() & 0xFF;
        EXPECT_TRUE(kind == 1 ? (rank == 11 || rank == 12) : rank == 2) << card->GetFaceValue();
      }
    }
    EXPECT_EQ(faces.size(), drawn);  // no value twice
    EXPECT_EQ(SmallGameJQPool().size() + SmallGameTwoPool().size(), 12 - drawn);
    owner->removeAllChildren();
  }
  EXPECT_EQ(seenAcrossLevels.size(), 12u);  // the next level draws from full pools again
}

TEST_F(SmallGameCardTest, CardsBeyondAnEmptyPoolBecomeBlankLosingCardsWithTheMark) {
  const struct {
    int kind;
    int cards;
    int faces;  // the pool's size
  } cases[] = {{1, 10, 8}, {2, 6, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    ResetSmallGameCardPool();
    for (int i = 0; i < c.cards; ++i) {
      DDZSmallGameCard* card = deal(c.kind);
      const bool blank = i >= c.faces;
      EXPECT_EQ(card->GetKind(), blank ? 0 : c.kind) << i;
      EXPECT_EQ(card->IsWinning(), !blank && c.kind == 2) << i;
      EXPECT_EQ(HasEmptyPoolMark(card), blank) << i;
      if (blank) {
        EXPECT_EQ(FaceFrames(card), std::vector<std::string>{"DDZ_SmallGameCardSkelton.png"});
      }
    }
  }
}

TEST_F(SmallGameCardTest, FacesByRankWithTheNumberOfTheSuitsColour) {
  const struct {
    int kind;
    int rank, suit;
    std::vector<std::string> frames;  // face node children in order of z, then arrival
  } cases[] = {
      {1, 11, 1, {"new_card_bg.png", "new_card_type_10.png", "new_card_type_1.png", "new_card_num_1_10.png",
                  "DDZ_SmallGameLabel3.png"}},
      {1, 12, 2, {"new_card_bg.png", "new_card_type_11.png", "new_card_type_2.png", "new_card_num_0_11.png",
                  "DDZ_SmallGameLabel3.png"}},
      {2, 2, 3, {"new_card_bg.png", "new_card_type_3.png", "new_card_type_3.png", "new_card_num_1_1.png",
                 "DDZ_SmallGameLabel2.png"}},
      {2, 2, 0, {"new_card_bg.png", "new_card_type_0.png", "new_card_type_0.png", "new_card_num_0_1.png",
                 "DDZ_SmallGameLabel2.png"}},
      {3, 14, 0, {"card13.png", "DDZ_SmallGameLabel1.png"}},
      {4, 15, 0, {"card14.png", "DDZ_SmallGameLabel0.png"}},
      {0, 0, 0, {"DDZ_SmallGameCardSkelton.png"}},
      {7, 0, 0, {"DDZ_SmallGameCardSkelton.png"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.kind << " " << c.rank << " " << c.suit);
    DDZSmallGameCard* card = deal(c.kind);
    card->SetCardKind(0);  // a blank face, then the case's face drawn over it
    for (cocos2d::Node* child : std::vector<cocos2d::Node*>(card->GetFaceNode()->getChildren().begin(),
                                                           card->GetFaceNode()->getChildren().end()))
      if (child != card->GetShadow()) child->removeFromParent();
    card->DrawFace(c.rank, c.suit);
    EXPECT_EQ(FaceFrames(card), c.frames);
  }
}

TEST_F(SmallGameCardTest, TheMarksSitAtTheLayoutsOffsetsFromTheCorners) {
  DDZSmallGameCard* card = deal(2);
  const cocos2d::Size size = card->GetFaceSprite()->getContentSize();  // 141 x 188
  for (cocos2d::Node* child : card->GetFaceNode()->getChildren()) {
    auto* s = dynamic_cast<Sprite*>(child);
    if (s == nullptr || s == card->GetFaceSprite() || s == card->GetShadow()) continue;
    const std::string name = s->getDisplayName();
    SCOPED_TRACE(name);
    if (name.rfind("new_card_num_", 0) == 0) {
      EXPECT_EQ(s->getPosition(), Vec2(-size.width / 2, size.height / 2) + g_ptCardValueOffsetPos);
    } else if (name == "DDZ_SmallGameLabel2.png") {
      EXPECT_EQ(s->getPosition(), Vec2(size.width / 2, -size.height / 2) + g_ptCardTypeBigOffsetPos);
      EXPECT_EQ(s->getScale(), 1.5f);
      EXPECT_EQ(s->getAnchorPoint(), Vec2(1, 0));
    } else if (s->getScale() == g_fCardTypeSmallScale) {
      EXPECT_EQ(s->getPosition(), Vec2(-size.width / 2, size.height / 2) + g_ptCardTypeSmallOffsetPos);
    } else {
      EXPECT_EQ(s->getPosition(), Vec2(size.width / 2, -size.height / 2) + g_ptCardTypeBigOffsetPos);  // the big suit
    }
  }
}

TEST_F(SmallGameCardTest, ASuitOutsideTheFourIsDrawnAtRandom) {
  ddz::os::ScriptedRandom random{6};
  const ddz::os::ScopedRandomSource scoped(random);
  DDZSmallGameCard* card = deal(0);
  card->DrawFace(12, 9);
  const std::vector<std::string> frames = FaceFrames(card);
  EXPECT_NE(std::find(frames.begin(), frames.end(), "new_card_num_0_11.png"), frames.end());  // 6 mod 4 = 2
  EXPECT_NE(std::find(frames.begin(), frames.end(), "new_card_type_2.png"), frames.end());
}

TEST_F(SmallGameCardTest, TurningOverFlipsBetweenFaceAndBack) {
  DDZSmallGameCard* card = deal(3);
  EXPECT_TRUE(card->GetFaceNode()->isVisible());
  EXPECT_FALSE(card->GetBack()->isVisible());
  card->TurnOver(true);  // face to back: the shadow is not touched
  run(0.35f);
  EXPECT_TRUE(card->GetBack()->isVisible());
  EXPECT_FALSE(card->GetFaceNode()->isVisible());
  EXPECT_FALSE(card->GetShadow()->isVisible());
  card->TurnOver(true);  // back to face with the shadow
  run(0.35f);
  EXPECT_FALSE(card->GetBack()->isVisible());
  EXPECT_TRUE(card->GetFaceNode()->isVisible());
  EXPECT_TRUE(card->GetShadow()->isVisible());
}

TEST_F(SmallGameCardTest, TouchesReachTheOwnerOnlyOnAnEnabledCardWithTheRulesHidden) {
  DDZSmallGameHelpLayer* help = owner->AddHelpLayer();
  DDZSmallGameCard* card = deal(1, Vec2(400, 300));
  card->setScale(0.8f);
  card->SetEnabled(true);
  card->setTouchEnabled(true);

  help->SwitchRule(nullptr);
  tap(Vec2(400, 300));  // the touch closes the rules and picks nothing
  EXPECT_TRUE(owner->calls.empty());
  EXPECT_FALSE(card->IsPicked());
  run(2.0f / 60);
  EXPECT_FALSE(help->IsRuleShown());

  tap(Vec2(400 + 141 * 0.4f + 2, 300));  // just beside the card's back
  EXPECT_TRUE(owner->calls.empty());
  tap(Vec2(400 + 141 * 0.4f - 2, 300 - 188 * 0.4f + 2));
  EXPECT_EQ(owner->calls, std::vector<std::string>{"pick"});
  EXPECT_EQ(owner->picked, std::vector<DDZSmallGameCard*>{card});
  EXPECT_TRUE(card->IsPicked());

  card->setTouchEnabled(false);
  tap(Vec2(400, 300));
  EXPECT_EQ(owner->calls.size(), 1u);
}

TEST_F(SmallGameCardTest, WinAndFailEffectsSoundAndEndByShowingTheOtherCards) {
  const struct {
    int kind;
    const char* sound;
    float effectEnd;
  } cases[] = {{4, "ddzSound/ddz_sg_get_yb.mp3", 2.0f}, {2, "ddzSound/ddz_sg_get_yb.mp3", 2.0f},
               {1, "ddzSound/ddz_sg_killed.mp3", 1.0f}, {0, "ddzSound/ddz_sg_killed.mp3", 1.0f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    ResetSmallGameCardPool();
    owner->calls.clear();
    DDZSmallGameCard* card = deal(c.kind);
    card->TurnOver(false);
    run(0.4f);
    sounds();
    card->ShowResult();
    run(0.3f);
    EXPECT_TRUE(sounds().empty());
    run(0.2f);
    EXPECT_EQ(sounds(), std::vector<std::string>{c.sound});
    EXPECT_TRUE(card->GetFaceNode()->isVisible());  // the face turned up, without its shadow
    EXPECT_FALSE(card->GetShadow()->isVisible());
    run(c.effectEnd - 0.6f);
    EXPECT_TRUE(owner->calls.empty());
    run(0.2f);
    EXPECT_EQ(owner->calls, std::vector<std::string>{"others"});
    if (c.kind >= 2) {
      int rings = 0;
      for (cocos2d::Node* child : card->getChildren())
        if (auto* s = dynamic_cast<Sprite*>(child); s && s->getDisplayName() == DDZSmallGameCard::kWinRingFrame) ++rings;
      EXPECT_EQ(rings, 0);  // each ring goes when it has faded
    }
    run(2);
    EXPECT_EQ(owner->calls.size(), 1u);
    card->removeFromParent();
  }
}

TEST_F(SmallGameCardTest, TheBackgroundMirrorsItsQuarterAndShowsSidesOnWideWindows) {
  const int savedWidth = BasePT::g_iWindowWidth;
  for (int width : {1280, 1024}) {
    SCOPED_TRACE(width);
    BasePT::g_iWindowWidth = width;
    DDZSmallGameBgLayer* bg = DDZSmallGameBgLayer::create();
    owner->addChild(bg);
    std::vector<std::pair<float, float>> quarters;
    std::vector<Vec2> sides;
    for (cocos2d::Node* child : bg->getChildren()) {
      auto* s = dynamic_cast<Sprite*>(child);
      ASSERT_NE(s, nullptr);
      const std::string name = s->getDisplayName();
      if (name == DDZSmallGameBgLayer::kQuarterFile) {
        EXPECT_EQ(s->getPosition(), g_ptBgWndCenterPos);
        EXPECT_EQ(s->getAnchorPoint(), Vec2(1, 1));
        quarters.emplace_back(s->getScaleX(), s->getScaleY());
      } else if (name == DDZSmallGameBgLayer::kSideFrame) {
        sides.push_back(s->getPosition());
      } else if (name == DDZSmallGameBgLayer::kDeskFile) {
        EXPECT_EQ(s->getPosition(), g_ptBgDeskPos);
      } else if (name == DDZSmallGameBgLayer::kHatFrame) {
        EXPECT_EQ(s->getLocalZOrder(), 2);
        EXPECT_EQ(s->getPosition(), g_ptHatPos);
      } else {
        EXPECT_EQ(name, DDZSmallGameBgLayer::kManFrame);
        EXPECT_EQ(s->getPosition(), g_ptManPos);
      }
    }
    EXPECT_EQ(quarters, (std::vector<std::pair<float, float>>{{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}));
    EXPECT_EQ(sides, width > 1024 ? (std::vector<Vec2>{g_ptSidePos[0], g_ptSidePos[1]}) : std::vector<Vec2>{});
    EXPECT_EQ(bg->getChildrenCount(), width > 1024 ? 9u : 7u);
    bg->removeFromParent();
  }
  BasePT::g_iWindowWidth = savedWidth;
}

}  // namespace
