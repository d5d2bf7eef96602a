#include "platform/framework/FrameCutter.h"

#include <algorithm>
#include <cstdio>

FrameCutter::FrameCutter(int maxFrame) : m_iMaxFrame(std::max(maxFrame, kHeaderSize)) {}

bool FrameCutter::HeaderFits(const char* header, std::size_t have, int maxFrame) {
  const std::size_t n = std::min<std::size_t>(have, kHeaderSize);
  for (std::size_t i = 0; i < n; ++i)
    if ((i == 0 || i >= 4) && header[i] != 0) return false;
  if (n < 4) return true;
  const int frame = LengthField(header);
  return frame >= kHeaderSize && frame <= maxFrame;
}

void FrameCutter::Break(const char* header, std::size_t have) {
  const std::size_t n = std::min<std::size_t>(have, kHeaderSize);
  m_strBrokenHeader.clear();
  for (std::size_t i = 0; i < n; ++i) {
    char pair[12];
    const auto byte = static_cast<unsigned>(static_cast<unsigned char>(header[i]));
    std::snprintf(pair, sizeof pair, i == 0 ? "%02x" : " %02x", byte);
    m_strBrokenHeader += pair;
  }
  m_buffer.clear();
  m_uStart = 0;
  m_bBroken = true;
}

void FrameCutter::Reset() {
  m_buffer.clear();
  m_uStart = 0;
  m_bBroken = false;
  m_strBrokenHeader.clear();
  ++m_uGeneration;
}
