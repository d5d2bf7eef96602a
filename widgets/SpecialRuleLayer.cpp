#include "widgets/SpecialRuleLayer.h"

#include <new>

#include "platform/engine/cocos2d.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "widgets/RuleWindowParts.h"

SpecialRuleLayer* SpecialRuleLayer::create() {
  auto* layer = new (std::nothrow) SpecialRuleLayer();
  if (layer && layer->init()) {
    layer->autorelease();
    return layer;
  }
  delete layer;
  return nullptr;
}

SpecialRuleLayer::SpecialRuleLayer() : YndGameLayer(nullptr) { m_bModalFlag = true; }

int SpecialRuleLayer::SwitchMask(const ddz::SpecialRuleFlags& flags) {
  int mask = 0;
  for (int i = 0; i < ddz::SpecialRule::Count; ++i)
    if (flags.bytes[static_cast<std::size_t>(i)] == 1) mask |= 1 << i;
  return mask;
}

bool SpecialRuleLayer::IsShown(const RuleEntry& entry, int mask) {
  return (entry.iMask < 1 || (entry.iMask & mask) == entry.iMask) && !entry.strTitle.empty();
}

bool SpecialRuleLayer::HasRulesForMask(int iKind, const ddz::SpecialRuleFlags& flags) {
  const auto found = g_mapSpecialRules.find(iKind);
  if (found == g_mapSpecialRules.end()) return false;
  const int mask = SwitchMask(flags);
  for (const RuleEntry& entry : found->second) {
    if (entry.iMask == 0) return true;
    if ((entry.iMask & mask) == entry.iMask && !entry.strTitle.empty()) return true;
  }
  return false;
}

float SpecialRuleLayer::EstimatedHeight(const std::vector<RuleEntry>& entries, int mask) {
  float h = 0;
  for (const RuleEntry& entry : entries)
    if (IsShown(entry, mask)) h += 32.0f * static_cast<float>(entry.vcLines.size()) + 10;
  return h + 150;
}

void SpecialRuleLayer::SetRules(int iKind, const ddz::SpecialRuleFlags& flags) {
  m_iKind = iKind;
  m_bFlags = flags;
}

void SpecialRuleLayer::onEnter() {
  YndGameLayer::onEnter();
  AddPlist("guide_layer.plist");
  Build();
  setTouchEnabled(true, false);
}

void SpecialRuleLayer::Build() {
  const float w = static_cast<float>(BasePT::g_iWindowWidth);
  const float h = static_cast<float>(BasePT::g_iWindowHeight);
  m_pDim = cocos2d::LayerColor::create(cocos2d::Color4B(0, 0, 0, 128), w, h);
  addChild(m_pDim);

  m_pBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("qorvddz_pay_bg0.png", cocos2d::Rect(21, 23, 30, 30));
  if (!m_pBg) return;
  m_pBg->setPreferredSize(cocos2d::Size(kBgWidth, kBgHeight));
  m_pBg->setPosition(static_cast<float>(BasePT::g_iWindowWidth / 2), static_cast<float>(BasePT::g_iWindowHeight / 2));
  addChild(m_pBg);
  FillRules();

  const cocos2d::Size bg = m_pBg->getPreferredSize();
  const cocos2d::Vec2 titleAt(bg.width / 2, bg.height - 27);
  m_pTitleBg = cocos2d::ui::Scale9Sprite::createWithSpriteFrameName("BG.png", cocos2d::Rect(69, 16, 40, 26));
  if (m_pTitleBg) {
    m_pTitleBg->setPreferredSize(cocos2d::Size(265, m_pTitleBg->getOriginalSize().height));
    m_pTitleBg->setPosition(titleAt);
    m_pBg->addChild(m_pTitleBg);
  }
  m_pTitle = cocos2d::Sprite::createWithSpriteFrameName("qorvddz_gz_title.png");
  if (m_pTitle) {
    m_pTitle->setPosition(titleAt);
    m_pBg->addChild(m_pTitle);
  }
  ddz::RunRulePopupBounce(m_pBg, 0.8f, 0.1f);
}

void SpecialRuleLayer::FillRules() {
  if (!m_pBg || !m_pBg->isRunning()) return;
  const auto found = g_mapSpecialRules.find(m_iKind);
  if (found == g_mapSpecialRules.end()) return;
  const std::vector<RuleEntry> entries = found->second;
  const int mask = SwitchMask(m_bFlags);
  m_pBg->setPreferredSize(cocos2d::Size(kBgWidth, EstimatedHeight(entries, mask)));
  const float top = m_pBg->getPreferredSize().height - 100;
  float y = 0;
  for (const RuleEntry& entry : entries) {
    if (!IsShown(entry, mask)) continue;
    cocos2d::Label* title = ddz::MakeRuleLabel(entry.strTitle, ddz::kRuleTitleColor);
    title->setPosition(30, top - y);
    m_pBg->addChild(title);
    const float lineX = title->getContentSize().width + 30;
    for (const std::string& line : entry.vcLines) {
      cocos2d::Label* label = ddz::MakeRuleLabel(line, ddz::kRuleLineColor);
      label->setPosition(lineX, top - y);
      m_pBg->addChild(label);
      y += label->getContentSize().height;
    }
    y += 10;
  }
}

void SpecialRuleLayer::onTouchesBegan(const std::vector<cocos2d::Touch*>& touches, cocos2d::Event*) {
  if (touches.empty() || !m_pBg) return;
  const cocos2d::Vec2 p =
      convertToNodeSpace(touches.front()->getLocation()) / cocos2d::Director::getInstance()->getContentScaleFactor();
  if (!m_pBg->getBoundingBox().containsPoint(p))
    YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(this, getParent());
}
