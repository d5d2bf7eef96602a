#include "table/DDZGameView.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "cards/DealCard.h"
#include "cards/OtherHandCard.h"
#include "cards/SelfHandCard.h"
#include "cards/SendCard.h"
#include "cards/Vell_SpriteCardManage.h"
#include "platform/engine/Action.h"
#include "platform/engine/Log.h"
#include "platform/engine/spine/SkeletonAnimation.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/PackInfoBase.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/GameKinds.h"
#include "table/GameSoundDDZ.h"

using cocos2d::LuaValue;
using cocos2d::LuaValueArray;
using cocos2d::Vec2;

int g_iSeatHeadFigure[GameViewBase::kMaxSeats] = {-1, -1, -1, -1};

// The base pattern x = -3, 0, 3, 0, -3, 0, 3, 0 and y = 2, 0, -2, 0, -2, 0, 2, 0, times 1.5.
const Vec2 DDZGameView::kShakeOffsets[kShakeSteps] = {
    {-4.5f, 3.0f}, {0.0f, 0.0f}, {4.5f, -3.0f}, {0.0f, 0.0f}, {-4.5f, -3.0f}, {0.0f, 0.0f}, {4.5f, 3.0f}, {0.0f, 0.0f},
};

namespace {

// The price float: glyphs of the result digits, where ';' draws a minus sign.
constexpr int kPriceGlyphWidth = 42;
constexpr int kPriceGlyphHeight = 54;
constexpr float kPriceScale = 0.6f;
constexpr float kPriceRise = 30.0f;
constexpr float kPriceRiseSeconds = 0.5f;
const Vec2 kPricePosCompete{240.0f, 280.0f};
const Vec2 kPricePos{240.0f, 250.0f};

// Head positions of an expression: below the head centre, or for the own seat
// above and to the right of it.
constexpr float kHeadDrop = 70.0f;
const Vec2 kOwnHeadShift{150.0f, 100.0f};

// The seat slot that holds the opponents' money box in mode 2.
constexpr int kSharedMoneySlot = 3;

// `money` less `price`, kept inside the int range.
std::int32_t Charge(std::int32_t money, int price) {
  const long long left = static_cast<long long>(money) - price;
  return static_cast<std::int32_t>(std::clamp<long long>(left, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max()));
}

// At most `limit` bytes of `text`, ending at its first zero byte.
std::string BytesUpToZero(const char* text, int limit) {
  if (text == nullptr || limit <= 0) return std::string();
  const void* zero = std::memchr(text, 0, static_cast<std::size_t>(limit));
  const std::size_t n = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text)
                             : static_cast<std::size_t>(limit);
  return std::string(text, n);
}


}  // namespace

const std::vector<const char*>& DDZGameView::TableSheets() {
  static const std::vector<const char*> sheets = {
      "zuvoz_res_tips.plist",      "qorvddz_enterCompete_res.plist", "CardLayer1.plist",
      "vellddz_res_buttomui.plist", "qorvddzpc_all_res.plist",        "super_ddz_res_extra.plist",
      "cjddz_all_game_rule.plist", "poker_magic_express.plist",      "vellddz_res_tips.plist",
      "vellddz_res_btn.plist",     "vellddz_res_activebtn.plist"};
  return sheets;
}

int DDZGameView::PlaySecondsFor(int cardsLeft) {
  if (cardsLeft < 5) return 10;
  if (cardsLeft < 10) return 15;
  if (cardsLeft < 20) return 20;
  return 25;
}

DDZGameView::DDZGameView(GameSceneBase* pGameScene, YndLoadingBase* pLoadingLayer)
    : GameViewBase(pGameScene, pLoadingLayer), m_pPackInfo(std::make_unique<PackInfoBase>()) {}

DDZGameView::~DDZGameView() {
  ReleaseHeldWidgets();
  ddz::ReleaseScriptHandlers(m_mapLuaHandler);
}

void DDZGameView::onExit() {
  GameViewBase::onExit();
  ReleaseHeldWidgets();
}

void DDZGameView::ReleaseHeldSlot(const void* slot) {
  auto it = std::find_if(m_vcHeldWidgets.begin(), m_vcHeldWidgets.end(),
                         [slot](const HeldWidget& held) { return held.slot == slot; });
  if (it == m_vcHeldWidgets.end()) return;
  cocos2d::Ref* widget = it->widget;
  m_vcHeldWidgets.erase(it);
  widget->release();
}

void DDZGameView::ReleaseHeldWidgets() {
  std::vector<HeldWidget> held;
  held.swap(m_vcHeldWidgets);
  for (HeldWidget& h : held) {
    h.clearSlot();
    h.widget->release();
  }
}

bool DDZGameView::SetResultLayerFromScript(YndGameLayer* layer) {
  HoldWidget(m_pResultLayer, layer);
  return true;
}

int DDZGameView::SeatsInUse() const { return std::clamp(m_iPlayerCount, 0, kMaxSeats); }

// ---------------------------------------------------------------- script handlers

void DDZGameView::RegisterLuaHandlerQorvDDZView(int iValue, int handler) {
  if (iValue < 0 || iValue >= kScriptEventCount) {
    cocos2d::log("RegisterLuaHandlerQorvDDZView: no event %d", iValue);
    if (handler != 0) cocos2d::ScriptHandlerEntry::create(handler);  // drops the function
    return;
  }
  ddz::RegisterScriptHandler(m_mapLuaHandler, iValue, handler);
}

void DDZGameView::UnRegisterLuaHandlerQorvDDZView(int iValue) {
  ddz::UnregisterScriptHandler(m_mapLuaHandler, iValue);
}

int DDZGameView::ExecuteScriptHandler(int key) {
  return Vell_SpriteCardManage::ExecuteScriptHandler(m_mapLuaHandler, key);
}

int DDZGameView::ExecuteScriptHandlerWithArray(int key, const LuaValueArray& args) {
  return ddz::FireScriptHandler(m_mapLuaHandler, key, args);
}

int DDZGameView::ExecuteScriptHandlerWithValue(int key, const LuaValue& value) {
  return ddz::FireScriptHandler(m_mapLuaHandler, key, &value);
}

// ---------------------------------------------------------------- numbered operations

int DDZGameView::GetGameKind() { return ExecuteScriptHandler(kEventGetGameKind); }

void DDZGameView::OnDealCardEnd() { ExecuteScriptHandler(kEventDealCardEnd); }

void DDZGameView::StartDealRow(const std::uint8_t* ownCards, std::uint8_t openCard, int firstSeat) {
  constexpr float kDealScale = 0.85f;
  constexpr int kZDeal = 105;
  auto* deal = dynamic_cast<DealCard*>(m_pDealCard);
  if (deal == nullptr) return;
  deal->setScale(kDealScale);
  deal->setPosition(cocos2d::Vec2(156, 20));
  deal->setVisible(true);
  if (deal->getParent() == nullptr) {
    addChild(deal, kZDeal);
  } else {
    deal->setLocalZOrder(kZDeal);
  }
  deal->StartDeal(ownCards, 0, openCard, firstSeat);
}

void DDZGameView::StopDealRow() {
  auto* deal = dynamic_cast<DealCard*>(m_pDealCard);
  if (deal == nullptr) return;
  deal->StopDeal();
  deal->setVisible(false);
}

void DDZGameView::ArmSideHands(bool armed) {
  for (int seat : {0, 2}) {
    if (auto* hand = dynamic_cast<OtherHandCard*>(m_pHandCard[seat])) {
      hand->m_bWarningArmed = armed;
      hand->m_bSoundPending = armed;
      hand->m_bViewFlag = armed;
    }
  }
}

void DDZGameView::HideGameClock() { ExecuteScriptHandler(kEventHideGameClock); }

void DDZGameView::OnRobBtnEvent(const char* text, int value, char c, bool flag) {
  const std::string shown = text != nullptr ? std::string(text) : std::string();
  ExecuteScriptHandlerWithArray(kEventRobBtn, {LuaValue::stringValue(shown), LuaValue::intValue(value),
                                               LuaValue::intValue(static_cast<signed char>(c)),
                                               LuaValue::intValue(flag ? 1 : 0)});
}

void DDZGameView::ShowSelfOutCard(const char* cards, int count) {
  ExecuteScriptHandlerWithArray(kEventShowSelfOutCard,
                                {LuaValue::stringValue(BytesUpToZero(cards, count)), LuaValue::intValue(count)});
}

void DDZGameView::OnResultBtnContinue() { ExecuteScriptHandler(kEventResultBtnContinue); }
void DDZGameView::OnResultBtnQuit() { ExecuteScriptHandler(kEventResultBtnQuit); }
void DDZGameView::OnResultBtnSmallGame() { ExecuteScriptHandler(kEventResultBtnSmallGame); }
void DDZGameView::ScriptEvent8() { ExecuteScriptHandler(kEventScript8); }
void DDZGameView::ScriptEvent9() { ExecuteScriptHandler(kEventScript9); }

void DDZGameView::ShowRoundResult(const char*, int) {}

void DDZGameView::OnRoundStart() { ExecuteScriptHandler(kEventRoundStart); }

void DDZGameView::SetMoneyInfo(int money, int yuanbao) {
  ExecuteScriptHandlerWithArray(kEventSetMoneyInfo, {LuaValue::intValue(money), LuaValue::intValue(yuanbao)});
}

void DDZGameView::ShowRoundTask(int) {}

void DDZGameView::PlayBackgroundMusic() { GameSoundDDZ::shareGameSoundDDZ()->PlayBackGroundMusic(false); }

void DDZGameView::UpdateTaskNum(int* values) {
  if (values == nullptr) {
    cocos2d::log("UpdateTaskNum: no task values");
    return;
  }
  LuaValueArray args;
  for (int i = 0; i < kTaskValues; ++i) args.push_back(LuaValue::intValue(values[i]));
  ExecuteScriptHandlerWithArray(kEventUpdateTaskNum, args);
}

void DDZGameView::ShowSelfClock(int kind) {
  ExecuteScriptHandlerWithValue(kEventShowSelfClock, LuaValue::intValue(kind));
}

void DDZGameView::OnResultExtraGame(int kind) {
  ExecuteScriptHandlerWithValue(kEventResultExtraGame, LuaValue::intValue(kind));
}

void DDZGameView::ShowQuitMsgBox() { ExecuteScriptHandler(kEventShowQuitMsgBox); }

void DDZGameView::OnBaseCardShown() { ExecuteScriptHandler(kEventBaseCardShown); }

void DDZGameView::ShakeScreen() {
  static_assert(kShakeSteps == 8, "the sequence below names every move");
  cocos2d::FiniteTimeAction* moves[kShakeSteps];
  for (int i = 0; i < kShakeSteps; ++i) moves[i] = cocos2d::MoveBy::create(kShakeStepSeconds, kShakeOffsets[i]);
  cocos2d::Sequence* shake =
      cocos2d::Sequence::create(moves[0], moves[1], moves[2], moves[3], moves[4], moves[5], moves[6], moves[7]);
  runAction(cocos2d::Repeat::create(shake, kShakeRepeats));
}

void DDZGameView::ShowTaskCompete() { ExecuteScriptHandler(kEventShowTaskCompete); }

void DDZGameView::ResetSeatHeadFigures() { std::fill(std::begin(g_iSeatHeadFigure), std::end(g_iSeatHeadFigure), -1); }

void DDZGameView::ShowDoubleAni(int seat, int factor) {
  ExecuteScriptHandlerWithArray(kEventShowDoubleAni, {LuaValue::intValue(seat), LuaValue::intValue(factor)});
}

void DDZGameView::OnResultLayerShown(bool shown) {
  ExecuteScriptHandlerWithValue(kEventResultLayerShown, LuaValue::booleanValue(shown));
}

void DDZGameView::OnAwardEnd(int) {}
void DDZGameView::OpenSmallGame() {}
void DDZGameView::CloseSmallGame(int) {}
void DDZGameView::ShowAwardAni(int, int, int) {}

// ---------------------------------------------------------------- game-base operations

void DDZGameView::CallBackPlaySound(char* file) {
  GameViewBase::CallBackPlaySound(file);
  GameSoundDDZ::shareGameSoundDDZ();
  if (file == nullptr) return;
  SoundManage::shareSoundManage()->PlaySoundByFile(file);
}

void DDZGameView::CallBackShowExpressSpineAni(char* name, bool flip, float duration, Vec2 pos) {
  GameViewBase::CallBackShowExpressSpineAni(name, flip, duration, pos);
  spine::SkeletonAnimation* ani = spine::SkeletonAnimation::createWithJsonFile(kExpressSkeleton, kExpressAtlas, 1.0f);
  if (ani == nullptr) return;
  addChild(ani, kExpressZOrder);
  ani->setPosition(pos);
  if (flip) ani->setFlippedX(true);
  ani->setAnimation(0, name != nullptr ? name : "", false);
  ani->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(std::max(duration, 0.0f)),
                                           cocos2d::RemoveSelf::create()));
}

void DDZGameView::HidePlayerInfoOfUser(int userId) {
  for (int seat = 0; seat < SeatsInUse(); ++seat) {
    const PlayerNode* player = m_pPlayerNode[seat];
    if (player == nullptr || player->iUserID != userId) continue;
    HideSeatInfoPopup(seat);
  }
}

void DDZGameView::GetExpressHeadPos(int fromUserId, int toUserId, int price, Vec2& fromPos, Vec2& toPos,
                                    int& result) {
  int from = -1;
  int to = -1;
  for (int seat = 0; seat < SeatsInUse(); ++seat) {
    const PlayerNode* player = m_pPlayerNode[seat];
    if (player == nullptr) continue;
    if (player->iUserID == fromUserId) from = seat;
    if (player->iUserID == toUserId) to = seat;
  }
  if (from >= 0 && to >= 0) {
    if (price > 0) {
      PlayerNode* sender = m_pPlayerNode[from];
      sender->iMoney = Charge(sender->iMoney, price);
      if (from == kOwnSeat) {
        m_GlobalInfo.iMoney = Charge(m_GlobalInfo.iMoney, price);
        FloatExpressPrice(price);
      }
      RefreshSeatMoneyBox(from);
    }
    SeatHeadCenter(from, fromPos);
    SeatHeadCenter(to, toPos);
    result = 0;
  }
  RefreshBottomBar();
}

void DDZGameView::FloatExpressPrice(int price) {
  // The digit atlas draws ';' as the minus sign in front of the magnitude.
  char text[16];
  std::snprintf(text, sizeof(text), ";%d", price);
  cocos2d::ui::TextAtlas* atlas =
      cocos2d::ui::TextAtlas::create(text, kPriceAtlas, kPriceGlyphWidth, kPriceGlyphHeight, "0");
  if (atlas == nullptr) return;
  atlas->setPosition(g_iGameViewType == ddz::kViewCompete ? kPricePosCompete : kPricePos);
  atlas->setVisible(false);
  atlas->setScale(kPriceScale);
  addChild(atlas);
  atlas->runAction(cocos2d::Sequence::create(cocos2d::MoveBy::create(0.0f, Vec2(0.0f, -kPriceRise)),
                                             cocos2d::Show::create(),
                                             cocos2d::MoveBy::create(kPriceRiseSeconds, Vec2(0.0f, kPriceRise)),
                                             cocos2d::RemoveSelf::create()));
}

void DDZGameView::RefreshSeatMoneyBox(int seat) {
  const bool moneyBoxes = (g_iGameViewType == ddz::kViewClassic && m_iGameMode == 1) ||
                          (g_iGameViewType == ddz::kViewSuper && m_iGameMode != 0);
  if (!moneyBoxes) return;
  const int slot = (m_iGameMode == 2 && seat != kOwnSeat) ? kSharedMoneySlot : seat;
  ShowSeatMoneyBox(slot, m_pPlayerNode[seat]->iMoney, g_ptPlayerMoneyPos[slot]);
}

bool DDZGameView::SeatHeadCenter(int seat, Vec2& center) const {
  Vec2 head;
  if (!GetSeatHeadCenter(seat, head)) return false;
  center = seat == kOwnSeat ? Vec2(head.x + kOwnHeadShift.x, head.y - kHeadDrop + kOwnHeadShift.y)
                            : Vec2(head.x, head.y - kHeadDrop);
  return true;
}

void DDZGameView::RefreshBottomBar() {
  PlayerNode* self = m_pPlayerNode[kOwnSeat];
  if (self != nullptr) RefreshBottomBarInfo(self);
}

// ---------------------------------------------------------------- own hand

void DDZGameView::ShowHandMessageBox(const char* text, int kind, cocos2d::Node* owner) {
  GameMsgBox::shareMessageBox()->ShowMessage(text != nullptr ? text : "", kind, owner);
}

void DDZGameView::EnterCompeteFromResult() {
  cocos2d::log("EnterCompeteFromResult: this table cannot switch to the tournament");
}

std::string DDZGameView::GetOwnLoginName() const {
  const GlobalInfo& info = m_GlobalInfo;
  const char* name = info.szNickName[0] != '\0' ? info.szNickName : info.szUserName;
  const std::size_t size = info.szNickName[0] != '\0' ? sizeof(info.szNickName) : sizeof(info.szUserName);
  return YndCodeConvert::G2u(std::string_view(name, strnlen(name, size)));
}

bool DDZGameView::AddTableWidget(cocos2d::Node* widget, int zOrder) {
  if (widget == nullptr) return false;
  if (widget->getParent() != nullptr) {
    if (widget->getParent() != this) cocos2d::log("AddTableWidget: the widget belongs to another parent");
    return false;
  }
  addChild(widget, zOrder);
  return true;
}

// ---------------------------------------------------------------- played cards

void DDZGameView::MovePlayedCards(int seat, const std::vector<int>& codes, int landlordRole) {
  if (seat < 0 || seat >= kMaxSeats) return;
  auto* row = dynamic_cast<SpriteCardManage*>(m_pSendCard[seat]);
  auto* hand = dynamic_cast<SpriteCardManage*>(m_pHandCard[seat]);
  auto* shown = dynamic_cast<SpriteCardManage*>(m_pMingCard[seat]);
  for (int code : codes) {
    if (row != nullptr) row->AddCard(code, false, false, true, -1, false, false);
    if (seat == kOwnSeat) continue;
    cocos2d::Vec2 place;
    if (hand != nullptr) hand->RemoveCard(place, 0, true);
    if (shown != nullptr && shown->isRunning()) shown->RemoveCard(place, code, true);
  }
  if (row != nullptr && m_TableItem.iLandOwnerPos == seat && row->GetCardCount() > 0)
    row->SetLandlordMark(row->GetCardCount() - 1, landlordRole);
  if (seat == kOwnSeat) TakeOwnPlay(row, codes);
}

void DDZGameView::TakeOwnPlay(Vell_SpriteCardManage* row, const std::vector<int>& codes) {
  auto* own = dynamic_cast<SelfHandCard*>(m_pHandCard[kOwnSeat]);
  if (own == nullptr) return;
  const std::vector<cocos2d::Vec2> places = own->TakePlayedCards(codes);
  auto* sendRow = dynamic_cast<SendCard*>(row);
  if (sendRow == nullptr) return;
  std::vector<cocos2d::Vec2> starts;
  starts.reserve(places.size());
  for (const cocos2d::Vec2& place : places)
    starts.push_back(sendRow->convertToNodeSpace(own->convertToWorldSpace(place)));
  sendRow->ShowSendCards(starts);
}

bool DDZGameView::LandlordStillOpen(const char* what) const {
  if (m_TableItem.iLandOwnerPos < 0) return true;
  cocos2d::log("%s: the landlord of this hand is seat %d already, landlord message dropped", what,
               m_TableItem.iLandOwnerPos);
  return false;
}

bool DDZGameView::PlayFitsSeat(int seat, const std::vector<int>& codes, int decks, const char* what) {
  if (seat < 0 || seat >= kMaxSeats) return false;
  std::map<int, int> named;
  for (int code : codes) ++named[code];
  for (const auto& [code, times] : named) {
    if (times > decks) {
      cocos2d::log("%s: seat %d's play names card %d %d times, play dropped", what, seat, code, times);
      return false;
    }
  }
  Vell_SpriteCardManage* hand = m_pHandCard[seat];
  if (hand == nullptr) return true;
  const int held = hand->GetCardCount();
  if (static_cast<int>(codes.size()) > held) {
    cocos2d::log("%s: seat %d plays %zu cards and holds %d, play dropped", what, seat, codes.size(), held);
    return false;
  }
  if (seat != kOwnSeat) return true;
  const auto* own = dynamic_cast<const SpriteCardManage*>(hand);
  if (own == nullptr) return true;
  std::map<int, int> inHand;
  for (const SpriteCardInfo* card : own->GetCards()) ++inHand[card->iCardIndex];
  for (const auto& [code, times] : named) {
    if (inHand[code] < times) {
      cocos2d::log("%s: the own play names card %d %d times, the own hand holds it %d times, play dropped", what,
                   code, times, inHand[code]);
      return false;
    }
  }
  return true;
}

int DDZGameView::TypeOfWholeMessage(const char* view, const char* msg, int len, int (*minLength)(int)) {
  if (msg == nullptr || len < kFrameSize) {
    cocos2d::log("%s: message of length %d dropped", view, len);
    return -1;
  }
  const int type = static_cast<unsigned char>(msg[1]);
  cocos2d::log("%s: msgType[%d],[%x]", view, type, type);
  const int need = minLength(type);
  if (len < need) {
    cocos2d::log("%s: message %d of length %d is shorter than %d, dropped", view, type, len, need);
    return -1;
  }
  return type;
}
