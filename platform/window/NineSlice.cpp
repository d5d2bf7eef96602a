#include "platform/window/NineSlice.h"

#include <algorithm>
#include <cmath>

namespace ddz::window {

NineSliceAxis SplitNineSliceAxis(int frameLength, float capStart, float capEnd, float boxLength) {
  const int length = std::max(frameLength, 0);
  const int start = std::clamp(static_cast<int>(std::lround(capStart)), 0, length);
  const int end = std::clamp(static_cast<int>(std::lround(capEnd)), 0, length - start);
  const float box = std::max(boxLength, 0.0f);
  // A box shorter than its two caps shrinks them alike.
  const float shrink = start + end > box ? box / static_cast<float>(start + end) : 1.0f;
  NineSliceAxis axis{};
  axis.source[0] = 0, axis.source[1] = start, axis.source[2] = length - end, axis.source[3] = length;
  axis.box[0] = 0, axis.box[1] = static_cast<float>(start) * shrink;
  axis.box[2] = box - static_cast<float>(end) * shrink, axis.box[3] = box;
  return axis;
}

NineSliceCaps CapsOf(const cocos2d::Rect& centre, int frameWidth, int frameHeight) {
  const float w = static_cast<float>(frameWidth), h = static_cast<float>(frameHeight);
  cocos2d::Rect middle = centre;
  if (middle.size.width <= 0 || middle.size.height <= 0) middle = cocos2d::Rect(w / 3, h / 3, w / 3, h / 3);
  return {middle.origin.x, w - middle.origin.x - middle.size.width, middle.origin.y,
          h - middle.origin.y - middle.size.height};
}

std::array<NineSlicePiece, 9> NineSlicePieces(int frameWidth, int frameHeight, const NineSliceCaps& caps,
                                              const cocos2d::Size& box, const SDL_FRect& dest) {
  const NineSliceAxis x = SplitNineSliceAxis(frameWidth, caps.left, caps.right, box.width);
  const NineSliceAxis y = SplitNineSliceAxis(frameHeight, caps.top, caps.bottom, box.height);
  // Each line to its whole window pixel, once.
  int px[4], py[4];
  for (int i = 0; i < 4; ++i) {
    const float fx = box.width > 0 ? x.box[i] / box.width : 0, fy = box.height > 0 ? y.box[i] / box.height : 0;
    px[i] = static_cast<int>(std::lround(dest.x + fx * dest.w));
    py[i] = static_cast<int>(std::lround(dest.y + fy * dest.h));
  }
  std::array<NineSlicePiece, 9> pieces{};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      NineSlicePiece& p = pieces[static_cast<std::size_t>(row * 3 + col)];
      p.source = {x.source[col], y.source[row], x.source[col + 1] - x.source[col], y.source[row + 1] - y.source[row]};
      p.dest = {px[col], py[row], px[col + 1] - px[col], py[row + 1] - py[row]};
    }
  }
  return pieces;
}

}  // namespace ddz::window
