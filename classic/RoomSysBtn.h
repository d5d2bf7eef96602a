// The room screen's system-button layer: the room panel (RoomUI) makes one
// when it enters the stage and places it at (66, window height - 46). It
// keeps an empty list of button records, reacts to nothing and draws nothing
// of its own.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/framework/YndGameLayer.h"

class RoomSysBtn : public YndGameLayer {
 public:
  static constexpr float kX = 66;
  static constexpr float kBelowTop = 46;

  // Autoreleased.
  static RoomSysBtn* create();
  std::size_t GetButtonCount() const { return m_vcButtons.size(); }

 private:
  RoomSysBtn() : YndGameLayer(nullptr) {}
  std::vector<std::array<std::uint8_t, 12>> m_vcButtons;
};
