// The card mini-game: a bonus game of up to five levels that the classic
// table opens between hands, in one full-window layer laid over the table.
//
// Opened by message 35 (mode 2: the start panel with its start and quit
// buttons) or by the table's activity button (mode 1: a tip and a return
// button, nothing to play). The start button sends request 41 with action 2;
// the server answers with message 41's level data, which decides for every
// level the card kind the pick yields and the present award after it. A
// level: the banner and lamp chase, eight cards out of the hat, shown,
// turned, gathered and spread, then 15 s to pick one. The picked card's
// place gets the outcome card, which plays its win or fail effect; the
// others turn up and the present award counts to its new value. After the
// last level the result screen shows the total, which is counted over into
// the player's yuanbao. One 20 s clock times the waiting and the result
// screen; its time-out quits before the first level, picks in a level and
// leaves after the last.
//
// The level data is checked before use: a message shorter than its 16-byte
// head is dropped; the record count is cut to what the message holds and to
// five; a level always deals its eight places (kinds past the record's card
// count are blank); when no card carries the outcome kind the touched card
// (on a time-out the card in place 0) settles by its own kind; no records at
// all go to the result with the present award.
//
// Leaving slides the layer out; it then takes itself out of the view and
// tells it (DDZGameView::CloseSmallGame: 0 in mode 1, 1 when no level data
// came, 2 after it did).
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "classic/SmallGamePort.h"
#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"
#include "variants/DDZSmallGameOwner.h"

namespace cocos2d {
class LabelAtlas;
class Sprite;
}  // namespace cocos2d
class DDZGameView;
class DDZSmallGameBigAwardBoard;
class DDZSmallGameLevelNoBorad;
class DDZSmallGameLevelTips;
class DDZSmallGameResultLayer;

class DDZSmallGameLayer : public YndGameLayer, public ISmallGameLayer, public DDZSmallGameOwner {
 public:
  static constexpr int kMaxLevels = 5;
  static constexpr int kCardPlaces = 8;
  static constexpr int kHeadSize = 16;
  static constexpr int kRecordSize = 24;
  static constexpr int kRequestSize = 24;
  static constexpr int kRequestType = 41;
  static constexpr int kActionPlay = 2;
  static constexpr int kDefaultBigAward = 100;
  static constexpr int kMaxCountSteps = 80;
  static constexpr float kWaitSeconds = 20;
  static constexpr float kPickSeconds = 15;
  static constexpr float kSlideSeconds = 0.5f;
  static constexpr float kIconFlightSpeed = 500;  // units a second
  static constexpr int kAwardIconTag = 111;
  static constexpr int kPlayerIconTag = 222;
  static constexpr const char* kBaseSheet = "DDZ_SmallGameBaseImages.plist";
  static constexpr const char* kIntoGameSheet = "DDZ_SmallGameIntoGameImages.plist";
  static constexpr const char* kHatCardFrame = "DDZ_SmallGame_maozipai.png";
  static constexpr const char* kYuanbaoFrame = "DDZ_SmallGame_yuanbao.png";

  // Where the game is; derived from the flow, for the log and the tests.
  enum class Phase { kClosed, kOpening, kWaiting, kRequested, kLevel, kPicking, kRevealing, kResult, kLeaving };

  // One level's record of message 41, as read.
  struct LevelRecord {
    int cardCount = 0;
    int award = 0;
    int outcome = 0;
    std::array<int, kCardPlaces> kinds{};
  };

  // view: the table that opened the game (it outlives its child layer).
  static DDZSmallGameLayer* create(DDZGameView* view);

  // ---- the table's calls (ISmallGameLayer) ----
  YndGameLayer* AsLayer() override { return this; }
  // Message 35's starting award, big award, level count and entry cost, and
  // the player's yuanbao: mode 2.
  void SetGameInfo(int startAward, int bigAward, int levelCount, int cost, int playerYuanbao) override;
  // Mode 1 from the activity button's kept record.
  void SetOpenFields(const SmallGameOpenFields& fields) override;
  // Message 41 with level data: accepted once, while waiting for it in mode 2.
  void SetLevelData(const char* msg, int len) override;

  // ---- the widgets' calls (DDZSmallGameOwner) ----
  int GetLevelNo() const override { return m_iLevelNo; }
  int GetLevelRecordCount() const override { return m_iRecordCount; }
  cocos2d::ui::Button* GetStartButton() const override { return m_pStartBtn; }
  cocos2d::ui::Button* GetQuitButton() const override { return m_pQuitBtn; }
  cocos2d::ui::Button* GetReturnButton() const override { return m_pReturnBtn; }
  DDZSmallGameHelpLayer* GetHelpLayer() const override { return m_pHelpLayer; }
  void OnQuitBtn(cocos2d::Ref* sender) override;
  void OnCardPicked(DDZSmallGameCard* card) override;
  void ShowOtherCards() override;
  void LeaveSmallGame() override;

  // Builds the board (nothing in mode 0) and slides it in.
  void onEnter() override;

  // ---- the flow ----
  void OnSlideInEnd();
  void SendPlayRequest(cocos2d::Ref* sender);
  void StartLevel();
  void DealCards();
  void ShuffleCards();
  void EnablePickCards();
  void SettleLevel();
  void OnLevelEnd();
  void FlyYuanbao(DDZSmallGameCard* card);
  void StepAwardNum();
  void ShowAwardNum();
  void StepPlayerYBNum();
  void ShowPlayerYBNum();
  void OnLeaveEnd();

  // The count of steps an award change of `difference` (either sign) is counted in.
  static int CountSteps(long long difference);

  // ---- what the tests read ----
  Phase GetPhase() const { return m_ePhase; }
  int GetMode() const { return m_iMode; }
  int GetLevelCount() const { return m_iLevelCount; }
  int GetCurrentAward() const { return m_iCurAward; }
  int GetBigAward() const { return m_iBigAward; }
  int GetPlayerYuanbao() const { return m_iPlayerYuanbao; }
  bool HasPlayed() const { return m_bPlayed; }
  bool HasBigAwardFlag() const { return m_bBigAwardFlag; }
  const LevelRecord& GetRecord(int index) const { return m_Records[static_cast<std::size_t>(index)]; }
  DDZSmallGameCard* GetCard(int place) const { return m_pCards[static_cast<std::size_t>(place)]; }
  DDZSmallGameCard* GetPickedCard() const { return m_pPickedCard; }
  cocos2d::Vec2 GetPlace(int place) const;
  DDZSmallGameLevelNoBorad* GetLevelBoard(int index) const { return m_pLevelBoards[static_cast<std::size_t>(index)]; }
  DDZSmallGameBigAwardBoard* GetBigAwardBoard() const { return m_pBigAwardBoard; }
  DDZSmallGameResultLayer* GetResultLayer() const { return m_pResultLayer; }
  cocos2d::LabelAtlas* GetAwardNumber() const { return m_pAwardNum; }
  cocos2d::LabelAtlas* GetPlayerNumber() const { return m_pPlayerNum; }
  cocos2d::Sprite* GetAwardIcon() const { return m_pAwardIcon; }
  cocos2d::Sprite* GetStartPanel() const { return m_pStartPanel; }
  cocos2d::Node* GetLossLabel() const { return m_pLossLabel; }
  int GetCountSteps() const { return m_iSteps; }

 private:
  explicit DDZSmallGameLayer(DDZGameView* view);
  // Runs `call` on the layer after `seconds` (stopped when the layer leaves).
  void After(float seconds, std::function<void()> call);
  void BuildBoard();
  void BuildModeOne();
  void BuildModeTwo();
  // The result screen and the count of the total into the player's yuanbao.
  void ShowGameResult();
  void SetNumber(cocos2d::LabelAtlas* label, int value);

  DDZGameView* m_pView = nullptr;  // not owned; the parent while the game runs
  Phase m_ePhase = Phase::kClosed;
  int m_iMode = 0;
  int m_iLevelCount = 0;
  int m_iLevelNo = 0;
  int m_iStartAward = 0;
  int m_iCurAward = 0;
  int m_iBigAward = kDefaultBigAward;
  int m_iPlayerYuanbao = 0;
  int m_iCost = 0;
  int m_iTipNo = 0;
  // The count-ups.
  float m_fAwardStart = 0, m_fAwardShown = 0, m_fAwardTarget = 0, m_fAwardStep = 0;
  float m_fPlayerStart = 0, m_fPlayerShown = 0, m_fPlayerTarget = 0, m_fPlayerStep = 0;
  int m_iSteps = 0;
  bool m_bPlayed = false;
  bool m_bBigAwardFlag = false;
  bool m_bSettling = false;
  int m_iRecordCount = 0;
  std::array<char, kHeadSize> m_Head{};
  std::array<LevelRecord, kMaxLevels> m_Records{};

  // Children (null when not built).
  std::array<DDZSmallGameLevelNoBorad*, kMaxLevels> m_pLevelBoards{};
  DDZSmallGameBigAwardBoard* m_pBigAwardBoard = nullptr;
  std::array<DDZSmallGameCard*, kCardPlaces> m_pCards{};
  DDZSmallGameCard* m_pPickedCard = nullptr;
  DDZSmallGameLevelTips* m_pLevelTips = nullptr;
  cocos2d::ui::Button* m_pStartBtn = nullptr;
  cocos2d::ui::Button* m_pQuitBtn = nullptr;
  cocos2d::ui::Button* m_pReturnBtn = nullptr;
  cocos2d::Sprite* m_pTip = nullptr;
  cocos2d::LabelAtlas* m_pTipNum = nullptr;
  cocos2d::Sprite* m_pHatCard = nullptr;
  cocos2d::LabelAtlas* m_pPlayerNum = nullptr;
  cocos2d::Sprite* m_pPlayerIcon = nullptr;
  cocos2d::LabelAtlas* m_pAwardNum = nullptr;
  cocos2d::Sprite* m_pAwardIcon = nullptr;
  cocos2d::LabelAtlas* m_pBigAwardNum = nullptr;
  cocos2d::Sprite* m_pStartPanel = nullptr;
  cocos2d::Node* m_pLossLabel = nullptr;
  DDZSmallGameHelpLayer* m_pHelpLayer = nullptr;
  DDZSmallGameResultLayer* m_pResultLayer = nullptr;
};

// Makes the mini-game layers of the classic table; the program hands one to
// every classic view.
class DDZSmallGameMaker : public ISmallGameMaker {
 public:
  ISmallGameLayer* MakeSmallGameLayer(DDZGameView* view) override;
  // The program's one maker.
  static DDZSmallGameMaker* Shared();
};
