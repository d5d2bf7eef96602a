// The classic three-player table of the desktop client.
//
// The scene makes the view for every game id that is not a tournament or
// variant table. The view builds its table each time it enters the stage
// (onEnter runs CallBackLoadingEnd, which lays the table out in a fixed order
// and then lets the game base log in); it takes its seat when the player
// presses the start button (the sit request goes out once, 1 s later); it
// keeps the day's hand count and the loss amounts in the local store; and it
// takes the table down again in onExit. In the single-player game it makes
// the local server the game base asks for.
//
// Construction, entering, the start button, the teardown and the touches on
// the other players' heads are in GameViewPC.cpp (the single-player
// statistics, the loss limit and today's count are the table base's); the messages of one
// hand (deal, bidding, landlord, play turns, plays, shown hands, table
// settings, activity notices) and what the own hand asks of the view in
// GameViewPCHand.cpp; the game base's callbacks (login, seats, ready,
// kick-out, broadcasts, notices, background and foreground) in
// GameViewPCCallbacks.cpp; the re-login snapshot in GameViewPCRelogin.cpp;
// the hand's result, the result screen's buttons, the quit question and the
// table reset between hands in GameViewPCResult.cpp.
//
// Every message is checked before any field is read: a message shorter than
// its type's minimum (MinMessageLength), or one whose chair byte names no
// seat, is dropped with a log line and changes nothing. Card bytes go through
// the one card-byte converter; bytes that name no card are skipped.
//
// Widgets that are not in this build yet keep their slots null; every step
// that would make one is a private Build* helper, and every use of a slot
// checks it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "table/DDZGameView.h"

namespace cocos2d {
class Label;
class Node;
class Sprite;
class Touch;
namespace ui {
class Button;
}
}  // namespace cocos2d
class ActivityLayer;
class BottomUIPC;
class CardCounterLayer;
class ISmallGameLayer;
class ISmallGameMaker;
class DoubleSignFlight;
class GameTips;
class GameRuleLayer;
class LobbyTopBull;
class NewPlayerAward;
class SelfHandCard;
class MsgLockToken;
class ResultLayer;
class TopUIPC;

// The classic table's exit state: 0 after a table reset, 1 after a re-login
// restore, 2 once a hand's result is shown, 3 once a result button is pressed.
extern int g_iExitState;

class GameViewPC : public DDZGameView {
 public:
  static constexpr int kPlayerCount = 3;

  // ---- local store and user-default keys ----
  static constexpr const char* kUserTaskGuide = "TASK_GUIDE_ANI_SHOW";
  static constexpr const char* kUserCardCounterGuide = "CARD_COUNTER_GUIDE_SHOW";

  // ---- the day and the loss limit ----
  // The day background is shown from kDayStartHour:00 to kDayEndHour:59.
  static constexpr int kDayStartHour = 7;
  static constexpr int kDayEndHour = 17;

  // ---- start button ----
  static constexpr float kSitDelay = 1.0f;
  static constexpr int kStartSound = 6;

  // The scene passes the game id it makes the view for.
  GameViewPC(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer, int iGameId);
  ~GameViewPC() override;

  void onEnter() override;
  void onExit() override;

  // Builds the table (also called from onEnter), then lets the game base log in.
  void CallBackLoadingEnd() override;
  // The first look at a message consumes nothing on this table.
  bool CallBackFirstHandleMainSocketNetMsg(char*, int) override { return false; }
  // Every game message but the hand result: checked, then handed to the
  // handler of its type (GameViewPCHand.cpp).
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override;
  // A new local server bound to this view; the view owns it.
  SingleServerBase* CallBackCreateSingleServer() override;
  // The table draws its day or night background in any case.
  virtual bool SkipDayNightBackground() const { return false; }
  // The classic table does not shake.
  void ShakeScreen() override {}

  // ---- seat request ----
  // The start button: unless the loss limit refuses, the button goes and the
  // sit request follows kSitDelay later, once.
  void OnBtnStart(cocos2d::Ref* sender = nullptr);
  // One-shot selector: the sit request, then it unschedules itself.
  void SendSitReqOnce(float dt);
  // Clears the hand's table. The pending sit request is cancelled here and
  // when the table is taken down; the idle tips of the single-player game
  // run from the start button until the table is taken down.
  virtual void ResetTable();

  // ---- the hand's messages (GameViewPCHand.cpp) ----
  // Message types the classic table reads, and the request it answers the
  // deal with. 34 is the counter activity, 35 the mini-game and the timed
  // activity, 41 the mini-game's level data or end (and request 41).
  enum MsgType {
    kMsgShowHand = 23,
    kMsgDealReceived = 25,
    kMsgMiniGameEnd = 34,
    kMsgMiniGameOpen = 35,
    kMsgTableSettings = 38,
    kMsgActivity = 39,
    kMsgMiniGame = 41,
    kMsgBidResult = 54,
    kMsgLandlord = 55,
    kMsgPlayed = 56,
    kMsgIgnored58 = 58,
    kMsgDeal = 71,
    kMsgBidTurn = 72,
    kMsgPlayTurn = 73,
    kMsgNotForBackpack = 197,
    kMsgIgnored205 = 205,
  };
  static constexpr int kDealReceivedSize = 12;
  // The shortest message of a type that this table reads: the end of the
  // last field its handler reads (for the types with kinds, of the kind
  // byte; each kind's further fields are checked by the handler); 0 for
  // types it reads no field of.
  static int MinMessageLength(int type);
  // False, with a log line, when a message of `type` and `kind` is shorter
  // than `need`.
  static bool KindLongEnough(int len, int need, int type, int kind);
  // The hold times the turns add to the message lock, in ms.
  static constexpr int kHoldOtherSeatSingle = 1000;
  static constexpr int kHoldLandlordScoreMode = 2000;
  static constexpr int kHoldShortClockBid = 5000;
  static constexpr int kHoldShortClockPlay = 3000;
  static constexpr int kHoldRocket = 1000;
  static constexpr int kHoldHandEmptied = 1000;
  // Turn clock seconds.
  static constexpr int kBidSeconds = 10;
  static constexpr int kShortClockBidSeconds = 5;
  static constexpr int kAnswerSeconds = 5;
  static constexpr int kShortClockPlaySeconds = 3;
  static constexpr int kOwnLeadSeconds = 20;
  // The deal's own cards raised after a landlord takes the bottom cards are
  // lowered this long after.
  static constexpr float kBaseCardsRaisedSeconds = 2.0f;
  // Set when a hand has been dealt in this process; the result code reads it.
  static bool s_bHandStarted;

  void OnGameStart(char* msg, int len);
  void OnTurnPrompt(char* msg, int len);
  void OnCallLandlordAct(char* msg, int len);
  void OnLandlordDecided(char* msg, int len);
  void OnPlayTurn(char* msg, int len);
  // `local`: the message was made here rather than by the server; it is
  // read the same. The own seat's play is shown from the server's 56 for
  // it, so a refused play never leaves the hand.
  void OnPlayCards(char* msg, int len, bool local);
  void OnTableSettings(char* msg, int len);
  void OnNewPlayerAward(char* msg, int len);
  void OnShowHand(char* msg, int len);
  // The deal's part of the hand start: the info text, the deal animation,
  // the task panel, the base score, then request 25.
  using DDZGameView::ShowRoundTask;
  void ShowRoundTask(const char* msg, int len);
  // The effects, voices and multiple of a play of `cardType` by screen seat
  // `pos` (server chair `chair`) with head figure `headIndex`.
  void ShowCardTypeEffect(int cardType, int headIndex, int pos, int chair);

  // ---- mini-game and activity buttons (GameViewPCActivity.cpp) ----
  // Message 35 of kind 1 is kept whole: its first kActivityInfoSize bytes.
  static constexpr int kActivityInfoSize = 36;
  // Request 41: its size and the values the table sends (the layer itself
  // sends 2 when a level starts).
  static constexpr int kSmallGameReqSize = 24;
  enum SmallGameReq { kSmallGameReqEnter = 1, kSmallGameReqLeave1 = 3, kSmallGameReqLeave2 = 4 };
  static constexpr int kZSmallGameFromMessage = 1002;
  static constexpr int kZSmallGameFromButton = 2002;
  static constexpr int kZActivityLayer = 105;
  static constexpr float kActivityLayerX = 60;
  static constexpr float kActivityLayerBelowTop = 70;

  // Message 35 by its kind: 1 the timed activity's info, -1 the activity is
  // over, 0 the mini-game opens now, anything else a refusal code.
  void OnSmallGameMsg(char* msg, int len);
  // Message 41: byte 8 is 0 for level data, else the mini-game ended with
  // that reason.
  void OnSmallGameResult(char* msg, int len);
  // Message 34: kind 1 the counter activity's info, 2 a new count.
  void OnCounterActivityMsg(char* msg, int len);
  // The activity button asks: the mini-game from the kept activity info.
  void OpenSmallGame() override;
  // The mini-game layer has ended (it removes itself): reasons 1 and 2 leave
  // the mini-game with request 41 (3 or 4); every reason forgets the layer.
  void CloseSmallGame(int reason) override;
  // Back to a table: a fresh table, a seat at another table and the table
  // music. Also the action of the mini-game's message boxes.
  void LeaveSmallGame(cocos2d::Ref* sender = nullptr);
  // Request 41 with `value`.
  void SendSmallGameReq(int value);
  // The web activity button (made when absent, its word shown first) counts
  // down from `seconds`.
  void ShowWebActivityCountdown(int seconds);
  // The new-player award, made once, starts a round with the three values.
  void StartNewPlayerAward(int chances, int amount, int kind);
  // Not owned; the program's maker of mini-game layers (null: no mini-game).
  void SetSmallGameMaker(ISmallGameMaker* maker) { m_pSmallGameMaker = maker; }
  ISmallGameLayer* GetSmallGameLayer() const { return m_pSmallGameLayer; }

  // ---- what the own hand, the deal and the bottom cards ask of the view ----
  void ShowSelfOutCard(const char* cards, int count) override;
  void HideGameClock() override;
  void ShowSelfClock(int kind) override;
  void OnBaseCardShown() override;
  void OnDealCardEnd() override;
  void UpdateTaskNum(int* values) override;
  void ShowDoubleAni(int seat, int factor) override;
  void ShowTableMultiple(int times) override;

  // ---- the game base's callbacks (GameViewPCCallbacks.cpp) ----
  void CallBackHandleAllSocketNetMsg(char* msg, int len) override;
  void CallBackAuthenPlayerInfo(PlayerNode* self) override;
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
  // The friend card and the activity money: widgets/TableNotices.h.
  void CallBackHandleFriendCard(char* msg, int len) override;
  void CallBackHandleActiveMoney(char* msg, int len) override;
  void CallBackEscapeNotice(int code) override;
  void CallBackPlayerNetDelay(int pos, int value) override;
  // The background holds the messages (once, however often it is called).
  // In the single-player game the local server keeps the hand in play, so
  // the table stays as it is and the foreground only lowers that hold: the
  // hand goes on where it was. With a game server the background takes the
  // table down to what survives it (the seat widgets of the other seats are
  // kept off the table for the next join); the foreground makes the own
  // hand, the deal layer and the clock again, drops the messages still
  // queued for the hand it no longer shows, lowers the hold and logs in
  // again (the re-login snapshot then lays the hand out).
  void CallBackGameEnterBackGround() override;
  void CallBackGameEnterForeGround() override;
  // The re-login snapshot rebuilds the table (GameViewPCRelogin.cpp). A
  // snapshot shorter than kReloginSize, or one naming a seat that is none, is
  // dropped and changes nothing; card bytes that name no card are empty.
  static constexpr int kReloginSize = 532;
  void CallBackAgainLogin(char* msg, int len) override;

  // Broadcast kinds of CallBackShowBullInfo.
  static constexpr int kBullTopBar = 1;
  static constexpr int kBullSysBoxA = 3;
  static constexpr int kBullSysBoxB = 4;
  // The card counter of the bottom bar, null while the bar has none.
  CardCounterLayer* GetCardCounter() const;
  // ---- the hand's result and what follows (GameViewPCResult.cpp) ----
  // Bytes of the hand result (237) this table reads; shorter ones are dropped.
  static constexpr int kResultSize = 288;
  // The result screen's place among the view's children.
  static constexpr int kZResult = 104;
  static constexpr int kMiniGameRequestSize = 24;
  static constexpr int kMiniGameEnter = 1;
  static constexpr int kEscapeOtherTable = 0;
  static constexpr int kEscapeMiniGame = 98;
  // The hand result: spring doubling, the lock raised until a result button
  // is pressed, the spring banner and the result pause, then ShowRoundResult.
  void CallBackGameResultServer(char* msg, int len) override;
  // After the result pause: money and score per seat, the other seats' cards
  // face up, the statistics and the result screen.
  void ShowRoundResult(const char* msg, int len) override;
  // The heads' win or loss acts: the landlord's side wins when `landlordWon`.
  void ShowPlayerResultActs(bool landlordWon) override;
  void OnResultBtnContinue() override;
  void OnResultBtnQuit() override;
  void OnResultBtnSmallGame() override;
  void OnResultExtraGame(int kind) override;
  void OnResultLayerShown(bool shown) override;
  void OnAwardEnd(int kind) override;
  // The award display (shown at once through the animation manager) and the
  // amount added to the own record and the login record: money for kind 0,
  // yuanbao for kind 1.
  void ShowAwardAni(int awardId, int kind, int amount) override;
  // The login record's money and yuanbao, and the bottom bar's money.
  void SetMoneyInfo(int money, int yuanbao) override;
  // The task panel's completion, when the panel is on the table.
  void ShowTaskCompete() override;
  // The quit path of the quit button and the quit question's button.
  void QuitWithRecord(cocos2d::Ref* sender = nullptr);
  // Asks whether to leave the table; its button leaves through QuitWithRecord.
  void ShowQuitMsgBox() override;
  // The own money and yuanbao from the login record, shown where the table shows them.
  void RefreshSelfMoney();
  // 3 in the single-player game, else 1 in call-and-rob mode, else 0.
  int GetGameKind() override;
  ResultLayer* GetResultScreen() const;
  bool IsResultLockHeld() const;
  // A script's result window: a ResultLayer only, taking the view's one
  // reference of the slot (the table's own window gives its reference back).
  bool SetResultLayerFromScript(YndGameLayer* layer) override;

  // ---- read access ----
  int GetGameId() const { return m_iGameId; }
  // The invitation answer of the tournament record (DdzCompete) opens the
  // result screen's invitation; pressing it switches the scene to the
  // tournament list (game id 237).
  bool IsCompeteInvitationOpen() const override;
  void EnterCompeteFromResult() override;
  cocos2d::ui::Button* GetStartButton() const { return m_pStartBtn; }
  // The rules window of the process (made on first use).
  static GameRuleLayer* SharedGameRule();
  // The window frame's help button: the rules window on the table.
  void OpenGameRule(cocos2d::Ref* sender = nullptr);
  // The back key: the panel drawn on top closes, whichever it is: the bottom
  // bar's settings, backpack, quick chat, card counter or last-round tip, the
  // rules window, or another player's info popup.
  bool CloseTopPanel() override;
  cocos2d::Label* GetInfoLabel() const { return m_pInfoLabel; }
  // The full-window background and the two side pieces (right, left).
  cocos2d::Sprite* GetBackground(int part) const;
  SelfHandCard* GetSelfHand() const;
  bool IsSitRequestPending() const;

  // ---- table state ----
  // ---- widget slots of the classic table (null until built) ----
  TopUIPC* m_pTopUIPC = nullptr;
  BottomUIPC* m_pBottomUIPC = nullptr;
  LobbyTopBull* m_pGameBull = nullptr;
  GameTips* m_pGameTips = nullptr;
  ActivityLayer* m_pActivityLayer = nullptr;
  NewPlayerAward* m_pNewPlayerAward = nullptr;
  cocos2d::ui::Button* m_pStartBtn = nullptr;  // child of the view
  cocos2d::Label* m_pInfoLabel = nullptr;      // child of the view
  cocos2d::Node* m_pWaitNode = nullptr;        // shown after authentication

  // ---- mini-game and activities ----
  // Bytes 0-35 of the last message 35 of kind 1; zero while no activity runs.
  std::uint8_t m_ActivityInfo[kActivityInfoSize] = {};
  // Cleared whenever the mini-game layer is forgotten.
  int m_iSmallGameState = 0;

  // ---- the hand ----
  // From the deal (or a re-login snapshot) to its result or a table reset;
  // a result or a turn that comes while no hand runs belongs to a hand the
  // table no longer shows and is dropped.
  bool m_bHandRunning = false;
  // The cap of the hand's winnings, shown as the top score.
  int m_iTopScoreCap = 0;
  // Results handled since the view was built; hands played (+1 per result);
  // continue presses (a quit clears them); 2 once the hand's result is in.
  int m_iResultShownCount = 0;
  int m_iHandsPlayed = 0;
  int m_iContinueCount = 0;
  int m_iRoundState = 0;
  // Per screen seat, the role of its played-cards row: 2 the landlord's, 1 a
  // farmer's, 0 before the landlord is known.
  int m_iSendRowRole[kMaxSeats] = {};
  // Per screen seat, whether its entry of the last round (m_TableItem's
  // iLastOutCard) is a pass: the seat had played or passed in this hand when
  // its turn came and left no card on the table. An entry without a card that
  // is no pass belongs to a seat that had not played yet.
  bool LastRoundPassed(int seat) const {
    return seat >= 0 && seat < kMaxSeats && m_bLastRoundPass[seat];
  }

 protected:
  // The scene's game id, else the one the view was made for.
  int StatsGameId() const override;
  static int LocalHourOf(std::int64_t seconds);

  // ---- what the touches ask of the seat widgets ----
  // Whether seat `seat`'s head is on the stage.
  bool IsSeatHeadRunning(int seat) const override;
  // Whether seat `seat`'s info popup is on the stage.
  bool IsSeatInfoPopupRunning(int seat) const override;
  // Shows seat `seat`'s info popup.
  void ShowSeatInfoPopup(int seat) override;

  // ---- own hooks of the callbacks; nothing on this table ----
  virtual void OnAllSocketMessage(char* /*msg*/, int /*len*/) {}
  // After the login: shows the start button and closes the login box.
  virtual void AfterAuthenResOK();
  virtual void AfterPlayerJoin(int /*pos*/) {}
  virtual void AfterPlayerLeave(int /*pos*/) {}
  // True: the ready sign is the hook's business.
  virtual bool OnPlayerReadyHook(int /*pos*/) { return false; }
  virtual void OnEscapeNoticeHook(int /*code*/) {}
  virtual void OnEnterBackGroundHook() {}

  // Messages of types this table has no handler for; nothing here.
  virtual void OnOtherMessage(char* /*msg*/, int /*len*/) {}

  // ---- the table base's questions, answered from the seat widgets ----
  void ShowSeatMoneyBox(int slot, int money, cocos2d::Vec2 pos) override;
  bool GetSeatHeadCenter(int seat, cocos2d::Vec2& center) const override;
  void HideSeatInfoPopup(int seat) override;
  // The bottom bar shows the own record again while it runs.
  void RefreshBottomBarInfo(PlayerNode* self) override;

 private:
  // ---- onEnter ----
  void BuildInfoLabel();

  // ---- CallBackLoadingEnd, in the order the table is built ----
  void BuildBackground();
  void BuildTopBar();
  void BuildBottomBar();
  void BuildTalkTip();
  void BuildBulletin();
  void BuildActivities();
  void BuildSeatHead(int seat);
  void BuildSeatInfoPopup(int seat);
  void BuildSeatStatus(int seat);
  void BuildBaseCardRow();
  void BuildSelfHand();
  void BuildOtherHand(int seat);
  void BuildPlayedRow(int seat);
  void BuildShownRow(int seat);
  void BuildDeal();
  void BuildStartButton();
  void AddOwnSeatWidgets();
  void BuildClock();
  void BuildResultScreen();
  void BuildGameTips();
  void AfterTableBuilt();
  // The result screen goes with the table (the view holds a reference).
  void ReleaseResultScreen();

  // ---- the start button and teardown ----
  void StartIdleTips();
  void StopIdleTips();
  void SwitchBottomBarTableControl();
  void CancelPendingSelectors();
  void TakeTableDown();

  // ---- GameViewPCHand.cpp ----
  // The screen seat of a chair byte; -1 (logged) for a chair that is no seat.
  int SeatOfChair(std::uint8_t chair, const char* what) const;
  // The head figure a seat speaks with.
  int SeatHeadFigure(int seat) const;
  bool SeatHasShortClock(int seat) const;
  void ShowSeatClock(int seconds, int seat, int kind);
  void StopClock();
  void ClearPointSigns();
  void PlayVoice(int seat, int voice);
  void LowerRaisedBaseCards(float dt);
  void PassToBackpack(char* msg, int len);
  // Bottom-bar steps; the bar fills them when it is on the table.
  bool IsBottomBarVisible() const;
  void EnableBottomBarButtons(bool enable);
  void EnableLastRoundButton();
  void ShowLastCardsOnBottomBar();
  void AddSysBoxMessage(const std::string& text, int kind);
  // The bottom bar's card counter while the player has it open, else null.
  CardCounterLayer* OpenCardCounter() const;

  // ---- GameViewPCCallbacks.cpp / GameViewPCRelogin.cpp ----
  // Takes a widget off the table but keeps it (and its slot) for the next
  // join or login; null or a widget without a parent does nothing.
  void ParkWidget(cocos2d::Node* widget);
  // Empties every card row and seat mark before a snapshot is laid out.
  void ClearTableForRestore();
  // The own play or pass went out and the server has not answered with its
  // 56 for the own seat yet; the own cards stay in the hand until it does.
  bool m_bOwnPlayPending = false;
  bool m_bOwnPassPending = false;
  // Passes since the last play of cards: two at the own turn mean the own
  // seat leads.
  int m_iPassesInRow = 0;
  // Per screen seat: it has played or passed in this hand.
  bool m_bSeatActed[kMaxSeats] = {};
  // Per screen seat: its last-round entry is a pass (LastRoundPassed).
  bool m_bLastRoundPass[kMaxSeats] = {};
  // Widgets taken off the table but kept; one reference each.
  cocos2d::Vector<cocos2d::Node*> m_vcParked;

  // ---- GameViewPCActivity.cpp ----
  ActivityLayer* ActivityBar();
  // The web activity button is there with hands or seconds left.
  bool WebActivityRuns() const;
  // The activity buttons' open tips show their state again (each deal).
  void RefreshActivityButtons();
  // A new mini-game layer placed and scaled, not yet added; null without a maker.
  ISmallGameLayer* MakeSmallGameLayer();
  // Takes the open layer out of the view (when `remove`) and lets it go.
  void ForgetSmallGameLayer(bool remove);
  void ShowSmallGameBox(const std::string& text);

  // ---- GameViewPCResult.cpp ----
  // The bottom bar's buttons off for the result.
  void DisableBottomBarForResult();
  // The result screen off the table (it stays built for the next hand).
  void RemoveResultScreen();
  // Lowers the result's raise of the message lock; false when none is held.
  bool LowerResultLock();
  // The other seats' remaining cards face up in their shown-hand rows.
  void ShowRemainingCards(int seat, const char* cards);
  // The rows, seat widgets, clock and panels back to an empty table.
  void ResetHandWidgets();
  void RecordGameStateIfOn(int code);

  int m_iGameId = 0;
  // The open mini-game layer, retained while held; null when none is open.
  ISmallGameLayer* m_pSmallGameLayer = nullptr;
  ISmallGameMaker* m_pSmallGameMaker = nullptr;  // not owned
  std::unique_ptr<DoubleSignFlight> m_pDoubleSign;
  cocos2d::Sprite* m_pBackground[3] = {};  // children of the view
  std::unique_ptr<SingleServerBase> m_pSingleServer;
  // The result's raise of the message lock, a child of the view: a view that
  // leaves the stage with the result screen open lowers it once.
  MsgLockToken* m_pResultLock = nullptr;
};
