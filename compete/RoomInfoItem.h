// One match card of the tournament list: the prize picture, the match's name
// and second line, its open hours or next start, the player count, the
// sign-up count, the fee chosen for the user and the sign-up button.
//
// The card's origin is the middle of its panel's bottom edge. The match
// (CompeteRoomInfo) belongs to the list; the card only points at it and
// writes its next start (UpdateTime, every second for a timetabled match).
//
// The sign-up road (OnClickSignUp): a blocking refresh of the user record;
// back into a running match through the locked server when the user is still
// placed in one; else the fee, opening-time and free-entry checks and the
// minimum yuanbao, the first that fails ending the road in a box with its
// text; then the entry mode and the fee kind are set and the list enters a
// room of the match (CompeteRoomListLayer::EnterCompeteRoom).
#pragma once

#include <cstdint>
#include <string>

#include "platform/framework/YndGameLayer.h"

class CompeteRoomInfo;
struct CompeteMatchRecord;
namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d

class RoomInfoItem : public YndGameLayer {
 public:
  static constexpr const char* kPanelFrame = "ddzbs_djs_dt_panel_pic03.png";
  // Shown where a match has no prize line or its prize picture is missing.
  static constexpr const char* kPrizePlaceholder = "ddzbs_djs_prize_none.png";
  static constexpr float kPrizeScale = 0.5f;
  static constexpr float kPrizeX = -382;
  static constexpr float kTextX = -320;
  static constexpr float kInfoX = 160;
  static constexpr int kCheckTextSize = 1024;
  static constexpr int kMatchKindNoTimetable = 1;

  static RoomInfoItem* create(CompeteRoomInfo* pRoom);
  explicit RoomInfoItem(CompeteRoomInfo* pRoom);
  ~RoomInfoItem() override;

  void onEnter() override;

  // The time label: open hours, or the next start (every second).
  void UpdateTime(float dt);
  // Redraws the fee; with bRechoose the match chooses its fee again first,
  // unless the user picked one in the sign-up dialog.
  void UpdateSignUpFee(bool bRechoose);
  // Redraws the sign-up count (the match's shown number).
  void UpdateSignUpNum();
  // The sign-up road: true when it goes on into a room (back into the
  // running match, or the match's room is being entered), false when it ends
  // in a box or a question, or enters nothing.
  bool OnClickSignUp(cocos2d::Ref* pSender);
  // The next start's date and time into the time label.
  void ShowNextStart(std::int32_t iNextStart, std::int32_t iServerNow);

  CompeteRoomInfo* GetRoom() const { return m_pRoom; }
  // The panel's size (the card's size in the list).
  static cocos2d::Size PanelSize();

  // ---- read access ----
  cocos2d::Label* GetTimeLabel() const { return m_pTimeLabel; }
  cocos2d::Label* GetPlayerLabel() const { return m_pPlayerLabel; }
  cocos2d::Label* GetSignUpNumLabel() const { return m_pSignUpNumLabel; }
  cocos2d::Node* GetFeeNode() const { return m_pFeeNode; }
  cocos2d::Sprite* GetPanel() const { return m_pPanel; }
  cocos2d::Sprite* GetPrizePicture() const { return m_pPrize; }
  cocos2d::ui::Button* GetSignUpButton() const { return m_pSignUpBtn; }

 private:
  cocos2d::Node* m_pFeeNode = nullptr;
  cocos2d::Sprite* m_pPanel = nullptr;
  cocos2d::Label* m_pTimeLabel = nullptr;
  cocos2d::Label* m_pPlayerLabel = nullptr;
  CompeteRoomInfo* m_pRoom = nullptr;  // the list's; never freed here
  cocos2d::Label* m_pSignUpNumLabel = nullptr;
  cocos2d::Sprite* m_pPrize = nullptr;
  cocos2d::ui::Button* m_pSignUpBtn = nullptr;
};

namespace ddz {

// A system-font label of the tournament screens (the client's font) in
// `colour`, anchored at `anchor` and placed at `position`.
cocos2d::Label* CompeteLabel(const std::string& text, float size, const cocos2d::Color3B& colour,
                             const cocos2d::Vec2& anchor, const cocos2d::Vec2& position);

// Where a match's next start lies at server-now `now` (first start `first`,
// interval and sign-up window in seconds): the first start before it comes;
// else the period that began r = (now - first) mod interval seconds ago while
// its sign-up window runs (r <= window), otherwise the next period. An
// interval of 0 or less gives the first start.
std::int32_t CompeteNextStart(std::int32_t now, std::int32_t first, std::int32_t interval, std::int32_t window);
// Whether the hour of `when` (local time) lies in the open hours from
// `startHour` for `hours` (24 or more: always; 0 or less: never).
bool CompeteOpenAt(std::int32_t when, int startHour, int hours);
// "%02d:00-%02d:00" of the open hours, "0:00-24:00" for 24 hours or more.
std::string CompeteOpenHoursText(int startHour, int hours);
// The open hours of a match's room entry: start hour and length (always open
// without a server record).
void CompeteRoomHours(const CompeteRoomInfo& room, int& startHour, int& hours);
// The match's timetable at server-now `now`: writes its next start and
// answers whether sign-up is open then (the room's hours hold at the next
// start). A match without a timetable (kind 1), or with an interval of 0 or
// beyond reckoning, writes nothing and is not open: it shows its hours.
bool CompeteTimetableOpen(CompeteRoomInfo& room, std::int32_t now);
// The sign-up window at the start of each period, in seconds (0 and up).
std::int32_t CompeteSignUpWindow(const CompeteMatchRecord& record);
// Game text 380 (day, hour, minute) of `next` when it falls in the month of
// `now`, else game text 379 (month from 1, day, hour, minute); local time.
std::string CompeteNextStartText(std::int32_t next, std::int32_t now);

}  // namespace ddz
