#include "platform/framework/YndWebClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndGameLayer.h"
#include "support/LoopbackWebServer.h"

namespace {

using ddz::test::LoopbackWebServer;
using ddz::test::WebAnswer;

// Where in the frame a reply arrived.
enum class Phase { Outside, AfterAnimations, NextFrameCalls };
Phase g_phase = Phase::Outside;

struct Reply {
  std::string reply;
  int len = 0;
  std::string request;
  int msgId = 0;
  int error = 0;
  Phase phase = Phase::Outside;
  bool inFrame = false;
};

class ReplyTarget : public YndGameLayer {
 public:
  void CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId, int error) override {
    replies.push_back(Reply{std::string(reply, static_cast<std::size_t>(len)), len, request, msgId, error, g_phase,
                            cocos2d::Director::getInstance()->isInFrame()});
  }
  std::vector<Reply> replies;
};

class WebClientTest : public fwtest::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    web = YndWebClient::shareWebClient();
    web->Reset();
    director->addFrameHook(cocos2d::FramePhase::Animations, [](float) { g_phase = Phase::AfterAnimations; });
    director->addFrameHook(cocos2d::FramePhase::NextFrameCalls, [](float) { g_phase = Phase::NextFrameCalls; });
    target = new ReplyTarget();
    scene->addChild(target);
    target->release();
  }
  void TearDown() override {
    web->Reset();
    g_phase = Phase::Outside;
    FrameworkTest::TearDown();
  }

  // Steps frames, waiting on the network between them, until `done` (at most
  // about 4 s).
  bool StepUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 400 && !done(); ++i) {
      web->WaitForActivity(10);
      tick();
    }
    return done();
  }
  bool StepUntilReplies(ReplyTarget* t, std::size_t n) {
    return StepUntil([&] { return t->replies.size() >= n; });
  }

  YndWebClient* web = nullptr;
  ReplyTarget* target = nullptr;
  LoopbackWebServer server;
};

const std::string kFrame("\x00\x01S\xff\x7f body\x00" "end", 14);

TEST_F(WebClientTest, PostCarriesTheBytesAndTheReplyArrivesLaterInTheMessagePump) {
  server.Script({WebAnswer::Ok(std::string("S\x00reply bytes", 13))});
  const std::string url = server.Url("/web");
  ASSERT_EQ(web->AsyncGetWebsiteContent(url.c_str(), target, 20035, kFrame.data(), static_cast<int>(kFrame.size())),
            kWebOk);
  EXPECT_TRUE(target->replies.empty());  // never inside the call

  ASSERT_TRUE(StepUntilReplies(target, 1));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].target, "/web");
  EXPECT_EQ(requests[0].body, kFrame);
  EXPECT_EQ(requests[0].headers.at("content-type"), "application/octet-stream");

  const Reply& r = target->replies[0];
  EXPECT_EQ(r.reply, std::string("S\x00reply bytes", 13));
  EXPECT_EQ(r.len, 13);
  EXPECT_EQ(r.msgId, 20035);
  EXPECT_EQ(r.error, kWebOk);
  EXPECT_EQ(r.request, url);
  EXPECT_TRUE(r.inFrame);
  EXPECT_EQ(r.phase, Phase::AfterAnimations);  // after the animations, before the next-frame calls

  tick(1.0f / 60, 5);
  EXPECT_EQ(target->replies.size(), 1u);  // once
  EXPECT_EQ(web->RunningCount(), 0);
}

TEST_F(WebClientTest, RegisteredAddressGetsItsDataAsHexAndOthersStayRaw) {
  const std::string hexUrl = server.Url("/hex");
  web->AddUrlUseHex(hexUrl);
  ASSERT_EQ(web->AsyncGetWebsiteContent(hexUrl.c_str(), target, 1, kFrame.data(), static_cast<int>(kFrame.size())), 0);
  ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url("/hex?raw").c_str(), target, 2, kFrame.data(), 4), 0);
  ASSERT_TRUE(StepUntilReplies(target, 2));
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  if (requests[0].target != "/hex") std::swap(requests[0], requests[1]);
  EXPECT_EQ(requests[0].body, CharArrayToHexString(kFrame.data(), static_cast<int>(kFrame.size())));
  EXPECT_EQ(requests[0].body, "000153FF7F20626F647900656E64");
  EXPECT_EQ(requests[0].headers.at("content-type"), "text/plain");
  EXPECT_EQ(requests[1].body, kFrame.substr(0, 4));
}

TEST_F(WebClientTest, RequestWithoutDataIsAGet) {
  server.Script({WebAnswer::Ok(R"({"msg":"ok"})")});
  const std::string url = server.Url("/rank/receivedRedPacketInterface.do?appId=a&receiveId=15");
  ASSERT_EQ(web->AsyncGetWebsiteContent(url.c_str(), target, 7, nullptr, 0), 0);
  ASSERT_TRUE(StepUntilReplies(target, 1));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[0].target, "/rank/receivedRedPacketInterface.do?appId=a&receiveId=15");
  EXPECT_TRUE(requests[0].body.empty());
  EXPECT_EQ(target->replies[0].reply, R"({"msg":"ok"})");
}

TEST_F(WebClientTest, FailedExchangesReachTheTargetAsErrorCodes) {
  struct Case {
    const char* name;
    WebAnswer answer;
    bool refused;
    int expected;
  };
  const std::vector<Case> cases = {
      {"status 404", WebAnswer::Status(404, "S not found"), false, kWebErrStatus},
      {"status 500", WebAnswer::Status(500), false, kWebErrStatus},
      {"refused", WebAnswer::Ok(""), true, kWebErrConnect},
      {"silent server", WebAnswer::Silent(), false, kWebErrTimeout},
      {"reply over the limit", WebAnswer::Ok(std::string(65, 'S')), false, kWebErrTooLong},
      {"hung up", WebAnswer::HangUp(), false, kWebErrTransfer},
  };
  YndWebSettings settings;
  settings.asyncTimeoutMs = 300;
  settings.maxReplyBytes = 64;
  web->SetSettings(settings);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    target->replies.clear();
    if (!c.refused) server.Script({c.answer});
    const std::string url =
        c.refused ? "http://127.0.0.1:" + std::to_string(LoopbackWebServer::ClosedPort()) + "/" : server.Url("/");
    ASSERT_EQ(web->AsyncGetWebsiteContent(url.c_str(), target, 36, "abc", 3), kWebOk);
    ASSERT_TRUE(StepUntilReplies(target, 1));
    EXPECT_EQ(target->replies[0].error, c.expected);
    EXPECT_EQ(target->replies[0].len, 0);
    EXPECT_EQ(target->replies[0].msgId, 36);
  }
  // A reply of exactly the limit is whole.
  target->replies.clear();
  server.Script({WebAnswer::Ok(std::string(64, 'S'))});
  ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url().c_str(), target, 1, nullptr, 0), 0);
  ASSERT_TRUE(StepUntilReplies(target, 1));
  EXPECT_EQ(target->replies[0].error, kWebOk);
  EXPECT_EQ(target->replies[0].len, 64);
}

TEST_F(WebClientTest, AddressesOtherThanHttpAndBadArgumentsAreRefusedAtOnce) {
  for (const char* url : {"0", "", "ftp://127.0.0.1/x", "file:///etc/passwd", "http://", "127.0.0.1:80/"}) {
    SCOPED_TRACE(url);
    EXPECT_EQ(web->AsyncGetWebsiteContent(url, target, 1, "a", 1), kWebErrBadAddress);
    char reply[16];
    int len = sizeof reply;
    EXPECT_EQ(web->BlockGetWebsiteContent(url, reply, len, "a", 1), kWebErrBadAddress);
    EXPECT_EQ(len, 0);
  }
  EXPECT_EQ(web->AsyncGetWebsiteContent(nullptr, target, 1, nullptr, 0), kWebErrBadAddress);
  EXPECT_EQ(web->AsyncGetWebsiteContent(server.Url().c_str(), nullptr, 1, nullptr, 0), kWebErrBadArgument);
  EXPECT_EQ(web->AsyncGetWebsiteContent(server.Url().c_str(), target, 1, nullptr, 5), kWebErrBadArgument);
  EXPECT_EQ(web->AsyncGetWebsiteContent(server.Url().c_str(), target, 1, "a", -1), kWebErrBadArgument);
  EXPECT_TRUE(YndWebIsAcceptedUrl("HTTPS://example.invalid/"));
  EXPECT_EQ(web->RunningCount() + web->WaitingCount(), 0);
  tick(1.0f / 60, 3);
  EXPECT_TRUE(target->replies.empty());
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(WebClientTest, RepliesForADestroyedOrRemovedTargetAreDropped) {
  server.SetDefaultAnswer(WebAnswer::Ok("S"));
  server.HoldAnswers(true);
  auto* destroyed = new ReplyTarget();
  scene->addChild(destroyed);
  auto* removed = new ReplyTarget();
  scene->addChild(removed);
  removed->release();  // the scene holds it
  ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url("/a").c_str(), destroyed, 1, "x", 1), 0);
  ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url("/b").c_str(), removed, 2, "x", 1), 0);
  ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url("/c").c_str(), target, 3, "x", 1), 0);
  ASSERT_TRUE(StepUntil([&] { return server.Requests().size() >= 3; }));

  destroyed->removeFromParent();
  destroyed->release();  // gone: a reply to it would touch freed memory
  removed->retain();
  removed->removeFromParent();  // alive, off the stage
  server.HoldAnswers(false);
  ASSERT_TRUE(StepUntilReplies(target, 1));
  tick(1.0f / 60, 5);
  EXPECT_TRUE(removed->replies.empty());
  EXPECT_EQ(web->RunningCount() + web->WaitingCount(), 0);
  removed->release();
}

TEST_F(WebClientTest, AReplyHandlerMayDestroyAnotherTargetOfTheSameFrame) {
  server.SetDefaultAnswer(WebAnswer::Ok("S"));
  struct Killer : ReplyTarget {
    cocos2d::Node* victim = nullptr;
    void CallBackAsyncHttpRes(const char* r, int len, const char* q, int id, int e) override {
      ReplyTarget::CallBackAsyncHttpRes(r, len, q, id, e);
      if (victim) victim->removeFromParent();
      victim = nullptr;
    }
  };
  auto* killer = new Killer();
  auto* victim = new ReplyTarget();
  scene->addChild(killer);
  scene->addChild(victim);
  killer->release();
  victim->release();
  killer->victim = victim;
  server.HoldAnswers(true);  // both replies come in the same frame
  ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url("/1").c_str(), killer, 1, nullptr, 0), 0);
  ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url("/2").c_str(), victim, 2, nullptr, 0), 0);
  ASSERT_TRUE(StepUntil([&] { return server.Requests().size() >= 2; }));
  server.HoldAnswers(false);
  ASSERT_TRUE(StepUntilReplies(killer, 1));
  tick(1.0f / 60, 5);  // the victim's reply, if it came after, is dropped; AddressSanitizer watches
}

TEST_F(WebClientTest, RunningExchangesAreBoundedAndTheQueueIsTooFull) {
  server.SetDefaultAnswer(WebAnswer::Ok("S"));
  YndWebSettings settings;
  settings.maxRunning = 2;
  settings.maxWaiting = 1;
  web->SetSettings(settings);
  for (int id = 1; id <= 3; ++id) ASSERT_EQ(web->AsyncGetWebsiteContent(server.Url().c_str(), target, id, nullptr, 0), 0);
  EXPECT_EQ(web->RunningCount(), 2);
  EXPECT_EQ(web->WaitingCount(), 1);
  EXPECT_EQ(web->AsyncGetWebsiteContent(server.Url().c_str(), target, 4, nullptr, 0), kWebErrBusy);
  int mostRunning = 0;
  ASSERT_TRUE(StepUntil([&] {
    mostRunning = std::max(mostRunning, web->RunningCount());
    return target->replies.size() >= 3;
  }));
  EXPECT_LE(mostRunning, 2);
  std::vector<int> ids;
  for (const Reply& r : target->replies) ids.push_back(r.msgId);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
}

TEST_F(WebClientTest, BlockingExchangeFillsTheReplyAreaWithinItsCapacity) {
  const std::string hexUrl = server.Url("/sign");
  web->AddUrlUseHex(hexUrl);
  server.Script({WebAnswer::Ok("S0123456789"), WebAnswer::Ok("S0123456789"), WebAnswer::Ok("S0123456789")});

  char reply[32];
  std::memset(reply, '#', sizeof reply);
  int len = sizeof reply;
  ASSERT_EQ(web->BlockGetWebsiteContent(hexUrl.c_str(), reply, len, "\x01\x02", 2), kWebOk);
  EXPECT_EQ(len, 11);
  EXPECT_STREQ(reply, "S0123456789");
  EXPECT_EQ(server.Requests().at(0).body, "0102");

  char exact[11];
  len = sizeof exact;  // exactly the reply's length: fits, without a terminator
  ASSERT_EQ(web->BlockGetWebsiteContent(hexUrl.c_str(), exact, len, nullptr, 0), kWebOk);
  EXPECT_EQ(std::string(exact, 11), "S0123456789");
  EXPECT_EQ(server.Requests().at(1).method, "GET");

  char small[12];
  std::memset(small, '#', sizeof small);
  len = 10;  // the area is said to hold 10: the reply is longer
  EXPECT_EQ(web->BlockGetWebsiteContent(hexUrl.c_str(), small, len, "x", 1), kWebErrTooLong);
  EXPECT_EQ(len, 0);
  EXPECT_EQ(small[10], '#');  // nothing written past the capacity
  EXPECT_EQ(small[11], '#');

  len = 8;
  EXPECT_EQ(web->BlockGetWebsiteContent(hexUrl.c_str(), nullptr, len, nullptr, 0), kWebErrBadArgument);
}

TEST_F(WebClientTest, BlockingExchangeGivesUpOnASilentServerAtItsTimeLimit) {
  YndWebSettings settings;
  settings.blockingTimeoutMs = 300;
  web->SetSettings(settings);
  server.Script({WebAnswer::Silent(), WebAnswer::Status(503)});
  char reply[64];
  int len = sizeof reply;
  EXPECT_EQ(web->BlockGetWebsiteContent(server.Url().c_str(), reply, len, "x", 1), kWebErrTimeout);
  EXPECT_EQ(len, 0);
  len = sizeof reply;
  EXPECT_EQ(web->BlockGetWebsiteContent(server.Url().c_str(), reply, len, "x", 1), kWebErrStatus);
  len = sizeof reply;
  const std::string refused = "http://127.0.0.1:" + std::to_string(LoopbackWebServer::ClosedPort()) + "/";
  EXPECT_EQ(web->BlockGetWebsiteContent(refused.c_str(), reply, len, "x", 1), kWebErrConnect);
}

}  // namespace
