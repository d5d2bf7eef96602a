// Fixture of the table top bar tests: the chat fixture (scene with a window,
// data folder, scripted random source) on a network table (not the
// single-player game), with a view that counts its quit questions and
// carries a bid mode, and the card sheet loaded for the bottom cards.
#pragma once

#include "ChatWidgetsTestSupport.h"

#include "platform/gamebase/GameMsgBox.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/SetLayer.h"

namespace topbartest {

class BarView : public DDZGameView {
 public:
  static BarView* create() {
    auto* view = new BarView();
    view->autorelease();
    return view;
  }
  void ShowQuitMsgBox() override { ++quitAsks; }
  int GetGameKind() override { return 0; }
  int quitAsks = 0;

 private:
  BarView() : DDZGameView(nullptr, nullptr) {}
};

class TopBarTest : public chattest::ChatWidgetsTest {
 protected:
  void SetUp() override {
    chattest::ChatWidgetsTest::SetUp();
    GameViewBase::m_GlobalInfo.iPlayMode = 0;
    cocos2d::SpriteFrameCache::destroyInstance();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("CardLayer1.plist");
    barView = BarView::create();
    scene->addChild(barView);
  }
  void TearDown() override {
    GameMsgBox::destroyMessageBox();
    chattest::ChatWidgetsTest::TearDown();
    SetLayer::destroyInstance();
    cocos2d::SpriteFrameCache::destroyInstance();
  }
  std::size_t clicks() const {
    std::size_t n = 0;
    for (const std::string& s : sounds())
      if (s == "ddzSound/6.mp3") ++n;
    return n;
  }
  BarView* barView = nullptr;
};

}  // namespace topbartest
