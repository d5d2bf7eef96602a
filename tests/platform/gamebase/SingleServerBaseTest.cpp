#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gamebase/SingleServerBase.h"

namespace {

class Sink : public IGameMessageSink {
 public:
  void PostGameMessage(const std::uint8_t* buf, int len) override { messages.emplace_back(buf, buf + len); }
  std::vector<std::vector<std::uint8_t>> messages;
};

class Server : public SingleServerBase {
 public:
  using SingleServerBase::SingleServerBase;
  void StartGame() override {}
  void RecvGameViewMsg(const std::uint8_t*, int) override {}
};

}  // namespace

TEST(SingleServerBase, SendHandsTheViewACopyWithTheTypeInTheFrame) {
  Sink sink;
  Server server(&sink);
  EXPECT_EQ(server.GetGameView(), &sink);
  // The sender leaves byte 1 to the send call.
  std::vector<std::uint8_t> buf(12, 0);
  buf[8] = 2;
  ASSERT_TRUE(server.SendMsgToGameView(buf.data(), 72, 12));
  buf[8] = 9;  // the sender reuses its buffer: the view's message must not change
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], (std::vector<std::uint8_t>{0, 72, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}));

  // Exactly len bytes go, even from a longer buffer; both limits are allowed.
  std::vector<std::uint8_t> big(SingleServerBase::kMaxMessageSize + 4, 7);
  ASSERT_TRUE(server.SendMsgToGameView(big.data(), 237, 8));
  ASSERT_TRUE(server.SendMsgToGameView(big.data(), 0, SingleServerBase::kMaxMessageSize));
  ASSERT_EQ(sink.messages.size(), 3u);
  EXPECT_EQ(sink.messages[1], (std::vector<std::uint8_t>{7, 237, 7, 7, 7, 7, 7, 7}));
  EXPECT_EQ(sink.messages[2].size(), static_cast<std::size_t>(SingleServerBase::kMaxMessageSize));
}

TEST(SingleServerBase, SendRefusesWhatIsNoMessage) {
  Sink sink;
  Server server(&sink);
  std::vector<std::uint8_t> buf(SingleServerBase::kMaxMessageSize + 1, 0);
  const struct {
    const std::uint8_t* buf;
    int type;
    int len;
  } cases[] = {
      {nullptr, 71, 12},
      {buf.data(), 71, 7},
      {buf.data(), 71, -1},
      {buf.data(), 71, SingleServerBase::kMaxMessageSize + 1},
      {buf.data(), 256, 12},
      {buf.data(), -1, 12},
  };
  for (const auto& c : cases) EXPECT_FALSE(server.SendMsgToGameView(c.buf, c.type, c.len)) << c.type << " " << c.len;
  EXPECT_TRUE(sink.messages.empty());

  Server deaf(nullptr);
  EXPECT_FALSE(deaf.SendMsgToGameView(buf.data(), 71, 12));
}

TEST(SingleServerBase, RequestTypeChecksTheFrame) {
  std::vector<std::uint8_t> buf(60, 0);
  buf[1] = 24;
  EXPECT_EQ(SingleServerBase::RequestType(buf.data(), 60), 24);
  EXPECT_EQ(SingleServerBase::RequestType(buf.data(), 8), 24);
  EXPECT_EQ(SingleServerBase::RequestType(buf.data(), 7), -1);
  EXPECT_EQ(SingleServerBase::RequestType(nullptr, 60), -1);
  EXPECT_EQ(SingleServerBase::RequestType(buf.data(), SingleServerBase::kMaxMessageSize + 1), -1);
}
