// The own hand's buttons, requests, hints, answer pairs and time-out action.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "SelfHandTestSupport.h"
#include "cardlogic/ClassicMessages.h"

using handtest::Codes;
using handtest::SelfHandTest;
using handtest::Values;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Ints = std::vector<int>;
using Strings = std::vector<std::string>;

// A frame of `size` bytes with the type in byte 1 and the given body bytes.
Bytes Frame(int type, std::size_t size, std::initializer_list<std::pair<int, int>> body) {
  Bytes b(size, 0);
  b[1] = static_cast<std::uint8_t>(type);
  for (const auto& [at, value] : body) b[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(value);
  return b;
}

class SelfHandButtons : public SelfHandTest {
 protected:
  cocos2d::ui::Button* main(SelfHandCard* h, int i) { return h->GetMainButton(i); }
  // Which of the given main buttons are shown and enabled.
  static Ints usableOf(SelfHandCard* h, std::initializer_list<int> buttons) {
    Ints out;
    for (int i : buttons)
      if (usable(h->GetMainButton(i))) out.push_back(i);
    return out;
  }
};

}  // namespace

// ---------------------------------------------------------------- bids

TEST_F(SelfHandButtons, BidButtonsOpenAboveTheHighestBid) {
  struct Case {
    int highest;
    Ints usable;
  } cases[] = {{-1, {0, 1, 2, 3}}, {0, {0, 1, 2, 3}}, {1, {0, 2, 3}}, {2, {0, 3}}, {3, {0}}};
  SelfHandCard* h = makeHand("3 4 5");
  for (const Case& c : cases) {
    h->ShowCallScoreButtons(c.highest);
    EXPECT_EQ(usableOf(h, {0, 1, 2, 3}), c.usable) << "highest " << c.highest;
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(main(h, i)->isVisible());
    EXPECT_TRUE(h->IsWaitingForChoice());
  }
}

TEST_F(SelfHandButtons, ABidClickSendsRequest22AndHidesTheBids) {
  SelfHandCard* h = makeHand("3 4 5");
  h->ShowCallScoreButtons(1);
  tapCard(h, 0);  // a card selected: the click must not change the hand
  click(main(h, 2));
  ASSERT_EQ(owner->sent.size(), 1u);
  EXPECT_EQ(owner->sent[0].type, 22);
  EXPECT_EQ(owner->sent[0].bytes, Frame(22, 12, {{8, 2}}));
  EXPECT_EQ(owner->calls, (Strings{"send 22", "hideClock"}));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(main(h, i)->isVisible());
  EXPECT_FALSE(h->IsWaitingForChoice());
  EXPECT_EQ(selectedIndexes(h), Ints{0});
  h->OnButtonClick(main(h, 3));  // no choice offered any more
  EXPECT_EQ(owner->sent.size(), 1u);
}

// ---------------------------------------------------------------- play request

TEST_F(SelfHandButtons, PlayRequestOfAPairOfTwos) {
  SelfHandCard* h = makeHand("");
  for (int code : {16, 46, 4, 5}) h->AddCard(code, false, false, true, 0, false, false);  // 2 of suits 1 and 3, 5, 6
  h->ShowOutCardButtons({});
  selectIndexes(h, {0, 1});
  ASSERT_TRUE(usable(main(h, SelfHandCard::kBtnPlay)));
  click(main(h, SelfHandCard::kBtnPlay));
  ASSERT_EQ(owner->sent.size(), 1u);
  EXPECT_EQ(owner->sent[0].type, 24);
  EXPECT_EQ(owner->sent[0].bytes, Frame(24, 60, {{8, 0x22}, {9, 0x62}, {28, 2}, {29, 32}, {30, 20}}));
  EXPECT_EQ(owner->calls, (Strings{"send 24", "showOut 2", "hideClock"}));
  EXPECT_EQ(owner->shownCards, (Bytes{0x22, 0x62}));
  EXPECT_TRUE(selectedIndexes(h).empty());
  for (int i : {4, 5, 6, 7}) EXPECT_FALSE(main(h, i)->isVisible()) << i;
  EXPECT_FALSE(h->IsWaitingForChoice());
}

TEST_F(SelfHandButtons, PlayRequestOfTwentyCards) {
  SelfHandCard* h = makeHand("334455667788 99TTjjQQ");  // ten pairs in a row
  h->ShowOutCardButtons({});
  std::vector<int> all(20);
  for (int i = 0; i < 20; ++i) all[static_cast<std::size_t>(i)] = i;
  selectIndexes(h, all);
  h->OnButtonClick(main(h, SelfHandCard::kBtnPlay));
  ASSERT_EQ(owner->sent.size(), 1u);
  const Bytes& b = owner->sent[0].bytes;
  ASSERT_EQ(b.size(), 60u);
  EXPECT_EQ(b[28], 20);
  EXPECT_EQ(b[29], 42);  // pair straight of 10 pairs
  EXPECT_EQ(b[30], 12);  // up to the queen
  Bytes cards(b.begin() + 8, b.begin() + 28);
  for (std::size_t i = 1; i < cards.size(); ++i) EXPECT_GE(cards[i - 1] & 31, cards[i] & 31) << "row order";
  std::sort(cards.begin(), cards.end());
  Bytes expected;
  for (int v = 3; v <= 12; ++v) {
    expected.push_back(static_cast<std::uint8_t>(v));
    expected.push_back(static_cast<std::uint8_t>(32 | v));
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(cards, expected);
  EXPECT_TRUE(std::all_of(b.begin() + 31, b.end(), [](std::uint8_t x) { return x == 0; }));
  EXPECT_EQ(owner->calls, (Strings{"send 24", "showOut 20", "hideClock"}));
}

TEST_F(SelfHandButtons, PlayRequestOfTheWildcardAlone) {
  SelfHandCard* h = makeHand("w 3");
  h->ShowOutCardButtons({});
  selectText(h, "w");
  h->OnButtonClick(main(h, SelfHandCard::kBtnPlay));
  ASSERT_EQ(owner->sent.size(), 1u);
  EXPECT_EQ(owner->sent[0].bytes, Frame(24, 60, {{8, 18}, {28, 1}, {29, 1}, {30, 30}}));
}

TEST_F(SelfHandButtons, APassIsSixtyBytesWithNoCards) {
  SelfHandCard* h = makeHand("3 4 K");
  h->ShowOutCardButtons(Codes("5"));
  selectText(h, "K");  // a selection is not sent with a pass
  click(main(h, SelfHandCard::kBtnPass));
  ASSERT_EQ(owner->sent.size(), 1u);
  EXPECT_EQ(owner->sent[0].bytes, Frame(24, 60, {{28, 0}, {29, 255}, {30, 0}}));
  EXPECT_EQ(owner->calls, (Strings{"send 24", "showOut 0", "hideClock"}));
  EXPECT_TRUE(selectedIndexes(h).empty());
}

// ---------------------------------------------------------------- play check

TEST_F(SelfHandButtons, PlayIsEnabledOnlyForAPlayThatBeatsTheTable) {
  struct Case {
    const char* table;  // "" when leading
    const char* selection;
    bool enabled;
  } cases[] = {
      {"55", "66", true},    {"55", "44", false},   {"55", "777", false}, {"55", "3333", true},
      {"55", "x X", true},   {"55", "9", false},    {"55", "", false},    {"3333", "x X", true},
      {"x X", "3333", false}, {"3333", "66", false}, {"", "66", true},    {"", "4 6", false},
      {"", "777 9", true},   {"", "3333 9", false}, {"", "", false},
  };
  SelfHandCard* h = makeHand("66 44 777 3333 x X 9");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "table '" << c.table << "', selection '" << c.selection << "'");
    h->ShowOutCardButtons(Codes(c.table));
    selectText(h, c.selection);
    EXPECT_EQ(main(h, SelfHandCard::kBtnPlay)->isEnabled(), c.enabled);
    const bool following = *c.table != '\0';
    EXPECT_EQ(usable(main(h, SelfHandCard::kBtnPass)), following);
    EXPECT_EQ(usable(main(h, SelfHandCard::kBtnHint)), following);
    // The reselect button is never shown; it is usable only with a selection.
    EXPECT_FALSE(main(h, SelfHandCard::kBtnReselect)->isVisible());
    EXPECT_EQ(main(h, SelfHandCard::kBtnReselect)->isEnabled(), *c.selection != '\0');
  }
}

TEST_F(SelfHandButtons, ReselectLowersTheSelection) {
  SelfHandCard* h = makeHand("3 4 5");
  h->ShowOutCardButtons({});
  selectIndexes(h, {0, 1});
  h->OnButtonClick(main(h, SelfHandCard::kBtnReselect));
  EXPECT_TRUE(selectedIndexes(h).empty());
  EXPECT_FALSE(main(h, SelfHandCard::kBtnReselect)->isEnabled());
  EXPECT_TRUE(owner->sent.empty());
  EXPECT_TRUE(h->IsWaitingForChoice());
}

// ---------------------------------------------------------------- hints

TEST_F(SelfHandButtons, HintWalksUpThroughTheBeatingPlaysAndStartsOver) {
  SelfHandCard* h = makeHand("3 6 6 K 2");
  h->ShowOutCardButtons(Codes("5"));
  EXPECT_EQ(ddz::g_iLastHintType, -1);  // the turn starts a fresh cycle
  EXPECT_FALSE(h->IsCannotBeat());
  const std::vector<Ints> presses = {{13}, {15}, {}, {13}};
  for (std::size_t p = 0; p < presses.size(); ++p) {
    click(main(h, SelfHandCard::kBtnHint));
    EXPECT_EQ(selectedValues(h), presses[p]) << "press " << p + 1;
    EXPECT_EQ(main(h, SelfHandCard::kBtnPlay)->isEnabled(), !presses[p].empty()) << "press " << p + 1;
  }
  EXPECT_TRUE(owner->sent.empty());
}

TEST_F(SelfHandButtons, NothingBeatsTheTableTipFadesInAndHintPasses) {
  SelfHandCard* h = makeHand("3 6 6 K 2");
  h->ShowOutCardButtons(Codes("x X"));
  EXPECT_TRUE(h->IsCannotBeat());
  cocos2d::Sprite* tip = h->GetCannotBeatTip();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->isVisible());
  EXPECT_EQ(tip->getOpacity(), 0);
  frames(40, 1.0f / 60);
  EXPECT_EQ(tip->getOpacity(), 255);
  h->OnButtonClick(main(h, SelfHandCard::kBtnHint));
  ASSERT_EQ(owner->sent.size(), 1u);
  EXPECT_EQ(owner->sent[0].bytes[28], 0);
  EXPECT_FALSE(tip->isVisible());
}

// ---------------------------------------------------------------- the last card

TEST_F(SelfHandButtons, TheLastCardPlaysOrPassesByItself) {
  struct Case {
    const char* table;
    const char* hand;
    int count;  // cards sent: 1 played, 0 passed
  } cases[] = {
      {"", "5", 1},     // leading
      {"3", "5", 1},    // a lower single
      {"K", "5", 0},    // a higher single
      {"5", "5", 0},    // an equal one
      {"33", "5", 0},   // not a single
      {"3", "w", 0},    // the wildcard never goes by itself
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "table '" << c.table << "', hand " << c.hand);
    owner->sent.clear();
    SelfHandCard* h = makeHand(c.hand);
    h->ShowOutCardButtons(Codes(c.table));
    ASSERT_EQ(owner->sent.size(), 1u);
    EXPECT_EQ(owner->sent[0].bytes[28], c.count);
    EXPECT_EQ(h->GetAutoPlayCount(), 0);  // not an automatic play
    h->removeFromParent();
  }
}

// ---------------------------------------------------------------- answer pairs

TEST_F(SelfHandButtons, AnswerPairsSendTheirChoices) {
  struct Case {
    int pair, side;
    Strings calls;
    int choice;  // byte 8 of request 22; -1 none
  } cases[] = {
      {SelfHandCard::kPairCall, 0, {"send 22", "hideClock"}, 0},
      {SelfHandCard::kPairCall, 1, {"send 22", "hideClock"}, 4},
      {SelfHandCard::kPairRob, 0, {"send 22", "hideClock"}, 6},
      {SelfHandCard::kPairRob, 1, {"send 22", "hideClock"}, 5},
      {SelfHandCard::kPairDouble, 0, {"send 22", "hideClock"}, 8},
      {SelfHandCard::kPairDouble, 1, {"send 22", "hideClock"}, 7},
      {SelfHandCard::kPairShowHand, 0, {"selfClock 0"}, -1},
      {SelfHandCard::kPairShowHand, 1, {"send 23", "selfClock 1"}, -1},
  };
  SelfHandCard* h = makeHand("3 4 5");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pair " << c.pair << ", side " << c.side);
    owner->calls.clear();
    owner->sent.clear();
    h->ShowAnswerPair(c.pair);
    click(h->GetPairButton(c.pair, c.side));
    EXPECT_EQ(owner->calls, c.calls);
    if (c.choice >= 0) {
      ASSERT_EQ(owner->sent.size(), 1u);
      EXPECT_EQ(owner->sent[0].bytes, Frame(22, 12, {{8, c.choice}}));
    } else if (c.side == 1) {
      ASSERT_EQ(owner->sent.size(), 1u);
      EXPECT_EQ(owner->sent[0].bytes, Frame(23, 12, {}));
    }
    EXPECT_FALSE(h->GetPairButton(c.pair, 0)->isVisible());
    EXPECT_FALSE(h->GetPairButton(c.pair, 1)->isVisible());
  }
}

// ---------------------------------------------------------------- time-out

TEST_F(SelfHandButtons, TimeOutActions) {
  struct Case {
    const char* name;
    void (*offer)(SelfHandCard*);
    bool callRobMode;
    Strings calls;
    Bytes sent;  // empty: nothing sent
    int autoCount;
  } cases[] = {
      {"bid", [](SelfHandCard* h) { h->ShowCallScoreButtons(2); }, false,
       {"send 22", "hideClock"}, Frame(22, 12, {{8, 0}}), 0},
      {"follow", [](SelfHandCard* h) { h->ShowOutCardButtons(Codes("5")); }, false,
       {"send 24", "showOut 0", "hideClock"}, Frame(24, 60, {{29, 255}}), 1},
      {"lead: the smallest card", [](SelfHandCard* h) { h->ShowOutCardButtons({}); }, false,
       {"send 24", "showOut 1", "hideClock"}, Frame(24, 60, {{8, 3}, {28, 1}, {29, 1}, {30, 3}}), 1},
      {"rob question", [](SelfHandCard* h) { h->ShowAnswerPair(SelfHandCard::kPairRob); }, true,
       {"send 22", "hideClock"}, Frame(22, 12, {{8, 6}}), 0},
      {"show-hand question", [](SelfHandCard* h) { h->ShowAnswerPair(SelfHandCard::kPairShowHand); }, true,
       {"selfClock 0"}, {}, 0},
      {"a question outside the call-and-rob mode", [](SelfHandCard* h) { h->ShowAnswerPair(SelfHandCard::kPairCall); },
       false, {}, {}, 0},
      {"nothing offered", [](SelfHandCard*) {}, true, {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    owner->calls.clear();
    owner->sent.clear();
    owner->m_iGameMode = c.callRobMode ? 1 : 0;
    SelfHandCard* h = makeHand("3 K 2 A");
    c.offer(h);
    h->OnAutoOperate();
    EXPECT_EQ(owner->calls, c.calls);
    if (c.sent.empty()) {
      EXPECT_TRUE(owner->sent.empty());
    } else {
      ASSERT_EQ(owner->sent.size(), 1u);
      EXPECT_EQ(owner->sent[0].bytes, c.sent);
    }
    EXPECT_EQ(h->GetAutoPlayCount(), c.autoCount);
    EXPECT_FALSE(h->IsAutomatic());
    h->removeFromParent();
  }
}

class SelfHandAutoPlays : public SelfHandButtons {
 protected:
  void SetUp() override {
    SelfHandButtons::SetUp();
    hand = makeHand("3 4 5 6 7 8 9 T j Q K A 2");
    hand->SetBottomBar(&bar);
  }
  void timeOut() {
    hand->ShowOutCardButtons(Codes("x"));
    hand->OnAutoOperate();
  }
  void playByHand() {
    hand->ShowOutCardButtons(Codes("x"));
    hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPass));
  }
  int quits() const { return static_cast<int>(std::count(owner->calls.begin(), owner->calls.end(), "quit")); }
  std::string sysText() const { return "3:" + GameText(450); }

  SelfHandCard* hand = nullptr;
};

TEST_F(SelfHandAutoPlays, ThreeInARowShowTheBoxAndLeaveTwoSecondsLater) {
  timeOut();
  EXPECT_EQ(bar.messages, Strings{sysText()});
  timeOut();
  EXPECT_EQ(bar.messages, (Strings{sysText(), sysText()}));
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  const int boxesBefore = box->GetShowCount();
  timeOut();
  EXPECT_EQ(hand->GetAutoPlayCount(), 3);
  EXPECT_EQ(bar.messages.size(), 2u);
  EXPECT_EQ(box->GetShowCount(), boxesBefore + 1);
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), GameText(4));
  EXPECT_EQ(box->GetType(), 3);
  EXPECT_EQ(box->GetTarget(), hand);
  EXPECT_EQ(std::count(owner->calls.begin(), owner->calls.end(), "box 3"), 1);
  frames(19, 0.1f);
  EXPECT_EQ(quits(), 0);
  frames(2, 0.1f);
  EXPECT_EQ(quits(), 1);
  EXPECT_TRUE(logHas("GameViewBase::QuitGame"));  // the view left through the game base
  frames(30, 0.1f);
  EXPECT_EQ(quits(), 1);
}

TEST_F(SelfHandAutoPlays, NeverInTheSinglePlayerGame) {
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  const int boxesBefore = GameMsgBox::shareMessageBox()->GetShowCount();
  for (int i = 0; i < 4; ++i) timeOut();
  EXPECT_EQ(hand->GetAutoPlayCount(), 4);
  frames(50, 0.1f);
  EXPECT_EQ(quits(), 0);
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetShowCount(), boxesBefore);
}

TEST_F(SelfHandAutoPlays, APlayOfThePlayerStartsTheCountOver) {
  timeOut();
  timeOut();
  playByHand();
  EXPECT_EQ(hand->GetAutoPlayCount(), 0);
  timeOut();
  timeOut();
  EXPECT_EQ(hand->GetAutoPlayCount(), 2);
  frames(50, 0.1f);
  EXPECT_EQ(quits(), 0);
}

TEST_F(SelfHandAutoPlays, AnAutomaticPassAfterARocketIsNotCounted) {
  timeOut();
  hand->SetLastTablePlayType(ddz::CardType::Rocket);
  timeOut();
  EXPECT_EQ(hand->GetAutoPlayCount(), 1);
  EXPECT_EQ(bar.messages.size(), 1u);
  hand->SetLastTablePlayType(ddz::CardType::Single);
  timeOut();
  EXPECT_EQ(hand->GetAutoPlayCount(), 2);
}

TEST_F(SelfHandAutoPlays, TheSystemBoxIsToldOnlyWhenItIsOnStage) {
  bar.sysBoxRunning = false;
  timeOut();
  EXPECT_TRUE(bar.messages.empty());
  EXPECT_EQ(hand->GetAutoPlayCount(), 1);
}

TEST_F(SelfHandAutoPlays, AHandKeptAfterItsViewWentAsksNothingOfTheGoneView) {
  timeOut();
  hand->retain();   // something else keeps the hand (a script, a layer it moves to)
  tick();           // the scene is the view's only owner now
  owner->removeFromParent();  // the view is freed, the hand is not
  owner = nullptr;
  ASSERT_EQ(SelfHandCard::getInstanceIfAny(), hand);
  EXPECT_EQ(hand->GetOwnerView(), nullptr);

  // The time-out and the buttons of the hand the instance still names.
  hand->ShowCallScoreButtons(0);
  hand->OnAutoOperate();
  for (int i = 0; i < 3; ++i) timeOut();  // would show the box and quit the gone table
  hand->ShowOutCardButtons({});
  hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPass));
  hand->ShowAnswerPair(SelfHandCard::kPairShowHand);
  hand->OnShowHandPairClick(hand->GetPairButton(SelfHandCard::kPairShowHand, 1));
  frames(30, 0.1f);
  EXPECT_FALSE(hand->IsWaitingForChoice());
  hand->release();
}

// ---------------------------------------------------------------- building

TEST_F(SelfHandButtons, ButtonsAreBuiltOnceHiddenWithTheirFacesAndPlaces) {
  SelfHandCard* h = makeHand("3");
  EXPECT_TRUE(h->IsMouseEventEnable());
  for (int i = 0; i < SelfHandCard::kMainButtons; ++i) {
    SCOPED_TRACE(i);
    const cocos2d::ui::Button* b = main(h, i);
    EXPECT_FALSE(b->isVisible());
    EXPECT_EQ(b->getNormalImage(), i == 0 || i == 7 ? "qorvddz_btn_normal_1.png" : "qorvddz_btn_normal_2.png");
    EXPECT_EQ(b->getExtraAboveImage(), "qorvddz_btn_word_" + std::to_string(i) + ".png");
    EXPECT_EQ(b->getPosition(), g_ptBtnGame[i]);
  }
  const char* words[4][2] = {{"qorvddz_btn_word_0.png", "qorvddz_btn_hl_1.png"},
                             {"qorvddz_btn_hl_2.png", "qorvddz_btn_hl_3.png"},
                             {"qorvddz_btn_hl_7.png", "qorvddz_btn_hl_6.png"},
                             {"qorvddz_btn_hl_5.png", "qorvddz_btn_hl_4.png"}};
  for (int pair = 0; pair < SelfHandCard::kAnswerPairs; ++pair) {
    for (int side = 0; side < 2; ++side) {
      SCOPED_TRACE(testing::Message() << "pair " << pair << ", side " << side);
      const cocos2d::ui::Button* b = h->GetPairButton(pair, side);
      EXPECT_FALSE(b->isVisible());
      EXPECT_EQ(b->getExtraAboveImage(), words[pair][side]);
      EXPECT_EQ(b->getNormalImage(), side == 0 ? "qorvddz_btn_normal_2.png" : "qorvddz_btn_normal_1.png");
      EXPECT_EQ(b->getPosition(), g_ptShowCardsBtn[side]);
    }
  }
  ASSERT_NE(h->GetCannotBeatTip(), nullptr);
  EXPECT_FALSE(h->GetCannotBeatTip()->isVisible());
  EXPECT_EQ(h->GetCannotBeatTip()->getLocalZOrder(), 1000);
  EXPECT_EQ(h->GetCannotBeatTip()->getPosition(), g_ptSelfCannotSend);

  h->retain();
  h->removeFromParent();
  scene->addChild(h);  // entering again builds nothing new
  h->release();
  // 16 buttons and the tip; the card and its veil went with onExit.
  EXPECT_EQ(h->getChildrenCount(), 17u);
}

namespace {
// A bottom bar that is also a reference-counted node, as the table's is.
class RefBar : public cocos2d::Ref, public handtest::RecordingBar {};
}  // namespace

TEST_F(SelfHandButtons, TheHandKeepsItsBottomBarAlive) {
  SelfHandCard* h = makeHand("3 4");
  auto* refBar = new RefBar();
  h->SetBottomBar(refBar);
  EXPECT_EQ(refBar->getReferenceCount(), 2u);
  refBar->release();  // the table lets go first
  h->SelectBomb();    // still safe to use
  refBar->retain();
  h->SetBottomBar(nullptr);
  EXPECT_EQ(refBar->getReferenceCount(), 1u);
  refBar->release();
}
