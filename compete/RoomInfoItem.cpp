#include "compete/RoomInfoItem.h"

#include <cstdio>
#include <ctime>
#include <new>
#include <vector>

#include "compete/CompeteRoomListLayer.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameMsgBox.h"
#include "platform/gamebase/GameViewBase.h"

using cocos2d::Color3B;
using cocos2d::Vec2;

std::int32_t g_iCompeteEnterMode = 0;

namespace {

constexpr int kGameTextKindOnePlayers = 315;
constexpr int kGameTextOtherMonth = 379;
constexpr int kGameTextSameMonth = 380;
constexpr int kGameTextMinHolding = 416;
constexpr int kGameTextFirstPlayers = 434;
constexpr int kGameTextFree = 435;
constexpr int kGameTextSignedUp = 437;
constexpr int kBoxType = 2;
constexpr float kBoxSeconds = 10.0f;

std::tm LocalTime(std::int32_t t) {
  const std::time_t when = static_cast<std::time_t>(t);
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

}  // namespace

// ---------------------------------------------------------------- rules of the time label

namespace ddz {

cocos2d::Label* CompeteLabel(const std::string& text, float size, const cocos2d::Color3B& colour,
                             const cocos2d::Vec2& anchor, const cocos2d::Vec2& position) {
  cocos2d::Label* label = cocos2d::Label::createWithSystemFont(text, g_strSystemFont, size);
  label->setColor(colour);
  label->setAnchorPoint(anchor);
  label->setPosition(position);
  return label;
}

std::int32_t CompeteNextStart(std::int32_t now, std::int32_t first, std::int32_t interval, std::int32_t window) {
  if (interval <= 0 || now < first) return first;
  const std::int64_t r = (static_cast<std::int64_t>(now) - first) % interval;
  const std::int64_t next = r > window ? static_cast<std::int64_t>(now) + (interval - r) : now - r;
  return static_cast<std::int32_t>(next);
}

bool CompeteOpenAt(std::int32_t when, int startHour, int hours) {
  if (hours >= 24) return true;
  if (hours <= 0) return false;
  const int h = LocalTime(when).tm_hour;
  const int start = ((startHour % 24) + 24) % 24;
  const int end = (start + hours) % 24;
  if (end < start) return h < end || h >= start;
  return start <= h && h < end;
}

std::string CompeteOpenHoursText(int startHour, int hours) {
  if (hours >= 24) return "0:00-24:00";
  char text[32];
  const int start = ((startHour % 24) + 24) % 24;
  std::snprintf(text, sizeof text, "%02d:00-%02d:00", start, ((start + hours) % 24 + 24) % 24);
  return text;
}

void CompeteRoomHours(const CompeteRoomInfo& room, int& startHour, int& hours) {
  const RoomServerInfo* server = room.m_RoomItem.pServerInfo;
  startHour = server != nullptr ? server->iStartHour : 0;
  hours = server != nullptr ? server->iHours : 24;
}

bool CompeteTimetableOpen(CompeteRoomInfo& room, std::int32_t now) {
  const CompeteMatchRecord& record = room.m_Record;
  const std::int64_t interval = static_cast<std::int64_t>(record.iIntervalMinutes) * 60;
  if (record.iMatchKind == RoomInfoItem::kMatchKindNoTimetable || interval <= 0 || interval > INT32_MAX) return false;
  room.m_tNextStart = CompeteNextStart(now, room.m_tFirstStart, static_cast<std::int32_t>(interval),
                                       CompeteSignUpWindow(record));
  int startHour = 0;
  int hours = 24;
  CompeteRoomHours(room, startHour, hours);
  return CompeteOpenAt(room.m_tNextStart, startHour, hours);
}

std::int32_t CompeteSignUpWindow(const CompeteMatchRecord& record) {
  const std::int64_t window = static_cast<std::int64_t>(record.iSignUpMinutes) * 60;
  return static_cast<std::int32_t>(window < 0 ? 0 : (window > INT32_MAX ? INT32_MAX : window));
}

std::string CompeteNextStartText(std::int32_t next, std::int32_t now) {
  const std::tm n = LocalTime(next);
  const std::tm s = LocalTime(now);
  if (n.tm_year == s.tm_year && n.tm_mon == s.tm_mon)
    return FormatText(::GameText(kGameTextSameMonth), n.tm_mday, n.tm_hour, n.tm_min);
  return FormatText(::GameText(kGameTextOtherMonth), n.tm_mon + 1, n.tm_mday, n.tm_hour, n.tm_min);
}

}  // namespace ddz

// ---------------------------------------------------------------- the card

RoomInfoItem* RoomInfoItem::create(CompeteRoomInfo* pRoom) {
  auto* card = new (std::nothrow) RoomInfoItem(pRoom);
  if (card != nullptr) card->autorelease();
  return card;
}

RoomInfoItem::RoomInfoItem(CompeteRoomInfo* pRoom) : YndGameLayer(nullptr), m_pRoom(pRoom) {
  setContentSize(PanelSize());
}

RoomInfoItem::~RoomInfoItem() = default;

cocos2d::Size RoomInfoItem::PanelSize() {
  cocos2d::SpriteFrame* frame = cocos2d::SpriteFrameCache::getInstance()->getSpriteFrameByName(kPanelFrame);
  return frame != nullptr ? frame->getOriginalSize() : cocos2d::Size(1000, 190);
}

void RoomInfoItem::onEnter() {
  YndGameLayer::onEnter();
  removeAllChildren();
  m_pFeeNode = nullptr;
  m_pSignUpBtn = nullptr;
  if (m_pRoom == nullptr) return;
  const CompeteMatchRecord& record = m_pRoom->m_Record;

  m_pPanel = cocos2d::Sprite::createWithSpriteFrameName(kPanelFrame);
  const cocos2d::Size size = m_pPanel != nullptr ? m_pPanel->getContentSize() : PanelSize();
  const float w = size.width;
  const float h = size.height;
  if (m_pPanel != nullptr) {
    m_pPanel->setPosition(Vec2(0, h / 2));
    addChild(m_pPanel);
  }

  // The prize picture of the first prize line; a match without one, or whose
  // picture is missing, shows the placeholder.
  m_pPrize = nullptr;
  if (!m_pRoom->m_vcAwards.empty() && m_pRoom->m_vcAwards.front().szUnit[0] != '\0')
    m_pPrize = cocos2d::Sprite::createWithSpriteFrameName(ddz::RecordText(m_pRoom->m_vcAwards.front().szUnit));
  if (m_pPrize == nullptr) m_pPrize = cocos2d::Sprite::createWithSpriteFrameName(kPrizePlaceholder);
  if (m_pPrize != nullptr) {
    m_pPrize->setScale(kPrizeScale);
    m_pPrize->setPosition(Vec2(kPrizeX, h / 2));
    addChild(m_pPrize);
  }

  cocos2d::Label* name = ddz::CompeteLabel(ddz::RecordText(record.szMatchName), 28, Color3B(125, 110, 134), Vec2(0, 0.5f),
                                   Vec2(kTextX, h / 2 + 30));
  FitLabelToWidth(name, kInfoX - 110 - kTextX);
  addChild(name);
  cocos2d::Label* second = ddz::CompeteLabel(ddz::RecordText(record.szMatchText2), 22, Color3B(146, 90, 186), Vec2(0, 0.5f),
                                     Vec2(kTextX, h / 2 - 30));
  FitLabelToWidth(second, kInfoX - 110 - kTextX);
  addChild(second);

  m_pTimeLabel = ddz::CompeteLabel("", 28, Color3B(114, 154, 75), Vec2(0.5f, 0.5f), Vec2(kInfoX, h / 2 + 20));
  addChild(m_pTimeLabel);
  UpdateTime(0);
  if (record.iMatchKind != kMatchKindNoTimetable) {
    unschedule(schedule_selector(RoomInfoItem::UpdateTime));
    schedule(schedule_selector(RoomInfoItem::UpdateTime), 1.0f);
  }

  const std::string players = record.iMatchKind == kMatchKindNoTimetable
                                  ? ddz::FormatText(::GameText(kGameTextKindOnePlayers), record.iLastPlayers)
                                  : ddz::FormatText(::GameText(kGameTextFirstPlayers), record.iFirstPlayers);
  m_pPlayerLabel = ddz::CompeteLabel(players, 28, Color3B(172, 116, 61), Vec2(0.5f, 0.5f), Vec2(kInfoX, h / 2 - 20));
  addChild(m_pPlayerLabel);

  m_pFeeNode = cocos2d::Node::create();
  m_pFeeNode->setPosition(Vec2(0, 0));
  addChild(m_pFeeNode);
  UpdateSignUpFee(false);

  m_pSignUpBtn = cocos2d::ui::Button::createWithExtraAbove("ddzbs_djs_dt_btn_bm.png", "", "",
                                                           "ddzbs_djs_dt_btn_bm_z.png",
                                                           cocos2d::ui::Widget::TextureResType::PLIST);
  if (m_pSignUpBtn != nullptr) {
    m_pSignUpBtn->setPosition(Vec2(w / 2 - 100, h / 2 + 2));
    m_pSignUpBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnClickSignUp(sender); });
    addChild(m_pSignUpBtn);
  }

  // The sign-up count under the button.
  m_pSignUpNumLabel = ddz::CompeteLabel("", 20, Color3B(187, 107, 43), Vec2(0.5f, 0.5f), Vec2(w / 2 - 100, h / 2 - 46));
  addChild(m_pSignUpNumLabel);
  UpdateSignUpNum();
}

void RoomInfoItem::UpdateTime(float) {
  if (m_pRoom == nullptr || m_pTimeLabel == nullptr) return;
  const std::int32_t now = static_cast<std::int32_t>(DdzCompete::getInstance()->GetServerNow());
  if (!ddz::CompeteTimetableOpen(*m_pRoom, now)) {
    int startHour = 0;
    int hours = 24;
    ddz::CompeteRoomHours(*m_pRoom, startHour, hours);
    m_pTimeLabel->setString(ddz::CompeteOpenHoursText(startHour, hours));
    return;
  }
  ShowNextStart(m_pRoom->m_tNextStart, now);
}

void RoomInfoItem::ShowNextStart(std::int32_t iNextStart, std::int32_t iServerNow) {
  if (m_pTimeLabel != nullptr) m_pTimeLabel->setString(ddz::CompeteNextStartText(iNextStart, iServerNow));
}

void RoomInfoItem::UpdateSignUpFee(bool bRechoose) {
  if (m_pRoom == nullptr) return;
  // A fee the user picked in the sign-up dialog stands.
  if (bRechoose && m_pRoom->m_bFeePicked == 0) m_pRoom->ChooseSignUpFee();
  if (!isRunning() || m_pFeeNode == nullptr) return;
  m_pFeeNode->removeAllChildren();
  const int kind = m_pRoom->m_iFeeType;
  if (kind == CompeteRoomInfo::kFeeFreeDaily || kind == CompeteRoomInfo::kFeeFree) {
    m_pFeeNode->addChild(
        ddz::CompeteLabel(::GameText(kGameTextFree), 26, Color3B(227, 101, 101), Vec2(0, 0.5f), Vec2(-10, 36)));
  } else if (kind > 0 && m_pRoom->m_iFeeNum > 0) {
    char text[24];
    std::snprintf(text, sizeof text, "x%d", m_pRoom->m_iFeeNum);
    cocos2d::Label* amount = ddz::CompeteLabel(text, 26, Color3B(176, 163, 181), Vec2(1, 0.5f), Vec2(46, 36));
    m_pFeeNode->addChild(amount);
    char frame[48];
    std::snprintf(frame, sizeof frame, "ddzbs_prop_icon_%d.png", kind);
    if (cocos2d::Sprite* icon = cocos2d::Sprite::createWithSpriteFrameName(frame)) {
      icon->setScale(0.8f);
      icon->setPosition(Vec2(24 - amount->getContentSize().width, 36));
      m_pFeeNode->addChild(icon);
    }
  }
}

void RoomInfoItem::UpdateSignUpNum() {
  if (m_pRoom == nullptr || m_pSignUpNumLabel == nullptr) return;
  m_pSignUpNumLabel->setString(m_pRoom->m_iShowSignUpNum > 0
                                   ? ddz::FormatText(::GameText(kGameTextSignedUp), m_pRoom->m_iShowSignUpNum)
                                   : std::string());
}

bool RoomInfoItem::OnClickSignUp(cocos2d::Ref*) {
  if (m_pRoom == nullptr) return false;
  // The road goes on whatever the refresh gives, on the record as it stands.
  CompeteRoomInfo::RequestCompeteRoomInfo(true, this, false);

  DdzCompete* compete = DdzCompete::getInstance();
  RoomListLayer* shared = RoomListLayer::shareRoomListLayer(nullptr);
  const int state = CompeteGameInfo::shareCompeteGameInfo()->m_iState;
  const int lockRoom = compete->GetLockRoomId();
  if (state >= 1 && state <= 4 && lockRoom > 0 && shared != nullptr) {
    if (shared->EnterLockServer(compete->GetLockServerId(), &m_pRoom->m_RoomItem)) return true;
  }

  auto box = [this, shared](const std::string& text) {
    GameMsgBox::shareMessageBox()->ShowMessage(text.c_str(), kBoxType, this, nullptr, nullptr, kBoxSeconds, 1, true,
                                               shared);
  };
  std::vector<char> error(kCheckTextSize, '\0');
  if (!m_pRoom->CheckSignUpFee(m_pRoom->m_iFeeType, error.data()) || !m_pRoom->CheckOpenTime(error.data()) ||
      !m_pRoom->CheckFreeCondition(error.data())) {
    box(error.data());
    return false;
  }
  const int minimum = m_pRoom->m_Record.iMinHolding;
  if (minimum > 0 && GameViewBase::m_GlobalInfo.iYuanBao < minimum) {
    box(ddz::FormatText(::GameText(kGameTextMinHolding), minimum));
    return false;
  }
  compete->m_iSignUpFeeType = m_pRoom->m_iFeeType;
  auto* list = dynamic_cast<CompeteRoomListLayer*>(shared);
  if (list == nullptr) {
    cocos2d::log("RoomInfoItem: no tournament list to enter the match");
    return false;
  }
  return list->EnterCompeteRoom(&m_pRoom->m_RoomItem);
}
