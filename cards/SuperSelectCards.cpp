// The wildcard pattern chooser: the strips and the panel around them.
#include "cards/SuperSelectCards.h"

#include <algorithm>
#include <cstdio>

#include "cards/SendCard.h"
#include "cards/SuperSelfHandCard.h"
#include "platform/engine/Director.h"
#include "platform/engine/Label.h"
#include "platform/engine/Log.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"

using cocos2d::Sprite;
using cocos2d::Vec2;
using cocos2d::ui::Button;
using cocos2d::ui::Scale9Sprite;
using ddz::CardGroupRecord;

namespace {

constexpr const char* kSheet = "lz_select_type.plist";
constexpr const char* kFrameBackground = "lz_selectBG.png";
constexpr const char* kFrameTitle = "lz_xzpx_title.png";
constexpr const char* kFrameClose = "qorvddz_qd_btn_x.png";
constexpr float kCountdownFontSize = 24;
const cocos2d::Rect kBackgroundInsets(20, 20, 65, 65);
constexpr const char* kCountdownKey = "AllCardsGroup.countdown";

Vec2 TouchPointIn(const cocos2d::Node* node, const cocos2d::Touch* touch) {
  const float factor = cocos2d::Director::getInstance()->getContentScaleFactor();
  return node->convertToNodeSpace(touch->getLocation()) / factor;
}

}  // namespace

// ---------------------------------------------------------------- strip

SuperSelectCards::SuperSelectCards() {
  m_bShowOnAdd = true;
  m_bWildcardMode = false;
  m_fCardScale = kCardScale;
}

SuperSelectCards* SuperSelectCards::create(AllCardsGroup* chooser, const CardGroupRecord& group) {
  auto* strip = new SuperSelectCards();
  if (!strip->init()) {
    delete strip;
    return nullptr;
  }
  strip->autorelease();
  strip->m_group = group;
  if (chooser != nullptr) chooser->AddStrip(strip);
  return strip;
}

void SuperSelectCards::ShowGroup() {
  RemoveAllCards();
  // Each substitute byte names one card a joker stands in for; once matched it
  // matches no further card (the group itself keeps its bytes for the request).
  std::array<int, CardGroupRecord::kMaxWildcards> substitutes{};
  for (std::size_t k = 0; k < substitutes.size(); ++k) substitutes[k] = ddz::CardByteToCode(m_group.substituteValues[k]);
  for (int card : m_group.cards) {
    if (card == -1) continue;
    int wildcard = -1;
    for (std::size_t k = 0; k < substitutes.size(); ++k) {
      if (substitutes[k] != -1 && substitutes[k] == card) {
        wildcard = ddz::CardByteToCode(m_group.wildcardCards[k]);
        substitutes[k] = -1;
        break;
      }
    }
    AddCard(card, false, false, true, wildcard, false, false);
  }
  if (SendCard::ArrangeRecords(m_vcCards, m_group.type, m_group.value)) {
    for (std::size_t i = 0; i < m_vcCards.size(); ++i) {
      SpriteCardInfo* info = m_vcCards[i];
      info->fZ = static_cast<float>(i) + 100;
      for (Sprite* s : {info->pCardSprite, info->pShadowSprite, info->pJokerMark, info->pFocusFrame,
                        info->pMaskSprite, info->pLandlordMark})
        if (s != nullptr) reorderChild(s, static_cast<int>(info->fZ));
    }
  }
  LayoutCards();
}

void SuperSelectCards::LayoutCards() {
  const int n = static_cast<int>(m_vcCards.size());
  const float w = g_sizeSingleCard.width * kCardScale;
  // One card has no neighbour: no step, and the card stands where a row's
  // middle stands.
  m_iStep = n > 1 ? static_cast<int>((kBandWidth - w) / static_cast<float>(n - 1)) : 0;
  m_iStep = std::min(m_iStep, static_cast<int>(w * 0.5f));
  const int left = (kBandWidth - static_cast<int>(static_cast<float>((n - 1) * m_iStep) + w)) / 2;
  for (int i = 0; i < n; ++i) {
    SpriteCardInfo* info = m_vcCards[static_cast<std::size_t>(i)];
    info->fScale = kCardScale;
    info->fX = static_cast<float>(left + i * m_iStep);
    info->pCardSprite->setScale(kCardScale);
    info->pCardSprite->setPosition(info->fX, info->fY);
    if (info->pJokerMark != nullptr) {
      info->pJokerMark->setScale(kCardScale);
      info->pJokerMark->setPosition(info->fX, info->fY);
    }
  }
}

bool SuperSelectCards::HitTest(const std::vector<cocos2d::Touch*>& touches) const {
  if (touches.empty()) return false;
  const Vec2 point = TouchPointIn(this, touches.front());
  return std::any_of(m_vcCards.begin(), m_vcCards.end(), [&](const SpriteCardInfo* info) {
    return info->pCardSprite->getBoundingBox().containsPoint(point);
  });
}

// ---------------------------------------------------------------- chooser

AllCardsGroup::AllCardsGroup() : YndGameLayer(nullptr) {}

AllCardsGroup::~AllCardsGroup() { ClearStrips(); }

void AllCardsGroup::AddStrip(SuperSelectCards* strip) {
  if (strip == nullptr) return;
  strip->retain();
  m_vcStrips.push_back(strip);
}

void AllCardsGroup::ClearStrips() {
  std::vector<SuperSelectCards*> strips;
  strips.swap(m_vcStrips);
  for (SuperSelectCards* strip : strips) strip->release();
}

void AllCardsGroup::onEnter() {
  YndGameLayer::onEnter();
  AddPlist(kSheet);
  // The panel of an earlier opening goes with its strips.
  if (m_pBackground != nullptr) {
    m_pBackground->removeFromParent();
    m_pBackground = nullptr;
  }
  const int n = static_cast<int>(m_vcStrips.size());
  const int rows = (n + 1) / 2;
  const float height = (static_cast<float>(rows) + 0.7f) * kRowHeight + 30;
  const float width = static_cast<float>(BasePT::g_iWindowWidth);
  const float windowHeight = static_cast<float>(BasePT::g_iWindowHeight);

  m_pBackground = Scale9Sprite::createWithSpriteFrameName(kFrameBackground, kBackgroundInsets);
  if (m_pBackground == nullptr) m_pBackground = Scale9Sprite::create();  // the frame is logged as missing
  m_pBackground->setPreferredSize({static_cast<float>(kPanelWidth), height});
  m_pBackground->setPosition(width * 0.5f, windowHeight * 0.5f);
  addChild(m_pBackground);
  const cocos2d::Size panel = m_pBackground->getContentSize();

  m_pTitle = Sprite::createWithSpriteFrameName(kFrameTitle);
  if (m_pTitle != nullptr) {
    m_pTitle->setPosition(panel.width * 0.5f, panel.height - 50);
    m_pBackground->addChild(m_pTitle);
  }
  m_pCloseButton = Button::create(kFrameClose, "", "", cocos2d::ui::Widget::TextureResType::PLIST);
  m_pCloseButton->addClickEventListener([this](cocos2d::Ref* sender) { OnClose(sender); });
  m_pCloseButton->setPosition({panel.width - 10, panel.height - 10});
  m_pBackground->addChild(m_pCloseButton);

  for (int i = 0; i < n; ++i) {
    SuperSelectCards* strip = m_vcStrips[static_cast<std::size_t>(i)];
    strip->ShowGroup();
    strip->setPosition(panel.width * 0.5f * static_cast<float>(i % 2) + 50,
                       height - 30 - static_cast<float>((i / 2 + 1) * kRowHeight));
    m_pBackground->addChild(strip);
  }

  m_pCountdownLabel = cocos2d::Label::createWithSystemFont("", g_strSystemFont, kCountdownFontSize);
  m_pCountdownLabel->setPosition(panel.width * 0.5f, 20);
  m_pBackground->addChild(m_pCountdownLabel);

  if (m_iSecondsLeft < 0 || m_iSecondsLeft > kMaxSeconds) m_iSecondsLeft = 0;
  OnCountdown(0);
  if (m_iSecondsLeft > 0) schedule([this](float dt) { OnCountdown(dt); }, kTickSeconds, kCountdownKey);
  setTouchEnabled(true, false);
}

void AllCardsGroup::onExit() {
  unschedule(kCountdownKey);
  YndGameLayer::onExit();
  ClearStrips();
}

void AllCardsGroup::OnCountdown(float) {
  if (m_iSecondsLeft <= 0) return;
  --m_iSecondsLeft;
  char text[16];
  std::snprintf(text, sizeof text, "%d", m_iSecondsLeft);
  if (m_pCountdownLabel != nullptr) m_pCountdownLabel->setString(text);
  if (m_iSecondsLeft > 0) return;
  unschedule(kCountdownKey);
  if (!m_vcStrips.empty()) Pick(m_vcStrips.front());
  Leave();
}

void AllCardsGroup::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty()) return;
  for (auto it = m_vcStrips.rbegin(); it != m_vcStrips.rend(); ++it) {
    if ((*it)->HitTest(touches)) {
      SuperSelectCards* strip = *it;
      strip->retain();  // the press may end the opening and empty the list
      Pick(strip);
      strip->release();
      Leave();
      return;
    }
  }
  OnClose(nullptr);
}

void AllCardsGroup::OnClose(cocos2d::Ref*) {
  if (m_pOwnerHand != nullptr) m_pOwnerHand->ShowTurnButtonsAgain();
  Leave();
}

void AllCardsGroup::Pick(const SuperSelectCards* strip) {
  if (m_pOwnerHand == nullptr) return;
  m_pOwnerHand->SetLegalGroups({strip->GetGroup()});
  m_pOwnerHand->OnButtonClick(m_pOwnerHand->GetMainButton(SelfHandCard::kBtnPlay));
}

void AllCardsGroup::Leave() {
  unschedule(kCountdownKey);
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}
