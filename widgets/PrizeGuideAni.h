// The prize pop-ups: the guide notices (kinds 0-3), the friend card (4), the
// two activity tickets (5, 6) and the two medals (7, 8). Each covers the
// window with a dark layer, grows its pop-up from nothing in 0.5 s, holds it
// for kHoldSeconds and ends. A kind outside 0-8 shows nothing and ends at its
// first frame.
//
// Every pop-up keeps its own hold clock, so one taken away in the middle of
// its hold does not shorten the next. The optional text comes from a server
// message: at most kTextBytes bytes of it are read, and the copy is cut at a
// UTF-8 character boundary.
#pragma once

#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/gamebase/AniBase.h"

class AniPrizeGuide : public AniBase {
 public:
  static constexpr int kKinds = 9;
  static constexpr int kTextBytes = 64;
  static constexpr float kGrowPerSecond = 2.0f;
  static constexpr float kHoldSeconds = 2.0f;
  static constexpr int kFontSize = 26;
  // The game text line "%d元宝" of the guide notices.
  static constexpr int kYuanBaoText = 226;

  // `text` (may be null) need not end within kTextBytes bytes.
  AniPrizeGuide(int kind, int amount, int extra, const char* text = nullptr);
  void onEnter() override;
  bool UpdateFrame(float dt) override;

  // The guide bubble: gives this layer the anchor point (1, 0.5) and adds the
  // frame "pop_guide_bg.png" (its sheet must be loaded) mirrored, anchored at
  // (0, 0.5), at the layer's own position in its node space. Returns the
  // bubble; null (and a log line) when the frame is not loaded.
  cocos2d::Sprite* ShowGuideBg();

  int m_iPrizeType;
  int m_iAmount;
  int m_iExtra;
  char m_szText[kTextBytes] = {};
  cocos2d::Sprite* m_pBg = nullptr;
  cocos2d::Label* m_pLabel = nullptr;
  float m_fHoldTime = 0;  // this pop-up's own hold clock

 private:
  void AddTextLines(const char* first, const char* second);
};
