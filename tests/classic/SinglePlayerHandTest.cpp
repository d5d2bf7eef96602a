// End to end, headless: the real classic table and the real local server,
// from the start button through the bidding to the first plays, with the own
// bids and plays pressed on the own hand's buttons. The message lock never
// goes below 0, is back at 0 between the phases, and no message reaches the
// table while it is raised or a hold time runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ClassicTestSupport.h"
#include "cardlogic/SingleServerDDZ.h"
#include "cards/SelfHandCard.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/os/Random.h"

namespace classictest {
namespace {

struct Delivery {
  int type;
  int lockCount;
  int holdMs;
};

class WatchedTable : public GameViewPC {
 public:
  static WatchedTable* create() {
    auto* view = new WatchedTable();
    view->autorelease();
    return view;
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    deliveries.push_back({static_cast<std::uint8_t>(msg[1]), m_iLockMainMsgCount.Get(),
                          m_iLockMainMsgTime.Remaining()});
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
  }
  std::vector<Delivery> deliveries;

 private:
  WatchedTable() : GameViewPC(nullptr, nullptr, 62) {}
};

using SinglePlayerHand = ClassicTest;

bool Usable(SelfHandCard* hand, int index) {
  cocos2d::ui::Button* button = hand->GetMainButton(index);
  return button != nullptr && button->isVisible() && button->isEnabled();
}

TEST_F(SinglePlayerHand, FromTheStartButtonThroughTheBiddingToTheFirstPlays) {
  ddz::os::ScriptedRandom random;
  ddz::os::ScopedRandomSource scoped(random);
  cocos2d::Log::clear();
  WatchedTable* view = WatchedTable::create();
  scene->addChild(view);
  view->IniMainSocketAuthen();
  view->GetStartButton()->setVisible(true);  // as after the login
  tap(g_ptBtnStart);

  SelfHandCard* hand = view->GetSelfHand();
  ASSERT_NE(hand, nullptr);
  int ownBids = 0;
  int ownPlays = 0;
  int lockSeenAboveZero = 0;
  bool dealtLockSeen = false;
  for (int frame = 0; frame < 4000 && ownPlays < 3; ++frame) {
    tick(1, 0.05f);
    ASSERT_GE(GameViewBase::m_iLockMainMsgCount.Get(), 0);
    if (GameViewBase::m_iLockMainMsgCount > 0) ++lockSeenAboveZero;
    if (view->m_bHandRunning && GameViewBase::m_iLockMainMsgCount > 0 && ownBids == 0) dealtLockSeen = true;
    if (GameViewBase::m_iLockMainMsgCount > 0) continue;
    // The own bid: the highest score offered.
    for (int bid = SelfHandCard::kBtnBid3; bid >= SelfHandCard::kBtnBid0; --bid) {
      if (!Usable(hand, bid)) continue;
      hand->OnButtonClick(hand->GetMainButton(bid));
      ++ownBids;
      break;
    }
    // The own play: leading, a tap on the lowest card; following, the hint's
    // choice, or a pass when nothing beats the table.
    if (hand->IsWaitingForChoice() && hand->GetMainButton(SelfHandCard::kBtnPlay)->isVisible()) {
      if (Usable(hand, SelfHandCard::kBtnHint)) {
        hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnHint));
      } else if (!hand->GetCards().empty()) {
        const SpriteCardInfo* lowest = hand->GetCards().back();
        tap(hand->convertToWorldSpace(cocos2d::Vec2(lowest->fX, lowest->fY)) + cocos2d::Vec2(10, 0));
      }
      if (Usable(hand, SelfHandCard::kBtnPlay)) {
        hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPlay));
      } else if (Usable(hand, SelfHandCard::kBtnPass)) {
        hand->OnButtonClick(hand->GetMainButton(SelfHandCard::kBtnPass));
      } else {
        continue;
      }
      ++ownPlays;
    }
  }
  tick(200, 0.05f);

  auto* server = dynamic_cast<ddz::SingleServerDDZ*>(view->GetSingleServer());
  ASSERT_NE(server, nullptr);
  EXPECT_GE(ownBids, 1);
  EXPECT_EQ(ownPlays, 3);
  EXPECT_GE(server->GetPlayCount(ddz::SingleServerDDZ::kHumanChair), 1);
  EXPECT_TRUE(dealtLockSeen);  // the deal held the messages
  EXPECT_GT(lockSeenAboveZero, 0);
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount, 0);
  EXPECT_FALSE(cocos2d::Log::contains("kept at 0"));

  // The phases in order, and no message while the lock or a hold was up.
  ASSERT_FALSE(view->deliveries.empty());
  EXPECT_EQ(view->deliveries.front().type, 71);
  std::vector<int> firsts;
  for (const Delivery& d : view->deliveries) {
    SCOPED_TRACE(d.type);
    EXPECT_EQ(d.lockCount, 0);
    EXPECT_EQ(d.holdMs, 0);
    if (std::find(firsts.begin(), firsts.end(), d.type) == firsts.end()) firsts.push_back(d.type);
  }
  const auto at = [&](int type) { return std::find(firsts.begin(), firsts.end(), type) - firsts.begin(); };
  EXPECT_LT(at(71), at(72));
  EXPECT_LT(at(72), at(55));
  EXPECT_LT(at(55), at(73));
  EXPECT_LT(at(73), at(56));
  EXPECT_LT(at(56), static_cast<long>(firsts.size()));
  // The table saw what the server decided.
  EXPECT_EQ(view->m_TableItem.iLandOwnerPos, server->GetLandlord());
  EXPECT_EQ(view->m_TableItem.iFinalPoint, server->GetHighestBid());
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }
}

}  // namespace
}  // namespace classictest
