// The rule-file readers: entry parsing with its title decoration, the
// all-games reader (game rules and special rules), the rules window's reader,
// and the shipped rule files.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "RulesTestSupport.h"
#include "platform/engine/cocos2d.h"
#include "widgets/RuleFiles.h"

namespace {

using Lines = std::vector<std::string>;

struct ParseCase {
  const char* what;
  std::string rawTitle;
  std::string content;
  bool ok;
  int mask;
  std::string title;
  std::string title2;
  Lines lines;
  Lines lines2;
};

TEST(ParseRuleEntry, TitlesContentsAndMasks) {
  const std::vector<ParseCase> cases = {
      {"three-part title with two contents", "3|@|连对|@|两连对", "三对!@相连|@|两对", true, 3, "连对 : ", "两连对 : ",
       {"三对", "相连"}, {"两对"}},
      {"plain title", "炸弹", "四张!@相同", true, 0, "炸弹 : ", "", {"四张", "相同"}, {}},
      {"digits-only title", "1", "a", true, 0, "1. ", "", {"a"}, {}},
      {"empty title", "", "a", true, 0, ". ", "", {"a"}, {}},
      {"hidden title keeps its name", "TATAT", "a", true, 0, "TATAT", "", {"a"}, {}},
      {"hidden unless special", "4|@|TATAT|@|低顺", "|@|从2开始", true, 4, "TATAT", "低顺 : ", {}, {"从2开始"}},
      {"three parts, content without |@|", "2|@|a|@|b", "x!@y", true, 2, "a : ", "b : ", {"x", "y"}, {}},
      {"three parts, content of three parts", "2|@|a|@|b", "x|@|y|@|z", true, 2, "a : ", "b : ", {"x|@|y|@|z"}, {}},
      {"two-part title is plain", "5|@|a", "x|@|y", true, 0, "5|@|a : ", "", {"x|@|y"}, {}},
      {"four-part title is plain", "1|@|a|@|b|@|c", "x", true, 0, "1|@|a|@|b|@|c : ", "", {"x"}, {}},
      {"mask without digits", "x7|@|a|@|b", "x", true, 0, "a : ", "b : ", {"x"}, {}},
      {"negative mask has no leading digits", "-3|@|a|@|b", "x", true, 0, "a : ", "b : ", {"x"}, {}},
      {"mask from its leading digits", "12ab|@|a|@|b", "x", true, 12, "a : ", "b : ", {"x"}, {}},
      {"largest mask", std::to_string(INT_MAX) + "|@|a|@|b", "x", true, INT_MAX, "a : ", "b : ", {"x"}, {}},
      {"empty content gives no lines", "a", "", true, 0, "a : ", "", {}, {}},
      {"empty lines are kept", "a", "x!@!@y", true, 0, "a : ", "", {"x", "", "y"}, {}},
      {"mask beyond an int is refused", "2147483648|@|a|@|b", "x", false, 0, "", "", {}, {}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.what);
    RuleEntry entry;
    entry.strTitle = c.rawTitle;
    const bool ok = ParseRuleEntry(entry, c.content);
    ASSERT_EQ(ok, c.ok);
    if (!ok) {
      EXPECT_EQ(entry.strTitle, c.rawTitle) << "a refused entry is left as it was";
      EXPECT_TRUE(entry.vcLines.empty());
      continue;
    }
    EXPECT_EQ(entry.iMask, c.mask);
    EXPECT_EQ(entry.strTitle, c.title);
    EXPECT_EQ(entry.strTitle2, c.title2);
    EXPECT_EQ(entry.vcLines, c.lines);
    EXPECT_EQ(entry.vcLines2, c.lines2);
  }
}

TEST(ParseRuleEntry, SuffixRules) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"12", "12. "}, {"", ". "}, {"TATAT", "TATAT"}, {"tatat", "tatat : "}, {"TATAT ", "TATAT  : "},
      {"1a", "1a : "}, {"规则", "规则 : "},
  };
  for (const auto& [in, out] : cases) {
    std::string s = in;
    AddTitleSuffix(s);
    EXPECT_EQ(s, out) << "\"" << in << "\"";
  }
}

// ---- the all-games reader ----

using AllRulesReader = rulestest::RulesTest;

TEST_F(AllRulesReader, ReadsTypesAndEntriesUpToTheFirstGapAndDropsEmptyTypes) {
  WriteFile("rules.conf", {
                              "[Rule]",
                              "game_type_2 = 二人",
                              "rule_type_2_0 = 基本",
                              "title_2_0_0 = 让牌",
                              "content_2_0_0 = a!@b",
                              "title_2_0_1 = 1|@|连对|@|两连对",
                              "title_2_0_3 = after the gap",
                              "rule_type_2_1 = 空",
                              "title_2_1_1 = no entry 0",
                              "rule_type_2_2 = 计分",
                              "title_2_2_0 = 倍数",
                              "content_2_2_0 = x",
                              "rule_type_2_4 = after the gap",
                              "title_2_4_0 = t",
                          });
  LoadGameRules("rules.conf", 2);
  ASSERT_EQ(g_mapGameRules.count(2), 1u);
  const GameRuleRecord& game = g_mapGameRules.at(2);
  EXPECT_EQ(game.iGameType, 2);
  EXPECT_EQ(game.iValue, 0);
  EXPECT_EQ(game.strGameName, "二人");
  ASSERT_EQ(game.vcTypes.size(), 2u) << "the type without entries is dropped, the one after the gap never read";
  EXPECT_EQ(game.vcTypes[0].strTypeName, "基本");
  EXPECT_EQ(game.vcTypes[1].strTypeName, "计分");
  const std::vector<RuleEntry>& entries = game.vcTypes[0].vcEntries;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].strTitle, "让牌 : ");
  EXPECT_EQ(entries[0].vcLines, (Lines{"a", "b"}));
  EXPECT_EQ(entries[1].iMask, 1);
  EXPECT_EQ(entries[1].strTitle2, "两连对 : ");
  EXPECT_TRUE(entries[1].vcLines.empty()) << "a missing content gives no lines";
}

TEST_F(AllRulesReader, AGameTypeIsReadOnceAndAMissingOneIsStoredEmpty) {
  WriteFile("rules.conf", {"[Rule]", "rule_type_0_0 = a", "title_0_0_0 = t"});
  LoadGameRules("rules.conf", 0);
  LoadGameRules("rules.conf", 5);
  ASSERT_EQ(g_mapGameRules.count(5), 1u);
  EXPECT_TRUE(g_mapGameRules.at(5).vcTypes.empty());
  EXPECT_EQ(g_mapGameRules.at(5).strGameName, "0") << "a missing name reads as the default";

  WriteFile("rules.conf", {"[Rule]", "rule_type_0_0 = changed", "title_0_0_0 = t", "title_0_0_1 = u"});
  ddz::ClearConfCache();
  LoadGameRules("rules.conf", 0);
  EXPECT_EQ(g_mapGameRules.at(0).vcTypes[0].strTypeName, "a");
  EXPECT_EQ(g_mapGameRules.at(0).vcTypes[0].vcEntries.size(), 1u);
  LoadGameRules("missing.conf", 7);
  EXPECT_TRUE(g_mapGameRules.at(7).vcTypes.empty());
}

TEST_F(AllRulesReader, MalformedEntriesAreSkippedWithALogLineAndTheListGoesOn) {
  const std::string longText(kRuleValueBytes, 'x');
  WriteFile("rules.conf", {
                              "[Rule]",
                              "rule_type_0_0 = a",
                              "title_0_0_0 = " + longText,
                              "title_0_0_1 = ok1",
                              "content_0_0_1 = " + longText,
                              "title_0_0_2 = 99999999999|@|a|@|b",
                              "title_0_0_3 = ok2",
                              "content_0_0_3 = " + std::string(kRuleValueBytes - 1, 'y'),
                          });
  LoadGameRules("rules.conf", 0);
  const std::vector<RuleEntry>& entries = g_mapGameRules.at(0).vcTypes.at(0).vcEntries;
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].strTitle, "ok2 : ");
  EXPECT_EQ(entries[0].vcLines.at(0).size(), kRuleValueBytes - 1) << "a value that just fits is taken whole";
  EXPECT_TRUE(cocos2d::Log::contains("rule file rules.conf: title_0_0_0 is longer than 1023 bytes, skipped"));
  EXPECT_TRUE(cocos2d::Log::contains("rule file rules.conf: content_0_0_1 is longer than 1023 bytes, skipped"));
  EXPECT_TRUE(cocos2d::Log::contains("rule entry \"99999999999|@|a|@|b\": the mask is out of range, skipped"));
}

TEST_F(AllRulesReader, ReadsAtMostAThousandTypesAndEntries) {
  std::vector<std::string> lines = {"[Rule]"};
  for (int i = 0; i <= kMaxRuleTypes; ++i) {
    lines.push_back("rule_type_0_" + std::to_string(i) + " = t" + std::to_string(i));
    lines.push_back("title_0_" + std::to_string(i) + "_0 = e");
  }
  for (int j = 1; j <= kMaxRuleEntries; ++j) lines.push_back("title_0_0_" + std::to_string(j) + " = e");
  WriteFile("rules.conf", lines);
  LoadGameRules("rules.conf", 0);
  const GameRuleRecord& game = g_mapGameRules.at(0);
  ASSERT_EQ(game.vcTypes.size(), static_cast<std::size_t>(kMaxRuleTypes));
  EXPECT_EQ(game.vcTypes.back().strTypeName, "t999");
  EXPECT_EQ(game.vcTypes[0].vcEntries.size(), static_cast<std::size_t>(kMaxRuleEntries));
}

// ---- the special rules ----

class SpecialRulesReader : public rulestest::RulesTest {
 protected:
  void WriteSpecial(std::vector<std::string> lines) {
    lines.insert(lines.begin(), "[Special]");
    WriteFile(GetAllRuleConfPath(), lines);
  }
};

TEST_F(SpecialRulesReader, ReadsKindsUpToTheFirstWithoutEntries) {
  WriteSpecial({
      "special_title_0_0 = 本桌规则",
      "special_content_0_0 = a!@b",
      "special_title_0_1 = 连对",
      "special_value_0_1 = 5",
      "special_title_0_3 = after the gap",
      "special_title_1_0 = 7",
      "special_value_1_0 = 2",
      "special_title_2_1 = no entry 0",
      "special_title_3_0 = after the empty kind",
  });
  LoadSpecialRules();
  ASSERT_EQ(g_mapSpecialRules.size(), 3u) << "kinds 0 and 1, and kind 2 stored empty; kind 3 never read";
  const std::vector<RuleEntry>& kind0 = g_mapSpecialRules.at(0);
  ASSERT_EQ(kind0.size(), 2u);
  EXPECT_EQ(kind0[0].iMask, 0) << "a missing value is mask 0";
  EXPECT_EQ(kind0[0].strTitle, "本桌规则 : ");
  EXPECT_EQ(kind0[0].vcLines, (Lines{"a", "b"}));
  EXPECT_EQ(kind0[1].iMask, 5);
  EXPECT_TRUE(kind0[1].vcLines.empty());
  EXPECT_EQ(g_mapSpecialRules.at(1).at(0).strTitle, "7. ");
  EXPECT_TRUE(g_mapSpecialRules.at(2).empty());
}

TEST_F(SpecialRulesReader, MalformedValuesAreSkippedAndAKindPresentIsKept) {
  g_mapSpecialRules[1] = {RuleEntry{0, "kept", "", {}, {}}};
  WriteSpecial({
      "special_title_0_0 = a",
      "special_value_0_0 = two",
      "special_title_0_1 = b",
      "special_value_0_1 = -1",
      "special_title_0_2 = c",
      "special_value_0_2 = 3",
      "special_title_1_0 = new",
  });
  LoadSpecialRules();
  ASSERT_EQ(g_mapSpecialRules.at(0).size(), 1u);
  EXPECT_EQ(g_mapSpecialRules.at(0)[0].strTitle, "c : ");
  EXPECT_EQ(g_mapSpecialRules.at(0)[0].iMask, 3);
  EXPECT_TRUE(cocos2d::Log::contains("special rule 0_1: negative mask -1, skipped"));
  ASSERT_EQ(g_mapSpecialRules.at(1).size(), 1u);
  EXPECT_EQ(g_mapSpecialRules.at(1)[0].strTitle, "kept");
}

TEST_F(SpecialRulesReader, ReadsAtMostAThousandKindsAndEntries) {
  std::vector<std::string> lines;
  for (int k = 0; k <= kMaxRuleTypes; ++k) lines.push_back("special_title_" + std::to_string(k) + "_0 = t");
  for (int j = 1; j <= kMaxRuleEntries; ++j) lines.push_back("special_title_0_" + std::to_string(j) + " = t");
  WriteSpecial(lines);
  LoadSpecialRules();
  EXPECT_EQ(g_mapSpecialRules.size(), static_cast<std::size_t>(kMaxRuleTypes));
  EXPECT_EQ(g_mapSpecialRules.at(0).size(), static_cast<std::size_t>(kMaxRuleEntries));
}

// ---- the rules window's reader ----

using RuleWindowReader = rulestest::RulesTest;

TEST_F(RuleWindowReader, FileNamePerGameId) {
  const std::vector<std::pair<int, std::string>> cases = {
      {19, "qorvddz_game_rule.conf"}, {62, "qorvddz_game_rule.conf"}, {48, "qorvddz_siren_game_rule.conf"},
      {52, "keep"},                   {237, "keep"},                  {0, "keep"},
  };
  for (const auto& [id, expected] : cases) {
    std::string name = "keep";
    GetRuleConfName(id, name);
    EXPECT_EQ(name, expected) << id;
  }
}

TEST_F(RuleWindowReader, ReadsTypesAndItemsUpToTheFirstGap) {
  WriteFile("window.conf", {
                               "[RULE]",
                               "rule_type_0 = tab_a",
                               "rule_title_0_0 = 发牌",
                               "rule_content_0_0 = a!@b",
                               "rule_title_0_1 = 出牌",
                               "rule_title_0_3 = after the gap",
                               "rule_type_1 = tab_empty",
                               "rule_title_1_1 = no item 0",
                               "rule_type_3 = after the gap",
                           });
  LoadGameRuleConf(62, "window.conf");
  const std::vector<RuleType>& types = g_mapRuleConf.at(62);
  ASSERT_EQ(types.size(), 2u) << "a type without items stays";
  EXPECT_EQ(types[0].strTypeName, "tab_a");
  ASSERT_EQ(types[0].vcItems.size(), 2u);
  EXPECT_EQ(types[0].vcItems[0].strTitle, "发牌") << "the window's titles are not decorated";
  EXPECT_EQ(types[0].vcItems[0].vcContent, (Lines{"a", "b"}));
  EXPECT_TRUE(types[0].vcItems[1].vcContent.empty());
  EXPECT_TRUE(types[1].vcItems.empty());
}

TEST_F(RuleWindowReader, EachGameIdIsReadOnce) {
  WriteFile("window.conf", {"[RULE]", "rule_type_0 = first"});
  LoadGameRuleConf(62, "window.conf");
  LoadGameRuleConf(48, "empty.conf");
  LoadGameRuleConf(52, "");
  EXPECT_EQ(g_mapRuleConf.count(52), 0u) << "no file name, nothing stored";
  ASSERT_EQ(g_mapRuleConf.count(48), 1u) << "a missing file is stored empty";

  WriteFile("window.conf", {"[RULE]", "rule_type_0 = second", "rule_type_1 = more"});
  WriteFile("empty.conf", {"[RULE]", "rule_type_0 = late"});
  ddz::ClearConfCache();
  LoadGameRuleConf(62, "window.conf");
  LoadGameRuleConf(48, "empty.conf");
  LoadGameRuleConf(19, "window.conf");
  EXPECT_EQ(g_mapRuleConf.at(62).size(), 1u);
  EXPECT_EQ(g_mapRuleConf.at(62)[0].strTypeName, "first");
  EXPECT_TRUE(g_mapRuleConf.at(48).empty());
  EXPECT_EQ(g_mapRuleConf.at(19).size(), 2u) << "another id of the same file is read on its own";
}

// ---- the shipped files ----

class ShippedRuleFiles : public rulestest::RulesTest {
 protected:
  void SetUp() override {
    RulesTest::SetUp();
    cocos2d::FileUtils::getInstance()->setSearchPaths({rulestest::kDataDir});
  }
  bool HasFrame(const std::string& name) {
    return cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(name) != nullptr;
  }
};

TEST_F(ShippedRuleFiles, RulesWindowFilesHoldEveryGameWithItsTabImages) {
  cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("new_all_game_rule_res.plist");
  for (const int id : {62, 19, 48}) {
    SCOPED_TRACE(id);
    std::string name;
    GetRuleConfName(id, name);
    LoadGameRuleConf(id, name);
    const std::vector<RuleType>& types = g_mapRuleConf.at(id);
    ASSERT_EQ(types.size(), 3u);
    for (const RuleType& type : types) {
      SCOPED_TRACE(type.strTypeName);
      EXPECT_GE(type.vcItems.size(), 4u);
      EXPECT_TRUE(HasFrame(type.strTypeName + "_0.png"));
      EXPECT_TRUE(HasFrame(type.strTypeName + "_1.png"));
      for (const RuleItem& item : type.vcItems) {
        EXPECT_FALSE(item.strTitle.empty());
        EXPECT_FALSE(item.vcContent.empty()) << item.strTitle;
      }
    }
  }
}

TEST_F(ShippedRuleFiles, AllGamesFileHoldsEveryGameAndSpecialRule) {
  cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("cjddz_all_game_rule.plist");
  const std::vector<std::string> names = {"叫分超级斗地主", "抢地主超级斗地主", "二人超级斗地主"};
  for (int g = 0; g < 3; ++g) {
    SCOPED_TRACE(g);
    LoadGameRules(GetAllRuleConfPath(), g);
    const GameRuleRecord& game = g_mapGameRules.at(g);
    EXPECT_EQ(game.strGameName, names[static_cast<std::size_t>(g)]);
    EXPECT_GE(game.vcTypes.size(), 3u);
    EXPECT_LE(game.vcTypes.size(), 4u) << "the dialog shows four categories";
    EXPECT_TRUE(HasFrame("cjddz_yxgz_yq" + std::to_string(g + 1) + "_1.png"));
    EXPECT_TRUE(HasFrame("cjddz_yxgz_yq" + std::to_string(g + 1) + "_2.png"));
    for (const RuleTypeRec& type : game.vcTypes)
      for (const RuleEntry& entry : type.vcEntries) {
        EXPECT_GE(entry.iMask, 0);
        EXPECT_LT(entry.iMask, 64) << entry.strTitle << ": six special rules";
        // Each entry shows something in its ordinary or its special case.
        EXPECT_TRUE(entry.strTitle != kHiddenRuleTitle || !entry.strTitle2.empty());
        EXPECT_FALSE(entry.vcLines.empty() && entry.vcLines2.empty()) << entry.strTitle;
      }
  }
  LoadGameRules(GetAllRuleConfPath(), 3);
  EXPECT_TRUE(g_mapGameRules.at(3).vcTypes.empty());

  LoadSpecialRules();
  ASSERT_EQ(g_mapSpecialRules.size(), 4u) << "kinds 0 to 2 and the empty kind 3 that ends them";
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const std::vector<RuleEntry>& rules = g_mapSpecialRules.at(k);
    ASSERT_GE(rules.size(), 5u);
    EXPECT_EQ(rules[0].iMask, 0) << "each kind opens with a rule always shown";
    for (const RuleEntry& rule : rules) {
      EXPECT_LT(rule.iMask, 64);
      EXPECT_FALSE(rule.vcLines.empty()) << rule.strTitle;
    }
  }
  EXPECT_TRUE(g_mapSpecialRules.at(3).empty());
  for (const std::string& line : cocos2d::Log::lines())
    EXPECT_EQ(line.find("skipped"), std::string::npos) << line;
}

}  // namespace
