// Fixtures of the top-bar, quick-chat, announcement and award tests: a running
// scene with a window (for touches), the data folder on the search paths, a
// single-player table view whose local server keeps every request, a game
// text table of "line N" entries, and a bar with the four buttons a derived
// bar makes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gamedata/GameKinds.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/gamebase/SingleServerBase.h"
#include "platform/os/Random.h"
#include "support/Stage.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"
#include "widgets/TalkLayer.h"
#include "widgets/TopUIBase.h"

namespace chattest {

using Bytes = std::vector<std::uint8_t>;

// A local server that keeps the requests it gets.
class KeepingServer : public SingleServerBase {
 public:
  explicit KeepingServer(IGameMessageSink* sink) : SingleServerBase(sink) {}
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t* buf, int len) override { requests.emplace_back(buf, buf + len); }
  std::vector<Bytes> requests;
};

class SingleView : public DDZGameView {
 public:
  static SingleView* create() {
    auto* view = new SingleView();
    view->autorelease();
    return view;
  }
  SingleServerBase* CallBackCreateSingleServer() override {
    server = std::make_unique<KeepingServer>(this);
    return server.get();
  }
  const std::vector<Bytes>& Requests() const {
    static const std::vector<Bytes> none;
    return server ? server->requests : none;
  }
  std::vector<int> awardEnds;
  void OnAwardEnd(int kind) override { awardEnds.push_back(kind); }
  // What the activity bar and the new-player award ask of the view.
  int smallGameOpens = 0;
  void OpenSmallGame() override { ++smallGameOpens; }
  struct AwardAni {
    int id, kind, amount;
    bool operator==(const AwardAni&) const = default;
  };
  std::vector<AwardAni> awardAnis;
  void ShowAwardAni(int id, int kind, int amount) override { awardAnis.push_back({id, kind, amount}); }
  std::unique_ptr<KeepingServer> server;

 private:
  SingleView() : DDZGameView(nullptr, nullptr) {}
};

// A bar as the derived bars build it: four buttons and the phrase list; its
// sends lock the talk button.
class TestBar : public TopUIBase {
 public:
  static TestBar* create(DDZGameView* view) {
    auto* bar = new TestBar(view);
    bar->autorelease();
    return bar;
  }
  void onEnter() override {
    TopUIBase::onEnter();
    for (auto*& button : m_pTopBtn) {
      if (button != nullptr) continue;
      button = cocos2d::ui::Button::create();
      addChild(button);
    }
    EnsureTalkLayer();
  }
  void OnSendTalkMsg(int i) override {
    TopUIBase::OnSendTalkMsg(i);
    LockTalkBtn();
  }
  void OnSendFaceMsg(int i) override {
    TopUIBase::OnSendFaceMsg(i);
    LockTalkBtn();
  }
  void OpenTalk() {
    addChild(m_pTalkLayer);
    CloseOtherWin(kTalkPopup);
  }
  bool Enabled(int button) const { return GetTopBtn(button)->isEnabled(); }

 private:
  explicit TestBar(DDZGameView* view) : TopUIBase(view) {}
};

class ChatWidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ddz::test::Stage stage = ddz::test::ResetStage(true);
    director = stage.director;
    scene = stage.scene;
    window = stage.view;
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    GameViewBase::m_GlobalInfo = GlobalInfo();
    GameViewBase::m_GlobalInfo.iPlayMode = 1;
    ResetMainMsgLock();
    SoundManage::shareSoundManage()->Reset();
    savedText = g_vecGameText;
    g_vecGameText.assign(1, "");
    for (int n = 1; n <= 200; ++n) g_vecGameText.push_back("line " + std::to_string(n));
    savedViewType = g_iGameViewType;
    g_iGameViewType = ddz::kViewClassic;
    ddz::os::SetRandomSource(&random);

    view = SingleView::create();
    scene->addChild(view);
    GameSceneBase::m_pGameView = view;
  }
  void TearDown() override {
    GameSceneBase::m_pGameView = nullptr;
    director->reset();
    ddz::os::SetRandomSource(nullptr);
    g_iGameViewType = savedViewType;
    g_vecGameText = savedText;
    GameViewBase::m_GlobalInfo = GlobalInfo();
    ResetMainMsgLock();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
  }

  // Steps `seconds` of frames of 1/60 s (plus one to pass a bound).
  void run(float seconds) {
    const int frames = static_cast<int>(seconds * 60 + 0.5f);
    for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60);
  }
  void tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(1.0f / 60);
  }
  std::vector<std::string> sounds() const { return SoundManage::shareSoundManage()->GetPlayedSounds(); }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  cocos2d::GLView* window = nullptr;
  std::vector<std::string> savedPaths;
  std::vector<std::string> savedText;
  int savedViewType = 0;
  ddz::os::ScriptedRandom random;
  SingleView* view = nullptr;
};

}  // namespace chattest
