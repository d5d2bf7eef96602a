// The game-server connection's client end against a loopback server: frames
// cut whatever the reads look like, broken lengths closing the connection,
// writes larger than the socket buffer, refused and broken connections; the
// frame cutter alone; the cipher's round trip and refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/engine/Log.h"
#include "platform/framework/FrameCutter.h"
#include "platform/framework/TcpClientSock.h"
#include "platform/framework/YndAes.h"
#include "platform/os/Clock.h"
#include "support/LoopbackGameServer.h"

using ddz::test::Bytes;
using ddz::test::LoopbackGameServer;

namespace {

constexpr int kMax = 16 * 1024;

// A frame of `len` bytes, type `type`, body bytes counting up from `seed`.
Bytes MakeFrame(int type, int len, int seed = 0) {
  Bytes f(static_cast<std::size_t>(len), 0);
  f[1] = static_cast<std::uint8_t>(type);
  f[2] = static_cast<std::uint8_t>(len & 0xff);
  f[3] = static_cast<std::uint8_t>((len >> 8) & 0xff);
  for (int i = 8; i < len; ++i) f[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(seed + i);
  return f;
}

// ---------------------------------------------------------------- the cutter

TEST(FrameCutter, CutsFramesWhateverTheReadsLookLikeAndStopsAtABrokenLength) {
  struct Case {
    const char* name;
    std::vector<Bytes> frames;  // sent back to back
    std::size_t chunk;          // bytes per Feed
    std::size_t whole;          // frames expected before any break
    bool broken;
  };
  const Bytes bad7 = [] {
    Bytes f = MakeFrame(9, 8);
    f[2] = 7;
    return f;
  }();
  const Bytes tooLong = [] {
    Bytes f = MakeFrame(9, 8);
    f[2] = static_cast<std::uint8_t>((kMax + 1) & 0xff);
    f[3] = static_cast<std::uint8_t>((kMax + 1) >> 8);
    return f;
  }();
  const std::vector<Case> cases = {
      {"one byte a read", {MakeFrame(71, 116), MakeFrame(72, 12)}, 1, 2, false},
      {"several in one read", {MakeFrame(1, 8), MakeFrame(2, 30), MakeFrame(3, 512)}, 4096, 3, false},
      {"the largest frame", {MakeFrame(5, kMax)}, 1000, 1, false},
      {"length 7", {MakeFrame(1, 20), bad7, MakeFrame(2, 20)}, 4096, 1, true},
      {"maximum + 1", {MakeFrame(1, 20), tooLong}, 3, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes stream;
    for (const Bytes& f : c.frames) stream.insert(stream.end(), f.begin(), f.end());
    FrameCutter cutter(kMax);
    std::vector<Bytes> got;
    bool ok = true;
    for (std::size_t at = 0; at < stream.size() && ok; at += c.chunk) {
      const std::size_t n = std::min(c.chunk, stream.size() - at);
      ok = cutter.Feed(reinterpret_cast<const char*>(stream.data() + at), static_cast<int>(n),
                       [&](const char* f, int len) { got.emplace_back(f, f + len); });
    }
    EXPECT_EQ(!ok, c.broken);
    EXPECT_EQ(cutter.Broken(), c.broken);
    ASSERT_EQ(got.size(), c.whole);
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.frames[i]);
    if (c.broken) {
      // Nothing more is cut from a broken stream.
      const Bytes next = MakeFrame(4, 8);
      EXPECT_FALSE(cutter.Feed(reinterpret_cast<const char*>(next.data()), 8, [&](const char*, int) { FAIL(); }));
      EXPECT_EQ(cutter.Buffered(), 0u);
    } else {
      EXPECT_EQ(cutter.Buffered(), 0u);
    }
  }
}

// ---------------------------------------------------------------- the socket

class Owner : public ITcpSockOwner {
 public:
  void OnSockFrame(const char* frame, int len) override { frames.emplace_back(frame, frame + len); }
  void OnSockFailed(int code) override { failures.push_back(code); }
  void OnSockClosed(int kind) override { closes.push_back(kind); }
  std::vector<Bytes> frames;
  std::vector<int> failures;
  std::vector<int> closes;
};

class TcpClientSockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ddz::os::Clock().Reset();
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
    ASSERT_TRUE(server.ok());
    ASSERT_EQ(sock.ConnectServer("127.0.0.1", server.port(), 5, 5), 0);
    ASSERT_TRUE(Until([&] { return server.Connected() && sock.IsConnected(); }));
  }
  // Serves and polls until `done`, at most `rounds` times, 10 ms of virtual time each.
  template <typename Done>
  bool Until(Done&& done, int rounds = 2000) {
    for (int i = 0; i < rounds; ++i) {
      if (done()) return true;
      server.Serve();
      sock.Poll();
      ddz::os::Clock().AdvanceMs(10);
    }
    return done();
  }

  LoopbackGameServer server;
  Owner owner;
  TcpClientSock sock{&owner, kMax};
};

TEST_F(TcpClientSockTest, AFrameSplitOverManyReadsArrivesWholeOnce) {
  const Bytes frame = MakeFrame(71, 116);
  for (std::size_t at = 0; at < frame.size(); at += 5) {
    server.SendRaw(frame.data() + at, std::min<std::size_t>(5, frame.size() - at));
    sock.Poll();
    if (at + 5 < frame.size()) {
      EXPECT_TRUE(owner.frames.empty()) << "cut before its last byte, at " << at;
    }
  }
  ASSERT_TRUE(Until([&] { return !owner.frames.empty(); }));
  EXPECT_EQ(owner.frames, std::vector<Bytes>{frame});
  EXPECT_TRUE(owner.failures.empty());
}

TEST_F(TcpClientSockTest, SeveralFramesInOneReadArriveInOrder) {
  std::vector<Bytes> sent = {MakeFrame(100, 88), MakeFrame(102, 72, 1), MakeFrame(71, 116, 2), MakeFrame(73, 12)};
  Bytes stream;
  for (const Bytes& f : sent) stream.insert(stream.end(), f.begin(), f.end());
  server.SendRaw(stream.data(), stream.size());
  ASSERT_TRUE(Until([&] { return owner.frames.size() == sent.size(); }));
  EXPECT_EQ(owner.frames, sent);
}

TEST_F(TcpClientSockTest, ALengthOutsideTheFrameRangeClosesTheConnectionOnce) {
  for (int badLength : {7, 0, kMax + 1, 0xffff}) {
    SCOPED_TRACE(badLength);
    if (!sock.IsConnected()) {
      server.CloseClient();
      ASSERT_EQ(sock.ConnectServer("127.0.0.1", server.port(), 5, 5), 0);
      ASSERT_TRUE(Until([&] { return server.Connected() && sock.IsConnected(); }));
    }
    owner = Owner();
    Bytes bad = MakeFrame(9, 12);
    bad[2] = static_cast<std::uint8_t>(badLength & 0xff);
    bad[3] = static_cast<std::uint8_t>(badLength >> 8);
    server.Send(MakeFrame(1, 12));
    server.SendRaw(bad.data(), bad.size());
    server.Send(MakeFrame(2, 12));
    ASSERT_TRUE(Until([&] { return !owner.failures.empty(); }));
    EXPECT_EQ(owner.failures, std::vector<int>{TcpClientSock::kErrBadFrame});
    EXPECT_EQ(owner.frames, std::vector<Bytes>{MakeFrame(1, 12)}) << "only the frame before the bad length";
    EXPECT_EQ(sock.GetState(), TcpClientSock::State::Closed);
    // The server sees the close; nothing more reaches the owner.
    ASSERT_TRUE(Until([&] { return server.peerClosed; }));
    EXPECT_EQ(owner.failures.size(), 1u);
    EXPECT_EQ(owner.frames.size(), 1u);
    server.peerClosed = false;
  }
}

TEST_F(TcpClientSockTest, AWriteLargerThanTheSocketBufferArrivesWholeAndInOrder) {
  // 4 MB minus a little: far beyond any socket buffer, queued at once.
  std::vector<Bytes> sent;
  std::size_t bytes = 0;
  for (int i = 0; bytes + 4000 <= TcpClientSock::kMaxQueuedOutput; ++i) {
    sent.push_back(MakeFrame(24, 4000, i));
    ASSERT_TRUE(sock.SendData(sent.back().data(), 4000));
    bytes += 4000;
  }
  EXPECT_GT(sock.GetQueuedOutput(), 0u);
  ASSERT_TRUE(Until([&] { return server.requests.size() == sent.size(); }, 20000));
  EXPECT_TRUE(server.requests == sent);
  EXPECT_EQ(sock.GetQueuedOutput(), 0u);
  EXPECT_TRUE(owner.failures.empty());
}

TEST_F(TcpClientSockTest, AServerClosingMidFrameIsReportedOnceAndThePartIsDropped) {
  const Bytes frame = MakeFrame(56, 36);
  server.SendRaw(frame.data(), 20);
  server.CloseClient();
  ASSERT_TRUE(Until([&] { return !owner.failures.empty(); }));
  for (int i = 0; i < 10; ++i) sock.Poll();
  EXPECT_EQ(owner.failures, std::vector<int>{TcpClientSock::kErrPeerClosed});
  EXPECT_TRUE(owner.frames.empty());
  EXPECT_FALSE(sock.SendData(frame.data(), 36)) << "a closed socket queues nothing";
}

TEST_F(TcpClientSockTest, ADisconnectOnPurposeReportsNoFailureAndTellsTheOwnerWhenAsked) {
  sock.DisconnectServer(1, true);
  sock.DisconnectServer(2, false);
  EXPECT_EQ(owner.closes, std::vector<int>{1});
  EXPECT_TRUE(owner.failures.empty());
  ASSERT_TRUE(Until([&] { return server.peerClosed; }));
  // Frames the server sends after the close reach nobody.
  EXPECT_TRUE(owner.frames.empty());
}

TEST(TcpClientSockConnect, RefusedOrUnusableAddressesAnswerBelowZeroAtOnce) {
  cocos2d::Log::setEchoToStderr(false);
  Owner owner;
  TcpClientSock sock(&owner, kMax);
  EXPECT_LT(sock.ConnectServer("127.0.0.1", ddz::test::FreeLoopbackPort(), 5, 3), 0);
  EXPECT_LT(sock.ConnectServer("no.such.host", 4000, 5, 5), 0);
  EXPECT_LT(sock.ConnectServer("127.0.0.1", 0, 5, 5), 0);
  EXPECT_LT(sock.ConnectServer(nullptr, 4000, 5, 5), 0);
  EXPECT_EQ(sock.GetState(), TcpClientSock::State::Closed);
  EXPECT_TRUE(owner.failures.empty()) << "the caller has the answer; no second report";
}

// ---------------------------------------------------------------- the cipher

TEST(Aes, RoundTripsEveryLengthAndRefusesWrongKeysShortCapacitiesAndChangedBytes) {
  const char* key = "6093";
  for (int len : {0, 1, 15, 16, 17, 4080}) {
    SCOPED_TRACE(len);
    std::vector<char> plain(static_cast<std::size_t>(len));
    for (int i = 0; i < len; ++i) plain[static_cast<std::size_t>(i)] = static_cast<char>(i * 7 + 3);
    std::vector<char> sealed(static_cast<std::size_t>(len + kAesOverhead) + 8, 'x');
    // One byte short of the result: refused, nothing written.
    int cap = len + kAesOverhead - 1;
    EXPECT_EQ(aes_enc_r(plain.data(), len, key, 4, sealed.data(), &cap), -1);
    EXPECT_EQ(cap, len + kAesOverhead - 1);
    EXPECT_EQ(sealed[0], 'x');
    int sealedLen = static_cast<int>(sealed.size());
    ASSERT_EQ(aes_enc_r(plain.data(), len, key, 4, sealed.data(), &sealedLen), 0);
    ASSERT_EQ(sealedLen, len + kAesOverhead);
    EXPECT_EQ(sealed[static_cast<std::size_t>(sealedLen)], 'x') << "nothing written past the length";

    std::vector<char> open(static_cast<std::size_t>(len) + 4, 'y');
    int openCap = len - 1;
    if (len > 0) {
      EXPECT_EQ(aes_dec_r(sealed.data(), sealedLen, key, 4, open.data(), &openCap), -1);
      EXPECT_EQ(openCap, len - 1);
    }
    int wrongLen = static_cast<int>(open.size());
    EXPECT_EQ(aes_dec_r(sealed.data(), sealedLen, "6094", 4, open.data(), &wrongLen), -1);
    EXPECT_EQ(wrongLen, static_cast<int>(open.size()));
    std::vector<char> changed = sealed;
    changed[static_cast<std::size_t>(sealedLen / 2)] ^= 1;
    int changedLen = static_cast<int>(open.size());
    EXPECT_EQ(aes_dec_r(changed.data(), sealedLen, key, 4, open.data(), &changedLen), -1);

    int openLen = static_cast<int>(open.size());
    ASSERT_EQ(aes_dec_r(sealed.data(), sealedLen, key, 4, open.data(), &openLen), 0);
    ASSERT_EQ(openLen, len);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), open.begin()));
  }
  // Too short to hold the nonce and tag.
  char tiny[8] = {};
  char out[8];
  int outLen = 8;
  EXPECT_EQ(aes_dec_r(tiny, 8, key, 4, out, &outLen), -1);
}

}  // namespace
