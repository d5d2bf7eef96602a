// A player's head at a screen seat: the head image "vevad_head_icon_%d.png"
// with the icon of the head id, and the win and loss acts after a hand.
#pragma once

#include "platform/engine/Math.h"
#include "platform/engine/Node.h"

namespace cocos2d {
class Sprite;
}

class NewPlayerHead : public cocos2d::Node {
 public:
  // Head icons there are; ConvertPlayerIcon maps every head id into them.
  static constexpr int kHeadIconCount = 8;
  // Acts of ShowPlayerAct.
  static constexpr int kActWin = 2;
  static constexpr int kActLoss = 3;

  explicit NewPlayerHead(int seat);
  ~NewPlayerHead() override;

  // Shows head `headId`, or a head chosen at random for -1 (any negative),
  // at `pos` with `scale`; answers the head id shown (also GetHeadID).
  int IniImage(int headId, const cocos2d::Vec2& pos, float scale, const cocos2d::Vec2& offset);
  // Takes the head off the seat: the image is hidden (its act stopped) and
  // no head id is shown (-1) until the next IniImage.
  void RemoveImage();
  // 2: the win act, 3: the loss act; other acts do nothing.
  void ShowPlayerAct(int act, bool animate);
  // The icon number of a head id: 0..kHeadIconCount-1 (negative ids give 0).
  static int ConvertPlayerIcon(int headId);

  int GetSeat() const { return m_iSeat; }
  int GetHeadID() const { return m_iHeadID; }
  int GetLastAct() const { return m_iLastAct; }
  // The head image (always present; without a known frame it has no texture).
  cocos2d::Sprite* GetHeadImage() const { return m_pHeadImage; }

 protected:
  int m_iSeat;
  int m_iHeadID = -1;
  int m_iLastAct = 0;
  float m_fScale = 1.0f;
  cocos2d::Sprite* m_pHeadImage = nullptr;
};
