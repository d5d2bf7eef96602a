// How the table view base reaches the few operations of the table widgets it
// calls itself. The widget classes live in the layer above the table views
// (they call the views' operations), so the base holds them only by pointer
// and goes through these entries; the widget layer fills them when the
// program starts. An empty entry counts as a missing widget: the step that
// needs it is skipped.
#pragma once

#include <functional>

#include "platform/engine/Math.h"

namespace cocos2d {
class Node;
}
class BottomUI;
class OtherPlayerInfo;
class PlayerGameInfo;
class PlayerShow;
struct PlayerNode;

namespace ddz {

struct TableWidgetLinks {
  // Each widget as the engine node it is.
  std::function<cocos2d::Node*(PlayerGameInfo*)> seatInfoNode;
  std::function<cocos2d::Node*(OtherPlayerInfo*)> infoPopupNode;
  std::function<cocos2d::Node*(BottomUI*)> bottomBarNode;
  // PlayerShow::GetHeadCenter: where effects above a seat's head start.
  std::function<cocos2d::Vec2(PlayerShow*)> headCenter;
  // PlayerGameInfo::ShowPlayerMoneInfo (show, money, position, animate).
  std::function<void(PlayerGameInfo*, bool, int, cocos2d::Vec2, bool)> showPlayerMoneyInfo;
  // BottomUI::SetUIInfo: the bottom bar from the own player's record.
  std::function<void(BottomUI*, PlayerNode*)> setBottomUIInfo;
};

// The process's links (all empty until the widget layer fills them).
TableWidgetLinks& GetTableWidgetLinks();

}  // namespace ddz
