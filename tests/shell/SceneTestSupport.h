// A fixture for the game scene and the loading screen: a fresh director with a
// window, the program's data files behind a folder of the test's own (for the
// login record), every process-wide record of the scene and the game base
// cleared, and recording table views in place of the real ones.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "shell/LoginRecord.h"
#include "shell/QorvDDZGameScene.h"
#include "gamedata/TextTables.h"
#include "table/DDZGameView.h"
#include "support/TempDir.h"

namespace scenetest {

// What a recording view saw when it was made.
struct Made {
  std::string cls;
  int gameId = 0;
  int viewType = 0;  // g_iGameViewType inside the constructor
  YndLoadingBase* loading = nullptr;
  std::uint64_t atMs = 0;
};

inline std::vector<Made>& Journal() {
  static std::vector<Made> made;
  return made;
}

// The views whose quit question was asked, in order.
inline std::vector<GameViewBase*>& QuitQuestions() {
  static std::vector<GameViewBase*> asked;
  return asked;
}

// A table view that records its construction, its login and its quit question.
class RecordingView : public DDZGameView {
 public:
  RecordingView(GameSceneBase* scene, YndLoadingBase* loading, const char* cls, int gameId)
      : DDZGameView(scene, loading) {
    Journal().push_back({cls, gameId, g_iGameViewType, loading, ddz::os::Clock().NowMs()});
  }
  void CallBackAuthenResOK() override { ++authenticated; }
  void ShowQuitMsgBox() override { QuitQuestions().push_back(this); }
  int authenticated = 0;
};

class RecordingRoomList : public RoomListLayer {
 public:
  explicit RecordingRoomList(int gameId) : gameId(gameId) {}
  int gameId;
};

// The scene with recording views and room lists in place of the real classes.
// A class named in `missing` is "not in this build" (the scene's own answer).
class RecordingScene : public QorvDDZGameScene {
 public:
  static inline std::vector<std::string> missing;

  GameViewBase* NewGameViewPC(YndLoadingBase* l, int id) override {
    return Has("GameViewPC") ? new RecordingView(this, l, "GameViewPC", id) : QorvDDZGameScene::NewGameViewPC(l, id);
  }
  GameViewBase* NewSRGameView(YndLoadingBase* l) override {
    return Has("SRGameView") ? new RecordingView(this, l, "SRGameView", 48) : QorvDDZGameScene::NewSRGameView(l);
  }
  GameViewBase* NewSuperGameView(YndLoadingBase* l, int id) override {
    return Has("SuperGameView") ? new RecordingView(this, l, "SuperGameView", id)
                                : QorvDDZGameScene::NewSuperGameView(l, id);
  }
  // The tournament table is in the build: a missing one is the answer the
  // scene gives for a class that is not.
  GameViewBase* NewCompeteGameView(YndLoadingBase* l) override {
    if (Has("CompeteGameView")) return new RecordingView(this, l, "CompeteGameView", 237);
    cocos2d::log("CompeteGameView is not in this build");
    return nullptr;
  }
  RoomListLayer* NewClassicRoomList(int id) override {
    return Has("C_RoomListLayer") ? new RecordingRoomList(id) : QorvDDZGameScene::NewClassicRoomList(id);
  }
  RoomListLayer* NewCompeteRoomList() override {
    return Has("CompeteRoomListLayer") ? new RecordingRoomList(237) : QorvDDZGameScene::NewCompeteRoomList();
  }

 private:
  static bool Has(const std::string& cls) {
    return std::find(missing.begin(), missing.end(), cls) == missing.end();
  }
};

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
    ddz::os::Clock().Reset();
    director = cocos2d::Director::getInstance();
    director->reset();
    view = cocos2d::GLViewImpl::create("test");
    director->setOpenGLView(view);
    savedPaths = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({dir.path(), std::string(DDZ_SOURCE_DIR) + "/data"});
    ResetProcessState();
    ddz::os::SetCommandLineText("ddz 127.0.0.1 6001 3 4 5 0 offline 4660");
  }
  void TearDown() override {
    director->reset();
    ResetProcessState();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths);
    ddz::os::SetCommandLineText("");
    cocos2d::Log::setEchoToStderr(true);
  }
  static void ResetProcessState() {
    // Scenes made by NewScene go now, and with them the views and lists the
    // game base's statics hold for them.
    cocos2d::AutoreleasePool::current().clear();
    Journal().clear();
    QuitQuestions().clear();
    RecordingScene::missing.clear();
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ddz::os::ClearLobbyMessages();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    RoomListLayer::ClearRoomTables();
    RoomListLayer::m_vcExtraRoomInfoGameID.clear();
    RoomListLayer::m_iExtraRoomInfoFlag = 0;
    SoundManage::shareSoundManage()->Reset();
    g_iCurGameID = 0;
    g_iGameViewType = 1;
    g_hLobbyWnd = 0;
    g_bKind22Mapped = 0;
    g_vecSuperGameText.clear();
  }

  // Writes the login record the lobby leaves (game kind, GBK nickname).
  void WriteLoginRecord(int kind, const std::string& gbkNick = "Tom", int yuanBaoRef = 0) {
    ddz::LoginRecord r;
    r.SetGameKind(kind);
    std::copy(gbkNick.begin(), gbkNick.end(), r.bytes.begin() + ddz::LoginRecord::kNickNameOffset);
    r.WriteInt(ddz::LoginRecord::kYuanBaoRefOffset, yuanBaoRef);
    r.SetRoomValue(520000);
    std::ofstream(dir.file(ddz::kLoginRecordFile), std::ios::binary)
        .write(reinterpret_cast<const char*>(r.bytes.data()), static_cast<std::streamsize>(r.bytes.size()));
  }

  // A scene the test drives by hand (not on the stage); released by the test.
  QorvDDZGameScene* NewScene() {
    auto* scene = new RecordingScene();
    scene->autorelease();
    return scene;
  }

  void tick(float dt = 0.1f, int frames = 1) {
    for (int i = 0; i < frames; ++i) director->mainLoop(dt);
  }

  static bool Logged(const std::string& part) {
    for (const auto& l : cocos2d::Log::lines())
      if (l.find(part) != std::string::npos) return true;
    return false;
  }

  ddz::test::TempDir dir;
  cocos2d::Director* director = nullptr;
  cocos2d::GLView* view = nullptr;
  std::vector<std::string> savedPaths;
};

}  // namespace scenetest
