// The common base of the table top bars (tournament, Super and four-player
// tables): the operations a table view or a script calls on "the top bar"
// without knowing which bar it is, the four top-bar buttons, the quick-chat
// phrase list, and the two chat requests every table sends.
//
// Requests 248 (a quick-chat phrase) and 201 (a face) are both TalkFaceMsg:
// 12 bytes, the 8-byte header zero, byte 8 the phrase or face index, byte 9
// the own server chair, bytes 10-11 zero (all single bytes, so no byte order).
// They go out through the owning view's SendMsgToMainSocket.
//
// Talk lock: right before a phrase is sent the phrase list tells the bar
// (ITalkCallBack::CallBackSendTalk); the bar disables its talk button and
// enables it again 10 s later. Every further send within the 10 s starts the
// 10 s again.
//
// The phrase list is owned through its reference count: EnsureTalkLayer
// creates and retains it; it is a child of the bar only while open; the bar's
// destructor takes it off its parent and then releases it, so it is never
// freed while it is still a child.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/framework/YndGameLayer.h"

namespace cocos2d::ui {
class Button;
}
class DDZGameView;
class GameViewBase;
class TalkLayer;

// Told by the quick-chat phrase list right before it sends a phrase.
class ITalkCallBack {
 public:
  virtual ~ITalkCallBack() = default;
  virtual void CallBackSendTalk() = 0;
};

// The chat requests.
namespace ddz::chat {
constexpr int kMsgTalk = 248;  // a quick-chat phrase
constexpr int kMsgFace = 201;  // a face
constexpr int kTalkFaceMsgSize = 12;
using TalkFaceMsg = std::array<std::uint8_t, kTalkFaceMsgSize>;
// The request body for phrase or face `index` from the own chair `chair`
// (the low byte of each).
TalkFaceMsg MakeTalkFaceMsg(int index, int chair);
// Sends one chat request of `type` through `view`; a missing view drops it
// with a log line.
void SendTalkFaceMsg(GameViewBase* view, int type, int index);
}  // namespace ddz::chat

class TopUIBase : public YndGameLayer, public ITalkCallBack {
 public:
  // Button indexes of m_pTopBtn.
  enum TopButton { kTalkBtn = 0, kCardCounterBtn = 1, kSetBtn = 2, kQuitBtn = 3, kTopBtnCount = 4 };
  // Popup indexes of CloseOtherWin; only the phrase list is a popup of this class.
  static constexpr int kTalkPopup = 0;
  static constexpr int kPopupCount = 4;
  static constexpr float kTalkLockSeconds = 10.0f;
  static constexpr const char* kReEnableTalkKey = "ReEnableTalkBtn";

  // `pGameView` owns the bar (not owned here); requests are sent through it.
  explicit TopUIBase(DDZGameView* pGameView);
  ~TopUIBase() override;

  // ---- what views and scripts call on any top bar; the base does nothing ----
  virtual void SetFinalPoint(int iFinalPoint);
  virtual void SetTimes(int iTimes, bool bShowAni);
  virtual void AddJPQCard(std::vector<int> vcSendCard);
  virtual void ClearJQPCard();
  virtual void ShowCardCounter(bool bShow);
  virtual void SetNumVisible(bool bShow);
  // Request 248 with phrase iTalkIndex; the derived bars also lock the talk button.
  virtual void OnSendTalkMsg(int iTalkIndex);
  // Request 201 with face iFaceIndex; the derived bars also lock the talk button.
  virtual void OnSendFaceMsg(int iFaceIndex);
  // Closes every popup of the bar but iOpenLayer: here the phrase list
  // (popup 0), taken off the bar through the deferred child remover when it
  // is open and iOpenLayer is not 0.
  virtual void CloseOtherWin(int iOpenLayer);
  // The enabled state of the talk and card-counter buttons; a bar without
  // the button (a bare bar made by a script) does nothing.
  virtual void SetTalkBtnEnabled(bool bShow);
  virtual void SetCardCountBtnEnabled(bool bShow);
  virtual void SetBtnOnState(int iState);

  // While the bar runs: the enabled state of the talk, card-counter and
  // settings buttons that exist and run. The quit button is never touched.
  void SetTopBtnsEnabled(bool bEnabled);

  // ITalkCallBack: a phrase is about to be sent; locks the talk button.
  void CallBackSendTalk() override;

  TalkLayer* GetTalkLayer() const { return m_pTalkLayer; }
  cocos2d::ui::Button* GetTopBtn(int index) const;
  DDZGameView* GetGameView() const { return m_pGameView; }

 protected:
  // Makes the phrase list (retained, touch barrier on, this bar as its
  // callback) when there is none yet; the derived bars call it in onEnter.
  TalkLayer* EnsureTalkLayer();
  // Disables the talk button and (re)starts the 10 s after which it is
  // enabled again.
  void LockTalkBtn();
  void ReEnableTalkBtn(float dt);

  TalkLayer* m_pTalkLayer = nullptr;  // retained; a child only while open
  DDZGameView* m_pGameView = nullptr;  // not owned: the view owns the bar
  // Made by the derived bars (children of the bar); null on a bare bar.
  cocos2d::ui::Button* m_pTopBtn[kTopBtnCount] = {};
};
