// The task panel: names from the task file, the prize layouts, the time
// text, the warning blink and the cap.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "WidgetTestSupport.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "widgets/TaskUI.h"

namespace widgettest {
namespace {

class TaskPanel : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("qorvddzpc_all_res.plist");
  }
  TaskUI* Make(int prizeKind, int percent = 0, int seconds = 0, int taskId = 51) {
    auto* panel = new TaskUI(1, taskId, 300, prizeKind);
    panel->autorelease();
    panel->m_iAddPercent = percent;
    panel->m_iAddSeconds = seconds;
    scene->addChild(panel);
    return panel;
  }
};

TEST_F(TaskPanel, NamesComeFromTheTaskFileCutAtACharacter) {
  char none[16] = "x";
  TaskUI::GetTaskName(20, none, sizeof none);
  EXPECT_STREQ(none, "");
  // "打出王炸" is four 3-byte characters: 8 bytes of room hold two of them.
  char cut[8];
  TaskUI::GetTaskName(51, cut, sizeof cut);
  EXPECT_STREQ(cut, "打出");
}

TEST_F(TaskPanel, PrizeKindsChooseTheLayout) {
  TaskUI* none = Make(TaskUI::kNoPanel);
  EXPECT_EQ(none->GetBackground(), nullptr);
  none->PlayTaskAni();
  EXPECT_FALSE(none->IsTaskAniRunning());

  TaskUI* bonus = Make(TaskUI::kPrizeYuanbao, 30, 3725);
  ASSERT_NE(bonus->GetPercentLabel(), nullptr);
  EXPECT_EQ(bonus->GetPercentLabel()->getString(), "(+30%)");
  EXPECT_EQ(bonus->GetAddTime()->getString(), "1:02:05");
  EXPECT_EQ(bonus->GetNameLabel()->getString(), "打出王炸");
  EXPECT_EQ(bonus->GetNumber()->getString(), "300");
  run(1.0f);
  EXPECT_EQ(bonus->GetAddTime()->getString(), "1:02:04");

  TaskUI* ticket = Make(TaskUI::kPrizeTicket, 30, 10);
  EXPECT_EQ(ticket->GetPercentLabel(), nullptr);
  EXPECT_EQ(ticket->GetAddTime(), nullptr);
  EXPECT_EQ(ticket->iSubType, TaskUI::kTicketTaskId);
  EXPECT_NE(ticket->GetPrizeIcon(), nullptr);

  TaskUI* bare = Make(5);
  EXPECT_NE(bare->GetBackground(), nullptr);
  EXPECT_EQ(bare->GetPrizeIcon(), nullptr);
  EXPECT_EQ(bare->GetWarning(0), nullptr);

  bonus->SetTaskNum(150);
  EXPECT_EQ(bonus->GetNumber()->getString(), "150");
}

TEST_F(TaskPanel, TimeTextAndWarningOpacity) {
  EXPECT_EQ(TaskUI::TimeText(3725), "1:02:05");
  EXPECT_EQ(TaskUI::TimeText(0), "0:00:00");
  const struct {
    float t;
    int opacity;
  } cases[] = {{0, 0}, {0.25f, 127}, {0.5f, 255}, {1.49f, 255}, {1.75f, 127}, {2.0f, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.t);
    EXPECT_EQ(TaskUI::WarnOpacityAt(c.t), c.opacity);
  }
  EXPECT_EQ(TaskUI::CheckTaskIsExist(1), 0);
  EXPECT_EQ(TaskUI::CheckTaskIsExist(2), 1);
  EXPECT_EQ(TaskUI::CheckTaskIsExist(3), -1);
}

TEST_F(TaskPanel, EachPanelBlinksWithItsOwnPhase) {
  TaskUI* first = Make(TaskUI::kPrizeYuanbao);
  TaskUI* second = Make(TaskUI::kPrizeYuanbao);
  first->PlayTaskAni();
  run(0.5f);
  second->PlayTaskAni();
  run(0.5f);
  EXPECT_NEAR(first->GetWarnPhase(), 1.0f, 0.05f);
  EXPECT_NEAR(second->GetWarnPhase(), 0.5f, 0.05f);
  EXPECT_TRUE(first->GetWarning(0)->isVisible());
  EXPECT_EQ(first->GetWarning(0)->getOpacity(), 255);
  // The marks drift apart, then start over at the end of the cycle.
  EXPECT_LT(first->GetWarning(0)->getPositionX(), first->GetWarning(1)->getPositionX());
  const float drifted = second->GetWarning(0)->getPositionX();
  run(1.6f);  // past the 2 s cycle: back at the start, fading in again
  EXPECT_LT(second->GetWarnPhase(), 0.2f);
  EXPECT_GT(second->GetWarning(0)->getPositionX(), drifted);
  EXPECT_LT(second->GetWarning(0)->getOpacity(), 128);
  first->StopTaskAni();
  EXPECT_FALSE(first->GetWarning(0)->isVisible());
  EXPECT_FALSE(first->IsTaskAniRunning());
  EXPECT_TRUE(second->IsTaskAniRunning());

  first->ShowTaskCompete();
  EXPECT_NE(first->GetCap(), nullptr);
}

}  // namespace
}  // namespace widgettest
