// The whole program in a real window (SDL's offscreen driver): a hand is
// dealt, then the window loses its focus for three seconds and is minimised
// and restored, through the window's own events. The hand goes on where it
// was: no background path, no new login, no second deal, no start button.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cards/SelfHandCard.h"
#include "classic/GameViewPC.h"
#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "platform/window/SdlWindow.h"
#include "shell/ProgramMain.h"
#include "shell/QorvDDZGameScene.h"
#include "shell/ProgramRunSupport.h"

namespace {

struct Seen {
  std::vector<int> types;
  int backgrounds = 0;
  int foregrounds = 0;
};
Seen& Watched() {
  static Seen seen;
  return seen;
}

class WatchedTable : public GameViewPC {
 public:
  using GameViewPC::GameViewPC;
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override {
    Watched().types.push_back(static_cast<std::uint8_t>(msg[1]));
    GameViewPC::CallBackHandleMainSocketNetMsg(msg, len);
  }
  void CallBackGameEnterBackGround() override {
    ++Watched().backgrounds;
    GameViewPC::CallBackGameEnterBackGround();
  }
  void CallBackGameEnterForeGround() override {
    ++Watched().foregrounds;
    GameViewPC::CallBackGameEnterForeGround();
  }
};

class WatchedScene : public QorvDDZGameScene {
 public:
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int gameId) override {
    return new WatchedTable(this, loading, gameId);
  }
};

void PushWindowEvent(Uint8 what) {
  auto* window = dynamic_cast<ddz::window::SdlWindow*>(cocos2d::Director::getInstance()->getOpenGLView());
  ASSERT_NE(window, nullptr);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window->windowId();
  e.window.event = what;
  SDL_PushEvent(&e);
}

int CountOf(const std::vector<int>& types, int type) {
  int n = 0;
  for (int t : types) n += t == type;
  return n;
}

TEST(WindowEventsKeepTheHand, FocusLossAndMinimiseAndRestoreThroughTheWindowLeaveTheDealtHandInPlay) {
  ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
  ::setenv("SDL_RENDER_DRIVER", "software", 1);
  shelltest::ProgramRun run;
  Watched() = Seen();

  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.installStopSignals = false;
  options.window = ddz::WindowChoice{false, ""};
  options.startup.dataFolders = {std::string(DDZ_SOURCE_DIR) + "/data"};
  options.startup.createScene = [] { return new WatchedScene(); };
  options.limits.frames = 400;
  int frame = 0;
  int dealtAt = 0;
  int cardsBefore = -1;
  std::vector<std::string> problems;
  bool pausedWhileMinimised = false;
  options.pacer = [&](double) {
    ++frame;
    auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (table == nullptr || !table->isRunning()) return 0.05f;
    if (Watched().types.empty() && table->GetStartButton() != nullptr && table->GetStartButton()->isVisible() &&
        !table->IsSitRequestPending()) {
      table->OnBtnStart();
    }
    SelfHandCard* hand = table->GetSelfHand();
    if (dealtAt == 0 && hand != nullptr && hand->GetCardCount() >= 17) dealtAt = frame;
    if (dealtAt == 0) return 0.05f;
    const int since = frame - dealtAt;
    const auto check = [&](const char* when) {
      if (table->GetSelfHand() == nullptr || table->GetSelfHand()->GetCardCount() == 0)
        problems.push_back(std::string(when) + ": the own hand is gone");
      if (table->GetStartButton() != nullptr && table->GetStartButton()->isVisible())
        problems.push_back(std::string(when) + ": the start button is back");
    };
    if (since == 40) {
      cardsBefore = hand->GetCardCount();
      PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    } else if (since == 100) {  // three seconds behind another window
      check("after the focus loss");
      PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    } else if (since == 110) {
      PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    } else if (since == 140) {
      pausedWhileMinimised = cocos2d::Director::getInstance()->getOpenGLView()->isDrawingPaused();
      check("minimised");
      PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    } else if (since == 150) {
      check("restored");
      cocos2d::Director::getInstance()->end();
    }
    return 0.05f;
  };

  const char* argv[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
  EXPECT_EQ(ddz::RunProgram(9, argv, std::move(options)), 0);

  ASSERT_GT(dealtAt, 0) << "no hand was dealt";
  EXPECT_GE(cardsBefore, 17);
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_TRUE(pausedWhileMinimised) << "a minimised window is not drawn";
  EXPECT_EQ(Watched().backgrounds, 0);
  EXPECT_EQ(Watched().foregrounds, 0);
  EXPECT_EQ(CountOf(Watched().types, 71), 1) << "the local game was dealt again";
  if (::testing::Test::HasFailure()) {
    for (const std::string& line : cocos2d::Log::lines()) std::fprintf(stderr, "%s\n", line.c_str());
  }

}

}  // namespace
