// The own play as every table shows it: the played card leaves the own hand,
// and the rest of the hand slides together from where it stood. The classic,
// tournament, four-player and Super tables each bring their own hand to the
// own play turn with another seat as landlord; the frames are then stepped by
// hand.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClassicMessages.h"
#include "cards/SelfHandCard.h"
#include "classic/HandTestSupport.h"
#include "compete/CompeteTestSupport.h"
#include "variants/SRTestSupport.h"
#include "variants/SuperTestSupport.h"

namespace {

class OwnPlaySlide;

struct Table {
  const char* name;
  // Puts the table on the stage at the own play turn; returns the own hand
  // and sets the fixture's `play`.
  SelfHandCard* (*enter)(OwnPlaySlide& t);
  // How far a card may stand from its slide target (a whole pixel) once the
  // slide ended and the hand laid out: the four-player hand slides over a fan
  // 12 narrower than it lays out, each end up to 6 nearer the middle.
  float restShift;
};

void PrintTo(const Table& table, std::ostream* out) { *out << table.name; }

class OwnPlaySlide : public classictest::ClassicTest, public testing::WithParamInterface<Table> {
 public:
  void TearDown() override {
    ClassicTest::TearDown();
    CompeteGameInfo::shareCompeteGameInfo()->m_iState = 0;
  }
  // Frames until nothing holds the messages and no hold time runs.
  void Settle() {
    tick(2, 0.05f);
    for (int i = 0; i < 600 && (GameViewBase::m_iLockMainMsgCount > 0 || GameViewBase::m_iLockMainMsgTime > 0); ++i)
      tick(1, 0.05f);
  }
  cocos2d::Scene* Scene() const { return scene; }

  // The own play of these card bytes, as the table receives or shows it.
  std::function<void(const std::vector<std::uint8_t>&)> play;
};

SelfHandCard* EnterClassic(OwnPlaySlide& t) {
  auto* view = classictest::HandView::create();
  t.Scene()->addChild(view);
  view->SendSitReq();
  view->Deliver(classictest::Settings(0));
  view->Deliver(classictest::Deal(0));
  t.Settle();
  view->Deliver(ddz::classic::BuildLandlord(0, 3, {0x2B, 0x2C, 0x2D}));
  t.Settle();
  view->Deliver(ddz::classic::BuildPlayTurn(1));
  t.play = [view](const std::vector<std::uint8_t>& cards) { view->Deliver(classictest::Played(1, cards)); };
  return view->GetSelfHand();
}

SelfHandCard* EnterCompete(OwnPlaySlide& t) {
  CompeteGameInfo::shareCompeteGameInfo()->m_iState = 0;
  auto* view = competetest::CompeteView::create();
  t.Scene()->addChild(view);
  view->SendSitReq();
  view->Deliver(competetest::CompeteDeal());
  t.Settle();
  view->Deliver(competetest::Landlord(0, 3));
  t.Settle();
  view->Deliver(competetest::Seat(73, 1, 9));
  t.play = [view](const std::vector<std::uint8_t>& cards) { view->Deliver(competetest::Played(1, cards)); };
  return view->GetSelfHand();
}

SelfHandCard* EnterFourPlayer(OwnPlaySlide& t) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  GameViewBase::m_GlobalInfo.iGuideShowTimes = 5;  // no guide over the table
  auto* view = srtest::SRTestView::create();
  t.Scene()->addChild(view);
  view->SeatPlayers(1);
  srtest::DealFields deal;
  deal.own = srtest::SomeHand();
  view->Deliver(srtest::Deal(deal));
  t.Settle();
  using srtest::Card;
  view->Deliver(srtest::Landlord(3, 3, {Card(2, 5), Card(2, 6), Card(2, 7), Card(2, 8), Card(3, 5), Card(3, 6),
                                        Card(3, 7), Card(3, 8)}));
  view->Deliver(srtest::Turn(ddz::sr::ServerType::PlayTurn, 1));
  // The own play shows at once; the server's echo of it is not read.
  t.play = [view](const std::vector<std::uint8_t>& cards) {
    const std::vector<char> bytes(cards.begin(), cards.end());
    view->ShowSelfOutCard(bytes.data(), static_cast<int>(bytes.size()));
  };
  return view->GetSelfHand();
}

SelfHandCard* EnterSuper(OwnPlaySlide& t) {
  auto* view = supertest::TestSuperView::create();
  t.Scene()->addChild(view);
  view->SendSitReq();
  view->Deliver(supertest::ModeMsg(0));
  view->Deliver(supertest::DealMsg());
  t.Settle();
  view->Deliver(supertest::Landlord(0, 3));
  t.Settle();
  view->Deliver(supertest::Bid(73, 1, 0));
  t.play = [view](const std::vector<std::uint8_t>& cards) {
    const std::vector<char> bytes(cards.begin(), cards.end());
    view->ShowSelfOutCard(bytes.data(), static_cast<int>(bytes.size()));
  };
  return view->GetSelfHand();
}

const Table kTables[] = {
    {"Classic", EnterClassic, 1},
    {"Tournament", EnterCompete, 1},
    {"FourPlayer", EnterFourPlayer, 7},
    {"Super", EnterSuper, 1},
};

TEST_P(OwnPlaySlide, TheRestOfTheHandSlidesInEightStepsFromWhereItStood) {
  SelfHandCard* hand = GetParam().enter(*this);
  ASSERT_NE(hand, nullptr);
  ASSERT_GE(hand->GetCardCount(), 10);
  ASSERT_FALSE(hand->IsAnimating());
  std::map<const SpriteCardInfo*, float> stood;
  for (const SpriteCardInfo* card : hand->GetCards()) stood[card] = card->fX;

  // A card from the middle: the cards on both sides of it move.
  const int played = hand->GetCards()[hand->GetCards().size() / 2]->iCardIndex;
  play({ddz::CodeToCardByte(played)});
  const std::vector<SpriteCardInfo*> rest = hand->GetCards();
  ASSERT_EQ(rest.size() + 1, stood.size()) << "the played card left the hand";
  EXPECT_TRUE(hand->IsAnimating());
  std::vector<float> start;
  for (const SpriteCardInfo* card : rest) {
    EXPECT_FLOAT_EQ(card->fX, stood.at(card)) << "a card jumped before the slide";
    start.push_back(card->fX);
  }
  const std::vector<int> targets = hand->GetSlideTargets();
  ASSERT_EQ(targets.size(), rest.size());
  float longest = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) longest = std::max(longest, std::fabs(start[i] - targets[i]));
  EXPECT_GT(longest, 10.0f) << "the slide has somewhere to go";

  for (int step = 1; step < SelfHandCard::kSlideSteps; ++step) {
    tick(1, 1.0f / 60);
    SCOPED_TRACE(step);
    ASSERT_TRUE(hand->IsAnimating());
    for (std::size_t i = 0; i < rest.size(); ++i) {
      const float expected = start[i] - static_cast<float>(step) * (start[i] - static_cast<float>(targets[i])) / 8;
      EXPECT_NEAR(rest[i]->fX, expected, 1e-2f) << "card " << i;
      EXPECT_FLOAT_EQ(rest[i]->pCardSprite->getPositionX(), rest[i]->fX) << "card " << i;
    }
  }
  tick(1, 1.0f / 60);
  EXPECT_FALSE(hand->IsAnimating());
  for (std::size_t i = 0; i < rest.size(); ++i)
    EXPECT_NEAR(rest[i]->fX, static_cast<float>(targets[i]), GetParam().restShift) << "card " << i;
}

INSTANTIATE_TEST_SUITE_P(EveryTable, OwnPlaySlide, testing::ValuesIn(kTables),
                         [](const testing::TestParamInfo<Table>& info) { return std::string(info.param.name); });

}  // namespace
