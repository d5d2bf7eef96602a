#include "widgets/RoomTips.h"

#include <new>
#include <string>

#include "gamedata/LabelHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/engine/Action.h"
#include "platform/engine/Label.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/gamebase/RoomListLayer.h"

using cocos2d::Vec2;

namespace {
constexpr int kFourPlayerGame = 48;
constexpr int kSuperGame = 52;

struct TipLines {
  int count;
  int first;
};
constexpr TipLines kLines[] = {{10, 36}, {5, 165}, {7, 2}};
}  // namespace

RoomTips* RoomTips::create() {
  auto* tips = new (std::nothrow) RoomTips();
  if (tips == nullptr) return nullptr;
  tips->init();
  tips->autorelease();
  return tips;
}

RoomTips::RoomTips() : YndGameLayer(nullptr) {}

void RoomTips::onEnter() {
  YndGameLayer::onEnter();
  const RoomListLayer* list = RoomListLayer::shareRoomListLayer(nullptr);
  const int gameId = list != nullptr ? list->GetGameID() : 0;
  m_iSource = gameId == kFourPlayerGame ? kFourPlayer : gameId == kSuperGame ? kSuper : kClassic;

  m_ClipRect = cocos2d::Rect(-kClipWidth / 2, -kClipHeight / 2, kClipWidth, kClipHeight);
  auto* stencil = cocos2d::DrawNode::create();
  const Vec2 corners[4] = {Vec2(m_ClipRect.getMinX(), m_ClipRect.getMinY()),
                           Vec2(m_ClipRect.getMaxX(), m_ClipRect.getMinY()),
                           Vec2(m_ClipRect.getMaxX(), m_ClipRect.getMaxY()),
                           Vec2(m_ClipRect.getMinX(), m_ClipRect.getMaxY())};
  stencil->drawPolygon(corners, 4, cocos2d::Color4F(1, 1, 1, 1), 0, cocos2d::Color4F(1, 1, 1, 1));
  m_pClip = cocos2d::ClippingNode::create(stencil);
  m_pClip->setContentSize(m_ClipRect.size);
  addChild(m_pClip, 2);
  m_pLabel = cocos2d::Label::createWithSystemFont("", g_strFontName, m_fFontSize);
  m_pLabel->setColor(getColor());
  m_pClip->addChild(m_pLabel);
  ShowNextTip();
}

void RoomTips::onExit() {
  YndGameLayer::onExit();
  if (m_pClip != nullptr) m_pClip->removeFromParent();
  m_pClip = nullptr;
  m_pLabel = nullptr;
}

void RoomTips::setColor(const cocos2d::Color3B& color) {
  YndGameLayer::setColor(color);
  if (isRunning() && m_pLabel != nullptr) m_pLabel->setColor(color);
}

void RoomTips::ShowNextTip() {
  if (m_pLabel == nullptr) return;
  const TipLines& lines = kLines[m_iSource];
  m_iTipCount %= lines.count;
  const int line = lines.first + m_iTipCount;
  m_pLabel->setString(m_iSource == kSuper ? SuperGameText(line) : GameText(line));
  ++m_iTipCount;

  const float clipWidth = m_ClipRect.size.width;
  const float width = m_pLabel->getContentSize().width;
  m_pLabel->stopAllActions();
  m_pLabel->setPosition(Vec2(clipWidth / 2 + width / 2, 0));
  m_pLabel->runAction(cocos2d::Sequence::create(
      cocos2d::MoveTo::create((clipWidth + width) / m_fSpeed, Vec2(-clipWidth / 2 - width / 2, 0)),
      cocos2d::Show::create(), cocos2d::DelayTime::create(kPause),
      cocos2d::CallFunc::create([this] { ShowNextTip(); }), nullptr));
}
