// The Super own hand: engine by mode, legal groups, the 68-byte play request,
// pass, the last card, the time-out action and the instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "SuperHandTestSupport.h"
#include "cardlogic/ClassicMessages.h"
#include "cards/CompeteSelfHandCard.h"
#include "cards/SRSelfHandCard.h"
#include "platform/engine/Log.h"

using handtest::Codes;
using supertest::Bytes;
using supertest::SuperHandTest;
using supertest::TV;
using supertest::TypesOf;
using ddz::CardGroupRecord;
using Strings = std::vector<std::string>;

namespace {

constexpr int kPlay = SelfHandCard::kBtnPlay;
constexpr int kPass = SelfHandCard::kBtnPass;

CardGroupRecord Group(int type, int value, int firstCard = -1) {
  CardGroupRecord g;
  g.type = type;
  g.value = value;
  g.cards[0] = firstCard;
  return g;
}

}  // namespace

// ---------------------------------------------------------------- engine

TEST(SuperHandEngine, EachModeHasItsEngine) {
  using E = SuperSelfHandCard::Engine;
  struct Case {
    int mode;
    decltype(E::enumerate) enumerate;
  } cases[] = {{0, &ddz::SuperClueCard::EnumerateGroups},
               {1, &ddz::SuperClueCard::EnumerateGroups},
               {2, &ddz::ErClueCard::EnumerateGroups},
               {3, nullptr},
               {-1, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const E* engine = SuperSelfHandCard::EngineFor(c.mode);
    ASSERT_EQ(engine != nullptr, c.enumerate != nullptr);
    if (engine == nullptr) continue;
    EXPECT_EQ(engine->mode, c.mode);
    EXPECT_EQ(engine->enumerate, c.enumerate);
    const bool three = c.mode != 2;
    EXPECT_EQ(engine->prompt, three ? &ddz::SuperClueCard::GetPrompt : &ddz::ErClueCard::GetPrompt);
    EXPECT_EQ(engine->smartSelect, three ? &ddz::SuperClueCard::SmartSelect : &ddz::ErClueCard::SmartSelect);
  }
}

TEST_F(SuperHandTest, TheModeDecidesWhatASelectionReadsAs) {
  // Only the three-seat table with wildcards reads the joker as a missing card;
  // a mode the table does not have reads nothing.
  struct Case {
    int mode;
    const char* selection;
    std::size_t readings;
  } cases[] = {{1, "5678x", 2}, {0, "5678x", 0}, {2, "5678x", 0}, {7, "5678x", 0},
               {0, "55", 1},    {2, "55", 1},    {7, "55", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + " " + c.selection);
    view->mode = c.mode;
    SuperSelfHandCard* h = turn("5678x 55 K", "", c.selection);
    EXPECT_EQ(h->GetLegalGroups().size(), c.readings);
    EXPECT_EQ(h->GetMainButton(kPlay)->isEnabled(), c.readings > 0);
    h->removeFromParent();
  }
}

// ---------------------------------------------------------------- legal groups

TEST_F(SuperHandTest, LegalGroupsFollowTheSelection) {
  struct Case {
    const char* toBeat;
    const char* selection;
    std::vector<TV> legal;  // in list order
  } cases[] = {
      {"", "55xX", {{112, 5}, {49, 5}}},      // leading: every reading, highest type first
      {"34567", "5678x", {{21, 9}}},          // two straights beat: only the higher
      {"3334", "55xX", {{112, 5}, {49, 5}}},  // two types beat: both, highest first
      {"4446", "555", {{105, 5}}},            // the triple bomb answers a triple with single
      {"555", "666", {{105, 6}}},
      {"6666", "555", {}},                    // but not a bomb
      {"34567", "55", {}},
      {"34567", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.toBeat) + " <- " + c.selection);
    SuperSelfHandCard* h = turn("5678 55 666 xX K", c.toBeat, c.selection);
    EXPECT_EQ(TypesOf(h->GetLegalGroups()), c.legal);
    EXPECT_EQ(h->GetMainButton(kPlay)->isEnabled(), !c.legal.empty());
    h->removeFromParent();
  }
}

TEST_F(SuperHandTest, LeadingListsEveryReadingOfOneType) {
  SuperSelfHandCard* h = turn("5678x K", "", "5678x");
  ASSERT_EQ(h->GetLegalGroups().size(), 2u);
  EXPECT_EQ(h->GetLegalGroups()[0].type, 21);
  EXPECT_EQ(h->GetLegalGroups()[1].type, 21);
  EXPECT_NE(h->GetLegalGroups()[0].value, h->GetLegalGroups()[1].value);
}

TEST(SuperHandSort, KeepAllOrTheBestOfEachType) {
  const std::vector<CardGroupRecord> candidates = {Group(21, 8, 1), Group(49, 5, 2), Group(21, 9, 3),
                                                   Group(21, 9, 4), Group(112, 5, 5), Group(49, 4, 6)};
  const std::vector<CardGroupRecord> all = SuperSelfHandCard::SortLegalGroups(candidates, true);
  std::vector<int> types;
  for (const CardGroupRecord& g : all) types.push_back(g.type);
  EXPECT_EQ(types, (std::vector<int>{112, 49, 49, 21, 21, 21}));

  const std::vector<CardGroupRecord> best = SuperSelfHandCard::SortLegalGroups(candidates, false);
  EXPECT_EQ(TypesOf(best), (std::vector<TV>{{112, 5}, {49, 5}, {21, 9}}));
  EXPECT_EQ(best[2].cards[0], 3) << "the first of equal values";
  EXPECT_TRUE(SuperSelfHandCard::SortLegalGroups({}, false).empty());
}

TEST(SuperHandSort, TheTripleBombIsABombUnderTheSuperRules) {
  struct Case {
    TV play, table;
    bool beats;
  } cases[] = {
      {{105, 3}, {49, 9}, true},   {{105, 3}, {48, 9}, true},    {{105, 6}, {105, 5}, true},
      {{105, 5}, {105, 5}, false}, {{105, 9}, {112, 3}, false},  {{112, 3}, {105, 9}, true},
      {{113, 16}, {112, 15}, true}, {{48, 9}, {105, 3}, false},  {{49, 9}, {48, 3}, false},
      {{1, 5}, {-1, 0}, true},     {{-1, 0}, {-1, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.play.type) + "/" + std::to_string(c.play.value) + " on " +
                 std::to_string(c.table.type) + "/" + std::to_string(c.table.value));
    EXPECT_EQ(ddz::SuperGroupBeats(Group(c.play.type, c.play.value), Group(c.table.type, c.table.value)), c.beats);
  }
}

// ---------------------------------------------------------------- the request

TEST(SuperHandRequest, CardBytesKeepTheSuitAndWriteTheWildcardAsAJoker) {
  const std::pair<int, int> cases[] = {{0, 1},    {1, 2},    {2, 3},     {16, 34}, {13, 16},
                                       {14, 17},  {28, 48},  {57, 109},  {29, 0},  {-1, 0}};
  for (const auto& [code, byte] : cases) EXPECT_EQ(ddz::CodeToSuperCardByte(code), byte) << "code " << code;
}

TEST_F(SuperHandTest, PlayingTheOneLegalReadingSendsIt68BytesWithItsWildcardBytes) {
  SuperSelfHandCard* h = turn("5678x K", "34567", "5678x");
  pressButton(h, kPlay);
  Bytes expected(68, 0);
  expected[1] = 24;
  // In row order: the 9 the joker stands for, 8 7 6 5; then count, type, value.
  for (int i = 0; i < 5; ++i) expected[8 + i] = static_cast<std::uint8_t>(9 - i);
  expected[28] = 5;
  expected[29] = 21;
  expected[30] = 9;
  expected[60] = 16;
  expected[61] = expected[62] = expected[63] = 255;
  expected[64] = 9;
  expected[65] = expected[66] = expected[67] = 255;
  ASSERT_EQ(view->sent.size(), 1u);
  EXPECT_EQ(view->sent[0].type, 24);
  EXPECT_EQ(view->sent[0].bytes, expected);
  ASSERT_EQ(view->records.size(), 1u);
  EXPECT_EQ(view->records[0], expected);
  EXPECT_EQ(view->calls, (Strings{"send 24", "record 68", "hideClock"}));
  EXPECT_TRUE(h->GetLegalGroups().empty());
  EXPECT_TRUE(selectedIndexes(h).empty());
  pressButton(h, kPlay);  // the turn is over
  EXPECT_EQ(view->sent.size(), 1u);
}

TEST_F(SuperHandTest, PassNamesTheOneListedReadingOnly) {
  struct Case {
    const char* toBeat;
    const char* selection;
    int button;
    bool sends;
    int count, type, value;
  } cases[] = {
      {"34567", "5678x", kPass, true, 0, 21, 9},  // one reading listed: its type and value
      {"3334", "55xX", kPass, true, 0, 0, 0},     // two listed: a bare pass, no chooser
      {"3334", "55xX", kPlay, false, 0, 0, 0},    // two listed: play opens the chooser
      {"3334", "", kPass, true, 0, 0, 0},
      {"3334", "K", kPlay, true, 0, 0, 0},        // nothing legal: play sends a pass
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.toBeat) + " <- " + c.selection + (c.button == kPass ? " pass" : " play"));
    view->sent.clear();
    SuperSelfHandCard* h = turn("5678x 55X K", c.toBeat, c.selection);
    pressButton(h, c.button);
    EXPECT_EQ(h->IsChooserOpen(), !c.sends);
    ASSERT_EQ(view->sent.size(), c.sends ? 1u : 0u);
    if (c.sends) {
      Bytes expected(68, 0);
      expected[1] = 24;
      expected[29] = static_cast<std::uint8_t>(c.type);
      expected[30] = static_cast<std::uint8_t>(c.value);
      EXPECT_EQ(view->sent[0].bytes, expected);
    }
    h->removeFromParent();
  }
}

// ---------------------------------------------------------------- last card

TEST_F(SuperHandTest, TheLastCardPlaysOrPassesByItself) {
  struct Case {
    const char* card;
    const char* toBeat;
    int count;  // -1: nothing sent
    int value;
  } cases[] = {
      {"9", "", 1, 9},      // leading
      {"9", "8", 1, 9},     // a higher single
      {"9", "T", 0, 0},     // a lower one passes
      {"9", "9", 0, 0},
      {"9", "55", 0, 0},    // two cards to beat
      {"x", "2", 1, 25},    // the joker as the single it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.card) + " on " + c.toBeat);
    view->sent.clear();
    SuperSelfHandCard* h = turn(c.card, c.toBeat, "");
    ASSERT_EQ(view->sent.size(), c.count < 0 ? 0u : 1u);
    if (c.count >= 0) {
      EXPECT_EQ(view->sent[0].bytes[28], c.count);
      EXPECT_EQ(view->sent[0].bytes[30], c.value);
      if (c.count == 1) {
        EXPECT_EQ(view->sent[0].bytes[8], ddz::CodeToSuperCardByte(Codes(c.card)[0]));
      }
    }
    h->removeFromParent();
  }
}

TEST_F(SuperHandTest, TheLastCardWaitsWhenTheEngineReadsItSeveralWays) {
  // Without an engine a card reads no way: leading logs and leaves the turn to the player.
  view->mode = 7;
  cocos2d::Log::clear();
  SuperSelfHandCard* h = turn("9", "", "");
  EXPECT_TRUE(view->sent.empty());
  EXPECT_TRUE(cocos2d::Log::contains("ERROR [SuperSelfHandCard]\t\tShowSendPassBtn::allLegalCardGroup.[size:0]"));
  EXPECT_TRUE(h->GetMainButton(kPlay)->isVisible());
}

// ---------------------------------------------------------------- hint and tip

TEST_F(SuperHandTest, NothingBeatsTheTable) {
  SuperSelfHandCard* h = turn("345 K", "2", "");
  EXPECT_TRUE(h->IsCannotBeat());
  EXPECT_TRUE(h->GetCannotBeatTip()->isVisible());
  pressButton(h, SelfHandCard::kBtnHint);  // the hint passes for the player
  ASSERT_EQ(view->sent.size(), 1u);
  EXPECT_EQ(view->sent[0].bytes[28], 0);
  EXPECT_FALSE(h->GetCannotBeatTip()->isVisible());
}

TEST_F(SuperHandTest, HintSelectsWhatBeatsTheTable) {
  SuperSelfHandCard* h = turn("3 9 K", "8", "");
  EXPECT_FALSE(h->IsCannotBeat());
  pressButton(h, SelfHandCard::kBtnHint);
  ASSERT_EQ(h->SelectedCodes().size(), 1u);
  EXPECT_GT(ddz::CodeToValue(h->SelectedCodes()[0]), 8);
  EXPECT_EQ(h->GetLegalGroups().size(), 1u);
  EXPECT_TRUE(h->GetMainButton(kPlay)->isEnabled());
}

TEST_F(SuperHandTest, ATapBesideTheCardsEmptiesTheLegalGroups) {
  SuperSelfHandCard* h = turn("5678x K", "", "5678x");
  ASSERT_FALSE(h->GetLegalGroups().empty());
  tap(640, 600);
  EXPECT_TRUE(h->GetLegalGroups().empty());
  EXPECT_TRUE(selectedIndexes(h).empty());
  EXPECT_FALSE(h->GetMainButton(kPlay)->isEnabled());
  EXPECT_FALSE(h->GetMainButton(SelfHandCard::kBtnReselect)->isVisible());
}

// ---------------------------------------------------------------- time-out

TEST_F(SuperHandTest, TimeOutLeadingPlaysTheLowestCard) {
  SuperSelfHandCard* h = turn("K 9 4", "", "K");
  h->OnAutoOperate();
  ASSERT_EQ(view->sent.size(), 1u);
  EXPECT_EQ(view->sent[0].bytes[28], 1);
  EXPECT_EQ(view->sent[0].bytes[8], 4);
  EXPECT_EQ(h->GetAutoPlayCount(), 1);
}

TEST_F(SuperHandTest, ALeadingTimeOutWithoutAReadingSendsNothing) {
  // A mode with no engine reads no card: a pass while leading would be refused.
  view->mode = 7;
  SuperSelfHandCard* h = turn("K 9 4", "", "");
  h->OnAutoOperate();
  EXPECT_TRUE(view->sent.empty());
  EXPECT_TRUE(h->IsWaitingForChoice());
  EXPECT_TRUE(h->GetMainButton(kPlay)->isVisible());
}

TEST_F(SuperHandTest, TimeOutAnswersNoToTheOpenQuestionOnTablesThatAskIt) {
  struct Case {
    int mode;
    bool sends;
  } cases[] = {{1, true}, {2, true}, {0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    view->mode = c.mode;
    view->sent.clear();
    SuperSelfHandCard* h = makeSuperHand("3 4");
    h->ShowAnswerPair(SelfHandCard::kPairRob);
    h->OnAutoOperate();
    ASSERT_EQ(view->sent.size(), c.sends ? 1u : 0u);
    if (c.sends) {
      EXPECT_EQ(view->sent[0].bytes, (Bytes{0, 22, 0, 0, 0, 0, 0, 0, 6, 0, 0, 0}));
    }
    h->removeFromParent();
  }
}

TEST_F(SuperHandTest, ThreeAutomaticPlaysInARowLeaveTheTable) {
  // true: the time-out acts; false: the player passes.
  struct Case {
    std::vector<bool> presses;
    bool quits;
  } cases[] = {{{true, true, true}, true}, {{true, true, false, true, true}, false}};
  for (const Case& c : cases) {
    view->calls.clear();
    SuperSelfHandCard* h = makeSuperHand("3 4 5");
    h->SetLastTablePlayType(ddz::CardType::Rocket);  // counted all the same on this table
    for (bool automatic : c.presses) {
      h->ShowSendPassBtn(Codes("2"));
      if (automatic)
        h->OnAutoOperate();
      else
        pressButton(h, kPass);
    }
    frames(3, 1.0f);
    const bool quit = std::find(view->calls.begin(), view->calls.end(), "quit") != view->calls.end();
    const bool box = std::find(view->calls.begin(), view->calls.end(), "box 3") != view->calls.end();
    EXPECT_EQ(quit, c.quits);
    EXPECT_EQ(box, c.quits);
    h->removeFromParent();
  }
}

// ---------------------------------------------------------------- instance

TEST_F(SuperHandTest, GetInstanceNeverHandsOutADestroyedHand) {
  SelfHandCard* classic = SelfHandCard::getInstanceIfAny();
  auto* h = new SuperSelfHandCard(view, view);
  EXPECT_EQ(SuperSelfHandCard::getInstance(), h);
  EXPECT_EQ(SelfHandCard::getInstanceIfAny(), classic) << "a Super hand is not the classic hand";
  h->release();
  EXPECT_EQ(SuperSelfHandCard::getInstanceIfAny(), nullptr);
  SuperSelfHandCard* fresh = SuperSelfHandCard::getInstance();
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->GetTable(), nullptr);
  EXPECT_EQ(fresh->GetOwnerView(), nullptr);
}

TEST_F(SuperHandTest, TheOtherTablesHandsLeaveTheClassicInstanceAndWidthAlone) {
  const std::vector<int> cards = Codes("3 3 4 4 5 5 6 6 7 7 8 8 9 9 T T j");
  const float w = g_fSelfHandScale * g_sizeSingleCard.width;
  const float windowStep = std::clamp((1280 - 20 - w) / 16, 40.0f, 90.0f);
  struct Case {
    const char* what;
    std::function<SelfHandCard*()> make;
    bool checkStep;  // the hand lays out with the classic fan rule
  } cases[] = {
      {"tournament", [&] { return new CompeteSelfHandCard(view); }, true},
      {"four-player", [&] { return new SRSelfHandCard(view); }, false},
      {"Super", [&] { return new SuperSelfHandCard(view, view); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SelfHandCard* classic = makeHand("", 700);
    SelfHandCard* other = c.make();
    view->addChild(other);
    other->release();
    EXPECT_EQ(SelfHandCard::getInstance(), classic);
    EXPECT_EQ(SelfHandCard::GetHandWidth(), 700);
    if (c.checkStep) {
      for (int code : cards) other->AddCard(code, false, false, false, 0, false, false);
      other->LayoutCards();
      EXPECT_FLOAT_EQ(other->GetCardStep(), windowStep) << "the row spreads over the window";
    }
    other->removeFromParent();
    classic->removeFromParent();
  }
}

TEST_F(SuperHandTest, AHandThatOutlivesItsViewForgetsIt) {
  auto* other = supertest::RecordingSuperView::create();
  scene->addChild(other);
  auto* h = new SuperSelfHandCard(other, other);
  other->addChild(h);
  h->AddCard(Codes("9")[0], false, false, true, 0, false, false);
  h->ShowSendPassBtn({});  // the last card: plays at once on the view
  other->removeFromParent();
  tick();  // the view goes
  EXPECT_EQ(h->GetTable(), nullptr);
  EXPECT_EQ(h->GetOwnerView(), nullptr);
  h->ShowSendPassBtn(Codes("3"));
  h->OnAutoOperate();  // reaches no view
  h->release();
}
