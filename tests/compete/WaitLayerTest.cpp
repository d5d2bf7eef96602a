// The waiting room: its setters before and after it runs, the countdown, the
// signed-up row, the prize cards and the dragged and paged prize row.
#include <string>

#include "compete/CompeteLayersTestSupport.h"
#include "compete/CompeteWaitLayer.h"
#include "platform/engine/Label.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndCodeConvert.h"

namespace competetest {
namespace {

class WaitLayerTest : public CompeteLayersTest {
 protected:
  void SetUp() override {
    CompeteLayersTest::SetUp();
    // The record as the game server's match start brings it: GBK texts.
    const std::string name = YndCodeConvert::U2g("每日金币赛");
    std::strncpy(Match()->m_Record.szMatchName, name.c_str(), sizeof Match()->m_Record.szMatchName - 1);
    Match()->m_Record.iMatchKind = 2;
    Match()->m_Record.iLastPlayers = 96;
    DdzCompete::getInstance()->m_tLocalAtSync = static_cast<std::int32_t>(Now());
    DdzCompete::getInstance()->m_tServerAtSync = kServerNow;
  }
  // A waiting room opening at `nextOpen`, on the table.
  CompeteWaitLayer* Show(int nextOpen = kServerNow + 60) {
    view->ShowWaitLayer(nextOpen);
    return view->m_pCompeteWaitLayer;
  }
  // A drag inside the prize row by `dx` units, released and settled.
  void Drag(float dx) {
    const float x = 600, y = 720 - 230;  // window coordinates, y down
    window->touchBegan(x, y);
    window->touchMoved(x + dx / 2, y);
    window->touchMoved(x + dx, y);
    window->touchEnded(x + dx, y);
    tick(4, 0.1f);
  }
  static constexpr int kServerNow = 500000;
};

TEST_F(WaitLayerTest, ACountSetBeforeItRunsIsShownWhenItEntersAndForgottenWhenItLeaves) {
  CompeteWaitLayer* layer = CompeteWaitLayer::create();
  layer->setNextOpenTime(kServerNow + 60);
  layer->SetWaitPlayer(37);
  EXPECT_EQ(layer->GetCountDigits(), nullptr);  // nothing is built before it runs
  EXPECT_EQ(layer->GetWaitPlayer(), 37);

  view->addChild(layer, CompeteWaitLayer::kZOnTable);
  ASSERT_NE(layer->GetCountDigits(), nullptr);
  EXPECT_EQ(layer->GetCountDigits()->getString(), "37");
  EXPECT_EQ(layer->GetPlayerCountDigits()->getString(), "/96");
  layer->SetWaitPlayer(41);
  EXPECT_EQ(layer->GetCountDigits()->getString(), "41");

  layer->removeFromParent();
  EXPECT_EQ(layer->GetWaitPlayer(), 0);
}

TEST_F(WaitLayerTest, TheCountdownShowsMinutesAndSecondsToTheOpeningAndNeverBelowZero) {
  struct Case {
    int nextOpen;
    const char* shown;
  } cases[] = {
      {kServerNow + 3725, "62:05"},  // minutes are not cut to two digits
      {kServerNow + 59, "00:59"},
      {kServerNow - 100, "00:00"},  // the opening has passed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    CompeteWaitLayer* layer = Show(c.nextOpen);
    ASSERT_NE(layer->GetCountdown(), nullptr);
    EXPECT_EQ(layer->GetCountdown()->getString(), c.shown);
    view->RemoveWaitLayer();
    tick();
  }
  EXPECT_EQ(CompeteWaitLayer::CountdownText(-5), "00:00");
  EXPECT_EQ(CompeteWaitLayer::CountdownText(INT64_MAX), CompeteWaitLayer::CountdownText(INT32_MAX));
}

TEST_F(WaitLayerTest, TheCountdownTicksEverySecondAndPicksUpANewOpeningTime) {
  CompeteWaitLayer* layer = Show(kServerNow + 120);
  EXPECT_EQ(layer->GetCountdown()->getString(), "02:00");
  tick(1, 1.0f);  // the frame moves the clock
  EXPECT_EQ(layer->GetCountdown()->getString(), "01:59");
  layer->setNextOpenTime(kServerNow + 602);
  tick(1, 1.0f);
  EXPECT_EQ(layer->GetCountdown()->getString(), "10:00");
}

TEST_F(WaitLayerTest, AMatchWithoutTimetableShowsNoCountdownAndTheCountRowTwentyUnitsLower) {
  const float withTimetable = Show()->GetPlayerRowHeight();
  view->RemoveWaitLayer();
  tick();

  Match()->m_Record.iMatchKind = 1;
  CompeteWaitLayer* layer = Show();
  EXPECT_EQ(layer->GetCountdown(), nullptr);
  EXPECT_FLOAT_EQ(layer->GetPlayerRowHeight(), withTimetable - 20);
  EXPECT_FLOAT_EQ(layer->GetCountDigits()->getPositionY(), layer->GetPlayerRowHeight() + 2);
  // The row is centred: the caption's left edge and the total's right edge
  // are as far from the middle.
  const float left = layer->GetCountCaption()->getPositionX() - layer->GetCountCaption()->getContentSize().width / 2;
  const float right =
      layer->GetPlayerCountDigits()->getPositionX() + layer->GetPlayerCountDigits()->getContentSize().width / 2;
  EXPECT_NEAR(640 - left, right - 640, 0.5f);
}

TEST_F(WaitLayerTest, APrizeCardShowsItsRanksPictureAndAmount) {
  struct Case {
    const char* name;
    CompeteAwardItem item;
    const char* badge;     // the rank's sprite, or null for a label
    const char* rankText;  // the rank label's text
    const char* picture;
    bool unit;
    const char* amountText;  // a label instead of digits
  } cases[] = {
      {"first = last = 2", Award(2, 2, 4, 100), "ddzbs_ddjm_jl_ph02.png", "", "ddzcompete_prize_jinbi.png", false, ""},
      {"5 and 5", Award(5, 5, 4, 100), nullptr, "第5名", "ddzcompete_prize_jinbi.png", false, ""},
      {"4 and 10", Award(4, 10, 4, 100), nullptr, "第4-10名", "ddzcompete_prize_jinbi.png", false, ""},
      {"prize 2001 with an amount", Award(1, 1, 2001, 50, "ddzcompete_prize_yuanbao.png"), "ddzbs_ddjm_jl_ph01.png",
       "", "ddzcompete_prize_yuanbao.png", true, ""},
      {"no amount", Award(3, 3, 9, 0, "ddzcompete_prize_jinbi.png", "冠军奖杯"), "ddzbs_ddjm_jl_ph03.png", "",
       "ddzcompete_prize_jinbi.png", false, "冠军奖杯"},
      {"an empty picture name", Award(6, 6, 9, 1, ""), nullptr, "第6名", CompeteWaitLayer::kPlaceholderFrame, false,
       ""},
      {"a picture no sheet has", Award(6, 6, 9, 1, "no_such_prize.png"), nullptr, "第6名",
       CompeteWaitLayer::kPlaceholderFrame, false, ""},
      {"equal ranks below 1", Award(0, 0, 4, 1), CompeteWaitLayer::kPlaceholderFrame, "",
       "ddzcompete_prize_jinbi.png", false, ""},
  };
  Show();  // the sheet is loaded
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cocos2d::Sprite* card = CompeteWaitLayer::CreateAwardCard(c.item);
    ASSERT_NE(card, nullptr);
    const cocos2d::Size size = card->getContentSize();
    const cocos2d::Node *rank = nullptr, *picture = nullptr, *unit = nullptr;
    const cocos2d::ui::TextAtlas* digits = nullptr;
    const cocos2d::Label* amount = nullptr;
    for (const cocos2d::Node* child : card->getChildren()) {
      const cocos2d::Vec2 at = child->getPosition();
      if (at.y == size.height - 30) rank = child;
      if (at == cocos2d::Vec2(size.width / 2, size.height / 2)) picture = child;
      if (at.y == 50) {
        if (auto* d = dynamic_cast<const cocos2d::ui::TextAtlas*>(child)) digits = d;
        else if (auto* l = dynamic_cast<const cocos2d::Label*>(child)) amount = l;
        else unit = child;
      }
    }
    ASSERT_NE(rank, nullptr);
    if (c.badge != nullptr) {
      EXPECT_TRUE(ShowsFrame(rank, c.badge));
    } else {
      auto* label = dynamic_cast<const cocos2d::Label*>(rank);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->getString(), c.rankText);
      EXPECT_LE(label->getContentSize().width * label->getScaleX(), 0.9f * size.width + 0.01f);
    }
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(ShowsFrame(picture, c.picture));
    EXPECT_FLOAT_EQ(picture->getScaleX(), 0.46f);
    if (*c.amountText != '\0') {
      ASSERT_NE(amount, nullptr);
      EXPECT_EQ(amount->getString(), c.amountText);
      EXPECT_EQ(digits, nullptr);
    } else {
      ASSERT_NE(digits, nullptr);
      EXPECT_EQ(digits->getString(), std::to_string(c.item.iPropNum));
    }
    EXPECT_EQ(unit != nullptr, c.unit);
    if (c.unit) {
      EXPECT_FLOAT_EQ(digits->getPositionX(), size.width / 2 - 14);
      EXPECT_FLOAT_EQ(unit->getPositionX(), size.width / 2 + digits->getContentSize().width / 2);
    }
  }
}

TEST_F(WaitLayerTest, APrizeTextIsReadNoFurtherThanItsField) {
  CompeteAwardItem item = Award(4, 4, 9, 0);
  std::memset(item.szAwardText, 'A', sizeof item.szAwardText);  // no terminator
  std::memset(item.szUnit, 'B', sizeof item.szUnit);
  Match()->m_vcAwards = {item};
  std::memset(Match()->m_Record.szMatchName, 'C', sizeof Match()->m_Record.szMatchName);
  EXPECT_TRUE(HasLabel(Show(), std::string(sizeof Match()->m_Record.szMatchName, 'C')));
  cocos2d::Sprite* card = CompeteWaitLayer::CreateAwardCard(item);
  bool found = false;
  for (const cocos2d::Node* child : card->getChildren())
    if (auto* label = dynamic_cast<const cocos2d::Label*>(child); label != nullptr && child->getPositionY() == 50) {
      EXPECT_EQ(label->getString(), std::string(sizeof item.szAwardText, 'A'));
      found = true;
    }
  EXPECT_TRUE(found);
}

// The prize row on exactly 6 and 7 award lines, then dragged and paged on 8.
TEST_F(WaitLayerTest, SixPrizesStandCentredAndStillSevenScrollByTheRightArrow) {
  SetAwards(6);
  CompeteWaitLayer* six = Show();
  EXPECT_FALSE(six->isTouchEnabled());
  EXPECT_FALSE(six->GetRightArrow()->isVisible());
  EXPECT_FALSE(six->GetLeftArrow()->isVisible());
  const auto& cards = six->GetListContainer()->getChildren();
  ASSERT_EQ(cards.size(), 6u);
  EXPECT_FLOAT_EQ((cards.front()->getPositionX() + cards.back()->getPositionX()) / 2, 640);
  view->RemoveWaitLayer();
  tick();

  SetAwards(7);
  CompeteWaitLayer* seven = Show();
  EXPECT_TRUE(seven->isTouchEnabled());
  EXPECT_TRUE(seven->GetRightArrow()->isVisible());
  EXPECT_FALSE(seven->GetLeftArrow()->isVisible());
  EXPECT_FLOAT_EQ(seven->GetTouchRect().size.width, 6 * 174);
  tap(cocos2d::Vec2(640 + 572, 121 + 130));  // the right arrow on the lower panel
  EXPECT_FALSE(seven->isTouchEnabled());  // while the row moves
  tick(6, 0.1f);
  EXPECT_FLOAT_EQ(seven->GetListContainer()->getPositionX(), -174);  // clamped to the last card
  EXPECT_TRUE(seven->isTouchEnabled());
  EXPECT_FALSE(seven->GetRightArrow()->isVisible());
  EXPECT_TRUE(seven->GetLeftArrow()->isVisible());
  seven->OnClickPrevPage(nullptr);
  tick(6, 0.1f);
  EXPECT_FLOAT_EQ(seven->GetListContainer()->getPositionX(), 0);
  EXPECT_TRUE(seven->GetRightArrow()->isVisible());
  EXPECT_FALSE(seven->GetLeftArrow()->isVisible());
}

TEST_F(WaitLayerTest, AReleasedDragSnapsToTheNearerCardWithinTheFirstAndTheLast) {
  SetAwards(8);  // two cards beyond the six: the row rests at 0, -174 or -348
  struct Case {
    float start, dx, rest;
  } cases[] = {
      {0, -87, 0},       // half a card goes back
      {0, -88, -174},    // more goes on
      {-174, -87, -174},
      {-174, -88, -348},
      {0, 50, 0},        // past the first card
      {0, -400, -348},   // past the last
  };
  CompeteWaitLayer* layer = Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start + c.dx);
    layer->GetListContainer()->setPositionX(c.start);
    Drag(c.dx);
    EXPECT_FLOAT_EQ(layer->GetListContainer()->getPositionX(), c.rest);
    EXPECT_TRUE(layer->isTouchEnabled());
  }
}

// A drag that begins beside the prize row (left of it, or under it) takes
// hold where the finger comes in: the row follows the finger from there.
TEST_F(WaitLayerTest, ADragBegunBesideTheRowMovesItNoFurtherThanTheFinger) {
  SetAwards(8);
  struct Case {
    const char* what;
    cocos2d::Vec2 begin;           // GL points; the row's rectangle is (128, 140) to (1172, 362)
    std::vector<cocos2d::Vec2> moves;
    float held;  // the row while the finger is still down
    float rest;  // after the release
  };
  const Case cases[] = {
      {"left of the row, then 10 back", {120, 230}, {{140, 230}, {130, 230}}, -358, -348},
      {"under the row, then 100 to the left", {600, 130}, {{600, 150}, {500, 150}}, -448, -348},
      {"under the row, then 100 to the right", {600, 130}, {{600, 150}, {700, 150}}, -248, -174},
      {"never inside", {600, 130}, {{500, 120}}, -348, -348},
  };
  CompeteWaitLayer* layer = Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    layer->GetListContainer()->setPositionX(-348);
    window->touchBegan(c.begin.x, 720 - c.begin.y);
    for (const cocos2d::Vec2& m : c.moves) window->touchMoved(m.x, 720 - m.y);
    EXPECT_FLOAT_EQ(layer->GetListContainer()->getPositionX(), c.held);
    window->touchEnded(c.moves.back().x, 720 - c.moves.back().y);
    tick(4, 0.1f);
    EXPECT_FLOAT_EQ(layer->GetListContainer()->getPositionX(), c.rest);
  }
}

TEST_F(WaitLayerTest, APageMovesSixCardsAndStopsAtTheFirstAndTheLast) {
  struct Case {
    float x;
    int cards;
    bool forward;
    float target;
  } cases[] = {
      {0, 20, true, -1044},  {-1044, 20, true, -2088}, {-2088, 20, true, -2436},  // the last: -(20 - 6) x 174
      {-2436, 20, false, -1392}, {-174, 20, false, 0},  {0, 8, true, -348},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_FLOAT_EQ(CompeteWaitLayer::PageTarget(c.x, c.cards, c.forward), c.target);
  }
}

TEST_F(WaitLayerTest, TheTableShowsOneWaitingRoomAndTheTopBarWaitsBehindIt) {
  GameSceneBase::m_pGameView = view;
  view->ShowWaitLayer(kServerNow);
  view->ShowWaitLayer(kServerNow + 5);
  tick();
  EXPECT_EQ(CountOf<CompeteWaitLayer>(view), 1);
  EXPECT_EQ(view->m_pCompeteWaitLayer->GetNextOpenTime(), kServerNow + 5);
  EXPECT_EQ(view->m_pCompeteWaitLayer->getLocalZOrder(), 1004);
  ASSERT_NE(view->m_pTopUI, nullptr);
  cocos2d::ui::Button* talk = view->m_pTopUI->GetTopBtn(TopUIBase::kTalkBtn);
  ASSERT_NE(talk, nullptr);
  EXPECT_FALSE(talk->isEnabled());

  view->RemoveWaitLayer();
  tick();
  EXPECT_EQ(CountOf<CompeteWaitLayer>(view), 0);
  EXPECT_EQ(view->m_pCompeteWaitLayer, nullptr);
  EXPECT_TRUE(talk->isEnabled());
  GameSceneBase::m_pGameView = nullptr;
}

}  // namespace
}  // namespace competetest
