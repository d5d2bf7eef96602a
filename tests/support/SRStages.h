// The four-player table staged for a look: the four seats taken, the deal
// and the own bid turn, the bids, the landlord at the top seat with the
// other three seats' plays on the table and the own turn, and the result
// with the cards the farmers kept.
// Each stage hands the view the game server's frames of SRFrames.h
// directly (support/StageRun.h runs them). The program runs on the
// single-player command line with a scene that makes a StagedSRView, which
// plays the table as a network table. Shared
// by the screen gallery (a real window) and the headless layout test. No
// GoogleTest here.
#pragma once

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/gamebase/GameViewBase.h"
#include "support/SRFrames.h"
#include "support/StageRun.h"
#include "variants/SRGameView.h"

namespace srtest {

class StagedSRView : public SRGameView {
 public:
  StagedSRView(GameSceneBase* scene, YndLoadingBase* loading) : SRGameView(scene, loading) {}
  // The table is built as a network table (no single-player box); the
  // program's login stays the local one, and the first stage turns the table
  // into a network table.
  void CallBackLoadingEnd() override {
    m_GlobalInfo.iPlayMode = 0;
    SRGameView::CallBackLoadingEnd();
    m_GlobalInfo.iPlayMode = 1;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    m_Server = std::make_unique<ddz::test::SilentServer>(this);
    return m_Server.get();
  }
  // One frame as the game base hands it over: the result to its callback,
  // every other type to the dispatcher.
  void Deliver(const Frame& frame) {
    std::vector<char> bytes(frame.begin(), frame.end());
    if (frame.size() > 1 && frame[1] == 237)
      CallBackGameResultServer(bytes.data(), static_cast<int>(bytes.size()));
    else
      CallBackHandleMainSocketNetMsg(bytes.data(), static_cast<int>(bytes.size()));
  }
  // The four chairs seated with long names and large sums, the own chair 1.
  void SeatPlayers() {
    m_GlobalInfo.iPlayMode = 0;
    m_GlobalInfo.iTableFee = 0;
    m_GlobalInfo.iChairID = 1;
    SeatFourChairs(m_PlayerRecord, m_pPlayerNode,
                   [this](int chair) { return GetTablePosByTableNumExtra(static_cast<char>(chair)); }, 1288888);
    const char* names[] = {"East wind", "Myself", "West wind", "North wind"};
    for (int chair = 0; chair < kPlayerCount; ++chair)
      std::snprintf(m_PlayerRecord[chair].szNickName, sizeof m_PlayerRecord[chair].szNickName, "%s", names[chair]);
    // The bottom bar names the own player by the login's nickname.
    std::snprintf(m_GlobalInfo.szNickName, sizeof m_GlobalInfo.szNickName, "%s", names[1]);
    for (int seat = 0; seat < kPlayerCount; ++seat) CallBackPlayerJoinTable(seat);
  }

  std::unique_ptr<ddz::test::SilentServer> m_Server;
};

using SRStage = ddz::test::StageRun<StagedSRView>::Stage;

inline const std::vector<SRStage>& SRStages() {
  static const std::vector<SRStage> stages = {
      {"seated", 40,
       [](StagedSRView& view) {
         view.SeatPlayers();
         view.CallBackPlayerReady(0);
       }},
      {"deal", 250,
       [](StagedSRView& view) {
         DealFields deal;
         deal.own = SomeHand();
         view.Deliver(Deal(deal));
       }},
      {"bid-turn", 20, [](StagedSRView& view) { view.Deliver(Turn(sr::ServerType::BidTurn, 1)); }},
      {"bids", 40,
       [](StagedSRView& view) {
         view.Deliver(Bid(2, 1));
         view.Deliver(Bid(3, 2));
       }},
      {"play", 120,
       [](StagedSRView& view) {
         view.Deliver(Landlord(3, 3, {Card(2, 5), Card(2, 6), Card(2, 7), Card(2, 8), Card(3, 5), Card(3, 6),
                                      Card(3, 7), Card(3, 8)}));
         view.Deliver(Turn(sr::ServerType::PlayTurn, 3));
         view.Deliver(Played(3, {Card(2, 4), Card(3, 4)}));
         view.Deliver(Turn(sr::ServerType::PlayTurn, 0));
         view.Deliver(Played(0, {Card(2, 9), Card(3, 9)}));
         view.Deliver(Turn(sr::ServerType::PlayTurn, 2));
         view.Deliver(Played(2, {Card(2, 12), Card(3, 12)}));
         view.Deliver(Turn(sr::ServerType::PlayTurn, 1));
       }},
      {"result", 150,
       [](StagedSRView& view) {
         ResultFields result;
         result.scores = {-120, -120, -120, 360};
         // The farmers' cards still in hand lie open in their rows: two
         // rows of them on the left, one on the right.
         for (int v = 1; v <= 12; ++v) result.cards[0].push_back(Card(v % 4, v));
         for (int v = 1; v <= 7; ++v) result.cards[2].push_back(Card(v % 4, v + 3));
         view.Deliver(Result(result));
       }},
  };
  return stages;
}

// Runs the stages one after the other and hands each, once it has come to
// rest, to `look` with its name; ends the program after the last.
class SRStageRun : public ddz::test::StageRun<StagedSRView> {
 public:
  explicit SRStageRun(Look look) : StageRun(SRStages(), std::move(look)) {}
};

}  // namespace srtest
