// The game base's notices on the tournament table: the sit result and its
// request 77, the kick-out box, jackpot and red-packet notices, escape
// notices and the announcement strip.
#include <algorithm>
#include <string>

#include "CompeteTestSupport.h"
#include "gamedata/TextTables.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/GameMsgBox.h"
#include "support/HeadClicks.h"
#include "widgets/LobbyTopBull.h"
#include "widgets/OtherPlayerInfo.h"
#include "widgets/PlayerShow.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/ResultAnis.h"
#include "widgets/TalkLayer.h"

namespace competetest {
namespace {

class NoticesTest : public CompeteTest {
 protected:
  template <class T>
  std::vector<T*> Anis() {
    std::vector<T*> out;
    for (cocos2d::Node* child : view->getChildren())
      if (auto* a = dynamic_cast<T*>(child)) out.push_back(a);
    return out;
  }
  void Notify(void (CompeteGameView::*call)(char*, int), const Frame& frame) {
    std::vector<char> copy(frame.begin(), frame.end());
    (view->*call)(copy.data(), static_cast<int>(copy.size()));
  }
  bool Logged(const std::string& line) const {
    const auto& lines = cocos2d::Log::lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
};

// The other seats' heads are drawn from the head sheet, which the table loads
// itself (it has no bottom bar to bring it).
TEST_F(NoticesTest, TheOtherSeatsHeadsShowTheirPictures) {
  for (int seat : {0, 2}) {
    SCOPED_TRACE(seat);
    ASSERT_NE(view->m_pPlayerShow[seat], nullptr);
    cocos2d::Sprite* head = view->m_pPlayerShow[seat]->GetHeadImage();
    ASSERT_NE(head, nullptr);
    EXPECT_TRUE(head->isVisible());
    EXPECT_EQ(head->getDisplayName().rfind("vevad_head_icon_", 0), 0u) << head->getDisplayName();
  }
}

// A click anywhere on another player's drawn head opens that player's popup
// at once, its corners as well as its centre.
TEST_F(NoticesTest, AClickAnywhereOnAnotherPlayersHeadOpensItsPopup) {
  ddz::test::ExpectEachHeadClickOpensItsPopup(view, {0, 2}, [&](cocos2d::Vec2 at) { tap(at); });
}

TEST_F(NoticesTest, AnAcceptedSitKeepsTheTableAndChairAndSendsRequest77) {
  view->ClearRequests();
  Frame sit = FrameOf(101, 20);
  sit[8] = 1;
  PutLE(sit, 12, 33);
  PutLE(sit, 16, 2);
  Notify(&CompeteGameView::HandleSitRes, sit);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iTableNum, 33);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 2);
  ASSERT_EQ(view->Requests().size(), 1u);
  EXPECT_EQ(view->Requests()[0], (Frame{0, 77, 8, 0, 0, 0, 0, 0}));

  view->ClearRequests();
  sit[8] = 0;
  PutLE(sit, 12, 44);
  Notify(&CompeteGameView::HandleSitRes, sit);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iTableNum, 33);
  EXPECT_TRUE(view->Requests().empty());
  EXPECT_TRUE(Logged("DebugMessageBox: sit down error"));
  sit[8] = 1;
  sit.resize(19);
  Notify(&CompeteGameView::HandleSitRes, sit);
  EXPECT_TRUE(view->Requests().empty()) << "a short sit result";
}

TEST_F(NoticesTest, TheKickOutBoxShowsTheNoticesTextBeforeTheReasons) {
  struct Case {
    int reason;
    const char* text;
    int flag;
    std::string shown;
    bool leaves;
  };
  const Case cases[] = {
      {3, "", 0, GameText(6), true},     {19, "", 0, GameText(11), true},  {31, "", 0, GameText(31), false},
      {1001, "", 0, GameText(17), true}, {77, "", 0, GameText(15), true},  {3, "go away", 1, "go away", true},
      {3, "go away", 0, "go away", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.reason) + " " + c.text);
    KickOutServer notice;
    std::snprintf(notice.szText, sizeof notice.szText, "%s", c.text);
    notice.iFlag = c.flag;
    view->CallBackKickOutServerNotice(c.reason, &notice);
    GameMsgBox* box = GameMsgBox::shareMessageBox();
    EXPECT_EQ(box->GetText(), c.shown);
    EXPECT_EQ(box->GetConfirmAction() != nullptr, c.leaves);
    box->CloseDialog(0);
  }
}

TEST_F(NoticesTest, OnlyTheTournamentJackpotCountsAndAnEmptyOneSaysSo) {
  struct Case {
    int kind;
    int amount;
    int holding;
    bool box;
    bool ani;
  };
  const Case cases[] = {{7, 500, 500, false, true}, {7, 0, 500, true, true}, {4, 900, 500, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.amount));
    view->GetAniManage()->Clear();
    GameMsgBox::shareMessageBox()->CloseDialog(0);
    Frame notice = FrameOf(113, 16);
    notice[9] = static_cast<std::uint8_t>(c.kind);
    PutBE(notice, 12, c.amount);
    Notify(&CompeteGameView::CallBackJackPotNotice, notice);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iPrizeHold88, c.holding);
    EXPECT_EQ(GameMsgBox::shareMessageBox()->IsOpen(), c.box);
    if (c.box) {
      EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), GameText(105));
    }
    EXPECT_EQ(Anis<AniTaskCompete>().size(), c.ani ? 1u : 0u);
  }
  Frame shortNotice = FrameOf(113, 15);
  shortNotice[9] = 7;
  Notify(&CompeteGameView::CallBackJackPotNotice, shortNotice);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iPrizeHold88, 500);
}

TEST_F(NoticesTest, RedPacketsOfKind3PayAnd30And31OnlyShowTheirGuide) {
  struct Case {
    int kind;
    int guide;  // -1: none
    int money;
    int yuanbao;
  };
  PlayerNode* self = view->GetPlayerNode(1);
  self->iMoney = 1000;
  self->iYuanBao = 10;
  const Case cases[] = {{3, 1, 1200, 15}, {30, 7, 1200, 15}, {31, 8, 1200, 15}, {4, -1, 1200, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    view->GetAniManage()->Clear();
    Frame notice = FrameOf(114, 32);
    PutLE(notice, 8, 5);
    PutLE(notice, 12, c.kind);
    PutLE(notice, 28, 200);
    Notify(&CompeteGameView::CallBackHongBaoNotice, notice);
    std::vector<AniPrizeGuide*> guides = Anis<AniPrizeGuide>();
    ASSERT_EQ(guides.size(), c.guide < 0 ? 0u : 1u);
    if (c.guide >= 0) {
      EXPECT_EQ(guides[0]->m_iPrizeType, c.guide);
    }
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, c.money);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, c.yuanbao);
  }
}

TEST_F(NoticesTest, TheMiniGamesEscapeIsIgnoredAndOthersReachTheViewsOwnOperation) {
  for (int code : {98, 0, 5, 98, 99}) view->CallBackEscapeNotice(code);
  EXPECT_EQ(view->escapes, (std::vector<int>{0, 5, 99}));
}

TEST_F(NoticesTest, TheAnnouncementIsCopiedBoundedAndShownOnlyWhenAsked) {
  Frame bull = FrameOf(110, 209);
  std::fill(bull.begin() + 8, bull.begin() + 208, 'a');  // no terminator inside the text field
  bull[208] = 1;
  Notify(&CompeteGameView::CallBackShowBullInfo, bull);
  const std::string shown = !view->GetBulletin()->GetQueue().empty() ? view->GetBulletin()->GetQueue().back()
                                                                     : view->GetBulletin()->GetLabel()->getString();
  EXPECT_EQ(shown, std::string(198, 'a'));
  const std::size_t queued = view->GetBulletin()->GetQueue().size();
  bull[208] = 0;
  Notify(&CompeteGameView::CallBackShowBullInfo, bull);
  bull[208] = 1;
  bull.resize(208);  // one byte short of the kind byte
  Notify(&CompeteGameView::CallBackShowBullInfo, bull);
  EXPECT_EQ(view->GetBulletin()->GetQueue().size(), queued);
}

TEST_F(NoticesTest, QuickChatShowsOtherSeatsOnlyTheFirstPhrase) {
  struct Case {
    int phrase;
    int table;
    bool shown;
  };
  // The refused ones first: a bubble, once up, stays a while.
  for (const Case c : {Case{2, 0, false}, Case{5, 1, false}, Case{0, 3, false}, Case{0, 0, true}, Case{2, 1, true}}) {
    SCOPED_TRACE(std::to_string(c.phrase) + " from " + std::to_string(c.table));
    Frame urge = FrameOf(111, 10);
    urge[8] = static_cast<std::uint8_t>(c.phrase);
    urge[9] = static_cast<std::uint8_t>(c.table);
    Notify(&CompeteGameView::CallBackUrgrCard, urge);
    if (c.table < 3) {
      EXPECT_EQ(view->m_pTalkTip->GetBubble(c.table) != nullptr, c.shown);
    }
  }
}

}  // namespace
}  // namespace competetest
