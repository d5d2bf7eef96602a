// Network play against the loopback game server: the login's bytes and its
// answer, seating, ready and escape requests, every game-base notice frame
// reaching its callback, the pump's pace over the connection, the failures
// (no listener, a silent server, a server closing mid-frame, silence while an
// answer is due, half a frame, bytes that are no frame) and the frames that
// arrived whole before a close, the server
// move's re-login, the stash delivered first when the view is back, and the
// room list's way back into a running match.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GamebaseTestSupport.h"
#include "platform/engine/Log.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/framework/YndLoadingBase.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/MessageFields.h"
#include "support/LoopbackGameServer.h"

using ddz::test::Bytes;
using ddz::test::Frames;
using ddz::test::LoopbackGameServer;
using Lines = std::vector<std::string>;
namespace NetType = gamebase::NetType;
namespace ReqType = gamebase::ReqType;

namespace {

Lines Only(const Lines& journal, const std::string& prefix) {
  Lines out;
  for (const std::string& s : journal)
    if (s.rfind(prefix, 0) == 0) out.push_back(s);
  return out;
}

// A view that writes down every network callback with its arguments.
class NetView : public gbtest::RecordingView {
 public:
  static NetView* create() {
    auto* v = new NetView();
    v->autorelease();
    return v;
  }
  void HandleSitRes(char* msg, int len) override {
    add("sit" + std::to_string(len));
    GameViewBase::HandleSitRes(msg, len);
  }
  void CallBackPlayerLeaveTable(int seat) override { add("leave" + std::to_string(seat)); }
  void CallBackOtherPlayerDisconnect(int seat) override { add("offline" + std::to_string(seat)); }
  void CallBackOtherPlayerLoginAgain(int seat) override { add("back" + std::to_string(seat)); }
  void CallBackPlayerReady(int seat) override { add("ready" + std::to_string(seat)); }
  void CallBackPlayerNetDelay(int seat, int value) override {
    add("delay" + std::to_string(seat) + "." + std::to_string(value));
  }
  void CallBackKickOutServerNotice(int reason, KickOutServer* notice) override {
    add("kick" + std::to_string(reason) + "." + (notice ? notice->szText : "null") + "." +
        std::to_string(notice ? notice->iFlag : -1));
    // As the tables do: a box whose OK leaves.
    if (kickOutBox)
      GameMsgBox::shareMessageBox()->ShowMessage(
          "kicked out", 1, this,
          kickOutBoxLeaves ? static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame) : nullptr);
  }
  void CallBackAgainLogin(char*, int len) override { add("again" + std::to_string(len)); }
  void CallBackShowBullInfo(char*, int len) override { add("bull" + std::to_string(len)); }
  void CallBackUrgrCard(char*, int len) override { add("urge" + std::to_string(len)); }
  void CallBackFaceNotice(char*, int len) override { add("face" + std::to_string(len)); }
  void CallBackJackPotNotice(char*, int len) override { add("jackpot" + std::to_string(len)); }
  void CallBackHongBaoNotice(char*, int len) override { add("hongbao" + std::to_string(len)); }
  void CallBackEscapeNotice(int code) override { add("escape" + std::to_string(code)); }
  void CallBackHandleFriendCard(char*, int len) override { add("friend" + std::to_string(len)); }
  void CallBackHandleActiveMoney(char*, int len) override { add("active" + std::to_string(len)); }
  void CallBackHandleAllSocketNetMsg(char*, int) override {}
  bool kickOutBox = false;
  bool kickOutBoxLeaves = true;

 private:
  void add(const std::string& s) { journal.push_back(s); }
};

PlayerNode Player(int userId, int chair, const char* name = "p") {
  PlayerNode p;
  p.iUserID = userId;
  p.cChairID = static_cast<std::uint8_t>(chair);
  p.iMoney = 1000 * userId;
  std::snprintf(p.szNickName, sizeof p.szNickName, "%s", name);
  return p;
}

Bytes AuthenAnswer(int result = 0, int chair = -1, bool handInPlay = false) {
  gamebase::AuthenResult res;
  res.result = result;
  res.table = chair >= 0 ? 7 : -1;
  res.chair = chair;
  res.handInPlay = handInPlay;
  res.serverTime = 1700000000;
  res.self = Player(42, chair >= 0 ? chair : 0, "me");
  return gamebase::BuildAuthenResult(res);
}

Bytes ExpectedAuthen(bool reLogin) {
  gamebase::AuthenRequest req;
  req.userId = 42;
  std::snprintf(req.token, sizeof req.token, "tok");
  req.gameId = GameSceneBase::kDefaultGameKind;
  req.kind = 1;
  req.reLogin = reLogin;
  return gamebase::BuildAuthenRequest(req);
}

class NetworkPlay : public gbtest::GamebaseTest {
 protected:
  void SetUp() override {
    GamebaseTest::SetUp();
    cocos2d::Log::setEchoToStderr(false);
    gamebase::SetGameTextSource([](int n) { return n == GameViewBase::kTextNetLost ? std::string("lost") : std::string(); });
    ASSERT_TRUE(server.ok());
    UseServer(server.port());
    view = NetView::create();
    scene->addChild(view);
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    GamebaseTest::TearDown();
  }
  static void UseServer(int port) {
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    info.iUserID = 42;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(port);
  }
  template <typename Done>
  bool Run(Done&& done, int frames = 600) {
    return ddz::test::RunFrames(director, {live}, done, frames, 0.1f);
  }
  // A server of the test's own from now on (a fresh connection for each case).
  void Use(LoopbackGameServer& other) {
    live = &other;
    UseServer(other.port());
    view->journal.clear();
    cocos2d::Log::clear();
    GameMsgBox::destroyMessageBox();
  }
  // Logs in and sits at chair 1 with two others; the journal is cleared after.
  void LoginAndSit() {
    LoopbackGameServer& peer = *live;
    peer.ExpectBytes(ExpectedAuthen(false), {AuthenAnswer()})
        .ExpectBytes(gamebase::BuildSitRequest(),
                     {gamebase::BuildSitResult(true, 7, 1), gamebase::BuildPlayerJoin(Player(41, 0)),
                      gamebase::BuildPlayerJoin(Player(42, 1)), gamebase::BuildPlayerJoin(Player(43, 2))});
    view->IniMainSocketAuthen();
    ASSERT_TRUE(Run([&] { return view->journal.size() >= 2; }));
    view->SendSitReq();
    const bool seated = Run([&] { return peer.ScriptDone() && view->GetPendingMainMsgCount() == 0 && view->journal.size() >= 6; });
    if (!seated) {
      for (const auto& l : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", l.c_str());
      for (const auto& l : peer.mismatches) std::fprintf(stderr, "mismatch %s\n", l.c_str());
      for (const auto& l : view->journal) std::fprintf(stderr, "journal %s\n", l.c_str());
      std::fprintf(stderr, "requests %zu pending %zu steps %zu\n", peer.requests.size(), view->GetPendingMainMsgCount(), peer.StepsLeft());
    }
    ASSERT_TRUE(seated);
    ASSERT_EQ(peer.mismatches, Lines{});
    view->journal.clear();
  }
  // Two servers on neighbouring ports (`pair`), logged in (a fresh entry) on
  // the first; the journal is cleared after.
  void LogInOnTheFirstOfAPair() {
    pair = ddz::test::ServerPair();
    ASSERT_TRUE(pair.first && pair.second);
    LoopbackGameServer& s = *pair.first;
    UseServer(s.port());
    s.Expect(ReqType::Authen, {AuthenAnswer()});
    view->IniMainSocketAuthen();
    ASSERT_TRUE(ddz::test::RunFrames(director, {&s}, [&] { return view->journal.size() >= 2; }, 60, 0.1f));
    view->journal.clear();
  }
  std::size_t Boxes() const { return cocos2d::Log::count("OnNetConnectFailed: game server 127.0.0.1:" +
                                                         std::to_string(GameViewBase::m_GlobalInfo.iServerPort) +
                                                         " lost (" + std::to_string(lostCode) + ")"); }

  LoopbackGameServer server;
  LoopbackGameServer* live = &server;  // the server Run serves and LoginAndSit uses
  ddz::test::ServerPairResult pair;
  NetView* view = nullptr;
  int lostCode = 0;
};

// ---------------------------------------------------------------- the login road

TEST_F(NetworkPlay, TheLoginSeatReadyAndEscapeRequestsGoOutByteForByteAndTheAnswersReachTheView) {
  server.ExpectBytes(ExpectedAuthen(false), {AuthenAnswer()});
  view->IniMainSocketAuthen();
  ASSERT_TRUE(Run([&] { return view->journal.size() >= 2; }));
  EXPECT_EQ(view->journal, (Lines{"authenInfo.user42.chair0", "authenOK"}));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerTime, 1700000000);

  server
      .ExpectBytes(gamebase::BuildSitRequest(),
                   {gamebase::BuildSitResult(true, 7, 2), gamebase::BuildPlayerJoin(Player(41, 0)),
                    gamebase::BuildPlayerJoin(Player(42, 2)), gamebase::BuildPlayerJoin(Player(43, 1))})
      .ExpectBytes(gamebase::BuildReadyRequest())
      .ExpectBytes(gamebase::BuildEscapeRequest(98));
  view->journal.clear();
  view->SendSitReq();
  ASSERT_TRUE(Run([&] { return view->journal.size() >= 4; }));
  // Own chair 2 is seat 1; chair 0 seat 2, chair 1 seat 0.
  EXPECT_EQ(view->journal, (Lines{"sit20", "join2", "join1", "join0"}));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 2);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iTableNum, 7);
  ASSERT_NE(view->GetPlayerNode(1), nullptr);
  EXPECT_EQ(view->GetPlayerNode(1)->iUserID, 42);
  EXPECT_EQ(view->GetPlayerNode(0)->iMoney, 43000);
  view->SendReadyReq();
  view->SendEscapeReq(98);
  ASSERT_TRUE(Run([&] { return server.ScriptDone(); }));
  EXPECT_EQ(server.mismatches, Lines{});
}

TEST_F(NetworkPlay, EveryNoticeFrameReachesItsCallbackWithItsArguments) {
  LoginAndSit();
  struct Case {
    const char* name;
    Bytes frame;
    std::string entry;
  };
  const std::vector<Case> cases = {
      {"ready", gamebase::BuildSeatNotice(NetType::PlayerReady, 2), "ready2"},
      {"offline", gamebase::BuildSeatNotice(NetType::PlayerOffline, 0), "offline0"},
      {"back", gamebase::BuildSeatNotice(NetType::PlayerBack, 0), "back0"},
      {"net delay", gamebase::BuildNetDelay(2, 350), "delay2.350"},
      {"kick-out", gamebase::BuildKickOut(12, "bye", 1), "kick12.bye.1"},
      {"escape", gamebase::BuildEscapeNotice(5), "escape5"},
      {"re-login snapshot", gamebase::BuildFrame(NetType::AgainLogin, Bytes(524, 0)), "again532"},
      {"broadcast", gamebase::BuildFrame(NetType::Bull, Bytes(204, 0)), "bull212"},
      {"quick chat", gamebase::BuildFrame(NetType::UrgeCard, Bytes(4, 0)), "urge12"},
      {"face", gamebase::BuildFrame(NetType::Face, Bytes(8, 0)), "face16"},
      {"jackpot", gamebase::BuildFrame(NetType::JackPot, Bytes(16, 0)), "jackpot24"},
      {"red packet", gamebase::BuildFrame(NetType::HongBao, Bytes(24, 0)), "hongbao32"},
      {"friend card", gamebase::BuildFrame(NetType::FriendCard, Bytes(8, 0)), "friend16"},
      {"active money", gamebase::BuildFrame(NetType::ActiveMoney, Bytes(104, 0)), "active112"},
      {"hand result", gamebase::BuildFrame(237, Bytes(280, 0)), "result237.288"},
      {"a table's frame", gamebase::BuildFrame(71, Bytes(108, 0)), "msg71.0"},
      {"leave", gamebase::BuildSeatNotice(NetType::PlayerLeave, 0), "leave0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    view->journal.clear();
    server.Send(c.frame);
    ASSERT_TRUE(Run([&] { return !view->journal.empty(); }, 20));
    EXPECT_EQ(view->journal, Lines{c.entry});
  }
  EXPECT_EQ(view->GetPlayerNode(0), nullptr) << "the seat is empty after the leave";
  // Frames too short for what the base reads, or for a seat nobody holds, change nothing.
  view->journal.clear();
  Bytes shortDelay = gamebase::BuildNetDelay(2, 1);
  shortDelay.resize(12);
  shortDelay[2] = 12;
  server.Send(shortDelay);
  server.Send(gamebase::BuildSeatNotice(NetType::PlayerReady, 0));  // seat 0 has left
  server.Send(gamebase::BuildSeatNotice(NetType::PlayerReady, 9));  // no such chair
  Run([&] { return false; }, 10);
  EXPECT_EQ(view->journal, Lines{});
}

TEST_F(NetworkPlay, TableFramesComeOnePerFrameAndWaitWhileTheLockIsRaised) {
  LoginAndSit();
  view->lockOnType = 72;
  GameViewBase::m_iLockMainMsgCount += 1;  // all four arrive before the first is delivered
  for (int type : {71, 72, 73, 56}) server.Send(gamebase::BuildFrame(static_cast<std::uint8_t>(type), Bytes(8, 0)));
  ASSERT_TRUE(Run([&] { return view->GetPendingMainMsgCount() == 4; }, 5));
  EXPECT_EQ(view->journal, Lines{});
  GameViewBase::m_iLockMainMsgCount -= 1;
  std::vector<std::size_t> perFrame;
  for (int i = 0; i < 6; ++i) {
    const std::size_t before = view->journal.size();
    server.Serve();
    director->mainLoop(0.1f);
    perFrame.push_back(view->journal.size() - before);
  }
  EXPECT_EQ(perFrame, (std::vector<std::size_t>{1, 1, 0, 0, 0, 0})) << "72 raised the lock";
  EXPECT_EQ(view->journal, (Lines{"msg71.0", "msg72.0"}));
  GameViewBase::m_iLockMainMsgCount -= 1;
  ASSERT_TRUE(Run([&] { return view->journal.size() == 4; }, 5));
  EXPECT_EQ(view->journal, (Lines{"msg71.0", "msg72.0", "msg73.0", "msg56.0"}));
}

TEST_F(NetworkPlay, TheKeepAliveGoesOutWhileTheNetTestRuns) {
  LoginAndSit();
  server.Expect(ReqType::KeepAlive, {}).ExpectThen(ReqType::KeepAlive, [](const Bytes& req) {
    return Frames{gamebase::BuildKeepAliveAnswer(static_cast<std::int32_t>(req[8]),
                                                 static_cast<std::uint32_t>(ddz::LittleEndianAt(
                                                     reinterpret_cast<const char*>(req.data()), 12)))};
  });
  view->StartNetTest();
  ASSERT_TRUE(Run([&] { return view->GetNetDelayMs() >= 0; }, 200));
  EXPECT_EQ(server.mismatches, Lines{});
  EXPECT_EQ(server.requests.size(), 4u);  // the login, the sit, two keep-alives
  view->StopNetTest();
  const std::size_t requests = server.requests.size();
  Run([&] { return false; }, 120);
  EXPECT_EQ(server.requests.size(), requests) << "no keep-alive once the test stops";
}

// ---------------------------------------------------------------- failures

TEST_F(NetworkPlay, FailuresShowTheBoxOnceInBoundedTimeAndDeliverNothingAfter) {
  struct Case {
    const char* name;
    int code;
  };
  for (const Case& c : {Case{"no listener", TcpClientSock::kErrRefused}, Case{"a silent server", TcpClientSock::kErrTimedOut},
                        Case{"a server closing mid-frame", TcpClientSock::kErrPeerClosed}}) {
    SCOPED_TRACE(c.name);
    cocos2d::Log::clear();
    GameMsgBox::destroyMessageBox();
    LoopbackGameServer local;
    UseServer(c.code == TcpClientSock::kErrRefused ? ddz::test::FreeLoopbackPort() : local.port());
    lostCode = c.code;
    local.silent = c.code == TcpClientSock::kErrTimedOut;
    if (c.code == TcpClientSock::kErrPeerClosed) local.Expect(ReqType::Authen, {AuthenAnswer()});
    view->journal.clear();
    view->IniMainSocketAuthen();
    int frames = 0;
    auto runLocal = [&](int n) {
      for (int i = 0; i < n; ++i, ++frames) {
        local.Serve();
        director->mainLoop(0.1f);
      }
    };
    if (c.code == TcpClientSock::kErrPeerClosed) {
      for (int i = 0; i < 50 && view->journal.size() < 2; ++i) runLocal(1);
      ASSERT_EQ(view->journal, (Lines{"authenInfo.user42.chair0", "authenOK"}));
      // Half a frame, then the close: the part is dropped with the connection.
      const Bytes half = gamebase::BuildFrame(56, Bytes(28, 0));
      local.SendRaw(half.data(), 20);
      runLocal(2);
      local.CloseClient();
    }
    for (int i = 0; i < 200 && Boxes() == 0; ++i) runLocal(1);
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_LE(frames, (GameViewBase::kAuthenWaitMs / 100) + 60) << "bounded time";
    EXPECT_TRUE(GameMsgBox::shareMessageBox()->IsOpen());
    EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), "lost");
    const Lines before = view->journal;
    runLocal(150);
    EXPECT_EQ(Boxes(), 1u) << "reported once";
    EXPECT_EQ(view->journal, before) << "nothing delivered after the failure";
    EXPECT_EQ(view->GetPendingMainMsgCount(), 0u);
    EXPECT_EQ(GameViewBase::GetMainSocket().GetState(), TcpClientSock::State::Closed);
  }
}

// What a server sent whole before it closed reaches the table before the box:
// a kick-out notice still queued behind the table's lock, and frames that came
// in the same read as the close.
TEST_F(NetworkPlay, WholeFramesBeforeACloseAreDeliveredInOrderUnderTheLockThenTheBox) {
  struct Case {
    const char* name;
    bool oneRead;  // the frames and the close in one write, before the client reads
  };
  for (const Case& c : {Case{"queued behind the lock", false}, Case{"in one read with the close", true}}) {
    SCOPED_TRACE(c.name);
    LoopbackGameServer peer;
    Use(peer);
    LoginAndSit();
    lostCode = TcpClientSock::kErrPeerClosed;
    view->lockOnType = 71;
    const Bytes half = gamebase::BuildFrame(56, Bytes(28, 0));
    Bytes stream;
    for (const Bytes& f : {gamebase::BuildFrame(71, Bytes(4, 1)), gamebase::BuildKickOut(12, "bye", 1),
                           gamebase::BuildFrame(73, Bytes(4, 2))})
      stream.insert(stream.end(), f.begin(), f.end());
    stream.insert(stream.end(), half.begin(), half.begin() + 20);
    if (c.oneRead) {
      peer.SendRaw(stream.data(), stream.size());
      peer.CloseClient();
    } else {
      peer.SendRaw(stream.data(), stream.size());
      ASSERT_TRUE(Run([&] { return view->journal.size() == 1; }, 20));
      peer.CloseClient();
    }
    // 71 raised the lock: the rest waits, and so does the box.
    Run([&] { return false; }, 30);
    EXPECT_EQ(view->journal, Lines{"msg71.1"});
    EXPECT_EQ(Boxes(), 0u);
    EXPECT_EQ(GameViewBase::GetMainSocket().GetState(), TcpClientSock::State::Closed);
    GameViewBase::m_iLockMainMsgCount -= 1;  // the table's animation ends
    ASSERT_TRUE(Run([&] { return Boxes() == 1; }, 20));
    EXPECT_EQ(view->journal, (Lines{"msg71.1", "kick12.bye.1", "msg73.2"}));
    EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), "lost");
    Run([&] { return false; }, 20);
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_EQ(view->journal.size(), 3u) << "the half frame is dropped";
    view->lockOnType = -1;
    ResetMainMsgLock();
  }
  live = &server;
}

// A kick-out notice, then the close: the notice's box stays when its OK
// leaves the table; a box without a way out gives way to the lost box.
TEST_F(NetworkPlay, TheBoxOfAKickOutNoticeThatLeavesStaysWhenTheServerThenCloses) {
  for (const bool leaves : {true, false}) {
    SCOPED_TRACE(leaves ? "its OK leaves" : "no way out");
    LoopbackGameServer peer;
    Use(peer);
    LoginAndSit();
    view->kickOutBox = true;
    view->kickOutBoxLeaves = leaves;
    lostCode = TcpClientSock::kErrPeerClosed;
    peer.Send(gamebase::BuildKickOut(3, "", 1));
    peer.CloseClient();
    ASSERT_TRUE(Run([&] { return Boxes() == 1; }, 20));
    EXPECT_EQ(view->journal, Lines{"kick3..1"});
    EXPECT_TRUE(GameMsgBox::shareMessageBox()->IsOpen());
    EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), leaves ? "kicked out" : "lost");
  }
  view->kickOutBox = false;
  live = &server;
}

// A server that stops talking while the client waits for it: no keep-alive
// answer during the net test, or the rest of a frame. The connection is lost
// after kSilenceMs (virtual time), with the box once; a server that answers
// the keep-alives keeps it.
TEST_F(NetworkPlay, ASilentServerOrHalfAFrameLosesTheConnectionAfterThirtySeconds) {
  struct Case {
    const char* name;
    bool netTest, halfFrame, answers;
  };
  for (const Case& c : {Case{"silent while the net test runs", true, false, false},
                        Case{"half a frame, then nothing", false, true, false},
                        Case{"the keep-alives answered", true, false, true}}) {
    SCOPED_TRACE(c.name);
    LoopbackGameServer peer;
    Use(peer);
    LoginAndSit();
    lostCode = TcpClientSock::kErrSilent;
    if (c.answers) {
      for (int i = 0; i < 20; ++i)
        peer.ExpectThen(ReqType::KeepAlive, [](const Bytes& req) {
          return Frames{gamebase::BuildKeepAliveAnswer(static_cast<std::int32_t>(req[8]),
                                                       static_cast<std::uint32_t>(ddz::LittleEndianAt(
                                                           reinterpret_cast<const char*>(req.data()), 12)))};
        });
    } else {
      peer.Ignore(ReqType::KeepAlive);
    }
    if (c.netTest) view->StartNetTest();
    if (c.halfFrame) {
      const Bytes frame = gamebase::BuildFrame(71, Bytes(100, 0));
      peer.SendRaw(frame.data(), 30);
    }
    // Whole seconds of virtual time, one a frame.
    auto seconds = [&](int n) { ddz::test::RunFrames(director, {&peer}, [] { return false; }, n, 1.0f); };
    seconds(GameViewBase::kSilenceMs / 1000 - 2);
    EXPECT_EQ(Boxes(), 0u) << "not before the bound";
    EXPECT_TRUE(GameViewBase::GetMainSocket().IsConnected());
    seconds(4);
    if (c.answers) {
      seconds(30);
      EXPECT_EQ(Boxes(), 0u);
      EXPECT_TRUE(GameViewBase::GetMainSocket().IsConnected());
      view->StopNetTest();
      peer.CloseClient();
      ASSERT_TRUE(Run([&] { return !GameViewBase::GetMainSocket().IsConnected(); }, 20));
      continue;
    }
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), "lost");
    EXPECT_EQ(GameViewBase::GetMainSocket().GetState(), TcpClientSock::State::Closed);
    EXPECT_TRUE(Run([&] { return peer.peerClosed; }, 20)) << "the client closed its end";
    seconds(40);
    EXPECT_EQ(Boxes(), 1u) << "once";
    EXPECT_EQ(view->journal, Lines{}) << "the half frame never reaches the table";
    peer.peerClosed = false;
  }
  live = &server;
}

// Bytes that are no frame of the protocol (a header byte that must be 0 is
// not): the connection ends with a log line and the box; the frame before
// them was delivered, nothing after them is.
TEST_F(NetworkPlay, AHeaderThatIsNoFrameEndsTheConnectionWithTheBox) {
  struct Case {
    const char* name;
    Bytes junk;
  };
  const std::vector<Case> cases = {
      {"random bytes",
       {0x3a, 0x17, 0x10, 0x00, 0x9c, 0x41, 0x00, 0x07, 0x55, 0xe2, 0x08, 0x00, 0x31, 0x00, 0x00, 0x00}},
      {"a length that fits, byte 5 set", {0x00, 0x48, 0x10, 0x00, 0x00, 0x01, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"a length that fits, byte 0 set", {0x01, 0x48, 0x0c, 0x00, 0x00, 0x00, 0x00, 0x00, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackGameServer peer;
    Use(peer);
    LoginAndSit();
    lostCode = TcpClientSock::kErrBadFrame;
    Bytes stream = gamebase::BuildFrame(71, Bytes(4, 1));
    stream.insert(stream.end(), c.junk.begin(), c.junk.end());
    const Bytes after = gamebase::BuildFrame(73, Bytes(4, 2));
    stream.insert(stream.end(), after.begin(), after.end());
    peer.SendRaw(stream.data(), stream.size());
    ASSERT_TRUE(Run([&] { return Boxes() == 1; }, 30));
    EXPECT_EQ(view->journal, Lines{"msg71.1"});
    EXPECT_EQ(cocos2d::Log::count("TcpClientSock: connection to 127.0.0.1:" + std::to_string(peer.port()) +
                                  " lost (bad frame header)"),
              1u);
    EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), "lost");
    EXPECT_TRUE(Run([&] { return peer.peerClosed; }, 20));
    Run([&] { return false; }, 20);
    EXPECT_EQ(Boxes(), 1u);
    EXPECT_EQ(view->journal, Lines{"msg71.1"});
    peer.peerClosed = false;
  }
  live = &server;
}

TEST_F(NetworkPlay, ARefusedLoginShowsItsErrorAndClosesTheConnection) {
  server.Expect(ReqType::Authen, {AuthenAnswer(127)});
  view->IniMainSocketAuthen();
  ASSERT_TRUE(Run([&] { return GameMsgBox::shareMessageBox()->IsOpen(); }, 60));
  EXPECT_EQ(GameMsgBox::shareMessageBox()->GetText(), "authen error[127]");
  EXPECT_EQ(view->journal, Lines{});
  EXPECT_EQ(GameViewBase::GetMainSocket().GetState(), TcpClientSock::State::Closed);
}

TEST_F(NetworkPlay, NothingReachesAViewThatHasGoneOrClosedItsConnection) {
  LoginAndSit();
  // Closed: what the server sends afterwards is never read.
  view->CloseAllSocketConnect(false);
  server.Send(gamebase::BuildFrame(71, Bytes(8, 0)));
  Run([&] { return false; }, 20);
  EXPECT_EQ(view->journal, Lines{});

  // Gone: a second view logs in, frames arrive, the view goes before they are delivered.
  NetView* other = NetView::create();
  other->retain();
  scene->addChild(other);
  server.CloseClient();
  server.Expect(ReqType::Authen, {AuthenAnswer(), gamebase::BuildFrame(71, Bytes(8, 0))});
  other->lockOnType = 71;
  other->IniMainSocketAuthen();
  ASSERT_TRUE(Run([&] { return other->journal.size() >= 3; }, 60));
  server.Send(gamebase::BuildFrame(72, Bytes(8, 0)));
  ASSERT_TRUE(Run([&] { return other->GetPendingMainMsgCount() == 1; }, 20));
  other->removeFromParent();
  other->release();  // destroyed here, with a frame still queued for it
  GameViewBase::m_iLockMainMsgCount = 0;
  server.Send(gamebase::BuildFrame(73, Bytes(8, 0)));
  Run([&] { return false; }, 20);
  EXPECT_EQ(GameViewBase::GetMainSocket().GetState(), TcpClientSock::State::Closed);
  EXPECT_EQ(view->journal, Lines{});
}

// ---------------------------------------------------------------- the server move

TEST_F(NetworkPlay, AServerMoveLogsInAgainOnPortPlusOneWithoutAFreshEntry) {
  ASSERT_NO_FATAL_FAILURE(LogInOnTheFirstOfAPair());
  LoopbackGameServer& first = *pair.first;
  LoopbackGameServer& next = *pair.second;

  // What the table does on the move: the flag, a disconnect, the next server, a login.
  Bytes snapshot = gamebase::BuildFrame(NetType::AgainLogin, Bytes(524, 3));
  next.ExpectBytes(ExpectedAuthen(true), {AuthenAnswer(0, 1, true), snapshot});
  view->m_bServerMove = 1;
  TcpClientSock& sock = GameViewBase::GetMainSocket();
  sock.DisconnectServer(1, true);
  ASSERT_EQ(sock.ConnectServer(GameViewBase::m_GlobalInfo.szServerIP, GameViewBase::m_GlobalInfo.iServerPort + 1, 5, 5), 0);
  view->SendAuthenReq(1);
  ASSERT_TRUE(ddz::test::RunFrames(director, {&first, &next}, [&] { return view->journal.size() >= 2; }, 60, 0.1f));
  EXPECT_EQ(view->journal, (Lines{"authenInfo.user42.chair1", "again532"})) << "no fresh entry";
  EXPECT_EQ(next.mismatches, Lines{});
  EXPECT_EQ(view->m_bServerMove, 0) << "cleared by the login";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iChairID, 1);
  EXPECT_EQ(view->GetPlayerNode(1)->iUserID, 42);
  EXPECT_TRUE(first.peerClosed);

  // A move to a port nobody listens on answers below 0.
  sock.DisconnectServer(1, true);
  EXPECT_LT(sock.ConnectServer("127.0.0.1", ddz::test::FreeLoopbackPort(), 5, 5), 0);
}

// The old server's close waits behind its frames; a move to the next server
// before they are delivered is not lost by it.
TEST_F(NetworkPlay, AServerMoveIsNotLostByTheCloseOfTheServerBefore) {
  ASSERT_NO_FATAL_FAILURE(LogInOnTheFirstOfAPair());
  LoopbackGameServer& first = *pair.first;
  LoopbackGameServer& next = *pair.second;
  view->lockOnType = 71;
  first.Send(gamebase::BuildFrame(71, Bytes(4, 1)));
  first.Send(gamebase::BuildFrame(73, Bytes(4, 2)));
  ASSERT_TRUE(ddz::test::RunFrames(director, {&first}, [&] { return view->journal.size() == 1; }, 20, 0.1f));
  first.CloseClient();
  ddz::test::RunFrames(director, {&first}, [] { return false; }, 5, 0.1f);
  ASSERT_EQ(GameViewBase::GetMainSocket().GetState(), TcpClientSock::State::Closed);

  next.ExpectBytes(ExpectedAuthen(true), {AuthenAnswer(0, 1, false)});
  view->m_bServerMove = 1;
  TcpClientSock& sock = GameViewBase::GetMainSocket();
  ASSERT_EQ(sock.ConnectServer(GameViewBase::m_GlobalInfo.szServerIP, GameViewBase::m_GlobalInfo.iServerPort + 1, 5, 5), 0);
  view->SendAuthenReq(1);
  GameViewBase::m_iLockMainMsgCount -= 1;
  ASSERT_TRUE(ddz::test::RunFrames(director, {&next}, [&] { return view->journal.size() >= 3; }, 60, 0.1f));
  EXPECT_EQ(view->journal, (Lines{"msg71.1", "msg73.2", "authenInfo.user42.chair1"}));
  ddz::test::RunFrames(director, {&next}, [] { return false; }, 20, 0.1f);
  EXPECT_TRUE(sock.IsConnected()) << "the new connection stays";
  EXPECT_FALSE(GameMsgBox::shareMessageBox()->IsOpen());
  EXPECT_EQ(next.mismatches, Lines{});
  view->lockOnType = -1;
}

TEST_F(NetworkPlay, TheReturnFromTheBackgroundIsAReLogin) {
  LoginAndSit();
  server.ExpectBytes(ExpectedAuthen(true), {AuthenAnswer(0, 1, true), gamebase::BuildFrame(NetType::AgainLogin, Bytes(524, 0))})
      .ExpectBytes(ExpectedAuthen(false), {AuthenAnswer()});
  view->CallBackGameEnterBackGround();
  view->CallBackGameEnterForeGround();
  EXPECT_EQ(GameViewBase::m_iLockMainMsgCount.Get(), 0) << "the base gave its raise back";
  view->IniMainSocketAuthen();
  ASSERT_TRUE(Run([&] { return view->journal.size() >= 4; }, 60));
  EXPECT_EQ(view->journal, (Lines{"background", "foreground", "authenInfo.user42.chair1", "again532"}));
  // The flag went with that login: the next one is a fresh entry.
  view->journal.clear();
  view->IniMainSocketAuthen();
  ASSERT_TRUE(Run([&] { return view->journal.size() >= 2; }, 60));
  EXPECT_EQ(view->journal, (Lines{"authenInfo.user42.chair0", "authenOK"}));
  EXPECT_EQ(server.mismatches, Lines{});
}

// ---------------------------------------------------------------- the room list

class NetScene : public GameSceneBase {
 public:
  YndLoadingBase* CreateLoadingView() override { return new YndLoadingBase(); }
  RoomListLayer* CreateRoom(int) override { return new RoomListLayer(); }
  GameViewBase* CreateInstanceGameView(YndLoadingBase*, int) override {
    view = new NetView();
    return view;
  }
  int LoadResStep(YndGameLayer*, int, int) override { return 100; }
  NetView* view = nullptr;
};

class NetworkRoomList : public NetworkPlay {
 protected:
  void SetUp() override {
    NetworkPlay::SetUp();
    view->removeFromParent();
    ddz::os::SetCommandLineText("ddz.exe 127.0.0.1 " + std::to_string(server.port()) + " 3 0 1 42 tok 0");
    netScene = new NetScene();
    netScene->autorelease();
    director->replaceScene(netScene);
    tick(5);
    ASSERT_NE(GameSceneBase::m_pRoomList, nullptr);
    ASSERT_TRUE(GameSceneBase::m_pRoomList->isRunning());
    ASSERT_FALSE(netScene->view->isRunning());
  }
  NetScene* netScene = nullptr;
};

TEST_F(NetworkRoomList, AFrameStashedWhileAwayIsDeliveredFirstOnceTheViewIsBack) {
  NetView* away = netScene->view;
  away->PostGameMessage(gamebase::BuildFrame(73, Bytes(4, 1)).data(), 12);
  const Bytes move = gamebase::BuildFrame(79, Bytes(4000, 9));
  ASSERT_TRUE(away->StashFrameAtFront(reinterpret_cast<const char*>(move.data()), static_cast<int>(move.size())));
  EXPECT_FALSE(away->StashFrameAtFront(nullptr, 12));
  EXPECT_FALSE(away->StashFrameAtFront(reinterpret_cast<const char*>(move.data()), GameViewBase::kMaxGameMessage + 1));
  tick(5);
  EXPECT_EQ(Only(away->journal, "msg"), Lines{}) << "the stash waits for the view";
  GameSceneBase::m_pRoomList->GameViewAuthenResult(0, 0, 0);
  tick(3);
  EXPECT_TRUE(away->isRunning());
  EXPECT_EQ(Only(away->journal, "msg"), (Lines{"msg79.9", "msg73.1"}));
}

TEST_F(NetworkRoomList, EnterLockServerGoesBackIntoAListedServerOnly) {
  LoopbackGameServer match;
  RoomServerInfo listed;
  listed.iServerID = 9;
  std::snprintf(listed.szServerIP, sizeof listed.szServerIP, "127.0.0.1");
  listed.iServerPort = static_cast<std::uint16_t>(match.port());
  RoomListLayer::AddRoom(237, listed, RoomRuleInfo());
  RoomServerInfo refusing = listed;
  refusing.iServerID = 10;
  refusing.iServerPort = static_cast<std::uint16_t>(ddz::test::FreeLoopbackPort());
  RoomListLayer::AddRoom(237, refusing, RoomRuleInfo());
  RoomItemInfo& room = RoomListLayer::m_vcRoomInfo.front();
  RoomListLayer* list = GameSceneBase::m_pRoomList;
  const GlobalInfo before = GameViewBase::m_GlobalInfo;

  EXPECT_FALSE(list->EnterLockServer(11, &room)) << "not listed";
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, before.iServerPort);
  EXPECT_FALSE(list->EnterLockServer(10, &room)) << "listed, but nobody answers";
  EXPECT_FALSE(netScene->view->isRunning());

  match.Expect(ReqType::Authen, {AuthenAnswer(0, 2, true)});
  ASSERT_TRUE(list->EnterLockServer(9, &room));
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerID, 9);
  EXPECT_EQ(GameViewBase::m_GlobalInfo.iServerPort, match.port());
  EXPECT_TRUE(netScene->view->isRunning());
  ASSERT_TRUE(ddz::test::RunFrames(director, {&match}, [&] { return match.ScriptDone() && netScene->view->journal.size() >= 2; }, 60, 0.1f));
  EXPECT_EQ(Since(netScene->view->journal, netScene->view->journal.size() - 2), (Lines{"authenInfo.user42.chair2", "authenOK"}));
}

}  // namespace
