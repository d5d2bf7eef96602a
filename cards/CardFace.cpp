#include "cards/CardFace.h"

#include <cstdio>
#include <string>

#include "platform/engine/Log.h"
#include "platform/engine/Sprite.h"
#include "gamedata/LayoutConfig.h"

using cocos2d::Sprite;
using cocos2d::Vec2;

namespace ddz {

namespace {

template <class... Args>
std::string FrameName(const char* format, Args... args) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

// Collects the sprites of one face; remembers the first frame that is missing.
class FaceBuilder {
 public:
  explicit FaceBuilder(int index) : index_(index) {}

  void Base(const std::string& name) { base_ = Make(name); }

  Sprite* Child(const std::string& name, const Vec2& at, float scale = 1.0f) {
    Sprite* s = Make(name);
    if (s == nullptr || base_ == nullptr) return nullptr;
    s->setPosition(at);
    if (scale != 1.0f) s->setScale(scale);
    base_->addChild(s);
    return s;
  }

  // The dimming overlay of a shown card.
  void Overlay() {
    Sprite* s = Child(kFrameShownCardBg, Vec2::ZERO);
    if (s == nullptr) return;
    s->setColor(cocos2d::Color3B(20, 20, 20));
    s->setOpacity(20);
    s->setAnchorPoint(Vec2::ZERO);
    s->setVisible(true);
  }

  Sprite* Finish() {
    if (missing_.empty()) return base_;
    cocos2d::log("CreateCardSprite: no frame %s for card %d, drawn as a back", missing_.c_str(), index_);
    Sprite* back = Sprite::createWithSpriteFrameName(kFrameCardBack);
    if (back == nullptr) cocos2d::log("CreateCardSprite: no frame %s, card %d not drawn", kFrameCardBack, index_);
    return back;
  }

 private:
  Sprite* Make(const std::string& name) {
    Sprite* s = Sprite::createWithSpriteFrameName(name);
    if (s == nullptr && missing_.empty()) missing_ = name;
    return s;
  }

  int index_;
  Sprite* base_ = nullptr;
  std::string missing_;
};

}  // namespace

CardFaceLayout FixedCardFaceLayout() {
  return {Vec2(24, 148), Vec2(24, 106), Vec2(89, 68), Vec2(73, 90), Vec2(10, 32), Vec2(10, 12)};
}

CardFaceLayout ConfiguredCardFaceLayout() {
  return {g_ptCardNum, g_ptCardTypeSmall, g_ptCardTypeBig, g_ptCardTypeFlower, g_ptCardNum2, g_ptCardTypeSmall2};
}

Sprite* BuildCardFace(int index, bool faceDown, bool shown, int wildcardValue, const CardFaceLayout& layout) {
  FaceBuilder face(index);
  const int suit = index / 15;
  const int number = index % 15;
  const int colour = suit & 1;

  if (faceDown) {
    face.Base(kFrameCardBack);
  } else if (wildcardValue >= 1) {
    face.Base(kFrameCardBg);
    face.Child(FrameName(kFrameWildcardNumber, number), layout.number);
    face.Child(kFrameWildcardSmall, layout.smallSuit);
    face.Child(kFrameWildcardBig, layout.bigSuit);
    // A code of any suit: the marks are numbered 0..14 like the numbers of suit 0.
    face.Child(FrameName(kFrameWildcardNumber, wildcardValue % 15), layout.smallSuit + Vec2(0, -56));
  } else if (index == 13 || index == 14) {
    if (!shown) {
      face.Base(FrameName(kFrameJoker, index));
      return face.Finish();
    }
    face.Base(kFrameShownCardBg);
    face.Child(FrameName(kFrameShownJoker, index), Vec2(11, 22));
  } else if (!shown) {
    face.Base(kFrameCardBg);
    face.Child(FrameName(kFrameNumber, colour, number), layout.number);
    face.Child(FrameName(kFrameSmallSuit, suit), layout.smallSuit);
    if (number >= 10 && number <= 12)
      face.Child(FrameName(kFrameBigPicture, number), layout.courtPicture);
    else
      face.Child(FrameName(kFrameBigPicture, suit), layout.bigSuit);
  } else {
    face.Base(kFrameShownCardBg);
    face.Child(FrameName(kFrameNumber, colour, number), layout.shownNumber, 0.5f);
    face.Child(FrameName(kFrameSmallSuit, suit), layout.shownSmallSuit, 0.5f);
  }
  if (shown) face.Overlay();
  return face.Finish();
}

}  // namespace ddz
