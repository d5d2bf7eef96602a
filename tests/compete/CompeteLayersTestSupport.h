// Fixture of the waiting room's and the promotion screen's tests: the
// tournament table's stage (CompeteTest: the view, the text tables, the
// frame manifest) with the running match's record and lists set by the test,
// and put back empty afterwards.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "compete/CompeteTestSupport.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/gamebase/GameSceneBase.h"
#include "widgets/TopUIBase.h"

namespace competetest {

inline CompeteAwardItem Award(int from, int to, int propId, int num, const char* unit = "ddzcompete_prize_jinbi.png",
                              const char* text = "") {
  CompeteAwardItem item;
  item.iRankFrom = from;
  item.iRankTo = to;
  item.iPropId = propId;
  item.iPropNum = num;
  std::strncpy(item.szUnit, unit, sizeof item.szUnit - 1);
  std::strncpy(item.szAwardText, text, sizeof item.szAwardText - 1);
  return item;
}

class CompeteLayersTest : public CompeteTest {
 protected:
  void SetUp() override {
    CompeteTest::SetUp();
    ClearMatch();
  }
  void TearDown() override {
    ClearMatch();
    CompeteTest::TearDown();
  }
  static CompeteGameInfo* Match() { return CompeteGameInfo::shareCompeteGameInfo(); }
  static void ClearMatch() {
    CompeteGameInfo* match = Match();
    match->m_Record = CompeteMatchRecord{};
    match->m_vcAwards.clear();
    match->m_vcStages.clear();
    match->m_vcNumbers.clear();
    match->m_iState = 0;
    match->m_iStageNo = 0;
  }
  // n award lines, each first prize 100 gold.
  static void SetAwards(int n) {
    Match()->m_vcAwards.clear();
    for (int i = 1; i <= n; ++i) Match()->m_vcAwards.push_back(Award(i, i, 4, 100));
  }
  static bool ShowsFrame(const cocos2d::Node* node, const char* frame) {
    auto* sprite = dynamic_cast<const cocos2d::Sprite*>(node);
    return sprite != nullptr && sprite->getSpriteFrame() != nullptr &&
           sprite->getSpriteFrame() == cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(frame);
  }
  static int CountNodes(const cocos2d::Node* root) { return CountOf<cocos2d::Node>(root); }
};

}  // namespace competetest
