// How a nine-slice box is cut: the frame's caps keep their size (shrunk
// alike when the box is smaller than both), the middle row and column
// stretch. Every line between two pieces is computed once and shared by both,
// in whole frame pixels on the image and in whole window pixels on screen, so
// the nine pieces meet without a gap or an overlap whatever the box's size,
// place or scale.
#pragma once

#include <SDL.h>

#include <array>

#include "platform/engine/Math.h"

namespace ddz::window {

// One axis of the cut: the four lines on the frame (whole pixels from its
// start) and in the box (node units from its start).
struct NineSliceAxis {
  int source[4];
  float box[4];
};

// `frameLength` in image pixels; `capStart`, `capEnd` the caps in frame
// pixels (rounded to whole pixels); `boxLength` the box's length in node units.
NineSliceAxis SplitNineSliceAxis(int frameLength, float capStart, float capEnd, float boxLength);

// The caps of a frame from its stretched middle (frame pixels from the
// top-left; a zero size: the middle third).
struct NineSliceCaps {
  float left, right, top, bottom;
};
NineSliceCaps CapsOf(const cocos2d::Rect& centre, int frameWidth, int frameHeight);

// A piece: where it is on the frame (relative to the frame's top-left) and
// in the window.
struct NineSlicePiece {
  SDL_Rect source;
  SDL_Rect dest;
};

// The nine pieces, row by row from the top, of a frame of `frameWidth` x
// `frameHeight` pixels drawn as a box of `box` node units onto the window
// rectangle `dest` (pixels, y down, upright). Each line is rounded to a whole
// pixel once; pieces between coinciding lines have no area.
std::array<NineSlicePiece, 9> NineSlicePieces(int frameWidth, int frameHeight, const NineSliceCaps& caps,
                                              const cocos2d::Size& box, const SDL_FRect& dest);

}  // namespace ddz::window
