#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TableRowTestSupport.h"
#include "cards/BaseCard.h"

using cocos2d::Vec2;
using Lines = std::vector<std::string>;

namespace {

class BaseCardTest : public rowtest::TableRowTest {
 protected:
  void SetUp() override {
    TableRowTest::SetUp();
    row = make();
  }
  BaseCard* make() {
    auto* r = new BaseCard(view);
    r->autorelease();
    view->addChild(r);
    return r;
  }
  // Three face-down cards, as the deal leaves them.
  void dealBacks(BaseCard* r, int n = 3) {
    for (int i = 0; i < n; ++i) r->AddCard(0, true, false);
  }
  static bool faceUp(const BaseCardItem* item) {
    return item->pFaceSprite != nullptr && item->pFaceSprite->isVisible() &&
           (item->pBackSprite == nullptr || !item->pBackSprite->isVisible());
  }
  // Steps 10 ms frames until `done` or `limitMs`; the clock reading then.
  template <class Done>
  unsigned runUntil(Done done, unsigned limitMs = 5000) {
    for (unsigned t = 0; t < limitMs; t += 10) {
      if (done()) return ddz::os::Clock().NowMs();
      frames(1, 10);
    }
    return ~0u;
  }

  BaseCard* row = nullptr;
};

TEST_F(BaseCardTest, TheFlipChainTurnsOneCardAfterAnotherAndTellsTheViewOnceAtTheEnd) {
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.5f, true);
  EXPECT_EQ(lock(), 1);
  const auto& items = row->GetItems();
  // Card 1 flips at once (two frames of 40 ms); each further card waits 0.5 s first.
  const unsigned first = runUntil([&] { return faceUp(items[0]); });
  const unsigned second = runUntil([&] { return faceUp(items[1]); });
  const unsigned third = runUntil([&] { return faceUp(items[2]); });
  EXPECT_NEAR(first, 80, 20);
  EXPECT_NEAR(second - first, 580, 20);
  EXPECT_NEAR(third - second, 580, 20);
  EXPECT_EQ(view->calls, (Lines{"baseShown lock=1"})) << "told once, before the lock comes down";
  EXPECT_EQ(lock(), 0);
  EXPECT_EQ(sounds(), (Lines(3, BaseCard::kFlipSound)));
  frames(200, 10);
  EXPECT_EQ(view->calls.size(), 1u);
  EXPECT_EQ(lock(), 0);
  std::vector<int> cards;
  row->GetBaseCard(cards);
  EXPECT_EQ(cards, (std::vector<int>{5, 20, 13}));
}

TEST_F(BaseCardTest, ARowThatLeavesMidChainLowersTheLockOnceAndTellsTheViewWhenTheChainEnds) {
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.5f, false);
  frames(20, 10);  // card 1 is up, card 2 waits
  ASSERT_TRUE(faceUp(row->GetItems()[0]));
  row->retain();
  row->removeFromParentAndCleanup(false);  // the view goes to another screen
  EXPECT_EQ(lock(), 0);
  EXPECT_FALSE(row->IsHoldingLock());
  GameViewBase::m_iLockMainMsgCount += 1;  // someone else's raise
  view->addChild(row);
  row->release();
  frames(200, 10);
  EXPECT_EQ(view->calls, (Lines{"baseShown lock=1"})) << "the row's own raise went when it left";
  EXPECT_EQ(lock(), 1) << "the other raise stands";
  EXPECT_FALSE(logHas("lowered below 0"));
}

TEST_F(BaseCardTest, AViewThatRemovesTheRowWhenToldLowersTheLockOnce) {
  view->removeOnBaseShown = row;
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.5f, false);
  frames(200, 10);
  EXPECT_EQ(view->calls, (Lines{"baseShown lock=1"}));
  EXPECT_EQ(lock(), 0);
  EXPECT_FALSE(logHas("lowered below 0"));
}

TEST_F(BaseCardTest, ARowThatGoesMidChainLowersTheLockAndTellsNobody) {
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.5f, false);
  frames(20, 10);
  view->removeChild(row, true);  // re-login: the table is rebuilt
  EXPECT_EQ(lock(), 0);
  frames(200, 10);
  EXPECT_TRUE(view->calls.empty());
  EXPECT_FALSE(logHas("lowered below 0"));
}

TEST_F(BaseCardTest, ClearingTheRowMidChainLowersTheLock) {
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.5f, false);
  frames(20, 10);
  row->RemoveAllCard();
  EXPECT_EQ(lock(), 0);
  frames(200, 10);
  EXPECT_TRUE(view->calls.empty());
  EXPECT_EQ(lock(), 0);
}

TEST_F(BaseCardTest, CardsWithoutAnIndexKeepTheirBackAndStillTakeTheirTurn) {
  dealBacks(row);
  row->ShowBaseCard({5}, 0.1f, true);
  frames(100, 10);
  const auto& items = row->GetItems();
  EXPECT_TRUE(faceUp(items[0]));
  for (int i : {1, 2}) {
    EXPECT_EQ(items[i]->pFaceSprite, nullptr) << i;
    EXPECT_TRUE(items[i]->pBackSprite->isVisible()) << i;
  }
  EXPECT_EQ(sounds().size(), 3u) << "every card took its turn";
  EXPECT_EQ(view->calls, (Lines{"baseShown lock=1"}));  // told while the messages are held
  EXPECT_TRUE(logHas("no index for card 1"));
}

TEST_F(BaseCardTest, AFaceUpCardInTheRowTakesItsTurnAtOnce) {
  row->AddCard(0, true, false);
  row->AddCard(7, false, false);  // a script's face-up card
  row->AddCard(0, true, false);
  row->ShowBaseCard({5, 99, 13}, 0.5f, false);
  frames(200, 10);
  for (const BaseCardItem* item : row->GetItems()) EXPECT_TRUE(faceUp(item));
  EXPECT_EQ(row->GetItems()[1]->iCardIndex, 7) << "a face the row has is kept";
  EXPECT_EQ(view->calls, (Lines{"baseShown lock=1"}));  // told while the messages are held
}

TEST_F(BaseCardTest, WithNothingToTurnFirstTheLockGoesUpAndDownAndTheViewHearsNothing) {
  BaseCard* faceFirst = make();
  faceFirst->AddCard(7, false, true);
  for (BaseCard* r : {row, faceFirst}) {
    r->ShowBaseCard({1, 2, 3}, 0.5f, false);
    EXPECT_EQ(lock(), 0);
  }
  frames(100, 10);
  EXPECT_TRUE(view->calls.empty());
}

TEST_F(BaseCardTest, AChainStartedAgainKeepsOneRaiseAndTellsTheViewOnce) {
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.5f, false);
  frames(20, 10);
  row->ShowBaseCard({5, 20, 13}, 0.5f, false);
  EXPECT_EQ(lock(), 1);
  frames(200, 10);
  EXPECT_EQ(view->calls, (Lines{"baseShown lock=1"}));  // told while the messages are held
}

TEST_F(BaseCardTest, TheRowIsCentredOnTheWindowForAnyCount) {
  struct Case {
    int viewType;
    int cards;
  } cases[] = {{ddz::kViewClassic, 1}, {ddz::kViewClassic, 3}, {ddz::kViewClassic, 4}, {ddz::kViewFourPlayer, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.viewType) + "/" + std::to_string(c.cards));
    g_iGameViewType = c.viewType;
    BaseCard* r = make();
    dealBacks(r, c.cards);
    const bool four = c.viewType == ddz::kViewFourPlayer;
    const float gap = static_cast<float>(four ? g_iSRBaseCardGap : g_iBaseCardGap);
    const float scale = four ? g_fSRBaseCardScale : g_fBaseCardScale;
    const auto& items = r->GetItems();
    const float left = items.front()->pBackSprite->getPositionX();
    const float right = items.back()->pBackSprite->getPositionX();
    EXPECT_NEAR((left + right) / 2, 640, 1);
    EXPECT_FLOAT_EQ(right - left, gap * static_cast<float>(c.cards - 1));
    for (const BaseCardItem* item : items) {
      EXPECT_FALSE(std::isnan(item->pBackSprite->getPositionX()));
      EXPECT_EQ(item->pBackSprite->getPositionY(), g_ptBaseCard.y);
      EXPECT_EQ(item->pBackSprite->getScale(), scale);
    }
  }
}

TEST_F(BaseCardTest, FacesFlyToTheirRestingPlacesAndGo) {
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.1f, false);
  frames(100, 10);
  std::vector<cocos2d::Sprite*> faces;
  for (const BaseCardItem* item : row->GetItems()) {
    faces.push_back(item->pFaceSprite);
    item->pFaceSprite->retain();
  }
  row->RemoveAllCard();
  EXPECT_EQ(row->GetCardCount(), 0);
  for (cocos2d::Sprite* face : faces) EXPECT_EQ(face->getParent(), row) << "still flying";
  frames(26, 20);  // 0.5 s and the end
  for (cocos2d::Sprite* face : faces) {
    EXPECT_EQ(face->getParent(), nullptr) << "removed at the end of its flight";
    face->release();
  }
  // A four-player table's faces go at once.
  g_iGameViewType = ddz::kViewFourPlayer;
  BaseCard* four = make();
  four->AddCard(5, false, true);
  cocos2d::Sprite* face = four->GetItems()[0]->pFaceSprite;
  face->retain();
  four->RemoveAllCard();
  EXPECT_EQ(face->getParent(), nullptr);
  face->release();
}

TEST_F(BaseCardTest, AFlyingFaceEndsAtItsRestingPlace) {
  dealBacks(row);
  row->ShowBaseCard({5, 20, 13}, 0.1f, false);
  frames(100, 10);
  cocos2d::Sprite* face = row->GetItems()[2]->pFaceSprite;
  face->retain();
  row->RemoveAllCard();
  frames(24, 20);
  const Vec2 rest = g_ptBaseCardStop[2] + Vec2(BaseCard::kRestShiftX, 0);
  EXPECT_NEAR(face->getPositionX(), rest.x, 20);
  EXPECT_NEAR(face->getPositionY(), rest.y, 20);
  frames(2, 20);
  EXPECT_EQ(face->getPosition(), rest);
  EXPECT_FLOAT_EQ(face->getScale(), BaseCard::kRestScale);
  face->release();
}

}  // namespace
