// The mini-game's result screen, shown after the last level: the win or
// failed logo drops in, the total yuanbao appear after 1.3 s, the return button
// after 2.3 s (it cannot be pressed before), and a win rains yuanbao icons
// down the window, one every 0.05 s, until the screen goes. A result that is
// not a win never rains, whatever its amount. The amount is shown at once as
// the final number; the mini-game layer counts it into the player's yuanbao.
#pragma once

#include "platform/engine/Layer.h"

namespace cocos2d {
class LabelAtlas;
class Ref;
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d
class DDZSmallGameOwner;

class DDZSmallGameResultLayer : public cocos2d::Layer {
 public:
  static constexpr const char* kWinLogo = "DDZ_SmallGameWin.png";
  static constexpr const char* kFailedLogo = "DDZ_SmallGameFailed.png";
  static constexpr const char* kWinSound = "ddz_sg_win.mp3";
  static constexpr const char* kLoseSound = "ddz_sg_lose.mp3";
  static constexpr const char* kYuanbaoFrame = "DDZ_SmallGame_yuanbao.png";
  static constexpr float kTotalShownAfter = 1.3f;
  static constexpr float kReturnShownAfter = 2.3f;
  static constexpr float kDropSeconds = 0.05f;
  // The rain: 20 columns of 61 units; a drop keeps 2 columns away from the two before.
  static constexpr int kRainColumns = 20;
  static constexpr int kRainColumnWidth = 61;
  // The second remembered column before the first drop: no column, so the
  // first drop only keeps away from the first (a random column).
  static constexpr int kNoColumn = -100;

  // owner: the mini-game layer (not owned).
  static DDZSmallGameResultLayer* create(bool win, int amount, DDZSmallGameOwner* owner);

  void onEnter() override;
  // Click sound, everything on the screen stops, and the game leaves.
  void OnReturnBtn(cocos2d::Ref* sender);
  // One icon of the rain.
  void DropYuanbao();
  void RemoveYuanbao(cocos2d::Node* icon);

  // The last two columns the rain used (shared by every result screen), oldest first.
  static void GetLastRainColumns(int& older, int& newer);

  bool IsWin() const { return m_bWin; }
  int GetAmount() const { return m_iAmount; }
  cocos2d::Sprite* GetLogo() const { return m_pLogo; }
  cocos2d::ui::Button* GetReturnButton() const { return m_pReturn; }
  cocos2d::Sprite* GetTotalTip() const { return m_pTotalTip; }
  cocos2d::Sprite* GetYuanbaoIcon() const { return m_pIcon; }
  cocos2d::LabelAtlas* GetAmountLabel() const { return m_pAmount; }

 private:
  DDZSmallGameResultLayer(bool win, int amount, DDZSmallGameOwner* owner);

  // Children, null until onEnter (a sprite whose frame is missing stays null).
  cocos2d::Sprite* m_pLogo = nullptr;
  cocos2d::ui::Button* m_pReturn = nullptr;
  cocos2d::Sprite* m_pTotalTip = nullptr;
  cocos2d::Sprite* m_pIcon = nullptr;
  cocos2d::LabelAtlas* m_pAmount = nullptr;
  DDZSmallGameOwner* m_pOwner = nullptr;  // not owned
  bool m_bWin = false;
  int m_iAmount = 0;
};
