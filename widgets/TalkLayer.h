// Quick chat: the phrase list a top bar opens from its talk button
// (TalkLayer) and the speech bubbles beside the seats (TalkTip, the view's
// m_pTalkTip).
//
// A player has five phrases; which texts and voices they are depends on the
// parity of the player's head id: an odd id (id % 2 == 1) reads game texts
// 137-141, any other id (even, or negative) 132-136. The voice of phrase k is
// the voice of number k + 20 of the head's voice set (ddzSound/59-63.mp3 for an
// odd head, 91-95 for the others).
//
// The phrase list is a box of five 56-point rows (x 426..854, y cy - 142 ..
// cy + 142 around the background's y); a touch that ends on a row sends that
// phrase (request 248, after telling the bar) and closes the list, one that
// ends outside closes it, one that ends in the box below the last row (its
// lowest 4 points) does nothing. Rows include their bounds; on the line
// between two rows the upper row wins.
//
// Bubbles: one per seat 0..3; a new one replaces the seat's old one at once.
// Each seat has one hide callback: a phrase bubble schedules it for 3 s
// without cancelling a pending one (so it keeps the earlier timing), a text
// bubble restarts it at 3 s, a free-text bubble schedules it for 4 s without
// cancelling. Seats outside 0..3, or beyond the running table's seat places,
// are ignored with a log line.
#pragma once

#include <string>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Node;
namespace ui {
class Scale9Sprite;
}
}  // namespace cocos2d
class ITalkCallBack;

namespace ddz::chat {
constexpr int kPhraseCount = 5;
// Game text line of phrase `phrase` for a player with head id `headId`.
int PhraseTextLine(int headId, int phrase);
// The sound service's voice of phrase 0 (the others follow).
constexpr int kFirstPhraseVoice = 20;
}  // namespace ddz::chat

class TalkLayer : public YndGameLayer {
 public:
  static constexpr const char* kSheet = "vellddz_res_talk.plist";
  static constexpr const char* kBgFrame = "qorvddz_cp_bg.png";
  static constexpr const char* kLineFrame = "qorvddz_cp_line.png";
  static constexpr float kBgWidth = 434, kBgHeight = 284;
  static constexpr float kRowHeight = 56;
  static constexpr float kFontSize = 24;
  // The touch box.
  static constexpr float kBoxLeft = 426, kBoxRight = 854, kBoxHalfHeight = 142;
  static const cocos2d::Color3B kRowColor;
  static const cocos2d::Color3B kRowHighlight;
  // The effect played after a phrase is chosen (game sound 3).
  static constexpr const char* kChooseSound = "ddzSound/6.mp3";
  static constexpr int kChooseEffect = 3;  // the sound service's effect of kChooseSound

  // `callBack` (not owned) is told before each phrase is sent.
  static TalkLayer* create(ITalkCallBack* callBack);

  void onEnter() override;
  void onExit() override;
  void onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesMoved(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // Tells the bar, then sends request 248 with `phrase` (0..4) through the
  // current table view. Another phrase number is dropped with a log line.
  void SendTalk(int phrase);

  // The box and the row of a point in the layer's space (divided by the
  // content scale factor); -1 for no row.
  static bool InBox(const cocos2d::Vec2& pt);
  static int RowAt(const cocos2d::Vec2& pt);

  bool IsShowing() const { return m_bShowing; }
  cocos2d::Label* GetLabel(int row) const { return row >= 0 && row < 5 ? m_pLabel[row] : nullptr; }
  cocos2d::ui::Scale9Sprite* GetBg() const { return m_pBg; }

 private:
  explicit TalkLayer(ITalkCallBack* callBack) : m_pTalkCallBack(callBack) {}
  cocos2d::Vec2 TouchPoint(const std::vector<cocos2d::Touch*>& touches) const;
  void HighlightRow(int row);
  void Close();

  bool m_bShowing = false;
  cocos2d::Label* m_pLabel[5] = {};              // children of the background
  ITalkCallBack* m_pTalkCallBack = nullptr;      // not owned: the bar that opened it
  cocos2d::ui::Scale9Sprite* m_pBg = nullptr;    // child
};

class TalkTip : public YndGameLayer {
 public:
  static constexpr int kSeats = 4;
  static constexpr float kPhraseSeconds = 3.0f;
  static constexpr float kTextSeconds = 3.0f;
  static constexpr float kFreeTextSeconds = 4.0f;
  static constexpr float kIdleTipSeconds = 120.0f;
  static constexpr int kIdleTipFirstLine = 47;  // lines 47..50
  static constexpr int kIdleTipLines = 4;
  static constexpr const char* kBubbleFrame = "qorvddz_speak_bg.png";
  static constexpr float kFontSize = 24;
  static const cocos2d::Color3B kTextColor;

  static TalkTip* create();

  // Loads the sheet of the bubble frame.
  void onEnter() override;

  // A phrase of the player at `iTablePos` with head id `iHeadIndex`: its
  // text in a bubble, its voice. A phrase outside 0..4 is ignored.
  void Talk(int iTablePos, int iHeadIndex, int iTalkIndex);
  // A bubble with `strText`, no voice; the hide restarts at 3 s.
  void Talk(int iTablePos, const std::string& strText);
  // A bubble with free text (notices), no voice, hidden after 4 s.
  void TalkFreeTxt(int iTablePos, const std::string& strText);
  // The idle tip every 120 s from now on (restarts a running one) / stops it.
  void StartFreeTip();
  void StopFreeTip();
  // Takes the idle tip that is up (if any) off the layer now.
  void RemoveRandomTip();
  // While held (the table's result window is up) no idle tip shows; holding
  // takes the one that is up. The schedule runs on.
  void HoldIdleTips(bool hold);
  bool AreIdleTipsHeld() const { return m_bIdleTipsHeld; }
  // One idle tip: text 47-50 at seat 0 or 2, hidden after 3 s; none while held.
  void ShowRandomTip(float dt = 0);
  // The bubble for `text` at `seat`: a 9-slice of width label + 30, height 44,
  // growing to the right of its point for seats 0 and 1, to the left for 2 and 3.
  cocos2d::Node* CreateBubble(const std::string& text, int seat);

  cocos2d::Node* GetBubble(int seat) const { return seat >= 0 && seat < kSeats ? m_pBubble[seat] : nullptr; }
  cocos2d::Node* GetRandomTip() const { return m_pRandomTip; }

 private:
  TalkTip() = default;
  // Where seat `seat`'s bubble goes on the running table; false when the
  // table has no place for it.
  static bool BubblePlace(int seat, cocos2d::Vec2& place);
  // Steps 1 and 2 of every bubble: the old one of the seat goes, the new one
  // is placed and added. False when the seat is refused.
  bool PutBubble(int seat, const std::string& text);
  void ScheduleHide(int seat, float seconds, bool restart);
  void HideBubble(int seat);

  cocos2d::Node* m_pBubble[kSeats] = {};  // children while shown
  cocos2d::Node* m_pRandomTip = nullptr;   // child while shown
  bool m_bIdleTipsHeld = false;
};
