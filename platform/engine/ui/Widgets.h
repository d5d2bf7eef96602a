// The ui widgets the program uses: buttons (with this engine build's
// "extra above" word image), digit atlases, nine-slice sprites, layouts,
// scroll views and list views.
//
// Touch: a touch-enabled widget takes touches one by one on its own node's
// priority. It claims a touch that starts inside its content rectangle while
// it and all its ancestors are visible and it is enabled; a claimed touch is
// swallowed. Releasing inside is a click. Widgets pass their touches up to the
// nearest widget ancestor (`interceptTouchEvent`), which is how a list view
// learns which item was selected.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/engine/Event.h"
#include "platform/engine/Label.h"
#include "platform/engine/Sprite.h"

namespace cocos2d {
namespace ui {

class Widget : public Node {
 public:
  enum class TouchEventType { BEGAN, MOVED, ENDED, CANCELED };
  enum class TextureResType { LOCAL = 0, PLIST = 1 };
  using ccWidgetTouchCallback = std::function<void(Ref*, TouchEventType)>;
  using ccWidgetClickCallback = std::function<void(Ref*)>;

  static Widget* create();
  bool init() override;
  ~Widget() override;

  virtual void setTouchEnabled(bool enabled);
  bool isTouchEnabled() const { return _touchEnabled; }
  virtual void setEnabled(bool enabled) { _enabled = enabled; }
  bool isEnabled() const { return _enabled; }
  void setBright(bool bright) { _bright = bright; }
  bool isBright() const { return _bright; }
  bool isHighlighted() const { return _highlighted; }
  void setSwallowTouches(bool swallow);
  bool isSwallowTouches() const { return _swallowTouches; }
  void setPropagateTouchEvents(bool propagate) { _propagateTouchEvents = propagate; }
  bool isPropagateTouchEvents() const { return _propagateTouchEvents; }

  void addTouchEventListener(const ccWidgetTouchCallback& callback) { _touchCallback = callback; }
  void addClickEventListener(const ccWidgetClickCallback& callback) { _clickCallback = callback; }

  // Whether a world point lies in the widget's content rectangle.
  virtual bool hitTest(const Vec2& worldPoint) const;
  bool isAncestorsVisible() const;

  virtual bool onTouchBegan(Touch* touch, Event* event);
  virtual void onTouchMoved(Touch* touch, Event* event);
  virtual void onTouchEnded(Touch* touch, Event* event);
  virtual void onTouchCancelled(Touch* touch, Event* event);
  // A descendant widget's touch, passed up.
  virtual void interceptTouchEvent(TouchEventType event, Widget* sender, Touch* touch);

  const Vec2& getTouchBeganPosition() const { return _touchBeganPosition; }
  const Vec2& getTouchEndPosition() const { return _touchEndPosition; }

 protected:
  Widget();
  void propagateTouchEvent(TouchEventType event, Widget* sender, Touch* touch);
  virtual void onPressStateChanged() {}
  void fire(TouchEventType type);

  bool _touchEnabled = false;
  bool _enabled = true;
  bool _bright = true;
  bool _highlighted = false;
  bool _swallowTouches = true;
  bool _propagateTouchEvents = true;
  EventListenerTouchOneByOne* _touchListener = nullptr;
  ccWidgetTouchCallback _touchCallback;
  ccWidgetClickCallback _clickCallback;
  Vec2 _touchBeganPosition, _touchEndPosition;
};

class Button : public Widget {
 public:
  static Button* create();
  // Empty names are allowed for the pressed and disabled faces.
  static Button* create(const std::string& normalImage, const std::string& selectedImage = "",
                        const std::string& disableImage = "", TextureResType texType = TextureResType::LOCAL);
  // This engine build's button with a word image drawn over its face, centred.
  static Button* createWithExtraAbove(const std::string& normalImage, const std::string& selectedImage,
                                      const std::string& disableImage, const std::string& aboveImage,
                                      TextureResType texType = TextureResType::PLIST);

  void loadTextures(const std::string& normal, const std::string& selected, const std::string& disabled,
                    TextureResType texType = TextureResType::LOCAL);
  void loadTextureNormal(const std::string& normal, TextureResType texType = TextureResType::LOCAL);
  void setExtraAboveImage(const std::string& image, TextureResType texType = TextureResType::PLIST);
  const std::string& getExtraAboveImage() const { return _aboveName; }
  Sprite* getExtraAboveRenderer() const { return _above; }
  Sprite* getRendererNormal() const { return _face; }
  const std::string& getNormalImage() const { return _normalName; }
  // The face image the button shows now: normal, pressed or disabled.
  std::string getShownImage() const;

  void setTitleText(const std::string& text);
  std::string getTitleText() const { return _title ? _title->getString() : ""; }
  void setTitleFontSize(float size);
  void setTitleColor(const Color3B& color);
  Label* getTitleRenderer() const { return _title; }
  void setPressedActionEnabled(bool enabled) { _pressedActionEnabled = enabled; }
  void setEnabled(bool enabled) override;

 protected:
  Button();
  void onPressStateChanged() override;
  Sprite* makeFace(const std::string& name, TextureResType type) const;
  void showFace(const std::string& name);

  std::string _normalName, _pressedName, _disabledName, _aboveName;
  TextureResType _resType = TextureResType::LOCAL;
  Sprite* _face = nullptr;   // child
  Sprite* _above = nullptr;  // child
  Label* _title = nullptr;   // child
  bool _pressedActionEnabled = false;
};

// Digits from a character map: the characters are startCharMap, startCharMap+1, ...
class TextAtlas : public Widget {
 public:
  static TextAtlas* create();
  static TextAtlas* create(const std::string& stringValue, const std::string& charMapFile, int itemWidth,
                           int itemHeight, const std::string& startCharMap);
  void setProperty(const std::string& stringValue, const std::string& charMapFile, int itemWidth, int itemHeight,
                   const std::string& startCharMap);
  void setString(const std::string& value);
  const std::string& getString() const;
  LabelAtlas* getRenderer() const { return _atlas; }

 protected:
  TextAtlas() = default;
  LabelAtlas* _atlas = nullptr;  // child
};

class Text : public Widget {
 public:
  static Text* create(const std::string& text = "", const std::string& font = "", float fontSize = 20);
  void setString(const std::string& text);
  const std::string& getString() const { return _label->getString(); }
  void setTextColor(const Color4B& color) { _label->setTextColor(color); }
  Label* getVirtualRenderer() const { return _label; }

 protected:
  Text() = default;
  Label* _label = nullptr;
};

// A sprite drawn in nine slices, stretched to its preferred size.
class Scale9Sprite : public Node {
 public:
  static Scale9Sprite* create();
  static Scale9Sprite* create(const std::string& file);
  static Scale9Sprite* create(const std::string& file, const Rect& rect, const Rect& capInsets);
  static Scale9Sprite* createWithSpriteFrameName(const std::string& name);
  static Scale9Sprite* createWithSpriteFrameName(const std::string& name, const Rect& capInsets);
  static Scale9Sprite* createWithSpriteFrame(SpriteFrame* frame, const Rect& capInsets = Rect::ZERO);
  ~Scale9Sprite() override;

  void setPreferredSize(const Size& size) { setContentSize(size); }
  Size getPreferredSize() const { return _contentSize; }
  void setCapInsets(const Rect& insets) { _capInsets = insets; }
  const Rect& getCapInsets() const { return _capInsets; }
  const Size& getOriginalSize() const { return _originalSize; }
  SpriteFrame* getSpriteFrame() const { return _frame; }
  const std::string& getImageName() const { return _imageName; }
  void setSpriteFrame(SpriteFrame* frame, const Rect& capInsets = Rect::ZERO);
  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 protected:
  Scale9Sprite();
  SpriteFrame* _frame = nullptr;
  std::string _imageName;
  Rect _capInsets;
  Size _originalSize;
};

class Layout : public Widget {
 public:
  enum class Type { ABSOLUTE, VERTICAL, HORIZONTAL, RELATIVE };
  enum class BackGroundColorType { NONE, SOLID, GRADIENT };
  static Layout* create();
  bool init() override;
  void setLayoutType(Type type) { _layoutType = type; }
  Type getLayoutType() const { return _layoutType; }
  void setClippingEnabled(bool enabled) { _clippingEnabled = enabled; }
  bool isClippingEnabled() const { return _clippingEnabled; }
  void setBackGroundColorType(BackGroundColorType type) { _bgType = type; }
  BackGroundColorType getBackGroundColorType() const { return _bgType; }
  void setBackGroundColor(const Color3B& color) { _bgColor = color; }
  const Color3B& getBackGroundColor() const { return _bgColor; }
  void setBackGroundColorOpacity(GLubyte opacity) { _bgOpacity = opacity; }
  GLubyte getBackGroundColorOpacity() const { return _bgOpacity; }
  void visit(Renderer* renderer, const Mat4& parentTransform, std::uint32_t parentFlags) override;
  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 protected:
  Layout() = default;
  Type _layoutType = Type::ABSOLUTE;
  bool _clippingEnabled = false;
  BackGroundColorType _bgType = BackGroundColorType::NONE;
  Color3B _bgColor = Color3B::WHITE;
  GLubyte _bgOpacity = 255;
};

// A clipped view on an inner container that the player drags. Children added
// to the view go into the inner container.
class ScrollView : public Layout {
 public:
  enum class Direction { NONE, VERTICAL, HORIZONTAL, BOTH };
  static ScrollView* create();
  bool init() override;

  void setDirection(Direction d) { _direction = d; }
  Direction getDirection() const { return _direction; }
  void setBounceEnabled(bool enabled) { _bounceEnabled = enabled; }
  bool isBounceEnabled() const { return _bounceEnabled; }
  void setScrollBarEnabled(bool enabled) { _scrollBarEnabled = enabled; }
  void setContentSize(const Size& size) override;
  void setInnerContainerSize(const Size& size);
  const Size& getInnerContainerSize() const { return _inner->getContentSize(); }
  Layout* getInnerContainer() const { return _inner; }
  void setInnerContainerPosition(const Vec2& position);
  const Vec2& getInnerContainerPosition() const { return _inner->getPosition(); }
  void jumpToTop();
  void jumpToBottom();
  void jumpToPercentVertical(float percent);
  void scrollToTop(float time, bool attenuated);
  void scrollToBottom(float time, bool attenuated);

  void addChild(Node* child) override;
  void addChild(Node* child, int localZOrder) override;
  void addChild(Node* child, int localZOrder, int tag) override;
  void addChild(Node* child, int localZOrder, const std::string& name) override;
  void removeAllChildrenWithCleanup(bool cleanup) override;

  bool onTouchBegan(Touch* touch, Event* event) override;
  void onTouchMoved(Touch* touch, Event* event) override;
  void interceptTouchEvent(TouchEventType event, Widget* sender, Touch* touch) override;

 protected:
  ScrollView() = default;
  Vec2 clamp(const Vec2& innerPosition) const;
  void dragBy(const Vec2& delta);

  Layout* _inner = nullptr;  // child
  Direction _direction = Direction::VERTICAL;
  bool _bounceEnabled = false;
  bool _scrollBarEnabled = true;
};

// A scroll view that stacks its items: from the top down (vertical) or from
// the left (horizontal), with a margin between them.
class ListView : public ScrollView {
 public:
  enum class EventType { ON_SELECTED_ITEM_START, ON_SELECTED_ITEM_END };
  enum class Gravity { LEFT, RIGHT, CENTER_HORIZONTAL, TOP, BOTTOM, CENTER_VERTICAL };
  using ccListViewCallback = std::function<void(Ref*, EventType)>;

  static ListView* create();
  bool init() override;

  void pushBackCustomItem(Widget* item);
  void insertCustomItem(Widget* item, std::size_t index);
  void removeItem(std::size_t index);
  void removeLastItem();
  void removeAllItems();
  Widget* getItem(std::size_t index) const;
  const Vector<Widget*>& getItems() const { return _items; }
  std::ptrdiff_t getIndex(Widget* item) const { return _items.getIndex(item); }
  void setItemsMargin(float margin);
  float getItemsMargin() const { return _itemsMargin; }
  void setGravity(Gravity g);
  void addEventListener(const ccListViewCallback& callback) { _listCallback = callback; }
  // -1 until an item is touched.
  std::ptrdiff_t getCurSelectedIndex() const { return _curSelectedIndex; }
  void requestDoLayout() { doLayout(); }
  void forceDoLayout() { doLayout(); }
  void setContentSize(const Size& size) override;

  void interceptTouchEvent(TouchEventType event, Widget* sender, Touch* touch) override;

 protected:
  ListView() = default;
  void doLayout();

  Vector<Widget*> _items;
  float _itemsMargin = 0;
  Gravity _gravity = Gravity::CENTER_HORIZONTAL;
  std::ptrdiff_t _curSelectedIndex = -1;
  ccListViewCallback _listCallback;
};

}  // namespace ui
}  // namespace cocos2d
