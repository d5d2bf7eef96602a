#include "cardlogic/CompeteMessages.h"

namespace ddz::compete {

namespace {

constexpr std::size_t kPlayAutoMarker = 60;
constexpr std::size_t kPlaySeconds = 64;
constexpr std::size_t kAutoPlayState = 9;

}  // namespace

Message BuildPlayRequest(const std::vector<CardCode>& cards, int type, int key, bool automatic, int seconds) {
  // The first 60 bytes are the classic play request.
  Message m = classic::BuildPlayRequest(cards, type, key);
  if (m.empty()) return m;
  m.resize(MsgSize::Play, 0);
  m[kPlayAutoMarker] = automatic ? 1 : 0;
  const auto u = static_cast<std::uint32_t>(seconds);
  for (std::size_t i = 0; i < 4; ++i) m[kPlaySeconds + i] = static_cast<std::uint8_t>(u >> (8 * i));
  return m;
}

Message BuildAutoPlayRequest(bool on) {
  Message m(MsgSize::AutoPlay, 0);
  m[1] = MsgType::AutoPlay;
  m[kAutoPlayState] = on ? 1 : 0;
  return m;
}

}  // namespace ddz::compete
