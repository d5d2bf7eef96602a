// Cuts a byte stream from the game server into whole frames. A frame starts
// with an 8-byte header whose bytes 2-3 hold the frame's whole length, header
// included, as a 16-bit little-endian number; the cutter keeps what has not
// yet formed a whole frame and hands out each frame as soon as its last byte
// is in, in stream order.
//
// The header's other bytes (0 and 4-7) are 0 in every frame of the protocol.
// A header with one of them set, or a length below the header or above the
// largest frame the owner takes, means the stream is broken: the cutter stops
// (Broken() answers true), keeps nothing and cuts no more until Reset.
// Nothing guesses its way back into a broken stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FrameCutter {
 public:
  static constexpr int kHeaderSize = 8;

  // `maxFrame`: the largest whole frame accepted (at least the header).
  explicit FrameCutter(int maxFrame);

  // Appends `len` bytes and calls `onFrame(const char* frame, int len)` for
  // every frame completed, oldest first. Answers false when the stream is (or
  // already was) broken; the frames before the bad length are still handed
  // out. The callback may Reset the cutter; cutting then stops.
  template <typename OnFrame>
  bool Feed(const char* data, int len, OnFrame&& onFrame);

  bool Broken() const { return m_bBroken; }
  int MaxFrame() const { return m_iMaxFrame; }
  // The header that broke the stream, as far as it had come (at most 8
  // bytes, hex pairs); empty while the stream is whole.
  const std::string& BrokenHeader() const { return m_strBrokenHeader; }
  // Bytes held of a frame not yet complete.
  std::size_t Buffered() const { return m_buffer.size() - m_uStart; }
  void Reset();

  // The length field of a header; the caller has checked 4 bytes are there.
  static int LengthField(const char* header) {
    return static_cast<int>(static_cast<std::uint8_t>(header[2])) |
           (static_cast<int>(static_cast<std::uint8_t>(header[3])) << 8);
  }
  // Whether the first `have` bytes of a header (up to 8) can begin a frame
  // of at most `maxFrame` bytes: byte 0 and bytes 4-7 are 0, and once the
  // length field is in it lies in kHeaderSize..maxFrame.
  static bool HeaderFits(const char* header, std::size_t have, int maxFrame);

 private:
  void Break(const char* header, std::size_t have);

  int m_iMaxFrame;
  bool m_bBroken = false;
  std::string m_strBrokenHeader;
  unsigned m_uGeneration = 0;  // raised by Reset, so a callback's Reset ends Feed
  std::vector<char> m_buffer;
  std::size_t m_uStart = 0;  // first byte not yet handed out
};

template <typename OnFrame>
bool FrameCutter::Feed(const char* data, int len, OnFrame&& onFrame) {
  if (m_bBroken) return false;
  if (data != nullptr && len > 0) m_buffer.insert(m_buffer.end(), data, data + len);
  const unsigned generation = m_uGeneration;
  while (m_buffer.size() > m_uStart) {
    const char* head = m_buffer.data() + m_uStart;
    const std::size_t have = m_buffer.size() - m_uStart;
    if (!HeaderFits(head, have, m_iMaxFrame)) {
      Break(head, have);
      return false;
    }
    if (have < 4) break;
    const int frame = LengthField(head);
    if (have < static_cast<std::size_t>(frame)) break;
    m_uStart += static_cast<std::size_t>(frame);
    onFrame(head, frame);
    if (generation != m_uGeneration) return !m_bBroken;
  }
  // Drop what was handed out once it is the larger part of the buffer.
  if (m_uStart == m_buffer.size()) {
    m_buffer.clear();
    m_uStart = 0;
  } else if (m_uStart > 4096 && m_uStart * 2 > m_buffer.size()) {
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_uStart));
    m_uStart = 0;
  }
  return true;
}
