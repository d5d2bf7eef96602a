// Every shipped layout file places the classic table inside the 1280 x 720
// window: each picture, text and button the table builds (and the task panel
// with its cap that a network deal adds, and the result screen) overlaps the
// window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ClassicTestSupport.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Label.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/os/OsApiBase.h"
#include "widgets/ResultLayer.h"
#include "widgets/TaskUI.h"

namespace classictest {
namespace {

struct Offender {
  std::string what;
  cocos2d::Rect box;
};

// What the node draws, in window coordinates.
cocos2d::Rect WorldBox(const cocos2d::Node* node) {
  const cocos2d::Size size = node->getContentSize();
  return node->getNodeToWorldTransform().applyToRect(cocos2d::Rect(0, 0, size.width, size.height));
}

bool Draws(const cocos2d::Node* node) {
  const cocos2d::Size size = node->getContentSize();
  if (size.width <= 0 || size.height <= 0) return false;
  return dynamic_cast<const cocos2d::Sprite*>(node) != nullptr ||
         dynamic_cast<const cocos2d::Label*>(node) != nullptr ||
         dynamic_cast<const cocos2d::ui::Widget*>(node) != nullptr;
}

// Every drawing node under `root` whose box misses the window, named by its
// place in the tree.
void CollectOutside(const cocos2d::Node* node, const std::string& path, std::vector<Offender>& out) {
  const cocos2d::Rect window(0, 0, 1280, 720);
  if (Draws(node) && !WorldBox(node).intersectsRect(window)) out.push_back({path, WorldBox(node)});
  int i = 0;
  for (const cocos2d::Node* child : node->getChildren()) {
    std::string name = child->getName();
    if (const auto* sprite = dynamic_cast<const cocos2d::Sprite*>(child)) name = sprite->getDisplayName();
    CollectOutside(child, path + "/" + std::to_string(i++) + ":" + name, out);
  }
}

class TableInWindow : public ClassicTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TableInWindow, EveryWidgetOfTheTableOverlapsTheWindow) {
  OsApiBase::shareOsApi()->SetDeviceModel(GetParam());
  CountingView* view = Enter();
  auto* task = new TaskUI(1, 1, 100, 0);
  task->autorelease();
  view->addChild(task, 20);
  tick(10);
  task->ShowTaskCompete();
  // The result screen as a won hand puts it up.
  ResultLayer* screen = view->GetResultScreen();
  ASSERT_NE(screen, nullptr);
  const int results[3] = {-20, 40, -20};
  screen->IniResultInfo(1, true, results, 1, true, true, 1, 1, true, 0, nullptr);
  screen->setPosition(g_ptResult);
  view->addChild(screen, 30);
  tick(60);
  std::vector<Offender> outside;
  CollectOutside(view, "view", outside);
  for (const Offender& o : outside)
    ADD_FAILURE() << o.what << " at " << o.box.origin.x << "," << o.box.origin.y << " size " << o.box.size.width
                  << "x" << o.box.size.height;
  OsApiBase::shareOsApi()->SetDeviceModel("");
  LoadGamePositionInfo(ddz::ChooseLayoutFile(false, "", false));  // the phone layout again, g_bIpadLayout 0
}

// The phone layout ("ddz_pt_game_ip5.conf") and the tablet one ("..._ipad.conf").
INSTANTIATE_TEST_SUITE_P(ShippedLayouts, TableInWindow, ::testing::Values("", "ipad"));

}  // namespace
}  // namespace classictest
