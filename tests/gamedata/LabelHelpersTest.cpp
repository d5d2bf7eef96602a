#include "gamedata/LabelHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Ref.h"
#include "gamedata/TextHelpers.h"

namespace {

using cocos2d::Label;

// Labels here measure with the engine's model: an ASCII character advances
// half the font size, any other a full font size.
class LabelHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
  }
  void TearDown() override {
    cocos2d::AutoreleasePool::current().clear();
    cocos2d::Log::setEchoToStderr(true);
  }
  static Label* Make(const std::string& text, float size = 20) {
    return Label::createWithSystemFont(text, g_strSystemFont, size);
  }
};

TEST_F(LabelHelpersTest, FitShortensByWholeCharactersUntilItFits) {
  struct Case {
    std::string text;
    float maxWidth;
    std::string result;
  };
  for (const Case& c : {
           Case{"斗地主比赛", 80, "斗地..."},      // 100 wide; "斗地主比..." 110, "斗地主..." 90, "斗地..." 70
           Case{"斗地主比赛", 100, "斗地主比赛"},  // fits exactly
           Case{"abcdefgh", 70, "abcd..."},       // 80 wide; "abcd..." is 70
           Case{"abc", 29, "a..."},               // "ab..." 50, "a..." 40: never fits, "a..." stays
           Case{"斗", 10, "斗"},                   // one character is left unchanged
           Case{"abc", 0.5f, "abc"},              // a width below 1 means no limit
       }) {
    Label* label = Make(c.text);
    FitLabelToWidth(label, c.maxWidth);
    EXPECT_EQ(label->getString(), c.result) << c.text << " in " << c.maxWidth;
  }
  FitLabelToWidth(nullptr, 10);
}

TEST_F(LabelHelpersTest, FitWorksOnTextsLongerThanAnyFixedBuffer) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "斗";  // 900 bytes
  Label* label = Make(text);
  FitLabelToWidth(label, 200);
  EXPECT_EQ(label->getString(), std::string("斗斗斗斗斗斗斗斗") + "...");  // 8 x 20 + 30 = 190
  EXPECT_LE(label->getContentSize().width, 200);
}

TEST_F(LabelHelpersTest, WrapBreaksBeforeTheCharacterThatReachesTheWidth) {
  std::vector<std::string> lines = {"kept"};
  WrapTextToLabels("斗地主比赛", lines, 50, 20);
  EXPECT_EQ(lines, (std::vector<std::string>{"kept", "斗地", "主比", "赛"}));

  lines.clear();
  WrapTextToLabels("abcdef", lines, 30, 20);  // "abc" is 30, not below 30
  EXPECT_EQ(lines, (std::vector<std::string>{"ab", "cd", "ef"}));

  lines.clear();
  WrapTextToLabels("斗地", lines, 10, 20);  // each character alone is too wide: one per line
  EXPECT_EQ(lines, (std::vector<std::string>{"斗", "地"}));

  lines.clear();
  WrapTextToLabels("", lines, 50, 20);
  WrapTextToLabels(nullptr, lines, 50, 20);
  EXPECT_TRUE(lines.empty());
}

}  // namespace
