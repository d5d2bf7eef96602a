// What the staged screens of a table share (support/SuperStages.h,
// support/CompeteStages.h): a local server that plays nothing, the scene that
// makes the staged table, the run that acts the stages one after the other and
// hands each, once it has come to rest, to a look, and the program started on
// the single-player command line around it (in a window for the galleries,
// headless for the layout tests), and the galleries' look at a stage. No
// GoogleTest here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <cstdio>

#include "platform/engine/Director.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/SingleServerBase.h"
#include "shell/ProgramMain.h"
#include "platform/window/SdlRenderer.h"
#include "platform/window/SdlWindow.h"
#include "shell/QorvDDZGameScene.h"
#include "support/ScreenTour.h"
#include "support/TableLook.h"

namespace ddz::test {

// A local server that plays nothing: the stages bring every message.
class SilentServer : public SingleServerBase {
 public:
  using SingleServerBase::SingleServerBase;
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t*, int) override {}
};

// The scene of a staged run: the table it makes is a `View`, which `made`
// points at (borrowed; the scene owns it).
template <typename View>
class StagedScene : public QorvDDZGameScene {
 public:
  explicit StagedScene(View** made) : m_ppMade(made) {}
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int) override {
    *m_ppMade = new View(this, loading);
    return *m_ppMade;
  }

 private:
  View** m_ppMade;
};

// Runs the stages one after the other and hands each, once it has come to
// rest, to `look` with its name; ends the program after the last. With
// `waitWhileHeld` the next stage also waits, as the game base's queue would,
// while something holds the messages (the stages hand their frames straight
// to the view).
template <typename View>
class StageRun {
 public:
  struct Stage {
    const char* name;
    int settleFrames;  // frames the run waits after the stage before it looks
    std::function<void(View&)> act;
  };
  using Look = std::function<void(const std::string& name, View& view)>;
  static constexpr int kEnterFrames = 30;
  static constexpr float kFrameSeconds = 1.0f / 30;

  StageRun(std::vector<Stage> stages, Look look, bool waitWhileHeld = false)
      : m_vcStages(std::move(stages)), m_Look(std::move(look)), m_bWaitWhileHeld(waitWhileHeld) {}

  // The scene maker for the program's start-up; `before` runs first.
  std::function<cocos2d::Scene*()> SceneMaker(std::function<void()> before = {}) {
    return [this, before] {
      if (before) before();
      return new StagedScene<View>(&m_pView);
    };
  }
  // The frame pacer; `everyFrame` runs before each step.
  std::function<float(double)> Pacer(std::function<void()> everyFrame = {}) {
    return [this, everyFrame](double) {
      if (everyFrame) everyFrame();
      Step();
      return kFrameSeconds;
    };
  }
  std::size_t StagesDone() const { return m_uNext; }
  std::size_t StageCount() const { return m_vcStages.size(); }

 private:
  void Step() {
    if (m_pView == nullptr || !m_pView->isRunning() || --m_iWait > 0) return;
    if (m_uNext > 0 && !m_bLooked) m_Look(m_vcStages[m_uNext - 1].name, *m_pView);
    m_bLooked = true;
    if (m_bWaitWhileHeld && (GameViewBase::m_iLockMainMsgCount > 0 || GameViewBase::m_iLockMainMsgTime > 0)) return;
    if (m_uNext == m_vcStages.size()) {
      cocos2d::Director::getInstance()->end();
      return;
    }
    m_vcStages[m_uNext].act(*m_pView);
    m_iWait = m_vcStages[m_uNext].settleFrames;
    m_bLooked = false;
    ++m_uNext;
  }

  std::vector<Stage> m_vcStages;
  Look m_Look;
  bool m_bWaitWhileHeld;
  View* m_pView = nullptr;  // made by the scene
  std::size_t m_uNext = 0;
  int m_iWait = kEnterFrames;
  bool m_bLooked = false;
};

// The program on the single-player command line around a staged run, in a
// window (SDL's offscreen driver where there is no display) or headless.
inline int RunStagedProgram(std::function<cocos2d::Scene*()> sceneMaker, std::function<float(double)> pacer,
                            bool windowed) {
  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  if (windowed)
    options.window = ddz::WindowChoice{false, ""};
  else
    options.installStopSignals = false;
  options.startup.dataFolders = {std::string(DDZ_SOURCE_DIR) + "/data", DDZ_ART_DIR};
  options.startup.createScene = std::move(sceneMaker);
  options.limits.frames = 60 * 60;
  options.pacer = std::move(pacer);
  const char* args[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0", "--headless"};
  return ddz::RunProgram(windowed ? 9 : 10, args, std::move(options));
}

// A gallery's look at a stage: the window's picture as FOLDER/NAME.png, its
// name and what the layout checks find on it printed; returns the count of
// findings.
inline int SaveScreen(const std::string& folder, const std::string& name, DDZGameView& view) {
  auto* window = dynamic_cast<ddz::window::SdlWindow*>(cocos2d::Director::getInstance()->getOpenGLView());
  if (window != nullptr) window->renderer()->saveScreenshot(folder + "/" + name + ".png");
  std::fprintf(stderr, "screen %s\n", name.c_str());
  int found = 0;
  cocos2d::Scene* scene = cocos2d::Director::getInstance()->getRunningScene();
  std::vector<std::string> problems = ddz::tour::CheckLayout(scene, nullptr);
  for (std::string& p : ddz::tour::CheckTable(scene, view)) problems.push_back(std::move(p));
  for (const std::string& p : problems) {
    std::fprintf(stderr, "  %s\n", p.c_str());
    ++found;
  }
  return found;
}

}  // namespace ddz::test
