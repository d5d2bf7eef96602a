// A stage with a real window: SDL's offscreen video driver and the software
// renderer, so no display is needed. The placeholder art of the build tree
// is in the search paths; the design size is 1280 x 720 on a window of the
// size the test asks for. Pixels are read back from what the last frame drew.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/engine/cocos2d.h"
#include "platform/window/SdlRenderer.h"
#include "platform/window/SdlWindow.h"
#include "support/Stage.h"

namespace windowtest {

struct Pixel {
  int r = 0, g = 0, b = 0;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ::setenv("SDL_RENDER_DRIVER", "software", 1);
    stage = ddz::test::ResetStage();
    director = stage.director;
    scene = stage.scene;
    cocos2d::FileUtils::getInstance()->setSearchPaths({DDZ_ART_DIR});
    cocos2d::SpriteFrameCache::getInstance()->removeSpriteFrames();
  }
  void TearDown() override {
    director->reset();
    cocos2d::SpriteFrameCache::getInstance()->removeSpriteFrames();
    cocos2d::FileUtils::getInstance()->setSearchPaths({});
  }

  // Opens the window (hidden) and makes it the director's view and renderer.
  void openWindow(int width, int height) {
    view = ddz::window::SdlWindow::create({"test", cocos2d::Size(width, height), true});
    ASSERT_NE(view, nullptr) << "the offscreen driver gives no window";
    view->install();
    view->setDesignResolutionSize(1280, 720, cocos2d::ResolutionPolicy::SHOW_ALL);
    frame();  // the renderer knows the design mapping from the first frame on
  }

  void frame() { director->mainLoop(1.0f / 60); }

  // The pixel the last frame drew at a design point.
  Pixel pixelAt(const cocos2d::Vec2& design) {
    const SDL_FPoint p = view->renderer()->toPixels(design);
    return pixelAtWindow(static_cast<int>(p.x), static_cast<int>(p.y));
  }
  Pixel pixelAtWindow(int x, int y) {
    Uint8 rgba[4] = {0, 0, 0, 0};
    const SDL_Rect one{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(view->device().renderer(), &one, SDL_PIXELFORMAT_RGBA32, rgba, 4), 0);
    return {rgba[0], rgba[1], rgba[2]};
  }

  ddz::test::Stage stage;
  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  ddz::window::SdlWindow* view = nullptr;  // held by the director
};

inline bool Near(const Pixel& a, const Pixel& b, int tolerance = 12) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

inline std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "(" << p.r << "," << p.g << "," << p.b << ")";
}

}  // namespace windowtest
