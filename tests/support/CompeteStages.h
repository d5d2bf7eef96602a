// The tournament table staged for a look, through a whole match: the waiting
// room (with its sign-up toast, then with the count of signed-up players),
// the start banner, a dealt hand and the hand in play, the hand's
// result with the wait tip, the promotion screen, the move to the next
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

#include "compete/CompeteGameView.h"
#include "compete/CompeteRoomListLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteMatchFile.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Director.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/SingleServerBase.h"
#include "shell/QorvDDZGameScene.h"
#include "support/CompeteMatchFrames.h"
#include "support/LoopbackGameServer.h"

namespace competestage {

using Bytes = std::vector<std::uint8_t>;

constexpr int kMatchId = 102;  // the shipped match with four stages
constexpr int kUser = 42;
constexpr int kOwnChair = 1;

inline PlayerNode Player(int userId, int chair, const char* name) {
  PlayerNode p;
  p.iUserID = userId;
  p.cChairID = static_cast<std::uint8_t>(chair);
  p.iMoney = 5000;
  p.cHeadID = 1;
  p.iLevel = 10;
  std::snprintf(p.szNickName, sizeof p.szNickName, "%s", name);
  std::snprintf(p.szUserName, sizeof p.szUserName, "%s", name);
  return p;
}

// ---- the match's frames ----
inline Bytes MatchStart() {
  Bytes f = ddz::test::MatchFrame(CompeteGameView::kMsgCompeteStart, 1904);
  f[8] = 0;  // not started: the waiting room
  ddz::test::PutLittle(f, 12, 3);
  ddz::test::PutLittle(f, 16, static_cast<int>(DdzCompete::getInstance()->GetServerNow()) + 600);
  for (const CompeteMatchRecord& record : g_vcCompeteRoomTable)
    if (record.iMatchId == kMatchId) std::memcpy(f.data() + 20, &record, sizeof record);
  return f;
}
inline Bytes Stage(int state, int players) {
  Bytes f = ddz::test::MatchFrame(CompeteGameView::kMsgStageChange, 16);
  f[8] = static_cast<std::uint8_t>(state);
  ddz::test::PutBig(f, 12, players);
  return f;
}
inline Bytes WaitNumbers(int tables) {
  Bytes f = ddz::test::MatchFrame(CompeteGameView::kMsgWaitNumbers, 16);
  ddz::test::PutLittle(f, 8, tables);
  return f;
}
inline Bytes Rank(int outcome, int stage, int rank, int players) {
  Bytes f = ddz::test::MatchFrame(CompeteGameView::kMsgRankUpdate, 24);
  f[8] = static_cast<std::uint8_t>(outcome);
  f[9] = static_cast<std::uint8_t>(stage);
  ddz::test::PutBig(f, 12, rank);
  ddz::test::PutBig(f, 20, players);
  return f;
}

// ---- a hand's frames ----
// Chair c holds values of suit c (chair 1 both jokers too).
inline std::vector<std::uint8_t> ChairCards(int chair) {
  if (chair == 1) return {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 16, 17, 0x23, 0x24};
  std::vector<std::uint8_t> bytes;
  const int suit = chair == 0 ? 2 : 3;
  for (int i = 0; i < 17; ++i) bytes.push_back(static_cast<std::uint8_t>((suit << 5) | (1 + i % 13)));
  return bytes;
}
inline Bytes Deal(int tableNum) {
  Bytes f = ddz::test::MatchFrame(CompeteGameView::kMsgDeal, CompeteGameView::kDealSize);
  f[9] = 0x25;  // the face-up card, at table number 0
  f[10] = 0;
  f[11] = 2;
  for (int chair = 0; chair < 3; ++chair) {
    const std::vector<std::uint8_t> cards = ChairCards(chair);
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
         Deliver(view, MatchStart());
       }},
      {"waiting-count", 100, [](CompeteGameView& view, StageWorld&) { Deliver(view, Stage(0, 5)); }},
      {"start-banner", 20, [](CompeteGameView& view, StageWorld&) { Deliver(view, Stage(1, 30)); }},
      {"deal", 260, [](CompeteGameView& view, StageWorld&) { Deliver(view, Deal(7)); }},
      {"hand", 90,
       [](CompeteGameView& view, StageWorld&) {
         Deliver(view, AtTable(CompeteGameView::kMsgBidResult, 0, 10));
         Deliver(view, Landlord(0, 3));
         Deliver(view, AtTable(CompeteGameView::kMsgPlayTurn, 0, 9));
         Deliver(view, Played(0, {0x45, 0x65}));
         Deliver(view, AtTable(CompeteGameView::kMsgPlayTurn, kOwnChair, 9));
       }},
      {"result", 200,
       [](CompeteGameView& view, StageWorld&) {
         Bytes result = Result(60, -30, -30);
         std::vector<char> bytes(result.begin(), result.end());
         view.CallBackGameResultServer(bytes.data(), static_cast<int>(bytes.size()));
       }},
      {"promotion", 150,
       [](CompeteGameView& view, StageWorld&) {
         Deliver(view, WaitNumbers(2));
         Deliver(view, Rank(1, 1, 5, 12));
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
         login.self = Player(kUser, kOwnChair, "Myself");
         world.second
             ->Expect(gamebase::ReqType::Authen,
                      {gamebase::BuildAuthenResult(login), gamebase::BuildSitResult(true, 3, kOwnChair),
                       gamebase::BuildPlayerJoin(Player(51, 0, "North star")),
                       gamebase::BuildPlayerJoin(Player(kUser, kOwnChair, "Myself")),
                       gamebase::BuildPlayerJoin(Player(53, 2, "South star"))})
             .Expect(CompeteGameView::kMsgSitDone, {Deal(4)});
         ddz::test::MoveFields move;
         move.outcome = 1;
         move.stage = 2;
         move.tableNum = 4;
         move.rank = 3;
         move.players = 6;
         move.self = Player(kUser, kOwnChair, "Myself");
         Deliver(view, ddz::test::MoveFrame(move));
       }},
      {"after-move", 300, [](CompeteGameView&, StageWorld&) {}},
      {"certificate", 90,
       [](CompeteGameView& view, StageWorld&) {
         ddz::test::AwardFields award;
         award.money = 1000;
         award.rank = 2;
         award.text = "second";
         Deliver(view, ddz::test::AwardFrame(award));
       }},
  };
  return stages;
}

// A local server that plays nothing: the stages bring every message.
class SilentServer : public SingleServerBase {
 public:
  using SingleServerBase::SingleServerBase;
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t*, int) override {}
};

class StagedCompeteView : public CompeteGameView {
 public:
  StagedCompeteView(GameSceneBase* scene, YndLoadingBase* loading) : CompeteGameView(scene, loading) {}
  SingleServerBase* CallBackCreateSingleServer() override {
    m_Server = std::make_unique<SilentServer>(this);
    return m_Server.get();
  }
  std::unique_ptr<SilentServer> m_Server;
};

// The scene of the staged run: the table it makes is a StagedCompeteView,
// which `made` points at (borrowed; the scene owns it).
class StagedCompeteScene : public QorvDDZGameScene {
 public:
  explicit StagedCompeteScene(StagedCompeteView** made) : m_ppMade(made) {}
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int) override {
    *m_ppMade = new StagedCompeteView(this, loading);
    return *m_ppMade;
  }

 private:
  StagedCompeteView** m_ppMade;
};

// Runs the stages one after the other and hands each, once it has come to
// rest, to `look` with its name; ends the program after the last.
class CompeteStageRun {
 public:
  using Look = std::function<void(const std::string& name, CompeteGameView& view)>;
  static constexpr int kEnterFrames = 30;
  static constexpr float kFrameSeconds = 1.0f / 30;

  explicit CompeteStageRun(Look look) : m_Look(std::move(look)) {}

  std::function<cocos2d::Scene*()> SceneMaker() {
    return [this] {
      // As after a sign-up: the login asks for the match.
      g_iCompeteEnterMode = 1;
      return new StagedCompeteScene(&m_pView);
    };
  }
  std::function<float(double)> Pacer() {
    return [this](double) {
      m_World.Serve();
      Step();
      return kFrameSeconds;
    };
  }
  std::size_t StagesDone() const { return m_uNext; }

 private:
  void Step() {
    if (m_pView == nullptr || !m_pView->isRunning() || --m_iWait > 0) return;
    const auto& stages = CompeteStages();
    if (m_uNext > 0 && !m_bLooked) m_Look(stages[m_uNext - 1].name, *m_pView);
    m_bLooked = true;
    // The frames come straight to the view, past the game base's queue: the
    // next stage waits, as the queue would, while something holds the
    // messages (a banner, a promotion, a deal).
    if (GameViewBase::m_iLockMainMsgCount > 0 || GameViewBase::m_iLockMainMsgTime > 0) return;
    if (m_uNext == stages.size()) {
      cocos2d::Director::getInstance()->end();
      return;
    }
    stages[m_uNext].act(*m_pView, m_World);
    m_iWait = stages[m_uNext].settleFrames;
    m_bLooked = false;
    ++m_uNext;
  }

  Look m_Look;
  StageWorld m_World;
  StagedCompeteView* m_pView = nullptr;  // made by the scene
  std::size_t m_uNext = 0;
  int m_iWait = kEnterFrames;
  bool m_bLooked = false;
};

}  // namespace competestage
