// The window's renderer: draws the engine's draw commands with SDL2, in the
// order they arrive (the engine's draw order). Design coordinates (GL, y up)
// map to the window's pixels through the view's design resolution: the
// design area is scaled to the window and centred, the rest stays black.
//
// Images are drawn as two textured triangles, so any transform of a node
// (scale, rotation, skew) is drawn as it is; colour and opacity tint the
// vertices. Clipping is the pixel rectangle around a clip's world area.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/engine/Renderer.h"
#include "platform/window/SdlDevice.h"

namespace cocos2d {
class GLView;
}

namespace ddz::window {

class SdlRenderer : public cocos2d::Renderer {
 public:
  // The frame and design sizes come from the director's view at each frame.
  explicit SdlRenderer(std::shared_ptr<SdlDevice> device);

  void beginFrame() override;
  void submit(const cocos2d::DrawCommand& command) override;
  void pushClip(const cocos2d::Rect& worldRect) override;
  void popClip() override;
  void endFrame() override;
  // A frame after a resize, after requestFrame (the window was uncovered) and
  // for the screenshot at the end, even when the scene did not change.
  bool wantsFrame() const override;
  void requestFrame() { _frameWanted = true; }

  // Writes the frame drawn last (JPEG for ".jpg"/".jpeg", else PNG); false
  // (logged) when it cannot.
  bool saveScreenshot(const std::string& path);
  bool saveFrameImage(const std::string& path) override { return saveScreenshot(path); }
  // Written by the last frame before the director ends.
  void setScreenshotAtEnd(std::string path) { _screenshotAtEnd = std::move(path); }

  std::size_t commandsLastFrame() const { return _commands; }
  // Design point to window pixel (y down).
  SDL_FPoint toPixels(const cocos2d::Vec2& world) const;

 private:
  void drawImage(const cocos2d::DrawCommand& c, const LoadedTexture& tex, const cocos2d::Rect& quad,
                 const cocos2d::Rect& source, bool rotated, bool flipX, bool flipY);
  void drawColor(const cocos2d::DrawCommand& c, const cocos2d::Rect& quad, SDL_Color color);
  void drawPolygon(const cocos2d::DrawCommand& c, const std::vector<cocos2d::Vec2>& points, SDL_Color color);
  void drawText(const cocos2d::DrawCommand& c);
  void drawAtlas(const cocos2d::DrawCommand& c);
  void drawNineSlice(const cocos2d::DrawCommand& c);
  void drawShapes(const cocos2d::DrawCommand& c);
  void applyClip();

  std::shared_ptr<SdlDevice> _device;
  float _scaleX = 1, _scaleY = 1, _offsetX = 0, _offsetY = 0, _outHeight = 720;
  std::vector<SDL_Rect> _clips;
  std::size_t _commands = 0;
  std::string _screenshotAtEnd;
  SDL_Rect _drawnOutput{0, 0, 0, 0};  // output and frame size of the last frame drawn
  bool _frameWanted = true;
};

}  // namespace ddz::window
