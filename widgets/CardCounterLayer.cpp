#include "widgets/CardCounterLayer.h"

#include <string>

#include "cardlogic/CardCodes.h"
#include "cardlogic/ClueCard.h"
#include "cardlogic/SRClueCard.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/gamebase/GameViewBase.h"
#include "table/DDZGameView.h"

using cocos2d::Vec2;

namespace {

// The one-deck strip.
constexpr const char* kBackgroundFrame = "qorvddz_jipaiqi_pcui.png";
constexpr const char* kRemainFrame = "qorvddz_jipaiqi_3_pcui.png";
constexpr const char* kPlayedFrame = "qorvddz_jipaiqi_shy_pcui.png";
constexpr const char* kNumberFont = "qorvddz_jipaiqi_num.fnt";
const Vec2 kButtonShift(-408, -10);
constexpr float kFirstNumberX = 68;
constexpr float kNumberStep = 27.3f;
constexpr float kNumberY = 16;

// The four-player strip.
constexpr const char* kSRBackgroundFrame = "vellddz_counter_bg.png";
constexpr const char* kSRRemainFrame = "qorvddz_JPQ_send.png";
constexpr const char* kSRPlayedFrame = "qorvddz_JPQ_last.png";
constexpr float kSRFontSize = 24;
const cocos2d::Color4B kSRNumberColour(199, 236, 255, 255);

constexpr int kNumberZ = 1;
constexpr int kLowestValue = 3;
constexpr int kShortDeckLowestValue = 5;

}  // namespace

CardCounterLayer::CardCounterLayer(DDZGameView* pGameView)
    : m_pGameView(pGameView),
      m_iShowMode(GameViewBase::m_GlobalInfo.iCardCounterMode),
      m_ptBg(g_ptGameCountBg) {}

CardCounterLayer* CardCounterLayer::create(DDZGameView* pGameView) {
  auto* layer = new CardCounterLayer(pGameView);
  layer->autorelease();
  return layer;
}

void CardCounterLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  if (m_pBg != nullptr) return;  // built on the first entry
  BuildStrip();
  SetMode(m_iShowMode);
}

void CardCounterLayer::BuildStrip() {
  setTouchEnabled(true);
  m_pBg = cocos2d::Sprite::createWithSpriteFrameName(kBackgroundFrame);
  if (m_pBg == nullptr) {
    cocos2d::log("CardCounterLayer: no strip %s", kBackgroundFrame);
    return;
  }
  m_pBg->setPosition(m_ptBg);
  addChild(m_pBg);
  m_iColumnNum = kShownColumns;
  AddModeButtons(kRemainFrame, kPlayedFrame, g_ptGameCountBtn + kButtonShift);
  for (int i = 0; i < kShownColumns; ++i) {
    m_pNum[i] = cocos2d::Label::createWithBMFont(kNumberFont, "0");
    m_pNum[i]->setPosition(Vec2(kFirstNumberX + kNumberStep * i, kNumberY));
    m_pBg->addChild(m_pNum[i], kNumberZ);
  }
  m_bShowNum = true;
  SetShow(true);
}

void CardCounterLayer::AddModeButtons(const char* remainImage, const char* playedImage, Vec2 at) {
  using cocos2d::ui::Button;
  m_pBtnRemain = Button::create(remainImage, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  m_pBtnRemain->setPosition(at);
  m_pBtnRemain->addClickEventListener([this](cocos2d::Ref* s) { ShowRemain(s); });
  m_pBg->addChild(m_pBtnRemain);
  m_pBtnPlayed = Button::create(playedImage, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  m_pBtnPlayed->setPosition(at);
  m_pBtnPlayed->addClickEventListener([this](cocos2d::Ref* s) { ShowPlayed(s); });
  m_pBg->addChild(m_pBtnPlayed);
}

void CardCounterLayer::SetMode(int mode) {
  m_iShowMode = mode;
  if (m_pBtnRemain != nullptr) m_pBtnRemain->setVisible(mode != kModeRemaining);
  if (m_pBtnPlayed != nullptr) m_pBtnPlayed->setVisible(mode == kModeRemaining);
  Refresh();
  GameViewBase::m_GlobalInfo.iCardCounterMode = mode;
  GameViewBase::WriteSettingInfo();
}

void CardCounterLayer::ShowRemain(cocos2d::Ref*) { SetMode(kModeRemaining); }
void CardCounterLayer::ShowPlayed(cocos2d::Ref*) { SetMode(kModePlayed); }

int CardCounterLayer::ColumnOf(int code) const {
  if (!ddz::IsValidCardCode(code)) return -1;
  const int value = ddz::ClueCard::GetCardValue(code);
  if (value < 0) return -1;
  const int column = value - (m_iGameKind == kKindShortDeck ? kShortDeckLowestValue : kLowestValue);
  return column >= 0 && column < kCountSlots ? column : -1;
}

void CardCounterLayer::AddCards(const std::vector<int>& vcCards) {
  m_iGameKind = m_pGameView != nullptr ? m_pGameView->GetGameKind() : 0;
  for (int code : vcCards) {
    const int column = ColumnOf(code);
    if (column < 0) {
      cocos2d::log("CardCounterLayer: card %d not counted", code);
      continue;
    }
    ++m_iCount[column];
  }
  Refresh();
}

void CardCounterLayer::ClearCards(int iGameKind) {
  m_iGameKind = iGameKind;
  // Every counted column: on the short-deck table the wildcard lands in
  // column 13, which a clear of the rank columns alone would keep.
  for (int& count : m_iCount) count = 0;
  Refresh();
}

void CardCounterLayer::SetShow(bool bShow) {
  m_bShowNum = bShow;
  if (!isRunning()) return;
  for (cocos2d::Label* number : m_pNum)
    if (number != nullptr) number->setVisible(bShow);
}

void CardCounterLayer::Refresh() {
  if (!isRunning()) return;
  for (int i = 0; i < kShownColumns; ++i) {
    if (m_pNum[i] == nullptr) continue;
    const int shown = m_iShowMode == kModePlayed ? m_iCount[i] : FullDeck(i) - m_iCount[i];
    m_pNum[i]->setString(std::to_string(shown));
  }
}

// ---------------------------------------------------------------- four-player strip

SRCardCounterLayer* SRCardCounterLayer::create(DDZGameView* pGameView) {
  auto* layer = new SRCardCounterLayer(pGameView);
  layer->autorelease();
  return layer;
}

void SRCardCounterLayer::BuildStrip() {
  m_pBg = cocos2d::Sprite::createWithSpriteFrameName(kSRBackgroundFrame);
  if (m_pBg == nullptr) {
    cocos2d::log("SRCardCounterLayer: no strip %s", kSRBackgroundFrame);
    return;
  }
  m_pBg->setPosition(g_ptGameCountBg);
  addChild(m_pBg);
  AddModeButtons(kSRRemainFrame, kSRPlayedFrame, g_ptGameCountBtn);
  for (int i = 0; i < kShownColumns; ++i) {
    m_pNum[i] = cocos2d::Label::createWithSystemFont("0", g_strFontName, kSRFontSize);
    m_pNum[i]->setPosition(g_ptGameCountNum + Vec2(i * g_fGameCountNumDis, 0));
    m_pNum[i]->setTextColor(kSRNumberColour);
    m_pNum[i]->setVisible(m_bShowNum);
    m_pBg->addChild(m_pNum[i], kNumberZ);
  }
}

int SRCardCounterLayer::ColumnOf(int code) const {
  if (!ddz::SRClueCard::IsTableCode(code)) return -1;
  const int column = ddz::SRClueCard::GetCardValue(code) - kLowestValue;
  return column >= 0 && column < kCountSlots ? column : -1;
}

void SRCardCounterLayer::SetRemainCards(const std::uint8_t* remain) {
  if (remain == nullptr) {
    cocos2d::log("SRCardCounterLayer: no remaining counts");
    return;
  }
  // The snapshot's order is A, 2, 3..K, small joker, big joker.
  int byteOf[kShownColumns];
  for (int c = 0; c < kShownColumns; ++c) byteOf[c] = c <= 10 ? c + 2 : c <= 12 ? c - 11 : c;
  for (int c = 0; c < kShownColumns; ++c) {
    if (remain[byteOf[c]] > FullDeck(c)) {
      cocos2d::log("SRCardCounterLayer: %d cards of column %d left, more than a full deck", remain[byteOf[c]], c);
      return;
    }
  }
  for (int c = 0; c < kShownColumns; ++c) m_iCount[c] = FullDeck(c) - remain[byteOf[c]];
  Refresh();
}
