// The Super table (game id 52): two or three seats, the jokers as wildcards
// and, for two seats, a let-cards count.
//
// One view plays three kinds of table, and which one is settled only after
// the view is built: the game server names the player-count mode with
// message 61 and only then are the seat widgets made (BuildTableForMode):
//
//   mode 2      two seats, call / rob / double, the let-cards panel, the
//               two-seat rules engine; the opponent is seat 0 drawn at the
//               fourth layout position (seat 3's slots point to its widgets)
//   mode 1      three seats, call / rob / double, the own hand drawn with
//               wildcard marks
//   any other   three seats, scores 1 to 3
//
// A second message 61 changes nothing (a table built for one mode lacks what
// another uses), and every hand message that comes before the table is built
// is dropped with a log line. The table has no single-player game: no local
// server plays it, so there the view shows the box that says so, as the
// four-player table does, and its button leaves. A play that names no type
// (the classic layout, shorter and without wildcard pairs) is read
// zero-padded and classified with the mode's rules engine.
//
// Chairs become seats through SeatOfChair: in mode 2 the own chair is seat 1
// and the other chair seat 0, else the game base's mapping. The own chair is
// seat 1's player record; a deal without it is dropped.
//
// A play (message 56) carries, beside its cards, up to four wildcard pairs:
// substitute bytes at +33 and matched bytes at +37. A played card equal to a
// matched byte is drawn with the substitute's mark, and counted and taken
// from the hand as the substitute. The own play is shown when it is sent
// (PlayCardsFromRecord puts request bytes 60-67 at +33 and +37 of a local
// 56); the server's echo of it is ignored.
//
// Going to the background on a network table takes the hand off the table
// (a running deal stops where it stands) and the re-login snapshot brings it
// back; in the single-player game the table stays as it is, and the
// foreground arms again the sit request and the bottom cards' settle that the
// background stopped. The special rules are read from their file once per
// process, when the first view is made.
//
// Files: construction, building, entering and leaving, the game base's
// notices in SuperGameView.cpp; the dispatch, seats, mode, let-cards count and
// table settings in SuperGameViewHand.cpp; the deal and the bidding in
// SuperGameViewBid.cpp; the turns, plays, doubling, effects and task test in
// SuperGameViewPlay.cpp (what the three share: SuperGameViewFields.h); the
// result, its buttons, the awards and the re-login snapshot in
// SuperGameViewResult.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "cardlogic/SuperRules.h"
#include "cards/SuperSelfHandCard.h"
#include "table/DDZGameView.h"
#include "variants/VariantNotices.h"

namespace cocos2d {
class Sprite;
namespace ui {
class Button;
}
}  // namespace cocos2d
class ActivityLayer;
class DoubleSignFlight;
class ErYieldCardLayer;
class GameTips;
class LobbyTopBull;
class MsgLockToken;
class ResultLayer;
class SingleServerBase;
class SmallShowCard;
class TopUI;

class SuperGameView : public DDZGameView, public ISuperHandOwner, public variantnotice::VariantSeats {
 public:
  static constexpr int kGameId = 52;
  static constexpr int kNoMode = -1;
  // GetGameKind by mode: 6 scores, 7 call and rob, 8 two seats.
  static constexpr int kKindScore = 6;
  static constexpr int kKindCallRob = 7;
  static constexpr int kKindTwoSeats = 8;
  // The two-seat opponent's layout entry.
  static constexpr int kOpponentPlace = 3;

  // Message types of this table.
  enum MsgType {
    kMsgShowHand = 23,
    kMsgDealReceived = 25,
    kMsgTableSettings = 38,
    kMsgActivity = 39,
    kMsgBidResult = 54,
    kMsgLandlord = 55,
    kMsgPlayed = 56,
    kMsgIgnored58 = 58,
    kMsgPlayerCountMode = 61,
    kMsgLetCards = 62,
    kMsgDeal = 71,
    kMsgBidTurn = 72,
    kMsgPlayTurn = 73,
  };
  // Shortest message of a type: the end of the last field its handler reads.
  static int MinMessageLength(int type);
  // What the dispatcher's front takes as whole: MinMessageLength, except the
  // local server's play (message 56), whole at the classic layout's length
  // and read zero-padded.
  static int MinWholeLength(int type);
  // Message 56's layout.
  static constexpr int kPlayedCards = 9;
  static constexpr int kPlayedMaxCards = 20;
  static constexpr int kPlayedCount = 29;
  static constexpr int kPlayedType = 30;
  static constexpr int kPlayedValue = 31;
  static constexpr int kPlayedSubstitutes = 33;
  static constexpr int kPlayedMatched = 37;
  static constexpr int kPlayedSize = 41;
  static constexpr int kWildPairs = 4;
  // The play request's wildcard bytes.
  static constexpr int kRequestWildcards = 60;
  static constexpr int kRequestSubstitutes = 64;
  static constexpr int kRequestSize = 68;
  // The hand result and the re-login snapshot.
  static constexpr int kResultSize = 288;
  static constexpr int kReloginSize = 552;
  static constexpr int kZResult = 104;
  // Ready alone at the table: another table after this long.
  static constexpr float kLoneSeconds = 10.0f;
  static constexpr float kSitInterval = 1.0f;
  // The landlord's raised bottom cards drop this long after they arrived.
  static constexpr float kBaseCardsSettleSeconds = 2.0f;
  static constexpr float kSpecialRuleSeconds = 5.0f;
  static constexpr int kSpecialRuleTag = 4810;

  // `flag` is the scene's third argument: 1 lowers the entry flag.
  SuperGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer, int flag);
  ~SuperGameView() override;

  void onEnter() override;
  void onExit() override;

  // ---- building ----
  // The fixed widgets (bars, tips, result panel), then the seat widgets when
  // the mode is known.
  void CallBackLoadingEnd() override;
  // Builds the seat widgets for the mode, once per entry into the scene.
  void BuildTableForMode();
  bool IsTableBuilt() const { return m_bTableBuilt; }
  int GetMode() const { return m_iPlayerCountMode; }
  // No local server plays this table: in the single-player game the view
  // shows a box (Super text kTextNoSinglePlayer) whose button leaves, and
  // takes no seat.
  static constexpr int kTextNoSinglePlayer = 11;
  SingleServerBase* CallBackCreateSingleServer() override { return nullptr; }

  // ---- messages (SuperGameViewHand.cpp, SuperGameViewBid.cpp, SuperGameViewPlay.cpp) ----
  bool CallBackFirstHandleMainSocketNetMsg(char*, int) override { return false; }
  void CallBackHandleMainSocketNetMsg(char* msg, int len) override;
  // The screen seat of a chair; -1 (logged) for none.
  int SeatOfChair(int chair, const char* what) const override;
  // The head figure a seat speaks with.
  int SeatHeadId(int seat) const override;
  // The own chair from seat 1's record; -1 when there is none or it is no chair.
  int OwnChair() const;
  // The layout entry of a seat's head, marks and money: 3 for the two-seat
  // opponent, else the seat.
  int PlaceOf(int seat) const;
  int SeatPlace(int seat) const override { return PlaceOf(seat); }

  // ---- what the own hand asks ----
  void ShowSelfOutCard(const char* cards, int count) override;
  void HideGameClock() override;
  void ShowSelfClock(int shown) override;
  void OnDealCardEnd() override;
  void OnBaseCardShown() override;
  int GetPlayerCountMode() const override { return m_iPlayerCountMode; }
  // Modes 1 and 2 call, rob and double.
  bool IsCallRobMode() const override { return m_iPlayerCountMode == 1 || m_iPlayerCountMode == 2; }
  const ddz::SpecialRuleFlags* GetSpecialRuleFlags() const override { return &m_SpecialRules; }
  void PlayCardsFromRecord(const std::uint8_t* request, int length) override;
  int GetClockSecondsLeft() const override;
  SuperSelfHandCard* GetSelfHand() const;

  // ---- table operations ----
  int GetGameKind() override;
  // The doubling: adds 2 when `add` is 1, else doubles; one sign flies at a time.
  void ShowDoubleAni(int seat, int add) override;
  void ShowTableMultiple(int times) override;
  // Whether a play of `type` and `value` (spread scale) completes task `kind`;
  // `cards` the 20 played card bytes (null: none).
  static bool CheckTaskDone(int kind, int type, int value, const std::uint8_t* cards);
  // The effect and voice of a play by its type.
  void PlayCardEffect(int type, int head, int count, int previousOwner, int seat);
  void ShowPlayerResultActs(bool landlordWon) override;
  // The task panel of a hand (anew): its main type (1 money, 2 yuanbao),
  // sub-type and amount, and the two raw int32 at `raw` kept as they stand.
  void PutTaskPanel(int mainType, int subType, int amount, const char* raw);
  void ShowTaskCompete() override;
  // Clears the hand from the table (hand start, result buttons, re-login, background).
  void ResetTable();

  // ---- the game base's notices (SuperGameView.cpp) ----
  void CallBackAuthenPlayerInfo(PlayerNode* self) override;
  void CallBackAuthenResOK() override;
  void CallBackPlayerJoinTable(int pos) override;
  void CallBackPlayerLeaveTable(int pos) override;
  void CallBackOtherPlayerDisconnect(int pos) override;
  void CallBackOtherPlayerLoginAgain(int pos) override;
  void CallBackPlayerReady(int pos) override;
  void CallBackPlayerNetDelay(int pos, int value) override;
  void CallBackEscapeNotice(int code) override;
  void CallBackShowBullInfo(char* msg, int len) override;
  // Quick chat, red packets and the money as on the four-player table
  // (variants/VariantNotices.h).
  void CallBackUrgrCard(char* msg, int len) override;
  void CallBackHongBaoNotice(char* msg, int len) override;
  void SetMoneyInfo(int money, int yuanbao) override;
  // The plain quit question (DDZGameView::AskToQuitTable).
  void ShowQuitMsgBox() override { AskToQuitTable(); }
  void CallBackGameEnterBackGround() override;
  void CallBackGameEnterForeGround() override;
  // Closes the message box, then asks for a seat once a second until one is sent.
  void AfterAuthenResOK();
  void StartSitRequest();
  void SendSitReqOnce(float dt);
  bool IsSitRequestPending() const;
  // Alone and ready, the table changes after kLoneSeconds.
  float AutoChangeDeskSeconds() const override { return kLoneSeconds; }

  // ---- result (SuperGameViewResult.cpp) ----
  void CallBackGameResultServer(char* msg, int len) override;
  void ShowRoundResult(const char* msg, int len) override;
  void OnResultBtnContinue() override;
  void OnResultBtnQuit() override;
  void CallBackJackPotNotice(char* msg, int len) override;
  void ShowAwardAni(int awardId, int kind, int amount) override;
  void OnAwardEnd(int kind) override;
  void OpenSmallGame() override {}
  void CloseSmallGame(int) override {}
  void CallBackAgainLogin(char* msg, int len) override;
  ResultLayer* GetResultScreen() const;
  bool IsResultLockHeld() const;
  // A script's result window: a ResultLayer only, taking the view's one
  // reference of the slot (the table's own window gives its reference back).
  bool SetResultLayerFromScript(YndGameLayer* layer) override;
  // The special-rule window; opened by hand it stays, else it goes after 5 s.
  void ShowSpecialRules(bool manual);
  // The rules button (and the window frame's help button) open the special
  // rules; made when the table's switches have rules to show and no button
  // is there (message 38, the foreground).
  void ShowRulesButton();

  // ---- state ----
  int m_iGameState = 0;
  int m_iContinuedHands = 0;
  int m_iGamesPlayed = 0;
  int m_iAmountCap = 0;
  int m_iHandsShown = 0;
  int m_iShownHandSeat = -1;
  ddz::SpecialRuleFlags m_SpecialRules;
  // The last let-cards count shown (0: none).
  int m_iLetCards = 0;
  // The power field handed to the result panel: the multiple itself.
  int m_iResultPower = 0;

  // ---- widgets (null until built) ----
  TopUI* m_pSuperTopUI = nullptr;
  GameTips* m_pGameTips = nullptr;
  LobbyTopBull* m_pGameBull = nullptr;
  ActivityLayer* m_pActivityLayer = nullptr;
  ErYieldCardLayer* m_pYieldLayer = nullptr;
  SmallShowCard* m_pExtraShowCard = nullptr;
  cocos2d::Sprite* m_pHandSprite = nullptr;
  cocos2d::ui::Button* m_pRulesButton = nullptr;

 protected:
  // ---- the head touches ----
  bool IsSeatHeadRunning(int seat) const override;
  bool IsSeatInfoPopupRunning(int seat) const override;
  void ShowSeatInfoPopup(int seat) override;
  void HideSeatInfoPopup(int seat) override;

  // ---- the hand's messages ----
  void OnPlayerCountMode(char* msg, int len);
  void ShowYieldCardNum(char* msg, int len);
  void OnGameStart(char* msg, int len);
  void ShowRoundTask(char* msg, int len);
  void OnTurnPrompt(char* msg, int len);
  void OnRobLandlordAct(char* msg, int len);
  void OnLandlordDecided(char* msg, int len);
  void HandleSendCardsServer(char* msg, int len);
  void OnPlayCards(const char* msg, int len, bool local);
  void OnBgWordMsg(char* msg, int len);
  void OnSubMsg39(char* msg, int len);
  void OnSoundMsg(char* msg, int len);

 private:
  void BuildSeat(int seat);
  // The top bar's score panel names its figures: the bar's captions
  // (TopUI::CaptionScores), or the call-and-rob board's digits beside its word.
  void NameTheScoreFigures();
  void EnsureYieldLayer();
  void ClearPointSigns();
  void ShowSeatClock(int seconds, int seat, int kind);
  void StopClock();
  void PlayVoice(int seat, int voice);
  bool SeatHasShortClock(int seat) const;
  void OnBaseCardTimer(float dt);
  void RemoveResultScreen();
  bool LowerResultLock();
  void CancelPendingSelectors();
  void ReleaseTable();

  int m_iPlayerCountMode = kNoMode;
  // The type of the play on the table (-1 none).
  int m_iTablePlayType = -1;
  bool m_bTableBuilt = false;
  bool m_bHandRunning = false;
  // Pending when the window went away (single-player: armed again on its return).
  bool m_bSitAtForeground = false;
  bool m_bBaseCardsAtForeground = false;
  std::unique_ptr<DoubleSignFlight> m_pDoubleSign;
  // The single-player game was refused when the table was built.
  bool m_bNoSinglePlayerGame = false;
  // The result's raise of the message lock, a child of the view.
  MsgLockToken* m_pResultLock = nullptr;
};
