// The four-player own hand: its requests, the four-player rules in the classic
// hand's places, the time-out order, the automatic-play quit, the bomb masks
// and the golden frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "SelfHandTestSupport.h"
#include "cardlogic/SRClueCard.h"
#include "cards/SRSelfHandCard.h"

using handtest::SelfHandTest;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Ints = std::vector<int>;
using Strings = std::vector<std::string>;

// Card codes of a hand text of the two decks: as handtest::Codes, but the
// fifth to eighth card of a value come from the second deck (suits 0 to 3 again).
Ints SRCodes(std::string_view text) {
  std::array<int, 15> used{};
  Ints codes;
  for (char c : text) {
    if (c == ' ') continue;
    const int index = handtest::Codes(std::string(1, c)).front() % 15;
    if (index >= 13) {
      codes.push_back(index);
      continue;
    }
    codes.push_back(used[static_cast<std::size_t>(index)]++ % 4 * 15 + index);
  }
  return codes;
}

Bytes Frame(int type, std::size_t size, std::initializer_list<std::pair<int, int>> body) {
  Bytes b(size, 0);
  b[1] = static_cast<std::uint8_t>(type);
  for (const auto& [at, value] : body) b[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value);
  return b;
}

class SRSelfHand : public SelfHandTest {
 public:
  // A click where the button stands (for the case tables' actions).
  void clickOn(const cocos2d::ui::Button* b) { click(b); }

 protected:
  void SetUp() override {
    SelfHandTest::SetUp();
    savedScale = g_fSRSelfHandScale;
    savedAnchor = g_ptSRHandCard[1];
    g_fSRSelfHandScale = 1.0f;
    g_ptSRHandCard[1] = {640, kRowY};
    ddz::SRClueCard::RestartHintCycle();
  }
  void TearDown() override {
    SelfHandTest::TearDown();
    g_fSRSelfHandScale = savedScale;
    g_ptSRHandCard[1] = savedAnchor;
    ddz::SRClueCard::RestartHintCycle();
  }

  SRSelfHandCard* makeSRHand(const Ints& codes, const Ints& framed = {}) {
    auto* h = new SRSelfHandCard(owner);
    h->autorelease();
    h->SetShadow(true);
    owner->addChild(h, kHandZOrder);
    h->setTouchEnabled(true, false);
    for (int code : codes) {
      const bool focus = std::find(framed.begin(), framed.end(), code) != framed.end();
      h->AddCard(code, false, false, true, 0, focus, false);
    }
    return h;
  }
  // Selects, for each code, the first card of that code not yet selected.
  static void selectCodes(SRSelfHandCard* h, const Ints& codes) {
    for (SpriteCardInfo* info : h->GetCards()) info->bSelected = 0;
    for (int code : codes) {
      for (SpriteCardInfo* info : h->GetCards()) {
        if (!info->bSelected && info->iCardIndex == code) {
          info->bSelected = 1;
          break;
        }
      }
    }
    h->UpdateOutCardButton();
  }
  static Ints maskedValues(const SRSelfHandCard* h) {
    Ints out;
    for (const SpriteCardInfo* info : h->GetCards())
      if (info->bMasked) out.push_back(ddz::CodeToValue(info->iCardIndex));
    std::sort(out.begin(), out.end());
    return out;
  }
  static int framedCount(const SRSelfHandCard* h) {
    return static_cast<int>(std::count_if(h->GetCards().begin(), h->GetCards().end(),
                                          [](const SpriteCardInfo* info) { return info->pFocusFrame != nullptr; }));
  }
  int quits() const { return static_cast<int>(std::count(owner->calls.begin(), owner->calls.end(), "quit")); }

 private:
  float savedScale = 0;
  cocos2d::Vec2 savedAnchor;
};

// ---------------------------------------------------------------- requests

TEST_F(SRSelfHand, RequestsSeventeenEighteenAndTwentyAreByteExact) {
  struct Case {
    const char* name;
    void (*act)(SRSelfHandCard*, SRSelfHand*);
    int type;
    Bytes bytes;
    Strings calls;
    Bytes shown;
  };
  const Case cases[] = {
      {"bid 3 over 2",
       [](SRSelfHandCard* h, SRSelfHand* t) {
         h->ShowCallScoreButtons(2);
         EXPECT_EQ(usable(h->GetMainButton(1)) + usable(h->GetMainButton(2)), 0);
         EXPECT_TRUE(usable(h->GetMainButton(0)));
         t->clickOn(h->GetMainButton(3));
       },
       18, Frame(18, 12, {{8, 3}}), {"send 18", "hideClock"}, {}},
      {"first choice",
       [](SRSelfHandCard* h, SRSelfHand* t) {
         h->ShowTwoChoiceButtons();
         t->clickOn(h->GetChoiceButton(10));
       },
       20, Frame(20, 12, {{8, 1}}), {"send 20"}, {}},
      {"second choice",
       [](SRSelfHandCard* h, SRSelfHand* t) {
         h->ShowTwoChoiceButtons();
         t->clickOn(h->GetChoiceButton(11));
       },
       20, Frame(20, 12, {{8, 2}}), {"send 20"}, {}},
      {"play the A of suits 0 and 2",
       [](SRSelfHandCard* h, SRSelfHand* t) {
         h->ShowOutCardButtons({});
         selectCodes(h, {30, 0});
         t->clickOn(h->GetMainButton(SelfHandCard::kBtnPlay));
       },
       17, Frame(17, 48, {{8, 0x01}, {9, 0x41}, {44, 2}}), {"send 17", "showOut 2", "hideClock"}, {0x01, 0x41}},
      {"pass",
       [](SRSelfHandCard* h, SRSelfHand* t) {
         h->ShowOutCardButtons(SRCodes("K"));
         selectCodes(h, {0});
         t->clickOn(h->GetMainButton(SelfHandCard::kBtnPass));
       },
       17, Frame(17, 48, {}), {"send 17", "showOut 0", "hideClock"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    owner->sent.clear();
    owner->calls.clear();
    owner->shownCards.clear();
    SRSelfHandCard* h = makeSRHand({0, 30, 2});  // A, A, 3
    c.act(h, this);
    ASSERT_EQ(owner->sent.size(), 1u);
    EXPECT_EQ(owner->sent[0].type, c.type);
    EXPECT_EQ(owner->sent[0].bytes, c.bytes);
    EXPECT_EQ(owner->calls, c.calls);
    EXPECT_EQ(owner->shownCards, c.shown);
    EXPECT_FALSE(h->IsWaitingForChoice());
    h->OnButtonClick(h->GetMainButton(0));  // nothing offered any more
    EXPECT_EQ(owner->sent.size(), 1u);
    h->removeFromParent();
  }
}

TEST_F(SRSelfHand, AThirtyCardPlaneOfAThirtyThreeCardHandIsPlayedByTheFourPlayerRules) {
  // Six triples 3..8 with six pairs 9..A: 30 cards, beyond every classic limit.
  const Ints plane = SRCodes("333444555666777888 99TTjjQQKKAA");
  Ints hand = plane;
  for (int code : SRCodes("2xX")) hand.push_back(code);
  SRSelfHandCard* h = makeSRHand(hand);
  ASSERT_EQ(h->GetCardCount(), 33);
  h->ShowOutCardButtons({});
  selectCodes(h, plane);
  ASSERT_TRUE(usable(h->GetMainButton(SelfHandCard::kBtnPlay)));
  click(h->GetMainButton(SelfHandCard::kBtnPlay));
  ASSERT_EQ(owner->sent.size(), 1u);
  const Bytes& b = owner->sent[0].bytes;
  ASSERT_EQ(b.size(), 48u);
  EXPECT_EQ(b[44], 30);
  EXPECT_EQ(owner->shownCards.size(), 30u);
  EXPECT_NE(b[8 + 29], 0);
  for (std::size_t i = 8 + 30; i < 44; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_EQ(h->GetCardCount(), 33) << "the hand waits for the server's echo";
}

TEST_F(SRSelfHand, ThePlayButtonFollowsTheFourPlayerComparison) {
  struct Case {
    const char* last;
    const char* selection;
    bool enabled;
  } cases[] = {{"", "5", true},         {"", "35", false},          {"4", "5", true},
               {"5", "4", false},       {"QQQQ", "77777", true},    {"77777", "QQQQ", false},
               {"QQQQQ", "xxXX", true}, {"34567", "456789", false}};
  SRSelfHandCard* h = makeSRHand(SRCodes("3456789 7777 QQQQ Q xxXX"));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.last) + " / " + c.selection);
    h->ShowOutCardButtons(SRCodes(c.last));
    selectCodes(h, SRCodes(c.selection));
    EXPECT_EQ(h->GetMainButton(SelfHandCard::kBtnPlay)->isEnabled(), c.enabled);
    h->UnselectAll();
  }
}

TEST_F(SRSelfHand, TheHintSelectsEqualCardsOfBothDecks) {
  // Two 5s of suit 0, one from each deck.
  SRSelfHandCard* h = makeSRHand({4, 4, 8, 12});
  h->ShowOutCardButtons(SRCodes("33"));
  EXPECT_FALSE(h->GetCannotBeatTip()->isVisible());
  click(h->GetMainButton(SelfHandCard::kBtnHint));
  EXPECT_EQ(h->SelectedCodes(), (Ints{4, 4}));
  EXPECT_TRUE(usable(h->GetMainButton(SelfHandCard::kBtnPlay)));
}

TEST_F(SRSelfHand, NothingToBeatShowsTheTipAtOnceAndTheMouseNeverPlays) {
  SRSelfHandCard* h = makeSRHand(SRCodes("345"));
  h->ShowOutCardButtons(SRCodes("2"));
  cocos2d::Sprite* tip = h->GetCannotBeatTip();
  EXPECT_TRUE(tip->isVisible());
  EXPECT_EQ(tip->getOpacity(), 255) << "no fade on this table";
  selectCodes(h, SRCodes("3"));
  rightClick();
  EXPECT_TRUE(owner->sent.empty());
}

// ---------------------------------------------------------------- time-out

TEST_F(SRSelfHand, TheTimeOutTakesTheFirstOfChoiceBidPassAndPlay) {
  struct Case {
    const char* name;
    bool choice;
    int bidHighest;  // -2: no bids shown
    const char* lastPlay;  // null: no play buttons
    Bytes sent;
    int autoCount;
  };
  const Case cases[] = {
      {"choice before all", true, 0, "3", Frame(20, 12, {{8, 2}}), 0},
      {"first usable bid", false, 1, "3", Frame(18, 12, {}), 0},
      {"pass", false, -2, "3", Frame(17, 48, {}), 1},
      {"lead the lowest card", false, -2, "", Frame(17, 48, {{8, 4}, {44, 1}}), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    owner->sent.clear();
    SRSelfHandCard* h = makeSRHand(SRCodes("4 9 K 2"));
    if (c.lastPlay != nullptr) h->ShowOutCardButtons(SRCodes(c.lastPlay));
    if (c.bidHighest > -2) h->ShowCallScoreButtons(c.bidHighest);
    if (c.choice) h->ShowTwoChoiceButtons();
    h->OnAutoOperate();
    ASSERT_EQ(owner->sent.size(), 1u);
    EXPECT_EQ(owner->sent[0].bytes, c.sent);
    EXPECT_EQ(h->GetAutoPlayCount(), c.autoCount);
    EXPECT_FALSE(h->IsAutomatic());
    h->removeFromParent();
  }
}

TEST_F(SRSelfHand, ThreeTimeOutPlaysLeaveTheTableExceptInTheSinglePlayerGame) {
  struct Case {
    int playMode;
    int boxes;
    int quits;
  } cases[] = {{0, 1, 1}, {1, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.playMode);
    GameViewBase::m_GlobalInfo.iPlayMode = c.playMode;
    owner->calls.clear();
    SRSelfHandCard* h = makeSRHand(SRCodes("4 9 K 2"));
    // 113 is a five-card bomb here, not the rocket: the passes count all the same.
    h->SetLastTablePlayType(ddz::CardType::Rocket);
    const int boxesBefore = GameMsgBox::shareMessageBox()->GetShowCount();
    for (int i = 0; i < 3; ++i) {
      h->ShowOutCardButtons(SRCodes("x"));
      h->OnAutoOperate();
    }
    EXPECT_EQ(h->GetAutoPlayCount(), 3);
    EXPECT_EQ(GameMsgBox::shareMessageBox()->GetShowCount(), boxesBefore + c.boxes);
    frames(19, 0.1f);
    EXPECT_EQ(quits(), 0);
    frames(2, 0.1f);
    EXPECT_EQ(quits(), c.quits);
    h->removeFromParent();
    GameMsgBox::destroyMessageBox();
  }
}

TEST_F(SRSelfHand, APlayOfThePlayerStartsTheAutomaticCountOver) {
  SRSelfHandCard* h = makeSRHand(SRCodes("4 9 K 2"));
  auto timeOut = [&] {
    h->ShowOutCardButtons(SRCodes("x"));
    h->OnAutoOperate();
  };
  timeOut();
  timeOut();
  h->ShowOutCardButtons(SRCodes("x"));
  click(h->GetMainButton(SelfHandCard::kBtnPass));
  EXPECT_EQ(h->GetAutoPlayCount(), 0);
  timeOut();
  timeOut();
  frames(30, 0.1f);
  EXPECT_EQ(quits(), 0);
}

// ---------------------------------------------------------------- marks

TEST_F(SRSelfHand, EveryCardOfEveryBombIsShaded) {
  struct Case {
    const char* hand;
    Ints masked;  // card values
  } cases[] = {
      {"77777 QQQQ 3 5 K", {7, 7, 7, 7, 7, 12, 12, 12, 12}},
      {"77777777 3", {7, 7, 7, 7, 7, 7, 7, 7}},
      {"xxXX 3 4", {16, 16, 17, 17}},
      {"777 3", {}},
      {"777", {}},
      {"3456 QQQ", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hand);
    SRSelfHandCard* h = makeSRHand(SRCodes(c.hand));
    EXPECT_EQ(maskedValues(h), c.masked);
    for (const SpriteCardInfo* info : h->GetCards()) {
      if (!info->bMasked) continue;
      ASSERT_NE(info->pMaskSprite, nullptr);
      EXPECT_EQ(info->pMaskSprite->getPosition(), cocos2d::Vec2(info->fX, info->fY));
      EXPECT_EQ(info->pMaskSprite->getOpacity(), 153);
    }
    h->removeFromParent();
  }
}

TEST_F(SRSelfHand, ABrokenBombLosesItsShadeAtTheNextRefresh) {
  SRSelfHandCard* h = makeSRHand(SRCodes("QQQQ 77777 3"));
  cocos2d::Vec2 at;
  h->RemoveCard(at, SRCodes("Q").front(), true);
  h->RefreshCardMarks(true);
  EXPECT_EQ(maskedValues(h), (Ints{7, 7, 7, 7, 7}));
  for (const SpriteCardInfo* info : h->GetCards())
    if (!info->bMasked) {
      EXPECT_EQ(info->pMaskSprite, nullptr);
    }
}

TEST_F(SRSelfHand, GoldenCardsAreFramedFromFourOn) {
  struct Case {
    const char* hand;
    bool framedOnArrival;
    bool golden;
    int framed;
  } cases[] = {
      {"7777 3 K", false, true, 4}, {"77777 3 K", true, true, 5}, {"777 3 K", true, true, 0},
      {"777 3 K", true, false, 3},  {"7777 3 K", false, false, 0}, {"3 K 2", false, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.hand) + (c.golden ? " golden" : ""));
    const Ints codes = SRCodes(c.hand);
    Ints sevens;
    for (int code : codes)
      if (code % 15 == 6) sevens.push_back(code);
    SRSelfHandCard* h = makeSRHand(codes, c.framedOnArrival ? sevens : Ints{});
    h->SetGoldenRank(6);
    h->RefreshCardMarks(c.golden);
    EXPECT_EQ(framedCount(h), c.framed);
    for (const SpriteCardInfo* info : h->GetCards())
      if (info->pFocusFrame != nullptr) {
        EXPECT_EQ(info->iCardIndex % 15, 6);
      }
    h->removeFromParent();
  }
}

// ---------------------------------------------------------------- layout

// The fan leaves the bottom bar's own head (at the window's left) clear, and
// as much room at the right.
TEST_F(SRSelfHand, TheLayoutLeavesRoomForTheOwnHeadAtEachSideAndASlideSixMore) {
  struct Case {
    int cards;
    float step;
    float slideStep;
  } cases[] = {{0, 90, 90}, {1, 90, 90}, {2, 90, 90}, {33, (1048 - 141) / 32.0f, (1036 - 141) / 32.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cards);
    Ints codes;
    for (int i = 0; i < c.cards; ++i) codes.push_back(i % 13);
    SRSelfHandCard* h = makeSRHand(codes);
    h->LayoutCards();
    EXPECT_FLOAT_EQ(h->GetCardStep(), c.step);
    if (c.cards == 33) {
      EXPECT_GE(h->GetCards().front()->fX - 70.5f, 116 - 1);
      EXPECT_LE(h->GetCards().back()->fX + 70.5f, 1280 - 116 + 1);
    }
    // One card alone stands in the middle: (1280 - 141) / 2 rounded down, plus half a card.
    if (c.cards == 1) {
      EXPECT_FLOAT_EQ(h->GetCards()[0]->fX, 569 + 70.5f);
    }
    h->SetAnimating(true);
    h->SetCardsPosition();
    EXPECT_FLOAT_EQ(h->GetCardStep(), c.slideStep);
    h->removeFromParent();
  }
}

TEST_F(SRSelfHand, AStepNeverFallsBelowTwentySix) {
  BasePT::g_iWindowWidth = 800;
  SRSelfHandCard* h = makeSRHand(SRCodes("33334444555566667777888899999"));
  EXPECT_FLOAT_EQ(h->GetCardStep(), 26);
}

}  // namespace
