#include "classic/BottomUIPC.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cards/SelfHandCard.h"
#include "classic/DDZPackLayer.h"
#include "classic/GameViewPC.h"
#include "classic/LastCardTipPC.h"
#include "classic/SysBoxUIPC.h"
#include "gamedata/LayoutConfig.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/SoundManage.h"
#include "platform/framework/YndCodeConvert.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/GameRecords.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/gamebase/NewPlayerHead.h"
#include "table/GameSoundDDZ.h"
#include "widgets/PlayerTitles.h"
#include "widgets/SetLayer.h"
#include "widgets/CardCounterLayer.h"
#include "widgets/TalkLayer.h"

using cocos2d::Vec2;

namespace {

constexpr const char* kSheets[] = {"vellddz_res_playerinfo.plist", "vellddz_res_buttomui.plist",
                                   "qorvddz_res_room_ui.plist", "vevad_res_head_icon.plist"};
constexpr const char* kBgFrame = "qorvddzpc_main_bg_2.png";
constexpr const char* kHeadFrame = "qorvddz_roomui_userinfo_player_bg.png";
const Vec2 kBgPos{636, 42};
const Vec2 kHeadFramePos{60, 60};
const Vec2 kHeadPos = kHeadFramePos;  // the head picture sits in its frame
const Vec2 kNamePos{180, 40};
const Vec2 kMoneyPos{328, 40};
// The single-player statistics: between the name and the quick buttons
// (the first at 437, 60 wide), shrunk to fit there.
const Vec2 kStatsPos{302, 40};
constexpr float kStatsMaxWidth = 196;
constexpr int kZBg = -10;
constexpr int kZHeadFrame = -5;
const cocos2d::Color3B kTextColour(188, 222, 255);
constexpr float kPanelX = 854, kPanelStep = 50, kQuickX = 437, kQuickStep = 66, kButtonY = 42;
const Vec2 kPackPanelPos{960, 198};

const GlobalInfo& Login() { return GameViewBase::m_GlobalInfo; }
bool SinglePlayer() { return Login().iPlayMode == 1; }

// A name text of a fixed GBK field as UTF-8; "" for an empty field.
std::string FieldName(const char* field, std::size_t size) {
  return YndCodeConvert::G2u(std::string_view(field, strnlen(field, size)));
}
bool UsableName(const char* field, std::size_t size) {
  const std::size_t n = strnlen(field, size);
  return n > 0 && !(n == 1 && field[0] == 'N');
}

}  // namespace

BottomUIPC* BottomUIPC::create(GameViewPC* view) {
  auto* bar = new BottomUIPC(view);
  bar->autorelease();
  return bar;
}

BottomUIPC::BottomUIPC(GameViewPC* view) : YndGameLayer(nullptr), m_pGameView(view) {}

BottomUIPC::~BottomUIPC() { ReleasePanels(); }

// ---------------------------------------------------------------- building

void BottomUIPC::onEnter() {
  YndGameLayer::onEnter();
  for (const char* sheet : kSheets) AddPlist(sheet);
  // The strip, labels and buttons are built once; the panels again after
  // every onExit released them.
  if (m_pNameLabel == nullptr) {
    if (cocos2d::Sprite* bg = cocos2d::Sprite::createWithSpriteFrameName(kBgFrame)) {
      bg->setPosition(kBgPos);
      addChild(bg, kZBg);
    }
    if ((m_pHeadFrame = cocos2d::Sprite::createWithSpriteFrameName(kHeadFrame)) != nullptr) {
      m_pHeadFrame->setPosition(kHeadFramePos);
      addChild(m_pHeadFrame, kZHeadFrame);
    }
    m_pNameLabel = MakeLabel(kNamePos);
    m_pMoneyLabel = MakeLabel(kMoneyPos);
    m_pStatsLabel = MakeLabel(kStatsPos);
    m_pStatsLabel->setVisible(false);
    BuildButtons();
  }
  BuildSysBox();
  BuildCardCounter();
  if (m_pTalkLayer == nullptr) {
    m_pTalkLayer = TalkLayer::create(this);
    m_pTalkLayer->retain();
    m_pTalkLayer->SetNeedDiableOtherTouch(true);
  }
  if (m_pPackLayer == nullptr) {
    m_pPackLayer = DDZPackLayer::getInstance();
    m_pPackLayer->retain();
    m_pPackLayer->m_ptPackBg = kPackPanelPos;
    DDZPackLayer::LoadPropConf(DDZPackLayer::kPropConfFile);
  }
  SetSelfMoney(Login().iMoney);
  const GlobalInfo& login = Login();
  SetUserName(UsableName(login.szNickName, sizeof login.szNickName)
                  ? FieldName(login.szNickName, sizeof login.szNickName)
                  : FieldName(login.szUserName, sizeof login.szUserName));
  BuildLastCardTip();
}

cocos2d::Label* BottomUIPC::MakeLabel(const Vec2& at) {
  cocos2d::Label* label = cocos2d::Label::createWithSystemFont("", g_strFontName, kTextSize);
  label->setColor(kTextColour);
  label->setPosition(at);
  addChild(label);
  return label;
}

void BottomUIPC::BuildButtons() {
  using cocos2d::ui::Button;
  using cocos2d::ui::Widget;
  char normal[64], pressed[64], disabled[64];
  for (int i = 0; i < kPanelButtons; ++i) {
    std::snprintf(normal, sizeof normal, "qorvddzpc_mainUI_btn_%d_2.png", i);
    std::snprintf(pressed, sizeof pressed, "qorvddzpc_mainUI_btn_%d_3.png", i);
    std::snprintf(disabled, sizeof disabled, "qorvddzpc_mainUI_btn_%d_0.png", i);
    Button* button = Button::create(normal, pressed, disabled, Widget::TextureResType::PLIST);
    button->setTouchEnabled(true);
    button->addClickEventListener([this](cocos2d::Ref* sender) { OnPanelBtnClick(sender); });
    button->setPosition(Vec2(kPanelX + kPanelStep * static_cast<float>(i), kButtonY));
    button->setEnabled(false);
    addChild(button);
    m_pPanelBtn[i] = button;
  }
  m_pPanelBtn[kPanelSettings]->setEnabled(true);
  for (int i = 0; i < kQuickButtons; ++i) {
    std::snprintf(normal, sizeof normal, "qorvddzpc_main_btn_%d_normal.png", i);
    std::snprintf(pressed, sizeof pressed, "qorvddzpc_main_btn_%d_pressed.png", i);
    std::snprintf(disabled, sizeof disabled, "qorvddzpc_main_btn_%d_disabled.png", i);
    Button* button = Button::create(normal, pressed, disabled, Widget::TextureResType::PLIST);
    button->setTouchEnabled(true);
    button->addClickEventListener([this](cocos2d::Ref* sender) { OnQuickBtnClick(sender); });
    button->setPosition(Vec2(kQuickX + kQuickStep * static_cast<float>(i), kButtonY));
    button->setEnabled(false);
    addChild(button);
    m_pQuickBtn[i] = button;
  }
}

void BottomUIPC::onExit() {
  YndGameLayer::onExit();
  ReleasePanels();
  m_pHeadSprite = nullptr;
}

void BottomUIPC::ReleasePanels() {
  // Card counter, quick chat, backpack, last-round tip, system box: each
  // taken off the bar when it is open, then released.
  auto drop = [this](auto*& panel) {
    if (panel == nullptr) return;
    auto* node = static_cast<cocos2d::Node*>(panel);
    if (node->getParent() == this) node->removeFromParentAndCleanup(true);
    node->release();
    panel = nullptr;
  };
  drop(m_pCardCounter);
  drop(m_pTalkLayer);
  drop(m_pPackLayer);
  drop(m_pLastCardTip);
  drop(m_pSysBox);
}

// ---------------------------------------------------------------- the own player

void BottomUIPC::SetSelfMoney(int money) {
  if (SinglePlayer() || m_pMoneyLabel == nullptr) return;
  m_pMoneyLabel->setString(std::to_string(money));
  m_iMoney = money;
}

void BottomUIPC::SetUserName(const std::string& name) {
  if (m_pNameLabel == nullptr) return;
  m_pNameLabel->setScale(1.0f);
  m_pNameLabel->setString(name);
  const float width = m_pNameLabel->getContentSize().width;
  if (width > kNameMaxWidth) m_pNameLabel->setScale(kNameMaxWidth / width);
}

void BottomUIPC::ShowSingleStats() {
  if (m_pStatsLabel == nullptr) return;
  const GlobalInfo& login = Login();
  char text[160];
  // The score and the win rate each after the word that names it, then the title.
  std::snprintf(text, sizeof text, "积分 %d  胜率 %d%%  %s", login.iSingleGameAmount,
                SingleWinRate(login.iSingleWinNum, login.iSingleLoseNum),
                GetScoreTitle(login.iSingleGameAmount).c_str());
  m_pStatsLabel->setScale(1.0f);
  m_pStatsLabel->setString(text);
  const float width = m_pStatsLabel->getContentSize().width;
  if (width > kStatsMaxWidth) m_pStatsLabel->setScale(kStatsMaxWidth / width);
  m_pStatsLabel->setVisible(true);
}

void BottomUIPC::SetSelfInfo(PlayerNode* self) {
  if (SinglePlayer()) {
    SetUserName(GameText(kSingleNameText));
    ShowSingleStats();
    return;
  }
  if (self == nullptr) return;
  SetSelfMoney(self->iMoney);
  SetUserName(UsableName(self->szNickName, sizeof self->szNickName)
                  ? FieldName(self->szNickName, sizeof self->szNickName)
                  : FieldName(self->szUserName, sizeof self->szUserName));
  if (m_pHeadSprite != nullptr) {
    m_pHeadSprite->removeFromParent();
    m_pHeadSprite = nullptr;
  }
  char frame[48];
  std::snprintf(frame, sizeof frame, "vevad_head_icon_%d.png", NewPlayerHead::ConvertPlayerIcon(self->cHeadID));
  m_pHeadSprite = cocos2d::Sprite::createWithSpriteFrameName(frame);
  if (m_pHeadSprite != nullptr) {
    m_pHeadSprite->setPosition(kHeadPos);
    m_pHeadSprite->setScale(kHeadScale);
    addChild(m_pHeadSprite);
  }
  if (m_pPackLayer != nullptr) m_pPackLayer->AddUserProp(1, 0, 0, 0, true);
}

// ---------------------------------------------------------------- panel buttons

bool BottomUIPC::TogglePanel(cocos2d::Node* panel, int zOrder) {
  if (panel == nullptr) return false;
  if (panel->isRunning()) {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(panel, panel->getParent());
    return false;
  }
  // Not on the stage: it may still hang under a parent that left it.
  if (panel->getParent() != nullptr) panel->removeFromParentAndCleanup(true);
  addChild(panel, zOrder);
  return true;
}

void BottomUIPC::OnPanelBtnClick(cocos2d::Ref* sender) {
  GameSoundDDZ::shareGameSoundDDZ();
  char sound[32];
  std::snprintf(sound, sizeof sound, "ddzSound/%d.mp3", kClickSound);
  SoundManage::shareSoundManage()->PlaySoundByFile(sound);

  const auto it = std::find(m_pPanelBtn.begin(), m_pPanelBtn.end(), sender);
  if (sender == nullptr || it == m_pPanelBtn.end()) return;
  switch (static_cast<int>(it - m_pPanelBtn.begin())) {
    case kPanelCounter:
      ToggleCardCounter();
      break;
    case kPanelSettings: {
      const int kind = m_pGameView != nullptr ? m_pGameView->GetGameKind() : 0;
      TogglePanel(SetLayer::shareSetLayer(SetLayer::kFromTable, kind));
      break;
    }
    case kPanelPack:
      if (TogglePanel(m_pPackLayer)) m_pPackLayer->ShowPack();
      break;
    case kPanelTalk: {
      const unsigned now = GetTime();
      if (m_bTalkClicked && now - m_uLastTalkClickMs < kTalkClickGapMs) return;
      m_bTalkClicked = true;
      m_uLastTalkClickMs = now;
      TogglePanel(m_pTalkLayer);
      break;
    }
    default:
      break;
  }
}

std::vector<cocos2d::Node*> BottomUIPC::OpenPanels() const {
  SetLayer* settings = SetLayer::sharedIfAny();
  cocos2d::Node* panels[] = {settings != nullptr && settings->getParent() == this ? settings : nullptr,
                             m_pPackLayer, m_pTalkLayer, m_pCardCounter, m_pLastCardTip};
  std::vector<cocos2d::Node*> open;
  for (cocos2d::Node* panel : panels)
    if (panel != nullptr && panel->isRunning() && panel->isVisible()) open.push_back(panel);
  return open;
}

void BottomUIPC::ClosePanel(cocos2d::Node* panel) {
  if (panel == nullptr || !panel->isRunning()) return;
  if (panel == m_pCardCounter) {
    ToggleCardCounter();
  } else if (panel == m_pLastCardTip) {
    ToggleLastCardTip();
  } else {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(panel, panel->getParent());
  }
}

void BottomUIPC::SetPanelButtonEnabled(int index, bool enabled) {
  if (cocos2d::ui::Button* button = GetPanelButton(index)) button->setEnabled(enabled);
}

// ---------------------------------------------------------------- quick buttons

SelfHandCard* BottomUIPC::OwnHand() const {
  if (m_pGameView == nullptr || !isRunning()) return nullptr;
  return m_pGameView->GetSelfHand();
}

void BottomUIPC::OnQuickBtnClick(cocos2d::Ref* sender) {
  const auto it = std::find(m_pQuickBtn.begin(), m_pQuickBtn.end(), sender);
  if (sender == nullptr || it == m_pQuickBtn.end()) return;
  const int index = static_cast<int>(it - m_pQuickBtn.begin());
  if (index == kQuickLastRound) {
    ToggleLastCardTip();
    return;
  }
  SelfHandCard* hand = OwnHand();
  if (hand == nullptr) return;
  switch (index) {
    case kQuickTriple:
      hand->SelectTriple();
      break;
    case kQuickStraight:
      hand->SelectStraight();
      break;
    case kQuickPairStraight:
      hand->SelectPairStraight();
      break;
    case kQuickBomb:
      hand->SelectBomb();
      break;
    case kQuickSort:
      if (hand->GetCardCount() < 1) return;
      g_iHandSortOrder = g_iHandSortOrder >= 0 && g_iHandSortOrder < 2 ? g_iHandSortOrder + 1 : 0;
      hand->SortCards();
      break;
    default:
      break;
  }
}

void BottomUIPC::SetQuickButtonEnabled(int button, bool enabled) {
  if (button < 0 || button > kQuickSort) return;
  m_bQuickWanted[static_cast<std::size_t>(button)] = enabled;
  ApplyQuickButton(button);
}

void BottomUIPC::ApplyQuickButton(int button) {
  if (m_pQuickBtn[static_cast<std::size_t>(button)] == nullptr) return;
  m_pQuickBtn[static_cast<std::size_t>(button)]->setEnabled(m_bHandButtonsLive &&
                                                            m_bQuickWanted[static_cast<std::size_t>(button)]);
}

void BottomUIPC::EnableHandButtons() {
  for (int i = 0; i < kPanelButtons; ++i) SetPanelButtonEnabled(i, true);
  m_bHandButtonsLive = true;
  // The hand tells what it holds now; later changes follow as it lays out.
  if (SelfHandCard* hand = OwnHand()) {
    if (hand->GetBottomBar() == this) hand->UpdateQuickSelectButtons();
  }
  for (int i = 0; i <= kQuickSort; ++i) ApplyQuickButton(i);
}

void BottomUIPC::DisableHandButtons() {
  m_bHandButtonsLive = false;
  for (int i = 0; i < kPanelButtons; ++i) SetPanelButtonEnabled(i, false);
  for (cocos2d::ui::Button* button : m_pQuickBtn) {
    if (button != nullptr) button->setEnabled(false);
  }
}

void BottomUIPC::EnableLastRoundButton() {
  if (m_pQuickBtn[kQuickLastRound] != nullptr) m_pQuickBtn[kQuickLastRound]->setEnabled(true);
}

// ---------------------------------------------------------------- quick chat lock

void BottomUIPC::CallBackSendTalk() {
  SetPanelButtonEnabled(kPanelTalk, false);
  unschedule(kReEnableTalkKey);
  scheduleOnce([this](float dt) { EnableTalkBtn(dt); }, kTalkLockSeconds, kReEnableTalkKey);
}

void BottomUIPC::EnableTalkBtn(float) {
  SetPanelButtonEnabled(kPanelTalk, true);
  unschedule(kReEnableTalkKey);
}

// ---------------------------------------------------------------- system box, counter, last round

namespace {
const Vec2 kSysBoxPos{1040, 44};
const Vec2 kCounterPos{0, -14};
}  // namespace

void BottomUIPC::BuildSysBox() {
  if (m_pSysBox == nullptr) {
    m_pSysBox = SysBoxUIPC::create();
    m_pSysBox->retain();
  }
  m_pSysBox->setPosition(kSysBoxPos);
  if (m_pSysBox->getParent() == nullptr) addChild(m_pSysBox);
}

void BottomUIPC::BuildCardCounter() {
  // Zero counts in the login's mode; kept, added when the player opens it.
  if (m_pCardCounter != nullptr) return;
  m_pCardCounter = CardCounterLayer::create(m_pGameView);
  m_pCardCounter->retain();
  m_pCardCounter->ClearCards(m_pGameView != nullptr ? m_pGameView->GetGameKind() : 0);
}

void BottomUIPC::BuildLastCardTip() {
  if (m_pLastCardTip != nullptr) return;
  m_pLastCardTip = LastCardTipPC::create();
  m_pLastCardTip->retain();
}

bool BottomUIPC::IsSysBoxRunning() const { return m_pSysBox != nullptr && m_pSysBox->isRunning(); }

void BottomUIPC::AddSysMessage(const char* text, int kind) {
  if (m_pSysBox != nullptr) m_pSysBox->AddMessage(text != nullptr ? text : "", static_cast<char>(kind));
}

CardCounterLayer* BottomUIPC::GetOpenCardCounter() const {
  return m_pCardCounter != nullptr && m_pCardCounter->isRunning() ? m_pCardCounter : nullptr;
}

void BottomUIPC::ToggleCardCounter() {
  if (m_pCardCounter == nullptr) return;
  if (m_pCardCounter->isRunning()) {
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(m_pCardCounter, this);
    return;
  }
  if (m_pCardCounter->getParent() != nullptr) m_pCardCounter->removeFromParentAndCleanup(true);
  m_pCardCounter->setPosition(kCounterPos);
  addChild(m_pCardCounter);
  m_pCardCounter->setVisible(true);
  m_pCardCounter->SetShow(true);
}

namespace {
// The table's last round as the tip reads it: three seats of 20 card codes,
// and which of them passed.
struct LastRound {
  int cards[LastCardTipPC::kSeats][LastCardTipPC::kCardsPerSeat];
  bool passed[LastCardTipPC::kSeats];
};
LastRound LastRoundOf(const GameViewPC& view) {
  LastRound round{};
  for (int seat = 0; seat < LastCardTipPC::kSeats; ++seat) {
    for (int i = 0; i < LastCardTipPC::kCardsPerSeat; ++i) round.cards[seat][i] = view.m_TableItem.iLastOutCard[seat][i];
    round.passed[seat] = view.LastRoundPassed(seat);
  }
  return round;
}
}  // namespace

void BottomUIPC::ToggleLastCardTip() {
  if (m_pLastCardTip == nullptr) return;
  if (m_pLastCardTip->isRunning()) {
    m_pLastCardTip->removeFromParentAndCleanup(true);
    return;
  }
  if (m_pLastCardTip->getParent() != nullptr) m_pLastCardTip->removeFromParentAndCleanup(true);
  addChild(m_pLastCardTip, kZLastRoundTip);
  if (m_pGameView == nullptr) return;
  const LastRound round = LastRoundOf(*m_pGameView);
  m_pLastCardTip->ShowLastRound(round.cards, round.passed);
}

void BottomUIPC::RefreshLastCardTip() {
  if (m_pLastCardTip == nullptr || !m_pLastCardTip->isRunning() || m_pGameView == nullptr) return;
  const LastRound round = LastRoundOf(*m_pGameView);
  m_pLastCardTip->ShowLastRound(round.cards, round.passed);
}
