#include "platform/window/SdlDevice.h"

#include <SDL_image.h>

#include <cmath>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/window/FontLookup.h"

namespace ddz::window {

namespace {
constexpr std::size_t kMaxCachedTexts = 512;
}

// ---------------------------------------------------------------- fonts

FontCache::FontCache() {
  _ttfStarted = TTF_WasInit() > 0 || TTF_Init() == 0;
  if (!_ttfStarted) cocos2d::log("SDL_ttf does not start: %s", TTF_GetError());
}

FontCache::~FontCache() {
  for (auto& [key, f] : _fonts)
    if (f) TTF_CloseFont(f);
  if (_ttfStarted) TTF_Quit();
}

TTF_Font* FontCache::font(const std::string& family, int pixelSize) {
  if (!_ttfStarted) return nullptr;
  auto file = _files.find(family);
  if (file == _files.end()) {
    file = _files.emplace(family, FindFontFile(family)).first;
    if (file->second.empty()) cocos2d::log("no font for [%s]: fontconfig found none", family.c_str());
  }
  if (file->second.empty()) return nullptr;
  pixelSize = std::max(pixelSize, 1);
  const auto key = std::make_pair(file->second, pixelSize);
  auto it = _fonts.find(key);
  if (it != _fonts.end()) return it->second;
  TTF_Font* f = TTF_OpenFont(file->second.c_str(), pixelSize);
  if (!f) {
    cocos2d::log("font %s does not open: %s", file->second.c_str(), TTF_GetError());
  } else {
    TTF_SetFontKerning(f, 0);  // drawn widths then match the measured advances
  }
  _fonts[key] = f;
  return f;
}

float FontCache::advance(char32_t codepoint, const std::string& family, float fontSize) {
  const int px = std::max(1, static_cast<int>(std::lround(fontSize)));
  const std::string key = family + '|' + std::to_string(px) + '|' + std::to_string(static_cast<unsigned>(codepoint));
  auto it = _advances.find(key);
  if (it != _advances.end()) return it->second;
  float result = cocos2d::FixedTextMeasurer().advance(codepoint, family, fontSize);
  if (TTF_Font* f = font(family, px)) {
    int adv = 0;
    if (TTF_GlyphMetrics32(f, static_cast<Uint32>(codepoint), nullptr, nullptr, nullptr, nullptr, &adv) == 0)
      result = static_cast<float>(adv) * fontSize / static_cast<float>(px);
  }
  return _advances[key] = result;
}

float FontCache::lineHeight(const std::string& family, float fontSize) {
  return cocos2d::FixedTextMeasurer().lineHeight(family, fontSize);
}

// ---------------------------------------------------------------- device

std::shared_ptr<SdlDevice> SdlDevice::open(const std::string& title, int width, int height, bool hidden) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    cocos2d::log("no window: SDL video does not start (%s)", SDL_GetError());
    return nullptr;
  }
  std::shared_ptr<SdlDevice> device(new SdlDevice());
  const Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | (hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
  device->_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (!device->_window) {
    cocos2d::log("no window: %s", SDL_GetError());
    return nullptr;
  }
  device->_renderer = SDL_CreateRenderer(device->_window, -1, 0);
  if (!device->_renderer) device->_renderer = SDL_CreateRenderer(device->_window, -1, SDL_RENDERER_SOFTWARE);
  if (!device->_renderer) {
    cocos2d::log("no renderer for the window: %s", SDL_GetError());
    return nullptr;
  }
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(device->_renderer, &info);
  cocos2d::log("window %dx%d, SDL video driver %s, renderer %s", width, height, SDL_GetCurrentVideoDriver(),
               info.name ? info.name : "?");
  return device;
}

SdlDevice::~SdlDevice() {
  for (auto& [k, t] : _images) SDL_DestroyTexture(t.texture);
  for (auto& [k, t] : _texts) SDL_DestroyTexture(t.texture);
  if (_renderer) SDL_DestroyRenderer(_renderer);
  if (_window) SDL_DestroyWindow(_window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

const LoadedTexture* SdlDevice::image(const std::string& path) {
  if (path.empty()) return nullptr;
  auto it = _images.find(path);
  if (it != _images.end()) return &it->second;
  if (_missingImages.count(path)) return nullptr;
  const std::string full =
      path.front() == '/' ? path : cocos2d::FileUtils::getInstance()->fullPathForFilename(path);
  SDL_Surface* surface = full.empty() ? nullptr : IMG_Load(full.c_str());
  SDL_Texture* texture = surface ? SDL_CreateTextureFromSurface(_renderer, surface) : nullptr;
  if (!texture) {
    cocos2d::log("window: image %s not drawn (%s)", path.c_str(), full.empty() ? "not found" : IMG_GetError());
    if (surface) SDL_FreeSurface(surface);
    _missingImages.insert(path);
    return nullptr;
  }
  LoadedTexture loaded{texture, surface->w, surface->h};
  SDL_FreeSurface(surface);
  return &(_images[path] = loaded);
}

const LoadedTexture* SdlDevice::text(const std::string& family, int pixelSize, const std::string& line) {
  const std::string key = family + '|' + std::to_string(pixelSize) + '|' + line;
  auto it = _texts.find(key);
  if (it != _texts.end()) return &it->second;
  TTF_Font* f = _fonts.font(family, pixelSize);
  if (!f || line.empty()) return nullptr;
  SDL_Surface* surface = TTF_RenderUTF8_Blended(f, line.c_str(), SDL_Color{255, 255, 255, 255});
  if (!surface) return nullptr;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(_renderer, surface);
  LoadedTexture loaded{texture, surface->w, surface->h};
  SDL_FreeSurface(surface);
  if (!texture) return nullptr;
  if (_texts.size() >= kMaxCachedTexts) {
    for (auto& [k, t] : _texts) SDL_DestroyTexture(t.texture);
    _texts.clear();
  }
  return &(_texts[key] = loaded);
}

}  // namespace ddz::window
