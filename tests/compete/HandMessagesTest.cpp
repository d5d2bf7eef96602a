// The tournament hand's messages after the deal: bids (54), the landlord
// (55), the play turn's clock (73) and the slow-play tip, plays (56) with
// their voices and effects, and the doubling sign.
#include <algorithm>

#include "CompeteTestSupport.h"
#include "cards/BaseCard.h"
#include "platform/os/Clock.h"
#include "widgets/DoubleSignFlight.h"
#include "widgets/GameClock.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "widgets/PlayerGameInfo.h"

namespace competetest {
namespace {

std::string Voice(int voice) { return "ddzSound/" + std::to_string(GameSoundDDZ::VoiceNumber(1, voice)) + ".mp3"; }
bool Has(const std::vector<std::string>& sounds, const std::string& s) {
  return std::find(sounds.begin(), sounds.end(), s) != sounds.end();
}

class HandMessagesTest : public CompeteTest {
 protected:
  void SetUp() override {
    CompeteTest::SetUp();
    DealAndSettle();
  }
  // The landlord at table number `t` with the bottom cards turned.
  void Decide(int t) {
    view->Deliver(Landlord(t, 3));
    RunUntilUnlocked();
  }
};

TEST_F(HandMessagesTest, ABidRaisesTheFinalPointOnlyAboveItAndSpeaksItsVoice) {
  struct Case {
    int table;
    int score;
    int finalPoint;
    int voice;
  };
  const Case cases[] = {{0, 1, 1, 0}, {1, 1, 1, 0}, {2, 0, 1, 3}, {0, 3, 3, 2}, {1, 2, 3, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.table) + " bids " + std::to_string(c.score));
    TakeSounds();
    view->Deliver(Bid(c.table, c.score));
    EXPECT_EQ(view->m_TableItem.iPointDemand[c.table], c.score);
    EXPECT_EQ(view->m_TableItem.iFinalPoint, c.finalPoint);
    EXPECT_NE(view->m_pPlayerGameInfo[c.table]->GetPoint(), nullptr) << "the seat's points sign";
    EXPECT_TRUE(Has(TakeSounds(), Voice(c.voice)));
  }
}

TEST_F(HandMessagesTest, TheLandlordTakesTheBottomCardsAndTheRolesFollow) {
  struct Case {
    int table;
    int ownRole;
    int backsAfter;  // cards of seat 0
    int ownAfter;
  };
  const Case cases[] = {{1, 2, 17, 20}, {0, 1, 20, 17}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.table);
    DealAndSettle();
    const int holdBefore = GameViewBase::m_iLockMainMsgTime;
    view->Deliver(Landlord(c.table, 2, {0x41, 0x4e, 0x25}));
    EXPECT_EQ(view->m_TableItem.iLandOwnerPos, c.table);
    EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, c.table);
    EXPECT_EQ(view->m_TableItem.iFinalPoint, 2);
    // 0x41 the A of suit 2, 0x4e the hint engine's A (no suit), 0x25 the 5 of suit 1.
    EXPECT_EQ(view->m_TableItem.vcBaseCardIndex, (std::vector<int>{30, 0, 19}));
    EXPECT_EQ(view->GetSelfHand()->GetRole(), c.ownRole);
    if (c.table != 1) {
      EXPECT_GE(GameViewBase::m_iLockMainMsgTime - holdBefore, 1900) << "2000 ms more for another seat";
    }
    RunUntilUnlocked();
    EXPECT_EQ(CardCount(0), c.backsAfter);
    EXPECT_EQ(CardCount(1), c.ownAfter);
  }
}

TEST_F(HandMessagesTest, ThePlayClockFollowsTheCardsLeftFastSeatsAndARocket) {
  struct Case {
    const char* name;
    int cardsLeft;  // of seat 0
    bool fast;
    bool autoPlay;
    bool rocketByOther;
    int seconds;
  };
  const Case cases[] = {
      {"20 cards", 20, false, false, false, 25}, {"19 cards", 19, false, false, false, 15},
      {"9 cards", 9, false, false, false, 10},   {"4 cards", 4, false, false, false, 8},
      {"a fast clock", 17, true, false, false, 1}, {"auto-play", 17, false, true, false, 1},
      {"a rocket by another seat", 17, false, false, true, 1},
  };
  Decide(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* backs = view->m_pHandCard[0];
    while (backs->GetCardCount() > c.cardsLeft) {
      cocos2d::Vec2 at;
      backs->RemoveCard(at, 0, true);
    }
    while (backs->GetCardCount() < c.cardsLeft) static_cast<SpriteCardManage*>(backs)->AddCard(0, true, false, true, -1, false, false);
    view->GetPlayerNode(0)->bShortClock = c.fast ? 1 : 0;
    view->m_TableItem.iTuoGuan[0] = c.autoPlay ? 1 : 0;
    view->m_TableItem.vcTableCardIndex = c.rocketByOther ? std::vector<int>{13, 14} : std::vector<int>{2};
    view->m_TableItem.iTableCardOwnerPos = 2;
    GameViewBase::m_iLockMainMsgTime = 0;
    view->Deliver(Seat(73, 0, 9));
    EXPECT_EQ(view->m_pGameClock->getClockTime(), c.seconds);
    EXPECT_EQ(GameViewBase::m_iLockMainMsgTime > 0, c.fast || c.autoPlay) << "1000 ms more for a fast seat";
  }
}

TEST_F(HandMessagesTest, TheSlowPlayTipShowsOnceAfterFourSlowPlays) {
  Decide(1);
  for (int play = 1; play <= 6; ++play) {
    SCOPED_TRACE(play);
    view->m_TableItem.iTableCardOwnerPos = 1;
    view->Deliver(Seat(73, 1, 9));
    ASSERT_GT(view->GetSlowPlayDeadline(), 0) << "a clock of 8 s or more";
    // 0.8 of the clock passes before the play.
    tick(static_cast<int>(0.9 * view->m_pGameClock->getClockTime()) + 1, 1.0f);
    const char card[1] = {static_cast<char>(ddz::CodeToCardByte(view->GetSelfHand()->HandCodes().back()))};
    view->ShowSelfOutCard(card, 1);
    EXPECT_EQ(view->GetSlowPlayCount(), play <= 3 ? play : -1);
    // The tip is the table's toast, gone long before the next play's clock ends.
    EXPECT_EQ(view->IsToastShown(), play == 4);
    if (play != 4) continue;
    cocos2d::Node* toast = view->GetToast();
    ASSERT_NE(toast, nullptr);
    EXPECT_EQ(toast->getLocalZOrder(), 99);
    ASSERT_EQ(toast->getChildrenCount(), 1u);
    auto* text = dynamic_cast<cocos2d::Label*>(toast->getChildren().front());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->getString(), CompeteText(20));
  }
}

TEST_F(HandMessagesTest, PlaysEndAtTheFirstEmptyByteHoldAtMostTwentyAndIgnoreTheOwnEcho) {
  Decide(0);
  struct Case {
    const char* name;
    Frame frame;
    std::vector<int> onTable;
  };
  std::vector<std::uint8_t> many(25, 0x23);
  for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<std::uint8_t>(0x20 | (3 + i % 10));
  Frame twentyFive = Played(0, many, 40);
  const Case cases[] = {
      {"ended by 0", Played(0, {0x23, 0x23 + 1, 0, 0x25}), {15 * 1 + 2, 15 * 1 + 3}},
      {"ended by a negative byte", Played(0, {0x23, 0x80 | 0x05, 0x25}), {15 * 1 + 2}},
      {"twenty at most", twentyFive, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->Deliver(c.frame);
    if (!c.onTable.empty()) {
      EXPECT_EQ(view->m_TableItem.vcTableCardIndex, c.onTable);
    } else {
      EXPECT_EQ(view->m_TableItem.vcTableCardIndex.size(), 20u);
    }
  }
  // The server's echo of the own play: the cards were shown when played.
  const int own = CardCount(1);
  const TableState before = StateOf(view);
  view->Deliver(Played(1, {0x03}));
  EXPECT_EQ(StateOf(view), before);
  EXPECT_EQ(CardCount(1), own);
}

TEST_F(HandMessagesTest, BombsAndRocketsAreCountedAndDoubleTheMultiple) {
  Decide(0);
  view->Deliver(Played(0, {0x23, 0x43, 0x63, 0x03}));
  EXPECT_EQ(view->m_TableItem.iSendBombNum, 1);
  EXPECT_EQ(view->m_TableItem.iTimes, 2);
  view->Deliver(Played(2, {16, 17}));
  EXPECT_TRUE(view->m_TableItem.bSendRocket);
  EXPECT_EQ(view->m_TableItem.iTimes, 4);
}

TEST_F(HandMessagesTest, TheOwnPlayIsShownAtOnceAndByte33SilencesItsVoice) {
  Decide(1);
  const std::vector<int> before = view->GetSelfHand()->HandCodes();
  const char pair[2] = {0x03, 0x23};
  TakeSounds();
  view->ShowSelfOutCard(pair, 2);
  EXPECT_EQ(CardCount(1), 18);
  EXPECT_EQ(view->m_TableItem.iTableCardOwnerPos, 1);
  EXPECT_TRUE(Has(TakeSounds(), "ddzSound/0_2_3.mp3")) << "the pair's voice";
  // The same play marked silent for the own seat: no voice, no effect.
  Frame silent = Played(1, {0x04, 0x24});
  silent[33] = 1;
  std::vector<char> copy(silent.begin(), silent.end());
  view->HandleOutCard(copy.data(), static_cast<int>(copy.size()), true);
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{});
  EXPECT_EQ(CardCount(1), 16);
  // More than 20 bytes never run past the played message's count.
  const std::vector<char> many(30, 0x05);
  view->ShowSelfOutCard(many.data(), 30);
  EXPECT_LE(view->m_TableItem.vcTableCardIndex.size(), 20u);
}

TEST_F(HandMessagesTest, APassShowsThePassSignAndItsVoice) {
  Decide(0);
  TakeSounds();
  view->Deliver(Played(2, {}));
  EXPECT_NE(view->m_pPlayerGameInfo[2]->GetPass(), nullptr);
  const std::vector<std::string> sounds = TakeSounds();
  EXPECT_TRUE(Has(sounds, "ddzSound/ddzcompete_pass_0_0.mp3") || Has(sounds, "ddzSound/ddzcompete_pass_0_1.mp3"));
}

TEST_F(HandMessagesTest, ThePlayEffectTableChoosesTheVoice) {
  struct Case {
    const char* name;
    int type;
    bool leads;
    std::vector<int> voices;  // any of them
  };
  const Case cases[] = {
      {"straight", 21, false, {11}},       {"pair straight", 35, false, {12}},  {"plane", 59, false, {13}},
      {"plane with wings", 96, false, {14}}, {"four with two, leading", 66, true, {15}},
      {"four with two, beating", 67, false, {5, 6}}, {"triple, leading", 48, true, {18}},
      {"triple, beating", 48, false, {5, 6}}, {"triple with one, leading", 49, true, {9}},
      {"triple with a pair, leading", 50, true, {10}}, {"rocket", 113, false, {17}}, {"bomb", 112, false, {16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TakeSounds();
    view->ShowPlayEffect(c.type, 1, c.leads ? 0 : 2, 0);
    const std::vector<std::string> sounds = TakeSounds();
    EXPECT_TRUE(Has(sounds, "ddzSound/5.mp3")) << "the play effect sound";
    bool voiced = false;
    for (int v : c.voices) voiced = voiced || Has(sounds, Voice(v));
    EXPECT_TRUE(voiced);
  }
  TakeSounds();
  view->ShowPlayEffect(1, 1, 0, 0);
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"ddzSound/5.mp3"}) << "a single's voice is the play's own";
}

TEST_F(HandMessagesTest, TwoDoublingsInOneFlightMultiplyTwiceAndHoldTheLockOnce) {
  view->m_TableItem.iTimes = 3;
  view->ShowDoubleAni(0, 2);
  view->ShowDoubleAni(2, 2);
  EXPECT_EQ(view->m_TableItem.iTimes, 12);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 1);
  RunUntilUnlocked();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_FALSE(view->GetDoubleSign()->IsFlying());
}

}  // namespace
}  // namespace competetest
