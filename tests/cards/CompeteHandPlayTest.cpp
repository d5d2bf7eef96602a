// The tournament own hand's play request, time-out rules and auto-play overlay.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CompeteHandTestSupport.h"
#include "cardlogic/CardCodes.h"

using handtest::Codes;
using handtest::CompeteHandTest;
using handtest::RecordingView;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Ints = std::vector<int>;

// The 68-byte play request: card bytes from 8, count 28, type 29, key 30, the
// auto marker 60 and the seconds at 64.
Bytes PlayRequest(Bytes cards, int type, int key, int marker, std::uint32_t seconds) {
  Bytes b(68, 0);
  b[1] = 24;
  for (std::size_t i = 0; i < cards.size(); ++i) b[8 + i] = cards[i];
  b[28] = static_cast<std::uint8_t>(cards.size());
  b[29] = static_cast<std::uint8_t>(type);
  b[30] = static_cast<std::uint8_t>(key);
  b[60] = static_cast<std::uint8_t>(marker);
  for (int i = 0; i < 4; ++i) b[64 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(seconds >> (8 * i));
  return b;
}

class CompeteHandPlay : public CompeteHandTest {
 protected:
  cocos2d::ui::Button* main(CompeteSelfHandCard* h, int i) { return h->GetMainButton(i); }
  // The play requests sent so far.
  std::vector<Bytes> plays() const {
    std::vector<Bytes> out;
    for (const RecordingView::Sent& s : owner->sent)
      if (s.type == 24) out.push_back(s.bytes);
    return out;
  }
  // A fresh table view as the scene's current view.
  void newView() {
    owner = RecordingView::create();
    scene->addChild(owner);
    GameSceneBase::m_pGameView = owner;
  }
  // A hand on auto-play: a time-out lead has attached the overlay.
  CompeteSelfHandCard* handOnAutoPlay() {
    CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7 8 9");
    h->ShowOutCardButtons({});
    h->OnAutoOperate();
    EXPECT_EQ(autoPlayStates(), Ints{1});
    return h;
  }
};

}  // namespace

// ---------------------------------------------------------------- play request

TEST_F(CompeteHandPlay, PlayRequestCarriesTheAutoMarkerAndTheSecondsTaken) {
  struct Case {
    const char* what;
    std::int64_t wallTime;
    const char* tablePlay;
    int autoCount;
    std::function<void(CompeteSelfHandCard*)> act;
    Bytes expected;
  } cases[] = {
      {"the player's pair", 1'000'000, "", 0,
       [this](CompeteSelfHandCard* h) {
         selectText(h, "5 5");
         click(main(h, SelfHandCard::kBtnPlay));
       },
       PlayRequest({37, 5}, ddz::CardType::Pair, 5, 0, 7)},
      {"the player's pass", 1'000'000, "4", 0,
       [this](CompeteSelfHandCard* h) { click(main(h, SelfHandCard::kBtnPass)); },
       PlayRequest({}, -1, 0, 0, 7)},
      {"a time-out pass", 1'000'000, "4", 0, [](CompeteSelfHandCard* h) { h->OnAutoOperate(); },
       PlayRequest({}, -1, 0, 1, 7)},
      {"a time-out lead", 1'000'000, "", 0, [](CompeteSelfHandCard* h) { h->OnAutoOperate(); },
       PlayRequest({3}, ddz::CardType::Single, 3, 1, 7)},
      {"the player's play while auto-play is counted", 1'000'000, "", 2,
       [this](CompeteSelfHandCard* h) {
         selectText(h, "K");
         click(main(h, SelfHandCard::kBtnPlay));
       },
       PlayRequest({13}, ddz::CardType::Single, 13, 1, 7)},
      {"a turn across the wrap of the 32-bit seconds", (std::int64_t{1} << 32) - 3, "", 0,
       [this](CompeteSelfHandCard* h) {
         selectText(h, "5 5");
         click(main(h, SelfHandCard::kBtnPlay));
       },
       PlayRequest({37, 5}, ddz::CardType::Pair, 5, 0, 7)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    newView();
    CompeteSelfHandCard* h = makeCompeteHand("3 4 5 5 K");
    h->SetAutoPlayCount(c.autoCount);
    setWallTime(c.wallTime);
    h->ShowOutCardButtons(Codes(c.tablePlay));
    passSeconds(7);
    c.act(h);
    ASSERT_EQ(plays().size(), 1u);
    EXPECT_EQ(plays().front(), c.expected);
    EXPECT_EQ(owner->sent.front().type, 24);
    EXPECT_EQ(owner->shownCards, Bytes(c.expected.begin() + 8, c.expected.begin() + 8 + c.expected[28]));
    EXPECT_FALSE(h->IsWaitingForChoice());
    EXPECT_FALSE(h->IsAutomatic());
    h->removeFromParent();
  }
}

TEST_F(CompeteHandPlay, APlayTooLongForTheRequestIsRefusedAndTheTurnStaysOpen) {
  CompeteSelfHandCard* h = makeCompeteHand("33334444555566667777 8");  // 21 cards
  EXPECT_EQ(h->AddCard(99, false, false, true, 0, false, false), nullptr);
  EXPECT_EQ(h->AddCard(-1, false, false, true, 0, false, false), nullptr);
  ASSERT_EQ(h->GetCardCount(), 21);
  h->ShowOutCardButtons({});
  for (SpriteCardInfo* info : h->GetCards()) info->bSelected = 1;
  h->OnButtonClick(main(h, SelfHandCard::kBtnPlay));
  EXPECT_TRUE(plays().empty());
  EXPECT_TRUE(logHas("do not fit a play request"));
  // The turn stays open, clock and buttons, so the time-out still plays.
  EXPECT_TRUE(owner->calls.empty());
  EXPECT_TRUE(h->IsWaitingForChoice());
  EXPECT_TRUE(main(h, SelfHandCard::kBtnPlay)->isVisible());
  h->OnAutoOperate();
  ASSERT_EQ(plays().size(), 1u);
  EXPECT_EQ(plays().front()[28], 1);
  EXPECT_FALSE(h->IsWaitingForChoice());
}

TEST_F(CompeteHandPlay, TheRightButtonDoesNotPlay) {
  CompeteSelfHandCard* h = makeCompeteHand("3 4 5");
  EXPECT_FALSE(h->IsMouseEventEnable());
  h->ShowOutCardButtons({});
  selectText(h, "3");
  ASSERT_TRUE(usable(main(h, SelfHandCard::kBtnPlay)));
  rightClick();
  EXPECT_TRUE(owner->sent.empty());
  EXPECT_TRUE(h->IsWaitingForChoice());
}

// ---------------------------------------------------------------- time-out

TEST_F(CompeteHandPlay, TimeOutPassesOrLeadsAndCountsAutomaticPlays) {
  struct Case {
    const char* what;
    bool portraitTable;
    const char* hand;
    const char* tablePlay;
    int tableType;
    int countBefore;
    Bytes played;  // card bytes; none for a pass
    int marker, countAfter;
    Ints autoStates;
  } cases[] = {
      {"pass against a single", false, "3 4 5", "2", ddz::CardType::Single, 0, {}, 1, 1, {1}},
      {"pass against a rocket, nothing counted yet", false, "3 4 5", "xX", ddz::CardType::Rocket, 0, {}, 0, 0, {}},
      {"pass against a rocket while counted", false, "3 4 5", "xX", ddz::CardType::Rocket, 1, {}, 1, 2, {1}},
      {"lead in landscape: the last card", false, "3 4 5 6 7 8 9 T j Q K 2", "", 0, 0, {3}, 1, 1, {1}},
      {"lead in portrait past the row: the first row's last card", true, "3 4 5 6 7 8 9 T j Q K 2", "", 0, 0, {6},
       1, 1, {1}},
      {"lead in portrait within the row: the last card", true, "3 4 5 6 7", "", 0, 0, {3}, 1, 1, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    newView();
    GameSceneBase::m_iGameOrientation = 0;
    if (c.portraitTable) portrait();
    CompeteSelfHandCard* h = makeCompeteHand(c.hand);
    h->SetLastTablePlayType(c.tableType);
    h->SetAutoPlayCount(c.countBefore);
    h->ShowOutCardButtons(Codes(c.tablePlay));
    h->OnAutoOperate();
    ASSERT_EQ(plays().size(), 1u);
    const Bytes sent = plays().front();
    EXPECT_EQ(Bytes(sent.begin() + 8, sent.begin() + 8 + sent[28]), c.played);
    EXPECT_EQ(sent[60], c.marker);
    EXPECT_EQ(h->GetAutoPlayCount(), c.countAfter);
    EXPECT_EQ(autoPlayStates(), c.autoStates);
    h->removeFromParent();
  }
}

TEST_F(CompeteHandPlay, TimeOutPlaysInARowNeverLeaveTheTableAndAttachTheOverlayOnce) {
  CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7 8");
  for (int turn = 1; turn <= 4; ++turn) {
    h->ShowOutCardButtons({});
    h->OnAutoOperate();
    tick();
    EXPECT_EQ(h->GetAutoPlayCount(), turn);
  }
  frames(150, 0.02f);  // well past the classic hand's 2 s
  EXPECT_EQ(autoPlayStates(), Ints{1});
  for (const Bytes& play : plays()) EXPECT_EQ(play[60], 1);
  for (const std::string& call : owner->calls) EXPECT_TRUE(call != "quit" && call != "box 3") << call;
}

// ---------------------------------------------------------------- overlay

TEST_F(CompeteHandPlay, ATouchAnywhereEndsAutoPlayOnceAndThePlayersNextPlayIsHisOwn) {
  CompeteSelfHandCard* h = handOnAutoPlay();
  AutoSendCard* overlay = h->GetAutoSendCard();
  ASSERT_EQ(overlay->getParent(), h);
  EXPECT_EQ(overlay->getLocalZOrder(), CompeteSelfHandCard::kOverlayZOrder);
  EXPECT_EQ(overlay->getChildrenCount(), 2u);  // the veil and the auto-play tip

  tapCard(h, 0);  // the overlay takes it: the hand sees no touch
  EXPECT_TRUE(selectedIndexes(h).empty());
  EXPECT_EQ(h->GetAutoPlayCount(), 0);
  tick();  // it leaves in the frame's removal phase
  EXPECT_EQ(overlay->getParent(), nullptr);
  EXPECT_EQ(autoPlayStates(), (Ints{1, 0}));

  h->ShowOutCardButtons({});
  selectText(h, "9");
  click(main(h, SelfHandCard::kBtnPlay));
  EXPECT_EQ(plays().back()[60], 0);
  EXPECT_EQ(autoPlayStates(), (Ints{1, 0}));

  h->ShowOutCardButtons({});
  h->OnAutoOperate();  // on auto-play again: one more on
  EXPECT_EQ(autoPlayStates(), (Ints{1, 0, 1}));
  tapCard(h, 0);
  tick();
  EXPECT_EQ(autoPlayStates(), (Ints{1, 0, 1, 0}));
}

// The hand stands somewhere on the table (and may be scaled): the veil still
// covers exactly the window and the tip stands at its window point.
TEST_F(CompeteHandPlay, TheOverlayCoversTheWindowWhereverTheHandStands) {
  struct Case {
    cocos2d::Vec2 handAt;
    float handScale;
  };
  const Case cases[] = {{{0, 0}, 1}, {{37, 150}, 1}, {{-20, 96}, 0.8f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.handAt.x << "," << c.handAt.y << " x" << c.handScale);
    CompeteSelfHandCard* h = makeCompeteHand("3 4 5 6 7 8 9");
    h->setPosition(c.handAt);
    h->setScale(c.handScale);
    h->ShowOutCardButtons({});
    h->OnAutoOperate();
    AutoSendCard* overlay = h->GetAutoSendCard();
    ASSERT_NE(overlay, nullptr);
    ASSERT_EQ(overlay->getParent(), h);
    ASSERT_EQ(overlay->getChildrenCount(), 2u);
    cocos2d::Node* veil = overlay->getChildren().at(0);
    cocos2d::Node* tip = overlay->getChildren().at(1);
    const cocos2d::Vec2 low = veil->convertToWorldSpace({0, 0});
    const cocos2d::Vec2 high = veil->convertToWorldSpace({veil->getContentSize().width, veil->getContentSize().height});
    EXPECT_NEAR(low.x, 0, 0.01f);
    EXPECT_NEAR(low.y, 0, 0.01f);
    EXPECT_NEAR(high.x, 1280, 0.01f);
    EXPECT_NEAR(high.y, 720, 0.01f);
    const cocos2d::Vec2 tipAt = overlay->convertToWorldSpace(tip->getPosition());
    EXPECT_NEAR(tipAt.x, AutoSendCard::kTipX, 0.01f);
    EXPECT_NEAR(tipAt.y, AutoSendCard::kTipY, 0.01f);
    h->removeFromParent();
    tick();
  }
}

TEST_F(CompeteHandPlay, LeavingTheTableOnAutoPlaySendsOffOnce) {
  struct Case {
    const char* what;
    std::function<void(CompeteSelfHandCard*)> leave;
    bool handDestroyed;
  } cases[] = {
      {"the hand is taken off", [](CompeteSelfHandCard* h) { h->removeFromParent(); }, true},
      {"the table view goes", [this](CompeteSelfHandCard*) { owner->removeFromParent(); }, false},
      {"a touch, then the hand goes in the same frame",
       [this](CompeteSelfHandCard* h) {
         tapCard(h, 0);
         h->removeFromParent();
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    newView();
    RecordingView* view = owner;
    view->retain();  // read after the view has left the scene
    CompeteSelfHandCard* h = handOnAutoPlay();
    c.leave(h);
    frames(3, 0.02f);
    EXPECT_EQ(autoPlayStates(), (Ints{1, 0}));
    if (c.handDestroyed) {
      EXPECT_EQ(CompeteSelfHandCard::shareInstanceIfAny(), nullptr);
    }
    view->release();
  }
}

TEST_F(CompeteHandPlay, WithoutATableViewTheOverlaySendsNothing) {
  CompeteSelfHandCard* h = makeCompeteHand("3 4 5");
  GameSceneBase::m_pGameView = nullptr;
  h->ShowOutCardButtons({});
  h->OnAutoOperate();
  EXPECT_EQ(plays().size(), 1u);  // the play goes through the hand's own view
  EXPECT_TRUE(autoPlayStates().empty());
  EXPECT_TRUE(logHas("no table view"));
  EXPECT_NE(h->GetAutoSendCard()->getParent(), nullptr);
}
