#include <gtest/gtest.h>

#include <cstring>

#include "platform/framework/YndCodeConvert.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/gamebase/GameRecords.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/framework/MagicExpressLayer.h"
#include "platform/gamebase/PackInfoBase.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/PlayerTitles.h"
#include "widgets/WidgetTestSupport.h"

namespace {

using cocos2d::Vec2;

class PlayerInfoPopupTest : public widgettest::WidgetTest {
 protected:
  OtherPlayerInfo* makePopup(int seat) {
    auto* popup = new OtherPlayerInfo(seat, view);
    popup->autorelease();
    view->addChild(popup, 103);
    return popup;
  }
  PlayerNode player(const char* name, int money, int level) {
    PlayerNode p;
    std::strncpy(p.szUserName, name, sizeof(p.szUserName) - 1);
    p.iMoney = money;
    p.iLevel = level;
    return p;
  }
};

TEST_F(PlayerInfoPopupTest, ExpressionNamesAndTitleRanges) {
  EXPECT_EQ(GetExpressionName(0), "1_ddz_kun");
  EXPECT_EQ(GetExpressionName(7), "8_ddz_dese");
  EXPECT_EQ(GetExpressionName(8), "");
  EXPECT_EQ(GetExpressionName(-1), "");

  const struct {
    int score;
    int entry;
  } scores[] = {{-100, 70}, {-99, 71}, {-1, 71}, {0, 72}, {99, 72}, {100, 73}, {499, 76}, {500, 77}, {90000, 77}};
  for (const auto& s : scores) {
    SCOPED_TRACE(s.score);
    EXPECT_EQ(GetScoreTitle(s.score), GameText(s.entry));
  }
  const struct {
    int money;
    int entry;
  } monies[] = {{-5, 79}, {999, 79}, {1000, 80}, {5999, 80}, {6000, 81}, {99999, 83},
                {100000, 84}, {999999, 86}, {1999999, 87}, {2000000, 88}};
  for (const auto& m : monies) {
    SCOPED_TRACE(m.money);
    EXPECT_EQ(GetMoneyTitle(m.money), GameText(m.entry));
  }
}

TEST_F(PlayerInfoPopupTest, SinglePlayerOwnPopupShowsTheOwnScoreTitleAndCount) {
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  GameViewBase::m_GlobalInfo.iSingleGameAmount = 150;
  OtherPlayerInfo* own = makePopup(1);
  EXPECT_FALSE(own->isVisible());
  ASSERT_NE(own->GetBackground(), nullptr);
  EXPECT_EQ(own->IsMagic(), 0);
  EXPECT_EQ(own->GetBackground()->getContentSize(), cocos2d::Size(264, 144));

  PlayerNode self = player("me", 0, 250);
  own->IniPlayerInfo(&self);
  EXPECT_EQ(own->GetLine(0)->getString(), GameText(OtherPlayerInfo::kTextOwnSingleName));
  EXPECT_EQ(own->GetLine(1)->getString(), GameText(73));
  EXPECT_EQ(own->GetLine(2)->getString(), "150");
  EXPECT_EQ(own->GetLevelBadge(), nullptr);  // no badge in the single-player game
}

// The local server keeps no score for a computer player: its popup shows its
// own name and leaves the title and count empty, whatever the player's own
// figures are.
TEST_F(PlayerInfoPopupTest, AComputerSeatShowsItsOwnNameAndNeverThePlayersTitleOrScore) {
  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  GameViewBase::m_GlobalInfo.iSingleGameAmount = -3;
  struct Case {
    int seat;
    const char* user;  // the records hold GBK, as the server writes them
    const char* nick;
    const char* shown;
  } cases[] = {
      {0, "机器人", "", "机器人"},
      {2, "机器人", "小明", "小明"},  // the name the table gave the seat
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seat);
    OtherPlayerInfo* popup = makePopup(c.seat);
    PlayerNode robot = player(YndCodeConvert::U2g(c.user).c_str(), 0, 0);
    std::strncpy(robot.szNickName, YndCodeConvert::U2g(c.nick).c_str(), sizeof(robot.szNickName) - 1);
    popup->IniPlayerInfo(&robot);
    EXPECT_EQ(popup->GetLine(0)->getString(), c.shown);
    EXPECT_EQ(popup->GetLine(1)->getString(), "");
    EXPECT_EQ(popup->GetLine(2)->getString(), "");
    EXPECT_EQ(popup->GetLevelBadge(), nullptr);
  }
}

TEST_F(PlayerInfoPopupTest, NetworkedPopupShowsNameMoneyTitleAndLevelBadge) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  OtherPlayerInfo* popup = makePopup(2);
  EXPECT_EQ(popup->IsMagic(), 1);
  const struct {
    int level;
    const char* badge;  // null: none
    const char* digits; // null: none
  } levels[] = {{250, "Lv_2.png", "50"}, {550, "Lv_5.png", nullptr}, {99, nullptr, nullptr},
                {600, nullptr, nullptr}, {100, "Lv_1.png", "0"}};
  for (const auto& l : levels) {
    SCOPED_TRACE(l.level);
    PlayerNode p = player("Wang", 6000, l.level);
    popup->IniPlayerInfo(&p);
    EXPECT_EQ(popup->GetLine(1)->getString(), "Wang");
    EXPECT_EQ(popup->GetLine(2)->getString(), GameText(81));
    cocos2d::Sprite* badge = popup->GetLevelBadge();
    if (l.badge == nullptr) {
      EXPECT_EQ(badge, nullptr);
      continue;
    }
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->getDisplayName(), l.badge);
    auto* digits = badge->getChildrenCount() > 0 ? dynamic_cast<cocos2d::ui::TextAtlas*>(badge->getChildren().at(0))
                                                 : nullptr;
    if (l.digits == nullptr) {
      EXPECT_EQ(digits, nullptr);
    } else {
      ASSERT_NE(digits, nullptr);
      EXPECT_EQ(digits->getString(), l.digits);
    }
  }
  int badges = 0;  // a refill replaces the badge
  for (cocos2d::Node* child : popup->GetBackground()->getChildren()) badges += child == popup->GetLevelBadge();
  EXPECT_EQ(popup->GetBackground()->getChildrenCount(), 5u);  // three lines, the badge, the expression panel
  EXPECT_EQ(badges, 1);
}

TEST_F(PlayerInfoPopupTest, TheExpressionPanelIsFedFromTheViewAndAPickReachesIt) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  GameViewBase::m_GlobalInfo.iUserID = 501;
  GameViewBase::m_GlobalInfo.iMoney = 123456;
  auto& props = view->m_pPackInfo->GetUserProps();
  props.clear();
  for (int id : {3001, 3004, 3008, 3009, 2001}) {
    UserPropRecord r{};
    r.iPropID = id;
    r.iCount = id - 3000;
    props.push_back(r);
  }
  OtherPlayerInfo* popup = makePopup(2);
  MagicExpressLayer* panel = popup->GetMagicLayer();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->getParent(), popup->GetBackground());
  EXPECT_EQ(panel->GetPropTopLeftPos(), Vec2(18, g_ptOtherPlayerInfoLable[2].y + 167));

  PlayerNode p = player("Wang", 6000, 0);
  p.iUserID = 777;
  popup->IniPlayerInfo(&p);
  popup->ShowInfo(true);
  const std::vector<MagicExpressLayer::Call> expected = {
      {"SetPropTopLeftPos", {18, static_cast<long long>(g_ptOtherPlayerInfoLable[2].y + 167)}},
      {"AddExpressCallBack", {1}},
      {"SetUserInfo", {501, 777}},
      {"UpdatePropNum", {1, 0, 0, 4, 0, 0, 0, 8}},  // 3001-3008 only
      {"UpdateUserMoney", {123456}},
  };
  EXPECT_EQ(panel->Calls(), expected);

  ASSERT_TRUE(panel->PickExpression(3));
  EXPECT_FALSE(panel->PickExpression(8));
  ASSERT_EQ(view->magicExpresses.size(), 1u);
  EXPECT_EQ(view->magicExpresses[0], (std::array<int, 3>{3004, 501, 777}));

  view->m_pPackInfo.reset();  // no backpack: zeros
  popup->ShowInfo(false);
  popup->ShowInfo(true);
  EXPECT_EQ(panel->GetPropNums(), (std::array<int, 8>{}));

  GameViewBase::m_GlobalInfo.iPlayMode = 1;
  EXPECT_EQ(makePopup(0)->GetMagicLayer(), nullptr);  // none in the single-player game
}

TEST_F(PlayerInfoPopupTest, NamesAreHiddenOrReplacedWhereTheTableSaysSo) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  OtherPlayerInfo* popup = makePopup(0);
  PlayerNode unnamed = player("N", 10, 0);
  popup->IniPlayerInfo(&unnamed);
  EXPECT_EQ(popup->GetLine(1)->getString(), GameText(OtherPlayerInfo::kTextUnnamed));

  for (int kind : {7, 8}) {
    SCOPED_TRACE(kind);
    GameViewBase::m_GlobalInfo.iGameKind = kind;
    PlayerNode p = player("Wang", 10, 0);
    popup->IniPlayerInfo(&p);
    EXPECT_EQ(popup->GetLine(1)->getString(), GameText(OtherPlayerInfo::kTextHiddenName));
  }
  std::strcpy(GameViewBase::m_GlobalInfo.szUserName, "me");
  OtherPlayerInfo* own = makePopup(1);
  PlayerNode self = player("someone", 10, 0);
  own->IniPlayerInfo(&self);
  EXPECT_EQ(own->GetLine(1)->getString(), "me");
}

TEST_F(PlayerInfoPopupTest, LongNamesAreShortenedToTheLineWidth) {
  GameViewBase::m_GlobalInfo.iPlayMode = 0;
  OtherPlayerInfo* popup = makePopup(0);
  PlayerNode p = player("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 10, 0);
  popup->IniPlayerInfo(&p);
  EXPECT_LE(popup->GetLine(1)->getContentSize().width, OtherPlayerInfo::kNameMaxWidth);
  EXPECT_LT(popup->GetLine(1)->getString().size(), std::strlen(p.szUserName));
}

TEST_F(PlayerInfoPopupTest, OpensTogglesAndClosesAfterFiveSeconds) {
  OtherPlayerInfo* popup = makePopup(0);
  popup->ShowInfo(true);
  EXPECT_TRUE(popup->isVisible());
  popup->ShowInfo(true);  // a second touch closes it
  EXPECT_FALSE(popup->isVisible());

  popup->ShowInfo(true);
  run(4.9f);
  EXPECT_TRUE(popup->isVisible());
  run(0.15f);
  EXPECT_FALSE(popup->isVisible());

  popup->ShowInfo(true);
  run(3.0f);
  popup->ShowInfo(false);
  popup->ShowInfo(true);  // reopened: five seconds from now
  run(4.0f);
  EXPECT_TRUE(popup->isVisible());
}

TEST_F(PlayerInfoPopupTest, APopupOrHeadAddedAgainIsNotAddedTwice) {
  OtherPlayerInfo* popup = makePopup(0);
  const std::size_t children = view->getChildrenCount();
  EXPECT_FALSE(view->AddTableWidget(popup, 103));
  EXPECT_EQ(view->getChildrenCount(), children);
}

TEST_F(PlayerInfoPopupTest, HeadCentreFollowsTheHeadsAnchor) {
  PlayerShow* head = PlayerShow::create(0);
  view->addChild(head);
  head->IniImage(3, Vec2(100, 200), 1.0f, Vec2::ZERO);
  cocos2d::Sprite* image = head->GetHeadImage();
  image->setContentSize(cocos2d::Size(80, 60));
  const struct {
    Vec2 anchor;
    Vec2 centre;
  } cases[] = {
      {Vec2(0.5f, 0.5f), Vec2(100, 300)},
      {Vec2(0, 0), Vec2(140, 330)},
      {Vec2(1, 1), Vec2(60, 200)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.anchor.x);
    image->setAnchorPoint(c.anchor);
    EXPECT_EQ(head->GetHeadCenter(), c.centre);
  }
}

}  // namespace
