#include "gamedata/DDZSmallGameUIPos.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/framework/YndConf.h"
#include "support/TempDir.h"

namespace {

using cocos2d::Vec2;

// The 35 keys as the file names them, each with the value it fills.
struct Named {
  const char* key;
  Vec2* point;  // null for a scale
  float* scale;
  int count;
};

const std::vector<Named>& AllKeys() {
  static const std::vector<Named> keys = {
      {"g_ptBgWndCenterPos", &g_ptBgWndCenterPos, nullptr, 1},
      {"g_ptSidePos[]", g_ptSidePos, nullptr, 2},
      {"g_ptBgDeskPos", &g_ptBgDeskPos, nullptr, 1},
      {"g_ptBgStickPos", &g_ptBgStickPos, nullptr, 1},
      {"g_ptManPos", &g_ptManPos, nullptr, 1},
      {"g_ptHatPos", &g_ptHatPos, nullptr, 1},
      {"g_ptShowRuleBeiShuPos", &g_ptShowRuleBeiShuPos, nullptr, 1},
      {"g_ptLevelNoPos[]", g_ptLevelNoPos, nullptr, 5},
      {"g_ptBigAwardPos", &g_ptBigAwardPos, nullptr, 1},
      {"g_ptCardTypeBigOffsetPos", &g_ptCardTypeBigOffsetPos, nullptr, 1},
      {"g_ptCardValueOffsetPos", &g_ptCardValueOffsetPos, nullptr, 1},
      {"g_ptCardTypeSmallOffsetPos", &g_ptCardTypeSmallOffsetPos, nullptr, 1},
      {"g_fCardTypeSmallScale", nullptr, &g_fCardTypeSmallScale, 1},
      {"g_ptHatCardPos", &g_ptHatCardPos, nullptr, 1},
      {"g_ptCardLBPos", &g_ptCardLBPos, nullptr, 1},
      {"g_ptCardInversePos", &g_ptCardInversePos, nullptr, 1},
      {"g_fCardScale", nullptr, &g_fCardScale, 1},
      {"g_ptBtnStartGamePos", &g_ptBtnStartGamePos, nullptr, 1},
      {"g_ptBtnQuitGamePos", &g_ptBtnQuitGamePos, nullptr, 1},
      {"g_ptPlayerYBNumPos", &g_ptPlayerYBNumPos, nullptr, 1},
      {"g_ptPlayerYBPos", &g_ptPlayerYBPos, nullptr, 1},
      {"g_ptPresentAwardYBNumPos", &g_ptPresentAwardYBNumPos, nullptr, 1},
      {"g_ptPresentAwardYBPos", &g_ptPresentAwardYBPos, nullptr, 1},
      {"g_ptUseMoneyTipPos", &g_ptUseMoneyTipPos, nullptr, 1},
      {"g_ptUseMoneyOffsetPos", &g_ptUseMoneyOffsetPos, nullptr, 1},
      {"g_ptResultBgPos", &g_ptResultBgPos, nullptr, 1},
      {"g_ptResultLogoPos", &g_ptResultLogoPos, nullptr, 1},
      {"g_ptResultQuitGameBtnPos", &g_ptResultQuitGameBtnPos, nullptr, 1},
      {"g_ptResultTotleYBTipPos", &g_ptResultTotleYBTipPos, nullptr, 1},
      {"g_ptResultYBIconPos", &g_ptResultYBIconPos, nullptr, 1},
      {"g_ptResultYBNumPos", &g_ptResultYBNumPos, nullptr, 1},
      {"g_ptHelpLayerClock", &g_ptHelpLayerClock, nullptr, 1},
      {"g_ptHelpLayerWarnTimeTipPos", &g_ptHelpLayerWarnTimeTipPos, nullptr, 1},
      {"g_ptLevelTipPos", &g_ptLevelTipPos, nullptr, 1},
      {"g_ptCloseRuleBtnPos", &g_ptCloseRuleBtnPos, nullptr, 1},
  };
  return keys;
}

// Entry e of key number i: a point no other entry shares.
Vec2 Mark(int i, int e) { return Vec2(static_cast<float>(i * 10 + e + 1), static_cast<float>(-(i * 10 + e + 1))); }

class SmallGameLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir_.path() + "/"});
    ddz::ClearConfCache();
    ZeroAll();
  }
  void TearDown() override {
    cocos2d::FileUtils::getInstance()->setSearchPaths(saved_);
    ddz::ClearConfCache();
    ZeroAll();
  }
  static void ZeroAll() {
    for (const Named& k : AllKeys()) {
      if (k.scale) *k.scale = 0;
      for (int e = 0; k.point && e < k.count; ++e) k.point[e] = Vec2();
    }
  }
  // The file with every key but `skip`; the arrays list `extra` points more than they hold.
  void Write(const std::string& skip = "", int extra = 0) {
    std::ofstream out(dir_.file(ddz::kSmallGameLayoutFile));
    out << "[" << ddz::kSmallGameLayoutSection << "]\n";
    int i = 0;
    for (const Named& k : AllKeys()) {
      if (k.key != skip) {
        out << k.key << " = ";
        if (k.scale) {
          out << i + 0.5f;
        } else {
          const int entries = k.count > 1 ? k.count + extra : 1;
          for (int e = 0; e < entries; ++e) out << (e ? "; " : "") << Mark(i, e).x << "," << Mark(i, e).y;
        }
        out << "\n";
      }
      ++i;
    }
  }
  void ExpectEveryValue(const std::string& missing = "") {
    int i = 0;
    for (const Named& k : AllKeys()) {
      SCOPED_TRACE(k.key);
      const bool present = k.key != missing;
      if (k.scale) {
        EXPECT_EQ(*k.scale, present ? i + 0.5f : 0.0f);
      }
      for (int e = 0; k.point && e < k.count; ++e) {
        EXPECT_EQ(k.point[e], present ? Mark(i, e) : Vec2()) << e;
      }
      ++i;
    }
  }
  ddz::test::TempDir dir_;
  std::vector<std::string> saved_;
};

TEST_F(SmallGameLayoutTest, ThirtyFiveKeysEachFillTheirValueByName) {
  EXPECT_EQ(ddz::SmallGameLayoutKeys().size(), AllKeys().size());
  Write();
  LoadDDZSmallGameUIPos();
  ExpectEveryValue();
}

TEST_F(SmallGameLayoutTest, ArraysWithMorePointsThanTheyHoldFillOnlyTheirLength) {
  Write("", 3);  // 5 side points, 8 level points
  LoadDDZSmallGameUIPos();
  ExpectEveryValue();  // the values after each array are their own, not the array's spill
}

TEST_F(SmallGameLayoutTest, AMissingKeyKeepsZero) {
  for (const char* missing : {"g_ptHelpLayerClock", "g_ptLevelNoPos[]", "g_fCardScale"}) {
    SCOPED_TRACE(missing);
    ZeroAll();
    ddz::ClearConfCache();
    Write(missing);
    LoadDDZSmallGameUIPos();
    ExpectEveryValue(missing);
  }
}

TEST_F(SmallGameLayoutTest, EachLoadRereadsTheFile) {
  Write();
  LoadDDZSmallGameUIPos();
  std::ofstream(dir_.file(ddz::kSmallGameLayoutFile)) << "[DDZSmallGameUIPos]\ng_ptManPos = 7,8\n";
  ddz::ClearConfCache();  // the cache looks at the file's time, which may not move within a second
  LoadDDZSmallGameUIPos();
  EXPECT_EQ(g_ptManPos, Vec2(7, 8));
  EXPECT_EQ(g_ptHatPos, Mark(5, 0));  // not in the new file: as it was
}

}  // namespace
