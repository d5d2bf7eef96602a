// The nine pieces of a stretched box tile it: on the frame and in the window
// each pixel belongs to exactly one piece, whatever fractional size, place or
// scale the box has, and the corners keep their size when the box is drawn at
// its own scale.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/NineSlice.h"

namespace {

using ddz::window::NineSlicePiece;

// How often each pixel of `area` is covered by the pieces' rectangles (the
// `dest` or the `source` ones); pixels outside it count in `outside`.
struct Coverage {
  std::vector<int> counts;
  int outside = 0;
};
Coverage Cover(const std::array<NineSlicePiece, 9>& pieces, SDL_Rect area, bool dest) {
  Coverage c;
  c.counts.assign(static_cast<std::size_t>(area.w * area.h), 0);
  for (const NineSlicePiece& p : pieces) {
    const SDL_Rect& r = dest ? p.dest : p.source;
    EXPECT_GE(r.w, 0);
    EXPECT_GE(r.h, 0);
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x) {
        if (x < area.x || y < area.y || x >= area.x + area.w || y >= area.y + area.h)
          ++c.outside;
        else
          ++c.counts[static_cast<std::size_t>((y - area.y) * area.w + (x - area.x))];
      }
  }
  return c;
}

int Round(float v) { return static_cast<int>(std::lround(v)); }

TEST(NineSlice, ThePiecesTileTheFrameAndTheWindowRectangleExactlyOnce) {
  struct Case {
    const char* what;
    int frameW, frameH;
    cocos2d::Rect centre;  // zero: the middle third
    cocos2d::Size box;
    SDL_FRect dest;
  };
  const Case cases[] = {
      // A plate whose default caps are a third of 200 and 48 pixels.
      {"thirds, own scale", 200, 48, {}, {600, 116}, {340.0f, 48.0f, 600, 116}},
      {"thirds, fractional place", 200, 48, {}, {600, 116}, {339.5f, 47.25f, 600, 116}},
      {"thirds, fractional size", 140, 64, {}, {400.4f, 63.7f}, {700.2f, 468.15f, 400.4f, 63.7f}},
      {"thirds, window scaled", 200, 48, {}, {600, 116}, {226.67f, 32.0f, 400.0f, 77.33f}},
      {"given caps", 90, 90, {30.5f, 20.25f, 29.0f, 50.5f}, {333.3f, 201.7f}, {10.6f, 5.4f, 499.95f, 302.55f}},
      {"box smaller than its caps", 200, 48, {}, {101.3f, 20.6f}, {50.5f, 60.5f, 101.3f, 20.6f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto caps = ddz::window::CapsOf(c.centre, c.frameW, c.frameH);
    const auto pieces = ddz::window::NineSlicePieces(c.frameW, c.frameH, caps, c.box, c.dest);
    const SDL_Rect window{Round(c.dest.x), Round(c.dest.y), Round(c.dest.x + c.dest.w) - Round(c.dest.x),
                          Round(c.dest.y + c.dest.h) - Round(c.dest.y)};
    const SDL_Rect frame{0, 0, c.frameW, c.frameH};
    for (const auto& [area, dest] : {std::pair{window, true}, std::pair{frame, false}}) {
      SCOPED_TRACE(dest ? "window" : "frame");
      const Coverage cover = Cover(pieces, area, dest);
      EXPECT_EQ(cover.outside, 0);
      int gaps = 0, overlaps = 0;
      for (int n : cover.counts) {
        if (n == 0) ++gaps;
        if (n > 1) ++overlaps;
      }
      EXPECT_EQ(gaps, 0);
      EXPECT_EQ(overlaps, 0);
    }
  }
}

TEST(NineSlice, CornersKeepTheirWholePixelSizeAtTheBoxsOwnScale) {
  // Default caps of a 200 x 48 frame: 66.67 x 16 pixels, drawn as 67 x 16.
  const auto caps = ddz::window::CapsOf({}, 200, 48);
  for (float x : {340.0f, 339.5f, 339.25f, 874.6f}) {
    SCOPED_TRACE(std::to_string(x));
    const auto pieces = ddz::window::NineSlicePieces(200, 48, caps, {600.4f, 116}, {x, 48.3f, 600.4f, 116});
    for (std::size_t corner : {0u, 2u, 6u, 8u}) {
      EXPECT_EQ(pieces[corner].dest.w, pieces[corner].source.w);
      EXPECT_EQ(pieces[corner].dest.h, pieces[corner].source.h);
    }
    // 67 + 66 + 67 frame pixels across.
    EXPECT_EQ(pieces[0].source.w, 67);
    EXPECT_EQ(pieces[1].source.w, 66);
    EXPECT_EQ(pieces[2].source.w, 67);
  }
}

}  // namespace
