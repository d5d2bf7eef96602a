#include "platform/engine/Label.h"

#include <algorithm>

#include "platform/engine/Renderer.h"

namespace cocos2d {

std::vector<std::pair<char32_t, std::string>> SplitUtf8(const std::string& text) {
  std::vector<std::pair<char32_t, std::string>> out;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    unsigned char c = s[i];
    std::size_t len = 0;
    char32_t cp = 0;
    if (c < 0x80) {
      len = 1;
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
      cp = c & 0x07;
    }
    bool ok = len > 0 && i + len <= n;
    for (std::size_t k = 1; ok && k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (ok && len > 1 && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000)))
      ok = false;  // overlong
    if (!ok) {
      out.emplace_back(0xFFFD, text.substr(i, 1));
      ++i;
      continue;
    }
    out.emplace_back(cp, text.substr(i, len));
    i += len;
  }
  return out;
}

// ---------------------------------------------------------------- Label

Label::Label() { _anchorPoint = Vec2(0.5f, 0.5f); }

Label* Label::create() {
  auto* l = new Label();
  l->autorelease();
  return l;
}

Label* Label::createWithSystemFont(const std::string& text, const std::string& font, float fontSize,
                                   const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment) {
  auto* l = new Label();
  l->_fontName = font;
  l->_fontSize = fontSize;
  l->_dimensions = dimensions;
  l->_hAlignment = hAlignment;
  l->_vAlignment = vAlignment;
  l->setString(text);
  l->autorelease();
  return l;
}

Label* Label::createWithTTF(const std::string& text, const std::string& fontFile, float fontSize,
                            const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment) {
  return createWithSystemFont(text, fontFile, fontSize, dimensions, hAlignment, vAlignment);
}

Label* Label::createWithBMFont(const std::string& fntFile, const std::string& text, TextHAlignment hAlignment,
                               int maxLineWidth) {
  Label* l = createWithSystemFont(text, "", 24, Size::ZERO, hAlignment);
  l->_bmFontFile = fntFile;
  if (maxLineWidth > 0) l->setMaxLineWidth(static_cast<float>(maxLineWidth));
  return l;
}

float FixedTextMeasurer::advance(char32_t cp, const std::string&, float fontSize) {
  return cp < 0x80 || cp == 0xFFFD ? fontSize * 0.5f : fontSize;
}

float FixedTextMeasurer::lineHeight(const std::string&, float fontSize) { return fontSize * 1.25f; }

namespace {
FixedTextMeasurer g_fixedMeasurer;
TextMeasurer* g_measurer = &g_fixedMeasurer;
}  // namespace

void SetTextMeasurer(TextMeasurer* measurer) { g_measurer = measurer ? measurer : &g_fixedMeasurer; }
TextMeasurer& CurrentTextMeasurer() { return *g_measurer; }

float Label::advanceOf(char32_t cp, float fontSize) { return advanceOf(cp, "", fontSize); }
float Label::advanceOf(char32_t cp, const std::string& font, float fontSize) {
  return g_measurer->advance(cp, font, fontSize);
}
float Label::lineHeightOf(float fontSize) { return lineHeightOf("", fontSize); }
float Label::lineHeightOf(const std::string& font, float fontSize) { return g_measurer->lineHeight(font, fontSize); }

float Label::measureWidth(const std::string& utf8, float fontSize) { return measureWidth(utf8, "", fontSize); }
float Label::measureWidth(const std::string& utf8, const std::string& font, float fontSize) {
  float w = 0;
  for (const auto& [cp, bytes] : SplitUtf8(utf8)) w += advanceOf(cp, font, fontSize);
  return w;
}

void Label::setString(const std::string& text) {
  _text = text;
  relayout();
}

void Label::setSystemFontSize(float size) {
  _fontSize = size;
  relayout();
}

void Label::setDimensions(float width, float height) {
  _dimensions = Size(width, height);
  relayout();
}

void Label::setMaxLineWidth(float width) {
  _maxLineWidth = width;
  relayout();
}

void Label::setTextColor(const Color4B& color) {
  _textColor = color;
  setColor(Color3B(color.r, color.g, color.b));
}

void Label::enableShadow(const Color4B&, const Size&, int) { _shadow = true; }

void Label::relayout() {
  _lines.clear();
  const float wrap = _dimensions.width > 0 ? _dimensions.width : _maxLineWidth;
  float widest = 0;
  std::string line;
  float lineWidth = 0;
  // Position in `line` just after its last space, and the width up to there.
  std::size_t lastSpace = std::string::npos;
  auto flush = [&] {
    widest = std::max(widest, lineWidth);
    _lines.push_back(line);
    line.clear();
    lineWidth = 0;
    lastSpace = std::string::npos;
  };
  for (const auto& [cp, bytes] : SplitUtf8(_text)) {
    if (cp == '\n') {
      flush();
      continue;
    }
    const float adv = advanceOf(cp, _fontName, _fontSize);
    if (wrap > 0 && lineWidth + adv > wrap + 1e-3f && !line.empty()) {
      if (cp == ' ') {
        flush();  // a space at the break is dropped
        continue;
      }
      if (lastSpace != std::string::npos) {
        std::string rest = line.substr(lastSpace);
        line.erase(lastSpace);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lineWidth = measureWidth(line, _fontName, _fontSize);
        flush();
        line = rest;
        lineWidth = measureWidth(line, _fontName, _fontSize);
      } else {
        flush();
      }
    }
    line += bytes;
    lineWidth += adv;
    if (cp == ' ') lastSpace = line.size();
  }
  flush();
  const float textHeight = lineHeightOf(_fontName, _fontSize) * static_cast<float>(_lines.size());
  Size size(widest, textHeight);
  if (_dimensions.width > 0) size.width = _dimensions.width;
  if (_dimensions.height > 0) size.height = _dimensions.height;
  if (_text.empty() && _dimensions.width <= 0) size = Size(0, 0);
  setContentSize(size);
}

void Label::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  if (_text.empty()) return;
  DrawCommand& c =
      NextDrawCommand(this, transform, _contentSize, getDisplayedOpacity(), getDisplayedColor(), _text, DrawKind::Text);
  c.font = _fontName;
  c.fontSize = _fontSize;
  c.lineHeight = lineHeightOf(_fontName, _fontSize);
  c.lines = &_lines;
  c.hAlignment = _hAlignment;
  c.vAlignment = _vAlignment;
  renderer->submit(c);
}

// ---------------------------------------------------------------- LabelAtlas

LabelAtlas::LabelAtlas() = default;

LabelAtlas* LabelAtlas::create(const std::string& text, const std::string& charMapFile, int itemWidth,
                               int itemHeight, int startCharMap) {
  auto* l = new LabelAtlas();
  l->_charMapFile = charMapFile;
  l->_itemWidth = itemWidth;
  l->_itemHeight = itemHeight;
  l->_startChar = startCharMap;
  l->setString(text);
  l->autorelease();
  return l;
}

void LabelAtlas::setString(const std::string& text) {
  _text = text;
  setContentSize(Size(static_cast<float>(_itemWidth) * static_cast<float>(text.size()), static_cast<float>(_itemHeight)));
}

std::vector<int> LabelAtlas::getGlyphIndices() const {
  std::vector<int> out;
  for (unsigned char c : _text) out.push_back(static_cast<int>(c) - _startChar);
  return out;
}

void LabelAtlas::draw(Renderer* renderer, const Mat4& transform, std::uint32_t) {
  if (_text.empty()) return;
  DrawCommand& c =
      NextDrawCommand(this, transform, _contentSize, getDisplayedOpacity(), getDisplayedColor(), _text, DrawKind::Atlas);
  c.texture = _charMapFile;
  c.itemWidth = _itemWidth;
  c.itemHeight = _itemHeight;
  c.startChar = _startChar;
  renderer->submit(c);
}

}  // namespace cocos2d
