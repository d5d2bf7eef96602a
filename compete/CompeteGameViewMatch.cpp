// CompeteGameView: the match around the hands. The start of a match with its
// waiting room (27), the competition state (74), the tables still playing
// (63), the rank and the ranking (62, 75), the promotion screen, a player
// leaving (60), a seat's auto-play (76), the competition notice (36), the
// server's tips (17) and its close (34), and the toast.
//
// The dispatcher has checked each frame's length against MinMessageLength, so
// every field read here lies inside the frame. Texts from a frame are read up
// to their field's end or the frame's end, whichever comes first; the server's
// texts are GBK and shown converted.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "compete/CompeteGameView.h"
#include "compete/CompeteLayerParts.h"
#include "compete/CompeteMsg.h"
#include "compete/CompetePromotionLayer.h"
#include "compete/CompeteTableUI.h"
#include "compete/CompeteWaitLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Action.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndImageSprite.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/gamebase/RoomListLayer.h"
#include "widgets/PlayerGameInfo.h"
#include "widgets/TopUIBase.h"

using ddz::BigEndianAt;
using ddz::LittleEndianAt;

namespace {

// ---- 27, the match (re)start ----
constexpr int kStartState = 8;
constexpr int kStartFee = 10;
constexpr int kStartSignedUp = 12;
constexpr int kStartNextOpen = 16;
constexpr int kStartRecord = 20;
// ---- 74, the competition state ----
constexpr int kStageState = 8;
constexpr int kStagePlayers = 12;  // BE
// ---- 63, the wait numbers ----
constexpr int kWaitTables = 8;
// ---- 62, the rank ----
constexpr int kRankOutcome = 8;
constexpr int kRankStage = 9;
constexpr int kRankOrder = 12;    // BE
constexpr int kRankPlayers = 20;  // BE
// ---- 75, the ranking ----
constexpr int kListOrder = 8;
constexpr int kListFourthRank = 12;
constexpr int kListPlayers = 16;
constexpr int kListNames = 20;
constexpr int kListNameBytes = 20;
constexpr int kListScores = 120;
constexpr int kListRows = 5;
// ---- 76, a seat's auto-play ----
constexpr int kAutoTable = 8;
constexpr int kAutoState = 9;
constexpr int kAutoOn = 1;
// ---- 60, a player left ----
constexpr int kLeftUser = 8;  // BE
constexpr int kLeftOwnAction = 12;
constexpr int kLeftOwnQuit = 1;
constexpr int kLeftOwnClearSeats = 2;
// ---- 36, the competition notice ----
constexpr int kNoticeValue = 8;
constexpr int kNoticeCannotPlay = -1;
// ---- 17, a tip ----
constexpr int kTipKind = 8;
constexpr int kTipText = 12;
constexpr int kTipToast = 4;
constexpr int kTipLastBanner = 3;
// ---- 34, closed by the server ----
constexpr int kCloseCode = 8;
constexpr int kCloseText = 9;
constexpr int kCloseNoticeOnly = -2;

// Game texts.
constexpr int kTextWaitFirst = 360;  // + the fee choice
constexpr int kTextClosedFirst = 325;  // + the close code
constexpr int kTextCannotPlay = 421;
constexpr int kTextNextOpening = 422;

// Message boxes: a notice with a confirm button, a timed notice, a notice
// without buttons closing by itself.
constexpr int kBoxConfirm = 1;
constexpr int kBoxTimedNumber = 3;
constexpr int kBoxTimedText = 6;
constexpr float kBoxSeconds = 3.0f;

// States: before the start, the second early phase, the first later phase.
constexpr int kStateWaiting = 0;
constexpr int kStateSecond = 2;
constexpr int kStateLater = 3;
// The top bar's buttons while the waiting room covers the table.
constexpr int kTopBarWaiting = 2;

// Promotion outcomes as the screen takes them.
constexpr int kShowOut = -1;
constexpr int kShowNone = 0;
constexpr int kShowPromoted = 1;

// The match name over the table's middle, in the band the own hand, the
// played rows, the clock and the start banner leave free; a light blue that
// reads on the felt.
constexpr float kMatchNameSize = 22;
const cocos2d::Color3B kMatchNameInk(176, 196, 250);
constexpr float kMatchNameAboveMiddle = 160;
constexpr const char* kMatchNameNode = "CompeteMatchName";

// The toast: above the middle, clear of the waiting-for-other-tables tip and
// the played cards; its text and the room kept at the strip's ends.
constexpr const char* kToastNode = "CompeteToast";
constexpr float kToastAboveMiddle = 120;
constexpr float kToastFontSize = 26;
constexpr float kToastTextMargin = 40;

// A text of the frame from `at`, up to its terminator, `field` bytes or the
// frame's end, converted from GBK.
std::string FrameText(const char* msg, int len, int at, int field) {
  const int room = std::min(field, len - at);
  if (room <= 0) return {};
  return YndCodeConvert::G2u(std::string_view(msg + at, strnlen(msg + at, static_cast<std::size_t>(room))));
}

CompeteGameInfo* Match() { return CompeteGameInfo::shareCompeteGameInfo(); }

// The stage list starts with a qualifying round of the same size as the first stage.
bool StagesRepeatFirst() {
  const std::vector<int>& stages = Match()->m_vcStages;
  return stages.size() >= 2 && stages[0] == stages[1];
}

}  // namespace

// ---------------------------------------------------------------- 27 the match starts

void CompeteGameView::HandleCompeteStart(char* msg, int) {
  GameMsgBox::shareMessageBox()->CloseDialog(0);
  iAllPlayer = -1;
  iWaitTable = 0;
  iTableNum = 0;
  iCurOrder = 0;

  CompeteMatchRecord record;
  std::memcpy(&record, msg + kStartRecord, sizeof record);
  CompeteGameInfo* match = Match();
  match->ParseCompeteInfo(record);
  const int state = static_cast<signed char>(msg[kStartState]);
  match->m_iState = state;
  const int fee = static_cast<signed char>(msg[kStartFee]);
  DdzCompete::getInstance()->m_iSignUpFeeType = fee;
  // The user's own row of the ranking carries the nickname, else the account name.
  std::memset(match->m_szUserName, 0, sizeof match->m_szUserName);
  const char* name = m_GlobalInfo.szNickName[0] != '\0' ? m_GlobalInfo.szNickName : m_GlobalInfo.szUserName;
  std::memcpy(match->m_szUserName, name, strnlen(name, sizeof match->m_szUserName - 1));

  // The name stays over the table's middle until the next start replaces it.
  if (cocos2d::Node* before = getChildByName(kMatchNameNode)) before->removeFromParent();
  cocos2d::Label* label =
      competelayer::MakeLabel(YndCodeConvert::G2u(ddz::RecordText(record.szMatchName)), kMatchNameSize, kMatchNameInk);
  label->setName(kMatchNameNode);
  label->setPosition(cocos2d::Vec2(static_cast<float>(BasePT::g_iWindowWidth / 2),
                                   static_cast<float>(BasePT::g_iWindowHeight / 2) + kMatchNameAboveMiddle));
  addChild(label, kZMatchName);

  CreateCompeteTableUI();
  NewPromotionLayer();

  if (state == kStateWaiting) {
    if (m_pTopUI != nullptr && m_pTopUI->isRunning()) m_pTopUI->SetBtnOnState(kTopBarWaiting);
    // The room opens on the count the sign-up line beside it names.
    const int signedUp = LittleEndianAt(msg, kStartSignedUp);
    ShowWaitLayer(LittleEndianAt(msg, kStartNextOpen), signedUp);
    const std::string& waiting = GameText(kTextWaitFirst + fee);
    if (!waiting.empty()) ShowToast(ddz::FormatText(waiting, signedUp).c_str(), kZWaitToast);
  } else if (state > kStateWaiting) {
    // A start into a running match: no waiting room stays over its hands.
    RemoveWaitLayer();
    PlayCompeteMusic(state < kStateLater ? 1 : 2);
  }
}

// ---------------------------------------------------------------- 74 the competition state

void CompeteGameView::HandleCompeteStage(char* msg, int) {
  CompeteGameInfo* match = Match();
  const int next = static_cast<signed char>(msg[kStageState]);
  const int current = match->m_iState;
  if (next < current) {
    cocos2d::log("CompeteGameView::HandleCompeteStage: state %d is behind %d, ignored", next, current);
    return;
  }
  iAllPlayer = BigEndianAt(msg, kStagePlayers);
  if (current == kStateWaiting) {
    if (next == kStateWaiting) {
      if (m_pCompeteWaitLayer != nullptr && m_pCompeteWaitLayer->isRunning())
        m_pCompeteWaitLayer->SetWaitPlayer(iAllPlayer);
    } else {
      // The match begins. A qualifying round as large as the first stage is
      // the first stage's own.
      if (StagesRepeatFirst()) match->m_iStageNo = 1;
      GameMsgBox::shareMessageBox()->CloseDialog(0);
      RemoveWaitLayer();
      CompeteMsg::ShowMsg(0, this, "");
    }
  } else if (next == kStateSecond) {
    ShowPromotion(kShowNone);
    if (m_pCompeteTableUI != nullptr) m_pCompeteTableUI->HideRankList();
  } else if (next == kStateLater) {
    ShowPromotion(kShowNone);
  }
  match->m_iState = next;
}

// ---------------------------------------------------------------- 63 the tables still playing

void CompeteGameView::HandleWaitNumbers(char* msg, int) {
  iWaitTable = LittleEndianAt(msg, kWaitTables);
  if (m_pCompetePromotionLayer != nullptr) m_pCompetePromotionLayer->UpdateWaitTable(iWaitTable);
}

// ---------------------------------------------------------------- 62 the rank, 75 the ranking

void CompeteGameView::HandleRankUpdate(char* msg, int) {
  iAllPlayer = BigEndianAt(msg, kRankPlayers);
  iCurOrder = BigEndianAt(msg, kRankOrder);
  // Any stage number is kept; the bar and the promotion screen look it up in
  // the stage list only inside the list.
  Match()->m_iStageNo = static_cast<signed char>(msg[kRankStage]);
  switch (static_cast<std::uint8_t>(msg[kRankOutcome])) {
    case 0: ShowPromotion(kShowOut); break;
    case 1: ShowPromotion(kShowPromoted); break;
    case 2: ShowPromotion(kShowNone); break;
    default: break;
  }
}

void CompeteGameView::HandleRankList(char* msg, int) {
  iAllPlayer = LittleEndianAt(msg, kListPlayers);
  iCurOrder = LittleEndianAt(msg, kListOrder);
  if (m_pCompeteTableUI != nullptr) m_pCompeteTableUI->UpdateSelfRank(iCurOrder, iAllPlayer);
  if (IsPromotionLayerShown()) m_pCompetePromotionLayer->UpdateOrder(iCurOrder, iAllPlayer);
  // The later phases play at one final table: no ranking list.
  if (GetCompeteState() >= kStateLater) return;
  const int ranks[kListRows] = {1, 2, 3, LittleEndianAt(msg, kListFourthRank), iCurOrder};
  std::vector<CompeteRankItem> rows;
  for (int i = 0; i < kListRows; ++i)
    rows.push_back(MakeCompeteRankItem(ranks[i], LittleEndianAt(msg, kListScores + 4 * i),
                                       msg + kListNames + kListNameBytes * i, kListNameBytes));
  if (m_pCompeteTableUI != nullptr && m_pCompeteTableUI->isRunning()) m_pCompeteTableUI->SetRankList(rows);
}

void CompeteGameView::ShowPromotion(int iOutcome) {
  if (m_pCompeteTableUI != nullptr && m_pCompeteTableUI->isRunning()) m_pCompeteTableUI->ShowWaitTable(false);
  ShowPromotionLayer();
  if (CompetePromotionLayer* screen = m_pCompetePromotionLayer) {
    screen->UpdateWaitTable(iWaitTable);
    screen->UpdateOrder(iCurOrder, iAllPlayer);
    screen->ShowWeedBrevet(iOutcome);
  }
}

// ---------------------------------------------------------------- 76 auto-play, 60 a player left

void CompeteGameView::HandleAutoPlayState(char* msg, int) {
  const int seat = SeatOfTableNum(static_cast<std::uint8_t>(msg[kAutoTable]), "HandleAutoPlayState");
  if (seat < 0) return;
  const int state = static_cast<std::uint8_t>(msg[kAutoState]);
  m_TableItem.iTuoGuan[seat] = state;
  PlayerGameInfo* info = m_pPlayerGameInfo[seat];
  if (info == nullptr) return;
  // A seat on the fast clock is played by the server anyway: no badge.
  if (state == kAutoOn) {
    if (!SeatHasFastClock(seat)) info->ShowCompeteTuoGuan(true, g_ptOffLine[seat]);
  } else if (info->GetTuoGuan() != nullptr) {
    info->ShowCompeteTuoGuan(false, g_ptOffLine[seat]);
  }
}

void CompeteGameView::HandlePlayerLeft(char* msg, int) {
  const int userId = BigEndianAt(msg, kLeftUser);
  auto leave = [this](int seat) {
    CallBackPlayerLeaveTable(seat);
    const int chair = GetTableNumByTablePos(seat);
    if (PlayerNode* record = GetPlayerRecord(chair)) record->Clear();
    m_pPlayerNode[seat] = nullptr;
  };
  if (userId != m_GlobalInfo.iUserID) {
    for (int seat = 0; seat < kPlayerCount; ++seat) {
      const PlayerNode* player = GetPlayerNode(seat);
      if (player != nullptr && player->iUserID == userId) {
        leave(seat);
        return;
      }
    }
    cocos2d::log("CompeteGameView::HandlePlayerLeft: user %d is not at the table", userId);
    return;
  }
  switch (static_cast<std::uint8_t>(msg[kLeftOwnAction])) {
    case kLeftOwnQuit: QuitGame(nullptr); break;
    case kLeftOwnClearSeats:
      for (int seat = 0; seat < kPlayerCount; ++seat)
        if (GetPlayerNode(seat) != nullptr) leave(seat);
      break;
    default: break;
  }
}

// ---------------------------------------------------------------- 36 the notice, 17 a tip

void CompeteGameView::HandleCompeteNotice(char* msg, int) {
  const int value = LittleEndianAt(msg, kNoticeValue);
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  if (value == kNoticeCannotPlay) {
    box->ShowMessage(GameText(kTextCannotPlay).c_str(), kBoxConfirm, this,
                     static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
  } else if (value > 0) {
    const std::string text = ddz::FormatText(GameText(kTextNextOpening), Match()->m_Record.iNextOpenNumber);
    box->ShowMessage(text.c_str(), kBoxTimedNumber, nullptr, nullptr, nullptr, kBoxSeconds);
    if (m_pCompeteWaitLayer != nullptr && m_pCompeteWaitLayer->isRunning()) m_pCompeteWaitLayer->setNextOpenTime(value);
  }
}

void CompeteGameView::HandleTipMsg(char* msg, int len) {
  const int kind = LittleEndianAt(msg, kTipKind);
  const std::string text = FrameText(msg, len, kTipText, len);
  if (kind == kTipToast) {
    ShowToast(text.c_str(), kZTipToast);
  } else if (kind >= 0 && kind <= kTipLastBanner) {
    if (IsPromotionLayerShown()) RemovePromotionLayer();
    CompeteMsg::ShowMsg(kind, this, text);
  }
}

// ---------------------------------------------------------------- 34 closed by the server

void CompeteGameView::HandleCloseByServer(char* msg, int len) {
  const int code = static_cast<signed char>(msg[kCloseCode]);
  const std::string text = FrameText(msg, len, kCloseText, len);
  GameMsgBox* box = GameMsgBox::shareMessageBox();
  if (code == kCloseNoticeOnly) {
    box->ShowMessage(text.c_str(), kBoxTimedText, nullptr, nullptr, nullptr, kBoxSeconds);
    return;
  }
  CloseAllSocketConnect(false);
  // A code of 0 or more names the reason; any other the frame's text does.
  const std::string shown = code >= 0 ? GameText(kTextClosedFirst + code) : text;
  if (isRunning()) {
    box->ShowMessage(shown.c_str(), kBoxConfirm, this, static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
  } else {
    // The user is on another screen: the box stands on the room list and leaves nothing.
    box->ShowMessage(shown.c_str(), kBoxConfirm, RoomListLayer::shareRoomListLayer(nullptr));
  }
}

// ---------------------------------------------------------------- the toast

void CompeteGameView::ShowToast(const char* text, int z) {
  if (m_bToastShown) {
    cocos2d::log("CompeteGameView::ShowToast: a toast is up, \"%s\" dropped", text != nullptr ? text : "");
    return;
  }
  m_bToastShown = true;
  cocos2d::Sprite* strip = YndImageSprite::spriteWithFile(kToastImage);
  if (strip == nullptr) strip = cocos2d::Sprite::create();
  strip->setName(kToastNode);
  strip->setCascadeOpacityEnabled(true);
  const cocos2d::Size size = strip->getContentSize();
  cocos2d::Label* label = competelayer::MakeLabel(text != nullptr ? text : "", kToastFontSize, cocos2d::Color3B::WHITE);
  FitLabelToWidth(label, size.width - kToastTextMargin);
  label->setPosition(cocos2d::Vec2(size.width / 2, size.height / 2));
  strip->addChild(label);
  strip->setPosition(cocos2d::Vec2(static_cast<float>(BasePT::g_iWindowWidth / 2), ToastY(size.height)));
  strip->setOpacity(0);
  addChild(strip, z);
  strip->runAction(cocos2d::Sequence::create(
      cocos2d::FadeIn::create(kToastFadeSeconds), cocos2d::DelayTime::create(kToastHoldSeconds),
      cocos2d::FadeOut::create(kToastFadeSeconds), cocos2d::CallFunc::create([this, strip] {
        YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(strip, this);
        m_bToastShown = false;
      })));
}

float CompeteGameView::ToastY(float height) const {
  const float aboveMiddle = static_cast<float>(BasePT::g_iWindowHeight / 2) + kToastAboveMiddle;
  // Over the open waiting room the toast takes the band below its panel,
  // where it hides none of the room's lines.
  if (m_pCompeteWaitLayer == nullptr || !m_pCompeteWaitLayer->isRunning()) return aboveMiddle;
  const cocos2d::Node* panel = m_pCompeteWaitLayer->GetLowerPanel();
  if (panel == nullptr) return aboveMiddle;
  const float below = panel->convertToWorldSpace(cocos2d::Vec2::ZERO).y;
  return below >= height ? below / 2 : aboveMiddle;
}

cocos2d::Node* CompeteGameView::GetToast() const { return getChildByName(kToastNode); }

cocos2d::Label* CompeteGameView::GetMatchNameLabel() const {
  return dynamic_cast<cocos2d::Label*>(getChildByName(kMatchNameNode));
}
