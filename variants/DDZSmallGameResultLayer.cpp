#include "variants/DDZSmallGameResultLayer.h"

#include <cstdlib>
#include <string>

#include "gamedata/DDZSmallGameUIPos.h"
#include "platform/engine/cocos2d.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndRemoveChildManage.h"
#include "platform/gamebase/BasePT.h"
#include "platform/os/Random.h"
#include "variants/DDZSmallGameOwner.h"
#include "variants/DDZSmallGameSound.h"

namespace {

using cocos2d::Vec2;

// The rain's last two columns, set on the first drop of the process.
bool g_bRainStarted = false;
int g_iRainColumn1 = 0;
int g_iRainColumn2 = 0;

constexpr float kLogoDrop = 400;

}  // namespace

DDZSmallGameResultLayer* DDZSmallGameResultLayer::create(bool win, int amount, DDZSmallGameOwner* owner) {
  auto* layer = new DDZSmallGameResultLayer(win, amount, owner);
  layer->autorelease();
  return layer;
}

DDZSmallGameResultLayer::DDZSmallGameResultLayer(bool win, int amount, DDZSmallGameOwner* owner)
    : m_pOwner(owner), m_bWin(win), m_iAmount(amount) {
  init();
}

void DDZSmallGameResultLayer::GetLastRainColumns(int& older, int& newer) {
  older = g_iRainColumn1;
  newer = g_iRainColumn2;
}

void DDZSmallGameResultLayer::onEnter() {
  cocos2d::Layer::onEnter();
  if (m_pReturn != nullptr) return;  // built on the first entry

  // The panel's two halves, the second mirrored.
  for (auto [scaleX, dx] : {std::pair{1.0f, 0.0f}, std::pair{-1.0f, -0.5f}}) {
    cocos2d::Sprite* half = cocos2d::Sprite::createWithSpriteFrameName("DDZ_SmallGameBg_ResultBg.png");
    if (half == nullptr) continue;
    half->setAnchorPoint(Vec2(1, 0.5f));
    half->setScaleX(scaleX);
    half->setPosition(g_ptResultBgPos + Vec2(dx, 0));
    addChild(half, -1);
  }

  m_pLogo = cocos2d::Sprite::createWithSpriteFrameName(m_bWin ? kWinLogo : kFailedLogo);
  if (m_bWin) {
    runAction(cocos2d::RepeatForever::create(cocos2d::Sequence::create(
        cocos2d::CallFunc::create([this] { DropYuanbao(); }), cocos2d::DelayTime::create(kDropSeconds), nullptr)));
  }
  ddz::smallgame::PlaySound(m_bWin ? kWinSound : kLoseSound);
  if (m_pLogo != nullptr) {
    m_pLogo->setPosition(g_ptResultLogoPos + Vec2(0, kLogoDrop));
    addChild(m_pLogo);
    m_pLogo->runAction(cocos2d::MoveBy::create(0.3f, Vec2(0, -kLogoDrop)));
  }

  const auto later = [this](cocos2d::Node* node, Vec2 at) {
    if (node == nullptr) return;
    node->setPosition(at);
    node->setVisible(false);
    addChild(node);
    node->runAction(
        cocos2d::Sequence::create(cocos2d::DelayTime::create(kTotalShownAfter), cocos2d::Show::create(), nullptr));
  };
  m_pTotalTip = cocos2d::Sprite::createWithSpriteFrameName("DDZ_SmallGame_hdyb.png");
  later(m_pTotalTip, g_ptResultTotleYBTipPos);
  m_pIcon = cocos2d::Sprite::createWithSpriteFrameName(kYuanbaoFrame);
  later(m_pIcon, g_ptResultYBIconPos);
  m_pAmount = cocos2d::LabelAtlas::create(std::to_string(m_iAmount), "DDZ_SmallGameYaunbaoNum.png", 22, 29, '0');
  m_pAmount->setAnchorPoint(Vec2(0.5f, 0.5f));
  later(m_pAmount, g_ptResultYBNumPos);

  m_pReturn = cocos2d::ui::Button::createWithExtraAbove("qorvddz_btn_normal_2.png", "", "", "DDZ_SmallGame_return.png",
                                                        cocos2d::ui::Widget::TextureResType::PLIST);
  m_pReturn->addClickEventListener([this](cocos2d::Ref* sender) { OnReturnBtn(sender); });
  m_pReturn->setPosition(g_ptResultQuitGameBtnPos);
  m_pReturn->setVisible(false);
  m_pReturn->setOpacity(0);
  addChild(m_pReturn, 1);
  m_pReturn->runAction(cocos2d::Sequence::create(cocos2d::DelayTime::create(kReturnShownAfter), cocos2d::Show::create(),
                                                 cocos2d::FadeTo::create(0.1f, 255), nullptr));
}

void DDZSmallGameResultLayer::OnReturnBtn(cocos2d::Ref*) {
  ddz::smallgame::PlaySound(ddz::smallgame::kSoundClick);
  stopAllActions();
  const cocos2d::Vector<cocos2d::Node*> children = getChildren();
  for (cocos2d::Node* child : children) child->stopAllActions();
  if (m_pOwner != nullptr) m_pOwner->LeaveSmallGame();
}

void DDZSmallGameResultLayer::DropYuanbao() {
  using ddz::os::Rand;
  if (!g_bRainStarted) {
    g_bRainStarted = true;
    g_iRainColumn1 = Rand() % kRainColumns;
    g_iRainColumn2 = kNoColumn;
  }
  int column = 0;
  do {
    column = Rand() % kRainColumns;
  } while (std::abs(column - g_iRainColumn1) < 2 || std::abs(column - g_iRainColumn2) < 2);
  const float x = static_cast<float>(kRainColumnWidth * column + Rand() % kRainColumnWidth + Rand() % kRainColumnWidth);
  const float y = static_cast<float>(BasePT::g_iWindowHeight + 100);
  g_iRainColumn1 = g_iRainColumn2;
  g_iRainColumn2 = column;

  cocos2d::Sprite* icon = cocos2d::Sprite::createWithSpriteFrameName(kYuanbaoFrame);
  if (icon == nullptr) return;
  icon->setPosition(x, y);
  icon->setScale(1.8f);
  icon->setRotation(static_cast<float>(Rand() % 360));
  addChild(icon);
  icon->runAction(cocos2d::EaseSineIn::create(cocos2d::MoveTo::create(1, Vec2(x, -30))));
  icon->runAction(cocos2d::Sequence::create(cocos2d::RotateBy::create(1, 180),
                                            cocos2d::CallFuncN::create([this](cocos2d::Node* n) { RemoveYuanbao(n); }),
                                            nullptr));
}

void DDZSmallGameResultLayer::RemoveYuanbao(cocos2d::Node* icon) {
  YndRemoveChildManage::sharedRemoveChildManage()->RemoveChild(icon, this);
}
