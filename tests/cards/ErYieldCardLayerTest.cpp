// The let-cards panel: what SetYieldNum shows before and after the landlord is
// known, on and off the screen, and the panel's slide.
#include <gtest/gtest.h>

#include <string>

#include "CardRowTestSupport.h"
#include "cards/ErYieldCardLayer.h"
#include "platform/engine/Label.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/BasePT.h"
#include "gamedata/TextTables.h"

namespace {

class YieldTest : public cardtest::CardRowTest {
 protected:
  void SetUp() override {
    CardRowTest::SetUp();
    savedWidth = BasePT::g_iWindowWidth;
    savedHeight = BasePT::g_iWindowHeight;
    BasePT::g_iWindowWidth = 1280;
    BasePT::g_iWindowHeight = 720;
    LoadTextLines(ddz::kSuperGameTextFile, g_vecSuperGameText);
    layer = ErYieldCardLayer::create();
    scene->addChild(layer);
  }
  void TearDown() override {
    CardRowTest::TearDown();
    BasePT::g_iWindowWidth = savedWidth;
    BasePT::g_iWindowHeight = savedHeight;
  }
  // The panel numbers, the word's visibility and its two digit places.
  struct Shown {
    std::string big, small;
    bool word;
    std::string left, right;
    bool operator==(const Shown&) const = default;
  };
  Shown shown() const {
    return {layer->GetCountLabel()->getString(), layer->GetSmallCountLabel()->getString(),
            layer->GetWord()->isVisible(), layer->GetDigits(0)->getString(), layer->GetDigits(1)->getString()};
  }

  ErYieldCardLayer* layer = nullptr;

 private:
  int savedWidth = 0, savedHeight = 0;
};


}  // namespace

TEST_F(YieldTest, TheWordShowsTheCountUntilTheLandlordIsKnown) {
  struct Step {
    int count, landlord;
    const char* big;
    bool word;
    const char* digits;
  } steps[] = {
      {3, -1, "3", true, "3"},   // before the landlord: panel and word
      {3, 0, "3", false, "3"},   // decided: the word goes, the panel keeps the count
      {2, -1, "2", true, "2"},
      {0, -1, "0", false, "2"},  // count 0: no word
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(std::to_string(s.count) + " / " + std::to_string(s.landlord));
    layer->SetYieldNum(s.count, s.landlord);
    const Shown now = shown();
    EXPECT_EQ(now.big, s.big);
    EXPECT_EQ(now.small, s.big);
    EXPECT_EQ(now.word, s.word);
    EXPECT_EQ(now.left, s.digits);
    EXPECT_EQ(now.right, s.digits);
    EXPECT_EQ(layer->GetYieldNum(), s.count);
  }
}

TEST_F(YieldTest, OffTheScreenOnlyTheCountIsKept) {
  layer->SetYieldNum(3, -1);
  layer->retain();
  layer->removeFromParent();
  const Shown before = shown();
  layer->SetYieldNum(5, -1);
  EXPECT_EQ(layer->GetYieldNum(), 5);
  EXPECT_EQ(shown(), before);
  scene->addChild(layer);  // entering again shows the count kept
  EXPECT_EQ(layer->GetCountLabel()->getString(), "5");
  layer->release();
}

TEST_F(YieldTest, ThePanelSlidesInAtTheLeftEdgeWithItsTwoLines) {
  cocos2d::ui::Scale9Sprite* panel = layer->GetPanel();
  EXPECT_FLOAT_EQ(panel->getPositionX(), -190);
  EXPECT_FLOAT_EQ(panel->getContentSize().width, 190);
  for (int i = 0; i < 40; ++i) tick();
  EXPECT_EQ(panel->getPosition(), cocos2d::Vec2(95, 370));
  bool first = false, second = false;
  for (const cocos2d::Node* child : panel->getChildren()) {
    const auto* label = dynamic_cast<const cocos2d::Label*>(child);
    if (label == nullptr) continue;
    first = first || label->getString() == SuperGameText(9);
    second = second || label->getString() == SuperGameText(10);
  }
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
  EXPECT_FALSE(SuperGameText(9).empty());
  EXPECT_EQ(layer->GetWord()->getPosition(), cocos2d::Vec2(640, 400));
}
