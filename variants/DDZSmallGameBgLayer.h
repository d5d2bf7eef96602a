// The mini-game's still background: one picture mirrored into four quarters
// around the centre, the two side pieces on windows wider than 1024, the
// desk, the hat and the man. Built when it first enters the stage.
#pragma once

#include "platform/engine/Layer.h"

class DDZSmallGameBgLayer : public cocos2d::Layer {
 public:
  static constexpr const char* kQuarterFile = "DDZ_SmallGameBg3_1280_768.png";
  static constexpr const char* kSideFrame = "DDZ_SmallGameBg1.png";
  static constexpr const char* kDeskFile = "DDZ_SmallGameBg.png";
  static constexpr const char* kHatFrame = "DDZ_SmallGameHat.png";
  static constexpr const char* kManFrame = "DDZ_SmallGameMan.png";
  static constexpr int kSidesFromWidth = 1025;

  static DDZSmallGameBgLayer* create();
  void onEnter() override;

 private:
  DDZSmallGameBgLayer() = default;
  bool m_bBuilt = false;
};
