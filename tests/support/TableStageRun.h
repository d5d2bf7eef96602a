// Runs a table's staged screens in the whole program: the scene makes the
// staged view, and the pacer hands the stages to it one after the other,
// each after the frames the stage before it asked for, so that what a stage
// starts has come to rest when the look gets it. The program ends after the
// last look. Shared by the staged Super and four-player tables (a real window
// in the gallery, headless in the layout tests). No GoogleTest here.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/gamebase/SingleServerBase.h"
#include "shell/QorvDDZGameScene.h"

namespace stagedrun {

// A local server that plays nothing: the stages bring every message.
class SilentServer : public SingleServerBase {
 public:
  using SingleServerBase::SingleServerBase;
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t*, int) override {}
};

// The scene of a staged run: the table it makes is a `Made` (constructed from
// the scene and the loading layer), which `made` points at (borrowed; the
// scene owns it).
template <class Made>
class StagedTableScene : public QorvDDZGameScene {
 public:
  explicit StagedTableScene(Made** made) : m_ppMade(made) {}
  GameViewBase* NewGameViewPC(YndLoadingBase* loading, int) override {
    *m_ppMade = new Made(this, loading);
    return *m_ppMade;
  }

 private:
  Made** m_ppMade;
};

// One staged moment of a table: what it hands the view, and how many frames
// the caller runs after it before it looks.
template <class View>
struct TableStage {
  const char* name;
  int settleFrames;
  void (*act)(View& view, int mode);
};

// `Made` is the staged view the scene `Scene` makes (its constructor takes
// where to put it); the stages act on it as a `View`.
template <class View, class Made, class Scene>
class TableStageRun {
 public:
  using Look = std::function<void(const std::string& name, View& view)>;
  static constexpr int kEnterFrames = 30;
  static constexpr float kFrameSeconds = 1.0f / 30;

  TableStageRun(const std::vector<TableStage<View>>& stages, int mode, Look look)
      : m_Stages(stages), m_iMode(mode), m_Look(std::move(look)) {}

  // The scene maker for the program's start-up.
  std::function<cocos2d::Scene*()> SceneMaker() {
    return [this] { return new Scene(&m_pView); };
  }
  std::function<float(double)> Pacer() {
    return [this](double) {
      Step();
      return kFrameSeconds;
    };
  }
  std::size_t StagesDone() const { return m_uNext; }

 private:
  void Step() {
    if (m_pView == nullptr || !m_pView->isRunning() || --m_iWait > 0) return;
    if (m_uNext > 0) m_Look(m_Stages[m_uNext - 1].name, *m_pView);
    if (m_uNext == m_Stages.size()) {
      cocos2d::Director::getInstance()->end();
      return;
    }
    m_Stages[m_uNext].act(*m_pView, m_iMode);
    m_iWait = m_Stages[m_uNext].settleFrames;
    ++m_uNext;
  }

  const std::vector<TableStage<View>>& m_Stages;
  int m_iMode;
  Look m_Look;
  Made* m_pView = nullptr;  // made by the scene
  std::size_t m_uNext = 0;
  int m_iWait = kEnterFrames;
};

}  // namespace stagedrun
