// The fee drop-down of the sign-up dialog and the fee display it shares with
// the dialog: the rows, the stripes, the pick and the ways it closes.
#include <gtest/gtest.h>

#include "SignUpTestSupport.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"

namespace {

using cocos2d::Vec2;
using ddz::test::LabelTexts;
using ddz::test::PutText;
using ddz::test::SignUpFixture;
using ddz::test::UsableMatch;
using Options = std::vector<std::pair<std::int32_t, std::int32_t>>;

class FeeDropDown : public SignUpFixture {
 protected:
  // The dialog of a match with `fees`, its drop-down opened.
  DropDownList* OpenList(const char* fees, int freeDaily = 0) {
    CompeteMatchRecord record = UsableMatch(5);
    PutText(record.szFees, fees);
    ListOf({record});
    room = &list->GetCompeteRooms()[0];
    room->m_bFreeDaily = freeDaily;
    dialog = TouchRow(0);
    dialog->OnClickDropDown(nullptr);
    return Shown();
  }
  // The drop-down in the dialog's window, null when there is none.
  DropDownList* Shown() const {
    for (cocos2d::Node* child : dialog->GetWindow()->getChildren())
      if (auto* l = dynamic_cast<DropDownList*>(child)) return l;
    return nullptr;
  }
  // The middle of row `i` in the design space.
  Vec2 RowCentre(DropDownList* dd, std::size_t i) const {
    const cocos2d::Rect box = dd->GetRowAreas()[i]->getBoundingBox();
    return dd->convertToWorldSpace(Vec2(box.getMidX(), box.getMidY()));
  }
  std::vector<std::string> FeeEntryTexts() const { return LabelTexts(dialog->GetFeeEntry()); }
  std::vector<std::string> CardFeeTexts() const { return LabelTexts(list->GetRoomItems()[0]->GetFeeNode()); }

  CompeteRoomInfo* room = nullptr;
  SignUpLayer* dialog = nullptr;
};

TEST_F(FeeDropDown, TheRowsAreTheFreeDailyEntryFirstThenTheFeeOptions) {
  struct Case {
    const char* fees;
    int freeDaily;
    Options options;
  };
  const Case cases[] = {
      {"2-100;1-5000", 1, {{-1, 0}, {2, 100}, {1, 5000}}},
      {"2-100;1-5000", 0, {{2, 100}, {1, 5000}}},
      {"", 1, {{-1, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fees + std::to_string(c.freeDaily));
    DropDownList* dd = OpenList(c.fees, c.freeDaily);
    ASSERT_NE(dd, nullptr);
    EXPECT_EQ(dd->GetOptions(), c.options);
    EXPECT_EQ(dd->getPosition(), Vec2(807, 252));
    EXPECT_EQ(dd->getLocalZOrder(), SignUpLayer::kZDropDown);
    EXPECT_EQ(dd->GetRowAreas().size(), c.options.size());
    EXPECT_EQ(dd->GetSelectedRow(), -1);
    Leave();
  }
}

TEST_F(FeeDropDown, StripesOnOddRowsButEveryRowAnswers) {
  for (std::size_t row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    DropDownList* dd = OpenList("2-100;1-5000", 1);
    ASSERT_EQ(dd->GetRowAreas().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(dd->GetRowAreas()[i]->isVisible(), i % 2 == 1) << i;
      EXPECT_EQ(dd->GetRowAreas()[i]->getPosition(), Vec2(0, -10 - 60.0f * static_cast<float>(i)));
    }
    Tap(RowCentre(dd, row));
    EXPECT_EQ(dd->GetSelectedRow(), static_cast<int>(row));
    EXPECT_EQ(std::make_pair(room->m_iFeeType, room->m_iFeeNum), dd->GetOptions()[row]);
    Leave();
  }
}

TEST_F(FeeDropDown, APickWritesTheFeeTellsTheDialogOnceAndTheListLeavesAfterTheFrame) {
  GameViewBase::m_GlobalInfo.iYuanBao = 100;  // the match chooses (2, 100)
  DropDownList* dd = OpenList("2-100;1-5000", 1);
  ASSERT_EQ(room->m_iFeeType, 2);
  const int chosen = room->m_bFeeChosen;
  cocos2d::Node* oldEntry = dialog->GetFeeEntry();
  const Vec2 entryAt = oldEntry->getPosition();
  cocos2d::Node* entryParent = oldEntry->getParent();

  // Two fingers end on rows before the list has gone: one pick only.
  window->touchBegan(RowCentre(dd, 2).x, 720 - RowCentre(dd, 2).y, 0);
  window->touchBegan(RowCentre(dd, 0).x, 720 - RowCentre(dd, 0).y, 1);
  window->touchEnded(RowCentre(dd, 2).x, 720 - RowCentre(dd, 2).y, 0);
  cocos2d::Node* pickedEntry = dialog->GetFeeEntry();
  window->touchEnded(RowCentre(dd, 0).x, 720 - RowCentre(dd, 0).y, 1);

  EXPECT_EQ(room->m_iFeeType, 1);
  EXPECT_EQ(room->m_iFeeNum, 5000);
  EXPECT_EQ(room->m_bFeeChosen, chosen) << "the flags stay";
  EXPECT_EQ(room->m_bFreeDaily, 1);
  EXPECT_NE(pickedEntry, oldEntry);
  EXPECT_EQ(dialog->GetFeeEntry(), pickedEntry) << "told once";
  EXPECT_EQ(pickedEntry->getPosition(), entryAt);
  EXPECT_EQ(pickedEntry->getParent(), entryParent);
  EXPECT_EQ(FeeEntryTexts(), std::vector<std::string>{"5000"});
  EXPECT_EQ(CardFeeTexts(), std::vector<std::string>{"x5000"}) << "the card shows the pick";
  EXPECT_EQ(dd->getParent(), dialog->GetWindow()) << "not removed inside its own handler";
  Frames(1);
  EXPECT_EQ(Shown(), nullptr);
}

TEST_F(FeeDropDown, TouchesOutsideTheRowsCloseWithoutAPick) {
  struct Case {
    const char* what;
    bool pressOnRow;
  };
  for (const Case& c : {Case{"pressed on a row, released outside", true}, Case{"pressed outside", false}}) {
    SCOPED_TRACE(c.what);
    DropDownList* dd = OpenList("2-100;1-5000");
    const Options before = {{room->m_iFeeType, room->m_iFeeNum}};
    const Vec2 outside = dd->convertToWorldSpace(Vec2(0, 80));  // above the list, on the fee row
    Press(c.pressOnRow ? RowCentre(dd, 1) : outside);
    EXPECT_EQ(dd->IsClosing(), !c.pressOnRow) << "pressing outside closes at once";
    Release(outside);
    EXPECT_TRUE(dd->IsClosing());
    EXPECT_EQ((Options{{room->m_iFeeType, room->m_iFeeNum}}), before);
    Frames(1);
    EXPECT_EQ(Shown(), nullptr);
    EXPECT_EQ(dialog->getParent(), list) << "the dialog stays";
    Leave();
  }
}

TEST_F(FeeDropDown, TheArrowOpensOneListAndASecondPressFoldsItAway) {
  DropDownList* dd = OpenList("2-100;1-5000");
  const Vec2 arrow = WorldOf(dialog->GetDropDownButton());
  ASSERT_NE(dd, nullptr);
  Tap(arrow);
  Frames(1);
  EXPECT_EQ(Shown(), nullptr);
  Tap(arrow);
  Frames(1);
  ASSERT_NE(Shown(), nullptr);
  int lists = 0;
  for (cocos2d::Node* child : dialog->GetWindow()->getChildren()) lists += dynamic_cast<DropDownList*>(child) ? 1 : 0;
  EXPECT_EQ(lists, 1);
}

TEST_F(FeeDropDown, AListWhoseDialogHasClosedReportsNothing) {
  DropDownList* dd = OpenList("2-100;1-5000");
  dd->retain();
  const Vec2 row = RowCentre(dd, 1);
  const Options before = {{room->m_iFeeType, room->m_iFeeNum}};
  dialog->OnClickClose(nullptr);
  Frames(1);
  ASSERT_EQ(dialog->getParent(), nullptr);
  cocos2d::Touch touch;
  touch.setTouchInfo(0, row.x, row.y);
  dd->onTouchesEnded({&touch}, nullptr);
  EXPECT_EQ((Options{{room->m_iFeeType, room->m_iFeeNum}}), before);
  dd->release();
}

// A user record (20035) that comes in from the loopback web server while the
// dialog is up chooses the fees again: the dialog shows the new fee, and a
// fee the user has picked stays.
TEST_F(FeeDropDown, AUserRecordWhileTheDialogIsUpShowsTheNewFeeAndLeavesAPickAlone) {
  GameViewBase::m_GlobalInfo.iMoney = 6000;
  DropDownList* dd = OpenList("3-10;1-5000");
  dd->Close();
  Frames(1);
  ASSERT_EQ(FeeEntryTexts(), std::vector<std::string>{"5000"}) << "no prize holdings yet: coins";
  // The record answers the request of the list's entry, then one sent now.
  auto answerRecord = [&](int prizeHolding) {
    CompeteUserRecord record{};
    record.iPrizeHold88 = prizeHolding;
    record.tServerTime = ddz::CompeteTimeNow();
    record.tRecordDate = record.tServerTime;
    server.SetDefaultAnswer(
        ddz::test::WebAnswer::Ok(ddz::test::WebReply('S', std::string(reinterpret_cast<const char*>(&record), sizeof record))));
    CompeteRoomInfo::RequestCompeteRoomInfo(false, list, true);
    ASSERT_TRUE(StepUntil([&] { return GameViewBase::m_GlobalInfo.iPrizeHold88 == prizeHolding && Outstanding() == 0; }));
  };

  answerRecord(10);
  EXPECT_EQ(room->m_iFeeType, 3);
  EXPECT_EQ(FeeEntryTexts(), std::vector<std::string>{"10"}) << "the dialog shows the fee its button pays";
  EXPECT_EQ(CardFeeTexts(), std::vector<std::string>{"x10"});

  dd = Shown();
  ASSERT_EQ(dd, nullptr);
  dialog->OnClickDropDown(nullptr);
  dd = Shown();
  ASSERT_NE(dd, nullptr);
  Tap(RowCentre(dd, 1));  // coins, though the prizes would pay
  Frames(1);
  ASSERT_EQ(room->m_iFeeType, 1);
  answerRecord(12);
  EXPECT_EQ(room->m_iFeeType, 1) << "the pick stands";
  EXPECT_EQ(room->m_iFeeNum, 5000);
  EXPECT_EQ(FeeEntryTexts(), std::vector<std::string>{"5000"});
  EXPECT_EQ(CardFeeTexts(), std::vector<std::string>{"x5000"});
  EXPECT_EQ(dialog->getParent(), list);
}

// ---------------------------------------------------------------- the fee display

class FeeItemNode : public ddz::test::CompeteFixture {
 protected:
  void SetUp() override {
    CompeteFixture::SetUp();
    ddz::EnsureGameTextLoaded();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("ddzbs_roomlist_res.plist");
  }
  void TearDown() override {
    cocos2d::AutoreleasePool::current().clear();
    CompeteFixture::TearDown();
  }
};

TEST_F(FeeItemNode, TheFreeKindsShowTheFreeWord) {
  for (int kind : {-1, 0}) {
    cocos2d::Node* node = CreateFeeItemNode(kind, 300);
    ASSERT_EQ(node->getChildrenCount(), 1u) << kind;
    auto* label = dynamic_cast<cocos2d::Label*>(node->getChildren().at(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->getString(), GameText(435));
    EXPECT_EQ(label->getPosition(), Vec2(0, 0));
  }
}

TEST_F(FeeItemNode, AWiderAmountMovesTheAmountAndThePictureOutwardsTogether) {
  float lastHalf = 0;
  for (int amount : {5, 500, 500000}) {
    SCOPED_TRACE(amount);
    cocos2d::Node* node = CreateFeeItemNode(2, amount);
    ASSERT_EQ(node->getChildrenCount(), 2u);
    auto* label = dynamic_cast<cocos2d::Label*>(node->getChildren().at(0));
    auto* icon = dynamic_cast<cocos2d::Sprite*>(node->getChildren().at(1));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(label->getString(), std::to_string(amount));
    EXPECT_EQ(icon->getSpriteFrame()->getName(), "ddzbs_prop_icon_2.png");
    EXPECT_EQ(icon->getScale(), 0.8f);
    const float half = icon->getPositionX();
    EXPECT_EQ(label->getPosition(), Vec2(-half, 0)) << "the pair is centred";
    EXPECT_FLOAT_EQ(half - (label->getPositionX() + label->getContentSize().width / 2), 26)
        << "the picture's centre stands 26 right of the amount";
    EXPECT_GT(half, lastHalf) << "a wider amount moves both outwards";
    lastHalf = half;
  }
}

}  // namespace
