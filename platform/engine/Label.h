// Text nodes. Their widths come from the text measurer installed with
// SetTextMeasurer: the window backend installs one that asks the real font,
// so fitting and wrapping use the widths the player sees. Without one (the
// headless default) the metrics are fixed, so layout that depends on text
// width gives the same result on every machine and in tests.
//
// Fixed model (any font): each character advances by half the font size when
// it is ASCII and by the full font size otherwise (CJK text is full-width); a
// line is 1.25 x the font size high. Text is UTF-8; a byte that is not valid
// UTF-8 counts as one narrow character. With a dimension width (or a maximum
// line width) lines wrap: after the last space that fits, or at any character
// when a word does not fit. The content size is the widest line by the number
// of lines, or the dimensions where they are given (a height of 0 follows the
// text).
#pragma once

#include <string>
#include <vector>

#include "platform/engine/Node.h"
#include "platform/engine/Renderer.h"

namespace cocos2d {


class Label : public Node {
 public:
  static Label* create();
  static Label* createWithSystemFont(const std::string& text, const std::string& font, float fontSize,
                                     const Size& dimensions = Size::ZERO,
                                     TextHAlignment hAlignment = TextHAlignment::LEFT,
                                     TextVAlignment vAlignment = TextVAlignment::TOP);
  static Label* createWithTTF(const std::string& text, const std::string& fontFile, float fontSize,
                              const Size& dimensions = Size::ZERO,
                              TextHAlignment hAlignment = TextHAlignment::LEFT,
                              TextVAlignment vAlignment = TextVAlignment::TOP);
  // Bitmap-font text: measured with the font size given by setBMFontSize (24 by default).
  static Label* createWithBMFont(const std::string& fntFile, const std::string& text,
                                 TextHAlignment hAlignment = TextHAlignment::LEFT, int maxLineWidth = 0);

  virtual void setString(const std::string& text);
  virtual const std::string& getString() const { return _text; }
  void setSystemFontSize(float size);
  float getSystemFontSize() const { return _fontSize; }
  void setBMFontSize(float size) { setSystemFontSize(size); }
  void setSystemFontName(const std::string& font) { _fontName = font; relayout(); }
  const std::string& getSystemFontName() const { return _fontName; }
  const std::string& getBMFontFilePath() const { return _bmFontFile; }
  void setDimensions(float width, float height);
  Size getDimensions() const { return _dimensions; }
  void setWidth(float width) { setDimensions(width, _dimensions.height); }
  void setMaxLineWidth(float width);
  void setAlignment(TextHAlignment h) { _hAlignment = h; }
  void setAlignment(TextHAlignment h, TextVAlignment v) { _hAlignment = h; _vAlignment = v; }
  void setHorizontalAlignment(TextHAlignment h) { _hAlignment = h; }
  void setVerticalAlignment(TextVAlignment v) { _vAlignment = v; }
  TextHAlignment getHorizontalAlignment() const { return _hAlignment; }
  TextVAlignment getVerticalAlignment() const { return _vAlignment; }
  void setTextColor(const Color4B& color);
  const Color4B& getTextColor() const { return _textColor; }
  void enableOutline(const Color4B& color, int size = -1) { _outlineColor = color; _outlineSize = size; }
  int getOutlineSize() const { return _outlineSize; }
  void enableShadow(const Color4B& color = Color4B::BLACK, const Size& offset = Size(2, -2), int blur = 0);
  void enableBold() { _bold = true; }
  void disableEffect() { _outlineSize = 0; _shadow = false; _bold = false; }
  // The wrapped lines as they would be drawn.
  const std::vector<std::string>& getLines() const { return _lines; }
  int getStringNumLines() const { return static_cast<int>(_lines.size()); }

  // The advance of one character and the height of one line, from the
  // installed measurer (the default font when none is named).
  static float advanceOf(char32_t codepoint, float fontSize);
  static float advanceOf(char32_t codepoint, const std::string& font, float fontSize);
  static float lineHeightOf(float fontSize);
  static float lineHeightOf(const std::string& font, float fontSize);
  static float measureWidth(const std::string& utf8, float fontSize);
  static float measureWidth(const std::string& utf8, const std::string& font, float fontSize);

  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 protected:
  Label();
  void relayout();

  std::string _text;
  std::string _fontName;
  std::string _bmFontFile;
  float _fontSize = 12;
  Size _dimensions;
  float _maxLineWidth = 0;
  TextHAlignment _hAlignment = TextHAlignment::LEFT;
  TextVAlignment _vAlignment = TextVAlignment::TOP;
  Color4B _textColor = Color4B::WHITE;
  Color4B _outlineColor;
  int _outlineSize = 0;
  bool _shadow = false;
  bool _bold = false;
  std::vector<std::string> _lines;
};

// Measures text for labels. An empty font name means the program's default font.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual float advance(char32_t codepoint, const std::string& font, float fontSize) = 0;
  virtual float lineHeight(const std::string& font, float fontSize) = 0;
};

// The fixed model described above.
class FixedTextMeasurer : public TextMeasurer {
 public:
  float advance(char32_t codepoint, const std::string& font, float fontSize) override;
  float lineHeight(const std::string& font, float fontSize) override;
};

// Installs the measurer labels use from now on (not owned; it must outlive its
// use). Null restores the fixed model. Labels made earlier keep their layout
// until their text or size changes.
void SetTextMeasurer(TextMeasurer* measurer);
TextMeasurer& CurrentTextMeasurer();

// Digits drawn from a character map image: glyph i is the character
// startChar + i, each itemWidth x itemHeight. The content size is the number
// of characters times the item size.
class LabelAtlas : public Node {
 public:
  static LabelAtlas* create(const std::string& text, const std::string& charMapFile, int itemWidth, int itemHeight,
                            int startCharMap);
  virtual void setString(const std::string& text);
  virtual const std::string& getString() const { return _text; }
  const std::string& getCharMapFile() const { return _charMapFile; }
  // The glyph index of each character (negative: before the map's first glyph).
  std::vector<int> getGlyphIndices() const;
  void draw(Renderer* renderer, const Mat4& transform, std::uint32_t flags) override;

 protected:
  LabelAtlas();
  std::string _text;
  std::string _charMapFile;
  int _itemWidth = 0, _itemHeight = 0, _startChar = 0;
};

// Splits UTF-8 text into code points; an invalid byte becomes U+FFFD and
// counts as one narrow character (see Label).
std::vector<std::pair<char32_t, std::string>> SplitUtf8(const std::string& text);

}  // namespace cocos2d
