// The card counters: the column of each card, played versus remaining, the
// mode kept across counters and in the stored settings, and the four-player
// re-login counts in the server's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "platform/gamebase/GameViewBase.h"
#include "widgets/CardCounterLayer.h"
#include "WidgetTestSupport.h"

namespace {

class CardCounterTest : public widgettest::WidgetTest {
 protected:
  // The numbers of the 15 shown columns.
  static std::vector<std::string> Numbers(const CardCounterLayer* counter) {
    std::vector<std::string> texts;
    for (int c = 0; c < CardCounterLayer::kShownColumns; ++c) texts.push_back(counter->GetNumber(c)->getString());
    return texts;
  }
  static std::vector<std::string> Repeat(const std::string& ranks, const std::string& jokers) {
    std::vector<std::string> texts(13, ranks);
    texts.push_back(jokers);
    texts.push_back(jokers);
    return texts;
  }
  template <class Counter>
  Counter* Make() {
    auto* counter = Counter::create(view);
    view->addChild(counter);
    return counter;
  }
};

// A table view of a given game kind.
class KindView : public DDZGameView {
 public:
  static KindView* create(int kind) {
    auto* view = new KindView(kind);
    view->autorelease();
    return view;
  }
  int GetGameKind() override { return kind; }

 private:
  explicit KindView(int k) : DDZGameView(nullptr, nullptr), kind(k) {}
  int kind;
};

// Codes: suit * 15 + index, index 0 = A, 1 = 2, 2..12 = 3..K, 13/14 jokers.
TEST_F(CardCounterTest, EachCardCountsInItsRanksColumn) {
  struct Case {
    const char* name;
    int code;
    int column;  // -1: not counted
  };
  const Case cases[] = {
      {"3 of suit 0", 2, 0},      {"K of suit 3", 45 + 12, 10}, {"A", 15, 11},       {"2", 31, 12},
      {"small joker", 13, 13},    {"big joker", 14, 14},        {"wildcard", 28, 15}, {"no card: -1", -1, -1},
      {"no card: 29", 29, -1},    {"no card: 58", 58, -1},
  };
  auto* counter = Make<CardCounterLayer>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(counter->ColumnOf(c.code), c.column);
  }
  // Refused codes change no count.
  counter->AddCards({2, 17, 15, -1, 29, 58, 13, 28});
  const int expected[16] = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1};
  for (int c = 0; c < CardCounterLayer::kCountSlots; ++c) EXPECT_EQ(counter->GetCount(c), expected[c]) << c;
}

TEST_F(CardCounterTest, OnAShortDeckTableAFiveCountsInTheFirstColumn) {
  auto* counter = Make<CardCounterLayer>();
  counter->ClearCards(CardCounterLayer::kKindShortDeck);
  EXPECT_EQ(counter->ColumnOf(4), 0);   // 5
  EXPECT_EQ(counter->ColumnOf(15), 9);  // A
  EXPECT_EQ(counter->ColumnOf(2), -1);  // no 3 in that deck
}

TEST_F(CardCounterTest, PlayedAndRemainingNumbersForBothDecks) {
  struct Case {
    const char* name;
    bool fourPlayer;
    std::vector<int> played;
    std::vector<std::string> playedMode, remainingMode;
  };
  std::vector<std::string> oneDeckPlayed = Repeat("0", "0"), oneDeckLeft = Repeat("4", "1");
  oneDeckPlayed[0] = "2";
  oneDeckLeft[0] = "2";
  oneDeckPlayed[13] = "1";
  oneDeckLeft[13] = "0";
  std::vector<std::string> twoDeckPlayed = Repeat("0", "0"), twoDeckLeft = Repeat("8", "2");
  twoDeckPlayed[13] = "2";
  twoDeckLeft[13] = "0";
  const Case cases[] = {
      {"one deck, nothing played", false, {}, Repeat("0", "0"), Repeat("4", "1")},
      {"one deck, two 3s and a joker", false, {2, 17, 13}, oneDeckPlayed, oneDeckLeft},
      {"two decks, nothing played", true, {}, Repeat("0", "0"), Repeat("8", "2")},
      {"two decks, both small jokers", true, {13, 13}, twoDeckPlayed, twoDeckLeft},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CardCounterLayer* counter = c.fourPlayer ? Make<SRCardCounterLayer>() : Make<CardCounterLayer>();
    counter->AddCards(c.played);
    counter->ShowPlayed();
    EXPECT_EQ(Numbers(counter), c.playedMode);
    counter->ShowRemain();
    EXPECT_EQ(Numbers(counter), c.remainingMode);
    counter->removeFromParent();
  }
}

TEST_F(CardCounterTest, AModeClickSwapsTheButtonsAndIsKeptForTheNextCounter) {
  GameViewBase::m_GlobalInfo.iCardCounterMode = 0;
  auto* counter = Make<CardCounterLayer>();
  ASSERT_NE(counter->GetRemainButton(), nullptr);
  EXPECT_TRUE(counter->GetRemainButton()->isVisible());
  EXPECT_FALSE(counter->GetPlayedButton()->isVisible());

  counter->ShowRemain();
  EXPECT_FALSE(counter->GetRemainButton()->isVisible());
  EXPECT_TRUE(counter->GetPlayedButton()->isVisible());
  EXPECT_EQ(Numbers(counter), Repeat("4", "1"));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iCardCounterMode, 1);

  // Written at once: the stored settings bring the mode back.
  GameViewBase::m_GlobalInfo.iCardCounterMode = 0;
  GameViewBase::ReadSettingInfo();
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iCardCounterMode, 1);

  // The next table's counter, of either kind, starts in that mode.
  auto* next = Make<SRCardCounterLayer>();
  EXPECT_EQ(next->GetShowMode(), CardCounterLayer::kModeRemaining);
  EXPECT_EQ(Numbers(next), Repeat("8", "2"));
  next->ShowPlayed();
  GameViewBase::ReadSettingInfo();
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iCardCounterMode, 0);
}

TEST_F(CardCounterTest, AStripNotYetRunningOnlyKeepsWhatItIsTold) {
  auto* counter = SRCardCounterLayer::create(view);
  counter->retain();
  counter->SetShow(false);
  counter->AddCards({2, 2});
  counter->Refresh();
  EXPECT_EQ(counter->GetNumber(0), nullptr);
  view->addChild(counter);
  EXPECT_FALSE(counter->GetNumber(0)->isVisible());  // the build used the kept flag
  EXPECT_EQ(counter->GetNumber(0)->getString(), "2");
  counter->SetShow(true);
  EXPECT_TRUE(counter->GetNumber(0)->isVisible());
  counter->release();
}

TEST_F(CardCounterTest, ReloginCountsArriveAceTwoThreeOnwardAndOverfullOnesAreRefused) {
  GameViewBase::m_GlobalInfo.iCardCounterMode = 1;
  auto* counter = Make<SRCardCounterLayer>();
  // Remaining in the server's order A, 2, 3, 4, ..., K, small joker, big joker.
  const std::uint8_t remain[15] = {1, 2, 3, 4, 5, 6, 7, 8, 0, 1, 2, 3, 4, 1, 0};
  counter->SetRemainCards(remain);
  const std::vector<std::string> shown = {"3", "4", "5", "6", "7", "8", "0", "1", "2", "3", "4", "1", "2", "1", "0"};
  EXPECT_EQ(Numbers(counter), shown);
  EXPECT_EQ(counter->GetCount(11), 7);  // aces: 8 - 1
  EXPECT_EQ(counter->GetCount(12), 6);  // twos: 8 - 2

  std::uint8_t overfull[15];
  std::copy(std::begin(remain), std::end(remain), overfull);
  overfull[14] = 3;  // three big jokers left of two
  counter->SetRemainCards(overfull);
  counter->SetRemainCards(nullptr);
  EXPECT_EQ(Numbers(counter), shown);
}

TEST_F(CardCounterTest, EveryHandStartsFromZeroInEveryColumnOnEveryTable) {
  // On the short-deck table the wildcard counts in column 13: hand after hand
  // it shows one played, never two or three.
  for (int kind : {CardCounterLayer::kKindShortDeck, 0}) {
    SCOPED_TRACE(kind);
    auto* table = KindView::create(kind);
    view->addChild(table);
    auto* counter = CardCounterLayer::create(table);
    table->addChild(counter);
    for (int hand = 0; hand < 3; ++hand) {
      counter->ClearCards(kind);
      for (int c = 0; c < CardCounterLayer::kCountSlots; ++c) EXPECT_EQ(counter->GetCount(c), 0) << c;
      counter->AddCards({4, 13, 14, 28});
    }
    EXPECT_EQ(counter->GetGameKind(), kind);
    EXPECT_EQ(counter->GetCount(13), 1);
  }
}

}  // namespace
