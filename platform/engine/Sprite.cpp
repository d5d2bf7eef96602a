#include "platform/engine/Sprite.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/Renderer.h"
#include "platform/os/BoundedRecord.h"

namespace cocos2d {

// ---------------------------------------------------------------- images

Texture2D* Texture2D::create(const std::string& path, const Size& pixels) {
  auto* t = new Texture2D();
  t->_path = path;
  t->_size = pixels;
  t->autorelease();
  return t;
}

bool ReadImageSize(const std::vector<unsigned char>& d, Size* size) {
  auto be16 = [&](std::size_t i) { return (d[i] << 8) | d[i + 1]; };
  auto be32 = [&](std::size_t i) {
    return (static_cast<unsigned>(d[i]) << 24) | (d[i + 1] << 16) | (d[i + 2] << 8) | d[i + 3];
  };
  static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (d.size() >= 24 && std::equal(kPng, kPng + 8, d.begin()) && d[12] == 'I' && d[13] == 'H' && d[14] == 'D' &&
      d[15] == 'R') {
    *size = Size(static_cast<float>(be32(16)), static_cast<float>(be32(20)));
    return true;
  }
  if (d.size() >= 4 && d[0] == 0xFF && d[1] == 0xD8) {
    std::size_t i = 2;
    while (i + 9 < d.size()) {
      if (d[i] != 0xFF) return false;
      unsigned marker = d[i + 1];
      if (marker == 0xFF) { ++i; continue; }
      std::size_t len = static_cast<std::size_t>(be16(i + 2));
      bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
      if (sof) {
        *size = Size(static_cast<float>(be16(i + 7)), static_cast<float>(be16(i + 5)));
        return true;
      }
      if (len < 2) return false;
      i += 2 + len;
    }
  }
  return false;
}

namespace {
TextureCache* g_textureCache = nullptr;
SpriteFrameCache* g_frameCache = nullptr;
}  // namespace

TextureCache* TextureCache::getInstance() {
  if (!g_textureCache) g_textureCache = new TextureCache();
  return g_textureCache;
}

void TextureCache::destroyInstance() {
  if (g_textureCache) g_textureCache->removeAllTextures();
  delete g_textureCache;
  g_textureCache = nullptr;
}

Texture2D* TextureCache::addImage(const std::string& path) {
  if (path.empty()) return nullptr;
  const std::string key = FileUtils::normalizePath(path);
  if (Texture2D* t = getTextureForKey(key)) return t;
  Size size;
  std::string full = FileUtils::getInstance()->fullPathForFilename(key);
  if (!full.empty()) {
    if (!ReadImageSize(FileUtils::getInstance()->getDataFromFile(full), &size)) {
      log("TextureCache: %s is not a PNG or JPEG image", full.c_str());
      return nullptr;
    }
  } else if (!SpriteFrameCache::getInstance()->manifestImageSize(key, &size)) {
    return nullptr;
  }
  Texture2D* t = Texture2D::create(key, size);
  t->retain();
  _textures[key] = t;
  return t;
}

Texture2D* TextureCache::getTextureForKey(const std::string& path) const {
  auto it = _textures.find(FileUtils::normalizePath(path));
  return it == _textures.end() ? nullptr : it->second;
}

void TextureCache::removeAllTextures() {
  for (auto& [k, t] : _textures) t->release();
  _textures.clear();
}

// ---------------------------------------------------------------- frames

SpriteFrame* SpriteFrame::create(const std::string& textureFile, const Rect& rect) {
  return create(textureFile, rect, false, Vec2::ZERO, rect.size);
}

SpriteFrame* SpriteFrame::createWithTexture(Texture2D* texture, const Rect& rect) {
  SpriteFrame* f = create(texture ? texture->getPath() : "", rect);
  if (texture) {
    texture->retain();
    f->_texture = texture;
  }
  return f;
}

SpriteFrame* SpriteFrame::create(const std::string& textureFile, const Rect& rect, bool rotated, const Vec2& offset,
                                 const Size& originalSize) {
  auto* f = new SpriteFrame();
  f->_textureFile = textureFile;
  f->_rect = rect;
  f->_rotated = rotated;
  f->_offset = offset;
  f->_originalSize = originalSize;
  f->autorelease();
  return f;
}

SpriteFrame::~SpriteFrame() { CC_SAFE_RELEASE(_texture); }

SpriteFrameCache* SpriteFrameCache::getInstance() {
  if (!g_frameCache) g_frameCache = new SpriteFrameCache();
  return g_frameCache;
}

void SpriteFrameCache::destroyInstance() {
  delete g_frameCache;
  g_frameCache = nullptr;
}

SpriteFrameCache::~SpriteFrameCache() { removeSpriteFrames(); }

void SpriteFrameCache::addSpriteFrame(SpriteFrame* frame, const std::string& name) {
  if (!frame || name.empty()) return;
  frame->retain();
  auto it = _frames.find(name);
  if (it != _frames.end()) it->second->release();
  if (frame->getName().empty()) frame->setName(name);
  _frames[name] = frame;
}

SpriteFrame* SpriteFrameCache::getSpriteFrameByName(const std::string& name) {
  ddz::os::AppendBounded(_requested, name);
  auto it = _frames.find(name);
  return it == _frames.end() ? nullptr : it->second;
}

void SpriteFrameCache::removeSpriteFrameByName(const std::string& name) {
  auto it = _frames.find(name);
  if (it == _frames.end()) return;
  it->second->release();
  _frames.erase(it);
}

void SpriteFrameCache::removeSpriteFramesFromFile(const std::string& plist) {
  const std::string key = FileUtils::normalizePath(plist);
  for (const std::string& name : _framesOfSheet[key]) removeSpriteFrameByName(name);
  _framesOfSheet.erase(key);
  _loadedSheets.erase(std::remove(_loadedSheets.begin(), _loadedSheets.end(), key), _loadedSheets.end());
}

void SpriteFrameCache::removeSpriteFrames() {
  for (auto& [name, f] : _frames) f->release();
  _frames.clear();
  _framesOfSheet.clear();
  _loadedSheets.clear();
}

bool SpriteFrameCache::isSpriteFramesWithFileLoaded(const std::string& plist) const {
  const std::string key = FileUtils::normalizePath(plist);
  return std::find(_loadedSheets.begin(), _loadedSheets.end(), key) != _loadedSheets.end();
}

void SpriteFrameCache::addSpriteFramesWithFile(const std::string& plist) {
  const std::string key = FileUtils::normalizePath(plist);
  if (isSpriteFramesWithFileLoaded(key)) return;
  const std::string full = FileUtils::getInstance()->fullPathForFilename(key);
  bool ok = !full.empty() ? loadPlist(full, key) : loadFromManifest(key);
  if (ok)
    _loadedSheets.push_back(key);
  else if (full.empty())
    log("SpriteFrameCache: no sheet and no manifest entry for %s", key.c_str());
}

// ---- property lists ----

namespace {

struct PValue {
  enum class Kind { Null, Dict, Array, String, Number, Bool } kind = Kind::Null;
  std::string str;
  double num = 0;
  bool flag = false;
  std::map<std::string, PValue> dict;
  std::vector<PValue> arr;

  const PValue* get(const std::string& k) const {
    auto it = dict.find(k);
    return it == dict.end() ? nullptr : &it->second;
  }
  double number(const std::string& k, double def = 0) const {
    const PValue* v = get(k);
    if (!v) return def;
    if (v->kind == Kind::Number) return v->num;
    if (v->kind == Kind::String) return std::atof(v->str.c_str());
    return def;
  }
  std::string string(const std::string& k) const {
    const PValue* v = get(k);
    return v && v->kind == Kind::String ? v->str : "";
  }
  bool boolean(const std::string& k) const {
    const PValue* v = get(k);
    return v && v->kind == Kind::Bool && v->flag;
  }
};

PValue ParseValue(const tinyxml2::XMLElement* e) {
  PValue v;
  const std::string tag = e->Name();
  if (tag == "dict") {
    v.kind = PValue::Kind::Dict;
    for (const tinyxml2::XMLElement* c = e->FirstChildElement(); c; c = c->NextSiblingElement()) {
      if (std::string(c->Name()) != "key") continue;
      const tinyxml2::XMLElement* val = c->NextSiblingElement();
      if (!val) break;
      v.dict[c->GetText() ? c->GetText() : ""] = ParseValue(val);
      c = val;
    }
  } else if (tag == "array") {
    v.kind = PValue::Kind::Array;
    for (const tinyxml2::XMLElement* c = e->FirstChildElement(); c; c = c->NextSiblingElement())
      v.arr.push_back(ParseValue(c));
  } else if (tag == "string") {
    v.kind = PValue::Kind::String;
    v.str = e->GetText() ? e->GetText() : "";
  } else if (tag == "integer" || tag == "real") {
    v.kind = PValue::Kind::Number;
    v.num = e->GetText() ? std::atof(e->GetText()) : 0;
  } else if (tag == "true" || tag == "false") {
    v.kind = PValue::Kind::Bool;
    v.flag = tag == "true";
  }
  return v;
}

// The numbers of "{{x,y},{w,h}}" or "{x,y}".
std::vector<float> Numbers(const std::string& s) {
  std::vector<float> out;
  std::string cur;
  for (char c : s) {
    if ((c >= '0' && c <= '9') || c == '-' || c == '.' || c == 'e' || c == '+') {
      cur += c;
    } else if (!cur.empty()) {
      out.push_back(static_cast<float>(std::atof(cur.c_str())));
      cur.clear();
    }
  }
  if (!cur.empty()) out.push_back(static_cast<float>(std::atof(cur.c_str())));
  return out;
}

Rect RectFromString(const std::string& s) {
  std::vector<float> n = Numbers(s);
  return n.size() >= 4 ? Rect(n[0], n[1], n[2], n[3]) : Rect::ZERO;
}

Vec2 PointFromString(const std::string& s) {
  std::vector<float> n = Numbers(s);
  return n.size() >= 2 ? Vec2(n[0], n[1]) : Vec2::ZERO;
}

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace

bool SpriteFrameCache::loadPlist(const std::string& fullPath, const std::string& plist) {
  tinyxml2::XMLDocument doc;
  if (doc.LoadFile(fullPath.c_str()) != tinyxml2::XML_SUCCESS) {
    log("SpriteFrameCache: cannot read %s (%s)", fullPath.c_str(), doc.ErrorStr());
    return false;
  }
  const tinyxml2::XMLElement* root = doc.FirstChildElement("plist");
  const tinyxml2::XMLElement* top = root ? root->FirstChildElement("dict") : nullptr;
  if (!top) {
    log("SpriteFrameCache: %s is not a property list", fullPath.c_str());
    return false;
  }
  const PValue dict = ParseValue(top);
  const PValue* frames = dict.get("frames");
  if (!frames || frames->kind != PValue::Kind::Dict) {
    log("SpriteFrameCache: %s has no frames", fullPath.c_str());
    return false;
  }
  int format = 0;
  std::string texture;
  if (const PValue* meta = dict.get("metadata")) {
    // Range-checked before the conversion: a wild number in a file must not reach an int cast.
    const double declared = meta->number("format");
    format = (declared >= 0 && declared <= 3) ? static_cast<int>(declared) : -1;
    texture = meta->string("realTextureFileName");
    if (texture.empty()) texture = meta->string("textureFileName");
  }
  if (format < 0 || format > 3) {
    log("SpriteFrameCache: %s has unknown format %d", fullPath.c_str(), format);
    return false;
  }
  if (texture.empty()) {
    texture = fullPath;
    auto dot = texture.find_last_of('.');
    texture = (dot == std::string::npos ? texture : texture.substr(0, dot)) + ".png";
  } else {
    texture = FolderOf(fullPath) + texture;
  }

  for (const auto& [name, f] : frames->dict) {
    if (f.kind != PValue::Kind::Dict) continue;
    Rect rect;
    Vec2 offset;
    Size original;
    bool rotated = false;
    std::vector<std::string> aliases;
    if (format == 0) {
      rect = Rect(static_cast<float>(f.number("x")), static_cast<float>(f.number("y")),
                  static_cast<float>(f.number("width")), static_cast<float>(f.number("height")));
      offset = Vec2(static_cast<float>(f.number("offsetX")), static_cast<float>(f.number("offsetY")));
      original = Size(static_cast<float>(std::abs(f.number("originalWidth", rect.size.width))),
                      static_cast<float>(std::abs(f.number("originalHeight", rect.size.height))));
    } else if (format == 1 || format == 2) {
      rect = RectFromString(f.string("frame"));
      rotated = format == 2 && f.boolean("rotated");
      offset = PointFromString(f.string("offset"));
      Vec2 s = PointFromString(f.string("sourceSize"));
      original = Size(s.x, s.y);
    } else {
      Vec2 size = PointFromString(f.string("spriteSize"));
      Vec2 at = PointFromString(f.string("textureRect"));
      rect = Rect(at.x, at.y, size.x, size.y);
      rotated = f.boolean("textureRotated");
      offset = PointFromString(f.string("spriteOffset"));
      Vec2 s = PointFromString(f.string("spriteSourceSize"));
      original = Size(s.x, s.y);
      if (const PValue* a = f.get("aliases"))
        for (const PValue& alias : a->arr)
          if (alias.kind == PValue::Kind::String) aliases.push_back(alias.str);
    }
    if (original.width <= 0 || original.height <= 0) original = rect.size;
    SpriteFrame* frame = SpriteFrame::create(texture, rect, rotated, offset, original);
    frame->setName(name);
    addSpriteFrame(frame, name);
    _framesOfSheet[plist].push_back(name);
    for (const std::string& alias : aliases) {
      addSpriteFrame(frame, alias);
      _framesOfSheet[plist].push_back(alias);
    }
  }
  return true;
}

void SpriteFrameCache::setManifestFile(const std::string& file) {
  _manifestFile = file;
  _manifestRead = false;
  _manifest.clear();
}

void SpriteFrameCache::ensureManifest() {
  if (_manifestRead) return;
  _manifestRead = true;
  const std::string full = FileUtils::getInstance()->fullPathForFilename(_manifestFile);
  if (full.empty()) return;
  std::istringstream in(FileUtils::getInstance()->getStringFromFile(full));
  std::string line, section;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
    if (line.front() == '[' && line.back() == ']') {
      section = FileUtils::normalizePath(line.substr(1, line.size() - 2));
      _manifest[section];  // a sheet listed without frames is known, and empty
      continue;
    }
    // "<name> <width> <height>": the name may hold spaces; the sizes are the last two fields.
    auto h = line.find_last_of(" \t");
    auto w = h == std::string::npos ? std::string::npos : line.find_last_of(" \t", line.find_last_not_of(" \t", h));
    char* end1 = nullptr;
    char* end2 = nullptr;
    if (section.empty() || w == std::string::npos) {
      log("frame manifest %s:%d: malformed line skipped", _manifestFile.c_str(), lineNo);
      continue;
    }
    std::string name = line.substr(0, line.find_last_not_of(" \t", w) + 1);
    std::string ws = line.substr(w + 1, line.find_last_not_of(" \t", h) - w);
    std::string hs = line.substr(h + 1);
    double width = std::strtod(ws.c_str(), &end1), height = std::strtod(hs.c_str(), &end2);
    if (name.empty() || *end1 != '\0' || *end2 != '\0' || width < 0 || height < 0) {
      log("frame manifest %s:%d: malformed line skipped", _manifestFile.c_str(), lineNo);
      continue;
    }
    _manifest[section].emplace_back(name, Size(static_cast<float>(width), static_cast<float>(height)));
  }
}

bool SpriteFrameCache::loadFromManifest(const std::string& plist) {
  ensureManifest();
  auto it = _manifest.find(plist);
  if (it == _manifest.end()) return false;
  for (const auto& [name, size] : it->second) {
    SpriteFrame* frame = SpriteFrame::create("", Rect(0, 0, size.width, size.height));
    frame->setName(name);
    addSpriteFrame(frame, name);
    _framesOfSheet[plist].push_back(name);
  }
  return true;
}

bool SpriteFrameCache::manifestImageSize(const std::string& file, Size* size) {
  ensureManifest();
  auto it = _manifest.find("images");
  if (it == _manifest.end()) return false;
  for (const auto& [name, s] : it->second) {
    if (name == file) {
      *size = s;
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- Sprite

Sprite::Sprite() { _anchorPoint = Vec2(0.5f, 0.5f); }

Sprite::~Sprite() {
  CC_SAFE_RELEASE(_frame);
  CC_SAFE_RELEASE(_texture);
}

namespace {
template <class Init>
Sprite* MakeSprite(Init init) {
  auto* s = new (std::nothrow) Sprite();
  if (s && init(s)) {
    s->autorelease();
    return s;
  }
  delete s;
  return nullptr;
}
}  // namespace

Sprite* Sprite::create() {
  return MakeSprite([](Sprite* s) { return s->init(); });
}
Sprite* Sprite::create(const std::string& filename) {
  return MakeSprite([&](Sprite* s) { return s->initWithFile(filename); });
}
Sprite* Sprite::createWithTexture(Texture2D* texture) {
  return MakeSprite([&](Sprite* s) { return s->initWithTexture(texture); });
}
Sprite* Sprite::createWithSpriteFrame(SpriteFrame* frame) {
  return MakeSprite([&](Sprite* s) { return s->initWithSpriteFrame(frame); });
}
Sprite* Sprite::createWithSpriteFrameName(const std::string& name) {
  return MakeSprite([&](Sprite* s) { return s->initWithSpriteFrameName(name); });
}

bool Sprite::init() { return Node::init(); }

bool Sprite::initWithFile(const std::string& filename) {
  Texture2D* t = TextureCache::getInstance()->addImage(filename);
  if (!t) {
    log("Sprite: image %s not found", filename.c_str());
    return false;
  }
  return initWithTexture(t);
}

bool Sprite::initWithTexture(Texture2D* texture) {
  if (!texture || !init()) return false;
  setTexture(texture);
  setTextureRect(Rect(Vec2::ZERO, texture->getContentSize()));
  return true;
}

bool Sprite::initWithSpriteFrame(SpriteFrame* frame) {
  if (!frame || !init()) return false;
  setSpriteFrame(frame);
  return true;
}

bool Sprite::initWithSpriteFrameName(const std::string& name) {
  return initWithSpriteFrame(SpriteFrameCache::getInstance()->getSpriteFrameByName(name));
}

void Sprite::setSpriteFrame(SpriteFrame* frame) {
  if (!frame) return;
  frame->retain();
  CC_SAFE_RELEASE(_frame);
  _frame = frame;
  _rect = frame->getRect();
  setContentSize(frame->getOriginalSize());
}

void Sprite::setSpriteFrame(const std::string& name) {
  SpriteFrame* f = SpriteFrameCache::getInstance()->getSpriteFrameByName(name);
  if (!f) {
    log("Sprite: frame %s not found", name.c_str());
    return;
  }
  setSpriteFrame(f);
}

void Sprite::setTexture(const std::string& filename) { setTexture(TextureCache::getInstance()->addImage(filename)); }

void Sprite::setTexture(Texture2D* texture) {
  if (texture == _texture) return;
  CC_SAFE_RETAIN(texture);
  CC_SAFE_RELEASE(_texture);
  _texture = texture;
  CC_SAFE_RELEASE_NULL(_frame);
}

void Sprite::setTextureRect(const Rect& rect) {
  _rect = rect;
  setContentSize(rect.size);
}

const std::string& Sprite::getDisplayName() const {
  static const std::string none;
  if (_frame) return _frame->getName();
  if (_texture) return _texture->getPath();
  return none;
}

void Sprite::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  if (!_frame && !_texture) return;  // an empty sprite draws nothing
  DrawCommand& c =
      NextDrawCommand(this, transform, _contentSize, getDisplayedOpacity(), getDisplayedColor(), getDisplayName());
  describeImage(&c);
  renderer->submit(c);
}

void Sprite::describeImage(DrawCommand* c) const {
  c->kind = DrawKind::Image;
  c->textureRect = _rect;
  c->flippedX = _flippedX;
  c->flippedY = _flippedY;
  c->blend = _blendFunc;
  if (_frame) {
    c->texture = _frame->getTextureFile();
    c->rotated = _frame->isRotated();
    // A trimmed frame: the stored part sits in the original rectangle, moved by the offset.
    const Size& original = _frame->getOriginalSize();
    const Size& part = _rect.size;
    const float scaleX = original.width > 0 ? _contentSize.width / original.width : 1;
    const float scaleY = original.height > 0 ? _contentSize.height / original.height : 1;
    const Vec2 at((original.width - part.width) / 2 + _frame->getOffset().x,
                  (original.height - part.height) / 2 + _frame->getOffset().y);
    c->quad = Rect(at.x * scaleX, at.y * scaleY, part.width * scaleX, part.height * scaleY);
  } else {
    if (_texture) c->texture = _texture->getPath();
    else c->texture.clear();
    c->quad = Rect(0, 0, _contentSize.width, _contentSize.height);
  }
}

// ---------------------------------------------------------------- Animation

Animation* Animation::create() {
  auto* a = new Animation();
  a->autorelease();
  return a;
}

Animation* Animation::createWithSpriteFrames(const Vector<SpriteFrame*>& frames, float delayPerUnit,
                                             unsigned int loops) {
  Animation* a = create();
  for (SpriteFrame* f : frames) a->addSpriteFrame(f);
  a->_delayPerUnit = delayPerUnit;
  a->_loops = loops;
  return a;
}

void Animation::addSpriteFrame(SpriteFrame* frame) {
  if (frame) _frames.pushBack(frame);
}

void Animation::addSpriteFrameWithName(const std::string& name) {
  addSpriteFrame(SpriteFrameCache::getInstance()->getSpriteFrameByName(name));
}

Animate* Animate::create(Animation* animation) {
  if (!animation) return nullptr;
  auto* a = new Animate();
  animation->retain();
  a->_animation = animation;
  a->initWithDuration(animation->getDuration());
  a->autorelease();
  return a;
}

Animate::~Animate() {
  CC_SAFE_RELEASE(_animation);
  CC_SAFE_RELEASE(_origFrame);
}

void Animate::startWithTarget(Node* target) {
  ActionInterval::startWithTarget(target);
  CC_SAFE_RELEASE_NULL(_origFrame);
  if (auto* sprite = dynamic_cast<Sprite*>(target)) {
    _origFrame = sprite->getSpriteFrame();
    CC_SAFE_RETAIN(_origFrame);
  }
  _shownIndex = -1;
}

void Animate::stop() {
  if (_animation->getRestoreOriginalFrame() && _origFrame)
    if (auto* sprite = dynamic_cast<Sprite*>(_target)) sprite->setSpriteFrame(_origFrame);
  ActionInterval::stop();
}

void Animate::update(float t) {
  auto* sprite = dynamic_cast<Sprite*>(_target);
  const auto& frames = _animation->getFrames();
  const int n = static_cast<int>(frames.size());
  if (!sprite || n == 0) return;
  int index = n - 1;
  if (t < 1.0f) {
    float within = std::fmod(t * static_cast<float>(_animation->getLoops()), 1.0f);
    index = std::min(n - 1, static_cast<int>(within * static_cast<float>(n)));
  }
  if (index != _shownIndex) {
    _shownIndex = index;
    sprite->setSpriteFrame(frames.at(static_cast<std::size_t>(index)));
  }
}

}  // namespace cocos2d
