// The room screens' widgets: the drop-down menu (PopBtnList) and the tips
// strip (RoomTips), also the one on the table's bottom bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/RoomListLayer.h"
#include "RulesTestSupport.h"
#include "widgets/BottomUI.h"
#include "widgets/PopBtnList.h"
#include "widgets/RoomTips.h"

namespace {

// The rules windows' fixture (a running scene with a window, the data folder)
// with the room panel's sheet and the text tables.
class RoomScreenWidgets : public rulestest::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("qorvddz_res_room_ui.plist");
    ASSERT_TRUE(LoadTextLines(ddz::kGameTextFile, g_vecGameText));
    ASSERT_TRUE(LoadTextLines(ddz::kSuperGameTextFile, g_vecSuperGameText));
  }
  void run(float seconds) { tick(static_cast<int>(seconds * 60 + 0.5f)); }
};

// ---------------------------------------------------------------- the menu

class Menu : public RoomScreenWidgets {
 protected:
  void SetUp() override {
    RoomScreenWidgets::SetUp();
    menu = PopBtnList::create("qorvddz_room_set_btn_show.png", "qorvddz_room_set_btn_bg.png");
    for (int i = 0; i < 3; ++i) {
      menu->AddButton([this, i](cocos2d::Ref*) { clicks.push_back(i); }, "qorvddz_room_set_btn_quit.png", "", "");
    }
    menu->setPosition(cocos2d::Vec2(1230, 685));
    scene->addChild(menu);
  }
  PopBtnList* menu = nullptr;
  std::vector<int> clicks;
};

TEST_F(Menu, ThreeEntriesStandOnA60By276Panel) {
  EXPECT_EQ(menu->GetPanel()->getContentSize(), cocos2d::Size(60, 276));
  EXPECT_EQ(menu->GetStencil()->getContentSize(), cocos2d::Size(60, 276));
  std::vector<float> ys;
  for (cocos2d::ui::Button* entry : menu->GetEntries()) {
    EXPECT_EQ(entry->getPositionX(), 30);
    ys.push_back(entry->getPositionY());
  }
  EXPECT_EQ(ys, (std::vector<float>{36, 106, 176}));

  // An entry added on the stage grows both boxes.
  menu->AddButton(nullptr, "qorvddz_room_set_btn_help.png", "", "");
  EXPECT_EQ(menu->GetPanel()->getContentSize(), cocos2d::Size(60, 346));
  EXPECT_EQ(menu->GetEntries().back()->getPositionY(), 246);
}

TEST_F(Menu, AClosedListsEntriesTakeNoTouchAndTheToggleRestsForAMoment) {
  TapNode(menu->GetEntries()[0]);
  EXPECT_TRUE(clicks.empty()) << "closed";

  TapNode(menu->GetToggle());
  EXPECT_TRUE(menu->IsOpen());
  TapNode(menu->GetToggle());
  EXPECT_TRUE(menu->IsOpen()) << "no second toggle within 0.3 s";
  run(0.25f);
  TapNode(menu->GetEntries()[1]);
  EXPECT_TRUE(clicks.empty()) << "the entries wait for the slide";
  run(0.1f);
  TapNode(menu->GetEntries()[1]);
  EXPECT_EQ(clicks, std::vector<int>{1});
  EXPECT_TRUE(menu->GetPanel()->isVisible());

  TapNode(menu->GetToggle());
  EXPECT_FALSE(menu->IsOpen());
  run(0.5f);
  EXPECT_FALSE(menu->GetPanel()->isVisible());
  TapNode(menu->GetEntries()[1]);
  EXPECT_EQ(clicks, std::vector<int>{1}) << "closed again";
  EXPECT_TRUE(menu->GetToggle()->isTouchEnabled());
}

TEST_F(Menu, TheOpenPanelLiesInsideTheClippedWindowUnderTheToggle) {
  TapNode(menu->GetToggle());
  run(0.5f);
  const cocos2d::Vec2 panelTop = menu->GetPanel()->getPosition();
  EXPECT_EQ(panelTop, cocos2d::Vec2(0, -24));
  const float stencilTop = menu->GetStencil()->getPositionY();
  EXPECT_LE(panelTop.y, stencilTop);
  EXPECT_GE(panelTop.y - menu->GetPanel()->getContentSize().height,
            stencilTop - menu->GetStencil()->getContentSize().height - 10);
  const cocos2d::Rect box = menu->GetEntries()[0]->getBoundingBox();
  const cocos2d::Vec2 world = menu->GetPanel()->convertToWorldSpace(cocos2d::Vec2(box.getMidX(), box.getMidY()));
  EXPECT_GT(world.y, 0);
  EXPECT_LT(world.y, 720);
}

// ---------------------------------------------------------------- the tips

TEST_F(RoomScreenWidgets, ClassicTipsTakeLines36To45InTurn) {
  RoomTips* tips = RoomTips::create();
  tips->setPosition(cocos2d::Vec2(640, 140));
  scene->addChild(tips);
  EXPECT_EQ(tips->GetSource(), RoomTips::kClassic) << "no room list: the classic texts";
  std::vector<std::string> shown;
  for (int i = 0; i < 12; ++i) {
    shown.push_back(tips->GetLabel()->getString());
    tips->ShowNextTip();
  }
  std::vector<std::string> expected;
  for (int i = 0; i < 12; ++i) expected.push_back(GameText(36 + i % 10));
  EXPECT_EQ(shown, expected);
}

TEST_F(RoomScreenWidgets, ATipCrossesTheWindowThenWaitsTwoSeconds) {
  RoomTips* tips = RoomTips::create();
  scene->addChild(tips);
  EXPECT_EQ(tips->GetClipRect(), cocos2d::Rect(-140, -15, 280, 30));
  cocos2d::Label* label = tips->GetLabel();
  // The tip starts just right of the window (x = 140 + w / 2) and ends just left of it.
  const float w = 2 * (label->getPositionX() - 140);
  ASSERT_GT(w, 0);
  const float crossing = (RoomTips::kClipWidth + w) / RoomTips::kSpeed;
  const std::string first = label->getString();
  run(crossing - 0.1f);
  EXPECT_GT(label->getPositionX(), -140 - w / 2);
  run(0.2f);
  EXPECT_FLOAT_EQ(label->getPositionX(), -140 - w / 2);
  run(RoomTips::kPause - 0.2f);
  EXPECT_EQ(label->getString(), first) << "the pause";
  run(0.3f);
  EXPECT_NE(label->getString(), first);
  EXPECT_LT(label->getPositionX(), 140 + label->getContentSize().width / 2) << "the next tip is on its way";
}

TEST_F(RoomScreenWidgets, AHundredTwentyPointTipTakesSixAndTwoThirdSeconds) {
  // The crossing time of a tip of width w: (280 + w) / 60.
  RoomTips* tips = RoomTips::create();
  scene->addChild(tips);
  cocos2d::Label* label = tips->GetLabel();
  label->setString("");
  label->setDimensions(120, 30);
  label->setString("x");
  ASSERT_FLOAT_EQ(label->getContentSize().width, 120);
  tips->ShowNextTip();
  label->setDimensions(120, 30);
  // The tip that starts now is as wide as before: 120 points, 6.67 s.
  run(6.6f);
  EXPECT_GT(label->getPositionX(), -200);
  run(0.1f);
  EXPECT_FLOAT_EQ(label->getPositionX(), -140 - label->getContentSize().width / 2);
}

TEST_F(RoomScreenWidgets, AStripThatEntersAgainGoesOnWithTheNextTip) {
  RoomTips* tips = RoomTips::create();
  tips->retain();
  scene->addChild(tips);
  tips->ShowNextTip();
  EXPECT_EQ(tips->GetLabel()->getString(), GameText(37));
  tips->removeFromParent();
  EXPECT_EQ(tips->GetLabel(), nullptr);
  tips->setColor(cocos2d::Color3B(1, 2, 3));  // not running: kept for the next label
  scene->addChild(tips);
  EXPECT_EQ(tips->GetLabel()->getString(), GameText(38));
  EXPECT_EQ(tips->GetLabel()->getColor(), cocos2d::Color3B(1, 2, 3));
  tips->setColor(cocos2d::Color3B(136, 234, 255));
  EXPECT_EQ(tips->GetLabel()->getColor(), cocos2d::Color3B(136, 234, 255));
  tips->release();
}

class ListOf : public RoomListLayer {
 public:
  explicit ListOf(int id) : id_(id) {}
  int GetGameID() const override { return id_; }

 private:
  int id_;
};

TEST_F(RoomScreenWidgets, TheSharedListsGameIdPicksTheTexts) {
  struct Case {
    int gameId;
    int source;
    std::string first;
  };
  for (const Case& c : {Case{48, RoomTips::kFourPlayer, GameText(165)}, Case{52, RoomTips::kSuper, SuperGameText(2)},
                        Case{62, RoomTips::kClassic, GameText(36)}}) {
    SCOPED_TRACE(c.gameId);
    auto* list = new ListOf(c.gameId);
    list->autorelease();
    RoomListLayer::shareRoomListLayer(list);
    RoomTips* tips = RoomTips::create();
    scene->addChild(tips);
    EXPECT_EQ(tips->GetSource(), c.source);
    EXPECT_EQ(tips->GetLabel()->getString(), c.first);
    tips->removeFromParent();
  }
  director->mainLoop(0);  // the lists go; the shared list forgets them
}

TEST_F(RoomScreenWidgets, TheBottomBarCarriesTheClassicStrip) {
  auto* bar = BottomUI::create(nullptr);
  scene->addChild(bar);
  RoomTips* tips = bar->GetTips();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(tips->getParent(), bar);
  EXPECT_EQ(tips->getPosition(), cocos2d::Vec2(1110, 30));
  EXPECT_EQ(tips->getLocalZOrder(), 100);
  EXPECT_EQ(tips->GetLabel()->getString(), GameText(36));
}

}  // namespace
