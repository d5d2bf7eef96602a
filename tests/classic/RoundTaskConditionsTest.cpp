// The round task conditions: one case table over every task id's edges.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "cardlogic/CardCodes.h"
#include "classic/RoundTaskConditions.h"
#include "platform/engine/FileUtils.h"
#include "widgets/TaskUI.h"

namespace {

using namespace ddz::CardType;

struct PlayCase {
  int task;
  int type;
  int key;
  bool met;
};

TEST(RoundTaskConditions, PlaysMeetTheirTasksAtTheEdges) {
  const PlayCase cases[] = {
      {19, Straight(10), 12, true},  {19, Straight(12), 14, true},  {19, Straight(9), 11, false},
      {34, Bomb, 5, true},           {34, Rocket, 26, true},        {34, Pair, 26, false},
      {35, Straight(8), 10, true},   {35, Straight(9), 11, false},  {41, TriplePair, 5, true},
      {41, TripleSingle, 5, false},  {42, StraightFirst, 7, true},  {42, StraightLast, 14, true},
      {42, PairStraightFirst, 5, false}, {43, PairStraightFirst, 5, true}, {43, PairStraightLast, 14, true},
      {44, Single, 26, true},        {44, Single, 25, false},       {44, Rocket, 26, true},
      {45, Single, 25, true},        {45, Single, 26, false},       {45, Rocket, 26, true},
      {49, Straight(9), 11, true},   {49, Straight(8), 10, false},  {50, Straight(8), 10, true},
      {50, Straight(7), 9, false},   {51, Rocket, 26, true},        {51, Bomb, 20, false},
      {52, Pair, 14, true},          {52, Pair, 13, false},         {56, PairStraight(4), 8, true},
      {56, PairStraight(3), 7, false}, {69, Pair, 20, true},        {69, Single, 20, false},
      {70, PairStraight(3), 14, true}, {70, PairStraight(3), 13, false}, {71, Pair, 13, true},
      {72, Pair, 12, true},          {73, Pair, 11, true},          {74, Pair, 10, true},
      {74, Pair, 11, false},         {75, Straight(5), 7, true},    {75, Straight(5), 8, false},
      {76, PairStraight(3), 5, true}, {76, PairStraight(3), 6, false}, {77, PlaneWings(2, false), 5, true},
      {77, PlaneWings(3, true), 5, true}, {77, PlaneWings(4, false), 5, false}, {78, PlaneWings(3, false), 5, true},
      {78, PlaneWings(2, true), 5, false}, {79, Bomb, 12, true},    {79, Bomb, 13, false},
      {81, Bomb, 14, true},          {82, Bomb, 20, true},          {82, Rocket, 26, false},
      {83, Straight(7), 9, true},    {83, Straight(6), 8, false},   {84, PairStraight(5), 7, true},
      {84, PairStraight(4), 6, false}, {85, TripleSingle, 5, true}, {85, TriplePair, 5, false},
      {86, Single, 25, true},        {86, Single, 26, true},        {86, Rocket, 26, true},
      {86, Single, 20, false},       {87, Pair, 3, true},           {87, Single, 3, false},
      {89, Triple, 3, true},         {89, TriplePair, 3, true},     {89, Bomb, 3, false},
      {90, PlaneFirst, 3, true},     {90, PlaneLast, 3, true},      {90, PlaneWingsLast, 3, true},
      {90, FourTwoPairs, 3, false},
      // Ids no condition names, and ids outside 19..90, are never met.
      {20, Pair, 14, false},         {91, Rocket, 26, false},       {18, Straight(12), 14, false},
      {80, Bomb, 13, false},         {-1, Rocket, 26, false},
      // The bottom-card tasks are never met by a play.
      {65, Rocket, 26, false},       {66, Pair, 3, false},          {67, Single, 25, false},
      {68, Single, 20, false},
  };
  for (const PlayCase& c : cases) {
    SCOPED_TRACE("task " + std::to_string(c.task) + " type " + std::to_string(c.type) + " key " +
                 std::to_string(c.key));
    EXPECT_EQ(ddz::TaskMatches(c.task, c.type, c.key, nullptr, nullptr), c.met);
  }
}

TEST(RoundTaskConditions, BottomCardsAndPlayedTwosAreReadThroughTheCardConverter) {
  struct Case {
    int task;
    std::uint8_t cards[3];
    bool met;
  };
  // 144 and 177 are the local server's joker bytes; 0x22 a two of suit 1.
  // 0xE2 and 0xC3 carry suit bits 7 and 6, which name no suit: no card.
  const Case cases[] = {
      {65, {144, 177, 3}, true},  {65, {144, 3, 4}, false},   {65, {144, 177, 16}, false},
      {66, {0x23, 0x43, 5}, true}, {66, {3, 4, 5}, false},    {67, {3, 177, 4}, true},
      {67, {3, 4, 5}, false},     {68, {0x22, 3, 4}, true},   {68, {1, 3, 4}, false},
      {68, {0xE2, 3, 4}, false},  {66, {0xC3, 0xE3, 5}, false}, {66, {0, 0, 5}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.task);
    EXPECT_EQ(ddz::TaskMatches(c.task, 0, 0, reinterpret_cast<const char*>(c.cards), nullptr), c.met);
  }
  std::uint8_t played[20] = {3, 4, 0x62};
  EXPECT_TRUE(ddz::TaskMatches(88, Straight(5), 7, nullptr, reinterpret_cast<const char*>(played)));
  played[2] = 177;
  EXPECT_FALSE(ddz::TaskMatches(88, Straight(5), 7, nullptr, reinterpret_cast<const char*>(played)));
  played[2] = 0xE2;
  EXPECT_FALSE(ddz::TaskMatches(88, Straight(5), 7, nullptr, reinterpret_cast<const char*>(played)));
  EXPECT_FALSE(ddz::TaskMatches(88, Single, 20, nullptr, nullptr));
}

TEST(RoundTaskConditions, EveryTaskIdTheConditionsKnowHasANameInTheTaskFile) {
  cocos2d::FileUtils* files = cocos2d::FileUtils::getInstance();
  const std::vector<std::string> saved = files->getSearchPaths();
  files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
  for (int id : ddz::KnownTaskIds()) {
    SCOPED_TRACE(id);
    char name[TaskUI::kNameCapacity] = {};
    TaskUI::GetTaskName(id, name, sizeof name);
    EXPECT_GT(std::string(name).size(), 0u);
    if (id >= 65 && id <= 68) continue;
    // A play that is no pattern meets none of the play tasks.
    EXPECT_FALSE(ddz::TaskMatches(id, ddz::CardType::Invalid, 0, nullptr, nullptr));
  }
  files->setSearchPaths(saved);
}

}  // namespace
