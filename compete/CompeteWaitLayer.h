// The waiting room: the screen over the tournament table while the user
// waits for the match to begin.
//
// It shows the match name, the signed-up count against the match's last
// player count, a countdown to the next opening (only for a match with a
// timetable) and one prize card per award line of the match, in a clipped
// row the user drags or pages with two arrows. It reads the running match
// (CompeteGameInfo) and the server clock (DdzCompete) and sends nothing.
//
// Everything is built in onEnter; the setters only store before the layer
// runs, so a value set before it is shown takes effect when it enters.
// The table view places it (CompeteGameView::ShowWaitLayer) and takes it
// down when the match starts.
//
// The row: cards 174 units apart, at most 6 in view; with more, dragging
// snaps to the nearer card boundary on release (half a card or less goes
// back) and the arrows page by 6 cards, clamped to the first and last card.
// A drag follows the finger only inside the row's rectangle: one that begins
// beside it takes hold where the finger comes in.
// While the row moves, touch input is off; CallBackMoveEnd turns it on and
// sets the arrows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamedata/CompeteRecords.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
class Touch;
namespace ui {
class Button;
class TextAtlas;
}  // namespace ui
}  // namespace cocos2d

class CompeteWaitLayer : public YndGameLayer {
 public:
  static constexpr float kCardWidth = 174;
  static constexpr int kVisibleCards = 6;
  static constexpr float kPageWidth = kCardWidth * kVisibleCards;
  static constexpr float kSnapHalf = kCardWidth / 2;
  static constexpr float kDragSeconds = 0.2f;
  static constexpr float kPageSeconds = 0.5f;
  static constexpr int kZOnTable = 1004;

  static constexpr const char* kSheet = "ddzbs_wait_layer_res.plist";
  // Shown on a prize card whose picture or rank badge has no frame.
  static constexpr const char* kPlaceholderFrame = "ddzbs_ddjm_jl_none.png";
  static constexpr int kUnitPropId = 2001;

  static CompeteWaitLayer* create();
  CompeteWaitLayer();
  ~CompeteWaitLayer() override;

  // Server time (seconds) at which the match opens; read by the next tick.
  void setNextOpenTime(std::int32_t iNextOpenTime) { m_iNextOpenTime = iNextOpenTime; }
  // The signed-up count; shown (and the row laid out) while the layer runs.
  void SetWaitPlayer(std::int32_t iNowNum);
  // The countdown tick (every second while the layer runs).
  void UpdateTime(float dt);
  // One prize card of an award line.
  static cocos2d::Sprite* CreateAwardCard(const CompeteAwardItem& item);
  void OnClickNextPage(cocos2d::Ref* sender);
  void OnClickPrevPage(cocos2d::Ref* sender);
  void CallBackMoveEnd();

  void onEnter() override;
  void onExit() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // The countdown's text for `remaining` seconds ("%02d:%02d"; whole minutes
  // are not cut to two digits, and a negative time shows 00:00).
  static std::string CountdownText(std::int64_t remaining);
  // Where a release leaves the row: the card boundary nearest to `x` (half a
  // card goes back), within the first and the last card of `cards`.
  static float SnapTarget(float x, int cards);
  // Where a page forward (`forward`) or back from `x` leaves the row.
  static float PageTarget(float x, int cards, bool forward);

  // ---- read access ----
  std::int32_t GetNextOpenTime() const { return m_iNextOpenTime; }
  std::int32_t GetWaitPlayer() const { return m_iNowNum; }
  float GetPlayerRowHeight() const { return m_fPlayerRowHeight; }
  cocos2d::Node* GetListContainer() const { return m_pListNode; }
  cocos2d::ui::Button* GetLeftArrow() const { return m_pLeftBtn; }
  cocos2d::ui::Button* GetRightArrow() const { return m_pRightBtn; }
  cocos2d::Label* GetCountdown() const { return m_pTimeLabel; }
  cocos2d::ui::TextAtlas* GetCountDigits() const { return m_pNowNum; }
  cocos2d::ui::TextAtlas* GetPlayerCountDigits() const { return m_pAllNum; }
  cocos2d::Sprite* GetCountCaption() const { return m_pNumWord; }
  const cocos2d::Rect& GetTouchRect() const { return m_TouchRect; }
  // The lower panel (count, countdown and prize row); null before the layer entered.
  cocos2d::Node* GetLowerPanel() const { return m_pLowerPanel; }

 private:
  // The award lines' count, the cards beyond the visible six and the visible ones.
  int AwardCount() const;
  int HiddenCards() const { return AwardCount() - kVisibleCards; }
  void MoveListTo(float x, float seconds);
  cocos2d::Vec2 TouchPoint(const std::vector<cocos2d::Touch*>& touches) const;
  void BuildPanels();
  void BuildList(int visible);
  void BuildLowerTexts();

  std::int32_t m_iNextOpenTime = 0;
  float m_fPlayerRowHeight = 0;
  cocos2d::Node* m_pLowerPanel = nullptr;        // children of the layer, this entry's
  cocos2d::Node* m_pListNode = nullptr;
  cocos2d::ui::Button* m_pRightBtn = nullptr;
  cocos2d::ui::Button* m_pLeftBtn = nullptr;
  cocos2d::Label* m_pTimeLabel = nullptr;        // null without a timetable
  std::int32_t m_iNowNum = 0;
  cocos2d::Sprite* m_pNumWord = nullptr;
  cocos2d::ui::TextAtlas* m_pNowNum = nullptr;
  cocos2d::ui::TextAtlas* m_pAllNum = nullptr;
  cocos2d::Rect m_TouchRect;
  cocos2d::Vec2 m_LastTouch;
  bool m_bDragging = false;  // m_LastTouch is a point of this drag inside the rectangle
};
