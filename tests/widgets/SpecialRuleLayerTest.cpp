// The Super table's special-rule popup: which switches are on, which rules
// show, the background's height and the rules' places, and closing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "RulesTestSupport.h"
#include "platform/engine/cocos2d.h"
#include "widgets/SpecialRuleLayer.h"

namespace {

ddz::SpecialRuleFlags Flags(std::array<std::uint8_t, 6> bytes) {
  ddz::SpecialRuleFlags flags;
  flags.bytes = bytes;
  return flags;
}

RuleEntry Rule(int mask, std::string title, std::vector<std::string> lines = {}) {
  return RuleEntry{mask, std::move(title), "", std::move(lines), {}};
}

TEST(SpecialRuleSwitches, HasRulesForMask) {
  struct Case {
    const char* what;
    std::vector<RuleEntry> rules;  // kind 1
    std::array<std::uint8_t, 6> flags;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"mask 4 within switches 1 and 3", {Rule(4, "四")}, {1, 0, 1, 0, 0, 0}, true},
      {"mask 5 within switches 1 and 3", {Rule(5, "五")}, {1, 0, 1, 0, 0, 0}, true},
      {"mask 6 needs switch 2", {Rule(6, "六")}, {1, 0, 1, 0, 0, 0}, false},
      {"a flag byte of 2 is off", {Rule(1, "一")}, {2, 0, 0, 0, 0, 0}, false},
      {"mask 0 without a title still counts", {Rule(6, "六"), Rule(0, "")}, {0, 0, 0, 0, 0, 0}, true},
      {"a rule in force without a title does not", {Rule(1, "")}, {1, 0, 0, 0, 0, 0}, false},
      {"all six switches", {Rule(63, "全")}, {1, 1, 1, 1, 1, 1}, true},
      {"an empty kind", {}, {1, 1, 1, 1, 1, 1}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_mapSpecialRules = {{1, c.rules}};
    EXPECT_EQ(SpecialRuleLayer::HasRulesForMask(1, Flags(c.flags)), c.expected);
  }
  EXPECT_FALSE(SpecialRuleLayer::HasRulesForMask(0, Flags({1, 1, 1, 1, 1, 1}))) << "a kind not in the table";
  g_mapSpecialRules.clear();
}

class SpecialRulePopup : public rulestest::RulesTest {
 protected:
  SpecialRuleLayer* Show(int kind, std::array<std::uint8_t, 6> flags) {
    SpecialRuleLayer* popup = SpecialRuleLayer::create();
    popup->SetRules(kind, Flags(flags));
    scene->addChild(popup, 200);
    return popup;
  }
  // Each label on the background by its text.
  static std::map<std::string, cocos2d::Vec2> LabelPlaces(cocos2d::Node* bg) {
    std::map<std::string, cocos2d::Vec2> places;
    for (cocos2d::Node* child : bg->getChildren())
      if (auto* label = dynamic_cast<cocos2d::Label*>(child)) places[label->getString()] = label->getPosition();
    return places;
  }
};

TEST_F(SpecialRulePopup, ShowsTheRulesInForceBelowEachOtherAndGrowsWithThem) {
  g_mapSpecialRules[1] = {
      Rule(0, "总 : ", {"l1", "l2"}), Rule(4, "四 : ", {"l3"}), Rule(5, "五 : "),
      Rule(6, "六 : ", {"not shown"}), Rule(0, "", {"no title"}), Rule(1, "一 : ", {"l4"}),
  };
  SpecialRuleLayer* popup = Show(1, {1, 0, 1, 0, 0, 0});
  // Estimate: (2 x 32 + 10) + (32 + 10) + 10 + (32 + 10), plus 150.
  const float height = 168 + 150;
  EXPECT_EQ(popup->GetBackground()->getPreferredSize(), cocos2d::Size(760, height));
  const float top = height - 100;
  const float line = 32.5f;  // the real height of a line label
  const float titleWidth = 26 * 1 + 13 * 3;  // one CJK character and " : "
  const std::map<std::string, cocos2d::Vec2> expected = {
      {"总 : ", {30, top}},
      {"l1", {30 + titleWidth, top}},
      {"l2", {30 + titleWidth, top - line}},
      {"四 : ", {30, top - 2 * line - 10}},
      {"l3", {30 + titleWidth, top - 2 * line - 10}},
      {"五 : ", {30, top - 3 * line - 20}},
      {"一 : ", {30, top - 3 * line - 30}},  // the rule without lines moved the next one by 10 only
      {"l4", {30 + titleWidth, top - 3 * line - 30}},
  };
  EXPECT_EQ(LabelPlaces(popup->GetBackground()), expected);
}

TEST_F(SpecialRulePopup, AKindMissingFromTheTableShowsTheFrameOnly) {
  g_mapSpecialRules[0] = {Rule(0, "a : ", {"x"})};
  SpecialRuleLayer* popup = Show(2, {1, 1, 1, 1, 1, 1});
  ASSERT_NE(popup->GetDim(), nullptr);
  EXPECT_EQ(popup->GetDim()->getContentSize(), cocos2d::Size(1280, 720));
  EXPECT_EQ(popup->GetBackground()->getPreferredSize(), cocos2d::Size(760, 450));
  EXPECT_EQ(popup->GetBackground()->getPosition(), cocos2d::Vec2(640, 360));
  EXPECT_TRUE(LabelPlaces(popup->GetBackground()).empty());
  EXPECT_EQ(popup->GetBackground()->getChildrenCount(), 2u) << "the title strip and the title";
}

TEST_F(SpecialRulePopup, ATouchOutsideTheBackgroundClosesIt) {
  g_mapSpecialRules[0] = {Rule(0, "a : ", {"x"})};
  SpecialRuleLayer* popup = Show(0, {});
  popup->retain();
  SettlePopup();
  TapAt(640, 360);
  tick();
  EXPECT_EQ(popup->getParent(), scene);
  TapAt(100, 100);
  tick();
  EXPECT_EQ(popup->getParent(), nullptr);
  popup->release();
}

}  // namespace
