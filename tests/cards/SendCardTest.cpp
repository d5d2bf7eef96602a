#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TableRowTestSupport.h"
#include "cards/LastCardPC.h"
#include "cards/SendCard.h"
#include "SelfHandTestSupport.h"

using cocos2d::Vec2;
using handtest::Codes;
using handtest::Values;

namespace {

class PlayedRowTest : public rowtest::TableRowTest {
 protected:
  template <class Row, class... Args>
  Row* make(Args... args) {
    auto* r = new Row(args...);
    r->autorelease();
    view->addChild(r);
    return r;
  }
  template <class Row>
  static void fill(Row* r, const std::vector<int>& codes) {
    for (int code : codes) r->AddCard(code, false, false, false, -1, false, false);
  }
  static std::vector<Vec2> places(const SpriteCardManage* r) {
    std::vector<Vec2> out;
    for (const SpriteCardInfo* info : r->GetCards()) out.push_back(info->pCardSprite->getPosition());
    return out;
  }
};

// ---------------------------------------------------------------- fly-in

TEST_F(PlayedRowTest, OwnCardsFlyInEightStepsAndEndCentredAtTheFinalScale) {
  auto* row = make<SendCard>(1, g_ptSendCard[1], g_fSendCardScale);
  fill(row, Codes("345"));
  row->ShowSendCards({{500, 100}, {545, 100}, {590, 100}});
  int steps = 0;
  Vec2 last = row->GetCards()[0]->pCardSprite->getPosition();
  for (int frame = 0; frame < 100 && row->IsFlying(); ++frame) {
    frames(1, 5);
    const Vec2 now = row->GetCards()[0]->pCardSprite->getPosition();
    if (now != last) ++steps;
    last = now;
  }
  EXPECT_EQ(steps, SendCard::kFlySteps);
  EXPECT_EQ(ddz::os::Clock().NowMs() / SendCard::kFlyStepMs, 8u) << "steps at least 15 ms apart";
  const auto at = places(row);
  EXPECT_NEAR((at.front().x + at.back().x) / 2, 640, 1);
  EXPECT_FLOAT_EQ(at[1].x - at[0].x, static_cast<float>(g_iSendCardGap));
  for (const SpriteCardInfo* info : row->GetCards()) {
    EXPECT_EQ(info->pCardSprite->getScale(), g_fSendCardScale);
    EXPECT_EQ(info->fY, g_ptSendCard[1].y);
  }
}

TEST_F(PlayedRowTest, TwoRowsFlyingAtOnceEachEndOnTargetAfterTheirOwnEightSteps) {
  auto* a = make<SendCard>(1, Vec2(640, 300), 0.6f);
  auto* b = make<SendCard>(1, Vec2(640, 200), 0.6f);
  fill(a, Codes("34"));
  fill(b, Codes("78"));
  a->ShowSendCards({{100, 100}, {140, 100}});
  frames(3, 20);  // a is three steps ahead
  b->ShowSendCards({{900, 100}, {940, 100}});
  frames(5, 20);
  EXPECT_FALSE(a->IsFlying());
  EXPECT_TRUE(b->IsFlying()) << "b has made five steps of its own";
  frames(3, 20);
  EXPECT_FALSE(b->IsFlying());
  for (SendCard* r : {a, b})
    for (std::size_t i = 0; i < r->GetCards().size(); ++i) {
      EXPECT_EQ(r->GetCards()[i]->pCardSprite->getPosition(), r->GetTargets()[i]);
      EXPECT_FLOAT_EQ(r->GetCards()[i]->pCardSprite->getScale(), 0.6f);
    }
}

TEST_F(PlayedRowTest, ResetPutsTheOwnRowBackInItsCentredPlaces) {
  auto* row = make<SendCard>(1, Vec2(640, 300), 0.6f);
  fill(row, Codes("3456"));
  row->ShowSendCards({{0, 0}, {0, 0}, {0, 0}, {0, 0}});
  frames(2, 20);
  row->ResetCardsPos();
  EXPECT_FALSE(row->IsFlying());
  frames(10, 20);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(places(row)[static_cast<std::size_t>(i)], row->CentredPlace(i, 4));
}

TEST_F(PlayedRowTest, OneCardOrNoneLaysOutWithoutNaN) {
  for (int seat : {0, 1, 2, 3}) {
    SCOPED_TRACE(seat);
    auto* row = make<SendCard>(seat, Vec2(640, 300), 0.6f);
    row->ShowSendCards({});
    row->LayoutCards();
    fill(row, Codes("3"));
    row->ShowSendCards({{0, 0}});
    frames(10, 20);
    const Vec2 p = places(row)[0];
    EXPECT_FALSE(std::isnan(p.x) || std::isnan(p.y));
  }
  EXPECT_NEAR(make<SendCard>(1, Vec2(640, 300), 0.6f)->CentredPlace(0, 1).x, 640, 1) << "one card stands in the middle";
}

// ---------------------------------------------------------------- side rows

TEST_F(PlayedRowTest, SideSeatsAlignToTheirSideAndWrapAfterTenCards) {
  const Vec2 anchor(300, 430);
  auto* left = make<SendCard>(0, anchor, 0.6f);
  auto* right = make<SendCard>(2, anchor, 0.6f);
  auto* top = make<SendCard>(3, anchor, 0.6f);
  const auto twelve = Codes("33445566778 9");
  for (SendCard* r : {left, right, top}) fill(r, twelve);
  const float half = g_sizeSingleCard.width * 0.5f * 0.6f;
  const float width = static_cast<float>(9 * g_iSendCardGap) + 0.6f * g_sizeSingleCard.width;
  const auto l = places(left);
  EXPECT_FLOAT_EQ(l[0].x - half, anchor.x) << "left-aligned";
  EXPECT_EQ(l[10].x, l[0].x) << "the second row starts at the same edge";
  EXPECT_FLOAT_EQ(l[10].y, anchor.y - 35);
  EXPECT_FLOAT_EQ(l[9].y, anchor.y);
  const auto r = places(right);
  EXPECT_NEAR(r[9].x + half, anchor.x, 1) << "right-aligned";
  const auto t = places(top);
  EXPECT_NEAR((t[0].x + t[9].x) / 2, anchor.x, 1) << "centred";
  EXPECT_NEAR(t[9].x - t[0].x + 2 * half, width, 0.01);
}

// ---------------------------------------------------------------- arrangement

TEST_F(PlayedRowTest, ArrangeByCardTypePutsTheMainPartFirst) {
  struct Case {
    const char* cards;  // in row order before
    int type;
    int key;
    std::vector<int> values;  // after
  } cases[] = {
      {"9995", 49, 9, {9, 9, 9, 5}},
      {"5999", 49, 9, {9, 9, 9, 5}},
      {"KK5555", 66, 5, {5, 5, 5, 5, 13, 13}},
      {"A KQj T9876543", 28, 14, {14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3}},
      {"2A543", 21, 5, {5, 4, 3, 15, 14}},
      {"A2345", 30, 5, {5, 4, 3, 15, 14}},
      {"44455536", 96, 5, {5, 5, 5, 4, 4, 4, 6, 3}},
      {"4445556667773338", 100, 7, {7, 7, 7, 6, 6, 6, 5, 5, 5, 4, 4, 4, 8, 3, 3, 3}},
      {"QQ33", 32, 12, {12, 12, 3, 3}},  // a pair keeps its order
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cards);
    auto* row = make<SendCard>(0, Vec2(300, 400), 0.6f);
    fill(row, Codes(c.cards));
    row->ArrangeByCardType(c.type, c.key);
    std::vector<int> codes;
    for (const SpriteCardInfo* info : row->GetCards()) codes.push_back(info->iCardIndex);
    EXPECT_EQ(Values(codes), c.values);
    // The row's places follow the new order.
    const auto p = places(row);
    for (std::size_t i = 1; i < p.size() && i < 10; ++i) EXPECT_GT(p[i].x, p[i - 1].x);
  }
}

// ---------------------------------------------------------------- small shown row

TEST_F(PlayedRowTest, SmallShownRowWrapsAtTenAndKeepsTheJokersFullSize) {
  auto* row = make<SmallShowCard>(0, 250.5f, 560.0f, 0.45f);
  EXPECT_FALSE(row->isVisible()) << "hidden until the view opens it";
  fill(row, Codes("33445566778899TTx"));
  const auto p = places(row);
  ASSERT_EQ(p.size(), 17u);
  EXPECT_EQ(p[0], Vec2(250, 560));
  EXPECT_EQ(p[9].x, 250 + 9 * g_iShowCardGapX);
  EXPECT_EQ(p[10], Vec2(250, 560 - g_iShowCardGapY));
  EXPECT_EQ(p[16].y, 560 - g_iShowCardGapY);
  EXPECT_EQ(row->GetCards()[0]->pCardSprite->getScale(), 0.45f);
  EXPECT_EQ(row->GetCards()[16]->pCardSprite->getScale(), 1.0f) << "the joker";
}

// ---------------------------------------------------------------- last-hand rows

TEST_F(PlayedRowTest, LastHandRowsWrapAtNineForOthersAndTwentyOneForTheOwnSeat) {
  struct Case {
    int seat;
    int cards;
    std::vector<int> lines;  // cards per line
  } cases[] = {{0, 12, {9, 3}}, {2, 9, {9}}, {1, 12, {12}}, {1, 22, {21, 1}}, {0, 0, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.seat) + "/" + std::to_string(c.cards));
    auto* row = make<LastCardPC>(c.seat, Vec2(640, 300));
    for (int i = 0; i < c.cards; ++i) row->AddCard(i % 13, false, false, false, -1, false, false);
    const auto p = places(row);
    std::vector<int> lines;
    for (std::size_t i = 0; i < p.size(); ++i) {
      if (i == 0 || p[i].y != p[i - 1].y) {
        lines.push_back(0);
        EXPECT_EQ(p[i].x, p[0].x) << "every line starts at the same edge";
        EXPECT_EQ(p[i].y, 300 - 30 * static_cast<float>(lines.size() - 1));
      }
      ++lines.back();
    }
    EXPECT_EQ(lines, c.lines);
    // The other seats' first line is centred; the own seat centres all its
    // cards as if they stood in one line, so only its single line is.
    if (!p.empty() && (c.lines.size() == 1 || c.seat != 1)) {
      const std::size_t lastOfFirst = static_cast<std::size_t>(c.lines[0] - 1);
      EXPECT_NEAR((p[0].x + p[lastOfFirst].x) / 2, 640, 1) << "the first line is centred";
      EXPECT_EQ(row->GetCards()[0]->pCardSprite->getScale(), 0.5f);
    }
  }
}

}  // namespace
