#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GamebaseTestSupport.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"

namespace {

// An owner whose actions a box runs.
class Owner : public cocos2d::Layer {
 public:
  static Owner* create() {
    auto* o = new Owner();
    o->init();
    o->autorelease();
    return o;
  }
  void OnOk(cocos2d::Ref* sender) {
    calls.push_back("ok");
    senders.push_back(sender);
  }
  void OnCancel(cocos2d::Ref*) { calls.push_back("cancel"); }
  // An action that shows the next box at once.
  void OnOkAskAgain(cocos2d::Ref*) {
    calls.push_back("again");
    GameMsgBox::shareMessageBox()->ShowMessage("second", 1, this);
  }
  std::vector<std::string> calls;
  std::vector<cocos2d::Ref*> senders;
};

class MsgBox : public gbtest::GamebaseTest {
 protected:
  void SetUp() override {
    GamebaseTest::SetUp();
    owner = Owner::create();
    scene->addChild(owner);
    box = GameMsgBox::shareMessageBox();
  }
  Owner* owner = nullptr;
  GameMsgBox* box = nullptr;
};

TEST_F(MsgBox, RecordsWhatItShowsAndConfirmRunsTheActionOnce) {
  box->ShowMessage("quit the table?", 0, owner, menu_selector(Owner::OnOk), menu_selector(Owner::OnCancel));
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), "quit the table?");
  EXPECT_EQ(box->GetType(), 0);
  EXPECT_EQ(box->GetTarget(), owner);
  EXPECT_EQ(box->getParent(), owner) << "without a parent the box stands on its owner";
  EXPECT_TRUE(box->HasConfirmButton());
  EXPECT_TRUE(box->HasCancelButton());

  EXPECT_TRUE(box->PressConfirm());
  EXPECT_EQ(owner->calls, (std::vector<std::string>{"ok"}));
  EXPECT_EQ(owner->senders.at(0), box);
  EXPECT_FALSE(box->IsOpen());
  EXPECT_EQ(box->getParent(), nullptr);
  EXPECT_FALSE(box->PressConfirm()) << "a closed box has no buttons to press";
  EXPECT_FALSE(box->PressCancel());
  EXPECT_EQ(owner->calls.size(), 1u);
}

TEST_F(MsgBox, CancelRunsTheCancelAction) {
  box->ShowMessage("leave?", 11, owner, menu_selector(Owner::OnOk), menu_selector(Owner::OnCancel));
  EXPECT_TRUE(box->PressCancel());
  EXPECT_EQ(owner->calls, (std::vector<std::string>{"cancel"}));
}

struct ButtonCase {
  int type;
  bool withOk;
  bool confirm;
  bool cancel;
};

class MsgBoxButtons : public MsgBox, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(MsgBoxButtons, TheTypeDecidesTheButtons) {
  const ButtonCase& c = GetParam();
  box->ShowMessage("text", c.type, owner, c.withOk ? menu_selector(Owner::OnOk) : nullptr);
  EXPECT_EQ(box->HasConfirmButton(), c.confirm);
  EXPECT_EQ(box->HasCancelButton(), c.cancel);
}

INSTANTIATE_TEST_SUITE_P(MsgBox, MsgBoxButtons,
                         ::testing::Values(ButtonCase{0, true, true, true}, ButtonCase{11, true, true, true},
                                           ButtonCase{1, true, true, false}, ButtonCase{1, false, true, false},
                                           ButtonCase{3, false, false, false}, ButtonCase{6, false, false, false},
                                           ButtonCase{2, true, true, false}));

TEST_F(MsgBox, ANoticeClosesAfterItsSecondsWithoutAnAction) {
  box->ShowMessage("please wait", 6, owner, nullptr, nullptr, 3.0f);
  tick(29, 0.1f);
  EXPECT_TRUE(box->IsOpen());
  tick(2, 0.1f);
  EXPECT_FALSE(box->IsOpen());
  EXPECT_TRUE(owner->calls.empty());
}

TEST_F(MsgBox, CloseDialogClosesNowOrLater) {
  box->ShowMessage("one", 1, owner, menu_selector(Owner::OnOk));
  box->CloseDialog(0);
  EXPECT_FALSE(box->IsOpen());
  box->ShowMessage("two", 1, owner, menu_selector(Owner::OnOk));
  box->CloseDialog(0.5f);
  tick(2, 0.2f);
  EXPECT_TRUE(box->IsOpen());
  tick(1, 0.2f);
  EXPECT_FALSE(box->IsOpen());
  EXPECT_TRUE(owner->calls.empty());
}

TEST_F(MsgBox, ANewTextReplacesTheOpenOneAndActionsMayShowTheNext) {
  box->ShowMessage("first", 1, owner, menu_selector(Owner::OnOkAskAgain));
  box->ShowMessage("replaced", 1, owner, menu_selector(Owner::OnOkAskAgain));
  EXPECT_EQ(box->GetShowCount(), 2);
  EXPECT_TRUE(box->PressConfirm());
  EXPECT_TRUE(box->IsOpen());
  EXPECT_EQ(box->GetText(), "second");
  EXPECT_EQ(owner->calls, (std::vector<std::string>{"again"}));
  tick(2);
  EXPECT_TRUE(box->IsOpen());
}

TEST_F(MsgBox, TheBoxClosesWhenTheNodeItStandsOnLeavesAndKeepsItsOwnerAliveTillThen) {
  box->ShowMessage("quit?", 1, owner, menu_selector(Owner::OnOk));
  EXPECT_EQ(owner->getReferenceCount(), 3u) << "the pool, the scene and the box";
  owner->removeFromParent();
  EXPECT_FALSE(box->IsOpen());
  EXPECT_FALSE(box->PressConfirm());
  EXPECT_TRUE(owner->calls.empty());
  EXPECT_EQ(box->GetTarget(), nullptr);
  // The next box stands elsewhere.
  box->ShowMessage("notice", 3, nullptr, nullptr, nullptr, 0.0f, 0, true, scene);
  EXPECT_EQ(box->getParent(), scene);
}

TEST_F(MsgBox, ATouchOnTheConfirmButtonPressesIt) {
  box->ShowMessage("quit?", 1, owner, menu_selector(Owner::OnOk));
  // The confirm button stands in the middle of the panel's foot, below the text.
  const cocos2d::Vec2 at(static_cast<float>(BasePT::g_iWindowWidth / 2),
                         BasePT::g_iWindowHeight / 2.0f + GameMsgBox::kPanelRise - GameMsgBox::kPanelHeight / 2 + 55);
  // Window points have their origin at the top left.
  glview->touchBegan(at.x, static_cast<float>(BasePT::g_iWindowHeight) - at.y);
  glview->touchEnded(at.x, static_cast<float>(BasePT::g_iWindowHeight) - at.y);
  EXPECT_EQ(owner->calls, (std::vector<std::string>{"ok"}));
  EXPECT_FALSE(box->IsOpen());
  tick();
}

}  // namespace
