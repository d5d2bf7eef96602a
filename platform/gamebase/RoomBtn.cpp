#include "platform/gamebase/RoomBtn.h"

#include "platform/engine/Director.h"
#include "platform/engine/Event.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/Sprite.h"
#include "platform/gamebase/RoomListLayer.h"

using cocos2d::Rect;
using cocos2d::Size;
using cocos2d::Vec2;

RoomBtn::RoomBtn(RoomItemInfo* room) : m_pRoomItem(room) {
  init();
  setAnchorPoint(Vec2(0.5f, 0.5f));
  setIgnoreAnchorPointForPosition(false);

  // The frame: the list's room image when it is known, else a plain node.
  const RoomListLayer* list = RoomListLayer::shareRoomListLayer(nullptr);
  const char* image = list != nullptr && list->m_szRoomBgImage[0][0] != '\0' ? list->m_szRoomBgImage[0]
                                                                               : "qorvddz_room_bg_0.png";
  Size size(kDefaultWidth, kDefaultHeight);
  if (cocos2d::Sprite* frame = cocos2d::Sprite::createWithSpriteFrameName(image)) {
    if (frame->getContentSize().width > 0 && frame->getContentSize().height > 0) size = frame->getContentSize();
    frame->setPosition(size.width / 2, size.height / 2);
    addChild(frame, -1);
  }
  setContentSize(size);

  m_pFace = cocos2d::Node::create();
  m_pFace->setContentSize(size);
  addChild(m_pFace, 1);
  m_ptFaceOrigin = Vec2::ZERO;

  auto* listener = cocos2d::EventListenerTouchOneByOne::create();
  listener->setSwallowTouches(true);
  listener->onTouchBegan = [this](cocos2d::Touch* touch, cocos2d::Event*) {
    if (!isVisible() || !isRunning()) return false;
    const Vec2 p = convertToNodeSpace(touch->getLocation());
    return Rect(0, 0, getContentSize().width, getContentSize().height).containsPoint(p);
  };
  listener->onTouchEnded = [this](cocos2d::Touch* touch, cocos2d::Event*) {
    const Vec2 p = convertToNodeSpace(touch->getLocation());
    if (Rect(0, 0, getContentSize().width, getContentSize().height).containsPoint(p)) OnTap();
  };
  cocos2d::Director::getInstance()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, this);
}

RoomBtn::~RoomBtn() = default;

void RoomBtn::InitRoomBtnUI(cocos2d::Node*) {}

void RoomBtn::onEnter() {
  cocos2d::Node::onEnter();
  if (!m_bFaceBuilt) {
    m_bFaceBuilt = true;
    InitRoomBtnUI(m_pFace);
  }
}

void RoomBtn::SetGridSlot(int index, const Vec2& position) {
  m_iGridSlot = index;
  setTag(index);
  setPosition(position);
}

void RoomBtn::OnTap() {
  RoomListLayer* list = RoomListLayer::shareRoomListLayer(nullptr);
  if (list != nullptr) list->AskEnterRoom(this);
}
