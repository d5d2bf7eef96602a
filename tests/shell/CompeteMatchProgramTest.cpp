// A whole tournament match through the whole program, headless: the
// tournament list (the shipped match file, a loopback web server answering
// 20035 and 20036), the sign-up through a card's button, the login on the
// match's loopback game server with the sign-up request, the waiting room and
// the start banner, two whole hands played through the own hand's buttons,
// the wait numbers, the rank with the promotion screen, the move to the next
// stage's server (a second loopback server on the next port), a third hand,
// the award with its certificate, and "again" back to the list and into a new
// sign-up. The match has no timetable, so the certificate offers "again".
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compete/CompeteAwardLayer.h"
#include "compete/CompeteGameView.h"
#include "compete/CompeteMsg.h"
#include "compete/CompeteRoomListLayer.h"
#include "compete/CompeteWaitLayer.h"
#include "compete/RoomInfoItem.h"
#include "compete/SignUpLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteMatchFile.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/CompeteWebMsg.h"
#include "gamedata/DdzCompete.h"
#include "platform/engine/Director.h"
#include "platform/engine/GLView.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameLogicLayer.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "compete/CompeteHandScript.h"
#include "support/CompeteHandDriver.h"
#include "support/CompeteMatchFrames.h"
#include "support/LoopbackGameServer.h"
#include "support/LoopbackWebServer.h"
#include "support/TempDir.h"
#include "CompeteProgramSupport.h"
#include "ProgramRunSupport.h"

namespace {

using competetest::HandScript;
using competetest::Player;
using competetest::Sent;
using ddz::test::Bytes;
using ddz::test::Frames;
using Lines = std::vector<std::string>;

constexpr int kMatchA = 101;  // no timetable (kind 1)
constexpr int kUser = 42;

// The real tournament table, writing down the table's frames in order with
// the message lock at each, and the lock after each result.
// What the run leaves for the checks (the scene and its table go with the
// run): the screens in the order they came, with the message lock then (the
// list and the table write themselves down as they enter, since both can
// leave and come back within one frame; the layers on the table are looked
// at every frame), the table's frames in order, the lock after each hand's
// result, and the tables made.
struct MatchRecord {
  Lines screens;
  std::vector<int> locks;
  std::vector<int> types;
  std::vector<int> locksAfterResult;
  int viewsMade = 0;
  void Add(const char* name) {
    screens.push_back(name);
    locks.push_back(GameViewBase::m_iLockMainMsgCount.Get());
  }
};
MatchRecord* g_record = nullptr;

class MatchView : public CompeteGameView {
 public:
  MatchView(GameSceneBase* scene, YndLoadingBase* loading) : CompeteGameView(scene, loading) {}
  void onEnter() override {
    CompeteGameView::onEnter();
    g_record->Add("table");
  }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    const int type = static_cast<std::uint8_t>(msg[1]);
    const auto& table = DispatchedTypes();
    if (std::find(table.begin(), table.end(), type) != table.end()) g_record->types.push_back(type);
    CompeteGameView::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void CallBackGameResultServer(char* msg, int len) override {
    g_record->types.push_back(237);
    CompeteGameView::CallBackGameResultServer(msg, len);
  }
  void OnResultBtnQuit() override {
    CompeteGameView::OnResultBtnQuit();
    g_record->locksAfterResult.push_back(m_iLockMainMsgCount.Get());
  }
};

class MatchList : public CompeteRoomListLayer {
 public:
  void onEnter() override {
    CompeteRoomListLayer::onEnter();
    g_record->Add("list");
  }
};

class MatchScene : public QorvDDZGameScene {
 public:
  RoomListLayer* NewCompeteRoomList() override {
    CompeteRoomListLayer::SetSignUpOpener(SignUpLayer::Open);
    return new MatchList();
  }
  GameViewBase* NewCompeteGameView(YndLoadingBase* loading) override {
    ++g_record->viewsMade;
    return new MatchView(this, loading);
  }
};

Bytes Authen() {
  gamebase::AuthenResult res;
  res.self = Player(kUser, 1);
  return gamebase::BuildAuthenResult(res);
}

// The server seats the user at chair 1 of table 3 with two others.
Frames Seating() {
  return {gamebase::BuildSitResult(true, 3, 1), gamebase::BuildPlayerJoin(Player(41, 0)),
          gamebase::BuildPlayerJoin(Player(kUser, 1)), gamebase::BuildPlayerJoin(Player(43, 2))};
}

using ddz::test::RankFrame;
using ddz::test::StageFrame;
using ddz::test::WaitNumbersFrame;

// A request read back and rebuilt: the login's fields and its bytes.
std::string LoginOf(const Bytes& request) {
  gamebase::AuthenRequest req;
  if (!gamebase::ReadAuthenRequest(request.data(), static_cast<int>(request.size()), req)) return "unreadable";
  if (gamebase::BuildAuthenRequest(req) != request) return "does not rebuild";
  return std::to_string(req.userId) + "." + req.token + "." + std::to_string(req.gameId) + (req.reLogin ? ".again" : ".fresh");
}

// The requests but keep-alives, by type.
std::vector<int> TypesOf(const ddz::test::LoopbackGameServer& s) {
  std::vector<int> out;
  for (const Bytes& r : s.requests)
    if (r[1] != gamebase::ReqType::KeepAlive) out.push_back(r[1]);
  return out;
}

template <typename T>
T* ChildOf(cocos2d::Node* parent) {
  if (parent == nullptr) return nullptr;
  for (cocos2d::Node* child : parent->getChildren())
    if (auto* found = dynamic_cast<T*>(child)) return found;
  return nullptr;
}

TEST(CompeteMatchProgram, AWholeMatchFromTheListThroughTheStagesToTheCertificateAndAgain) {
  shelltest::ProgramRun run;
  g_iCompeteEnterMode = 0;
  g_tLastSignUpNumReply = 0;
  CompeteRoomInfo::m_tLastRequestTime = 0;
  DdzCompete::getInstance()->Reset();

  auto servers = ddz::test::ServerPair();
  ASSERT_TRUE(servers.first && servers.second);
  ddz::test::LoopbackGameServer& first = *servers.first;
  ddz::test::LoopbackGameServer& second = *servers.second;
  first.Ignore(gamebase::ReqType::KeepAlive);
  second.Ignore(gamebase::ReqType::KeepAlive);
  ddz::test::LoopbackWebServer web;
  web.SetResponder(shelltest::CompeteWebAnswer);
  const int closedPort = ddz::test::FreeLoopbackPort();

  ddz::test::TempDir folder;
  std::ofstream(folder.file("rooms.conf"))
      << "# game server address port start hours min max class sub base super second\n"
      << "62 7 127.0.0.1 " << closedPort << " 0 24 0 20000 0 0 10 0 1000\n"
      << "237 20 127.0.0.1 " << first.port() << " 0 24 0 2000000000 " << kMatchA << " 1 0 0 0\n";
  std::ofstream(folder.file("server.conf")) << "[release]\nnormal_web_url = " << web.Url("/ddz")
                                            << "\nweb_sign_key = test!key#0123456ab\n";
  ASSERT_TRUE(shelltest::WriteCompeteLoginRecord(folder.file("MbUserLoginData.dat")));
  {
    // The shipped match without a timetable, with four stages, so the
    // promotion screen has stages to show.
    std::ifstream shipped(std::string(DDZ_SOURCE_DIR) + "/data/compete_matches.conf");
    std::string matches((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    const std::size_t at = matches.find("stages = 6;3\n");
    ASSERT_NE(at, std::string::npos);
    matches.replace(at, 13, "stages = 48;24;12;3\n");
    std::ofstream(folder.file("compete_matches.conf")) << matches;
  }

  // ---- the game servers' scripts ----
  HandScript hands[3];
  competetest::DealFields deals[3];
  for (int h = 0; h < 3; ++h) {
    hands[h].ownBytes = competetest::ChairCards(1);
    hands[h].ownBytes.insert(hands[h].ownBytes.end(), {0x45, 0x46, 0x47});
    if (h > 0)
      for (int t = 0; t < 3; ++t) deals[h].scores[t] = deals[h - 1].scores[t] + hands[h - 1].changes[static_cast<std::size_t>(t)];
  }
  const Bytes sitDone = Sent({0, 77, 8, 0, 0, 0, 0, 0});
  const Bytes dealReceived = Sent(competetest::FrameOf(25, 12));
  std::vector<Bytes> signUps;
  const auto onSignUp = [&](const Bytes& request) {
    signUps.push_back(request);
    return Frames{};
  };
  ddz::test::MoveFields move;
  move.outcome = 1;
  move.stage = 1;
  move.tableNum = 4;
  move.rank = 5;
  move.players = 24;
  move.self = Player(kUser, 1);
  ddz::test::AwardFields award;
  award.money = 1000;
  award.rank = 2;
  award.text = "second";
  hands[0].behindResult = {Sent(competetest::CompeteDeal(deals[1]))};
  hands[1].behindResult = {WaitNumbersFrame(2), RankFrame(1, 1, 5, 24), ddz::test::MoveFrame(move)};
  hands[2].behindResult = {ddz::test::AwardFrame(award)};

  first.Expect(gamebase::ReqType::Authen, {Authen()})
      .ExpectThen(CompeteGameView::kMsgSignUp, [&](const Bytes& request) {
        signUps.push_back(request);
        Frames out = {ddz::test::StartFrame(kMatchA, DdzCompete::getInstance()->m_iSignUpFeeType), StageFrame(0, 5),
                      StageFrame(1, 48)};
        for (const Bytes& f : Seating()) out.push_back(f);
        return out;
      })
      .ExpectBytes(sitDone, {Sent(competetest::CompeteDeal(deals[0]))});
  const auto scriptHand = [&](ddz::test::LoopbackGameServer& server, HandScript& h) {
    server.ExpectBytes(dealReceived, {Sent(competetest::Seat(72, 1, 9))})
        .ExpectThen(ddz::classic::MsgType::Bid, [&h](const Bytes& r) { return h.OnBid(r); })
        .ExpectThen(ddz::classic::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, false); })
        .ExpectThen(ddz::classic::MsgType::Play, [&h](const Bytes& r) { return h.OnPlay(r, true); });
  };
  scriptHand(first, hands[0]);
  scriptHand(first, hands[1]);
  // "Again": a new login on the match's server, and its sign-up.
  first.Expect(gamebase::ReqType::Authen, {Authen()}).ExpectThen(CompeteGameView::kMsgSignUp, onSignUp);
  Frames onMove = {Authen()};
  for (const Bytes& f : Seating()) onMove.push_back(f);
  second.Expect(gamebase::ReqType::Authen, onMove).ExpectBytes(sitDone, {Sent(competetest::CompeteDeal(deals[2]))});
  scriptHand(second, hands[2]);

  // ---- the run ----
  ddz::ProgramOptions options =
      shelltest::TestRunOptions({folder.path(), std::string(DDZ_SOURCE_DIR) + "/data"}, 12000);
  options.startup.createScene = [] { return new MatchScene(); };
  bool urlLoaded = false;
  int signUpPresses = 0;
  bool againPressed = false;
  bool lockNegative = false;
  MatchRecord record;
  g_record = &record;
  bool shown[4] = {};
  std::unique_ptr<competetest::CompeteSeatDriver> driver;
  MatchView* driven = nullptr;
  int certificateRank = 0;
  bool done = false;
  options.pacer = [&](double) {
    if (!urlLoaded) {
      // The web messages read their address once per process.
      CompeteWebMsg::shareCompeteWebMsg()->LoadWebUrl();
      urlLoaded = true;
    }
    first.Serve();
    second.Serve();
    const int lock = GameViewBase::m_iLockMainMsgCount.Get();
    lockNegative = lockNegative || lock < 0;
    auto* list = dynamic_cast<CompeteRoomListLayer*>(GameSceneBase::m_pRoomList);
    auto* view = dynamic_cast<MatchView*>(GameSceneBase::m_pGameView);
    const bool tableUp = view != nullptr && view->isRunning();
    CompeteAwardLayer* certificate = tableUp ? view->GetAwardLayer() : nullptr;
    CompeteMsg* banner = tableUp ? ChildOf<CompeteMsg>(view) : nullptr;
    const bool now[4] = {tableUp && view->m_pCompeteWaitLayer != nullptr && view->m_pCompeteWaitLayer->isRunning(),
                         banner != nullptr && banner->GetMsgType() == 0, tableUp && view->IsPromotionLayerShown(),
                         certificate != nullptr && certificate->isRunning()};
    static const char* const kNames[4] = {"waiting room", "start banner", "promotion", "certificate"};
    for (int i = 0; i < 4; ++i) {
      if (now[i] && !shown[i]) record.Add(kNames[i]);
      shown[i] = now[i];
    }

    // The sign-up through the first card's button, once every count is in.
    if (signUpPresses == 0 && shelltest::EveryCardCounted(list)) {
      shelltest::TapCentre(list->GetRoomItems().front()->GetSignUpButton());
      ++signUpPresses;
    }
    if (tableUp) {
      if (driven != view) {
        driver = std::make_unique<competetest::CompeteSeatDriver>(view, cocos2d::Director::getInstance()->getOpenGLView());
        driven = view;
      }
      driver->Step();
    }
    // The certificate's "again", once its buttons are on.
    if (!againPressed && certificate != nullptr && certificate->isRunning() && certificate->GetAgainButton() != nullptr &&
        certificate->GetAgainButton()->isVisible()) {
      certificateRank = certificate->GetRank();
      shelltest::TapCentre(certificate->GetAgainButton());
      againPressed = true;
    }
    if (againPressed && first.ScriptDone() && signUps.size() == 2 && tableUp && !done) {
      done = true;
      record.Add("end");
      cocos2d::Director::getInstance()->end();
    }
    return 0.05f;
  };
  const std::string port = std::to_string(closedPort);
  const char* argv[] = {"ddz", "127.0.0.1", port.c_str(), "3", "0", "1", "42", "t0ken", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  EXPECT_TRUE(done) << "the run ended at the new sign-up";
  EXPECT_EQ(signUpPresses, 1);
  EXPECT_EQ(first.mismatches, Lines{});
  EXPECT_EQ(second.mismatches, Lines{});
  EXPECT_TRUE(first.ScriptDone()) << first.StepsLeft() << " steps left on the first server";
  EXPECT_TRUE(second.ScriptDone()) << second.StepsLeft() << " steps left on the second server";

  // The requests, byte for byte (the plays are checked by the hand scripts).
  const std::vector<int> hand = {25, 22, 24, 24};
  std::vector<int> expectFirst = {1, 16, 77};
  for (int h = 0; h < 2; ++h) expectFirst.insert(expectFirst.end(), hand.begin(), hand.end());
  expectFirst.insert(expectFirst.end(), {1, 16});
  EXPECT_EQ(TypesOf(first), expectFirst);
  std::vector<int> expectSecond = {1, 77};
  expectSecond.insert(expectSecond.end(), hand.begin(), hand.end());
  EXPECT_EQ(TypesOf(second), expectSecond);
  Lines logins;
  for (const auto* s : {&first, &second})
    for (const Bytes& r : s->requests)
      if (r[1] == gamebase::ReqType::Authen) logins.push_back(LoginOf(r));
  EXPECT_EQ(logins, (Lines{"42.t0ken.237.fresh", "42.t0ken.237.fresh", "42.t0ken.237.again"}))
      << "the first server's two fresh logins, then the move's re-login on the second";
  const std::int32_t fee = DdzCompete::getInstance()->m_iSignUpFeeType;
  Bytes signUp = ddz::test::MatchFrame(CompeteGameView::kMsgSignUp, 16);
  ddz::test::PutLittle(signUp, 8, fee);
  ddz::test::PutLittle(signUp, 12, 200);
  EXPECT_EQ(signUps, (std::vector<Bytes>{signUp, signUp}));
  for (const HandScript& h : hands) {
    EXPECT_EQ(h.plays, 2);
    EXPECT_EQ(h.faults, Lines{});
  }

  // The screens in order, and the message lock.
  g_record = nullptr;
  EXPECT_EQ(record.screens, (Lines{"list", "table", "waiting room", "start banner", "promotion", "certificate", "list",
                                  "table", "end"}))
      << "the move to the next stage's server keeps the table on the stage";
  EXPECT_FALSE(lockNegative);
  EXPECT_EQ(record.locks, (std::vector<int>{0, 0, 0, 1, 0, 1, 1, 0, 0}))
      << "the banner holds the messages, the certificate until the table has left (the list enters as it "
         "leaves); nothing else is left holding";
  EXPECT_EQ(record.locksAfterResult, (std::vector<int>{0, 0, 0})) << "0 after each hand";
  const std::vector<int> oneHand = {72, 54, 55, 73, 56, 56, 56, 73, 56, 237};
  std::vector<int> types = {27, 74, 74, 71};
  types.insert(types.end(), oneHand.begin(), oneHand.end());
  types.push_back(71);
  types.insert(types.end(), oneHand.begin(), oneHand.end());
  types.insert(types.end(), {63, 62, 79, 71});
  types.insert(types.end(), oneHand.begin(), oneHand.end());
  types.push_back(78);
  EXPECT_EQ(record.types, types);
  EXPECT_EQ(certificateRank, 2);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, first.port()) << "the new sign-up is on the match's own server";
  EXPECT_EQ(record.viewsMade, 1) << "one table for the whole road";

  if (::testing::Test::HasFailure()) {
    const auto& lines = cocos2d::Log::lines();
    for (std::size_t i = lines.size() > 150 ? lines.size() - 150 : 0; i < lines.size(); ++i)
      std::fprintf(stderr, "%s\n", lines[i].c_str());
  }
  GameViewBase::GetMainSocket().DisconnectServer(0, false);
  GameLogicLayer::shareGameLogicLayer()->SetWebSignKey("");
  g_iCompeteEnterMode = 0;
  g_bCompetePlayAgain = 0;
  g_tLastSignUpNumReply = 0;
  CompeteRoomInfo::m_tLastRequestTime = 0;
  DdzCompete::getInstance()->Reset();
  CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
  match->m_iState = 0;
  match->m_iStageNo = 0;
}

}  // namespace
