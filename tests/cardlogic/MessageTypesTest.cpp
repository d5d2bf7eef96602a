// The game base reads its own frames (login, seats, notices) before any view
// sees a frame, so no table may use one of its types: a table frame of such a
// type would never reach its view. These are the types of every table as
// docs/PROTOCOL.md lists them, server frames and requests.
#include <gtest/gtest.h>

#include <set>
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
       {ddz::sr::MsgType::Play, ddz::sr::MsgType::Bid, ddz::sr::MsgType::Choice, 25, 201, 248}},
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

}  // namespace
