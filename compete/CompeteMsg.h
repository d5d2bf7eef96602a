// The banner the tournament table shows for a match event: a strip slides in
// across the window with the event's words, holds two seconds, fades out and
// removes itself, 3.0 s in all. While it is up it holds the message lock once
// (a MsgLockToken), so the table's next messages wait for it; a banner taken
// off early (its parent gone, the table reset) releases the lock then, once.
//
// Kinds (iMsgType):
//   0  "比赛开始" (the match starts), with the start sound and, 0.5 s later,
//      its second sound; at its end the competition bar of the current view
//      shows its waiting-for-other-tables tip
//   1  a stage message: a first word, the text as digits, a second word,
//      centred as one group
//   2, 3  two fixed messages
// Any other kind shows nothing and leaves the lock alone.
#pragma once

#include <string>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Sprite;
}
class MsgLockToken;

class CompeteMsg : public YndGameLayer {
 public:
  static constexpr int kZOrder = 1999;
  static constexpr const char* kSheet = "ddzbs_compete_msg_res.plist";
  static constexpr const char* kDigitsImage = "ddzbs_compete_num01.png";
  static constexpr int kDigitWidth = 80;
  static constexpr int kDigitHeight = 100;
  // The timeline: the word holds until kFadeStart, the banner ends at kEnd.
  static constexpr float kFadeStart = 2.5f;
  static constexpr float kEnd = 3.0f;
  static constexpr float kSecondSoundDelay = 0.5f;
  static constexpr const char* kStartSound = "ddzcompete_game_start";
  static constexpr const char* kStartSound2 = "ddzcompete_game_start_2";

  // Shows a banner of `iMsgType` on `pParent` (z kZOrder). strContent is read
  // by kind 1 only. An unknown kind, or a parent that is not on the stage
  // (where nothing would run the banner to its end), shows nothing.
  static void ShowMsg(int iMsgType, YndGameLayer* pParent, const std::string& strContent);

  // A bare banner (scripts make one): no kind's words and no hold of the
  // lock; ShowMsg makes the banners the table shows.
  CompeteMsg();
  ~CompeteMsg() override;
  // Builds the strip and its decoration and slides them in.
  void onEnter() override;
  // Fades the strip and everything on it out, then OnMsgEnd.
  void FadeOutMsg();
  // Kind 0: the bar's waiting tip. Then the banner goes and the lock is released.
  void OnMsgEnd();
  // The second start sound (kind 0).
  void PlayStartSound2(float dt);

  int GetMsgType() const { return m_iMsgType; }
  cocos2d::Sprite* GetStrip() const { return m_pStrip; }
  cocos2d::Node* GetWord() const { return m_pWord; }
  bool HoldsLock() const;

 private:
  // The kind's words on the strip, hidden.
  void BuildWord(const std::string& strContent);

  int m_iMsgType = 0;
  cocos2d::Sprite* m_pStrip = nullptr;  // child
  cocos2d::Node* m_pWord = nullptr;     // child of the strip
  MsgLockToken* m_pLock = nullptr;      // child
};
