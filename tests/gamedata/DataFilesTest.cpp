// The program's own data files: every layout key, text entry and setting the
// code reads is there, and every text used as a printf format takes exactly
// the arguments its caller passes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/Ref.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndConf.h"
#include "gamedata/DDZSmallGameUIPos.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"

namespace {

const std::string kDataDir = std::string(DDZ_SOURCE_DIR) + "/data/";
const std::string kUnused = "（保留）";  // the line that keeps the numbering of entries no code reads

std::string ReadFile(const std::string& name) {
  std::ifstream in(kDataDir + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int len = 0;
    unsigned min = 0, cp = 0;
    if (c < 0x80) len = 1, cp = c;
    else if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07, min = 0x10000;
    else return false;
    if (i + len > s.size()) return false;
    for (int k = 1; k < len; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> v;
  for (int n = from; n <= to; ++n) v.push_back(n);
  return v;
}

struct TextTableUse {
  const char* file;
  std::vector<int> used;              // entries the code reads
  std::map<int, std::string> formats;  // entries used as printf formats: 'd' int, 's' text
};

std::vector<TextTableUse> TextTables() {
  std::vector<int> game;
  for (const auto& part : std::vector<std::vector<int>>{
           {4},           Range(6, 13),   Range(15, 18),  {20, 21, 31, 32}, Range(36, 45),  Range(47, 50),
           {58, 59},      Range(61, 68),  Range(70, 77),  Range(79, 88),    {105, 116},     Range(132, 141),
           Range(165, 169), Range(191, 193), {223},       Range(226, 228),  Range(242, 245), Range(248, 251),
           Range(257, 259), Range(268, 273), {279, 281, 303, 304}, Range(307, 309), Range(311, 313), {315, 317, 323},
           Range(325, 334), {341},        Range(359, 367), Range(369, 377), {379, 380, 382, 398, 408}, Range(411, 413),
           {416, 418, 419, 421, 422, 424, 430, 431, 432}, Range(434, 440), Range(442, 455), {458, 459},
           Range(460, 462)}) {
    game.insert(game.end(), part.begin(), part.end());
  }
  std::map<int, std::string> gameFormats = {
      {223, "d"},  {226, "d"},  {227, "d"},   {228, "d"},  {242, "d"},  {249, "d"},    {250, "dd"},  {251, "dd"},
      {259, "d"},  {279, "d"},  {303, "d"},   {304, "dd"}, {309, "dd"}, {313, "dd"},   {315, "d"},   {317, "ddd"},
      {341, "dddd"}, {370, "s"}, {379, "dddd"}, {380, "ddd"}, {412, "d"}, {413, "d"},  {416, "d"},   {422, "d"},
      {424, "dd"}, {434, "d"},  {436, "dd"},  {437, "d"},  {440, "s"},  {444, "s"},    {452, "d"},   {453, "d"},
      {454, "d"},  {458, "sss"}, {460, "d"},  {461, "d"},  {462, "d"},
  };
  for (int n = 359; n <= 365; ++n) gameFormats[n] = "d";  // waiting text per fee choice, with the sign-ups
  for (int n = 371; n <= 377; ++n) gameFormats[n] = "d";  // fee text per fee kind, with the amount
  return {
      {"ddz_game_text.txt", game, gameFormats},
      {"compete_game.txt", Range(12, 20), {{17, "dd"}, {18, "dd"}}},
      {"superddz_game.txt", Range(2, 11), {}},
  };
}

// Every key of `keys` is in `section` of the data file `file` with all its
// entries, each of them parses, and the file names no key the loader does not know.
void CheckLayoutFile(const char* file, const char* section, std::span<const ddz::LayoutKey> keys) {
  SCOPED_TRACE(file);
  const ddz::ConfFile conf = ddz::ConfFile::Parse(ReadFile(file));
  EXPECT_EQ(conf.SkippedLines(), 0);
  ASSERT_TRUE(YndConf::SetFileAndSection(file, section, true));
  std::set<std::string> known;
  for (const ddz::LayoutKey& k : keys) {
    known.insert(k.key);
    const std::string* value = conf.Find(section, k.key);
    ASSERT_NE(value, nullptr) << k.key;
    int entries = 1;
    for (char c : *value) entries += c == ';';
    EXPECT_EQ(entries, k.count) << k.key << " = " << *value;
    // Every entry parses (the reader answers false for any malformed entry).
    const auto n = static_cast<std::size_t>(k.count);
    bool ok = false;
    switch (k.type) {
      case ddz::LayoutType::Point: {
        std::vector<cocos2d::Vec2> v(n);
        ok = YndConf::GetYndConfInfo(v.data(), k.key, k.count);
        break;
      }
      case ddz::LayoutType::Size: {
        std::vector<cocos2d::Size> v(n);
        ok = YndConf::GetYndConfInfo(v.data(), k.key, k.count);
        break;
      }
      case ddz::LayoutType::Int: {
        std::vector<int> v(n);
        ok = YndConf::GetYndConfInfo(v.data(), k.key, k.count);
        break;
      }
      case ddz::LayoutType::Float: {
        std::vector<float> v(n);
        ok = YndConf::GetYndConfInfo(v.data(), k.key, k.count);
        break;
      }
    }
    EXPECT_TRUE(ok) << k.key << " = " << *value;
  }
  // No key the loader does not know (a misspelt key would be read by nobody).
  std::istringstream lines(ReadFile(file));
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t eq = line.find('=');
    if (line.empty() || line[0] == '#' || line[0] == '[' || eq == std::string::npos) continue;
    std::string key = line.substr(0, eq);
    key.erase(key.find_last_not_of(' ') + 1);
    EXPECT_TRUE(known.count(key)) << "unknown key " << key;
  }
  YndConf::SetFileClose();
}

class DataFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({kDataDir});
    ddz::ClearConfCache();
  }
  void TearDown() override {
    cocos2d::FileUtils::getInstance()->setSearchPaths(saved_);
    YndConf::SetFileClose();
    ddz::ClearConfCache();
  }
  std::vector<std::string> saved_;
};

TEST_F(DataFilesTest, EveryFileIsUtf8) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kDataDir)) {
    if (!entry.is_regular_file()) continue;
    // The login record is binary as the lobby writes it (GBK nickname); its own test reads it.
    if (entry.path().extension() == ".dat") continue;
    const std::string text = ReadFile(entry.path().filename().string());
    EXPECT_TRUE(IsValidUtf8(text)) << entry.path();
    EXPECT_NE(text.compare(0, 3, "\xEF\xBB\xBF"), 0) << entry.path() << " starts with a byte-order mark";
    ++files;
  }
  EXPECT_GE(files, 8);
}

TEST_F(DataFilesTest, LayoutFilesHoldEveryKeyWithAllItsEntries) {
  for (const char* file : {ddz::kLayoutFilePhone, ddz::kLayoutFileTablet})
    CheckLayoutFile(file, ddz::kLayoutSection, ddz::LayoutKeys());
  CheckLayoutFile(ddz::kSmallGameLayoutFile, ddz::kSmallGameLayoutSection, ddz::SmallGameLayoutKeys());
}

TEST_F(DataFilesTest, LoadedLayoutMatchesTheWindow) {
  LoadGamePositionInfo(ddz::kLayoutFilePhone);
  EXPECT_EQ(g_sizeSingleCard.width, 141.0f);
  EXPECT_EQ(g_ptDealCardIni, cocos2d::Vec2(156, 20));
  EXPECT_FLOAT_EQ(g_fDealCardIniScale, 0.85f);
  // The own hand's row fits the 1280-unit window with 20 cards.
  EXPECT_LE(19 * g_iSelfHandCardGap + g_sizeSingleCard.width * g_fSelfHandScale, 1280.0f);
  for (int seat = 0; seat < 4; ++seat) {
    EXPECT_NE(g_ptShowAlert[seat], cocos2d::Vec2()) << seat;
    EXPECT_NE(g_ptPlayerMoneyPos[seat], cocos2d::Vec2()) << seat;
  }
}

TEST_F(DataFilesTest, MiniGamePlacesLieInTheWindow) {
  LoadDDZSmallGameUIPos();
  for (const ddz::LayoutKey& k : ddz::SmallGameLayoutKeys()) {
    const std::string key = k.key;
    if (k.type != ddz::LayoutType::Point || key.find("Offset") != std::string::npos || key == "g_ptCardInversePos")
      continue;
    for (int i = 0; i < k.count; ++i) {
      const cocos2d::Vec2 p = static_cast<const cocos2d::Vec2*>(k.target)[i];
      EXPECT_TRUE(p.x >= 0 && p.x <= 1280 && p.y >= 0 && p.y <= 720) << key << "[" << i << "] = " << p.x << "," << p.y;
    }
  }
  // The card grid's far corner and the scales.
  const cocos2d::Vec2 far = g_ptCardLBPos + cocos2d::Vec2(3 * g_ptCardInversePos.x, g_ptCardInversePos.y);
  EXPECT_TRUE(far.x <= 1280 && far.y <= 720);
  EXPECT_GT(g_fCardScale, 0.0f);
  EXPECT_GT(g_fCardTypeSmallScale, 0.0f);
}

TEST_F(DataFilesTest, TextTablesHoldEveryEntryWithMatchingFormats) {
  for (const TextTableUse& use : TextTables()) {
    SCOPED_TRACE(use.file);
    // Line N of the file is entry N: no empty lines, none made of blanks only.
    std::istringstream raw(ReadFile(use.file));
    std::string line;
    int lineNo = 0;
    while (std::getline(raw, line)) {
      ++lineNo;
      EXPECT_FALSE(line.empty()) << "line " << lineNo;
      EXPECT_NE(line.find_first_not_of(" \t\r"), std::string::npos) << "line " << lineNo;
      EXPECT_EQ(line.find('\r'), std::string::npos) << "line " << lineNo;
    }

    std::vector<std::string> table;
    ASSERT_TRUE(LoadTextLines(use.file, table));
    ASSERT_GT(table.size(), static_cast<std::size_t>(use.used.back())) << "last entry read: " << use.used.back();
    for (int n : use.used) EXPECT_NE(table[static_cast<std::size_t>(n)], kUnused) << "entry " << n;
    for (std::size_t n = 1; n < table.size(); ++n) {
      const auto f = use.formats.find(static_cast<int>(n));
      const std::string kinds = f == use.formats.end() ? "" : f->second;
      EXPECT_TRUE(ddz::FormatMatches(table[n], kinds)) << "entry " << n << " \"" << table[n] << "\" takes \"" << kinds << "\"";
    }
  }
}

TEST_F(DataFilesTest, SettingsFilesHoldTheKeysTheCodeReads) {
  std::string section;
  EXPECT_EQ(GetConfValue(section, "use_section", "agent.txt", "agent_info", "release"), 0);
  EXPECT_EQ(section, "release");
  int single = 0;
  EXPECT_EQ(GetConfValue(&single, "single_independent", "agent.txt", "agent_info", 0), 0);
  EXPECT_EQ(single, 1);

  // The shipped addresses and signing key are empty: each installation configures its own.
  for (const char* key : {"http_url", "normal_web_url", "web_sign_key"}) {
    char url[256];
    EXPECT_EQ(GetConfValue(url, sizeof url, key, "server.conf", section.c_str(), "0"), 0) << key;
    EXPECT_STREQ(url, "") << key;
  }

  for (const char* key : {"chang_money_txt_6", "game_autogame_ask_txt", "game_xindou_ask_txt", "base_lose_money_one",
                          "http_enter_tip", "http_error_txt"}) {
    std::string text;
    EXPECT_EQ(GetConfValue(text, key, "base_txt.conf", "game coution info"), 0) << key;
    EXPECT_FALSE(text.empty()) << key;
    EXPECT_TRUE(ddz::FormatMatches(text, "")) << key;
  }
}

}  // namespace

namespace {

// Every line of the frame manifest is read: a frame line outside a sheet's
// section, or one without its two sizes, would be skipped with a log line and
// its frame would never draw.
TEST_F(DataFilesTest, TheFrameManifestHasNoLineItSkips) {
  cocos2d::Log::clear();
  cocos2d::SpriteFrameCache* cache = cocos2d::SpriteFrameCache::getInstance();
  cache->removeSpriteFrames();
  cache->setManifestFile("frame_manifest.txt");
  cache->addSpriteFramesWithFile("CardLayer1.plist");  // the first use reads the whole manifest
  for (const std::string& line : cocos2d::Log::lines())
    EXPECT_EQ(line.find("frame manifest"), std::string::npos) << line;
  EXPECT_NE(cache->getSpriteFrameByName("cardback.png"), nullptr);
  cache->removeSpriteFrames();
  cocos2d::AutoreleasePool::current().clear();
}

}  // namespace
