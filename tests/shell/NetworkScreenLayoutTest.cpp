// The classic table in network play, headless: the whole program on a
// network command line against the loopback game server, through the login,
// the seats, the deal, the own bid turn and the own seat taking the landlord's
// part, the table's settings (its word on the felt) coming before the deal.
// At each screen the layout and table checks (support/ScreenTour.h,
// support/TableLook.h) find nothing (the bid buttons leave the turn clock
// in sight), and the seats show what the server said: no head where nobody
// sits, one own head with its picture in its frame, and the own landlord hat
// by the own head, not under the left seat's.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ProgramRunSupport.h"
#include "cardlogic/ClassicMessages.h"
#include "classic/BottomUIPC.h"
#include "classic/GameViewPC.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Director.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/ProgramMain.h"
#include "support/LoopbackGameServer.h"
#include "support/ScreenTour.h"
#include "support/TableLook.h"
#include "support/TempDir.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/PlayerShow.h"

namespace {

namespace cm = ddz::classic;
using ddz::tour::ShownOnStage;
using ddz::tour::WorldBox;

PlayerNode Player(int userId, int chair) {
  PlayerNode p;
  p.iUserID = userId;
  p.cChairID = static_cast<std::uint8_t>(chair);
  p.iMoney = 5000;
  p.cHeadID = static_cast<std::uint8_t>(chair + 1);
  std::snprintf(p.szNickName, sizeof p.szNickName, "p%d", userId);
  return p;
}

// A frame as it travels: its length in bytes 2-3.
ddz::test::Bytes Sent(ddz::test::Bytes frame) {
  frame[2] = static_cast<std::uint8_t>(frame.size() & 0xff);
  frame[3] = static_cast<std::uint8_t>(frame.size() >> 8);
  return frame;
}

ddz::test::Bytes Deal() {
  cm::DealBlocks blocks;
  for (int chair = 0; chair < 3; ++chair)
    for (int i = 0; i < 17; ++i)
      blocks.hands[chair][i] = static_cast<std::uint8_t>(((chair + i) % 4) << 5 | (1 + i % 13));
  blocks.openCard = 0x25;
  blocks.firstBidder = 1;
  blocks.panelNumber = 5000;
  return Sent(cm::BuildDeal(blocks));
}

// The table's settings as a server sends them when the seats are taken: the
// fee, no activity countdown, the mode, and the day word on the felt.
ddz::test::Bytes TableSettings() {
  ddz::test::Bytes frame(24, 0);
  frame[1] = 38;
  frame[8] = 50;  // the fee, little-endian
  return Sent(frame);
}

// The shown heads of the seats, as window boxes.
std::vector<cocos2d::Rect> HeadBoxes(cocos2d::Node* head) {
  std::vector<cocos2d::Rect> boxes;
  std::function<void(cocos2d::Node*)> walk = [&](cocos2d::Node* n) {
    if (!n->isVisible()) return;
    if (dynamic_cast<cocos2d::Sprite*>(n) != nullptr && n->getContentSize().width > 0) boxes.push_back(WorldBox(n));
    for (cocos2d::Node* child : n->getChildren()) walk(child);
  };
  if (head != nullptr && ShownOnStage(head)) walk(head);
  return boxes;
}

TEST(NetworkScreenLayout, EveryStageOfANetworkHandShowsTheSeatsAsTheServerHasThem) {
  shelltest::ProgramRun run;
  ddz::test::LoopbackGameServer server;
  ASSERT_TRUE(server.ok());
  gamebase::AuthenResult answer;
  answer.self = Player(42, 1);
  server.Expect(gamebase::ReqType::Authen, {gamebase::BuildAuthenResult(answer)})
      .ExpectBytes(gamebase::BuildSitRequest(),
                   {gamebase::BuildSitResult(true, 3, 1), gamebase::BuildPlayerJoin(Player(41, 0)),
                    gamebase::BuildPlayerJoin(Player(42, 1)), gamebase::BuildPlayerJoin(Player(43, 2))});
  server.Ignore(gamebase::ReqType::KeepAlive);
  server.Ignore(25);  // the deal's answer
  server.Ignore(22);  // the bid

  ddz::test::TempDir folder;
  std::ofstream(folder.file("rooms.conf")) << "# no rooms\n";
  ddz::ProgramOptions options =
      shelltest::TestRunOptions({folder.path(), std::string(DDZ_SOURCE_DIR) + "/data", DDZ_ART_DIR}, 30 * 60);

  // The stages: each waits until its condition holds, then is looked at
  // once the table stands still, then acts.
  struct Stage {
    std::string name;
    std::function<bool(GameViewPC&)> ready;
    std::function<void(GameViewPC&)> act;
  };
  std::vector<std::string> seen;
  std::vector<std::string> problems;
  const auto look = [&](const std::string& name, GameViewPC& view) {
    seen.push_back(name);
    cocos2d::Scene* scene = cocos2d::Director::getInstance()->getRunningScene();
    for (const std::string& p : ddz::tour::CheckLayout(scene, nullptr)) problems.push_back(name + ": " + p);
    for (const std::string& p : ddz::tour::CheckTable(scene, view)) problems.push_back(name + ": " + p);
    // One own head: the bottom bar's; no seat head where nobody sits.
    for (int seat : {0, 2})
      if (view.GetPlayerNode(seat) == nullptr && !HeadBoxes(view.m_pPlayerShow[seat]).empty())
        problems.push_back(name + ": a head at seat " + std::to_string(seat) + ", where nobody sits");
    if (!HeadBoxes(view.m_pPlayerShow[DDZGameView::kOwnSeat]).empty())
      problems.push_back(name + ": a second own head beside the bottom bar's");
    // The bar's head picture sits in its frame, not beside the frame's own.
    if (BottomUIPC* bar = view.m_pBottomUIPC; bar != nullptr && bar->GetHeadSprite() != nullptr &&
                                              ShownOnStage(bar->GetHeadSprite()) && bar->GetHeadFrame() != nullptr) {
      const cocos2d::Vec2 head = ddz::tour::WorldCentre(bar->GetHeadSprite());
      const cocos2d::Vec2 frame = ddz::tour::WorldCentre(bar->GetHeadFrame());
      if (head.distance(frame) > 2) problems.push_back(name + ": the own head picture beside its frame");
    }
  };
  const std::vector<Stage> stages = {
      {"login", [](GameViewPC& v) { return v.GetStartButton() != nullptr && ShownOnStage(v.GetStartButton()); },
       [](GameViewPC& v) {
         const cocos2d::Vec2 at = ddz::tour::WorldCentre(v.GetStartButton());
         cocos2d::Director::getInstance()->getOpenGLView()->click(at.x, 720 - at.y);
       }},
      {"seated", [](GameViewPC& v) { return v.GetPlayerNode(0) != nullptr && v.GetPlayerNode(2) != nullptr; },
       [&](GameViewPC&) {
         server.Send(TableSettings());
         server.Send(Deal());
       }},
      {"dealt", [](GameViewPC& v) { return v.GetSelfHand() != nullptr && v.GetSelfHand()->GetCardCount() == 17; },
       [&](GameViewPC&) { server.Send(Sent(cm::BuildBidTurn(1, 0))); }},
      {"bid-own", [](GameViewPC& v) { return ShownOnStage(v.GetSelfHand()->GetMainButton(SelfHandCard::kBtnBid3)); },
       [&](GameViewPC&) {
         server.Send(Sent(cm::BuildBidResult(1, 3, 0)));
         server.Send(Sent(cm::BuildLandlord(1, 3, {0x2a, 0x2b, 0x2c})));
         server.Send(Sent(cm::BuildPlayTurn(1)));
       }},
      {"own-landlord",
       [](GameViewPC& v) { return ShownOnStage(v.GetSelfHand()->GetMainButton(SelfHandCard::kBtnPlay)); }, nullptr},
  };
  std::size_t next = 0;
  int still = 0;
  cocos2d::Vec2 ownHat, leftHead;
  options.pacer = [&](double) {
    server.Serve();
    auto* view = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (view == nullptr || !view->isRunning() || next == stages.size()) return 1.0f / 30;
    const Stage& stage = stages[next];
    if (!stage.ready(*view)) return 1.0f / 30;
    // At rest, or a second after the stage came.
    if (ddz::tour::AnyActionRuns(cocos2d::Director::getInstance()->getRunningScene()) && ++still < 30) return 1.0f / 30;
    still = 0;
    look(stage.name, *view);
    if (stage.name == "own-landlord") {
      PlayerGameInfo* info = view->m_pPlayerGameInfo[DDZGameView::kOwnSeat];
      if (info != nullptr && info->GetLandOwner() != nullptr) ownHat = ddz::tour::WorldCentre(info->GetLandOwner());
      const std::vector<cocos2d::Rect> heads = HeadBoxes(view->m_pPlayerShow[0]);
      if (!heads.empty()) leftHead = {heads.front().getMidX(), heads.front().getMidY()};
    }
    if (stage.act) stage.act(*view);
    if (++next == stages.size()) cocos2d::Director::getInstance()->end();
    return 1.0f / 30;
  };
  const std::string port = std::to_string(server.port());
  const char* argv[] = {"ddz", "127.0.0.1", port.c_str(), "3", "0", "1", "42", "t0ken", "0", "--headless"};
  EXPECT_EQ(ddz::RunProgram(10, argv, std::move(options)), 0);

  EXPECT_EQ(seen.size(), stages.size()) << "stages reached: " << seen.size();
  EXPECT_EQ(problems, std::vector<std::string>{});
  EXPECT_EQ(server.mismatches, std::vector<std::string>{});
  // The own hat sits at the bottom, by the own head, not under the left seat's.
  EXPECT_LT(ownHat.y, 200) << "the own landlord hat at " << ownHat.x << "," << ownHat.y;
  EXPECT_GT(leftHead.y, 400) << "the left seat's head at " << leftHead.x << "," << leftHead.y;
}

}  // namespace
