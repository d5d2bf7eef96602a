#include "platform/framework/LobbyNewVac.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "platform/framework/YndGameLayer.h"

namespace {

TEST(GetJsonTest, MembersByKind) {
  struct Case {
    std::string json;
    const char* member;
    std::string expected;
  };
  const std::string longText = R"({"msg":")" + std::string(LobbyNewVacConf::kMaxJsonBytes, 'x') + R"("})";
  const std::string token = R"({"access_token":"ACCESS","openid":"o-15","expires_in":7200})";
  const std::vector<Case> cases = {
      {token, "access_token", "ACCESS"},
      {token, "openid", "o-15"},
      {token, "unionid", ""},                                         // missing
      {token, "expires_in", "7200"},                                  // a number: its text
      {R"({"ok":true,"no":null})", "ok", "true"},
      {R"({"ok":true,"no":null})", "no", ""},
      {R"({"msg":{"text":"a"},"list":["a"]})", "msg", ""},            // object
      {R"({"msg":{"text":"a"},"list":["a"]})", "list", ""},           // array
      {R"({"msg":{"text":"a"},"list":["a"]})", "text", ""},           // only the top level
      {R"({"msg":"a\"b\u9886\u53d6"})", "msg", "a\"b领取"},
      {R"({"msg":"成功"})", "msg", "成功"},
      {R"({"msg":"x")", "msg", ""},                                   // cut short
      {R"({"msg":"x"} trailing)", "msg", ""},
      {R"(["msg","x"])", "msg", ""},                                  // not an object
      {R"("msg")", "msg", ""},
      {"", "msg", ""},
      {std::string("{\"msg\":\"\xff\xfe\"}"), "msg", ""},             // not UTF-8
      {longText, "msg", ""},                                          // over the limit
      {token.substr(0, 20), "access_token", ""},                      // cut at a buffer's end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.json.substr(0, 60) + " / " + c.member);
    EXPECT_EQ(LobbyNewVacConf::GetJSON(c.json, c.member), c.expected);
  }
  const std::string atLimit = R"({"m":")" + std::string(LobbyNewVacConf::kMaxJsonBytes - 8, 'y') + R"("})";
  ASSERT_EQ(atLimit.size(), LobbyNewVacConf::kMaxJsonBytes);
  EXPECT_EQ(LobbyNewVacConf::GetJSON(atLimit, "m").size(), LobbyNewVacConf::kMaxJsonBytes - 8);
}

class ShopReceiver : public YndGameLayer, public ILobbyVacReceiver {
 public:
  void CallBackHandleVacRt(const LobbyVacResult& result) override { results.push_back(result); }
  std::vector<LobbyVacResult> results;
};

class ShopTest : public fwtest::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    LobbyNewVacLayer::Reset();
  }
  void TearDown() override {
    LobbyNewVacLayer::Reset();
    FrameworkTest::TearDown();
  }
  LobbyVacOpening opening{"23701", "77", "player77", 5000, 3, 12, 1280, 720, true};
};

TEST_F(ShopTest, OpeningIsRecordedAndTheDefaultAnswerIsClosedWithNothingBought) {
  auto* receiver = new ShopReceiver();
  scene->addChild(receiver);
  receiver->release();
  ASSERT_NE(LobbyNewVacLayer::SharedLobbyNewVacLayer(receiver, opening), nullptr);
  ASSERT_EQ(LobbyNewVacLayer::Openings().size(), 1u);
  EXPECT_EQ(LobbyNewVacLayer::Openings()[0], opening);
  EXPECT_TRUE(receiver->results.empty());
  tick();
  ASSERT_EQ(receiver->results.size(), 1u);
  const LobbyVacResult& r = receiver->results[0];
  EXPECT_EQ(r.iVacStep, LobbyNewVacLayer::kVacStepClosed);
  EXPECT_EQ(r.iMoney, 5000);
  EXPECT_EQ(r.iHolding86, 3);
  EXPECT_EQ(r.iYuanBao + r.iYuanBaoExtra, 12);
  tick(1.0f / 60, 3);
  EXPECT_EQ(receiver->results.size(), 1u);
}

TEST_F(ShopTest, TheChosenStepIsAnsweredAndAGoneReceiverHearsNothing) {
  LobbyVacResult bought;
  bought.iVacStep = 16;
  bought.iMoney = 9000;
  bought.iHolding86 = 4;
  bought.iYuanBao = 10;
  bought.iYuanBaoExtra = 5;
  bought.rtInfo = "购买成功";
  LobbyNewVacLayer::SetAnswer(bought);
  auto* receiver = new ShopReceiver();
  scene->addChild(receiver);
  receiver->release();
  LobbyNewVacLayer::SharedLobbyNewVacLayer(receiver, opening);
  tick();
  ASSERT_EQ(receiver->results.size(), 1u);
  EXPECT_EQ(receiver->results[0].iVacStep, 16);
  EXPECT_EQ(receiver->results[0].iMoney, 9000);
  EXPECT_EQ(receiver->results[0].iYuanBao + receiver->results[0].iYuanBaoExtra, 15);
  EXPECT_EQ(receiver->results[0].rtInfo, "购买成功");

  auto* gone = new ShopReceiver();
  LobbyNewVacLayer::SharedLobbyNewVacLayer(gone, opening);
  gone->release();  // destroyed before the answer
  tick(1.0f / 60, 2);  // AddressSanitizer watches

  auto* plain = new YndGameLayer();  // hears no shop answers
  EXPECT_EQ(LobbyNewVacLayer::SharedLobbyNewVacLayer(plain, opening), nullptr);
  plain->release();
  EXPECT_EQ(LobbyNewVacLayer::Openings().size(), 2u);
}

}  // namespace
