// The tournament table's dispatch: each of its eighteen message types reaches
// its handler, anything else reaches the unlisted-message operation and
// changes nothing, the all-sockets road is the main road plus a log line, and
// a frame one byte short of its type's minimum is dropped untouched.
#include <algorithm>
#include <functional>

#include "CompeteTestSupport.h"
#include "cards/CompeteSelfHandCard.h"
#include "widgets/GameClock.h"
#include "widgets/PlayerGameInfo.h"

namespace competetest {
namespace {

struct DispatchCase {
  const char* name;
  int type;
  std::function<Frame()> frame;
  // True once the type's handler has run.
  std::function<bool(CompeteView*)> handled;
};

std::vector<DispatchCase> Cases() {
  auto match = [](int type) {
    return [type](CompeteView* v) { return std::count(v->match.begin(), v->match.end(), type) == 1; };
  };
  auto sized = [](int type) { return [type] { return FrameOf(type, CompeteGameView::MinMessageLength(type)); }; };
  std::vector<DispatchCase> cases = {
      {"deal", 71, [] { return CompeteDeal(); },
       [](CompeteView* v) { return v->RequestTypes().back() == CompeteGameView::kMsgDealReceived; }},
      {"bidding turn", 72, [] { return Seat(72, 1, 9); },
       [](CompeteView* v) { return v->GetSelfHand()->GetMainButton(SelfHandCard::kBtnBid3)->isVisible(); }},
      {"bid", 54, [] { return Bid(0, 2); }, [](CompeteView* v) { return v->m_TableItem.iPointDemand[0] == 2; }},
      {"landlord", 55, [] { return Landlord(2, 3); }, [](CompeteView* v) { return v->m_TableItem.iLandOwnerPos == 2; }},
      {"play turn", 73, [] { return Seat(73, 0, 9); },
       [](CompeteView* v) { return v->m_pGameClock->GetTablePos() == 0 && v->m_pGameClock->getClockTime() > 0; }},
      {"played", 56, [] { return Played(0, {0x23}); },
       [](CompeteView* v) { return v->m_TableItem.iTableCardOwnerPos == 0; }},
  };
  for (int type : {27, 74, 78, 63, 60, 34, 75, 62, 76, 79, 36, 17})
    cases.push_back({"a match message", type, sized(type), match(type)});
  return cases;
}

class DispatchTest : public CompeteTest {};

TEST_F(DispatchTest, EachOfTheEighteenTypesReachesItsHandler) {
  const std::vector<DispatchCase> cases = Cases();
  ASSERT_EQ(cases.size(), CompeteGameView::DispatchedTypes().size());
  for (const DispatchCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.type));
    EXPECT_NE(std::find(CompeteGameView::DispatchedTypes().begin(), CompeteGameView::DispatchedTypes().end(), c.type),
              CompeteGameView::DispatchedTypes().end());
    view->Deliver(c.frame());
    EXPECT_TRUE(c.handled(view));
    // The deal is dealt out before the hand goes on, as the message lock holds the rest.
    if (c.type == CompeteGameView::kMsgDeal) RunUntilUnlocked();
  }
  EXPECT_EQ(view->unlisted, std::vector<int>{});
}

TEST_F(DispatchTest, AnUnknownTypeReachesOnlyTheUnlistedOperationAndChangesNothing) {
  DealAndSettle();
  const TableState before = StateOf(view);
  for (int type : {0, 24, 58, 70, 237, 255}) {
    SCOPED_TRACE(type);
    view->Deliver(FrameOf(type, 400));
    EXPECT_EQ(StateOf(view), before);
  }
  EXPECT_EQ(view->unlisted, (std::vector<int>{0, 24, 58, 70, 237, 255}));
  EXPECT_EQ(view->match, std::vector<int>{});
}

TEST_F(DispatchTest, TheAllSocketsRoadIsTheMainRoadThenALogLine) {
  view->DeliverAll(CompeteDeal());
  RunUntilUnlocked();
  EXPECT_EQ(view->RequestTypes().back(), CompeteGameView::kMsgDealReceived);
  EXPECT_EQ(CardCount(1), 17);
  view->DeliverAll(FrameOf(75, 140));
  EXPECT_EQ(view->match, std::vector<int>{75});
  const auto& lines = cocos2d::Log::lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "CallBackHandleAllSocketNetMsg[75][4b]");
  EXPECT_FALSE(view->CallBackFirstHandleMainSocketNetMsg(nullptr, 0)) << "the first look consumes nothing";
}

TEST_F(DispatchTest, AFrameOneByteShortOfItsTypeIsDroppedAndChangesNothing) {
  DealAndSettle();
  view->Deliver(Landlord(1, 3));
  RunUntilUnlocked();
  for (const DispatchCase& c : Cases()) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.type));
    const int need = CompeteGameView::MinMessageLength(c.type);
    ASSERT_GT(need, 8);
    Frame frame = c.frame();
    frame.resize(static_cast<std::size_t>(need - 1));
    const TableState before = StateOf(view);
    view->Deliver(frame);
    EXPECT_EQ(StateOf(view), before);
    EXPECT_EQ(view->match, std::vector<int>{});
  }
  EXPECT_EQ(CompeteGameView::MinMessageLength(71), 112);
  EXPECT_EQ(CompeteGameView::kReloginSize, 341);
}

}  // namespace
}  // namespace competetest
