// The tournament table staged for a look, through a whole match: the waiting
// room (with its sign-up toast, then with the count of signed-up players),
// the start banner, a dealt hand and the hand in play, the own seat on
// auto-play, the hand's result with its amounts, then the wait tip, the
// promotion screen, the move to the next
// stage's server (a pair of loopback game servers: the second one logs the
// table in again, seats it and deals), the table after the move, and the
// award certificate. Each stage hands the view the game server's frames
// directly (the move's new server sends its own); CompeteStageRun's pacer
// runs the frames between two stages so that what a stage starts comes to
// rest, then hands the stage to its look. The program runs on the
// single-player command line with a scene that makes a StagedCompeteView,
// whose local server plays nothing: it only seats the table. No GoogleTest
// here.
#pragma once

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cards/Vell_SpriteCardManage.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteRoomListLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteMatchFile.h"
#include "platform/engine/Director.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/SingleServerBase.h"
#include "support/CompeteMatchFrames.h"
#include "support/LoopbackGameServer.h"
#include "support/StageRun.h"

namespace competestage {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMatchId = 102;  // the shipped match with four stages
constexpr int kUser = 42;
constexpr int kOwnChair = 1;

// ---- a hand's frames ----
inline Bytes Deal(int tableNum) {
  Bytes f = ddz::test::MatchFrame(CompeteGameView::kMsgDeal, CompeteGameView::kDealSize);
  f[9] = 0x25;  // the face-up card, at table number 0
  f[10] = 0;
  f[11] = 2;
  for (int chair = 0; chair < 3; ++chair) {
    const std::vector<std::uint8_t> cards = ddz::test::ChairCards(chair);
    for (int i = 0; i < 17; ++i) f[35 + 17 * chair + i] = cards[static_cast<std::size_t>(i)];
  }
  ddz::test::PutBig(f, 88, 10);
  for (int t = 0; t < 3; ++t) ddz::test::PutBig(f, 96 + 4 * t, 100 * (t + 1));
  ddz::test::PutLittle(f, 108, tableNum);
  return f;
}
inline Bytes AtTable(int type, int tableNum, std::size_t size) {
  Bytes f = ddz::test::MatchFrame(type, size);
  f[8] = static_cast<std::uint8_t>(tableNum);
  return f;
}
inline Bytes Landlord(int tableNum, int score) {
  Bytes f = AtTable(CompeteGameView::kMsgLandlord, tableNum, 13);
  f[9] = static_cast<std::uint8_t>(score);
  f[10] = 0x45, f[11] = 0x46, f[12] = 0x47;
  return f;
}
inline Bytes Played(int tableNum, const std::vector<std::uint8_t>& cards) {
  Bytes f = AtTable(CompeteGameView::kMsgPlayed, tableNum, 36);
  for (std::size_t i = 0; i < cards.size(); ++i) f[9 + i] = cards[i];
  f[29] = static_cast<std::uint8_t>(cards.size());
  return f;
}
inline Bytes Result(int c0, int c1, int c2) {
  Bytes f = ddz::test::MatchFrame(237, 288);
  f[8] = 1;  // the landlord won
  // The cards the two other tables kept, shown face-up beside the amounts.
  for (int t : {0, 2}) {
    const std::vector<std::uint8_t> cards = ddz::test::ChairCards(t);
    for (int i = 0; i < 8; ++i) f[14 + 20 * t + i] = cards[static_cast<std::size_t>(i)];
  }
  const int changes[3] = {c0, c1, c2};
  for (int t = 0; t < 3; ++t) ddz::test::PutLittle(f, 76 + 4 * t, changes[t]);
  return f;
}

inline void Deliver(CompeteGameView& view, const Bytes& frame) {
  std::vector<char> bytes(frame.begin(), frame.end());
  view.CallBackHandleMainSocketNetMsg(bytes.data(), static_cast<int>(bytes.size()));
}

// What the stages share: the pair of game servers the move goes through.
struct StageWorld {
  std::unique_ptr<ddz::test::LoopbackGameServer> first;
  std::unique_ptr<ddz::test::LoopbackGameServer> second;
  void Serve() {
    if (first) first->Serve();
    if (second) second->Serve();
  }
};

struct CompeteStage {
  const char* name;
  int settleFrames;  // frames the run waits after the stage before it looks
  void (*act)(CompeteGameView& view, StageWorld& world);
};

inline const std::vector<CompeteStage>& CompeteStages() {
  static const std::vector<CompeteStage> stages = {
      {"waiting-room", 30,
       [](CompeteGameView& view, StageWorld&) {
         // The single-player seats, then the table as the match's server
         // shows it.
         if (view.GetPlayerNode(DDZGameView::kOwnSeat) == nullptr) view.SendSitReq();
         GameViewBase::m_GlobalInfo.iPlayMode = 0;
         const char* names[] = {"East wind", "Myself", "West wind"};
         for (int seat = 0; seat < 3; ++seat) {
           if (PlayerNode* player = view.GetPlayerNode(seat)) {
             std::snprintf(player->szNickName, sizeof player->szNickName, "%s", names[seat]);
             std::snprintf(player->szUserName, sizeof player->szUserName, "%s", names[seat]);
           }
         }
         for (int seat = 0; seat < 3; ++seat)
           if (view.GetPlayerNode(seat) != nullptr) view.CallBackPlayerJoinTable(seat);
         if (g_vcCompeteRoomTable.empty()) ddz::LoadCompeteMatchFile(ddz::kCompeteMatchFile, g_vcCompeteRoomTable);
         Deliver(view, ddz::test::StartFrame(kMatchId, 0));
       }},
      {"waiting-count", 100, [](CompeteGameView& view, StageWorld&) { Deliver(view, ddz::test::StageFrame(0, 3)); }},
      {"start-banner", 20, [](CompeteGameView& view, StageWorld&) { Deliver(view, ddz::test::StageFrame(1, 30)); }},
      {"deal", 260, [](CompeteGameView& view, StageWorld&) { Deliver(view, Deal(7)); }},
      {"hand", 90,
       [](CompeteGameView& view, StageWorld&) {
         Deliver(view, AtTable(CompeteGameView::kMsgBidResult, 0, 10));
         Deliver(view, Landlord(0, 3));
         Deliver(view, AtTable(CompeteGameView::kMsgPlayTurn, 0, 9));
         Deliver(view, Played(0, {0x45, 0x65}));
         Deliver(view, AtTable(CompeteGameView::kMsgPlayTurn, kOwnChair, 9));
       }},
      {"auto-play", 30,
       [](CompeteGameView& view, StageWorld&) {
         // The own clock runs out: the time-out pass puts the seat on auto-play.
         if (Vell_SpriteCardManage* hand = view.m_pHandCard[DDZGameView::kOwnSeat]) hand->OnAutoOperate();
       }},
      // The result while its amounts stand (counted up, before it quits).
      {"result", 110,
       [](CompeteGameView& view, StageWorld&) {
         Bytes result = Result(60, -30, -30);
         std::vector<char> bytes(result.begin(), result.end());
         view.CallBackGameResultServer(bytes.data(), static_cast<int>(bytes.size()));
       }},
      // The result has quit: the table waits for the other tables.
      {"result-wait", 30, [](CompeteGameView&, StageWorld&) {}},
      {"promotion", 150,
       [](CompeteGameView& view, StageWorld&) {
         Deliver(view, ddz::test::WaitNumbersFrame(2));
         Deliver(view, ddz::test::RankFrame(1, 1, 5, 12));
       }},
      {"server-move", 60,
       [](CompeteGameView& view, StageWorld& world) {
         // The next stage's server logs the table in again, seats it at
         // table 3 with two others and deals once the seat is taken.
         auto pair = ddz::test::ServerPair();
         world.first = std::move(pair.first);
         world.second = std::move(pair.second);
         if (!world.first || !world.second) return;
         GlobalInfo& info = GameViewBase::m_GlobalInfo;
         info.iUserID = kUser;
         std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
         info.iServerPort = static_cast<std::uint16_t>(world.first->port());
         world.second->Ignore(gamebase::ReqType::KeepAlive);
         gamebase::AuthenResult login;
         login.self = ddz::test::MatchPlayer(kUser, kOwnChair);
         world.second
             ->Expect(gamebase::ReqType::Authen,
                      {gamebase::BuildAuthenResult(login), gamebase::BuildSitResult(true, 3, kOwnChair),
                       gamebase::BuildPlayerJoin(ddz::test::MatchPlayer(51, 0)),
                       gamebase::BuildPlayerJoin(ddz::test::MatchPlayer(kUser, kOwnChair)),
                       gamebase::BuildPlayerJoin(ddz::test::MatchPlayer(53, 2))})
             .Expect(CompeteGameView::kMsgSitDone, {Deal(4)});
         ddz::test::MoveFields move;
         move.outcome = 1;
         move.stage = 2;
         move.tableNum = 4;
         move.rank = 3;
         move.players = 6;
         move.self = ddz::test::MatchPlayer(kUser, kOwnChair);
         Deliver(view, ddz::test::MoveFrame(move));
       }},
      {"after-move", 300, [](CompeteGameView&, StageWorld&) {}},
      {"certificate", 90,
       [](CompeteGameView& view, StageWorld&) {
         ddz::test::AwardFields award;
         award.money = 1000;
         award.rank = 2;
         award.text = YndCodeConvert::U2g("整点金币赛亚军");  // GBK, as the game server sends it
         Deliver(view, ddz::test::AwardFrame(award));
       }},
  };
  return stages;
}

class StagedCompeteView : public CompeteGameView {
 public:
  StagedCompeteView(GameSceneBase* scene, YndLoadingBase* loading) : CompeteGameView(scene, loading) {}
  SingleServerBase* CallBackCreateSingleServer() override {
    m_Server = std::make_unique<ddz::test::SilentServer>(this);
    return m_Server.get();
  }
  std::unique_ptr<ddz::test::SilentServer> m_Server;
};

// Runs the stages one after the other, each once nothing holds the messages,
// and hands each, once it has come to rest, to `look` with its name; ends the
// program after the last. The loopback servers are served every frame.
class CompeteStageRun : public ddz::test::StageRun<StagedCompeteView> {
 public:
  explicit CompeteStageRun(Look look) : StageRun(StagesOf(m_World), std::move(look), true) {}
  // As after a sign-up: the login asks for the match.
  std::function<cocos2d::Scene*()> SceneMaker() {
    return StageRun::SceneMaker([] { g_iCompeteEnterMode = 1; });
  }
  std::function<float(double)> Pacer() {
    return StageRun::Pacer([this] { m_World.Serve(); });
  }

 private:
  static std::vector<Stage> StagesOf(StageWorld& world) {
    std::vector<Stage> out;
    for (const CompeteStage& s : CompeteStages())
      out.push_back({s.name, s.settleFrames, [act = s.act, &world](StagedCompeteView& view) { act(view, world); }});
    return out;
  }
  StageWorld m_World;
};

}  // namespace competestage
