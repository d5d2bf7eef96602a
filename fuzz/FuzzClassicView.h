// What the targets that run the real classic view share: a local server that
// answers nothing (every message the view sees comes from the input), the view
// on it, and the game base's records put back at their start before each run.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>

#include "classic/GameViewPC.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/SingleServerBase.h"
#include "platform/os/Clock.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"

namespace ddz::fuzz {

class SilentServer : public SingleServerBase {
 public:
  explicit SilentServer(IGameMessageSink* view) : SingleServerBase(view) {}
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t*, int) override {}
};

class FuzzView : public GameViewPC {
 public:
  static FuzzView* create() {
    auto* view = new FuzzView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<SilentServer>(this);
    return server.get();
  }
  std::unique_ptr<SilentServer> server;

 private:
  FuzzView() : GameViewPC(nullptr, nullptr, 62) {}
};


}  // namespace ddz::fuzz
