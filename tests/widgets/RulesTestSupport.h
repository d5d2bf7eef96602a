// Fixtures of the rules-window tests: a running scene with a window for
// touches, a fresh folder searched before the project's data folder (so a
// test's own rule file shadows the shipped one, and frames still come from
// the manifest), and empty rule tables.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"
#include "platform/framework/YndConf.h"
#include "support/Stage.h"
#include "support/TempDir.h"
#include "widgets/RuleFiles.h"

namespace rulestest {

inline const std::string kDataDir = std::string(DDZ_SOURCE_DIR) + "/data/";

inline void ClearRuleTables() {
  g_mapRuleConf.clear();
  g_mapGameRules.clear();
  g_mapSpecialRules.clear();
}

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    view = stage.view;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir.path() + "/", kDataDir});
    cocos2d::SpriteFrameCache::destroyInstance();
    ddz::ClearConfCache();
    ClearRuleTables();
  }
  void TearDown() override {
    director->reset();
    ClearRuleTables();
    ddz::ClearConfCache();
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
  }

  // Writes `lines` as the file `name` of the test's folder.
  void WriteFile(const std::string& name, const std::vector<std::string>& lines) {
    std::ofstream out(dir.file(name), std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\n";
  }

  void tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60);
  }
  // A touch that begins and ends at a design point (origin bottom-left).
  void TapAt(float x, float y) {
    const float windowY = director->getWinSize().height - y;
    view->touchBegan(x, windowY);
    view->touchEnded(x, windowY);
  }

  // A tap on the centre of a node (its anchor point).
  void TapNode(cocos2d::Node* node) {
    const cocos2d::Vec2 at = node->convertToWorldSpaceAR(cocos2d::Vec2::ZERO);
    TapAt(at.x, at.y);
  }
  // Steps past the popups' entrance bounce.
  void SettlePopup() { tick(30); }

  ddz::test::TempDir dir;
  std::vector<std::string> savedPaths;
  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* view = nullptr;
};

// The texts of one rule item of a rules list: its title, then its lines.
inline std::vector<std::string> ItemTexts(cocos2d::Node* item) {
  std::vector<std::string> texts;
  if (!item || item->getChildrenCount() == 0) return texts;
  for (cocos2d::Node* child : item->getChildren().at(0)->getChildren())
    if (auto* label = dynamic_cast<cocos2d::Label*>(child)) texts.push_back(label->getString());
  return texts;
}

// Every item of a list view as its texts.
template <class ListView>
std::vector<std::vector<std::string>> ListTexts(ListView* list) {
  std::vector<std::vector<std::string>> out;
  if (!list) return out;
  for (auto* item : list->getItems()) out.push_back(ItemTexts(item));
  return out;
}

}  // namespace rulestest
