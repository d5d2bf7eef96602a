// The whole program run inside a test: a scratch home for the writable
// folder, no search paths but the program's own, no sprite frames or images
// an earlier run loaded, the process-wide records at their start; everything
// put back when the run is over.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/RoomListLayer.h"
#include "platform/os/Clock.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"
#include "shell/ProgramMain.h"
#include "support/TempDir.h"

namespace shelltest {

// The options of a run inside a test: the test runner keeps its own crash
// and stop handlers; the given data folders, searched in order; a frame limit.
inline ddz::ProgramOptions TestRunOptions(std::vector<std::string> dataFolders, int frames) {
  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.installStopSignals = false;
  options.startup.dataFolders = std::move(dataFolders);
  options.limits.frames = frames;
  return options;
}

class ProgramRun {
 public:
  ProgramRun() : files_(cocos2d::FileUtils::getInstance()), savedPaths_(files_->getSearchPaths()) {
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
    ddz::os::Clock().Reset();
    cocos2d::Director::getInstance()->reset();
    files_->setWritablePath(home_.path() + "/");
    files_->setSearchPaths({});
    // As in a fresh program: an earlier run's sheets, found through its own
    // search paths or stood in for by the manifest without their art, are
    // read again through this run's.
    cocos2d::SpriteFrameCache::getInstance()->removeSpriteFrames();
    cocos2d::TextureCache::getInstance()->removeAllTextures();
    YndLocalData::sharedLocalData()->SetFilePath("");
    cocos2d::UserDefault::destroyInstance();
    ResetRecords();
  }
  ~ProgramRun() {
    YndLocalData::sharedLocalData()->SetFilePath(home_.file("unused.txt"));
    cocos2d::UserDefault::destroyInstance();
    files_->setSearchPaths(savedPaths_);
    files_->setDefaultResourceRootPath("");
    ResetRecords();
    ddz::os::SetCommandLineText("");
    cocos2d::Log::setEchoToStderr(true);
  }
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

 private:
  static void ResetRecords() {
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ddz::os::ClearLobbyMessages();
    GameViewBase::m_GlobalInfo = GlobalInfo();
    // The room file is read when there are no rooms: each run reads its own.
    RoomListLayer::ClearRoomTables();
  }

  ddz::test::TempDir home_;
  cocos2d::FileUtils* files_;
  std::vector<std::string> savedPaths_;
};

}  // namespace shelltest
