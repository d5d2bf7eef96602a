// The game server's frames of the Super table as the table's tests and the
// screen gallery build them (type in byte 1; integers little-endian unless
// written big-endian, as the table reads them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/FrameBytes.h"

namespace supertest {

using ddz::test::Frame;
using ddz::test::FrameOf;
using ddz::test::PutBE;
using ddz::test::PutLE;

inline Frame ModeMsg(int mode) {
  Frame f = FrameOf(61, 12);
  PutLE(f, 8, mode);
  return f;
}
// A deal of 116 bytes: the own chair (1) holds 3..K of spades, A, 2 and both
// jokers; base score 40 and cap 5000 big-endian.
inline Frame DealMsg(int firstBidder = 0, int baseScore = 40, int cap = 5000) {
  Frame f = FrameOf(71, 116);
  const std::uint8_t own[17] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 1, 2, 16, 17, 0x23, 0x24};
  for (int i = 0; i < 17; ++i) {
    f[8 + 17 + i] = own[i];
    f[8 + i] = static_cast<std::uint8_t>(0x40 | (3 + i % 11));
    f[8 + 34 + i] = static_cast<std::uint8_t>(0x60 | (3 + i % 11));
  }
  PutBE(f, 64, baseScore);
  f[69] = 0x25;
  f[70] = static_cast<std::uint8_t>(firstBidder);
  PutBE(f, 92, cap);
  return f;
}
inline Frame Bid(int type, int chair, int value) {
  Frame f = FrameOf(type, 12);
  f[8] = static_cast<std::uint8_t>(chair);
  f[9] = static_cast<std::uint8_t>(value);
  return f;
}
inline Frame Landlord(int chair, int score, std::uint8_t a = 0x2a, std::uint8_t b = 0x2b, std::uint8_t c = 0x2c) {
  Frame f = FrameOf(55, 16);
  f[8] = static_cast<std::uint8_t>(chair);
  f[9] = static_cast<std::uint8_t>(score);
  f[10] = a;
  f[11] = b;
  f[12] = c;
  return f;
}
// A play of 41 bytes with its type, value and wildcard pairs.
inline Frame Play(int chair, const std::vector<std::uint8_t>& cards, int type = 0, int value = 0,
                  const std::vector<std::uint8_t>& substitutes = {}, const std::vector<std::uint8_t>& matched = {}) {
  Frame f = FrameOf(56, 41);
  f[8] = static_cast<std::uint8_t>(chair);
  for (std::size_t i = 0; i < cards.size() && i < 20; ++i) f[9 + i] = cards[i];
  f[29] = static_cast<std::uint8_t>(cards.size());
  f[30] = static_cast<std::uint8_t>(type);
  f[31] = static_cast<std::uint8_t>(value);
  for (std::size_t i = 0; i < substitutes.size() && i < 4; ++i) f[33 + i] = substitutes[i];
  for (std::size_t i = 0; i < matched.size() && i < 4; ++i) f[37 + i] = matched[i];
  return f;
}

// A hand result of 288 bytes: each chair's money change and result number,
// two cards in the third block, the spring flag and the small-button type.
inline Frame ResultMsg(const std::vector<int>& money, int spring = 0, int smallButton = 0) {
  Frame f = FrameOf(237, 288);
  for (std::size_t c = 0; c < money.size(); ++c) {
    PutBE(f, 12 + 4 * c, money[c]);
    PutBE(f, 52 + 4 * c, money[c]);
  }
  f[252] = 0x03;
  f[253] = 0x04;
  f[281] = static_cast<std::uint8_t>(spring);
  f[282] = static_cast<std::uint8_t>(smallButton);
  return f;
}

}  // namespace supertest
