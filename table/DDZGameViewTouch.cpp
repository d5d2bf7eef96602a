// DDZGameView: a touch on another player's head opens that player's info
// popup and closes the others.
#include <cstdint>
#include <vector>

#include "gamedata/LayoutConfig.h"
#include "platform/engine/Director.h"
#include "platform/os/Clock.h"
#include "table/DDZGameView.h"

using cocos2d::Vec2;

void DDZGameView::onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || touches.front() == nullptr) return;
  const std::uint64_t now = ddz::os::Clock().NowMs();
  if (m_bTouchSeen && now - m_uLastTouchMs < kTouchGapMs) return;
  m_bTouchSeen = true;
  m_uLastTouchMs = now;

  const float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  Vec2 point = convertToNodeSpace(touches.front()->getLocation());
  if (scale > 0) point = Vec2(point.x / scale, point.y / scale);

  int hit = -1;
  for (int seat = 0; seat < SeatsInUse(); ++seat) {
    if (seat == kOwnSeat || GetPlayerNode(seat) == nullptr || !IsSeatHeadRunning(seat)) continue;
    const Vec2& corner = g_ptTipsPlayerInfo[SeatPlace(seat)];
    if (point.x < corner.x || point.x > corner.x + kHeadTouchWidth || point.y < corner.y ||
        point.y > corner.y + kHeadTouchHeight) {
      continue;
    }
    hit = seat;
    if (IsSeatInfoPopupRunning(seat)) ShowSeatInfoPopup(seat);
  }
  for (int seat = 0; seat < SeatsInUse(); ++seat) {
    if (seat == kOwnSeat || seat == hit || GetPlayerNode(seat) == nullptr || !IsSeatInfoPopupRunning(seat)) continue;
    HideSeatInfoPopup(seat);
  }
}
