// Sprites from whole image files (backgrounds, pictures), as opposed to frames
// of a sprite sheet.
#pragma once

namespace cocos2d {
class Node;
class Sprite;
}  // namespace cocos2d

class YndImageSprite {
 public:
  // A sprite of the image `file`, found through the search paths (or listed in
  // the frame manifest's images). With a layer, the sprite is added to it
  // (z-order 0); the caller places it. Null, with nothing added, when the image
  // is not there.
  static cocos2d::Sprite* spriteWithFile(const char* file, cocos2d::Node* layer = nullptr);
};
