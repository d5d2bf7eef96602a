// The headless stage of the fuzz targets that run the real classic table:
// the program's data files, a scratch writable folder, a window for input,
// and (for each input) a new running scene with the game base's and the
// table's process-wide records back at their start, so a found input replays
// alone. The caller sets GlobalInfo's play mode and user after the reset.
#pragma once

#include <algorithm>
#include <string>

#include "classic/GameViewPC.h"
#include "fuzz/FuzzSupport.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndLocalData.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "platform/os/Clock.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"

namespace ddz::fuzz {

struct TableStage {
  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
};

inline TableStage& TheTableStage() {
  static TableStage stage = [] {
    QuietLog();
    cocos2d::FileUtils::getInstance()->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data"});
    cocos2d::FileUtils::getInstance()->setWritablePath(Scratch::Get().Path());
    TableStage s;
    s.director = cocos2d::Director::getInstance();
    s.director->setOpenGLView(cocos2d::GLViewImpl::create("fuzz"));
    return s;
  }();
  return stage;
}

inline void ResetTableStage(TableStage& stage) {
  ddz::os::Clock().Reset();
  stage.director->reset();
  stage.scene = cocos2d::Scene::create();
  stage.director->runWithScene(stage.scene);
  YndLocalData::sharedLocalData()->SetFilePath("");
  cocos2d::UserDefault::destroyInstance();
  GameViewBase::m_GlobalInfo = GlobalInfo();
  ResetMainMsgLock();
  SoundManage::shareSoundManage()->Reset();
  GameSoundDDZ::destroyInstance();
  std::fill(std::begin(g_iSeatHeadFigure), std::end(g_iSeatHeadFigure), -1);
  GameViewPC::s_bHandStarted = false;
}

}  // namespace ddz::fuzz
