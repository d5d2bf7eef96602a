#include "gamedata/LayoutConfig.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/framework/YndConf.h"
#include "support/TempDir.h"

namespace {

using cocos2d::Size;
using cocos2d::Vec2;
using ddz::LayoutKey;
using ddz::LayoutType;

std::string BaseName(const std::string& key) {
  return key.size() > 2 && key.compare(key.size() - 2, 2, "[]") == 0 ? key.substr(0, key.size() - 2) : key;
}

// Sets every layout value to zero (the state before the first load).
void ZeroAll() {
  for (const LayoutKey& k : ddz::LayoutKeys()) {
    switch (k.type) {
      case LayoutType::Point: std::fill_n(static_cast<Vec2*>(k.target), k.count, Vec2()); break;
      case LayoutType::Size: std::fill_n(static_cast<Size*>(k.target), k.count, Size()); break;
      case LayoutType::Int: std::fill_n(static_cast<int*>(k.target), k.count, 0); break;
      case LayoutType::Float: std::fill_n(static_cast<float*>(k.target), k.count, 0.0f); break;
    }
  }
}

// A value for entry e of key number i that no other key or entry shares.
float Mark(int i, int e, int part) { return static_cast<float>(i * 100 + e * 10 + part); }

std::string ValueText(const LayoutKey& k, int i, int entries, int salt) {
  std::string v;
  for (int e = 0; e < entries; ++e) {
    if (e) v += "; ";
    const int a = static_cast<int>(Mark(i, e, 1)) + salt, b = static_cast<int>(Mark(i, e, 2)) + salt;
    if (k.type == LayoutType::Point || k.type == LayoutType::Size) v += std::to_string(a) + "," + std::to_string(b);
    else v += std::to_string(a);
  }
  return v;
}

// The value entry e of key k holds.
std::pair<float, float> Read(const LayoutKey& k, int e) {
  switch (k.type) {
    case LayoutType::Point: return {static_cast<Vec2*>(k.target)[e].x, static_cast<Vec2*>(k.target)[e].y};
    case LayoutType::Size: return {static_cast<Size*>(k.target)[e].width, static_cast<Size*>(k.target)[e].height};
    case LayoutType::Int: return {static_cast<float>(static_cast<int*>(k.target)[e]), 0};
    case LayoutType::Float: return {static_cast<float*>(k.target)[e], 0};
  }
  return {};
}

class LayoutTest : public ::testing::Test {
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
  // Writes a layout file with a distinct value for every key whose number
  // passes `keep`; `salt` shifts every value so two files differ.
  template <typename Keep>
  void WriteLayout(const std::string& name, int salt, Keep keep) {
    std::ofstream out(dir_.file(name));
    out << "[game position info]\n";
    int i = 0;
    for (const LayoutKey& k : ddz::LayoutKeys()) {
      if (keep(i)) out << k.key << " = " << ValueText(k, i, k.count, salt) << "\n";
      ++i;
    }
  }
  ddz::test::TempDir dir_;
  std::vector<std::string> saved_;
};

TEST(LayoutKeysTest, TableHoldsThe549KeysWithTheirTypesAndLengths) {
  const auto keys = ddz::LayoutKeys();
  ASSERT_EQ(keys.size(), 549u);
  std::set<std::string> names;
  std::set<const void*> targets;
  std::map<std::pair<LayoutType, int>, int> shape;  // (type, length) -> keys
  std::vector<std::string> noBrackets;
  for (const LayoutKey& k : keys) {
    EXPECT_TRUE(names.insert(BaseName(k.key)).second) << k.key;
    EXPECT_TRUE(targets.insert(k.target).second) << k.key;
    ++shape[{k.type, k.count}];
    const bool brackets = BaseName(k.key) != k.key;
    if (brackets) {
      EXPECT_GT(k.count, 1) << k.key;
    } else if (k.count > 1) {
      EXPECT_EQ(k.type, LayoutType::Point) << k.key;
    }
    if (!brackets && k.count > 1) noBrackets.push_back(k.key);
  }
  // The doubling and no-money points have a fourth entry, the two-seat
  // Super table's opponent.
  const std::map<std::pair<LayoutType, int>, int> expected = {
      {{LayoutType::Point, 1}, 246}, {{LayoutType::Point, 2}, 42}, {{LayoutType::Point, 3}, 62},
      {{LayoutType::Point, 4}, 55},  {{LayoutType::Point, 5}, 3},  {{LayoutType::Point, 6}, 1},
      {{LayoutType::Point, 7}, 4},   {{LayoutType::Point, 8}, 3},  {{LayoutType::Point, 9}, 1},
      {{LayoutType::Point, 10}, 3},  {{LayoutType::Point, 12}, 1}, {{LayoutType::Point, 14}, 1},
      {{LayoutType::Size, 1}, 62},   {{LayoutType::Int, 1}, 32},   {{LayoutType::Int, 2}, 2},
      {{LayoutType::Int, 8}, 1},     {{LayoutType::Float, 1}, 25}, {{LayoutType::Float, 2}, 1},
      {{LayoutType::Float, 3}, 2},   {{LayoutType::Float, 4}, 2},
  };
  EXPECT_EQ(shape, expected);
  EXPECT_EQ(noBrackets, (std::vector<std::string>{"g_ptYBDoubleAct", "g_ptSRYBDoubleAct", "g_ptCJResultMulPos",
                                                  "g_ptPlayerJiaBeiPos", "g_ptNoMoneyPos", "g_ptShowAlert",
                                                  "g_ptPlayerMoneyPos"}));
  // Keys that break the naming pattern keep the type of their list.
  for (const auto& [key, type] : std::vector<std::pair<std::string, LayoutType>>{
           {"g_iRoomDisplayBasePoint", LayoutType::Point}, {"g_ptCmpResultNowAmountNum", LayoutType::Size},
           {"g_ptSRShowCardLineNum", LayoutType::Int}, {"g_ptDDZSmallGameScale", LayoutType::Float}}) {
    bool found = false;
    for (const LayoutKey& k : keys)
      if (k.key == key) {
        found = true;
        EXPECT_EQ(k.type, type) << key;
      }
    EXPECT_TRUE(found) << key;
  }
}

TEST_F(LayoutTest, EveryKeyReachesItsOwnValue) {
  WriteLayout("all.conf", 0, [](int) { return true; });
  LoadGamePositionInfo("all.conf");
  int i = 0;
  for (const LayoutKey& k : ddz::LayoutKeys()) {
    for (int e = 0; e < k.count; ++e) {
      const auto [a, b] = Read(k, e);
      EXPECT_EQ(a, Mark(i, e, 1)) << k.key << " entry " << e;
      if (k.type == LayoutType::Point || k.type == LayoutType::Size) {
        EXPECT_EQ(b, Mark(i, e, 2)) << k.key;
      }
    }
    ++i;
  }
  // The arrays whose keys have no "[]" get every entry, so each side's lamp
  // and money point is its own (not zero for sides 2 and 3).
  EXPECT_NE(g_ptShowAlert[3], Vec2());
  EXPECT_NE(g_ptShowAlert[2], g_ptShowAlert[0]);
  EXPECT_NE(g_ptPlayerMoneyPos[3], Vec2());
  EXPECT_NE(g_ptNoMoneyPos[2], Vec2());
}

TEST_F(LayoutTest, SecondFileChangesOnlyTheKeysItHolds) {
  WriteLayout("ddz_pt_game_ip5.conf", 0, [](int) { return true; });
  WriteLayout("ddz_pt_game_ipad.conf", 7, [](int i) { return i % 3 == 0; });
  LoadGamePositionInfo("ddz_pt_game_ip5.conf");
  LoadGamePositionInfo("ddz_pt_game_ipad.conf");
  int i = 0;
  for (const LayoutKey& k : ddz::LayoutKeys()) {
    const float expected = Mark(i, k.count - 1, 1) + (i % 3 == 0 ? 7 : 0);
    EXPECT_EQ(Read(k, k.count - 1).first, expected) << k.key;
    ++i;
  }
}

TEST_F(LayoutTest, MissingFileOrKeysLeaveValuesAsTheyWere) {
  g_ptHandCard[1] = Vec2(640, 100);
  g_fDealCardIniScale = 0.85f;
  LoadGamePositionInfo("absent.conf");
  EXPECT_EQ(g_ptHandCard[1], Vec2(640, 100));

  std::ofstream(dir_.file("partial.conf")) << "[game position info]\n"
                                              "g_ptHandCard[] = 1,2; 3,4\n"
                                              "g_iSelfHandCardGap = 45\n"
                                              "g_fDealCardIniScale = not a number\n"
                                              "[other section]\n"
                                              "g_iHandCardSelectY = 99\n";
  LoadGamePositionInfo("partial.conf");
  EXPECT_EQ(g_ptHandCard[0], Vec2(1, 2));
  EXPECT_EQ(g_ptHandCard[1], Vec2(3, 4));
  EXPECT_EQ(g_ptHandCard[2], Vec2());  // the value held two entries
  EXPECT_EQ(g_iSelfHandCardGap, 45);
  EXPECT_FLOAT_EQ(g_fDealCardIniScale, 0.85f);
  EXPECT_EQ(g_iHandCardSelectY, 0);
}

TEST(ChooseLayoutFileTest, DeviceRule) {
  struct Case {
    bool judgeIp5;
    const char* model;
    bool ipadFlag;
    const char* file;
  };
  for (const Case& c : {
           Case{false, "ipad", false, "ddz_pt_game_ipad.conf"},
           Case{false, "pc", true, "ddz_pt_game_ipad.conf"},
           Case{false, "pc", false, "ddz_pt_game_ip5.conf"},
           Case{false, nullptr, false, "ddz_pt_game_ip5.conf"},
           Case{false, "iPad", false, "ddz_pt_game_ip5.conf"},
           Case{true, "ipad", true, "ddz_pt_game_ip5.conf"},
       }) {
    g_bIpadLayout = -1;
    EXPECT_STREQ(ddz::ChooseLayoutFile(c.judgeIp5, c.model, c.ipadFlag), c.file) << (c.model ? c.model : "null");
    EXPECT_EQ(g_bIpadLayout, std::strcmp(c.file, "ddz_pt_game_ipad.conf") == 0 ? 1 : 0);
  }
}

}  // namespace
