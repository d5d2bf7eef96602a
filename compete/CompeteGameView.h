// The tournament table: the three-player table on which the hands of a
// tournament match are played.
//
// It is a DDZGameView with the classic table's widgets on the tournament's
// art, and differs from the classic table where a match does: the seats show
// tournament scores instead of money, the result is shown as score changes
// over the table (no result screen; the table quits the result by itself
// after eleven steps of 0.3 s) and the bidding is always by score. As on the
// classic table, the own play leaves the hand only with the server's play
// for the own seat, and a play turn comes only in the play phase.
//
// Where the rest is:
// - CompeteGameView.cpp: construction, building the table when it enters,
//   leaving, touches, the message dispatch and the deal (71);
// - CompeteGameViewHand.cpp: the hand's messages (72, 54, 55, 73, 56), the
//   play effects and what the own hand, the deal and the bottom-card row ask;
// - CompeteGameViewEvents.cpp: the game base's notices (sit result, login,
//   seats, ready, kick-out, chat, jackpot, red packets, escape, broadcasts,
//   background and foreground);
// - CompeteGameViewResult.cpp: the hand result, its number steps, the table
//   reset and the re-login snapshot.
//
// Every frame is checked before any field is read: a frame shorter than its
// type's minimum (MinMessageLength, the end of the last field the type's
// handler reads), or one whose table number gives no seat, is dropped with a
// log line and changes nothing. Card bytes go through CardByteToCode; a byte
// of 0 or less is an empty place.
//
// The match's own messages (27, 74, 78, 63, 60, 34, 75, 62, 76, 79, 36, 17)
// reach the Handle* operations below. CompeteGameViewMatch.cpp handles the
// start, the competition state, the wait numbers, ranks and ranking, seats
// left and auto-play, the notices, tips and the server's close, with the
// promotion screen and the toast; CompeteGameViewMove.cpp the login's
// sign-up request, the move to the next stage's server (79) and the award
// with its certificate (78). The waiting room and the promotion screen are
// shown and removed by CompeteGameViewLayers.cpp. The competition bar
// (CompeteTableUI), made by CreateCompeteTableUI at the match start, is fed by
// the match's messages, the deal, the hand result, the end of the result and
// the re-login; the banners are CompeteMsg::ShowMsg.
//
// Message lock: the deal and the bottom-card flip hold it themselves
// (DealCard, BaseCard), as does the doubling sign (DoubleSignFlight); the
// view's own raise is the hand result's, one MsgLockToken lowered once by
// OnResultBtnQuit (or when the table is taken down first); the award's is a
// token on the certificate, lowered when the certificate goes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "table/DDZGameView.h"
#include "widgets/SetLayer.h"

namespace cocos2d {
class Label;
class Sprite;
class Touch;
namespace ui {
class TextAtlas;
}
}  // namespace cocos2d
class CompeteAwardLayer;
class CompeteSelfHandCard;
class CompeteTableUI;
class CompetePromotionLayer;
class CompeteWaitLayer;
class DoubleSignFlight;
class LobbyTopBull;
class MsgLockToken;

class CompeteGameView : public DDZGameView, public ICompetitionStage {
 public:
  static constexpr int kPlayerCount = 3;
  // The table kind the widgets see.
  static constexpr int kGameKind = 4;
  // Touches closer together than this are ignored.
  static constexpr unsigned kTouchGapMs = 101;
  static constexpr float kHeadTouchWidth = 130;
  static constexpr float kHeadTouchHeight = 250;

  // ---- message types ----
  enum MsgType {
    kMsgSignUp = 16,         // request
    kMsgTip = 17,
    kMsgDealReceived = 25,   // request
    kMsgCompeteStart = 27,
    kMsgClosedByServer = 34,
    kMsgCompeteNotice = 36,
    kMsgBidResult = 54,
    kMsgLandlord = 55,
    kMsgPlayed = 56,
    kMsgPlayerLeft = 60,
    kMsgRankUpdate = 62,
    kMsgWaitNumbers = 63,
    kMsgDeal = 71,
    kMsgBidTurn = 72,
    kMsgPlayTurn = 73,
    kMsgStageChange = 74,
    kMsgRankList = 75,
    kMsgAutoPlayState = 76,
    kMsgSitDone = 77,        // request
    kMsgAward = 78,
    kMsgChangeServer = 79,
  };
  // The shortest frame of a type this table reads (the end of the last field
  // its handler reads); 0 for a type it has no handler for.
  static int MinMessageLength(int type);
  // The types of the dispatch table, in its order.
  static const std::vector<int>& DispatchedTypes();
  // The frames of one hand (the deal, bids, landlord, turns, plays, a seat's
  // auto-play and the hand result): what a re-login snapshot lays out again.
  // The match's own frames and the game base's notices are not.
  static bool IsHandMessage(int type);

  // ---- request sizes ----
  static constexpr int kDealReceivedSize = 12;
  static constexpr int kSignUpSize = 16;
  static constexpr int kSignUpMark = 200;
  static constexpr int kSitDoneSize = 8;

  // ---- the deal (71) ----
  static constexpr int kDealSize = 112;
  static constexpr int kOwnCards = 17;
  // ---- a play (56): at most this many card bytes ----
  static constexpr int kMaxPlayCards = 20;
  // ---- the hand result record: the first kResultRecordSize bytes of 237 ----
  static constexpr int kResultRecordSize = 104;
  // ---- the re-login snapshot ----
  static constexpr int kReloginSize = 341;

  // ---- clocks (seconds) and hold times (ms) ----
  static constexpr int kBidSeconds = 10;
  static constexpr int kFastBidSeconds = 5;
  static constexpr int kFastPlaySeconds = 1;
  static constexpr int kHoldFastBid = 5000;
  static constexpr int kHoldSingleOtherBid = 1000;
  static constexpr int kHoldLandlordOther = 2000;
  static constexpr int kHoldFastPlay = 1000;
  static constexpr int kHoldHandEmptied = 1000;
  // Seconds of a play turn by the cards left in the seat's hand: the
  // tournament's own, shorter than the table base's.
  static int PlaySecondsFor(int cardsLeft);
  // An own play made after this share of its clock counts as slow.
  static constexpr float kSlowPlayShare = 0.8f;
  static constexpr int kSlowPlaysForTip = 3;
  static constexpr float kBaseCardsRaisedSeconds = 2.0f;

  // ---- the result numbers ----
  static constexpr float kResultStepSeconds = 0.3f;
  static constexpr int kResultCountSteps = 4;
  static constexpr int kResultQuitStep = 11;

  // pGameScene, pLoadingLayer: handed to the base (either may be null).
  CompeteGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer);
  ~CompeteGameView() override;

  void onEnter() override;
  void onExit() override;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;
  // Builds the table (also called from onEnter), then the base's loading end.
  void CallBackLoadingEnd() override;

  // ---- dispatch ----
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override;
  // True for the frame the all-sockets callback has just dispatched (the
  // game base hands every frame to both); else the view's own first look.
  bool CallBackFirstHandleMainSocketNetMsg(char* msg, int len) override;
  // The message as on the main socket, then a log line.
  void CallBackHandleAllSocketNetMsg(char* msg, int len) override;
  int GetGameKind() override { return kGameKind; }

  // ---- ICompetitionStage ----
  // The running competition's state (0 before the match record is known).
  int GetCompeteState() const override;

  // ---- the deal and the hand's messages ----
  void HandleGameStart(char* msg, int len);
  void OnTurnPrompt(char* msg, int len);
  void OnCallLandlordAct(char* msg, int len);
  void OnLandlordDecided(char* msg, int len);
  void OnPlayTurn(char* msg, int len);
  // `local`: the view made the message rather than the server; it is read
  // the same. The own seat's cards leave the hand with a play for the own
  // seat (the server's, as it takes the own request), never with the
  // request alone: a play the server does not take keeps its cards.
  void HandleOutCard(char* msg, int len);
  // The effects and voices of a play of `cardType` by `seat` with head
  // figure `headId`; `previousOwner` held the table cards before it.
  void ShowPlayEffect(int cardType, int headId, int previousOwner, int seat);

  // ---- the match's messages ----
  virtual void HandleCompeteStart(char* msg, int len);
  virtual void HandleCompeteStage(char* msg, int len);
  virtual void HandleCompeteAward(char* msg, int len);
  virtual void HandleWaitNumbers(char* msg, int len);
  virtual void HandlePlayerLeft(char* msg, int len);
  virtual void HandleCloseByServer(char* msg, int len);
  virtual void HandleRankList(char* msg, int len);
  virtual void HandleRankUpdate(char* msg, int len);
  virtual void HandleAutoPlayState(char* msg, int len);
  virtual void HandleChangeServer(char* msg, int len);
  virtual void HandleCompeteNotice(char* msg, int len);
  virtual void HandleTipMsg(char* msg, int len);

  // ---- the server move and the award (CompeteGameViewMove.cpp) ----
  // The next stage's server listens on the port after this one's.
  static constexpr int kServerMovePortStep = 1;
  // The frame of a move that comes while the view is off the stage is kept
  // (encrypted) at the front of the queue until the room list brings the
  // view back; one longer than the queue takes is dropped.
  // The award raises the message lock through a token on the certificate:
  // lowered once, when the certificate leaves (with the view, at the latest).
  CompeteAwardLayer* GetAwardLayer() const;

  // ---- the match's screens ----
  // A new competition bar (z CompeteTableUI::kZOrder) in place of the last
  // one: the match start's.
  CompeteTableUI* CreateCompeteTableUI();

  // ---- the match flow's screens (CompeteGameViewMatch.cpp) ----
  static constexpr int kZMatchName = 1;
  static constexpr int kZWaitToast = 1999;
  static constexpr int kZTipToast = 999;
  static constexpr float kToastFadeSeconds = 0.2f;
  static constexpr float kToastHoldSeconds = 3.0f;
  static constexpr const char* kToastImage = "msg-box-bg-0.png";
  // The promotion screen for a stage result (1 promoted, 0 none, -1 out):
  // the bar's waiting tip goes, the screen is shown when its JudgeShow holds,
  // and whether shown or not it takes the wait count, the rank and the result.
  void ShowPromotion(int iOutcome);
  // A strip with one line of text at z that fades in, stays and fades out,
  // then goes. While one is up another is dropped.
  void ShowToast(const char* text, int z);
  // The centre's y of a toast `height` high: above the table's middle, or
  // in the band below the open waiting room's panel.
  float ToastY(float height) const;
  bool IsToastShown() const { return m_bToastShown; }
  // The toast on the table and the match name over the table's middle; null
  // when there is none.
  cocos2d::Node* GetToast() const;
  cocos2d::Label* GetMatchNameLabel() const;

  // ---- requests ----
  void SendDealReceived();
  // Request 16: the fee choice of the last sign-up.
  void SendSignUpRequest(int fee);
  void SendSitDone();

  // ---- the game base's notices ----
  void HandleSitRes(char* msg, int len) override;
  void CallBackAuthenResOK() override;
  void CallBackPlayerJoinTable(int seat) override;
  void CallBackPlayerLeaveTable(int seat) override;
  void CallBackOtherPlayerDisconnect(int seat) override;
  void CallBackPlayerReady(int seat) override;
  void CallBackKickOutServerNotice(int reason, KickOutServer* notice) override;
  void CallBackGameResultServer(char* msg, int len) override;
  void CallBackAgainLogin(char* msg, int len) override;
  void CallBackShowBullInfo(char* msg, int len) override;
  void CallBackUrgrCard(char* msg, int len) override;
  void CallBackJackPotNotice(char* msg, int len) override;
  void CallBackHongBaoNotice(char* msg, int len) override;
  void CallBackEscapeNotice(int code) override;
  void CallBackGameEnterBackGround() override;
  void CallBackGameEnterForeGround() override;

  // ---- table operations ----
  void ShowSelfOutCard(const char* cards, int count) override;
  void HideGameClock() override;
  void OnBaseCardShown() override;
  void OnDealCardEnd() override;
  void ShowDoubleAni(int seat, int factor) override;
  void ShowTableMultiple(int times) override;
  void SetMoneyInfo(int money, int yuanbao) override;
  void ShowQuitMsgBox() override;
  // `msg`: the result record (kResultRecordSize bytes; shorter ones are
  // read zero-padded).
  void ShowRoundResult(const char* msg, int len) override;
  void OnResultBtnQuit() override;
  virtual void ResetTable();

  // ---- read access (tests, the match flow) ----
  CompeteSelfHandCard* GetSelfHand() const;
  LobbyTopBull* GetBulletin() const { return m_pGameBull; }
  int GetResultStep() const { return m_iResultStep; }
  int GetSeatChange(int seat) const { return seat >= 0 && seat < kPlayerCount ? m_iSeatChange[seat] : 0; }
  cocos2d::ui::TextAtlas* GetResultNumber(int seat) const {
    return seat >= 0 && seat < kPlayerCount ? m_pResultNum[seat] : nullptr;
  }
  bool IsResultLockHeld() const;
  int GetHandsPlayed() const { return m_iHandsPlayed; }
  int GetSlowPlayCount() const { return m_iSlowPlayCount; }
  int GetSlowPlayDeadline() const { return m_iSlowPlayDeadline; }
  DoubleSignFlight* GetDoubleSign() const { return m_pDoubleSign.get(); }
  // From the landlord's decision (or a snapshot of a hand in play) to the
  // hand's result or a table reset; a play turn outside it is dropped.
  bool IsPlayPhase() const { return m_bPlayPhase; }

  // ---- the match as the table knows it (the match flow writes it) ----
  int iAllPlayer = 0;
  int iWaitTable = 0;
  int iTableNum = 0;
  int iCurOrder = 0;
  // The match's layers. The bar exists from the match start
  // (CreateCompeteTableUI) until the view leaves or goes to the background.
  CompeteWaitLayer* m_pCompeteWaitLayer = nullptr;          // a child while shown, not owned
  CompetePromotionLayer* m_pCompetePromotionLayer = nullptr;  // owned (one reference), a child while shown
  CompeteTableUI* m_pCompeteTableUI = nullptr;              // a child, not owned

  // ---- the waiting room and the promotion screen (CompeteGameViewLayers.cpp) ----
  // A new waiting room for a match opening at `nextOpenTime` (server
  // seconds) with `signedUp` players signed up so far, in place of one shown
  // before.
  void ShowWaitLayer(int nextOpenTime, int signedUp = 0);
  // Takes the waiting room off (at the end of the frame) and forgets it.
  void RemoveWaitLayer();
  // A new promotion screen for a match (re)start, not shown yet; the one
  // before is taken off and released.
  void NewPromotionLayer();
  // Puts `layer` (null empties it) in place of the promotion screen: the
  // view takes one reference to it; the one before is taken off and released.
  void SetPromotionLayer(CompetePromotionLayer* layer);
  // Shows the promotion screen when there is one, it is not shown yet and
  // its JudgeShow holds; true when it is shown after the call.
  bool ShowPromotionLayer();
  // Takes the promotion screen off the table (with cleanup) and keeps it.
  void RemovePromotionLayer();
  bool IsPromotionLayerShown() const;
  // The promotion screen's promotions count for the match's `stage` (a
  // server move, a re-login): the stage, less one when the stage list starts
  // with two equal numbers (the screen leaves out the second of them).
  void SetPromotionsForStage(int stage);
  // What leaves with the table and at the background: the waiting room and
  // the bar taken off and forgotten (the next match start makes them again),
  // the promotion screen taken off and kept.
  void TakeMatchScreensOff();

 protected:
  // ---- own hooks; nothing on this table ----
  virtual void OnEnterBackGroundHook() {}
  virtual bool CanResume() { return true; }
  virtual void OnOtherMessage(char* /*msg*/, int /*len*/) {}
  virtual bool FirstChanceMessage(char* /*msg*/, int /*len*/) { return false; }
  // After a fresh login (CompeteGameViewMove.cpp): the sign-up request when
  // the user has just signed up, else the table is left.
  virtual void AfterAuthenResOK();
  virtual void OnEscapeNoticeHook(int /*code*/) {}
  virtual void AfterPlayerLeave(int /*seat*/) {}
  virtual void OnResetTableHook() {}
  // True: the ready sign is the hook's business.
  virtual bool OnPlayerReadyHook(int /*seat*/) { return false; }
  virtual void AfterPlayerJoin(int /*seat*/) {}

  // ---- the table base's questions ----
  bool GetSeatHeadCenter(int seat, cocos2d::Vec2& center) const override;
  void HideSeatInfoPopup(int seat) override;

  // The seat of a table number; -1 (logged) for one that gives no seat.
  int SeatOfTableNum(int tableNum, const char* what) const;
  // Takes a widget off the table but keeps it (and its slot) for the next
  // join, hand or login; null or a widget without a parent does nothing.
  void ParkWidget(cocos2d::Node* widget);

 private:
  // ---- building (CompeteGameView.cpp) ----
  void BuildBackground();
  void BuildSeat(int seat);
  void BuildSelfHand();
  void BuildDeal();
  void BuildClock();
  void TakeTableDown();
  void PlayCompeteMusic(int track);
  void ReleasePromotionLayer();

  // ---- the hand (CompeteGameViewHand.cpp) ----
  bool SeatHasFastClock(int seat) const;
  int SeatHeadId(int seat) const;
  void ShowSeatClock(int seconds, int seat, int kind);
  void StopClock();
  void ShowPointSign(int seat, int points);
  void HidePointSigns();
  void PlayVoice(int seat, int voice);
  void LowerRaisedBaseCards(float dt);
  void ArrangeBaseCardsOnce();
  void MovePlayTo(int seat, const std::vector<int>& codes);
  // Whether the seat of a play gets the play's voice and effects.
  bool PlayIsHeard(const char* msg, int seat) const;
  void ShowHeadActs(bool landlordSide);

  // ---- the result (CompeteGameViewResult.cpp) ----
  void OnResultStep(float dt);
  void RemoveResultNumbers();
  void ReleaseResultLock();
  void ShowRemainingCards(int seat, const std::uint8_t* cards);
  bool RestoreFromSnapshot(const char* msg);

  std::unique_ptr<DoubleSignFlight> m_pDoubleSign;
  LobbyTopBull* m_pGameBull = nullptr;        // a child
  cocos2d::Sprite* m_pTableSprites[4] = {};   // background, table, two chairs: children
  MsgLockToken* m_pResultLock = nullptr;      // a child of the view
  // The result numbers: step, score change and number per seat.
  int m_iResultStep = 0;
  int m_iSeatChange[kPlayerCount] = {};
  cocos2d::ui::TextAtlas* m_pResultNum[kPlayerCount] = {};  // children of the view
  // Own plays after the slow-play deadline; -1 once the tip was shown.
  int m_iSlowPlayCount = 0;
  // Wall-clock seconds after which an own play counts as slow; 0 = none.
  int m_iSlowPlayDeadline = 0;
  bool m_bToastShown = false;
  bool m_bPlayPhase = false;
  // Hands whose result came in this view; added to the day's count on exit.
  int m_iHandsPlayed = 0;
  // The base cards still wait to be arranged after the landlord was decided.
  bool m_bBaseCardsPending = false;
  // Widgets taken off the table but kept; one reference each.
  cocos2d::Vector<cocos2d::Node*> m_vcParked;
  // The frame the all-sockets callback dispatched last, until the game base's
  // first look at it (not owned; compared only).
  const char* m_pAllSocketFrame = nullptr;
  std::uint64_t m_uLastTouchMs = 0;
  bool m_bTouchSeen = false;
};
