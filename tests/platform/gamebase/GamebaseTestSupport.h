// Fixtures of the game-base tests: a fresh director with a running scene, the
// clock at zero, the game base's process-wide state back at its start, and a
// recording table view with a scripted local server.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameText.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "support/Stage.h"

namespace gbtest {

using Bytes = std::vector<std::uint8_t>;

// A message of `len` bytes: the type in byte 1, `tag` in byte 8.
inline Bytes Msg(int type, int tag = 0, int len = 12) {
  Bytes m(static_cast<std::size_t>(len), 0);
  m[1] = static_cast<std::uint8_t>(type);
  if (len > 8) m[8] = static_cast<std::uint8_t>(tag);
  return m;
}

// A local server that writes down what the library asks of it and answers
// with the messages a test scripted.
class ScriptedServer : public SingleServerBase {
 public:
  ScriptedServer(IGameMessageSink* view, std::vector<std::string>* journal)
      : SingleServerBase(view), journal_(journal) {}
  ~ScriptedServer() override { if (destroyed) ++*destroyed; }

  void StartGame() override {
    ++startGames;
    journal_->push_back("server.StartGame");
    for (const Bytes& m : onStart) SendMsgToGameView(m.data(), m[1], static_cast<int>(m.size()));
  }
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override {
    requests.emplace_back(buf, buf + len);
    journal_->push_back("server.Recv" + std::to_string(buf[1]));
    for (const Bytes& m : onRequest) SendMsgToGameView(m.data(), m[1], static_cast<int>(m.size()));
  }

  int startGames = 0;
  std::vector<Bytes> requests;
  std::vector<Bytes> onStart;    // sent within StartGame
  std::vector<Bytes> onRequest;  // sent within each request
  int* destroyed = nullptr;

 private:
  std::vector<std::string>* journal_;
};

// A table view that writes down every library callback and owns its local
// server, as the client's views do.
class RecordingView : public GameViewBase {
 public:
  explicit RecordingView(GameSceneBase* scene = nullptr, YndLoadingBase* loading = nullptr)
      : GameViewBase(scene, loading) {}
  ~RecordingView() override = default;

  static RecordingView* create(GameSceneBase* scene = nullptr) {
    auto* v = new RecordingView(scene);
    v->autorelease();
    return v;
  }

  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    add("msg" + std::to_string(static_cast<std::uint8_t>(msg[1])) + "." + std::to_string(len > 8 ? msg[8] : 0));
    if (lockOnType == static_cast<std::uint8_t>(msg[1])) m_iLockMainMsgCount += 1;
    if (holdOnType == static_cast<std::uint8_t>(msg[1])) m_iLockMainMsgTime += holdMs;
  }
  bool CallBackFirstHandleMainSocketNetMsg(char* msg, int) override {
    return consumeType == static_cast<std::uint8_t>(msg[1]);
  }
  void CallBackHandleAllSocketNetMsg(char* msg, int) override {
    add("all" + std::to_string(static_cast<std::uint8_t>(msg[1])));
  }
  void CallBackGameResultServer(char* msg, int len) override {
    add("result" + std::to_string(static_cast<std::uint8_t>(msg[1])) + "." + std::to_string(len));
  }
  void CallBackAuthenPlayerInfo(PlayerNode* self) override {
    add("authenInfo.user" + std::to_string(self ? self->iUserID : -1) + ".chair" +
        std::to_string(self ? self->cChairID : -1));
  }
  void CallBackAuthenResOK() override { add("authenOK"); }
  void CallBackPlayerJoinTable(int seat) override { add("join" + std::to_string(seat)); }
  void CallBackLoadingEnd() override {
    add("loadingEnd");
    GameViewBase::CallBackLoadingEnd();
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    add("createServer");
    server = std::make_unique<ScriptedServer>(this, &journal);
    server->destroyed = serverDestroyed;
    return server.get();
  }
  void CallBackGameEnterBackGround() override {
    add("background");
    GameViewBase::CallBackGameEnterBackGround();
  }
  void CallBackGameEnterForeGround() override {
    add("foreground");
    GameViewBase::CallBackGameEnterForeGround();
  }

  using GameViewBase::m_pPlayerNode;

  std::vector<std::string> journal;
  // The view owns its local server; the library only borrows it.
  std::unique_ptr<ScriptedServer> server;
  int* serverDestroyed = nullptr;
  int lockOnType = -1;     // raise the lock count when this type arrives
  int holdOnType = -1;     // add holdMs to the hold time when this type arrives
  int holdMs = 0;
  int consumeType = -1;    // the first-chance hook consumes this type

 private:
  void add(const std::string& s) { journal.push_back(s); }
};

class GamebaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    glview = stage.view;
    ResetGamebase();
  }
  void TearDown() override {
    GameMsgBox::destroyMessageBox();
    director->reset();
    ResetGamebase();
  }

  static void ResetGamebase() {
    GameViewBase::m_GlobalInfo = GlobalInfo();
    ResetMainMsgLock();
    GameViewBase::m_iRoomShowDuiHuanBox = 0;
    RoomListLayer::ClearRoomTables();
    RoomListLayer::m_iExtraRoomInfoFlag = 0;
    gamebase::SetGameTextSource(nullptr);
    ddz::os::ClearLobbyMessages();
    ddz::os::SetCommandLineText("");
    OsApiCommon::shareOsApiCommon()->Reset();
    OsApiBase::shareOsApi()->Reset();
  }

  void tick(int frames = 1, float dt = 1.0f / 60) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }

  // Frames until the view's journal has `n` entries more, at most `limit`.
  static std::vector<std::string> Since(const std::vector<std::string>& journal, std::size_t from) {
    return std::vector<std::string>(journal.begin() + static_cast<std::ptrdiff_t>(from), journal.end());
  }

  cocos2d::Director* director = nullptr;
  cocos2d::GLView* glview = nullptr;
  cocos2d::Scene* scene = nullptr;
};

}  // namespace gbtest
