#include "classic/C_RoomBtn.h"

#include <new>
#include <string>

#include "classic/RoomOrder.h"
#include "classic/RoomUI.h"
#include "gamedata/LabelHelpers.h"
#include "gamedata/LayoutConfig.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"
#include "platform/engine/ui/Widgets.h"
#include "widgets/AllGameRuleLayer.h"
#include "widgets/RuleFiles.h"

using cocos2d::Vec2;

namespace {
const Vec2 kScoreWordPos(162, 58);
const Vec2 kScoreWordRobPos(126, 58);
const Vec2 kRobMarkPos(192, 58);
const Vec2 kSuperWordPos(170, 12);  // x from the face's left, y from its centre line
const cocos2d::Color3B kFigureColour(0, 62, 74);
constexpr float kFigureFontSize = 26;

cocos2d::Sprite* AddSprite(cocos2d::Node* face, const char* frame, const Vec2& at) {
  cocos2d::Sprite* sprite = cocos2d::Sprite::createWithSpriteFrameName(frame);
  if (sprite == nullptr) return nullptr;
  sprite->setPosition(at);
  face->addChild(sprite, 2);
  return sprite;
}

cocos2d::Label* AddFigure(cocos2d::Node* face, int value, const Vec2& at) {
  cocos2d::Label* label =
      cocos2d::Label::createWithSystemFont(std::to_string(value), g_strFontName, kFigureFontSize,
                                           cocos2d::Size(100, 30), cocos2d::TextHAlignment::LEFT,
                                           cocos2d::TextVAlignment::TOP);
  label->setColor(kFigureColour);
  label->setPosition(at);
  face->addChild(label, 2);
  return label;
}
}  // namespace

C_RoomBtn* C_RoomBtn::create(RoomItemInfo* room) {
  auto* button = new (std::nothrow) C_RoomBtn(room);
  if (button != nullptr) button->autorelease();
  return button;
}

void C_RoomBtn::InitRoomBtnUI(cocos2d::Node* face) {
  if (face == nullptr || m_pRoomItem == nullptr || m_pRoomItem->pRuleInfo == nullptr) return;
  const RoomRuleInfo& rule = *m_pRoomItem->pRuleInfo;
  const Vec2 origin = m_ptFaceOrigin;
  const bool rob = rule.iRoomClass == ddz::rooms::kRobClass;

  m_pBaseScore = cocos2d::ui::TextAtlas::create(std::to_string(ddz::rooms::ShownBaseScore(*m_pRoomItem)),
                                                kScoreDigits, 24, 32, "0");
  m_pBaseScore->setAnchorPoint(Vec2(1.0f, 0.5f));
  m_pBaseScore->setPosition(origin + g_ptRoomBtnBaseScore - Vec2(rob ? kRobShift : 0, 0));
  face->addChild(m_pBaseScore, 2);

  m_pScoreWord = AddSprite(face, kScoreWord, origin + (rob ? kScoreWordRobPos : kScoreWordPos));
  if (rob) m_pRobMark = AddSprite(face, kRobMark, origin + kRobMarkPos);

  m_pLimit = AddFigure(face, rule.iMinMoney, origin + g_ptRoomBtnLimit);
  m_pSecond = AddFigure(face, rule.iSecondFigure, origin + g_ptRoomBtnMax);

  if (ddz::rooms::IsSuper(*m_pRoomItem)) {
    if (rule.iRoomClass == ddz::rooms::kSuperRoomClass) {
      m_pSuperWord = AddSprite(face, kSuperWord,
                               origin + Vec2(kSuperWordPos.x, face->getContentSize().height / 2 + kSuperWordPos.y));
    }
    LoadGameRules(GetAllRuleConfPath(), rule.iRoomClass);
    RoomUI::SharedAllGameRule()->AddGame(rule.iRoomClass, rule.iRuleSubType);
  }
}
