// The banner that announces a level ("第 n 关"): two mirrored halves of a
// ribbon around the layer's origin, the two words on either side and the
// level's number between them. The mini-game layer slides it across the screen.
#pragma once

#include "platform/engine/Layer.h"

namespace cocos2d {
class Sprite;
}

class DDZSmallGameLevelTips : public cocos2d::Layer {
 public:
  static constexpr const char* kRibbonFrame = "DDZ_SmallGameBg_ditu.png";
  static constexpr const char* kFirstWordFrame = "DDZ_SmallGame_di.png";
  static constexpr const char* kLastWordFrame = "DDZ_SmallGame_guan.png";
  static constexpr int kMaxLevel = 5;

  // Built at once, showing level 1.
  static DDZSmallGameLevelTips* create();
  // Levels 1 to 5 show their number; any other value changes nothing.
  void SetLevel(int level);
  cocos2d::Sprite* GetNumber() const { return m_pNumber; }

 private:
  DDZSmallGameLevelTips();
  cocos2d::Sprite* m_pNumber = nullptr;  // child
};
