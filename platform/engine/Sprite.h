// Textures, sprite frames, the frame cache, sprites and frame animations.
//
// Frames: `SpriteFrameCache::addSpriteFramesWithFile(sheet)` reads the sheet's
// property list when it is found through the search paths. When it is not,
// the frames of that sheet come from the frame manifest (name and size, no
// texture; see SpriteFrameCache::setManifestFile). A name that no loaded sheet
// has gives no frame, and `Sprite::createWithSpriteFrameName` returns null, as
// the engine does. The cache records every name it is asked for.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/engine/Action.h"
#include "platform/engine/Node.h"

namespace cocos2d {

struct DrawCommand;

class Texture2D : public Ref {
 public:
  static Texture2D* create(const std::string& path, const Size& pixels);
  const std::string& getPath() const { return _path; }
  Size getContentSize() const { return _size; }
  float getPixelsWide() const { return _size.width; }
  float getPixelsHigh() const { return _size.height; }

 private:
  std::string _path;
  Size _size;
};

// Loaded images by path. Headless, an image is its file name and its pixel
// size, read from the PNG or JPEG header.
class TextureCache {
 public:
  static TextureCache* getInstance();
  static void destroyInstance();
  // Null when the file is found neither through the search paths nor in the
  // manifest's image list.
  Texture2D* addImage(const std::string& path);
  Texture2D* getTextureForKey(const std::string& path) const;
  void removeAllTextures();

 private:
  std::map<std::string, Texture2D*> _textures;  // retained
};

// Reads the pixel size of a PNG or JPEG image; false for anything else.
bool ReadImageSize(const std::vector<unsigned char>& data, Size* size);

class SpriteFrame : public Ref {
 public:
  static SpriteFrame* create(const std::string& textureFile, const Rect& rect);
  static SpriteFrame* createWithTexture(Texture2D* texture, const Rect& rect);
  static SpriteFrame* create(const std::string& textureFile, const Rect& rect, bool rotated, const Vec2& offset,
                             const Size& originalSize);
  ~SpriteFrame() override;

  const Rect& getRect() const { return _rect; }
  void setRect(const Rect& rect) { _rect = rect; }
  bool isRotated() const { return _rotated; }
  const Vec2& getOffset() const { return _offset; }
  const Size& getOriginalSize() const { return _originalSize; }
  void setOriginalSize(const Size& s) { _originalSize = s; }
  // The sheet image the frame is cut from; "" for a manifest frame.
  const std::string& getTextureFile() const { return _textureFile; }
  Texture2D* getTexture() const { return _texture; }
  // The name the cache knows the frame by ("" for frames made by hand).
  const std::string& getName() const { return _name; }
  void setName(const std::string& name) { _name = name; }

 private:
  std::string _textureFile;
  Texture2D* _texture = nullptr;
  Rect _rect;
  bool _rotated = false;
  Vec2 _offset;
  Size _originalSize;
  std::string _name;
};

class SpriteFrameCache {
 public:
  static SpriteFrameCache* getInstance();
  static void destroyInstance();

  void addSpriteFramesWithFile(const std::string& plist);
  bool isSpriteFramesWithFileLoaded(const std::string& plist) const;
  void addSpriteFrame(SpriteFrame* frame, const std::string& name);
  // Null when no loaded sheet has the name. Every call is recorded (the
  // newest names, see ddz::os::AppendBounded).
  SpriteFrame* getSpriteFrameByName(const std::string& name);
  bool hasFrame(const std::string& name) const { return _frames.count(name) != 0; }
  void removeSpriteFrameByName(const std::string& name);
  void removeSpriteFramesFromFile(const std::string& plist);
  void removeSpriteFrames();
  std::size_t frameCount() const { return _frames.size(); }

  const std::vector<std::string>& getRequestedNames() const { return _requested; }
  void clearRequestedNames() { _requested.clear(); }

  // The manifest: a UTF-8 text file found through the search paths (default
  // "frame_manifest.txt"). "[sheet.plist]" starts the frames of a sheet, each
  // line after it is "<frame name> <width> <height>"; "[images]" lists single
  // image files the same way. '#' starts a comment line.
  void setManifestFile(const std::string& file);
  // Size of a standalone image listed in the manifest.
  bool manifestImageSize(const std::string& file, Size* size);

 private:
  ~SpriteFrameCache();
  bool loadPlist(const std::string& fullPath, const std::string& plist);
  bool loadFromManifest(const std::string& plist);
  void ensureManifest();

  std::map<std::string, SpriteFrame*> _frames;  // retained
  std::map<std::string, std::vector<std::string>> _framesOfSheet;
  std::vector<std::string> _loadedSheets;
  std::vector<std::string> _requested;
  std::string _manifestFile = "frame_manifest.txt";
  bool _manifestRead = false;
  std::map<std::string, std::vector<std::pair<std::string, Size>>> _manifest;  // sheet -> frames
};

class Sprite : public Node {
 public:
  Sprite();
  static Sprite* create();
  static Sprite* create(const std::string& filename);
  static Sprite* createWithTexture(Texture2D* texture);
  static Sprite* createWithSpriteFrame(SpriteFrame* frame);
  static Sprite* createWithSpriteFrameName(const std::string& name);
  ~Sprite() override;

  bool init() override;
  virtual bool initWithFile(const std::string& filename);
  virtual bool initWithTexture(Texture2D* texture);
  virtual bool initWithSpriteFrame(SpriteFrame* frame);
  virtual bool initWithSpriteFrameName(const std::string& name);

  virtual void setSpriteFrame(SpriteFrame* frame);
  // An unknown name leaves the sprite as it is.
  virtual void setSpriteFrame(const std::string& name);
  SpriteFrame* getSpriteFrame() const { return _frame; }
  bool isFrameDisplayed(SpriteFrame* frame) const { return frame && frame == _frame; }
  virtual void setTexture(const std::string& filename);
  virtual void setTexture(Texture2D* texture);
  Texture2D* getTexture() const { return _texture; }
  virtual void setTextureRect(const Rect& rect);
  const Rect& getTextureRect() const { return _rect; }
  // What the sprite shows: its frame name, else its image file, else "".
  const std::string& getDisplayName() const;

  void setFlippedX(bool flipped) { _flippedX = flipped; }
  bool isFlippedX() const { return _flippedX; }
  void setFlippedY(bool flipped) { _flippedY = flipped; }
  bool isFlippedY() const { return _flippedY; }
  void setBlendFunc(const BlendFunc& f) { _blendFunc = f; }
  const BlendFunc& getBlendFunc() const { return _blendFunc; }

  // Fills the image part of a draw command: image file, part, rotation,
  // flips, blending and the node-space quad (a trimmed frame sits at its offset).
  void describeImage(DrawCommand* command) const;
  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 protected:
  SpriteFrame* _frame = nullptr;
  Texture2D* _texture = nullptr;
  Rect _rect;
  bool _flippedX = false, _flippedY = false;
  BlendFunc _blendFunc = BlendFunc::ALPHA_PREMULTIPLIED;
};

class Animation : public Ref {
 public:
  static Animation* create();
  static Animation* createWithSpriteFrames(const Vector<SpriteFrame*>& frames, float delayPerUnit = 0.0f,
                                           unsigned int loops = 1);
  void addSpriteFrame(SpriteFrame* frame);
  // Adds the frame of that name when the cache has it.
  void addSpriteFrameWithName(const std::string& name);
  const Vector<SpriteFrame*>& getFrames() const { return _frames; }
  void setDelayPerUnit(float d) { _delayPerUnit = d; }
  float getDelayPerUnit() const { return _delayPerUnit; }
  void setLoops(unsigned int loops) { _loops = loops; }
  unsigned int getLoops() const { return _loops; }
  void setRestoreOriginalFrame(bool restore) { _restoreOriginalFrame = restore; }
  bool getRestoreOriginalFrame() const { return _restoreOriginalFrame; }
  float getDuration() const { return _delayPerUnit * static_cast<float>(_frames.size()) * static_cast<float>(_loops); }

 private:
  Vector<SpriteFrame*> _frames;
  float _delayPerUnit = 0;
  unsigned int _loops = 1;
  bool _restoreOriginalFrame = false;
};

// Shows an animation's frames on a sprite, each for the animation's delay.
class Animate : public ActionInterval {
 public:
  static Animate* create(Animation* animation);
  ~Animate() override;
  void startWithTarget(Node* target) override;
  void stop() override;
  void update(float t) override;
  Animation* getAnimation() const { return _animation; }

 private:
  Animation* _animation = nullptr;
  SpriteFrame* _origFrame = nullptr;
  int _shownIndex = -1;
};

}  // namespace cocos2d
