// DDZGameView: leaving the table the same way on every table view: the
// server's kick-out box, the idle kick, the automatic table change when the
// own player sits alone, the immediate quit and the plain quit question.
#include <cstring>
#include <string>
#include <string_view>

#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/GameMsgBox.h"
#include "table/DDZGameView.h"

namespace {

// Kick-out reasons and the game text each shows; any other reason shows
// DDZGameView::kKickOtherText.
struct KickOutReason {
  int reason;
  int text;
};
constexpr KickOutReason kKickOutTexts[] = {
    {3, 6},   {4, 7},   {8, 8},   {9, 11},  {19, 11}, {12, 9},     {13, 10},
    {20, 12}, {23, 13}, {31, 31}, {32, 32}, {1000, 16}, {1001, 17},
};
constexpr std::size_t kKickTextBytes = 127;
constexpr int kEscapeOtherTable = 0;

}  // namespace

// ---------------------------------------------------------------- kick-out

int DDZGameView::KickOutTextNumber(int reason) {
  for (const KickOutReason& entry : kKickOutTexts)
    if (entry.reason == reason) return entry.text;
  return kKickOtherText;
}

void DDZGameView::CallBackKickOutServerNotice(int reason, KickOutServer* notice) {
  std::string text;
  bool ownText = false;
  if (notice != nullptr) {
    const std::size_t n = strnlen(notice->szText, kKickTextBytes);
    if (n > 0) {
      text = YndCodeConvert::G2u(std::string_view(notice->szText, n));
      ownText = true;
    }
  }
  if (!ownText) text = GameText(KickOutTextNumber(reason));
  cocos2d::log("DDZGameView: kicked out, reason %d", reason);

  GameMsgBox* box = GameMsgBox::shareMessageBox();
  if (!isRunning()) {
    // Over the room list, which has no table to leave.
    box->ShowMessage(text.c_str(), 1);
    return;
  }
  const bool noButton = reason == kKickNoButtonReason || (ownText && notice->iFlag == 0);
  box->ShowMessage(text.c_str(), 1, this,
                   noButton ? nullptr : static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
}

// ---------------------------------------------------------------- idle kick

void DDZGameView::StartIdleKick() {
  unschedule(schedule_selector(DDZGameView::OnIdleKick));
  scheduleOnce(schedule_selector(DDZGameView::OnIdleKick), kIdleKickSeconds);
}

void DDZGameView::CancelIdleKick() { unschedule(schedule_selector(DDZGameView::OnIdleKick)); }

bool DDZGameView::IsIdleKickPending() const { return isScheduled(schedule_selector(DDZGameView::OnIdleKick)); }

void DDZGameView::OnIdleKick(float) {
  unschedule(schedule_selector(DDZGameView::OnIdleKick));
  CallBackKickOutServerNotice(kIdleKickReason, nullptr);
}

// ---------------------------------------------------------------- table change

void DDZGameView::ScheduleAutoChangeDeskIfAlone(int pos) {
  if (pos != kOwnSeat) return;
  for (int seat = 0; seat < SeatsInUse(); ++seat)
    if (seat != kOwnSeat && GetPlayerNode(seat) != nullptr) return;
  unschedule(schedule_selector(DDZGameView::AutoChangeDesk));
  scheduleOnce(schedule_selector(DDZGameView::AutoChangeDesk), AutoChangeDeskSeconds());
}

void DDZGameView::CancelAutoChangeDesk() { unschedule(schedule_selector(DDZGameView::AutoChangeDesk)); }

bool DDZGameView::IsAutoChangeDeskPending() const {
  return isScheduled(schedule_selector(DDZGameView::AutoChangeDesk));
}

void DDZGameView::AutoChangeDesk(float) {
  unschedule(schedule_selector(DDZGameView::AutoChangeDesk));
  SendEscapeReq(kEscapeOtherTable);
  cocos2d::log("PlayerAutoChangeDesk SendEscapeReq");
}

void DDZGameView::QuitGameNow() { GameViewBase::QuitGame(nullptr); }

// ---------------------------------------------------------------- the quit question

void DDZGameView::AskToQuitTable() {
  GameMsgBox::shareMessageBox()->ShowMessage(GameText(kTextQuitQuestion).c_str(), 0, this,
                                             static_cast<cocos2d::SEL_MenuHandler>(&GameViewBase::QuitGame));
}
