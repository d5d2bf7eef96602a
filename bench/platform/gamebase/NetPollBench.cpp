// The frame loop's work on the game-server connection: one frame of the
// director with a logged-in table view whose connection is idle, and with one
// 512-byte table frame arriving (read, cut, queued and delivered in that
// frame). The socket's own poll is measured alone as well. The loopback game
// server of the tests stands in for the server; its sends are not timed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "../../../tests/support/LoopbackGameServer.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/gamebase/GameBaseProtocol.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Clock.h"

namespace {

class QuietView : public GameViewBase {
 public:
  QuietView() : GameViewBase(nullptr, nullptr) {}
  void CallBackHandleMainSocketNetMsg(char*, int) override { ++delivered; }
  long delivered = 0;
};

struct LoggedIn {
  ddz::test::LoopbackGameServer server;
  cocos2d::Director* director = cocos2d::Director::getInstance();
  QuietView* view = nullptr;

  LoggedIn() {
    cocos2d::Log::setEchoToStderr(false);
    ddz::os::Clock().Reset();
    director->reset();
    cocos2d::Scene* scene = cocos2d::Scene::create();
    director->runWithScene(scene);
    GlobalInfo& info = GameViewBase::m_GlobalInfo;
    info = GlobalInfo();
    info.iUserID = 42;
    std::snprintf(info.szServerIP, sizeof info.szServerIP, "127.0.0.1");
    info.iServerPort = static_cast<std::uint16_t>(server.port());
    gamebase::AuthenResult answer;
    answer.self.iUserID = 42;
    server.Expect(gamebase::ReqType::Authen, {gamebase::BuildAuthenResult(answer)});
    view = new QuietView();
    view->autorelease();
    scene->addChild(view);
    view->IniMainSocketAuthen();
    ddz::test::RunFrames(director, {&server}, [&] { return server.ScriptDone() && view->GetPendingMainMsgCount() == 0; },
                         600);
    cocos2d::Log::clear();
  }
  ~LoggedIn() {
    GameViewBase::GetMainSocket().DisconnectServer(0, false);
    director->reset();
  }
};

void BM_FrameWithIdleConnection(benchmark::State& state) {
  LoggedIn table;
  for (auto _ : state) table.director->mainLoop(1.0f / 60);
  if (!GameViewBase::GetMainSocket().IsConnected()) state.SkipWithError("the connection dropped");
}
BENCHMARK(BM_FrameWithIdleConnection);

void BM_FrameWithA512ByteFrameArriving(benchmark::State& state) {
  LoggedIn table;
  const gamebase::Frame frame = gamebase::BuildFrame(71, std::vector<std::uint8_t>(504, 7));
  for (auto _ : state) {
    state.PauseTiming();
    table.server.Send(frame);
    state.ResumeTiming();
    table.director->mainLoop(1.0f / 60);
  }
  // What was still in the socket or the queue when the timing ended comes in
  // the next frames; nothing may be lost.
  for (int i = 0; i < 100 && table.view->delivered < static_cast<long>(state.iterations()); ++i)
    table.director->mainLoop(1.0f / 60);
  if (table.view->delivered != static_cast<long>(state.iterations())) state.SkipWithError("a frame was lost");
}
BENCHMARK(BM_FrameWithA512ByteFrameArriving);

void BM_SocketPollIdle(benchmark::State& state) {
  LoggedIn table;
  TcpClientSock& sock = GameViewBase::GetMainSocket();
  for (auto _ : state) sock.Poll();
}
BENCHMARK(BM_SocketPollIdle);

}  // namespace
