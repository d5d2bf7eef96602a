#include "widgets/TableNotices.h"

#include <algorithm>
#include <cstring>

#include "gamedata/TextTables.h"
#include "platform/engine/Log.h"
#include "platform/engine/UserDefault.h"
#include "platform/gamebase/AniBase.h"
#include "platform/gamebase/MessageFields.h"
#include "platform/os/Saturate.h"
#include "table/DDZGameView.h"
#include "widgets/PrizeGuideAni.h"
#include "widgets/TalkLayer.h"

namespace tablenotice {
namespace {

constexpr int kGuideFriendCard = 4;
constexpr int kGuideTicketA = 5;
constexpr int kGuideTicketB = 6;
constexpr int kGuideNotice = 2;
constexpr int kKindTicketA = 3;
constexpr int kKindTicketB = 5;
constexpr int kKindGuideFrom = 7;

bool LongEnough(const char* msg, int len, int need, const char* what) {
  if (msg != nullptr && len >= need) return true;
  cocos2d::log("%s: message of length %d is shorter than %d, dropped", what, len, need);
  return false;
}

void Show(DDZGameView& view, AniPrizeGuide* guide) {
  if (AniManage* anis = view.GetAniManage()) {
    anis->ShowAni(guide, true, true);
  } else {
    guide->release();
  }
}

}  // namespace

void HandleFriendCard(DDZGameView& view, const char* msg, int len) {
  if (!LongEnough(msg, len, kFriendCardSize, "CallBackHandleFriendCard")) return;
  if (ddz::LittleEndianAt(msg, 8) != 1) return;
  Show(view, new AniPrizeGuide(kGuideFriendCard, ddz::LittleEndianAt(msg, 12), 0));
  const PlayerNode* self = view.GetPlayerNode(DDZGameView::kOwnSeat);
  if (view.m_pTalkTip == nullptr || self == nullptr || self->iLevel >= kFriendCardLevelBelow) return;
  cocos2d::UserDefault* defaults = cocos2d::UserDefault::getInstance();
  const int count = ddz::os::SaturatingAdd(std::max(0, defaults->getIntegerForKey(kKeyFriendCardNum, 0)), 1);
  defaults->setIntegerForKey(kKeyFriendCardNum, count);
  defaults->flush();
  if (count == 1) view.m_pTalkTip->TalkFreeTxt(DDZGameView::kOwnSeat, GameText(kTextFirstFriendCard));
}

void HandleActiveMoney(DDZGameView& view, const char* msg, int len) {
  if (!LongEnough(msg, len, kActiveMoneySize, "CallBackHandleActiveMoney")) return;
  const int kind = ddz::LittleEndianAt(msg, 8);
  const int amount = ddz::LittleEndianAt(msg, 12);
  if (kind == kKindTicketA || kind == kKindTicketB) {
    Show(view, new AniPrizeGuide(kind == kKindTicketA ? kGuideTicketA : kGuideTicketB, amount, 0));
    return;
  }
  if (kind < kKindGuideFrom || kind % 2 == 0) return;
  if (!LongEnough(msg, len, kActiveMoneyWithTextSize, "CallBackHandleActiveMoney")) return;
  // The pop-up reads at most its own text size; the copy ends within the frame.
  char text[kActiveMoneyTextBytes + 1] = {};
  std::memcpy(text, msg + kActiveMoneyTextAt, kActiveMoneyTextBytes);
  Show(view, new AniPrizeGuide(kGuideNotice, amount, 0, text));
}

}  // namespace tablenotice
