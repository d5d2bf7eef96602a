// Which rooms the classic list shows and in what order: the filter (merge,
// Super rooms, padding for the grid, kind 22) and RoomItemLess, as tables
// and as a property over generated rooms.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "RoomListTestSupport.h"
#include "classic/RoomOrder.h"

namespace {

using roomtest::Room;

class RoomFilter : public roomtest::RoomListTest {
 protected:
  // FilterRoomItems of a list for `gameId` over the rooms in the tables.
  std::vector<RoomItemInfo> Filter(int gameId, int money = 500) {
    auto* list = new C_RoomListLayer(gameId);
    list->autorelease();
    std::vector<RoomItemInfo> all = RoomListLayer::m_vcRoomInfo;
    std::vector<RoomItemInfo> listed;
    list->FilterRoomItems(listed, all, money);
    firstMin = list->m_iFirstRoomMinMoney;
    few = list->m_bFewRooms;
    return listed;
  }
  static std::vector<int> Servers(const std::vector<RoomItemInfo>& rooms) {
    std::vector<int> ids;
    for (const RoomItemInfo& r : rooms) ids.push_back(r.pServerInfo->iServerID);
    return ids;
  }
  int firstMin = 0;
  int few = 0;
};

struct GridCase {
  const char* name;
  std::vector<Room> rooms;
  bool kind22;
  std::vector<int> buttons;  // server ids in button order
};

TEST_F(RoomFilter, PadsTheGridWithCopiesOfTheFirstRoom) {
  const std::vector<GridCase> cases = {
      {"three rooms: four buttons", {{.server = 1}, {.server = 2, .base = 20}, {.server = 3, .base = 30}}, false,
       {1, 1, 2, 3}},
      {"one room: two buttons", {{.server = 1}}, false, {1, 1}},
      {"two rooms: the first twice", {{.server = 1, .cls = 1}, {.server = 2, .cls = 2}}, false, {1, 1, 2}},
      {"four rooms stay four", {{.server = 1, .base = 1}, {.server = 2, .base = 2}, {.server = 3, .base = 3}, {.server = 4, .base = 4}},
       false, {1, 2, 3, 4}},
      {"kind 22, two rooms: each twice", {{.server = 1, .cls = 1}, {.server = 2, .cls = 2}}, true, {1, 1, 2, 2}},
      {"kind 22, one room: two buttons", {{.server = 1, .cls = 1}}, true, {1, 1}},
      {"kind 22 skips rooms below class 1", {{.server = 1, .cls = 0}, {.server = 2, .cls = 1}, {.server = 3, .cls = 2}},
       true, {2, 2, 3, 3}},
  };
  for (const GridCase& c : cases) {
    SCOPED_TRACE(c.name);
    RoomListLayer::ClearRoomTables();
    AddAll(c.rooms);
    gameScene->kind22 = c.kind22;
    EXPECT_EQ(Servers(Filter(62)), c.buttons);
    EXPECT_EQ(few, c.buttons.size() < 4 ? 1 : 0);
  }
}

TEST_F(RoomFilter, CopiesOfOneRoomListOnceWithTheWindowCoveringBoth) {
  struct Case {
    int startA, hoursA, startB, hoursB;
    int start, hours;
  };
  const Case cases[] = {
      {8, 4, 10, 10, 8, 12},   // 8-12 and 10-20
      {10, 10, 8, 4, 8, 12},   // the other order
      {0, 20, 18, 14, 0, 24},  // 0-20 and 18-8: more than a day
      {18, 14, 0, 20, 0, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.startA) + "+" + std::to_string(c.hoursA) + " and " + std::to_string(c.startB) +
                 "+" + std::to_string(c.hoursB));
    RoomListLayer::ClearRoomTables();
    Add({.server = 1, .start = c.startA, .hours = c.hoursA});
    Add({.server = 2, .start = c.startB, .hours = c.hoursB});
    Add({.server = 3, .base = 99});  // another room: another base score
    const std::vector<RoomItemInfo> listed = Filter(62);
    ASSERT_EQ(Servers(listed), (std::vector<int>{1, 1, 3}));
    EXPECT_EQ(listed[0].pServerInfo->iStartHour, c.start);
    EXPECT_EQ(listed[0].pServerInfo->iHours, c.hours);
  }
}

TEST_F(RoomFilter, TheClassicListsKeepOnlyTheSuperRoomOfClass2AndBaseScore300) {
  for (const int gameId : {62, 19, 21}) {
    SCOPED_TRACE(gameId);
    RoomListLayer::ClearRoomTables();
    Add({.server = 1});
    Add({.server = 2, .cls = 2, .base = 300, .gameId = 52, .superBase = 5});
    Add({.server = 3, .cls = 2, .base = 200, .gameId = 52});
    Add({.server = 4, .cls = 1, .base = 300, .gameId = 52});  // Super rooms by (class, Super base score)
    const std::vector<int> expected = gameId == 21 ? std::vector<int>{1, 4, 3, 2} : std::vector<int>{1, 1, 2};
    EXPECT_EQ(Servers(Filter(gameId)), expected);
  }
}

TEST_F(RoomFilter, TheFirstRoomsMinimumIsKeptAndRoomsWithoutRecordsAreDropped) {
  Add({.server = 1, .min = 200, .max = 900});
  RoomListLayer::m_vcRoomInfo.push_back(RoomItemInfo{});  // no server or rule record
  EXPECT_EQ(Servers(Filter(62)), (std::vector<int>{1, 1}));
  EXPECT_EQ(firstMin, 200);
}

// ---------------------------------------------------------------- the order

RoomItemInfo Item(RoomServerInfo& server, RoomRuleInfo& rule, int gameId) {
  RoomItemInfo item;
  item.iGameID = gameId;
  item.pServerInfo = &server;
  item.pRuleInfo = &rule;
  return item;
}

struct LessCase {
  const char* name;
  int gameA, minA, maxA, classA, baseA, superA;
  int gameB, minB, maxB, classB, baseB, superB;
  int money;
  bool less;  // a before b
};

TEST(RoomItemLess, OrdersByFitThenGameThenClassAndBaseScore) {
  const LessCase cases[] = {
      {"the maximum is exclusive", 62, 0, 500, 0, 1, 0, 62, 500, 10000, 0, 1, 0, 500, false},
      {"a fitting room first", 62, 500, 10000, 0, 9, 0, 62, 0, 500, 0, 1, 0, 500, true},
      {"class before base score", 62, 0, 900, 1, 5, 0, 62, 0, 900, 0, 9999, 0, 500, false},
      {"and the other way", 62, 0, 900, 0, 9999, 0, 62, 0, 900, 1, 5, 0, 500, true},
      {"a Super room after another game", 52, 0, 900, 0, 0, 0, 62, 0, 900, 5, 50, 0, 500, false},
      {"another game before a Super room", 62, 0, 900, 5, 50, 0, 52, 0, 900, 0, 0, 0, 500, true},
      {"two Super rooms by the Super base score", 52, 0, 900, 2, 900, 1, 52, 0, 900, 2, 1, 2, 500, true},
      {"two other games by class", 21, 0, 900, 0, 1, 0, 62, 0, 900, 1, 1, 0, 500, true},
      {"classes above 2147", 62, 0, 900, 2148, 0, 0, 62, 0, 900, 2147, 999999, 0, 500, false},
      {"class 2147 before 2148", 62, 0, 900, 2147, 999999, 0, 62, 0, 900, 2148, 0, 0, 500, true},
      {"large base scores", 62, 0, 900, 1, INT_MAX, 0, 62, 0, 900, 2, 0, 0, 500, true},
      {"negative base scores", 62, 0, 900, 3, -5, 0, 62, 0, 900, 3, 4, 0, 500, true},
      {"equal rooms", 62, 0, 900, 1, 5, 0, 62, 0, 900, 1, 5, 0, 500, false},
  };
  for (const LessCase& c : cases) {
    SCOPED_TRACE(c.name);
    RoomServerInfo server;
    RoomRuleInfo ruleA{0, c.minA, c.maxA, 0, c.classA, 0, c.baseA, c.superA, 0, 0};
    RoomRuleInfo ruleB{0, c.minB, c.maxB, 0, c.classB, 0, c.baseB, c.superB, 0, 0};
    const RoomItemInfo a = Item(server, ruleA, c.gameA);
    const RoomItemInfo b = Item(server, ruleB, c.gameB);
    EXPECT_EQ(ddz::rooms::RoomItemLess(a, b, c.money), c.less);
  }
}

TEST(RoomItemLess, IsAStrictWeakOrderOverGeneratedRooms) {
  std::mt19937 random(44);
  std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
  std::uniform_int_distribution<int> pick(0, 5);
  const int classes[] = {0, 1, 2, 2147, 2148, INT_MAX};
  const int games[] = {62, 52, 21, 19, 52, 62};
  constexpr int kRooms = 60;
  std::vector<RoomServerInfo> servers(kRooms);
  std::vector<RoomRuleInfo> rules(kRooms);
  std::vector<RoomItemInfo> rooms;
  for (int i = 0; i < kRooms; ++i) {
    rules[i].iMinMoney = pick(random) * 100;
    rules[i].iMaxMoney = rules[i].iMinMoney + pick(random) * 100;
    rules[i].iRoomClass = classes[pick(random)];
    rules[i].iBaseScore = pick(random) < 3 ? anyInt(random) : pick(random);
    rules[i].iSuperBaseScore = anyInt(random);
    rooms.push_back(Item(servers[i], rules[i], games[pick(random)]));
  }
  const int money = 250;
  for (const RoomItemInfo& a : rooms) {
    EXPECT_FALSE(ddz::rooms::RoomItemLess(a, a, money)) << "irreflexive";
    for (const RoomItemInfo& b : rooms) {
      const bool ab = ddz::rooms::RoomItemLess(a, b, money);
      if (ab) {
        EXPECT_FALSE(ddz::rooms::RoomItemLess(b, a, money)) << "asymmetric";
      }
      for (const RoomItemInfo& c : rooms) {
        if (ab && ddz::rooms::RoomItemLess(b, c, money)) {
          EXPECT_TRUE(ddz::rooms::RoomItemLess(a, c, money));
        }
      }
    }
  }
}

}  // namespace
