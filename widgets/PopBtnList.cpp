#include "widgets/PopBtnList.h"

#include <new>

#include "platform/engine/Action.h"
#include "platform/engine/SpecialNodes.h"
#include "platform/engine/ui/Widgets.h"

using cocos2d::Size;
using cocos2d::Vec2;
using cocos2d::ui::Button;
using cocos2d::ui::Scale9Sprite;
using cocos2d::ui::Widget;

namespace {
constexpr const char* kEnableKey = "PopBtnList.enable";

Scale9Sprite* MakeBox(const std::string& image) {
  Scale9Sprite* box = Scale9Sprite::createWithSpriteFrameName(image);
  if (box == nullptr) box = Scale9Sprite::create();
  box->setAnchorPoint(Vec2(0.5f, 1.0f));
  box->retain();
  return box;
}
}  // namespace

PopBtnList* PopBtnList::create(const char* toggleImage, const char* panelImage) {
  auto* list = new (std::nothrow) PopBtnList(toggleImage, panelImage);
  if (list == nullptr) return nullptr;
  list->init();
  list->autorelease();
  return list;
}

PopBtnList::PopBtnList(const char* toggleImage, const char* panelImage)
    : YndGameLayer(nullptr),
      m_strToggleImage(toggleImage != nullptr ? toggleImage : ""),
      m_strPanelImage(panelImage != nullptr ? panelImage : "") {
  m_pStencil = MakeBox(m_strPanelImage);
  m_pPanel = MakeBox(m_strPanelImage);
  UpdatePanelSize();
}

PopBtnList::~PopBtnList() {
  m_pPanel->release();
  m_pStencil->release();
}

void PopBtnList::onEnter() {
  YndGameLayer::onEnter();
  if (m_pClip != nullptr) {
    // Built on the first entry. A list taken off with clean-up lost its slide
    // and its pending EnableButtons: it comes back at rest, answering.
    if (!isScheduled(kEnableKey)) Settle();
    return;
  }
  m_pStencil->setPosition(Vec2(0, -18));
  m_pClip = cocos2d::ClippingNode::create(m_pStencil);
  addChild(m_pClip, 2);
  m_pPanel->setPosition(PanelPlace());
  m_pPanel->setVisible(m_bOpen);
  m_pClip->addChild(m_pPanel);

  m_pToggle = Button::create(m_strToggleImage, "", "", Widget::TextureResType::PLIST);
  m_pToggle->addClickEventListener([this](cocos2d::Ref* sender) { Toggle(sender); });
  addChild(m_pToggle, 2);
  UpdatePanelSize();
}

void PopBtnList::AddButton(Action action, const char* normal, const char* pressed, const char* disabled) {
  Button* entry = Button::create(normal != nullptr ? normal : "", pressed != nullptr ? pressed : "",
                                 disabled != nullptr ? disabled : "", Widget::TextureResType::PLIST);
  if (action) entry->addClickEventListener(std::move(action));
  entry->setTouchEnabled(false);
  entry->setPosition(Vec2(kEntryX, kFirstEntryY + kEntryStep * static_cast<float>(m_vcEntries.size())));
  m_pPanel->addChild(entry, 4);
  m_vcEntries.push_back(entry);
  if (isRunning()) UpdatePanelSize();
}

void PopBtnList::UpdatePanelSize() {
  m_fPanelHeight = kEntryStep * static_cast<float>(m_vcEntries.size());
  const Size box(kBoxWidth, m_fPanelHeight + kBoxExtra);
  m_pStencil->setPreferredSize(box);
  m_pPanel->setPreferredSize(box);
  if (m_pPanel->getNumberOfRunningActions() == 0) m_pPanel->setPosition(PanelPlace());
}

void PopBtnList::SetTouches(bool toggle, bool entries) {
  if (m_pToggle != nullptr) m_pToggle->setTouchEnabled(toggle);
  for (Button* entry : m_vcEntries) entry->setTouchEnabled(entries);
}

void PopBtnList::Toggle(cocos2d::Ref*) {
  m_bOpen = !m_bOpen;
  SetTouches(false, false);
  const float distance = m_fPanelHeight + 10;
  m_pPanel->stopAllActions();
  m_pPanel->setVisible(true);
  auto* slide = cocos2d::MoveBy::create(kSlideSeconds, Vec2(0, m_bOpen ? -distance : distance));
  if (m_bOpen) {
    m_pPanel->runAction(slide);
  } else {
    m_pPanel->runAction(cocos2d::Sequence::create(slide, cocos2d::Hide::create(), nullptr));
  }
  unschedule(kEnableKey);
  scheduleOnce([this](float) { EnableButtons(); }, kEnableSeconds, kEnableKey);
}

Vec2 PopBtnList::PanelPlace() const {
  return m_bOpen ? Vec2(0, kOpenPanelY) : Vec2(0, kOpenPanelY + m_fPanelHeight + 10);
}

void PopBtnList::EnableButtons() { SetTouches(true, m_bOpen); }

void PopBtnList::Settle() {
  m_pPanel->stopAllActions();
  m_pPanel->setPosition(PanelPlace());
  m_pPanel->setVisible(m_bOpen);
  EnableButtons();
}
