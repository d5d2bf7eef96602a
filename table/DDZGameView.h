// The common base of every table view (classic, tournament, four-player,
// Super): the state of the hand (TableItemDef), the slots of the table's
// widgets and of the per-seat widgets, the script handlers through which Lua
// scripts take part in the table, and the numbered table operations.
//
// Script events. A script registers one Lua function per event key 0-19; the
// default body of each numbered operation does nothing but run the handler
// of its key with the operation's arguments (a few operations have bodies of
// their own, see below). A derived view that overrides an operation replaces
// this. An event without a handler runs nothing and gives 0.
//
// Widget slots are null until the view that builds the table fills them, and
// every use here checks them. The widget classes sit in the layer above, so
// the few widget operations the base needs are small virtual questions
// ("the head centre of a seat", "show a seat's money box") that the views,
// which know their widgets, answer; the defaults answer "no widget".
//
// The own hands (cards/) reach the view through ISelfHandOwner: the view's
// HideGameClock, ShowSelfOutCard and ShowSelfClock are the operations of the
// same names below. The bottom-card and deal rows reach it through
// ITableRowOwner: OnBaseCardShown and OnDealCardEnd.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/engine/lua/ScriptHooks.h"
#include "cards/SelfHandOwner.h"
#include "cards/TableRowOwner.h"
#include "platform/engine/Math.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/gamebase/GameViewBase.h"
#include "table/TableItemDef.h"

namespace cocos2d {
class Event;
class Sprite;
class Touch;
}
class BaseCard;
class BottomUI;
class GameClock;
class OtherPlayerInfo;
class PackInfoBase;
class PlayerGameInfo;
class PlayerShow;
class TalkTip;
class TaskUI;
class TopUIBase;
class Vell_SpriteCardManage;
class YndGameLayer;

// Per screen seat, the head figure that seat's head image was given, so that
// a seat keeps its figure from hand to hand; -1 means choose anew.
extern int g_iSeatHeadFigure[GameViewBase::kMaxSeats];

class DDZGameView : public GameViewBase, public ISelfHandOwner, public ITableRowOwner {
 public:
  static constexpr int kOwnSeat = 1;

  // Script event keys.
  enum ScriptEvent {
    kEventGetGameKind = 0,
    kEventDealCardEnd = 1,
    kEventHideGameClock = 2,
    kEventShowSelfOutCard = 3,
    kEventRobBtn = 4,
    kEventResultBtnContinue = 5,
    kEventResultBtnQuit = 6,
    kEventResultBtnSmallGame = 7,
    kEventScript8 = 8,
    kEventScript9 = 9,
    kEventRoundStart = 10,
    kEventSetMoneyInfo = 11,
    kEventUpdateTaskNum = 12,
    kEventShowSelfClock = 13,
    kEventResultExtraGame = 14,
    kEventShowQuitMsgBox = 15,
    kEventBaseCardShown = 16,
    kEventShowTaskCompete = 17,
    kEventShowDoubleAni = 18,
    kEventResultLayerShown = 19,
  };
  static constexpr int kScriptEventCount = 20;
  // UpdateTaskNum hands the first this many values to the script.
  static constexpr int kTaskValues = 7;

  // The shake: eight moves of kShakeStepSeconds, the whole run kShakeRepeats times.
  static constexpr float kShakeStepSeconds = 0.02f;
  static constexpr unsigned kShakeRepeats = 7;
  static constexpr int kShakeSteps = 8;
  static const cocos2d::Vec2 kShakeOffsets[kShakeSteps];

  // The price of a paid expression floats over the table.
  static constexpr const char* kPriceAtlas = "qorvddz_result_num_fail.png";
  // The expression animations' skeleton.
  static constexpr const char* kExpressSkeleton = "eff_biaoqing.json";
  static constexpr const char* kExpressAtlas = "eff_biaoqing.atlas";
  static constexpr int kExpressZOrder = 1000;

  DDZGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer);
  ~DDZGameView() override;

  // The sprite sheets every table needs, added in this order when it enters.
  static const std::vector<const char*>& TableSheets();
  // Seconds of a play turn by the cards left in the seat's hand (the
  // classic and four-player tables; the tournament has shorter ones).
  static int PlaySecondsFor(int cardsLeft);

  // ---- script handlers ----
  // Keeps `handler` (a Lua function reference) under event key iValue when
  // the key is free; a second registration under a taken key is ignored (the
  // first handler stays) and its function dropped, as is one for a key
  // outside 0-19.
  void RegisterLuaHandlerQorvDDZView(int iValue, int handler);
  // Releases the handler of iValue; a key without one does nothing.
  void UnRegisterLuaHandlerQorvDDZView(int iValue);
  bool HasLuaHandler(int key) const { return ddz::HasScriptHandler(m_mapLuaHandler, key); }
  // Run the handler of `key` on the engine's Lua stack with no argument, one
  // array (a Lua table 1..n) or one value; each puts the stack back to the
  // height it had (a handler run inside a binding leaves the binding's slots
  // alone) and gives the handler's integer result, 0 when there is none.
  int ExecuteScriptHandler(int key);
  int ExecuteScriptHandlerWithArray(int key, const cocos2d::LuaValueArray& args);
  int ExecuteScriptHandlerWithValue(int key, const cocos2d::LuaValue& value);

  // ---- numbered operations (default bodies fire their script event) ----
  // The table kind as the widgets see it (event 0; 0 without a handler).
  virtual int GetGameKind();
  // The deal animation has ended (event 1).
  void OnDealCardEnd() override;
  // The own seat has acted (event 2).
  void HideGameClock() override;
  // A rob button (event 4: {text up to its first zero byte, value, the char
  // sign-extended, the flag as 0/1}).
  virtual void OnRobBtnEvent(const char* text, int value, char c, bool flag);
  // The own play, shown before the server echoes it (event 3: {the card bytes
  // up to the first zero byte, at most `count` of them, count}); count 0 is a
  // pass.
  void ShowSelfOutCard(const char* cards, int count) override;
  // The result screen's buttons (events 5, 6, 7).
  virtual void OnResultBtnContinue();
  virtual void OnResultBtnQuit();
  virtual void OnResultBtnSmallGame();
  // Events without a caller in the program; scripts fire them (8, 9).
  virtual void ScriptEvent8();
  virtual void ScriptEvent9();
  // The hand result, `len` bytes of the result message; empty here.
  virtual void ShowRoundResult(const char* msg, int len);
  // A new hand (event 10).
  virtual void OnRoundStart();
  // Event 11: {money, yuanbao}.
  virtual void SetMoneyInfo(int money, int yuanbao);
  virtual void ShowRoundTask(int task);
  // Stops the music and plays the next table track, looped (the two table
  // tracks alternate).
  virtual void PlayBackgroundMusic();
  // Event 12: the first seven task values as one array. Null: nothing runs.
  virtual void UpdateTaskNum(int* values);
  // The own clock after the show-hand question (event 13: one number).
  void ShowSelfClock(int kind) override;
  // Event 14: one number.
  virtual void OnResultExtraGame(int kind);
  // Asks whether to leave the table (event 15).
  virtual void ShowQuitMsgBox();
  // The bottom cards are face up (event 16).
  void OnBaseCardShown() override;
  // Shakes the view: kShakeOffsets as moves of kShakeStepSeconds, repeated
  // kShakeRepeats times; the view ends where it started.
  virtual void ShakeScreen();
  // Event 17.
  virtual void ShowTaskCompete();
  // Every entry of g_iSeatHeadFigure back to -1.
  virtual void ResetSeatHeadFigures();
  // Event 18: {seat, factor}.
  virtual void ShowDoubleAni(int seat, int factor);
  // Shows the hand's multiple `times` where the view shows it (the top bar);
  // the doubling sign calls it when it lands. No widget here: nothing.
  virtual void ShowTableMultiple(int /*times*/) {}
  // The heads' win or loss acts: the landlord's side wins when `landlordWon`.
  // No heads here: nothing.
  virtual void ShowPlayerResultActs(bool /*landlordWon*/) {}
  // Event 19: one boolean.
  virtual void OnResultLayerShown(bool shown);
  virtual void OnAwardEnd(int kind);
  virtual void OpenSmallGame();
  virtual void CloseSmallGame(int kind);
  // An award `awardId` of `kind` (0 money, 1 yuanbao) and `amount`.
  virtual void ShowAwardAni(int awardId, int kind, int amount);

  // ---- operations of the game base ----
  // Plays `file` as an effect (the sound service made first).
  void CallBackPlaySound(char* file) override;
  // Runs expression animation `name` of the expression skeleton at `pos`
  // (z-order kExpressZOrder), mirrored when `flip` is set, once, and takes it
  // away after `duration` seconds.
  void CallBackShowExpressSpineAni(char* name, bool flip, float duration, cocos2d::Vec2 pos) override;
  // Stops and hides the info popup of every seat whose player has `userId`.
  void HidePlayerInfoOfUser(int userId) override;
  // A paid interactive expression from the player `fromUserId` to `toUserId`:
  // charges `price` to the sender, gives the head positions the expression
  // flies between (result 0) and refreshes the bottom bar. Seats that cannot
  // be found leave the outputs untouched.
  void GetExpressHeadPos(int fromUserId, int toUserId, int price, cocos2d::Vec2& fromPos, cocos2d::Vec2& toPos,
                         int& result) override;

  // ---- ISelfHandOwner ----
  void SendHandMessage(void* buf, int type, int len) override { SendMsgToMainSocket(buf, type, len); }
  void QuitHandTable() override { QuitGame(nullptr); }
  bool IsCallRobMode() const override { return m_iGameMode == 1; }
  bool IsSinglePlayerGame() const override { return IsSinglePlayer(); }
  void ShowHandMessageBox(const char* text, int kind, cocos2d::Node* owner) override;

  const ddz::ScriptHandlerMap& GetLuaHandlers() const { return m_mapLuaHandler; }

  // ---- what the widgets ask of the view ----
  // The own name where the table hides names: the login's nickname, else its
  // user name (UTF-8).
  virtual std::string GetOwnLoginName() const;
  // Whether seats are named by their nickname (true) or their user name.
  virtual bool ShowsNickNames() const { return false; }
  // The result screen's questions and its one request beyond the numbered
  // result operations:
  // - hands the own player has played today (m_iTodayPlayNum); the result
  //   screen offers the leave button above 5;
  virtual int GetTodayPlayNum() const { return m_iTodayPlayNum; }
  // - whether the tournament record allows the invitation to the tournament
  //   (the reply to the invitation query left it nonzero). The tournament's
  //   records sit above the table, so the view answers; default: no;
  virtual bool IsCompeteInvitationOpen() const { return false; }
  // - the invitation was pressed: switch the scene to the tournament game.
  //   Default: logged only.
  virtual void EnterCompeteFromResult();
  // The back key: closes the panel drawn on top of the table, the way its own
  // button closes it. False when no panel is open; the scene then asks the
  // quit question. Default: no panels.
  virtual bool CloseTopPanel() { return false; }

  // ---- widget slots filled by scripts ----
  // Puts `widget` into `slot` (one of the slots below) and keeps one
  // reference to it while it stays there, so that a widget a script made and
  // let go of, or destroyed, never dangles in the slot; the reference of the
  // widget it replaces is given back. ReleaseHeldWidgets ends the rest.
  template <class T>
  void HoldWidget(T*& slot, T* widget) {
    if (slot == widget) return;
    ReleaseHeldSlot(&slot);
    slot = widget;
    if (widget == nullptr) return;
    widget->retain();
    m_vcHeldWidgets.push_back({widget, &slot, [&slot, widget] {
                                 if (slot == widget) slot = nullptr;
                               }});
  }
  // Gives back every reference HoldWidget kept and empties the slots that
  // still hold those widgets. The table's teardown and the view's end call it.
  void ReleaseHeldWidgets();
  // The result window slot (m_pResultLayer) as a script fills it: false
  // refuses `layer` and leaves the slot as it is. This view keeps any layer
  // (HoldWidget); a table with a result window of its own takes only one of
  // that window's kind (PutResultLayerOfKind).
  virtual bool SetResultLayerFromScript(YndGameLayer* layer);
  void onExit() override;

  // ---- leaving the table: what every table view does the same way ----
  // The server's kick-out: a message box with the notice's own text when it
  // has one, else the reason's game text (KickOutTextNumber); a null notice
  // gives the reason's text. The box's button leaves the table, except for
  // reason kKickNoButtonReason and a notice with its own text and flag 0. A
  // view off the stage (over the room list) shows the box without a way out.
  void CallBackKickOutServerNotice(int reason, KickOutServer* notice) override;
  // Game text of a kick-out reason; an unknown reason gives kKickOtherText.
  static int KickOutTextNumber(int reason);
  static constexpr int kKickNoButtonReason = 31;
  static constexpr int kKickOtherText = 15;
  // The idle kick: kIdleKickSeconds after StartIdleKick the table shows the
  // kick-out notice of reason kIdleKickReason, once. Starting again restarts it.
  static constexpr int kIdleKickReason = 1000;
  static constexpr float kIdleKickSeconds = 120.0f;
  void StartIdleKick();
  void CancelIdleKick();
  bool IsIdleKickPending() const;
  void OnIdleKick(float dt);
  // The table change: the own seat ready with no other player at the table
  // asks for another table (escape request 0) kAutoChangeDeskSeconds later,
  // unless a join or a reset cancels it first.
  static constexpr float kAutoChangeDeskSeconds = 30.0f;
  // How long the own seat waits alone; a table with a shorter wait answers.
  virtual float AutoChangeDeskSeconds() const { return kAutoChangeDeskSeconds; }
  // Called with the seat that became ready; only the own seat alone arms it
  // (again from the start when it is already pending).
  void ScheduleAutoChangeDeskIfAlone(int pos);
  void CancelAutoChangeDesk();
  bool IsAutoChangeDeskPending() const;
  // One-shot selector: the escape request for another table.
  void AutoChangeDesk(float dt);
  // Leaves the table at once (the game base asks when the server says so).
  void QuitGameNow() override;
  // The quit question of a table that has no question of its own: game text
  // kTextQuitQuestion in a box whose OK leaves the table (the tournament and
  // Super tables answer ShowQuitMsgBox with it).
  static constexpr int kTextQuitQuestion = 18;
  void AskToQuitTable();

  // ---- what every table keeps for the player (DDZGameViewStats.cpp) ----
  // Local store and user-default keys.
  static constexpr const char* kKeyTodayPlayNum = "key_today_play_ddz_num";
  static constexpr const char* kKeyTodayPlayTime = "key_today_play_ddz_time";
  static constexpr const char* kKeySingleAmount = "DDZ_SINGLE_GAME_AMOUNT";
  static constexpr const char* kKeySingleWins = "DDZ_SINGLE_GAME_WIN_NUM";
  static constexpr const char* kKeySingleLosses = "DDZ_SINGLE_GAME_LOSE_NUM";
  static constexpr const char* kUserWins = "SINGAL_GAME_WIN_NUM";
  static constexpr const char* kUserLosses = "SINGAL_GAME_LOST_NUM";
  static constexpr const char* kUserAmount = "SINGAL_GAME_AMOUNT";
  static constexpr const char* kUserHands = "SINGAL_GAME_NUM";
  static constexpr const char* kUserHandsForGuide = "SINGAL_GAME_NUM_FOR_GUIDE";
  // The statistics file of earlier versions, in the writable folder; read
  // once into the local store, then deleted.
  static constexpr const char* kLegacyStatsFile = "single.conf";
  // Today's net money must stay above this for a new hand.
  static constexpr int kLoseLimit = -1000000;

  // Single-player only: the score total, wins and losses from the local
  // store, then the value lines of "single.conf" when that file is there (a
  // line that is no count leaves its count as stored). The file is deleted
  // once the store holds what it brought; it stays while the store cannot be
  // written, and a file without value lines changes nothing.
  void LoadSingleGameStats();
  // The three single-player totals of the login record into the local store.
  // False when the store could not be written (the totals stay in memory).
  bool SaveSingleGameStats();
  // The counts after an offline hand with the own result `result`; on a
  // network table a won hand counts for the game base instead.
  void RecordSingleHandResult(int result);
  // Starts the day: today's loss amount is 0 on a new local date, else what
  // was stored; the all-time amount from the store (keys of StatsGameId()).
  virtual void RecordLoseAmount();
  // Both amounts change by the own money change and are stored.
  virtual void UpdateLoseAmount(int moneyChange);
  // False, with a box whose button leaves the table, once today's amount has
  // reached kLoseLimit.
  bool CheckLoseLimit();
  // Today's hands, one count for every table: read on entering (0 and the
  // date stored anew on a new local date), +1 per hand result, stored again
  // when the view leaves.
  void LoadTodayPlayNum();
  void CountTodayHand();
  void SaveTodayPlayNum();
  int GetDayLoseAmount() const { return m_iDayLoseAmount; }
  int GetLobbyLoseAmount() const { return m_iLobbyLoseAmount; }
  // Hands played today; restarts from 0 on a new local date.
  int m_iTodayPlayNum = 0;
  // Net money of this game id: all days, and today.
  int m_iLobbyLoseAmount = 0;
  int m_iDayLoseAmount = 0;

  // A play of `codes` by screen seat `seat` goes to the seat's played row: the
  // own cards leave the own hand (TakeOwnPlay), another seat's card backs and
  // shown cards lose them; the landlord's last card carries `landlordRole`'s
  // mark.
  void MovePlayedCards(int seat, const std::vector<int>& codes, int landlordRole);
  // The own play of `codes`, already in the own played row `row`, leaves the
  // own hand: the rest of the hand slides together from where it stood, and
  // the played cards fly into the row from their places in the hand. Every
  // table shows the own play through here.
  void TakeOwnPlay(Vell_SpriteCardManage* row, const std::vector<int>& codes);

  // A hand has one landlord: once this hand's landlord is decided, a further
  // landlord message would hand out the bottom cards again. False for it,
  // after a log line naming `what`; true while the landlord is open.
  bool LandlordStillOpen(const char* what) const;
  // Whether screen seat `seat` can have made a play of `codes` at a table of
  // `decks` decks: no card named more often than the decks hold it, and not
  // more cards than the seat holds; the own seat must hold each card named,
  // as often as named (its hand is the truth the play is measured by). False
  // after a log line naming `what`. A seat without a hand row has no count to
  // measure by.
  bool PlayFitsSeat(int seat, const std::vector<int>& codes, int decks, const char* what);

  // The front of every table's dispatcher: the type of a game message that is
  // a whole frame and holds its type's fields (`minLength(type)` bytes), else
  // -1 after a log line naming `view`.
  static int TypeOfWholeMessage(const char* view, const char* msg, int len, int (*minLength)(int));

  // Opens the info popup of the other player whose head was touched (the
  // kHeadTouchWidth x kHeadTouchHeight area at g_ptTipsPlayerInfo of its
  // place) and closes the other popups; touches closer together than
  // kTouchGapMs are ignored.
  static constexpr unsigned kTouchGapMs = 101;
  static constexpr float kHeadTouchWidth = 130;
  static constexpr float kHeadTouchHeight = 250;
  void onTouchesEnded(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event* event) override;

  // Adds a table or seat widget to the view at zOrder unless it already has a
  // parent: a repeated join or a re-login finds the seat's widget in place and
  // leaves it there. False (nothing changes) for null or a widget with a parent.
  bool AddTableWidget(cocos2d::Node* widget, int zOrder);

  // The three-seat deal (`m_pDealCard`, a DealCard): placed over the table
  // (scale 0.85 at (156, 20), z 105), shown and started with the own 17 card
  // bytes, the card it turns face up and the seat the deal starts at. The deal
  // holds the message lock itself until its end. Nothing without a deal row.
  void StartDealRow(const std::uint8_t* ownCards, std::uint8_t openCard, int firstSeat);
  // Takes the three-seat deal off the table (the background): a running deal
  // stops where it stands, unheard, and the row is hidden until the next
  // StartDealRow. Nothing without a deal row.
  void StopDealRow();
  // The side seats' card backs (seats 0 and 2) count, warn and sound (true),
  // or stay quiet while a deal runs (false).
  void ArmSideHands(bool armed);

  // ---- table state ----
  // The view's backpack interface; the view owns the default instance.
  std::unique_ptr<PackInfoBase> m_pPackInfo;
  // Bidding: 0 by score, 1 call and rob (the Super table also uses 2).
  int m_iGameMode = 0;
  int m_iShowCardSeat = -1;
  // 1 once this hand's activity message opened the new-player award.
  int m_iNewPlayerAward = 0;
  cocos2d::Sprite* m_pBgWord = nullptr;
  bool m_bSmallGameOpen = false;
  TableItemDef m_TableItem;

  // ---- widget slots (null until the view builds the table) ----
  BaseCard* m_pBaseCard = nullptr;
  GameClock* m_pGameClock = nullptr;
  TalkTip* m_pTalkTip = nullptr;
  TaskUI* m_pTaskUI = nullptr;
  TopUIBase* m_pTopUI = nullptr;
  BottomUI* m_pBottomUI = nullptr;
  YndGameLayer* m_pResultLayer = nullptr;
  Vell_SpriteCardManage* m_pDealCard = nullptr;
  // Per screen seat.
  Vell_SpriteCardManage* m_pMingCard[kMaxSeats] = {};  // shown hand
  Vell_SpriteCardManage* m_pSendCard[kMaxSeats] = {};  // played cards
  Vell_SpriteCardManage* m_pHandCard[kMaxSeats] = {};  // own hand at seat 1, card backs elsewhere
  PlayerShow* m_pPlayerShow[kMaxSeats] = {};
  PlayerGameInfo* m_pPlayerGameInfo[kMaxSeats] = {};
  OtherPlayerInfo* m_pOtherPlayerInfo[kMaxSeats] = {};

 protected:
  // Seats 0..player count - 1 that exist in the seat arrays.
  int SeatsInUse() const;
  // The local calendar day of a time (seconds since 1970), as year * 10000 +
  // month * 100 + day, so two times fall on the same day when these are equal.
  static int LocalDayOf(std::int64_t seconds);
  // The game id the loss amounts are kept under: the scene's; 0 without one.
  virtual int StatsGameId() const;

  // ---- what the base asks of the view's widgets ----
  // Shows seat widget `slot`'s money box with `money` at `pos` when that
  // widget is shown.
  virtual void ShowSeatMoneyBox(int /*slot*/, int /*money*/, cocos2d::Vec2 /*pos*/) {}
  // The centre of seat `seat`'s head; false when the seat has no head widget.
  virtual bool GetSeatHeadCenter(int /*seat*/, cocos2d::Vec2& /*center*/) const { return false; }
  // Refreshes the bottom bar from the own player's record when the bar is shown.
  virtual void RefreshBottomBarInfo(PlayerNode* /*self*/) {}
  // Hides seat `seat`'s info popup and stops its updates.
  virtual void HideSeatInfoPopup(int /*seat*/) {}
  // What the head touches ask of the seat widgets (DDZGameViewTouch.cpp):
  // whether seat `seat`'s head and info popup are on the stage; show the popup.
  virtual bool IsSeatHeadRunning(int /*seat*/) const { return false; }
  virtual bool IsSeatInfoPopupRunning(int /*seat*/) const { return false; }
  virtual void ShowSeatInfoPopup(int /*seat*/) {}
  // The layout entry of seat `seat`'s head and touch area (a table that draws
  // a seat at another place answers).
  virtual int SeatPlace(int seat) const { return seat; }

  // SetResultLayerFromScript of a table whose result window is a `Kind`:
  // `layer` takes the slot only when it is one (nil is none) and the table's
  // window is not up. `owned`: the table keeps one reference of its own to
  // what stands in the slot, so the layer takes that reference and the one
  // it replaces gives it back; else the slot's layer is kept as HoldWidget
  // keeps a widget.
  template <class Kind>
  bool PutResultLayerOfKind(YndGameLayer* layer, bool owned) {
    if (dynamic_cast<Kind*>(layer) == nullptr) return false;
    if (layer == m_pResultLayer) return true;
    if (m_pResultLayer != nullptr && m_pResultLayer->isRunning()) return false;
    if (!owned) {
      HoldWidget(m_pResultLayer, layer);
      return true;
    }
    layer->retain();
    if (m_pResultLayer != nullptr) {
      m_pResultLayer->removeFromParent();
      m_pResultLayer->release();
    }
    m_pResultLayer = layer;
    return true;
  }

 private:
  void FloatExpressPrice(int price);
  void RefreshSeatMoneyBox(int seat);
  bool SeatHeadCenter(int seat, cocos2d::Vec2& center) const;
  void RefreshBottomBar();

  // Gives back the reference kept for `slot`, if any.
  void ReleaseHeldSlot(const void* slot);

  ddz::ScriptHandlerMap m_mapLuaHandler;
  // Widgets HoldWidget keeps (one reference each) and how to empty their slot.
  struct HeldWidget {
    cocos2d::Ref* widget;
    const void* slot;
    std::function<void()> clearSlot;
  };
  std::vector<HeldWidget> m_vcHeldWidgets;
  std::uint64_t m_uLastTouchMs = 0;
  bool m_bTouchSeen = false;
};
