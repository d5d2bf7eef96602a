#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CardRowTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cards/SpriteCardManage.h"

using cardtest::CardRowTest;
using cardtest::Codes;
using cardtest::FaceParts;
using cardtest::Part;
using cocos2d::Color3B;
using cocos2d::Sprite;
using cocos2d::Vec2;

namespace {

using Row = cardtest::Recording<SpriteCardManage>;

class RecordRow : public CardRowTest {
 protected:
  Row* row = nullptr;
  void SetUp() override {
    CardRowTest::SetUp();
    row = makeRow<SpriteCardManage>();
  }
  SpriteCardInfo* add(int card, int wildcard = 0, bool focus = false, bool sortAfter = false) {
    return row->AddCard(card, false, false, sortAfter, wildcard, focus, false);
  }
  // Every sprite a record has, named by frame.
  static std::vector<std::string> sprites(const SpriteCardInfo* info) {
    std::vector<std::string> names;
    for (const Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame,
                            info->pMaskSprite, info->pLandlordMark})
      names.push_back(s ? Part(s, false) : "-");
    return names;
  }
};

}  // namespace

TEST_F(RecordRow, AddCardBuildsTheRecordAndItsSpritesAtOneZOrder) {
  row->SetShadow(true);
  add(3);
  SpriteCardInfo* info = row->AddCard(22, true, true, false, -1, true, false);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->bBack, 1);
  EXPECT_EQ(info->bSelected, 1);
  EXPECT_EQ(info->bFocus, 1);
  EXPECT_EQ(info->iWildcardValue, -1);
  EXPECT_FLOAT_EQ(info->fZ, 101);
  EXPECT_EQ(sprites(info), (std::vector<std::string>{"cardback.png", "p_shadow.png", "-", "gold_card_focus.png", "-", "-"}));
  EXPECT_EQ(info->pShadowSprite->getLocalZOrder(), 101);
  EXPECT_EQ(info->pFocusFrame->getLocalZOrder(), 101);
  EXPECT_FALSE(info->pShadowSprite->isVisible());
  EXPECT_TRUE(info->pFocusFrame->isVisible());
  EXPECT_EQ(row->GetCardCount(), 2);
  EXPECT_TRUE(row->GetVellCards().empty());  // the base's list stays empty
  EXPECT_EQ(row->calls, (std::vector<std::string>{"layout", "layout"}));
}

TEST_F(RecordRow, ShowOnAddOffHidesEverySpriteOfTheNewCard) {
  row->SetShadow(true);
  row->SetWildcardMode(true);
  row->SetShowOnAdd(false);
  SpriteCardInfo* info = row->AddCard(14, false, false, false, 0, true, false);
  ASSERT_NE(info, nullptr);
  for (const Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame}) {
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->isVisible()) << Part(s, false);
  }
}

TEST_F(RecordRow, JokersInWildcardModeCarryTheMarkerAndThePinkTint) {
  struct Case {
    bool mode;
    int card;
    bool marked;
  } cases[] = {{true, 13, true}, {true, 14, true}, {true, 28, false}, {true, 5, false}, {false, 13, false}, {false, 14, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.card) + (c.mode ? " in wildcard mode" : " mode off"));
    row->SetWildcardMode(c.mode);
    SpriteCardInfo* info = add(c.card);
    ASSERT_NE(info, nullptr);
    if (c.marked) {
      ASSERT_NE(info->pJokerMark, nullptr);
      EXPECT_EQ(Part(info->pJokerMark, false), "qorvddz_vell_laizi.png");
      EXPECT_EQ(info->pJokerMark->getLocalZOrder(), static_cast<int>(info->fZ));
      EXPECT_EQ(info->pCardSprite->getColor(), Color3B(255, 203, 203));
    } else {
      EXPECT_EQ(info->pJokerMark, nullptr);
      EXPECT_EQ(info->pCardSprite->getColor(), Color3B::WHITE);
    }
  }
}

TEST_F(RecordRow, FacesUseTheLayoutPlacesAndTheWildcardFace) {
  struct Case {
    const char* what;
    int card;
    bool faceDown, shown;
    int wildcard;
    std::vector<std::string> parts;
  } cases[] = {
      {"8 of suit 1",
       23,
       false,
       false,
       0,
       {"new_card_bg.png", "new_card_num_1_8.png@(22,160)", "new_card_type_s_1.png@(22,122)",
        "new_card_type_1.png@(84,62)"}},
      {"Q of suit 2",
       41,
       false,
       false,
       -1,
       {"new_card_bg.png", "new_card_num_0_11.png@(22,160)", "new_card_type_s_2.png@(22,122)",
        "new_card_type_11.png@(80,78)"}},
      {"shown 8 of suit 1",
       23,
       false,
       true,
       0,
       {"show_card_bg.png", "new_card_num_1_8.png@(20,162) x0.5", "new_card_type_s_1.png@(20,126) x0.5",
        "show_card_bg.png@(0,0)"}},
      {"shown small joker", 13, false, true, 0, {"show_card_bg.png", "show_cards_13.png@(11,22)", "show_card_bg.png@(0,0)"}},
      {"big joker", 14, false, false, 0, {"card14.png"}},
      {"5 standing for a small joker's wildcard",
       4,
       false,
       false,
       13,
       {"new_card_bg.png", "lz_handcard_num_2_4.png@(22,160)", "lz_handcard_12.png@(22,122)",
        "lz_handcard_11.png@(84,62)", "lz_handcard_num_2_13.png@(22,66)"}},
      {"shown wildcard face",
       4,
       false,
       true,
       5,
       {"new_card_bg.png", "lz_handcard_num_2_4.png@(22,160)", "lz_handcard_12.png@(22,122)",
        "lz_handcard_11.png@(84,62)", "lz_handcard_num_2_5.png@(22,66)", "show_card_bg.png@(0,0)"}},
      {"wildcard value on a joker wins over the joker face",
       14,
       false,
       false,
       1,
       {"new_card_bg.png", "lz_handcard_num_2_14.png@(22,160)", "lz_handcard_12.png@(22,122)",
        "lz_handcard_11.png@(84,62)", "lz_handcard_num_2_1.png@(22,66)"}},
      {"face down wins over the wildcard face", 4, true, false, 5, {"cardback.png"}},
      // The play row marks a card with the code of what stands in for it,
      // whatever its suit: the number of that code, never the back.
      {"small joker marked with the 5 of suit 2",
       13,
       false,
       false,
       34,
       {"new_card_bg.png", "lz_handcard_num_2_13.png@(22,160)", "lz_handcard_12.png@(22,122)",
        "lz_handcard_11.png@(84,62)", "lz_handcard_num_2_4.png@(22,66)"}},
      {"5 marked with the wildcard card's code", 4, false, false, ddz::kWildcardCode,
       {"new_card_bg.png", "lz_handcard_num_2_4.png@(22,160)", "lz_handcard_12.png@(22,122)",
        "lz_handcard_11.png@(84,62)", "lz_handcard_num_2_13.png@(22,66)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    cocos2d::Log::clear();
    SpriteCardInfo* info = row->AddCard(c.card, c.faceDown, false, false, c.wildcard, false, c.shown);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(FaceParts(info->pCardSprite), c.parts);
    EXPECT_FALSE(logHas("drawn as a back"));
  }
  // Without a record there is no wildcard face.
  SpriteCardInfo plain;
  plain.iWildcardValue = 0;
  EXPECT_EQ(FaceParts(SpriteCardManage::CreateCardSprite(nullptr, 4, false, false))[1], "new_card_num_0_4.png@(22,160)");
  EXPECT_EQ(FaceParts(SpriteCardManage::CreateCardSprite(&plain, 4, false, false))[1], "new_card_num_0_4.png@(22,160)");
}

TEST_F(RecordRow, SortOrdersTheRecordsAndMovesEverySpriteOfACard) {
  row->SetShadow(true);
  row->SetWildcardMode(true);
  add(4, 0, true);
  add(19);
  add(13);
  add(6);
  row->SetCardMask(1, true);
  row->SetLandlordMark(1, 2);
  row->calls.clear();
  row->SortCards();
  EXPECT_EQ(Codes(row->GetCards()), (std::vector<int>{13, 6, 4, 19}));
  EXPECT_EQ(row->calls, (std::vector<std::string>{"sort", "layout"}));
  for (std::size_t i = 0; i < row->GetCards().size(); ++i) {
    const SpriteCardInfo* info = row->GetCards()[i];
    EXPECT_FLOAT_EQ(info->fZ, 100 + static_cast<float>(i));
    for (const Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame,
                            info->pMaskSprite, info->pLandlordMark})
      if (s) {
        EXPECT_EQ(s->getLocalZOrder(), 100 + static_cast<int>(i)) << info->iCardIndex << " " << Part(s, false);
      }
  }
  // The 5 of suit 1 kept its mask and mark through the sort.
  EXPECT_EQ(sprites(row->GetCards()[3]),
            (std::vector<std::string>{"new_card_bg.png", "p_shadow.png", "-", "-", "p_shadow.png", "veriz_landower.png"}));
}

TEST_F(RecordRow, MaskFocusAndLandlordMark) {
  SpriteCardInfo* info = add(7);
  info->fX = 120;
  info->fY = 80;
  info->pCardSprite->setScale(0.5f);

  row->SetCardMask(0, true);
  ASSERT_NE(info->pMaskSprite, nullptr);
  EXPECT_EQ(info->bMasked, 1);
  EXPECT_EQ(Part(info->pMaskSprite), "p_shadow.png@(120,80) x0.5");
  EXPECT_EQ(info->pMaskSprite->getOpacity(), 153);
  Sprite* mask = info->pMaskSprite;
  row->SetCardMask(0, true);  // again: the same mask
  EXPECT_EQ(info->pMaskSprite, mask);
  row->SetCardMask(0, false);
  EXPECT_EQ(info->pMaskSprite, nullptr);
  EXPECT_EQ(info->bMasked, 0);

  row->SetCardFocus(0, true);
  ASSERT_NE(info->pFocusFrame, nullptr);
  EXPECT_EQ(Part(info->pFocusFrame), "gold_card_focus.png@(120,80)");
  EXPECT_EQ(info->pFocusFrame->getLocalZOrder(), 100);
  Sprite* focus = info->pFocusFrame;
  row->SetCardFocus(0, true);
  EXPECT_EQ(info->pFocusFrame, focus);
  row->SetCardFocus(0, false);
  EXPECT_EQ(info->pFocusFrame, nullptr);

  row->SetLandlordMark(0, 1);  // a farmer's row: no mark
  EXPECT_EQ(info->pLandlordMark, nullptr);
  row->SetLandlordMark(0, 2);
  ASSERT_NE(info->pLandlordMark, nullptr);
  EXPECT_EQ(Part(info->pLandlordMark), "veriz_landower.png@(120,80) x0.5");
  const std::size_t children = row->getChildrenCount();
  row->SetLandlordMark(0, 2);  // no second mark
  EXPECT_EQ(row->getChildrenCount(), children);
}

TEST_F(RecordRow, MarkIndexesOutsideTheRowAreIgnored) {
  add(7);
  add(8);
  const std::size_t children = row->getChildrenCount();
  for (int index : {-1, 2, 3, 1000}) {
    SCOPED_TRACE(index);
    row->SetCardMask(index, true);
    row->SetCardMask(index, false);
    row->SetCardFocus(index, true);
    row->SetLandlordMark(index, 2);
  }
  EXPECT_EQ(row->getChildrenCount(), children);
  for (const SpriteCardInfo* info : row->GetCards()) {
    EXPECT_EQ(info->bMasked, 0);
    EXPECT_EQ(info->pFocusFrame, nullptr);
    EXPECT_EQ(info->pLandlordMark, nullptr);
  }
  SpriteCardManage empty;
  empty.SetCardMask(0, true);
  empty.SetCardFocus(0, true);
  empty.SetLandlordMark(0, 2);
  EXPECT_EQ(empty.getChildrenCount(), 0u);
}

TEST_F(RecordRow, RemovingACardTakesEveryOneOfItsSpritesOffTheLayer) {
  row->SetShadow(true);
  row->SetWildcardMode(true);
  add(5);
  SpriteCardInfo* joker = add(13, 0, true);
  joker->fX = 50;
  joker->fY = 60;
  row->SetCardMask(1, true);
  row->SetLandlordMark(1, 2);
  ASSERT_EQ(row->getChildrenCount(), 2u + 6u);

  row->calls.clear();
  Vec2 place;
  row->RemoveCard(place, 13, true);
  EXPECT_EQ(place, Vec2(50, 60));
  EXPECT_EQ(row->getChildrenCount(), 2u);
  EXPECT_EQ(Codes(row->GetCards()), (std::vector<int>{5}));
  EXPECT_EQ(row->calls, (std::vector<std::string>{"sort", "layout"}));

  // By record: the landlord mark goes too.
  SpriteCardInfo* card = row->GetCards()[0];
  row->SetLandlordMark(0, 2);
  row->calls.clear();
  row->RemoveCardByRecord(place, card, false);
  EXPECT_EQ(row->getChildrenCount(), 0u);
  EXPECT_EQ(row->calls, (std::vector<std::string>{"layout"}));

  // A card or record that is not in the row.
  add(9);
  place = Vec2(1, 1);
  row->RemoveCard(place, 10, false);
  EXPECT_EQ(place, Vec2::ZERO);
  SpriteCardInfo stranger;
  row->RemoveCardByRecord(place, &stranger, false);
  EXPECT_EQ(row->GetCardCount(), 1);
}

TEST_F(RecordRow, RemoveAllUnselectAllAndLeavingTheScene) {
  row->SetShadow(true);
  row->AddCard(3, false, true, false, 0, true, false);
  row->AddCard(4, false, true, false, 0, false, false);
  row->SetLandlordMark(0, 2);
  row->calls.clear();
  row->UnselectAll();
  for (const SpriteCardInfo* info : row->GetCards()) EXPECT_EQ(info->bSelected, 0);
  EXPECT_EQ(row->calls, (std::vector<std::string>{"layout"}));
  row->RemoveAllCards();
  EXPECT_EQ(row->GetCardCount(), 0);
  EXPECT_EQ(row->getChildrenCount(), 0u);

  row->AddCard(5, false, false, false, 0, false, false);
  row->retain();
  row->removeFromParent();
  EXPECT_EQ(row->GetCardCount(), 0);
  EXPECT_EQ(row->getChildrenCount(), 0u);
  row->release();
}

TEST_F(RecordRow, InvalidCardsAddNothing) {
  add(3);
  row->calls.clear();
  const std::size_t children = row->getChildrenCount();
  for (int bad : {-1, 29, 44, 60}) {
    cocos2d::Log::clear();
    EXPECT_EQ(row->AddCard(bad, false, false, true, 5, true, true), nullptr);
    EXPECT_TRUE(logHas("SpriteCardManage::AddCard: card " + std::to_string(bad) + " is not a card"));
  }
  // A message's card bytes go through the converter first; a bad one is -1.
  EXPECT_EQ(row->AddCard(CardByteToSpriteIndex(0), false, false, true, 0, false, false), nullptr);
  EXPECT_EQ(row->AddCard(CardByteToSpriteIndex((5 << 5) | 3), false, false, true, 0, false, false), nullptr);
  EXPECT_EQ(row->GetCardCount(), 1);
  EXPECT_EQ(row->getChildrenCount(), children);
  EXPECT_TRUE(row->calls.empty());
}

TEST_F(RecordRow, AFaceWithAMissingFrameIsDrawnAsABack) {
  cocos2d::SpriteFrameCache::getInstance()->removeSpriteFrameByName("lz_handcard_num_2_13.png");
  SpriteCardInfo* info = add(4, 13);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(FaceParts(info->pCardSprite), (std::vector<std::string>{"cardback.png"}));
  EXPECT_TRUE(logHas("no frame lz_handcard_num_2_13.png for card 4, drawn as a back"));
}
