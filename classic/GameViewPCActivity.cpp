// GameViewPC: the mini-game and the activity buttons between hands.
//
// The game server drives them with three messages only this table reads:
// 35 (the timed activity and the mini-game's opening), 41 (the mini-game's
// level data or its end) and 34 (the counter activity); the table answers
// with request 41. The dispatcher has checked each message's kind byte
// (MinMessageLength) before a handler runs; each kind's further fields are
// checked by KindLongEnough before they are read. Integers in these messages
// are little-endian as they stand.
//
// The mini-game layer comes from the maker the program hands the view
// (classic/SmallGamePort.h). The view keeps the open layer retained and lets
// it go through the autorelease pool, so a layer that removes itself and then
// calls CloseSmallGame is not destroyed under that call.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "classic/GameViewPC.h"
#include "platform/gamebase/MessageFields.h"
#include "classic/SmallGamePort.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/framework/SoundManage.h"
#include "platform/gamebase/GameMsgBox.h"
#include "table/GameSoundDDZ.h"
#include "widgets/ActiveButtons.h"
#include "widgets/ActivityLayer.h"
#include "widgets/NewPlayerAward.h"
#include "widgets/ResultLayer.h"

namespace {

// Message 35.
constexpr int kKind = 8;
constexpr int kSmallGameStart = 9;
constexpr int kActivityFirstFlag = 10;
constexpr int kActivitySecondFlag = 11;
constexpr int kM1 = 12;
constexpr int kM2 = 16;
constexpr int kM3 = 20;
constexpr int kM4 = 24;
constexpr int kActivityValue1 = 28;
constexpr int kActivityValue2 = 32;
constexpr int kKindActivityInfo = 1;
constexpr int kKindOpenNow = 0;
constexpr int kKindActivityOver = -1;
// Message 34.
constexpr int kCounterFirstFlag = 10;
constexpr int kCounterSecondFlag = 11;
constexpr int kCounterValue1 = 12;
constexpr int kCounterValue2 = 16;
constexpr int kCounterValue3 = 20;
constexpr int kCounterKindInfo = 1;
constexpr int kCounterKindCount = 2;
// Request 41.
constexpr int kReqValue = 8;

constexpr int kTextRefused = 242;
constexpr int kTextEndedFirst = 243;  // reasons 1-3: texts 243-245
constexpr int kLastEndReason = 3;
constexpr int kBoxQuestion = 11;
constexpr int kSmallGameMode = 1;
constexpr const char* kSmallGameMusic = "ddzfs_music_bg.mp3";

int IntAt(const char* msg, int at) { return ddz::LittleEndianAt(msg, at); }
int SignedByteAt(const char* msg, int at) { return static_cast<signed char>(msg[at]); }
int UnsignedByteAt(const char* msg, int at) { return static_cast<std::uint8_t>(msg[at]); }

}  // namespace

// ---------------------------------------------------------------- message 35

void GameViewPC::OnSmallGameMsg(char* msg, int len) {
  const int kind = SignedByteAt(msg, kKind);
  if (kind == kKindActivityInfo && !KindLongEnough(len, kActivityInfoSize, kMsgMiniGameOpen, kind)) return;
  if (kind == kKindOpenNow && !KindLongEnough(len, kM4 + 4, kMsgMiniGameOpen, kind)) return;
  switch (kind) {
    case kKindActivityInfo: {
      std::memcpy(m_ActivityInfo, msg, kActivityInfoSize);
      ActivityLayer* bar = ActivityBar();
      if (bar == nullptr) return;
      // The button decides between a date and a countdown by its third value
      // (0: the daily window), as the button itself is written.
      if (auto* button = dynamic_cast<CGActiveBtn*>(bar->GetActiveBtn(ActivityLayer::kTypeTimeWindow))) {
        button->SetActiveInfo(SignedByteAt(msg, kActivityFirstFlag), SignedByteAt(msg, kActivitySecondFlag),
                              IntAt(msg, kActivityValue1), IntAt(msg, kActivityValue2), this);
      }
      return;
    }
    case kKindActivityOver:
      if (ActivityLayer* bar = ActivityBar()) bar->RemoveActiveBtn(ActivityLayer::kTypeTimeWindow);
      std::memset(m_ActivityInfo, 0, sizeof m_ActivityInfo);
      return;
    case kKindOpenNow: {
      if (m_pSmallGameLayer != nullptr) {
        cocos2d::log("GameViewPC: the mini-game is open already, message 35 ignored");
        return;
      }
      ISmallGameLayer* layer = MakeSmallGameLayer();
      if (layer == nullptr) return;
      layer->SetGameInfo(IntAt(msg, kM3), IntAt(msg, kM2), IntAt(msg, kM1), IntAt(msg, kM4),
                         m_GlobalInfo.iYuanBao);
      addChild(layer->AsLayer(), kZSmallGameFromMessage);
      m_bSmallGameOpen = true;
      GameSoundDDZ::shareGameSoundDDZ()->PlayBackGroundMusic(kSmallGameMusic, true);
      m_GlobalInfo.iSmallBtnType = 0;
      GameMsgBox::shareMessageBox()->CloseDialog(0);
      return;
    }
    default:
      ShowSmallGameBox(ddz::FormatText(GameText(kTextRefused), kind));
      return;
  }
}

// ---------------------------------------------------------------- message 41

void GameViewPC::OnSmallGameResult(char* msg, int len) {
  const int reason = UnsignedByteAt(msg, kKind);
  if (reason == 0) {
    if (m_pSmallGameLayer == nullptr) {
      cocos2d::log("GameViewPC: level data without an open mini-game, dropped");
      return;
    }
    m_pSmallGameLayer->SetLevelData(msg, len);
    return;
  }
  ForgetSmallGameLayer(true);
  if (reason <= kLastEndReason) ShowSmallGameBox(GameText(kTextEndedFirst + reason - 1));
}

// ---------------------------------------------------------------- message 34

void GameViewPC::OnCounterActivityMsg(char* msg, int len) {
  const int kind = UnsignedByteAt(msg, kKind);
  if (kind == kCounterKindInfo && !KindLongEnough(len, kCounterValue3 + 4, kMsgMiniGameEnd, kind)) return;
  if (kind == kCounterKindCount && !KindLongEnough(len, kCounterValue1 + 4, kMsgMiniGameEnd, kind)) return;
  ActivityLayer* bar = ActivityBar();
  if (bar == nullptr) return;
  switch (kind) {
    case kCounterKindInfo:
      // The activity's text at 28 is not shown: the button draws its word
      // from a picture of its own.
      if (auto* button = dynamic_cast<TVActiveBtn*>(bar->GetActiveBtn(ActivityLayer::kTypeCounter))) {
        button->SetActiveInfo(SignedByteAt(msg, kCounterFirstFlag), SignedByteAt(msg, kCounterSecondFlag),
                              IntAt(msg, kCounterValue1), IntAt(msg, kCounterValue2), IntAt(msg, kCounterValue3));
      }
      return;
    case kCounterKindCount: {
      auto* button = dynamic_cast<TVActiveBtn*>(bar->FindActiveBtn(ActivityLayer::kTypeCounter));
      if (button == nullptr) return;
      const int count = IntAt(msg, kCounterValue1);
      button->DecCount(count);
      if (auto* result = dynamic_cast<ResultLayer*>(m_pResultLayer)) result->m_iActivityTip = count;
      return;
    }
    default: return;
  }
}

// ---------------------------------------------------------------- opening and leaving

void GameViewPC::OpenSmallGame() {
  if (m_pSmallGameLayer != nullptr) return;
  ISmallGameLayer* layer = MakeSmallGameLayer();
  if (layer == nullptr) return;
  const char* info = reinterpret_cast<const char*>(m_ActivityInfo);
  const int m3 = IntAt(info, kM3);
  SmallGameOpenFields fields;
  fields.iM2 = IntAt(info, kM2);
  fields.iMode = kSmallGameMode;
  fields.iCounter = m3;
  fields.iCounterMax = m3;
  fields.iM1 = IntAt(info, kM1);
  fields.iPlayerYuanbao = m_GlobalInfo.iYuanBao;
  fields.iStart = static_cast<signed char>(m_ActivityInfo[kSmallGameStart]);
  layer->SetOpenFields(fields);
  addChild(layer->AsLayer(), kZSmallGameFromButton);
}

void GameViewPC::CloseSmallGame(int reason) {
  if (reason == 1 || reason == 2) {
    SendSmallGameReq(reason == 1 ? kSmallGameReqLeave1 : kSmallGameReqLeave2);
    LeaveSmallGame();
  }
  // The layer has taken itself out of the view.
  ForgetSmallGameLayer(false);
}

void GameViewPC::LeaveSmallGame(cocos2d::Ref*) {
  m_bSmallGameOpen = false;
  ResetTable();
  SendEscapeReq(0);
  GameSoundDDZ::shareGameSoundDDZ();
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  PlayBackgroundMusic();
}

void GameViewPC::SendSmallGameReq(int value) {
  std::uint8_t buf[kSmallGameReqSize] = {};
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) buf[kReqValue + i] = static_cast<std::uint8_t>(v >> (8 * i));
  SendMsgToMainSocket(buf, kMsgMiniGame, kSmallGameReqSize);
}

ISmallGameLayer* GameViewPC::MakeSmallGameLayer() {
  if (m_pSmallGameMaker == nullptr) {
    cocos2d::log("GameViewPC: no mini-game in this build");
    return nullptr;
  }
  ISmallGameLayer* layer = m_pSmallGameMaker->MakeSmallGameLayer(this);
  if (layer == nullptr || layer->AsLayer() == nullptr) {
    cocos2d::log("GameViewPC: the mini-game layer could not be made");
    return nullptr;
  }
  YndGameLayer* node = layer->AsLayer();
  node->setScale(g_ptDDZSmallGameScale);
  node->setPosition(g_ptSGGameLayer);
  node->retain();
  m_pSmallGameLayer = layer;
  return layer;
}

void GameViewPC::ForgetSmallGameLayer(bool remove) {
  m_iSmallGameState = 0;
  if (m_pSmallGameLayer == nullptr) return;
  YndGameLayer* node = m_pSmallGameLayer->AsLayer();
  m_pSmallGameLayer = nullptr;
  if (remove) node->removeFromParent();
  node->autorelease();
}

void GameViewPC::ShowSmallGameBox(const std::string& text) {
  const auto leave = static_cast<cocos2d::SEL_MenuHandler>(&GameViewPC::LeaveSmallGame);
  GameMsgBox::shareMessageBox()->ShowMessage(text.c_str(), kBoxQuestion, this, leave, leave, 0.0f, 1, true, nullptr);
}

// ---------------------------------------------------------------- activity buttons and the award

ActivityLayer* GameViewPC::ActivityBar() {
  if (m_pActivityLayer == nullptr) cocos2d::log("GameViewPC: no activity bar on the table, activity ignored");
  return m_pActivityLayer;
}

void GameViewPC::ShowWebActivityCountdown(int seconds) {
  ActivityLayer* bar = ActivityBar();
  if (bar == nullptr) return;
  auto* button = dynamic_cast<WEBActiveBtn*>(bar->GetActiveBtn(ActivityLayer::kTypeWeb));
  if (button == nullptr) return;
  if (button->GetWord() == nullptr) button->ShowWord();
  button->SetCountdown(seconds);
}

bool GameViewPC::WebActivityRuns() const {
  if (m_pActivityLayer == nullptr) return false;
  const auto* web = dynamic_cast<const WEBActiveBtn*>(m_pActivityLayer->FindActiveBtn(ActivityLayer::kTypeWeb));
  return web != nullptr && (web->GetHandCount() > 0 || web->GetLeftSec() > 0);
}

void GameViewPC::RefreshActivityButtons() {
  if (m_pActivityLayer == nullptr) return;
  // Only an open tip panel has anything to show again; it is filled anew
  // (a refill would add its labels a second time).
  const std::vector<ActiveBtnBase*> buttons = m_pActivityLayer->GetButtons();
  for (ActiveBtnBase* button : buttons) {
    if (button == nullptr || button->GetTips() == nullptr) continue;
    button->HideTips();
    button->ShowTips();
  }
}

void GameViewPC::StartNewPlayerAward(int chances, int amount, int kind) {
  if (m_pNewPlayerAward == nullptr) {
    m_pNewPlayerAward = NewPlayerAward::create(this, g_ptNewPlayerLiBao);
    AddTableWidget(m_pNewPlayerAward, NewPlayerAward::kZOrder);
  }
  m_pNewPlayerAward->StartRound(chances, amount, kind);
  m_iNewPlayerAward = 1;
}
