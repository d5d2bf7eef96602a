// Fixtures of the card row tests: a running scene, the project's data folder as
// the only search path, the card sheet loaded from the frame manifest, and
// distinct face places in the layout configuration.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"
#include "platform/os/Clock.h"
#include "gamedata/LayoutConfig.h"
#include "support/Stage.h"

namespace cardtest {

inline constexpr const char* kCardSheet = "CardLayer1.plist";

// A row that writes every sort and layout into a list of calls.
template <class Row>
class Recording : public Row {
 public:
  static Recording* create() {
    auto* row = new Recording();
    row->autorelease();
    return row;
  }
  void SortCards() override {
    calls.push_back("sort");
    Row::SortCards();
  }
  void LayoutCards() override {
    calls.push_back("layout");
    Row::LayoutCards();
  }
  std::vector<std::string> calls;
};

class CardRowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage();
    director = stage.director;
    scene = stage.scene;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile(kCardSheet);
    saved = {g_ptCardNum, g_ptCardTypeSmall, g_ptCardTypeBig, g_ptCardTypeFlower, g_ptCardNum2, g_ptCardTypeSmall2};
    g_ptCardNum = {22, 160};
    g_ptCardTypeSmall = {22, 122};
    g_ptCardTypeBig = {84, 62};
    g_ptCardTypeFlower = {80, 78};
    g_ptCardNum2 = {20, 162};
    g_ptCardTypeSmall2 = {20, 126};
  }
  void TearDown() override {
    director->reset();
    g_ptCardNum = saved[0];
    g_ptCardTypeSmall = saved[1];
    g_ptCardTypeBig = saved[2];
    g_ptCardTypeFlower = saved[3];
    g_ptCardNum2 = saved[4];
    g_ptCardTypeSmall2 = saved[5];
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
  }

  void tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60);
  }

  template <class Row>
  Recording<Row>* makeRow() {
    auto* row = Recording<Row>::create();
    scene->addChild(row);
    return row;
  }

  bool logHas(const std::string& part) const {
    for (const std::string& line : cocos2d::Log::lines())
      if (line.find(part) != std::string::npos) return true;
    return false;
  }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  std::vector<std::string> savedPaths;
  std::vector<cocos2d::Vec2> saved;
};

// "name" of a sprite, or "name@(x,y)" with " x0.5" for a scaled one.
inline std::string Part(const cocos2d::Node* node, bool withPlace = true) {
  auto* sprite = dynamic_cast<const cocos2d::Sprite*>(node);
  std::string s = sprite ? sprite->getDisplayName() : "?";
  if (!withPlace) return s;
  char buf[64];
  std::snprintf(buf, sizeof buf, "@(%g,%g)", node->getPosition().x, node->getPosition().y);
  s += buf;
  if (node->getScale() != 1.0f) {
    std::snprintf(buf, sizeof buf, " x%g", node->getScale());
    s += buf;
  }
  return s;
}

// The face as drawn: the base frame, then each child in drawing order.
inline std::vector<std::string> FaceParts(const cocos2d::Sprite* card) {
  std::vector<std::string> parts{Part(card, false)};
  for (const cocos2d::Node* child : card->getChildren()) parts.push_back(Part(child));
  return parts;
}

// The card codes of a row in row order.
template <class Records>
std::vector<int> Codes(const Records& records) {
  std::vector<int> codes;
  for (const auto* r : records) codes.push_back(r->iCardIndex);
  return codes;
}

}  // namespace cardtest
