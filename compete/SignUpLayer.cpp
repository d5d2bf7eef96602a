// The dialog's frame, its sign-up page, the countdown and the touches; the
// details page is in SignUpDetailPage.cpp.
#include "compete/SignUpLayer.h"

#include <cstdio>
#include <new>

#include "compete/CompeteRoomListLayer.h"
#include "compete/DropDownList.h"
#include "compete/RoomInfoItem.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"

using cocos2d::Color3B;
using cocos2d::Vec2;

namespace {

constexpr int kGameTextPlayersCaption = 382;
constexpr int kGameTextFeeCaption = 307;
constexpr int kGameTextPlayersFull = 413;
constexpr int kGameTextPlayersRange = 436;
constexpr int kGameTextSignedUp = 437;
constexpr int kGameTextSignUpCloses = 418;
constexpr int kGameTextStartsIn = 419;
constexpr int kGameTextOpenHours = 431;

const Color3B kCaptionColour(125, 110, 134);
const Color3B kPrizeColour(211, 127, 60);

constexpr float kInfoRowWidth = 368;
constexpr float kInfoRowHeight = 60;

}  // namespace

const Color3B SignUpLayer::kTitleColour(255, 252, 231);
const Color3B SignUpLayer::kValueColour(187, 107, 43);
const Color3B SignUpLayer::kTealColour(33, 155, 148);

cocos2d::ui::Scale9Sprite* SignUpLayer::Panel9(const char* frame, float width, float height) {
  cocos2d::ui::Scale9Sprite* sprite = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName(frame);
  if (sprite == nullptr) sprite = cocos2d::ui::Scale9Sprite::create();
  sprite->setPreferredSize(cocos2d::Size(width, height));
  return sprite;
}

cocos2d::Sprite* SignUpLayer::FrameSprite(const char* frame) {
  cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(frame);
  return sprite != nullptr ? sprite : cocos2d::Sprite::create();
}

// ---------------------------------------------------------------- the one dialog

SignUpLayer* SignUpLayer::shareSignUpLayer() {
  // The reference it is made with stays here: the dialog outlives each list.
  static SignUpLayer* s_pSignUpLayer = new SignUpLayer();
  return s_pSignUpLayer;
}

void SignUpLayer::Open(CompeteRoomListLayer& list, CompeteRoomInfo& room, RoomInfoItem& card) {
  SignUpLayer* dialog = shareSignUpLayer();
  if (dialog->getParent() != nullptr) dialog->removeFromParent();  // forgets the match it showed
  dialog->m_pRoom = &room;
  dialog->m_pCard = &card;
  list.addChild(dialog, CompeteRoomListLayer::kZSignUp);
}

SignUpLayer::SignUpLayer() : YndGameLayer(nullptr) { m_bModalFlag = true; }

SignUpLayer::~SignUpLayer() = default;

void SignUpLayer::onEnter() {
  YndGameLayer::onEnter();
  // The previous opening's nodes go before this one's are built.
  removeAllChildren();
  m_pTitleBar = nullptr;
  m_pWindow = nullptr;
  m_pDim = nullptr;
  if (m_pRoom == nullptr) {
    // Back on the stage without an opening: the match it showed is gone.
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
    return;
  }
  AddPlist(kSheet);
  // The rules page quotes the tournament's texts.
  if (g_vecCompeteText.size() <= 1) LoadTextLines(ddz::kCompeteTextFile, g_vecCompeteText);
  const float halfW = static_cast<float>(BasePT::g_iWindowWidth / 2);
  const float halfH = static_cast<float>(BasePT::g_iWindowHeight / 2);
  m_pDim = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 150));
  m_pDim->setScale(2.0f);
  addChild(m_pDim, kZDim);
  m_pTitleBar = FrameSprite("ddzbs_tc_pic02.png");
  m_pTitleBar->setPosition(Vec2(halfW, halfH + kTitleAbove));
  addChild(m_pTitleBar);
  m_pWindow = Panel9("ddzbs_tc_pic01.png", kWindowWidth, kWindowHeight);
  m_pWindow->setPosition(Vec2(halfW, halfH - kWindowBelow));
  addChild(m_pWindow);
  ShowSignUpPage(nullptr);
  setTouchEnabled(true, false);
  // Modal: the list below gets no touch while the dialog is up.
  SetNeedDiableOtherTouch(true);
}

void SignUpLayer::onExit() {
  unschedule(schedule_selector(SignUpLayer::UpdateTime));
  SetNeedDiableOtherTouch(false);
  YndGameLayer::onExit();
  ClearPage();
  removeAllChildren();
  m_pTitleBar = nullptr;
  m_pWindow = nullptr;
  m_pDim = nullptr;
  // The match and its card belong to the list, which rebuilds them when it
  // comes back: the next showing needs a new opening.
  m_pRoom = nullptr;
  m_pCard = nullptr;
}

void SignUpLayer::ClearPage() {
  unschedule(schedule_selector(SignUpLayer::UpdateTime));
  if (m_pWindow != nullptr) m_pWindow->removeAllChildren();
  if (m_pTitleBar != nullptr) m_pTitleBar->removeAllChildren();
  m_pPrizeFrame = nullptr;
  m_pFeeEntry = nullptr;
  m_pTimeCaption = nullptr;
  m_pTimeValue = nullptr;
  m_pPlayerValue = nullptr;
  m_pSignUpNum = nullptr;
  m_pDropDownBtn = nullptr;
  m_pSignUpBtn = nullptr;
  m_pContent = nullptr;
  m_pAwardTab = nullptr;
  m_pRuleTab = nullptr;
  m_pTabMarker = nullptr;
}

RoomInfoItem* SignUpLayer::LiveCard() const { return m_pCard != nullptr && m_pCard->isRunning() ? m_pCard : nullptr; }

// ---------------------------------------------------------------- the sign-up page

void SignUpLayer::ShowSignUpPage(cocos2d::Ref*) {
  m_iPage = kPageSignUp;
  ClearPage();
  if (m_pRoom == nullptr || m_pWindow == nullptr || m_pTitleBar == nullptr) return;
  const cocos2d::Size title = m_pTitleBar->getContentSize();
  const cocos2d::Size window = m_pWindow->getContentSize();

  cocos2d::Label* name = ddz::CompeteLabel(ddz::RecordText(m_pRoom->m_Record.szMatchName), 36, kTitleColour,
                                           Vec2(0.5f, 0.5f), Vec2(title.width / 2, title.height / 2));
  FitLabelToWidth(name, title.width - 2 * 160);
  m_pTitleBar->addChild(name);
  if (auto* close =
          cocos2d::ui::Button::create("ddzbs_tc_btn_gb.png", "", "", cocos2d::ui::Widget::TextureResType::PLIST)) {
    close->setPosition(Vec2(title.width - 40, title.height / 2));
    close->addClickEventListener([this](cocos2d::Ref* sender) { OnClickClose(sender); });
    m_pTitleBar->addChild(close);
  }
  if (auto* details =
          cocos2d::ui::Button::create("ddzbs_djs_bm_gz.png", "", "", cocos2d::ui::Widget::TextureResType::PLIST)) {
    details->setPosition(Vec2(title.width - 120, title.height / 2));
    details->addClickEventListener([this](cocos2d::Ref* sender) { ShowDetailPanel(sender); });
    m_pTitleBar->addChild(details);
  }

  BuildPrize();
  cocos2d::Sprite* divider = FrameSprite("ddzbs_tc_line.png");
  divider->setPosition(Vec2(window.width / 2, window.height / 2));
  m_pWindow->addChild(divider);
  BuildInfoRows();

  m_pSignUpBtn = cocos2d::ui::Button::createWithExtraAbove(
      "ddzbs_btn_yellow02.png", "", "", "ddzbs_btn_yellow02_bm.png", cocos2d::ui::Widget::TextureResType::PLIST);
  if (m_pSignUpBtn != nullptr) {
    m_pSignUpBtn->setPosition(Vec2(window.width - 248, 144));
    m_pSignUpBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnClickSignUp(sender); });
    m_pWindow->addChild(m_pSignUpBtn);
  }
  if (m_pRoom->m_iShowSignUpNum > 0) {
    m_pSignUpNum = ddz::CompeteLabel(ddz::FormatText(::GameText(kGameTextSignedUp), m_pRoom->m_iShowSignUpNum), 26,
                                     kValueColour, Vec2(0.5f, 0.5f), Vec2(window.width - 248, 58));
    m_pWindow->addChild(m_pSignUpNum);
  }
}

void SignUpLayer::BuildPrize() {
  m_pPrizeFrame = FrameSprite("ddzbs_djs_bm_gj_d.png");
  m_pPrizeFrame->setPosition(Vec2(242, 268));
  m_pWindow->addChild(m_pPrizeFrame);
  const cocos2d::Size frame = m_pPrizeFrame->getContentSize();
  // A match without prize lines, or whose first prize has no picture, shows
  // the list's placeholder prize.
  const CompeteAwardItem* first = m_pRoom->m_vcAwards.empty() ? nullptr : &m_pRoom->m_vcAwards.front();
  cocos2d::Sprite* picture = nullptr;
  if (first != nullptr && first->szUnit[0] != '\0')
    picture = cocos2d::Sprite::createWithSpriteFrameName(ddz::RecordText(first->szUnit));
  if (picture == nullptr) picture = cocos2d::Sprite::createWithSpriteFrameName(RoomInfoItem::kPrizePlaceholder);
  if (picture != nullptr) {
    picture->setPosition(Vec2(frame.width / 2, frame.height / 2));
    m_pPrizeFrame->addChild(picture);
  }
  if (first != nullptr) {
    cocos2d::Label* text = ddz::CompeteLabel(ddz::RecordText(first->szAwardText), 34, kPrizeColour, Vec2(0.5f, 0.5f),
                                             Vec2(frame.width / 2, frame.height / 2 - 160));
    FitLabelToWidth(text, frame.width - 20);
    m_pPrizeFrame->addChild(text);
  }
}

void SignUpLayer::BuildInfoRows() {
  const cocos2d::Size window = m_pWindow->getContentSize();
  const CompeteMatchRecord& record = m_pRoom->m_Record;
  for (int i = 0; i < 3; ++i) {
    cocos2d::ui::Scale9Sprite* row = Panel9("ddzbs_tc_tip_d01.png", kInfoRowWidth, kInfoRowHeight);
    row->setPosition(Vec2(window.width * 3 / 4, window.height - 70 - 80 * i));
    m_pWindow->addChild(row, kZInfoRow);
    const float midY = kInfoRowHeight / 2;
    cocos2d::Label* caption = ddz::CompeteLabel("", 26, kCaptionColour, Vec2(0, 0.5f), Vec2(24, midY));
    cocos2d::Label* value =
        ddz::CompeteLabel("", 28, kValueColour, Vec2(0.5f, 0.5f), Vec2(kInfoRowWidth / 2 + 60, midY));
    row->addChild(caption);
    row->addChild(value);
    if (i == 0) {
      m_pTimeCaption = caption;
      m_pTimeValue = value;
      UpdateTime(0);
      if (record.iMatchKind != RoomInfoItem::kMatchKindNoTimetable) {
        unschedule(schedule_selector(SignUpLayer::UpdateTime));
        schedule(schedule_selector(SignUpLayer::UpdateTime), 1.0f);
      }
    } else if (i == 1) {
      caption->setString(::GameText(kGameTextPlayersCaption));
      const bool full =
          record.iMatchKind == RoomInfoItem::kMatchKindNoTimetable || record.iFirstPlayers == record.iLastPlayers;
      value->setString(
          full ? ddz::FormatText(::GameText(kGameTextPlayersFull), record.iLastPlayers)
               : ddz::FormatText(::GameText(kGameTextPlayersRange), record.iFirstPlayers, record.iLastPlayers));
      m_pPlayerValue = value;
    } else {
      caption->setString(::GameText(kGameTextFeeCaption));
      cocos2d::ui::Scale9Sprite* box = Panel9("ddzbs_djs_bm_pic01.png", 211, 52);
      box->setPosition(Vec2(260, midY));
      row->addChild(box);
      m_pDropDownBtn = cocos2d::ui::Button::createWithExtraAbove("ddzbs_djs_bm_xl.png", "", "", "ddzbs_djs_bm_xl_1.png",
                                                                 cocos2d::ui::Widget::TextureResType::PLIST);
      if (m_pDropDownBtn != nullptr) {
        m_pDropDownBtn->setPosition(Vec2(340, midY));
        m_pDropDownBtn->addClickEventListener([this](cocos2d::Ref* sender) { OnClickDropDown(sender); });
        row->addChild(m_pDropDownBtn);
      }
      m_pFeeEntry = CreateFeeItemNode(m_pRoom->m_iFeeType, m_pRoom->m_iFeeNum);
      m_pFeeEntry->setPosition(Vec2(246, midY));
      row->addChild(m_pFeeEntry);
    }
  }
}

void SignUpLayer::UpdateTime(float) {
  if (m_pRoom == nullptr || m_pTimeValue == nullptr || m_pTimeCaption == nullptr) return;
  const std::int32_t now = static_cast<std::int32_t>(DdzCompete::getInstance()->GetServerNow());
  if (!ddz::CompeteTimetableOpen(*m_pRoom, now)) {
    int startHour = 0;
    int hours = 24;
    ddz::CompeteRoomHours(*m_pRoom, startHour, hours);
    m_pTimeValue->setString(hours >= 24 ? "0:00 ~ 24:00" : ddz::CompeteOpenHoursText(startHour, hours));
    m_pTimeCaption->setString(::GameText(kGameTextOpenHours));
    return;
  }
  // Before the next start: the time to it; once it has come, the time left
  // of its sign-up window.
  std::int64_t remaining = static_cast<std::int64_t>(m_pRoom->m_tNextStart) - now;
  int caption = kGameTextStartsIn;
  if (remaining <= 0) {
    remaining += ddz::CompeteSignUpWindow(m_pRoom->m_Record);
    caption = kGameTextSignUpCloses;
  }
  if (remaining < 0) remaining = 0;
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(remaining / 3600),
                static_cast<long long>(remaining % 3600 / 60), static_cast<long long>(remaining % 60));
  m_pTimeValue->setString(text);
  m_pTimeCaption->setString(::GameText(caption));
}

// ---------------------------------------------------------------- buttons and touches

void SignUpLayer::OnClickClose(cocos2d::Ref*) {
  if (m_iPage == kPageDetail) {
    ShowSignUpPage(nullptr);
    return;
  }
  Close();
}

void SignUpLayer::Close() {
  if (getParent() != nullptr) YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}

void SignUpLayer::OnClickDropDown(cocos2d::Ref*) {
  if (m_pRoom == nullptr || m_pWindow == nullptr) return;
  // The arrow lies above an open list and takes its touches first: a second
  // press folds the list away instead of opening another over it.
  for (cocos2d::Node* child : m_pWindow->getChildren()) {
    if (auto* open = dynamic_cast<DropDownList*>(child); open != nullptr && !open->IsClosing()) {
      open->Close();
      return;
    }
  }
  DropDownList* list = DropDownList::create(m_pRoom, this);
  if (list == nullptr) return;
  list->setPosition(Vec2(kDropDownX, kDropDownY));
  m_pWindow->addChild(list, kZDropDown);
}

void SignUpLayer::OnSelectFee() {
  if (!ShowFee()) return;
  if (RoomInfoItem* card = LiveCard()) card->UpdateSignUpFee(false);
}

bool SignUpLayer::ShowFee() {
  if (m_pRoom == nullptr || m_pFeeEntry == nullptr) return false;
  cocos2d::Node* parent = m_pFeeEntry->getParent();
  const Vec2 at = m_pFeeEntry->getPosition();
  if (parent == nullptr) return false;
  m_pFeeEntry->removeFromParentAndCleanup(true);
  m_pFeeEntry = CreateFeeItemNode(m_pRoom->m_iFeeType, m_pRoom->m_iFeeNum);
  m_pFeeEntry->setPosition(at);
  parent->addChild(m_pFeeEntry);
  return true;
}

void SignUpLayer::OnClickSignUp(cocos2d::Ref*) {
  if (RoomInfoItem* card = LiveCard()) card->OnClickSignUp(nullptr);
}

void SignUpLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || m_pWindow == nullptr || m_pTitleBar == nullptr) return;
  float scale = cocos2d::Director::getInstance()->getContentScaleFactor();
  if (scale <= 0) scale = 1;
  const Vec2 p = convertTouchToNodeSpace(touches.front()) / scale;
  // The prize frame's box is in the window's space: the touch is measured there.
  if (m_pPrizeFrame != nullptr &&
      m_pPrizeFrame->getBoundingBox().containsPoint(m_pWindow->convertTouchToNodeSpace(touches.front()) / scale)) {
    ShowDetailPanel(nullptr);
    return;
  }
  if (m_pWindow->getBoundingBox().containsPoint(p) || m_pTitleBar->getBoundingBox().containsPoint(p)) return;
  if (m_iPage == kPageDetail) {
    ShowSignUpPage(nullptr);
  } else {
    Close();
  }
}
