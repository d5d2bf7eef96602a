// Fixtures of the table row tests (bottom cards, deal, opponents' backs,
// played cards): the card row stage with the game's own layout file loaded
// (every layout value back as it was afterwards), the classic table kind, the
// message lock and the sound recorder at their start, and a table view that
// records what the rows tell it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CardRowTestSupport.h"
#include "gamedata/GameKinds.h"
#include "gamedata/LayoutConfig.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/MainMsgLock.h"
#include "table/DDZGameView.h"

namespace rowtest {

// Every layout value, kept at construction and put back at destruction.
class LayoutSnapshot {
 public:
  LayoutSnapshot() {
    for (const ddz::LayoutKey& key : ddz::LayoutKeys()) {
      const auto* p = static_cast<const unsigned char*>(key.target);
      saved_.emplace_back(p, p + Bytes(key));
    }
  }
  ~LayoutSnapshot() {
    std::size_t i = 0;
    for (const ddz::LayoutKey& key : ddz::LayoutKeys()) std::memcpy(key.target, saved_[i++].data(), Bytes(key));
  }
  LayoutSnapshot(const LayoutSnapshot&) = delete;
  LayoutSnapshot& operator=(const LayoutSnapshot&) = delete;

 private:
  static std::size_t Bytes(const ddz::LayoutKey& key) {
    std::size_t one = sizeof(float);
    if (key.type == ddz::LayoutType::Point) one = sizeof(cocos2d::Vec2);
    if (key.type == ddz::LayoutType::Size) one = sizeof(cocos2d::Size);
    if (key.type == ddz::LayoutType::Int) one = sizeof(int);
    return one * static_cast<std::size_t>(key.count);
  }
  std::vector<std::vector<unsigned char>> saved_;
};

// A table view that writes what the rows tell it into `calls`, with the
// message lock count at each call.
class RowOwnerView : public DDZGameView {
 public:
  static RowOwnerView* create() {
    auto* view = new RowOwnerView();
    view->autorelease();
    return view;
  }
  void OnBaseCardShown() override {
    calls.push_back("baseShown lock=" + std::to_string(GameViewBase::m_iLockMainMsgCount.Get()));
    DDZGameView::OnBaseCardShown();
    if (removeOnBaseShown != nullptr) removeOnBaseShown->removeFromParent();
  }
  void OnDealCardEnd() override {
    calls.push_back("dealEnd lock=" + std::to_string(GameViewBase::m_iLockMainMsgCount.Get()));
    DDZGameView::OnDealCardEnd();
  }
  std::vector<std::string> calls;
  cocos2d::Node* removeOnBaseShown = nullptr;  // a row the view takes away when told

 private:
  RowOwnerView() : DDZGameView(nullptr, nullptr) {}
};

class TableRowTest : public cardtest::CardRowTest {
 protected:
  void SetUp() override {
    CardRowTest::SetUp();
    layout_ = new LayoutSnapshot();
    LoadGamePositionInfo(ddz::kLayoutFilePhone);
    savedViewType_ = g_iGameViewType;
    g_iGameViewType = ddz::kViewClassic;
    savedWidth_ = BasePT::g_iWindowWidth;
    BasePT::g_iWindowWidth = 1280;
    ResetMainMsgLock();
    SoundManage::shareSoundManage()->Reset();
    view = RowOwnerView::create();
    scene->addChild(view);
  }
  void TearDown() override {
    CardRowTest::TearDown();
    delete layout_;
    g_iGameViewType = savedViewType_;
    BasePT::g_iWindowWidth = savedWidth_;
    ResetMainMsgLock();
    SoundManage::shareSoundManage()->Reset();
  }

  // Frames of `ms` milliseconds each.
  void frames(int n, int ms) {
    for (int i = 0; i < n; ++i) director->mainLoop(static_cast<float>(ms) / 1000.0f);
  }
  static int lock() { return GameViewBase::m_iLockMainMsgCount.Get(); }
  static std::vector<std::string> sounds() { return SoundManage::shareSoundManage()->GetPlayedSounds(); }

  RowOwnerView* view = nullptr;

 private:
  LayoutSnapshot* layout_ = nullptr;
  int savedViewType_ = 0;
  int savedWidth_ = 0;
};

}  // namespace rowtest
