// The game base reads its own frames (login, seats, notices) before any view
// sees a frame, so no table may use one of its types: a table frame of such a
// type would never reach its view. These are the types of every table,
// server frames and requests, and docs/PROTOCOL.md lists the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cardlogic/ClassicMessages.h"
#include "cardlogic/CompeteMessages.h"
#include "cardlogic/SRMessages.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameViewBase.h"

namespace {

namespace cm = ddz::classic::MsgType;

struct TableTypes {
  const char* table;
  std::vector<int> server;    // frames the table's view reads
  std::vector<int> requests;  // requests the table sends
};

std::vector<TableTypes> AllTables() {
  return {
      {"classic",
       {cm::Deal, cm::BidTurn, cm::BidResult, cm::Landlord, cm::PlayTurn, cm::Played, 23, 38, 39, 35, 41, 34, 58, 205, 197},
       {cm::Bid, cm::ShowHand, cm::Play, 25, 41, 201, 248}},
      {"tournament",
       {cm::Deal, cm::BidTurn, cm::BidResult, cm::Landlord, cm::PlayTurn, cm::Played, 27, 74, 78, 63, 60, 34, 75, 62, 76,
        79, 36, 17},
       {25, 16, 77, ddz::compete::MsgType::Play, ddz::compete::MsgType::AutoPlay, cm::Bid, 201, 248}},
      {"four-player",
       {65, 67, 50, 51, 66, 49, 69, 53, 54, 38, 39},
       {ddz::sr::MsgType::Play, ddz::sr::MsgType::Bid, ddz::sr::MsgType::Choice, 201, 248}},
      {"Super",
       {cm::Deal, cm::BidTurn, cm::BidResult, cm::Landlord, cm::PlayTurn, cm::Played, 38, 39, 23, 58, 62, 61, 205},
       {25, cm::Play, cm::Bid, cm::ShowHand, 201, 248}},
      {"mini-game", {35, 41}, {41}},
  };
}

TEST(MessageTypes, NoTableUsesATypeOfTheGameBase) {
  const std::set<int> baseRequests = {gamebase::ReqType::Authen, gamebase::ReqType::Sit, gamebase::ReqType::Ready,
                                      gamebase::ReqType::Escape, gamebase::ReqType::KeepAlive};
  for (const TableTypes& t : AllTables()) {
    SCOPED_TRACE(t.table);
    for (int type : t.server) {
      EXPECT_FALSE(gamebase::IsGameBaseType(type)) << "server frame " << type;
      EXPECT_NE(type, GameViewBase::kMsgGameResult) << "237 is the hand result of every table";
    }
    for (int type : t.requests) EXPECT_EQ(baseRequests.count(type), 0u) << "request " << type;
  }
  // The base's own server types and requests do not overlap either.
  for (int type : baseRequests) EXPECT_FALSE(gamebase::IsGameBaseType(type));
  EXPECT_FALSE(gamebase::IsGameBaseType(GameViewBase::kMsgGameResult));
}

// The numbers of one cell of the document's table, leaving out what stands
// in parentheses ("24 play (68 bytes)" is type 24).
std::set<int> NumbersOf(const std::string& cell) {
  std::string plain;
  int depth = 0;
  for (char c : cell) {
    if (c == '(') ++depth;
    else if (c == ')') depth = std::max(0, depth - 1);
    else if (depth == 0) plain += c;
  }
  std::set<int> numbers;
  for (std::size_t i = 0; i < plain.size();) {
    if (!std::isdigit(static_cast<unsigned char>(plain[i]))) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < plain.size() && std::isdigit(static_cast<unsigned char>(plain[end]))) ++end;
    numbers.insert(std::stoi(plain.substr(i, end - i)));
    i = end;
  }
  return numbers;
}

TEST(MessageTypes, TheProtocolDocumentListsEveryTablesTypes) {
  std::ifstream in(std::string(DDZ_SOURCE_DIR) + "/docs/PROTOCOL.md");
  ASSERT_TRUE(in.good());
  // Rows "| table | server frames | requests |" of the tables' section.
  std::map<std::string, std::pair<std::set<int>, std::set<int>>> documented;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("| ", 0) != 0) continue;
    std::vector<std::string> cells;
    std::stringstream row(line.substr(1));
    for (std::string cell; std::getline(row, cell, '|');) cells.push_back(cell);
    if (cells.size() < 3) continue;
    const std::string name = cells[0].substr(1, cells[0].size() - 2);
    documented[name] = {NumbersOf(cells[1]), NumbersOf(cells[2])};
  }
  for (const TableTypes& t : AllTables()) {
    SCOPED_TRACE(t.table);
    ASSERT_EQ(documented.count(t.table), 1u);
    EXPECT_EQ(documented[t.table].first, std::set<int>(t.server.begin(), t.server.end()));
    EXPECT_EQ(documented[t.table].second, std::set<int>(t.requests.begin(), t.requests.end()));
  }
}

}  // namespace
