// Fixtures of the tournament table's tests over game-server connections (the
// loopback game servers of tests/support): the real table writing down its
// logins and the own records they hand it, the login's frames and requests,
// a running match on the first server of a pair on neighbouring ports (a
// server move connects to port + 1), and the same with the table on the
// client's scene behind a room list.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CompeteHandScript.h"
#include "compete/CompeteRoomListLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/DdzCompete.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/RoomListLayer.h"
#include "support/CompeteMatchFrames.h"
#include "support/LoopbackGameServer.h"

namespace competetest {

using ddz::test::Bytes;
using ddz::test::Frames;
using ddz::test::LoopbackGameServer;
using Lines = std::vector<std::string>;

constexpr int kUser = 42;

// The table over the connection, writing down also the fresh logins and the
// own records the logins and the move hand it.
class MoveView : public NetCompeteView {
 public:
  static MoveView* create() {
    auto* view = new MoveView();
    view->autorelease();
    return view;
  }
  void CallBackAuthenResOK() override {
    ++freshLogins;
    NetCompeteView::CallBackAuthenResOK();
  }
  void CallBackAuthenPlayerInfo(PlayerNode* self) override {
    selves.push_back(std::to_string(self->iUserID) + "." + std::to_string(self->iMoney));
    NetCompeteView::CallBackAuthenPlayerInfo(self);
  }

  std::vector<std::string> selves;
  int freshLogins = 0;

  explicit MoveView(GameSceneBase* scene = nullptr) : NetCompeteView(scene) {}
};

inline PlayerNode Self(int money = 5000) {
  PlayerNode p = Player(kUser, 1);
  p.iMoney = money;
  return p;
}

inline Bytes AuthenAnswer() {
  gamebase::AuthenResult res;
  res.self = Self();
  return gamebase::BuildAuthenResult(res);
}

inline Bytes AuthenRequest(bool reLogin) {
  gamebase::AuthenRequest req;
  req.userId = kUser;
  std::snprintf(req.token, sizeof req.token, "tok");
  req.gameId = GameSceneBase::kDefaultGameKind;
  req.reLogin = reLogin;
  return gamebase::BuildAuthenRequest(req);
}

inline Bytes SignUpRequest(int fee) {
  Bytes r = ddz::test::MatchFrame(CompeteGameView::kMsgSignUp, CompeteGameView::kSignUpSize);
  ddz::test::PutLittle(r, 8, fee);
  ddz::test::PutLittle(r, 12, 200);
  return r;
}

// A running match on the first server of a pair, the user just signed up
// with fee kind 2.
class ServerMoveTest : public classictest::ClassicTest {
 protected:
  void SetUp() override {
    ClassicTest::SetUp();
    cocos2d::Log::setEchoToStderr(false);
    auto pair = ddz::test::ServerPair();
    first = std::move(pair.first);
    second = std::move(pair.second);
    ASSERT_TRUE(first && second);
    first->Ignore(gamebase::ReqType::KeepAlive);
    second->Ignore(gamebase::ReqType::KeepAlive);
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info.iPlayMode = 0;
    info.iUserID = kUser;
    std::snprintf(info.szUserToken, sizeof info.szUserToken, "tok");
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(first->port());
    CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
    match->m_iState = 2;
    match->m_iStageNo = 1;
    match->m_vcStages = {96, 96, 48, 9, 3};
    DdzCompete::getInstance()->m_iSignUpFeeType = 2;
    g_iCompeteEnterMode = 1;
  }
  void TearDown() override {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    ClassicTest::TearDown();
    CompeteGameInfo* match = CompeteGameInfo::shareCompeteGameInfo();
    match->m_iState = 0;
    match->m_iStageNo = 0;
    match->m_vcStages.clear();
    DdzCompete::getInstance()->Reset();
    g_iCompeteEnterMode = 0;
  }
  MoveView* PutView() {
    MoveView* v = MoveView::create();
    scene->addChild(v);
    return v;
  }
  // The fresh login on the first server and the sign-up it sends.
  void LogIn(MoveView* v) {
    first->ExpectBytes(AuthenRequest(false), {AuthenAnswer()}).ExpectBytes(SignUpRequest(2));
    v->IniMainSocketAuthen();
    ASSERT_TRUE(Run([&] { return first->ScriptDone(); }));
  }
  template <typename Done>
  bool Run(Done&& done, int frames = 300) {
    return ddz::test::RunFrames(director, {first.get(), second.get()}, done, frames, 0.05f);
  }
  // The requests a server got but keep-alives.
  static Frames Requests(const LoopbackGameServer& s) {
    Frames out;
    for (const Bytes& r : s.requests)
      if (r[1] != gamebase::ReqType::KeepAlive) out.push_back(r);
    return out;
  }

  std::unique_ptr<LoopbackGameServer> first;
  std::unique_ptr<LoopbackGameServer> second;
};

// The view off the stage, behind a room list on the client's scene.
class ServerMoveAwayTest : public ServerMoveTest {
 protected:
  void SetUp() override {
    ServerMoveTest::SetUp();
    auto* gameScene = new GameSceneBase();
    gameScene->autorelease();
    director->replaceScene(gameScene);
    tick(2);
    view = new MoveView(gameScene);  // the scene keeps this reference
    GameSceneBase::m_pGameView = view;
    list = new RoomListLayer();
    GameSceneBase::m_pRoomList = list;
    RoomListLayer::shareRoomListLayer(list);
    gameScene->addChild(view);
  }
  MoveView* view = nullptr;
  RoomListLayer* list = nullptr;
};

}  // namespace competetest
