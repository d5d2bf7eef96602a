// The Super table staged for a look, mode by mode: the seats taken, the deal
// and the own bid turn, the bids with the landlord and a wildcard play, the
// own turn's tip that nothing beats the table, and the result. Each stage hands the view the game server's frames of
// SuperFrames.h directly; SuperStageRun's pacer runs the frames between two
// stages so that what a stage starts comes to rest, then hands the stage to
// its look (support/StageRun.h). The program runs on the single-player
// command line with a scene that makes a StagedSuperView, whose local server
// plays nothing. Shared by the Super screen gallery (a real window) and the
// headless layout test. No GoogleTest here.
#pragma once

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cards/SuperSelfHandCard.h"
#include "platform/engine/Director.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/SingleServerBase.h"
#include "shell/QorvDDZGameScene.h"
#include "support/StageRun.h"
#include "support/SuperFrames.h"
#include "variants/SuperGameView.h"

namespace supertest {

// Hands `frame` to the view's dispatcher as the game base would.
inline void Deliver(SuperGameView& view, const Frame& frame) {
  std::vector<char> bytes(frame.begin(), frame.end());
  view.CallBackHandleMainSocketNetMsg(bytes.data(), static_cast<int>(bytes.size()));
}

struct SuperStage {
  const char* name;
  // Frames the caller runs after the stage before it looks.
  int settleFrames;
  void (*act)(SuperGameView& view, int mode);
};

inline const std::vector<SuperStage>& SuperStages() {
  static const std::vector<SuperStage> stages = {
      {"seated", 40,
       [](SuperGameView& view, int mode) {
         // The single-player seats, then the table as a game server shows it.
         if (view.GetPlayerNode(DDZGameView::kOwnSeat) == nullptr) view.SendSitReq();
         GameViewBase::m_GlobalInfo.iPlayMode = 0;
         GameViewBase::m_GlobalInfo.iTableFee = 0;
         std::snprintf(GameViewBase::m_GlobalInfo.szNickName, sizeof GameViewBase::m_GlobalInfo.szNickName, "%s",
                       "Myself");
         Deliver(view, ModeMsg(mode));
         const char* names[] = {"East wind", "Myself", "West wind"};
         for (int seat = 0; seat < 3; ++seat) {
           if (PlayerNode* player = view.GetPlayerNode(seat)) {
             player->iMoney = 128000 + 1111 * seat;
             std::snprintf(player->szNickName, sizeof player->szNickName, "%s", names[seat]);
             std::snprintf(player->szUserName, sizeof player->szUserName, "%s", names[seat]);
           }
         }
         // The two-seat table has no third seat to join.
         for (int seat = 0; seat < (mode == 2 ? 2 : 3); ++seat)
           if (view.GetPlayerNode(seat) != nullptr) view.CallBackPlayerJoinTable(seat);
         view.CallBackPlayerReady(0);
       }},
      {"deal", 200,
       [](SuperGameView& view, int) { Deliver(view, DealMsg(1)); }},
      {"bid-turn", 20,
       [](SuperGameView& view, int) { Deliver(view, Bid(72, 1, 1)); }},
      {"bids", 60,
       [](SuperGameView& view, int mode) {
         if (mode == 0) {
           Deliver(view, Bid(54, 1, 2));
           Deliver(view, Bid(54, 0, 3));
         } else {
           Deliver(view, Bid(54, 1, 4));
           Deliver(view, Bid(54, 0, 5));
         }
         if (mode == 2) {
           Frame let = FrameOf(62, 12);
           PutLE(let, 8, 0);
           Deliver(view, let);
         }
       }},
      {"play", 120,
       [](SuperGameView& view, int mode) {
         Deliver(view, Landlord(0, 3));
         Deliver(view, Bid(73, 0, 0));
         // Three fives, the last one the small joker standing in for a five:
         // the five is the matched byte, the joker its substitute.
         Deliver(view, Play(0, {0x05, 0x25, 0x45}, 48, 5, {0x10}, {0x45}));
         if (mode == 2) {
           Frame let = FrameOf(62, 12);
           PutLE(let, 8, 2);
           Deliver(view, let);
         }
         Deliver(view, Bid(73, 1, 0));
       }},
      {"nothing-beats", 20,
       [](SuperGameView& view, int) {
         // The own turn's tip as it shows when nothing in the hand beats the
         // table, with the turn's buttons and clock.
         if (SuperSelfHandCard* hand = view.GetSelfHand(); hand != nullptr && hand->GetCannotBeatTip() != nullptr) {
           hand->GetCannotBeatTip()->setVisible(true);
           hand->GetCannotBeatTip()->setOpacity(255);
         }
       }},
      {"result", 240,
       [](SuperGameView& view, int mode) {
         Frame result = mode == 2 ? ResultMsg({-240, 240}) : ResultMsg({240, -120, -120});
         std::vector<char> bytes(result.begin(), result.end());
         view.CallBackGameResultServer(bytes.data(), static_cast<int>(bytes.size()));
       }},
  };
  return stages;
}

class StagedSuperView : public SuperGameView {
 public:
  StagedSuperView(GameSceneBase* scene, YndLoadingBase* loading) : SuperGameView(scene, loading, 0) {}
  // The mode stays for the first stage's message 61 to choose.
  SingleServerBase* CallBackCreateSingleServer() override {
    m_Server = std::make_unique<ddz::test::SilentServer>(this);
    return m_Server.get();
  }
  std::unique_ptr<ddz::test::SilentServer> m_Server;
};

// Runs the stages of `mode` one after the other and hands each, once it has
// come to rest, to `look` with its name; ends the program after the last.
class SuperStageRun : public ddz::test::StageRun<StagedSuperView> {
 public:
  SuperStageRun(int mode, Look look) : StageRun(StagesOf(mode), std::move(look)) {}

 private:
  static std::vector<Stage> StagesOf(int mode) {
    std::vector<Stage> out;
    for (const SuperStage& s : SuperStages())
      out.push_back({s.name, s.settleFrames, [act = s.act, mode](StagedSuperView& view) { act(view, mode); }});
    return out;
  }
};

}  // namespace supertest
