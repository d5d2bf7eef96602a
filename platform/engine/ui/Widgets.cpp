#include "platform/engine/ui/Widgets.h"

#include <algorithm>

#include "platform/engine/Action.h"
#include "platform/engine/Director.h"
#include "platform/engine/EventDispatcher.h"
#include "platform/engine/Log.h"
#include "platform/engine/Renderer.h"

namespace cocos2d {
namespace ui {

namespace {
template <class T>
T* Finish(T* w) {
  if (w && w->init()) {
    w->autorelease();
    return w;
  }
  delete w;
  return nullptr;
}
}  // namespace

// ---------------------------------------------------------------- Widget

Widget::Widget() { _anchorPoint = Vec2(0.5f, 0.5f); }

Widget::~Widget() {
  if (_touchListener) {
    if (Director* d = Director::getInstanceIfAlive()) d->getEventDispatcher()->removeEventListener(_touchListener);
    _touchListener->release();
  }
}

Widget* Widget::create() { return Finish(new Widget()); }

bool Widget::init() { return Node::init(); }

void Widget::setTouchEnabled(bool enabled) {
  if (enabled == _touchEnabled) return;
  _touchEnabled = enabled;
  EventDispatcher* dispatcher = getEventDispatcher();
  if (_touchListener) {
    dispatcher->removeEventListener(_touchListener);
    _touchListener->release();
    _touchListener = nullptr;
  }
  if (!enabled) return;
  _touchListener = EventListenerTouchOneByOne::create();
  _touchListener->retain();
  _touchListener->setSwallowTouches(_swallowTouches);
  _touchListener->onTouchBegan = [this](Touch* t, Event* e) { return onTouchBegan(t, e); };
  _touchListener->onTouchMoved = [this](Touch* t, Event* e) { onTouchMoved(t, e); };
  _touchListener->onTouchEnded = [this](Touch* t, Event* e) { onTouchEnded(t, e); };
  _touchListener->onTouchCancelled = [this](Touch* t, Event* e) { onTouchCancelled(t, e); };
  dispatcher->addEventListenerWithSceneGraphPriority(_touchListener, this);
}

void Widget::setSwallowTouches(bool swallow) {
  _swallowTouches = swallow;
  if (_touchListener) _touchListener->setSwallowTouches(swallow);
}

bool Widget::hitTest(const Vec2& worldPoint) const {
  Vec2 p = convertToNodeSpace(worldPoint);
  return Rect(0, 0, _contentSize.width, _contentSize.height).containsPoint(p);
}

bool Widget::isAncestorsVisible() const {
  for (const Node* n = this; n; n = n->getParent())
    if (!n->isVisible()) return false;
  return true;
}

void Widget::fire(TouchEventType type) {
  if (_touchCallback) {
    auto cb = _touchCallback;
    cb(this, type);
  }
}

void Widget::propagateTouchEvent(TouchEventType event, Widget* sender, Touch* touch) {
  for (Node* p = getParent(); p; p = p->getParent()) {
    if (auto* w = dynamic_cast<Widget*>(p)) {
      w->interceptTouchEvent(event, sender, touch);
      return;
    }
  }
}

void Widget::interceptTouchEvent(TouchEventType event, Widget* sender, Touch* touch) {
  if (_propagateTouchEvents) propagateTouchEvent(event, sender, touch);
}

bool Widget::onTouchBegan(Touch* touch, Event*) {
  _touchBeganPosition = touch->getLocation();
  if (!_enabled || !isAncestorsVisible() || !hitTest(_touchBeganPosition)) return false;
  _highlighted = true;
  onPressStateChanged();
  if (_propagateTouchEvents) propagateTouchEvent(TouchEventType::BEGAN, this, touch);
  fire(TouchEventType::BEGAN);
  return true;
}

void Widget::onTouchMoved(Touch* touch, Event*) {
  bool inside = hitTest(touch->getLocation());
  if (inside != _highlighted) {
    _highlighted = inside;
    onPressStateChanged();
  }
  if (_propagateTouchEvents) propagateTouchEvent(TouchEventType::MOVED, this, touch);
  fire(TouchEventType::MOVED);
}

void Widget::onTouchEnded(Touch* touch, Event*) {
  _touchEndPosition = touch->getLocation();
  const bool inside = _enabled && hitTest(_touchEndPosition);
  _highlighted = false;
  onPressStateChanged();
  if (_propagateTouchEvents) propagateTouchEvent(TouchEventType::ENDED, this, touch);
  if (inside) {
    fire(TouchEventType::ENDED);
    if (_clickCallback) {
      auto cb = _clickCallback;
      cb(this);
    }
  } else {
    fire(TouchEventType::CANCELED);
  }
}

void Widget::onTouchCancelled(Touch* touch, Event*) {
  _highlighted = false;
  onPressStateChanged();
  if (_propagateTouchEvents) propagateTouchEvent(TouchEventType::CANCELED, this, touch);
  fire(TouchEventType::CANCELED);
}

// ---------------------------------------------------------------- Button

Button::Button() { _cascadeOpacityEnabled = _cascadeColorEnabled = true; }

Button* Button::create() {
  Button* b = Finish(new Button());
  if (b) b->setTouchEnabled(true);
  return b;
}

Button* Button::create(const std::string& normalImage, const std::string& selectedImage,
                       const std::string& disableImage, TextureResType texType) {
  Button* b = create();
  if (b) b->loadTextures(normalImage, selectedImage, disableImage, texType);
  return b;
}

Button* Button::createWithExtraAbove(const std::string& normalImage, const std::string& selectedImage,
                                     const std::string& disableImage, const std::string& aboveImage,
                                     TextureResType texType) {
  Button* b = create(normalImage, selectedImage, disableImage, texType);
  if (b) b->setExtraAboveImage(aboveImage, texType);
  return b;
}

Sprite* Button::makeFace(const std::string& name, TextureResType type) const {
  if (name.empty()) return nullptr;
  Sprite* s = type == TextureResType::PLIST ? Sprite::createWithSpriteFrameName(name) : Sprite::create(name);
  if (!s) log("Button: image %s not found", name.c_str());
  return s;
}

void Button::loadTextures(const std::string& normal, const std::string& selected, const std::string& disabled,
                          TextureResType texType) {
  _pressedName = selected;
  _disabledName = disabled;
  loadTextureNormal(normal, texType);
}

void Button::loadTextureNormal(const std::string& normal, TextureResType texType) {
  _normalName = normal;
  _resType = texType;
  if (_face) {
    _face->removeFromParent();
    _face = nullptr;
  }
  _face = makeFace(normal, texType);
  Size size = _face ? _face->getContentSize() : Size::ZERO;
  setContentSize(size);
  if (_face) {
    _face->setPosition(size.width / 2, size.height / 2);
    Node::addChild(_face, -1);
  }
  for (Node* n : {static_cast<Node*>(_above), static_cast<Node*>(_title)})
    if (n) n->setPosition(size.width / 2, size.height / 2);
  onPressStateChanged();
}

void Button::setExtraAboveImage(const std::string& image, TextureResType texType) {
  _aboveName = image;
  if (_above) {
    _above->removeFromParent();
    _above = nullptr;
  }
  _above = makeFace(image, texType);
  if (_above) {
    _above->setPosition(_contentSize.width / 2, _contentSize.height / 2);
    Node::addChild(_above, 1);
  }
  onPressStateChanged();
}

std::string Button::getShownImage() const {
  if (!_enabled && !_disabledName.empty()) return _disabledName;
  if (_highlighted && !_pressedName.empty()) return _pressedName;
  return _normalName;
}

void Button::showFace(const std::string& name) {
  if (!_face || name.empty()) return;
  if (_resType == TextureResType::PLIST) {
    if (SpriteFrame* f = SpriteFrameCache::getInstance()->getSpriteFrameByName(name)) _face->setSpriteFrame(f);
  } else if (Texture2D* t = TextureCache::getInstance()->addImage(name)) {
    _face->setTexture(t);
    _face->setTextureRect(Rect(Vec2::ZERO, t->getContentSize()));
  }
}

void Button::onPressStateChanged() {
  if (!_face) return;
  const std::string shown = getShownImage();
  if (_face->getDisplayName() != shown) showFace(shown);
  // A button that is off looks off: a face without its own off image is
  // greyed, and the word laid over the face is dimmed either way.
  static const Color3B kOffFace(120, 120, 120), kOffWord(150, 150, 150);
  _face->setColor(!_enabled && _disabledName.empty() ? kOffFace : Color3B::WHITE);
  if (_above) _above->setColor(_enabled ? Color3B::WHITE : kOffWord);
}

void Button::setEnabled(bool enabled) {
  Widget::setEnabled(enabled);
  setBright(enabled);
  onPressStateChanged();
}

void Button::setTitleText(const std::string& text) {
  if (!_title) {
    _title = Label::createWithSystemFont(text, "", 14);
    _title->setPosition(_contentSize.width / 2, _contentSize.height / 2);
    Node::addChild(_title, 2);
  } else {
    _title->setString(text);
  }
}

void Button::setTitleFontSize(float size) {
  if (!_title) setTitleText("");
  _title->setSystemFontSize(size);
}

void Button::setTitleColor(const Color3B& color) {
  if (!_title) setTitleText("");
  _title->setColor(color);
}

// ---------------------------------------------------------------- TextAtlas and Text

TextAtlas* TextAtlas::create() { return Finish(new TextAtlas()); }

TextAtlas* TextAtlas::create(const std::string& stringValue, const std::string& charMapFile, int itemWidth,
                             int itemHeight, const std::string& startCharMap) {
  TextAtlas* t = create();
  if (t) t->setProperty(stringValue, charMapFile, itemWidth, itemHeight, startCharMap);
  return t;
}

void TextAtlas::setProperty(const std::string& stringValue, const std::string& charMapFile, int itemWidth,
                            int itemHeight, const std::string& startCharMap) {
  if (_atlas) _atlas->removeFromParent();
  const int start = startCharMap.empty() ? '0' : static_cast<unsigned char>(startCharMap[0]);
  _atlas = LabelAtlas::create(stringValue, charMapFile, itemWidth, itemHeight, start);
  _atlas->setAnchorPoint(Vec2::ZERO);
  Node::addChild(_atlas);
  setContentSize(_atlas->getContentSize());
}

void TextAtlas::setString(const std::string& value) {
  if (!_atlas) return;
  _atlas->setString(value);
  setContentSize(_atlas->getContentSize());
}

const std::string& TextAtlas::getString() const {
  static const std::string kEmpty;
  return _atlas ? _atlas->getString() : kEmpty;
}

Text* Text::create(const std::string& text, const std::string& font, float fontSize) {
  Text* t = Finish(new Text());
  if (!t) return nullptr;
  t->_label = Label::createWithSystemFont(text, font, fontSize);
  t->_label->setAnchorPoint(Vec2::ZERO);
  t->Node::addChild(t->_label);
  t->setContentSize(t->_label->getContentSize());
  return t;
}

void Text::setString(const std::string& text) {
  _label->setString(text);
  setContentSize(_label->getContentSize());
}

// ---------------------------------------------------------------- Scale9Sprite

Scale9Sprite::Scale9Sprite() { _anchorPoint = Vec2(0.5f, 0.5f); }

Scale9Sprite::~Scale9Sprite() { CC_SAFE_RELEASE(_frame); }

Scale9Sprite* Scale9Sprite::create() {
  auto* s = new Scale9Sprite();
  s->autorelease();
  return s;
}

Scale9Sprite* Scale9Sprite::createWithSpriteFrame(SpriteFrame* frame, const Rect& capInsets) {
  if (!frame) return nullptr;
  Scale9Sprite* s = create();
  s->setSpriteFrame(frame, capInsets);
  return s;
}

Scale9Sprite* Scale9Sprite::createWithSpriteFrameName(const std::string& name) {
  return createWithSpriteFrameName(name, Rect::ZERO);
}

Scale9Sprite* Scale9Sprite::createWithSpriteFrameName(const std::string& name, const Rect& capInsets) {
  Scale9Sprite* s = createWithSpriteFrame(SpriteFrameCache::getInstance()->getSpriteFrameByName(name), capInsets);
  if (!s) log("Scale9Sprite: frame %s not found", name.c_str());
  return s;
}

Scale9Sprite* Scale9Sprite::create(const std::string& file) {
  Texture2D* t = TextureCache::getInstance()->addImage(file);
  if (!t) return nullptr;
  return create(file, Rect(Vec2::ZERO, t->getContentSize()), Rect::ZERO);
}

Scale9Sprite* Scale9Sprite::create(const std::string& file, const Rect& rect, const Rect& capInsets) {
  Texture2D* t = TextureCache::getInstance()->addImage(file);
  if (!t) return nullptr;
  SpriteFrame* f = SpriteFrame::createWithTexture(t, rect);
  f->setName(file);
  return createWithSpriteFrame(f, capInsets);
}

void Scale9Sprite::setSpriteFrame(SpriteFrame* frame, const Rect& capInsets) {
  if (!frame) return;
  frame->retain();
  CC_SAFE_RELEASE(_frame);
  _frame = frame;
  _imageName = frame->getName();
  _capInsets = capInsets;
  _originalSize = frame->getOriginalSize();
  setContentSize(_originalSize);
}

void Scale9Sprite::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  if (!_frame) return;
  DrawCommand& c = NextDrawCommand(this, transform, _contentSize, getDisplayedOpacity(), getDisplayedColor(),
                                   _imageName, DrawKind::NineSlice);
  c.texture = _frame->getTextureFile();
  c.textureRect = _frame->getRect();
  c.rotated = _frame->isRotated();
  c.capInsets = _capInsets;
  c.quad = Rect(0, 0, _contentSize.width, _contentSize.height);
  renderer->submit(c);
}

// ---------------------------------------------------------------- Layout

Layout* Layout::create() { return Finish(new Layout()); }

bool Layout::init() {
  if (!Widget::init()) return false;
  setAnchorPoint(Vec2::ZERO);
  return true;
}

void Layout::visit(Renderer* renderer, const Mat4& parentTransform, std::uint32_t parentFlags) {
  if (!_visible) return;
  if (!_clippingEnabled) {
    Widget::visit(renderer, parentTransform, parentFlags);
    return;
  }
  const Mat4 t = parentTransform * getNodeToParentTransform();
  renderer->pushClip(t.applyToRect(Rect(0, 0, _contentSize.width, _contentSize.height)));
  Widget::visit(renderer, parentTransform, parentFlags);
  renderer->popClip();
}

void Layout::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  if (_bgType == BackGroundColorType::NONE) return;
  renderer->submit(NextDrawCommand(this, transform, _contentSize, _bgOpacity, _bgColor, "LayoutBackground"));
}

// ---------------------------------------------------------------- ScrollView

ScrollView* ScrollView::create() { return Finish(new ScrollView()); }

bool ScrollView::init() {
  if (!Layout::init()) return false;
  _clippingEnabled = true;
  _inner = Layout::create();
  _inner->setAnchorPoint(Vec2::ZERO);
  Node::addChild(_inner, 1, -1);
  setTouchEnabled(true);
  return true;
}

void ScrollView::setContentSize(const Size& size) {
  Layout::setContentSize(size);
  if (!_inner) return;
  Size inner = _inner->getContentSize();
  setInnerContainerSize(Size(std::max(inner.width, size.width), std::max(inner.height, size.height)));
}

void ScrollView::setInnerContainerSize(const Size& size) {
  // Never smaller than the view; a new size shows the top (or left) edge.
  Size s(std::max(size.width, _contentSize.width), std::max(size.height, _contentSize.height));
  _inner->setContentSize(s);
  _inner->setPosition(clamp(Vec2(0, _contentSize.height - s.height)));
}

Vec2 ScrollView::clamp(const Vec2& p) const {
  const Size inner = _inner->getContentSize();
  float minX = std::min(0.0f, _contentSize.width - inner.width), minY = std::min(0.0f, _contentSize.height - inner.height);
  return Vec2(std::clamp(p.x, minX, 0.0f), std::clamp(p.y, minY, 0.0f));
}

void ScrollView::setInnerContainerPosition(const Vec2& position) { _inner->setPosition(clamp(position)); }

void ScrollView::jumpToTop() {
  _inner->stopAllActions();
  setInnerContainerPosition(Vec2(_inner->getPositionX(), _contentSize.height - _inner->getContentSize().height));
}

void ScrollView::jumpToBottom() {
  _inner->stopAllActions();
  setInnerContainerPosition(Vec2(_inner->getPositionX(), 0));
}

void ScrollView::jumpToPercentVertical(float percent) {
  const float minY = _contentSize.height - _inner->getContentSize().height;
  setInnerContainerPosition(Vec2(_inner->getPositionX(), minY - minY * percent / 100.0f));
}

void ScrollView::scrollToTop(float time, bool) {
  _inner->stopAllActions();
  _inner->runAction(MoveTo::create(time, clamp(Vec2(_inner->getPositionX(), _contentSize.height - _inner->getContentSize().height))));
}

void ScrollView::scrollToBottom(float time, bool) {
  _inner->stopAllActions();
  _inner->runAction(MoveTo::create(time, clamp(Vec2(_inner->getPositionX(), 0))));
}

void ScrollView::addChild(Node* child) { _inner->addChild(child); }
void ScrollView::addChild(Node* child, int localZOrder) { _inner->addChild(child, localZOrder); }
void ScrollView::addChild(Node* child, int localZOrder, int tag) { _inner->addChild(child, localZOrder, tag); }
void ScrollView::addChild(Node* child, int localZOrder, const std::string& name) {
  _inner->addChild(child, localZOrder, name);
}
void ScrollView::removeAllChildrenWithCleanup(bool cleanup) { _inner->removeAllChildrenWithCleanup(cleanup); }

void ScrollView::dragBy(const Vec2& delta) {
  Vec2 d = delta;
  if (_direction == Direction::VERTICAL) d.x = 0;
  if (_direction == Direction::HORIZONTAL) d.y = 0;
  if (_direction == Direction::NONE) return;
  setInnerContainerPosition(_inner->getPosition() + d);
}

bool ScrollView::onTouchBegan(Touch* touch, Event* event) { return Layout::onTouchBegan(touch, event); }

void ScrollView::onTouchMoved(Touch* touch, Event* event) {
  Layout::onTouchMoved(touch, event);
  dragBy(touch->getDelta());
}

void ScrollView::interceptTouchEvent(TouchEventType event, Widget* sender, Touch* touch) {
  if (event == TouchEventType::MOVED) dragBy(touch->getDelta());
  Layout::interceptTouchEvent(event, sender, touch);
}

// ---------------------------------------------------------------- ListView

ListView* ListView::create() { return Finish(new ListView()); }

bool ListView::init() { return ScrollView::init(); }

void ListView::pushBackCustomItem(Widget* item) { insertCustomItem(item, _items.size()); }

void ListView::insertCustomItem(Widget* item, std::size_t index) {
  if (!item || item->getParent()) return;
  index = std::min(index, _items.size());
  _items.insert(index, item);
  _inner->addChild(item);
  doLayout();
}

void ListView::removeItem(std::size_t index) {
  if (index >= _items.size()) return;
  Widget* item = _items.at(index);
  item->removeFromParent();
  _items.erase(index);
  if (_curSelectedIndex >= static_cast<std::ptrdiff_t>(_items.size())) _curSelectedIndex = -1;
  doLayout();
}

void ListView::removeLastItem() {
  if (!_items.empty()) removeItem(_items.size() - 1);
}

void ListView::removeAllItems() {
  for (Widget* w : Vector<Widget*>(_items)) w->removeFromParent();
  _items.clear();
  _curSelectedIndex = -1;
  doLayout();
}

Widget* ListView::getItem(std::size_t index) const { return index < _items.size() ? _items.at(index) : nullptr; }

void ListView::setItemsMargin(float margin) {
  _itemsMargin = margin;
  doLayout();
}

void ListView::setGravity(Gravity g) {
  _gravity = g;
  doLayout();
}

void ListView::setContentSize(const Size& size) {
  ScrollView::setContentSize(size);
  doLayout();
}

void ListView::doLayout() {
  if (!_inner) return;
  const bool vertical = _direction != Direction::HORIZONTAL;
  float total = 0;
  for (std::size_t i = 0; i < _items.size(); ++i) {
    const Size s = _items.at(i)->getContentSize();
    total += (vertical ? s.height : s.width) + (i ? _itemsMargin : 0);
  }
  if (vertical)
    setInnerContainerSize(Size(_contentSize.width, total));
  else
    setInnerContainerSize(Size(total, _contentSize.height));
  const Size inner = _inner->getContentSize();
  float cursor = vertical ? inner.height : 0;
  for (Widget* item : _items) {
    const Size s = item->getContentSize();
    const Vec2 ap = item->getAnchorPoint();
    if (vertical) {
      float x = s.width * ap.x;
      if (_gravity == Gravity::CENTER_HORIZONTAL) x = (inner.width - s.width) / 2 + s.width * ap.x;
      if (_gravity == Gravity::RIGHT) x = inner.width - s.width + s.width * ap.x;
      cursor -= s.height;
      item->setPosition(x, cursor + s.height * ap.y);
      cursor -= _itemsMargin;
    } else {
      float y = s.height * ap.y;
      if (_gravity == Gravity::CENTER_VERTICAL) y = (inner.height - s.height) / 2 + s.height * ap.y;
      if (_gravity == Gravity::TOP) y = inner.height - s.height + s.height * ap.y;
      item->setPosition(cursor + s.width * ap.x, y);
      cursor += s.width + _itemsMargin;
    }
  }
}

void ListView::interceptTouchEvent(TouchEventType event, Widget* sender, Touch* touch) {
  ScrollView::interceptTouchEvent(event, sender, touch);
  if (event == TouchEventType::MOVED) return;
  // The item is the ancestor of the sender that sits in the inner container.
  Node* n = sender;
  while (n && n->getParent() != _inner) n = n->getParent();
  auto* item = dynamic_cast<Widget*>(n);
  if (!item) return;
  if (event == TouchEventType::BEGAN) {
    _curSelectedIndex = _items.getIndex(item);
    if (_listCallback) {
      auto cb = _listCallback;
      cb(this, EventType::ON_SELECTED_ITEM_START);
    }
  } else if (_listCallback) {
    auto cb = _listCallback;
    cb(this, EventType::ON_SELECTED_ITEM_END);
  }
}

}  // namespace ui
}  // namespace cocos2d
