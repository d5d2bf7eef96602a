// Fixtures of the tournament own hand's tests: the own-hand fixture (window,
// sheets, fixed layout, recording table view) with the recording view as the
// scene's current view, the tournament frames, landscape or a 720-wide portrait
// window with the rows at y 520 and 390, and a wall clock that can be moved.
#pragma once

#include <string_view>

#include "SelfHandTestSupport.h"
#include "cards/AutoSendCard.h"
#include "cards/CompeteSelfHandCard.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/os/Clock.h"

namespace handtest {

class CompeteHandTest : public SelfHandTest {
 protected:
  static constexpr float kPortraitRowY = 520;
  static constexpr int kPortraitGap = 130;
  static constexpr int kPortraitWidth = 720;
  static constexpr int kAutoPlay = 76;

  void SetUp() override {
    SelfHandTest::SetUp();
    cocos2d::SpriteFrameCache::getInstance()->addSpriteFramesWithFile("qorvddzpc_all_res.plist");
    savedOrientation = GameSceneBase::m_iGameOrientation;
    savedView = GameSceneBase::m_pGameView;
    savedGap = g_ptPortraitSelfCardGapV;
    savedIpad = g_bIpadLayout;
    GameSceneBase::m_iGameOrientation = 0;
    GameSceneBase::m_pGameView = owner;
    g_ptPortraitSelfCardGapV = kPortraitGap;
    g_bIpadLayout = 0;
  }
  void TearDown() override {
    SelfHandTest::TearDown();
    GameSceneBase::m_iGameOrientation = savedOrientation;
    GameSceneBase::m_pGameView = savedView;
    g_ptPortraitSelfCardGapV = savedGap;
    g_bIpadLayout = savedIpad;
  }

  // The portrait table: a 720-wide window and the hand's first row at y 520.
  void portrait() {
    GameSceneBase::m_iGameOrientation = 1;
    BasePT::g_iWindowWidth = kPortraitWidth;
    g_ptHandCard[1] = {360, kPortraitRowY};
  }

  // A tournament hand on the table view with touches on, holding `text` sorted.
  CompeteSelfHandCard* makeCompeteHand(std::string_view text = "", bool complete = false) {
    auto* h = new CompeteSelfHandCard(owner);
    h->autorelease();
    h->SetShadow(true);
    h->SetHandComplete(complete);
    owner->addChild(h, kHandZOrder);
    h->setTouchEnabled(true, false);
    for (int code : Codes(text)) h->AddCard(code, false, false, false, 0, false, false);
    h->SortCards();
    return h;
  }

  // The seconds of the wall clock from now on; the virtual clock runs on.
  static void setWallTime(std::int64_t seconds) { ddz::os::Clock().SetWallTimeSeconds(seconds); }
  static void passSeconds(int seconds) { ddz::os::Clock().AdvanceMs(static_cast<std::uint64_t>(seconds) * 1000); }

  // The auto-play states sent so far, in order: 1 on, 0 off.
  std::vector<int> autoPlayStates() const {
    std::vector<int> states;
    for (const RecordingView::Sent& s : owner->sent)
      if (s.type == kAutoPlay) states.push_back(s.bytes.at(9));
    return states;
  }

 private:
  int savedOrientation = 0;
  GameViewBase* savedView = nullptr;
  int savedGap = 0;
  int savedIpad = 0;
};

}  // namespace handtest
