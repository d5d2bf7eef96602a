// The end-of-hand result window of the three-seat tables (classic and Super).
//
// The view makes one when it builds the table and keeps it for every hand:
// IniResultInfo stores the hand's outcome (nothing is drawn), the view adds
// the layer at g_ptResult, and onEnter dims the table, plays the win or lose
// music and builds the window with its staged entrances: the title by the
// own result's sign and role, the hand details (call-and-rob tables: base
// score and bomb count; others: rocket, bombs and spring), each seat's score
// change in the win or loss digits, the doubling marks, the result buttons,
// the cap notice, the win burst and, at lunch and evening hours, an
// invitation to the tournament. Each build first takes away the window of
// the hand before, so one layer serves any number of hands.
//
// The digit atlases hold '0'..'9' then ':' and ';', drawn as plus and minus:
// a score change v shows as ":v" when v >= 0 and ";|v|" when negative.
//
// The buttons and the countdown act once per showing. The first action — a
// button press or the countdown's automatic action at 0 — disables the
// buttons and stops the countdown before it reaches the view, so a click
// racing the automatic action cannot act a second time. They report to the
// owner view's numbered result operations (OnResultBtnContinue, ...Quit,
// ...SmallGame); the view decides what they mean and removes the layer. A
// view that refuses the action (the daily loss limit refuses a continue)
// says so with GiveBackAction: the buttons and the countdown come back, so
// on a network table the automatic action at 0 still leaves it.
//
// The countdown is 30 s on tables of kind 6, 7 and 8, else 100 s, and the
// window shows the seconds left with a caption that says what happens at 0.
// On network tables the end takes the mini-game button's action when that
// button is offered, else the leave button's: the server expects the seat to
// go. In the single-player game nothing closes the window without the
// player's word: at 0 the seconds go and the window waits for a button. With
// an extra game the window gives way to it (OnResultExtraGame, then every
// part hidden) 5 s after it opened, whatever the countdown's length;
// ResetButtons brings the buttons and the seconds back when the extra game
// ends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

namespace cocos2d {
class Label;
class Sprite;
namespace ui {
class Button;
class TextAtlas;
}  // namespace ui
}  // namespace cocos2d
class DDZGameView;

class ResultLayer : public YndGameLayer {
 public:
  static constexpr int kSeats = 3;
  static constexpr int kOwnSeat = 1;
  static constexpr const char* kSheet = "vellddz_res_result.plist";

  // Table kinds that make a difference here.
  static constexpr bool IsCallRobKind(int kind) { return kind == 1 || kind == 7 || kind == 8; }
  static constexpr bool IsShortCountKind(int kind) { return kind == 6 || kind == 7 || kind == 8; }
  static constexpr int kKindOwnNumberOnly = 8;
  static constexpr int kLongCountSeconds = 100;
  static constexpr int kShortCountSeconds = 30;
  static constexpr int kExtraGameAfterSeconds = 5;
  // More hands than this today: the leave button takes the continue button's place.
  static constexpr int kTodayHandsBeforeLeave = 5;
  // Game text entries of the countdown's caption (a printf format of the
  // seconds): the table is left at 0, the mini-game opens at 0, or nothing
  // happens at 0 (single-player game).
  static constexpr int kTextCountDownLeave = 460;
  static constexpr int kTextCountDownSmallGame = 461;
  static constexpr int kTextCountDownWaits = 462;
  // The invitation to the tournament: these local hours, tables of kinds 0 and 1.
  static constexpr int kInvitationHours[] = {12, 19};
  static constexpr int kCompeteGameId = 237;

  // Music, voice and effect indexes of the sound service.
  static constexpr int kMusicWin = 3;
  static constexpr int kMusicLose = 4;
  static constexpr int kVoiceWinCry = 19;
  static constexpr int kEffectClick = 3;

  static constexpr const char* kTitleFrames[2][2] = {
      // [won][landlord]
      {"qorvddz_result_title_4.png", "qorvddz_result_title_3.png"},
      {"qorvddz_result_title_1.png", "qorvddz_result_title_0.png"}};
  static constexpr const char* kWinAtlas = "qorvddz_result_num_succ.png";
  static constexpr const char* kLoseAtlas = "qorvddz_result_num_fail.png";
  static constexpr const char* kDetailAtlas = "qorvddz_result_num_2.png";
  static constexpr const char* kCallRobAtlas = "ddzq_js_num.png";

  // The result buttons.
  enum ButtonKind { kBtnContinue = 0, kBtnQuit = 1, kBtnSmallGame = 2, kButtonKinds = 3 };

  // pGameView: the owner view, borrowed; never null.
  explicit ResultLayer(DDZGameView* pGameView);
  static ResultLayer* create(DDZGameView* pGameView);
  ~ResultLayer() override;

  // Stores the hand's outcome for the next onEnter; draws nothing.
  // vcResult: the score change of screen seats 0..2 (the own seat is 1);
  // pJiaBeiFlag: per seat nonzero when it doubled, null for none.
  void IniResultInfo(int iImageIndex, bool bLandOwner, const int* vcResult, int iSendBombNum, bool bSendRocket,
                     bool bSpring, int iSmallBtnType, int iBaseScore, bool bFenDing, int iExGameiType,
                     const std::uint8_t* pJiaBeiFlag);

  void onEnter() override;
  // Stops the countdown and tells the view the window is gone (OnResultLayerShown(true)).
  void onExit() override;

  // After the extra game: no extra game any more, the buttons and the seconds
  // shown again.
  void ResetButtons();

  // The once-a-second countdown.
  void OnCountDown(float dt);

  // The button actions (also the automatic action's), acting only once per showing.
  void OnBtnContinue(cocos2d::Ref* sender = nullptr);
  void OnBtnQuit(cocos2d::Ref* sender = nullptr);
  void OnBtnSmallGame(cocos2d::Ref* sender = nullptr);
  void OnBtnEnterCompete(cocos2d::Ref* sender = nullptr);
  // The owner view did not take the action it was just given: the buttons
  // are enabled again and the countdown goes on from where it stopped.
  void GiveBackAction();

  // The atlas text of a score change: ":v" for v >= 0, ";|v|" for v < 0.
  static std::string SignedText(int value);
  // The doubling mark of the own seat stands this many digit widths right of
  // its point: 2 up to a magnitude of 10, one more for each further decade.
  static int OwnMarkDigitSlots(int value);

  // ---- what the window shows (null when not built) ----
  cocos2d::ui::Button* GetButton(ButtonKind kind) const { return m_pButton[kind]; }
  cocos2d::Sprite* GetTitle() const { return m_pTitle; }
  cocos2d::Sprite* GetBackground() const { return m_pResultBg; }
  cocos2d::ui::TextAtlas* GetSeatNumber(int seat) const { return m_pResultNum[seat]; }
  cocos2d::Sprite* GetDoublingMark(int seat) const { return m_pJiaBeiFlag[seat]; }
  cocos2d::ui::TextAtlas* GetScoreNumber(int i) const { return m_pScoreNum[i]; }
  cocos2d::ui::TextAtlas* GetDetailNumber(int i) const { return m_pDetailNum[i]; }
  cocos2d::Node* GetWinEffect() const { return m_pWinEffect; }
  cocos2d::Node* GetInvitation() const { return m_pInvitation; }
  cocos2d::Node* GetActivityTip() const { return m_pActivityTipLabel; }
  cocos2d::Sprite* GetCapNotice() const { return m_pCapNotice; }
  int GetCountDown() const { return m_iCountDown; }
  // The seconds left with their caption (null when not built).
  cocos2d::Label* GetCountDownLabel() const { return m_pCountDownLabel; }
  bool HasActed() const { return m_bActed; }

  // Written by the classic view before the layer is added (the activity
  // message's value); onEnter shows it in the tip line when above 0 and
  // sets it back to -1.
  int m_iActivityTip = -1;

  // ---- the hand's outcome as IniResultInfo stored it (read by onEnter) ----
  int iImageIndex = 0;
  int vcResult[kSeats] = {};
  std::uint8_t vcJiaBeiFlag[kSeats] = {};
  bool bLandOwner = false;
  int iSendBombNum = 0;
  bool bSendRocket = false;
  bool bSpring = false;
  int iSmallBtnType = 0;
  int iBaseScore = 0;
  bool bFenDing = false;
  int iExGameiType = 0;

 private:
  void IniResultUI();
  void BuildTitle(bool won);
  void BuildDetails(int kind);
  void BuildSeatNumbers(int kind);
  void BuildDoublingMarks(int kind);
  void BuildButtons();
  void BuildCapNotice();
  void BuildCountDown();
  void ShowActivityTip();
  void PlayResultMusic();
  void ShowInvitation();
  bool InvitationAllowed() const;
  void HideResult();
  void ClearWindow();
  // Disables the buttons and stops the countdown; false when this showing
  // has acted already.
  bool TakeAction();

  DDZGameView* m_pGameView;  // borrowed

  // ---- the window: children of this layer (or of its background), null when not built ----
  cocos2d::Node* m_pDim = nullptr;
  cocos2d::ui::Button* m_pButton[kButtonKinds] = {};
  cocos2d::Node* m_pWinEffect = nullptr;
  cocos2d::Sprite* m_pTitle = nullptr;
  cocos2d::Sprite* m_pResultBg = nullptr;
  cocos2d::ui::TextAtlas* m_pResultNum[kSeats] = {};
  cocos2d::Sprite* m_pJiaBeiFlag[kSeats] = {};
  cocos2d::Sprite* m_pScoreWord[2] = {};
  cocos2d::ui::TextAtlas* m_pScoreNum[2] = {};
  cocos2d::Sprite* m_pDetailWord[3] = {};
  cocos2d::ui::TextAtlas* m_pDetailNum[3] = {};
  cocos2d::Sprite* m_pCapNotice = nullptr;
  cocos2d::Node* m_pActivityTipLabel = nullptr;
  cocos2d::Node* m_pInvitation = nullptr;
  cocos2d::Node* m_pInvitationTips = nullptr;
  cocos2d::Label* m_pCountDownLabel = nullptr;

  int m_iCountDown = 0;
  int m_iCountDownStart = 0;
  int m_iCountDownText = kTextCountDownLeave;
  bool m_bCountDownActs = true;
  bool m_bActed = false;
};

// The parts of the result window that the three-seat and the four-seat
// windows build alike, each with its staged entrance: the dim, the title
// stamp by result and role, the background slide, the rocket/bombs/spring row
// on the background, a seat's score change in the win or loss digits (the
// text is the caller's: the two windows sign it differently), a result
// button with its word above, the cap notice, the win music or loss music,
// and the win burst (stars and glows flying for ever; the random source is
// seeded from the wall clock first).
namespace resultparts {
cocos2d::Node* AddDim(cocos2d::Node* parent);
cocos2d::Sprite* AddTitle(cocos2d::Node* parent, bool won, bool landlord, cocos2d::Vec2 at);
cocos2d::Sprite* AddBackground(cocos2d::Node* parent, cocos2d::Vec2 at);
// values: rocket (0/1), bombs, spring (0/1), each shown as ":%d".
void AddDetailRow(cocos2d::Sprite* bg, const int (&values)[3], cocos2d::Sprite* (&words)[3],
                  cocos2d::ui::TextAtlas* (&numbers)[3]);
cocos2d::ui::TextAtlas* AddSeatNumber(cocos2d::Node* parent, const std::string& text, bool won, cocos2d::Vec2 at,
                                      float scale);
cocos2d::ui::Button* AddButton(cocos2d::Node* parent, const char* face, const char* word, cocos2d::Vec2 at,
                               float delay, std::function<void(cocos2d::Ref*)> click);
cocos2d::Sprite* AddCapNotice(cocos2d::Sprite* bg);
// The seconds left of the countdown: one line in the top right corner of the
// background `bg` (a child of `parent`, as AddBackground made it), above the
// hand-detail row, shown when the background has come in. A child of
// `parent`, so it can stay when the background goes. Null without a
// background.
cocos2d::Label* AddCountDownLabel(cocos2d::Node* parent, cocos2d::Sprite* bg);
// The countdown's line: game text `textEntry` formatted with the seconds.
void ShowCountDown(cocos2d::Label* label, int textEntry, int seconds);
cocos2d::Node* AddWinBurst(cocos2d::Node* parent);
void PlayResultMusic(bool won, int imageIndex);
}  // namespace resultparts
