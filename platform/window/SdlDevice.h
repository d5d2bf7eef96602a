// The SDL objects of one window, shared by the window view and its renderer:
// the SDL window, its SDL renderer, the images loaded as textures and the
// fonts with their rendered texts. Whichever of the two goes last destroys
// them, so the director may drop its renderer and its view in either order.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "platform/engine/Label.h"

namespace ddz::window {

struct LoadedTexture {
  SDL_Texture* texture = nullptr;  // owned
  int width = 0, height = 0;
};

// Fonts by family name and pixel size (through fontconfig), and the label
// measurer on them: real advances, the fixed model's line height.
class FontCache : public cocos2d::TextMeasurer {
 public:
  FontCache();
  ~FontCache() override;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // Null when no font file is found or it does not open (logged once).
  TTF_Font* font(const std::string& family, int pixelSize);
  float advance(char32_t codepoint, const std::string& font, float fontSize) override;
  float lineHeight(const std::string& font, float fontSize) override;

 private:
  std::map<std::pair<std::string, int>, TTF_Font*> _fonts;  // by file and size; owned
  std::map<std::string, std::string> _files;                  // family -> file
  std::unordered_map<std::string, float> _advances;           // "file|size|codepoint"
  bool _ttfStarted = false;
};

class SdlDevice {
 public:
  // Opens the SDL window and its renderer; null (logged) when SDL cannot.
  // `hidden`: the window is not shown (tests).
  static std::shared_ptr<SdlDevice> open(const std::string& title, int width, int height, bool hidden);
  ~SdlDevice();
  SdlDevice(const SdlDevice&) = delete;
  SdlDevice& operator=(const SdlDevice&) = delete;

  SDL_Window* window() const { return _window; }
  SDL_Renderer* renderer() const { return _renderer; }
  FontCache& fonts() { return _fonts; }

  // An image found through the search paths (or a full path), loaded once;
  // null for a missing or unreadable image (logged once per name).
  const LoadedTexture* image(const std::string& path);
  // One line of white text in a font family at a pixel size, kept until the
  // cache grows past its bound.
  const LoadedTexture* text(const std::string& family, int pixelSize, const std::string& line);

  std::size_t cachedTexts() const { return _texts.size(); }

 private:
  SdlDevice() = default;
  SDL_Window* _window = nullptr;
  SDL_Renderer* _renderer = nullptr;
  FontCache _fonts;
  std::unordered_map<std::string, LoadedTexture> _images;
  std::set<std::string> _missingImages;
  std::unordered_map<std::string, LoadedTexture> _texts;
};

}  // namespace ddz::window
