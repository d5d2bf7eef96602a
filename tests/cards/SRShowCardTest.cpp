// The open hand of a four-player seat: lines of 11 small cards.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CardRowTestSupport.h"
#include "cardlogic/CardCodes.h"
#include "cards/SRShowCard.h"
#include "gamedata/LayoutConfig.h"

namespace {

class SRShowCardTest : public cardtest::CardRowTest {
 protected:
  void SetUp() override {
    CardRowTest::SetUp();
    savedGap = {g_iShowCardGapX, g_iShowCardGapY};
    g_iShowCardGapX = 30;
    g_iShowCardGapY = 50;
    row = makeRow<SRShowCard>();
    row->SetOrigin({100.7f, 500});
    row->SetShowCardScale(0.5f);
  }
  void TearDown() override {
    g_iShowCardGapX = savedGap[0];
    g_iShowCardGapY = savedGap[1];
    CardRowTest::TearDown();
  }
  std::vector<int> savedGap;
  SRShowCard* row = nullptr;
};

TEST_F(SRShowCardTest, TwentyFiveCardsTakeLinesOfElevenElevenAndThree) {
  std::vector<std::uint8_t> bytes{16, 17};  // the jokers lead the sorted row
  for (int suit = 0; suit < 2; ++suit)
    for (int v = 1; v <= 13; ++v) bytes.push_back(static_cast<std::uint8_t>(suit << 5 | v));
  bytes.resize(25);
  ASSERT_EQ(bytes.size(), 25u);
  row->ShowCardBytes(bytes.data(), static_cast<int>(bytes.size()));
  const auto& cards = row->GetCards();
  ASSERT_EQ(cards.size(), 25u);
  struct Case {
    int index;
    float x, y;
  } cases[] = {{0, 100, 500}, {10, 400, 500}, {11, 100, 450}, {21, 400, 450}, {22, 100, 400}, {24, 160, 400}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    const SpriteCardInfo* info = cards[static_cast<std::size_t>(c.index)];
    EXPECT_EQ(info->pCardSprite->getPosition(), cocos2d::Vec2(c.x, c.y));
  }
  EXPECT_EQ(cards[0]->iCardIndex, ddz::kBigJokerCode);
  EXPECT_EQ(cards[1]->iCardIndex, ddz::kSmallJokerCode);
  for (const SpriteCardInfo* info : cards) {
    const bool joker = info->iCardIndex == ddz::kSmallJokerCode || info->iCardIndex == ddz::kBigJokerCode;
    EXPECT_FLOAT_EQ(info->pCardSprite->getScale(), joker ? 1.0f : 0.5f) << info->iCardIndex;
  }
}

TEST_F(SRShowCardTest, CardBytesGoThroughTheOneConverterAndNoCardIsSkipped) {
  const std::vector<std::uint8_t> bytes{0x41, 0, 16, 0x7f, 17};
  row->ShowCardBytes(bytes.data(), static_cast<int>(bytes.size()));
  std::vector<int> codes;
  for (const SpriteCardInfo* info : row->GetCards()) codes.push_back(info->iCardIndex);
  EXPECT_EQ(codes, (std::vector<int>{14, 13, 30}));
  EXPECT_TRUE(logHas("card byte 0x7f is not a card"));
  EXPECT_TRUE(logHas("card byte 0x00 is not a card"));
  row->ShowCardBytes(bytes.data(), 1);
  EXPECT_EQ(row->GetCardCount(), 1) << "a new hand replaces the old one";
}

}  // namespace
