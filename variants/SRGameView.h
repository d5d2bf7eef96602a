// The four-player table: two decks (108 cards), four seats of 25 cards, the
// landlord takes 8 bottom cards; each hand has a golden card whose tasks the
// top bar counts. The scene makes it for the four-player game id.
//
// The view keeps the common table state of DDZGameView and answers the game
// base's callbacks; the four-player rows (cards/SR*) and widgets (SRTopUI,
// SRResultLayer, BottomUI) do the drawing. Seat 1 is the own player; a chair
// byte of a message becomes a screen seat through SeatOfChair, which refuses a
// chair that is no seat 0..3.
//
// Where the rest is:
// - SRGameView.cpp: construction, entering and building the table, the
//   teardown, touches on the heads, the table reset, the start button;
// - SRGameViewHand.cpp: the dispatch of the table's messages and the hand
//   itself (deal, bids, landlord, turns, plays, shown hands, rewards and the
//   activity button), the own hand's calls and the play effects;
// - SRGameViewEvents.cpp: the game base's notices (login, seats, ready,
//   announcements, jackpot, red packets, background and foreground);
// - SRGameViewResult.cpp: the re-login snapshot, the hand result, the result
//   window and its buttons.
//
// Every message is measured before a field is read: a frame shorter than its
// type's MinMessageLength (the snapshot kReloginSize, the result
// kResultSize), or one whose chair names no seat, is dropped with a log line
// and changes nothing. Card bytes go through the one card-byte converter; a
// byte of 0 or less is an empty slot everywhere.
//
// Message holding: the deal holds the message lock from message 65 to its end
// (the deal row's own token); the doubling sign holds it while it flies
// (DoubleSignFlight); the hand result holds it through the view's result
// token until a result button or the result window's time-out acts, lowered
// exactly once. The background raises the base's hold once; the foreground
// lowers only that one.
//
// This table has no local server: in the single-player game the view shows a
// box whose button leaves the table.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/engine/Ref.h"
#include "table/DDZGameView.h"
#include "variants/VariantNotices.h"

namespace cocos2d {
class Touch;
namespace ui {
class Button;
}
}  // namespace cocos2d
class ActivityLayer;
class DoubleSignFlight;
class LobbyTopBull;
class MsgLockToken;
class SRDealCard;
class SRResultLayer;
class SRSelfHandCard;
class SRShowCard;
class SRTopUI;

class SRGameView : public DDZGameView, public variantnotice::VariantSeats {
 public:
  static constexpr int kPlayerCount = 4;
  static constexpr int kGameKind = 2;
  static constexpr int kOwnCards = 25;
  static constexpr int kBottomCards = 8;
  static constexpr int kMaxPlayCards = 33;
  static constexpr int kGoldCounts = 5;

  // ---- timers ----
  static constexpr unsigned kTouchGapMs = 100;
  static constexpr float kBaseCardsSettleSeconds = 2.0f;
  static constexpr float kIdleTipSeconds = 120.0f;
  // The result window is placed here among the view's children.
  static constexpr int kZResult = 101;
  // The head area of another seat that opens its info popup.
  static constexpr float kHeadTouchWidth = 130;
  static constexpr float kHeadTouchHeight = 250;

  // ---- hold times added to the message lock, in ms ----
  static constexpr int kHoldOtherSeatSingle = 1000;
  static constexpr int kHoldShortClockBid = 5000;
  static constexpr int kHoldShortClockPlay = 3000;
  static constexpr int kHoldShortClockRocket = 1000;
  static constexpr int kHoldOtherLandlord = 2000;
  static constexpr int kHoldHandEmptied = 1000;
  static constexpr int kHoldLastOwnCard = 1000;

  // ---- clock seconds ----
  static constexpr int kBidSeconds = 10;
  static constexpr int kShortClockBidSeconds = 5;
  static constexpr int kShortClockPlaySeconds = 3;
  static constexpr int kChoiceSeconds = 15;
  static constexpr int kRocketAnswerSeconds = 1;
  static constexpr int kTimedOutLess = 5;

  // The game text of the box the single-player game shows.
  static constexpr int kTextNoSinglePlayer = 459;

  SRGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoading);
  ~SRGameView() override;

  void onEnter() override;
  void onExit() override;
  // Opens the info popup of the other player whose head was touched and
  // hides the other seats' popups.
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // Builds the table, then lets the game base log in.
  void CallBackLoadingEnd() override;
  bool CallBackFirstHandleMainSocketNetMsg(char*, int) override { return false; }
  void CallBackHandleAllSocketNetMsg(char*, int) override {}
  // Every game message but the hand result: measured, then handed to the
  // handler of its type (SRGameViewHand.cpp); other types are dropped.
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override;
  // This table has no local server (see the top).
  SingleServerBase* CallBackCreateSingleServer() override { return nullptr; }

  // Clears the hand's table (each hand start, re-login, background, result
  // buttons); also cancels the pending settle of the bottom cards.
  virtual void ResetTable();
  // The start button: the idle kick stops, the button goes and the sit
  // request follows.
  void OnBtnStart(cocos2d::Ref* sender = nullptr);

  // ---- messages of the game server (type in byte 1) ----
  enum MsgType {
    kMsgActivityTimer = 38,
    kMsgActivityCount = 39,
    kMsgPlayed = 49,
    kMsgBid = 50,
    kMsgLandlord = 51,
    kMsgShowHand = 53,
    kMsgReward = 54,
    kMsgDeal = 65,
    kMsgPlayTurn = 66,
    kMsgBidTurn = 67,
    kMsgChoicePrompt = 69,
  };
  // The end of the last field the handler of `type` reads; 0 for a type
  // this table does not read.
  static int MinMessageLength(int type);
  static constexpr int kReloginSize = 332;
  static constexpr int kResultSize = 212;

  void OnGameStart(char* msg, int len);
  void OnCallScoreTurn(char* msg, int len);
  void OnCallScoreResult(char* msg, int len);
  void OnLandlordDecided(char* msg, int len);
  void OnPlayTurn(char* msg, int len);
  // `local`: made here from the own play (ShowSelfOutCard). The server's
  // echo of the own seat's play is not shown again.
  void OnPlayCards(char* msg, int len, bool local);
  void OnShowCardsPrompt(char* msg, int len);
  void OnShowCards(char* msg, int len);
  void OnRewardNotice(char* msg, int len);
  void OnActivityTimer(char* msg, int len);
  void OnActivityCount(char* msg, int len);
  // 2 s after the last bottom card reached the own hand: the raised cards drop.
  void OnBaseCardsSettled(float dt);
  // The sound, animation and voice of a play of `type` by seat `seat` (head
  // `headId`, `count` cards); `previousOwner` held the table before it.
  void PlayCardEffect(int type, int headId, int count, int previousOwner, int seat);
  // The heads' win or loss acts of the four seats.
  void ShowPlayerResultActs(bool landlordSide);

  // ---- what the own hand, the deal and the bottom cards ask ----
  // The own play, shown at once as a local message 49 (at most
  // kMaxPlayCards card bytes are taken).
  void ShowSelfOutCard(const char* cards, int count) override;
  void HideGameClock() override;
  void OnDealCardEnd() override;
  int GetGameKind() override { return kGameKind; }
  void UpdateTaskNum(int* values) override;
  void ShowDoubleAni(int seat, int factor) override;
  void ShowTableMultiple(int times) override;

  // ---- the game base's callbacks (SRGameViewEvents.cpp) ----
  void CallBackAuthenPlayerInfo(PlayerNode*) override {}
  // The login answered: the sit request follows at once; in the
  // single-player game nothing does (its box stays up).
  void CallBackAuthenResOK() override;
  void CallBackPlayerJoinTable(int pos) override;
  void CallBackPlayerLeaveTable(int pos) override;
  void CallBackOtherPlayerDisconnect(int pos) override;
  void CallBackOtherPlayerLoginAgain(int pos) override;
  void CallBackPlayerReady(int pos) override;
  void CallBackShowBullInfo(char* msg, int len) override;
  void CallBackUrgrCard(char* msg, int len) override;
  void CallBackJackPotNotice(char* msg, int len) override;
  void CallBackHongBaoNotice(char* msg, int len) override;
  void CallBackHandleFriendCard(char* msg, int len) override;
  void CallBackHandleActiveMoney(char* msg, int len) override;
  // Code 98 (the mini-game's exit) and every other code change nothing here.
  void CallBackEscapeNotice(int) override {}
  void CallBackPlayerNetDelay(int pos, int value) override;
  // The background takes the hand's table down (each lock-holding widget
  // lowers its own hold as it goes) and holds the messages once; the
  // foreground lowers that hold only, builds the own hand and clock anew and
  // logs in again (the snapshot brings the hand back), or leaves the table
  // when the resume flag is 0.
  void CallBackGameEnterBackGround() override;
  void CallBackGameEnterForeGround() override;
  // A new hand may start: the start button shows and the idle kick runs.
  void OnRoundStart() override;
  void SetMoneyInfo(int money, int yuanbao) override;
  void ResetSeatHeadFigures() override { DDZGameView::ResetSeatHeadFigures(); }

  // ---- re-login and result (SRGameViewResult.cpp) ----
  void CallBackAgainLogin(char* msg, int len) override;
  // Spring doubling, the result's hold, then the window (now, or after the
  // result pause when the third settings switch is on).
  void CallBackGameResultServer(char* msg, int len) override;
  void ShowRoundResult(const char* msg, int len) override;
  void OnResultBtnContinue() override;
  void OnResultBtnQuit() override;
  void OnResultBtnSmallGame() override;
  bool IsResultLockHeld() const;
  // A script's result window: an SRResultLayer only (kept while in the slot).
  bool SetResultLayerFromScript(YndGameLayer* layer) override;

  // ---- read access ----
  SRTopUI* GetTopBar() const;
  SRSelfHandCard* GetSelfHand() const;
  SRDealCard* GetDeal() const;
  SRResultLayer* GetResultLayer() const;
  SRShowCard* GetShowCard() const { return m_pShowCard; }
  ActivityLayer* GetActivityLayer() const { return m_pActivityLayer; }
  LobbyTopBull* GetTopBull() const { return m_pTopBull; }
  cocos2d::ui::Button* GetStartButton() const { return m_pBtnStart; }
  DoubleSignFlight* GetDoubleSign() const { return m_pDoubleSign.get(); }
  int GetCapScore() const { return m_iCapScore; }
  bool IsSettlePending() const;

 protected:
  // The screen seat of a chair byte; -1 (logged, the message is dropped)
  // when it names no seat of the table.
  int SeatOfChair(int chair, const char* what) const override;
  // The head id a seat speaks with.
  int SeatHeadId(int seat) const override;
  bool SeatHasShortClock(int seat) const;
  void PlayVoice(int seat, int voice);
  void ShowSeatClock(int seconds, int seat, int kind);
  void StopClock();
  void HideBidSigns();
  // The card codes of up to `n` bytes from `at`; with `stopAtEmpty` the first
  // byte of 0 or less ends them, else such a byte is skipped.
  static std::vector<int> CardsAt(const char* msg, int at, int n, bool stopAtEmpty);
  // The golden card value g of the hand and the matching card index (g - 1,
  // -1 when g is no card index + 1).
  int GoldenRank() const;
  // The gold card task panel of the top bar: the five numbers and the two task
  // numbers, halved while the activity runs.
  bool ActivityRuns() const;
  // The other seats' hand rows: count, warning lamp and sound on (from the
  // deal's end) or off (while the deal runs).
  void ArmOtherHands(bool armed);
  // Takes the result window and the shown row off the table.
  void RemoveResultLayer();
  bool LowerResultLock();

  // ---- widget building (SRGameView.cpp) ----
  // The own hand, the clock and the deal replace the ones there were (the
  // foreground builds them anew), so the view keeps one of each.
  void BuildBackground();
  void BuildSeatWidgets(int seat);
  void BuildSelfHand();
  void BuildClock();
  void BuildDeal();
  // Keeps `node` alive for the view's life on the table (the seat widgets of
  // other players are off the table while their seat is empty).
  template <class T>
  T* Keep(T* node) {
    m_vcWidgets.pushBack(node);
    return node;
  }
  // Gives back the view's reference to `node` (null: nothing), which a new
  // widget replaces.
  void Forget(cocos2d::Node* node) {
    if (node != nullptr) m_vcWidgets.eraseObject(node);
  }

  cocos2d::ui::Button* m_pBtnStart = nullptr;   // child of the view
  ActivityLayer* m_pActivityLayer = nullptr;    // kept
  LobbyTopBull* m_pTopBull = nullptr;           // kept
  SRShowCard* m_pShowCard = nullptr;            // kept; a child between message 53 and the result
  int m_iCapScore = 0;
  // Per seat the role its played row marks: 2 the landlord, 1 a farmer.
  int m_iRowRole[kMaxSeats] = {};
  std::unique_ptr<DoubleSignFlight> m_pDoubleSign;
  MsgLockToken* m_pResultLock = nullptr;  // a child of the view once made
  // Every widget the view built, retained until the view leaves the stage.
  cocos2d::Vector<cocos2d::Node*> m_vcWidgets;
  // The time of the last touch the table took (process-wide).
  static std::uint64_t s_uLastTouchMs;
};
