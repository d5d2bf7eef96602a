#include "platform/framework/FrameCutter.h"

#include <algorithm>

FrameCutter::FrameCutter(int maxFrame) : m_iMaxFrame(std::max(maxFrame, kHeaderSize)) {}

void FrameCutter::Reset() {
  m_buffer.clear();
  m_uStart = 0;
  m_bBroken = false;
  m_iBadLength = 0;
  ++m_uGeneration;
}
