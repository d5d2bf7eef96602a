// The tournament list's lobby-page returns (balances, WeChat share, red
// packets) and the red-packet road through loopback web servers: the token
// request, the token reply's faults, the red-packet address and its answer.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "CompeteListTestSupport.h"
#include "compete/CompeteRoomListWeChat.h"
#include "platform/engine/ui/Widgets.h"
#include "platform/framework/YndConf.h"
#include "platform/os/OsApiBase.h"

namespace {

using ddz::test::CompeteListFixture;
using ddz::test::IntBytes;
using ddz::test::WebAnswer;
using ddz::test::WebRequest;
namespace wx = ddz::wechat;

const std::string kCode32 = "0123456789abcdefghijABCDEFGHIJ_Z";  // a full 32-character code

std::string Hex(const std::string& text) { return CharArrayToHexString(text.data(), static_cast<int>(text.size())); }

std::string TokenReply(std::int32_t status, std::int32_t length, const std::string& json) {
  return IntBytes({status, length}) + json;
}

class CompeteWeChat : public CompeteListFixture {
 protected:
  void SetUp() override {
    CompeteListFixture::SetUp();
    OsApiBase::shareOsApi()->Reset();
    YndInstallPlatformAnswers();
    tokenServer.SetResponder([](const WebRequest&) { return WebAnswer::HangUp(); });
    WriteConf("release", tokenServer.Url("/token"), redServer.Url("/red"));
    GameViewBase::m_GlobalInfo.iMoney = 100;
    GameViewBase::m_GlobalInfo.iYuanBao = 50;
  }
  void TearDown() override {
    OsApiBase::shareOsApi()->Reset();
    CompeteListFixture::TearDown();
  }

  // The channel, its token and red-packet addresses, and both app ids.
  void WriteConf(const std::string& channel, const std::string& tokenUrl, const std::string& redUrl) {
    std::ofstream(dir.file("agent.txt")) << "[agent_info]\nuse_section = " << channel << "\n";
    std::ofstream(dir.file("server.conf")) << "[" << channel << "]\nhttp_url = " << tokenUrl
                                           << "\nnormal_web_url = " << server.Url("/ddz") << "\n";
    std::ofstream(dir.file("http_server.conf")) << "[" << channel << "]\nget_red_packtet = " << redUrl << "\n";
    std::ofstream(dir.file("VellComVac.conf")) << "[vac_info]\nwx_appid = wxRELEASE\n[vac_test_info]\nwx_appid = wxTEST\n";
    ddz::ClearConfCache();
  }

  // The token server's answer to the POST, the red-packet server's to the GET.
  void Answer(const std::string& tokenReply, const std::string& redBody) {
    tokenServer.SetResponder([tokenReply](const WebRequest&) { return WebAnswer::Ok(tokenReply); });
    redServer.SetResponder([redBody](const WebRequest&) { return WebAnswer::Ok(redBody); });
  }

  // The page asks for red packet 15; the platform authorises with `code`
  // (or refuses); the frames run until the road is over.
  void CollectRedPacket(int authResult = 0, const std::string& code = kCode32) {
    OsApiBase::shareOsApi()->SetWXAuthAnswer(authResult, code);
    list->CallbackWebReturnParam("wx_auth2_get_redpacket_15");
    for (int i = 0; i < 4; ++i) director->mainLoop(1.0f / 60);
  }

  ddz::test::LoopbackWebServer tokenServer;
  ddz::test::LoopbackWebServer redServer;
};

// ---------------------------------------------------------------- the page's texts

TEST_F(CompeteWeChat, ParameterTextsChangeOnlyWhatTheyName) {
  struct Case {
    std::string text;
    int money, yuanBao;                  // the holdings afterwards (100 and 50 before)
    std::vector<WeChatShareCall> shares;  // what went to the platform
    std::vector<std::string> auths;
    int redId;  // the receive id afterwards; 0: unchanged
  };
  const std::string link = "https://example.test/m?a=1";
  auto share = [&](int kind, std::string title, std::string content) {
    WeChatShareCall call;
    call.kind = kind;
    call.title = std::move(title);
    call.content = std::move(content);
    call.link = link;
    call.appId = "wxRELEASE";
    return call;
  };
  const std::string fits(1023, 'x');  // the 1024-byte buffer with its terminator
  const std::string tooLong(1024, 'x');
  const std::vector<Case> cases = {
      {"update_yb_3_4", 100, 7, {}, {}, 0},
      {"update_money_500_9", 500, 50, {}, {}, 0},
      {"update_yb_a_b", 100, 50, {}, {}, 0},
      {"update_money_7", 100, 50, {}, {}, 0},
      {"wx_share2_1_" + Hex("赛事") + "__" + link, 100, 50, {share(4, "赛事", "")}, {}, 0},
      {"wx_share2_0_" + Hex("T") + "_" + Hex("C") + "_" + link + "_tail", 100, 50, {share(2, "T", "C")}, {}, 0},
      {"wx_share2_7_" + Hex("T") + "_" + Hex("C") + "_" + link, 100, 50, {}, {}, 0},
      {"wx_share2_x_" + Hex("T") + "__" + link, 100, 50, {}, {}, 0},
      {"wx_share2_0_" + Hex(fits) + "_" + Hex(tooLong) + "_" + link, 100, 50, {share(2, fits, "")}, {}, 0},
      {"wx_share2_0_zz_" + Hex("C") + "_" + link, 100, 50, {share(2, "", "C")}, {}, 0},
      {"wx_auth2_get_redpacket_15", 100, 50, {}, {"wxRELEASE"}, 15},
      {"wx_auth2_get_redpacket_3", 100, 50, {}, {"wxRELEASE"}, 3},
      {"wx_auth2_get_redpacket_15_x", 100, 50, {}, {"wxRELEASE"}, 15},
      {"wx_auth2_get_redpacket_", 100, 50, {}, {}, 0},
      {"result=close", 100, 50, {}, {}, 0},
      {"", 100, 50, {}, {}, 0},
  };
  EnterList();
  OsApiBase* api = OsApiBase::shareOsApi();
  api->SetWXAuthAnswer(-1, "");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    GameViewBase::m_GlobalInfo.iMoney = 100;
    GameViewBase::m_GlobalInfo.iYuanBao = 50;
    list->RefreshMoneyText();
    const std::size_t sharesBefore = api->WeChatShares().size();
    const std::size_t authsBefore = api->WeChatAuths().size();
    const int idBefore = list->GetRedID();
    list->CallbackWebReturnParam(c.text.c_str());

    EXPECT_EQ(GameViewBase::m_GlobalInfo.iMoney, c.money);
    EXPECT_EQ(GameViewBase::m_GlobalInfo.iYuanBao, c.yuanBao);
    EXPECT_EQ(list->GetNumLabel(0)->getString(), std::to_string(c.money)) << "the header follows";
    EXPECT_EQ(list->GetNumLabel(1)->getString(), std::to_string(c.yuanBao));
    std::vector<WeChatShareCall> shares(api->WeChatShares().begin() + static_cast<long>(sharesBefore),
                                        api->WeChatShares().end());
    EXPECT_EQ(shares, c.shares);
    std::vector<std::string> auths(api->WeChatAuths().begin() + static_cast<long>(authsBefore),
                                   api->WeChatAuths().end());
    EXPECT_EQ(auths, c.auths);
    EXPECT_EQ(list->GetRedID(), c.redId != 0 ? c.redId : idBefore) << "a receive id only from its text";
  }
}

TEST_F(CompeteWeChat, TheChannelPicksTheAppIdOfAuthorisationAndTokenRequest) {
  for (const auto& [channel, appId] : {std::pair<std::string, std::string>{"release", "wxRELEASE"},
                                       {"beta", "wxTEST"}}) {
    SCOPED_TRACE(channel);
    WriteConf(channel, tokenServer.Url("/token"), redServer.Url("/red"));
    Answer(TokenReply(1, 0, ""), "");
    const std::size_t before = tokenServer.Requests().size();
    EnterList();
    CollectRedPacket();
    ASSERT_FALSE(OsApiBase::shareOsApi()->WeChatAuths().empty());
    EXPECT_EQ(OsApiBase::shareOsApi()->WeChatAuths().back(), appId);
    const std::vector<WebRequest> requests = tokenServer.Requests();
    ASSERT_EQ(requests.size(), before + 1);
    EXPECT_EQ(requests.back().body.substr(4, 32), appId + std::string(32 - appId.size(), '\0'));
    list->removeFromParent();
    list = nullptr;
  }
}

// ---------------------------------------------------------------- the red-packet road

TEST_F(CompeteWeChat, AnAuthorisedCodeIsExchangedForATokenAndTheRedPacketAnswerIsShown) {
  const std::string json = R"({"access_token":"AT-1","openid":"o p&id=1/ü"})";
  Answer(TokenReply(0, static_cast<int>(json.size()), json), R"({"code":0,"msg":"领取成功"})");
  EnterList();
  OsApiBase::shareOsApi()->SetWXAuthAnswer(0, kCode32);
  list->CallbackWebReturnParam("wx_auth2_get_redpacket_15");
  director->mainLoop(1.0f / 60);  // the authorisation's answer
  EXPECT_EQ(list->GetWXCode(), kCode32);
  EXPECT_EQ(Box()->GetType(), 3) << "the wait box first";
  EXPECT_TRUE(tokenServer.Requests().empty()) << "the exchange waits a frame so the wait box is drawn";
  director->mainLoop(1.0f / 60);

  const std::vector<WebRequest> token = tokenServer.Requests();
  ASSERT_EQ(token.size(), 1u);
  EXPECT_EQ(token[0].method, "POST");
  EXPECT_EQ(token[0].target, "/token");
  ASSERT_EQ(token[0].body.size(), 68u);
  EXPECT_EQ(ddz::test::IntAt(token[0].body, 0), 41113);
  EXPECT_EQ(token[0].body.substr(4, 32), "wxRELEASE" + std::string(23, '\0'));
  EXPECT_EQ(token[0].body.substr(36), kCode32) << "the whole code, no terminator";

  const std::vector<WebRequest> red = redServer.Requests();
  ASSERT_EQ(red.size(), 1u);
  EXPECT_EQ(red[0].method, "GET");
  EXPECT_EQ(red[0].target,
            "/red?appId=wxRELEASE&openId=o%20p%26id%3D1%2F%C3%BC&receiveId=15&userId=4321&userToken=tok-abc");
  EXPECT_TRUE(Box()->IsOpen());
  EXPECT_EQ(Box()->GetType(), 1);
  EXPECT_EQ(Box()->GetText(), "领取成功");
  EXPECT_EQ(Box()->GetTarget(), list);
}

TEST_F(CompeteWeChat, AFailedTokenExchangeShowsText432AndAsksForNoRedPacket) {
  struct Case {
    const char* name;
    WebAnswer answer;
  };
  const std::string goodJson = R"({"access_token":"A","openid":"B"})";
  const std::vector<Case> cases = {
      {"status 1", WebAnswer::Ok(TokenReply(1, static_cast<int>(goodJson.size()), goodJson))},
      {"shorter than its head", WebAnswer::Ok(std::string("\0\0\0\0\5", 5))},
      {"empty", WebAnswer::Ok("")},
      {"HTTP 500", WebAnswer::Status(500, TokenReply(0, 0, ""))},
      {"hung up", WebAnswer::HangUp()},
  };
  EnterList();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameMsgBox::destroyMessageBox();
    tokenServer.SetResponder([answer = c.answer](const WebRequest&) { return answer; });
    CollectRedPacket();
    EXPECT_EQ(Box()->GetText(), GameText(432));
    EXPECT_EQ(Box()->GetType(), 1);
  }
  EXPECT_EQ(tokenServer.Requests().size(), cases.size());
  EXPECT_TRUE(redServer.Requests().empty());
}

TEST_F(CompeteWeChat, TheTokenReplysLengthIsClampedToWhatArrivedAndTo255) {
  const std::string json = R"({"access_token":"A","openid":"OPEN"})";
  const std::string padded = json + std::string(300, ' ');  // ends past 255: the members still inside
  struct Case {
    std::int32_t length;
    std::string body;
    std::string openId;  // in the red-packet address
  };
  const std::vector<Case> cases = {
      {-5, json, ""},
      {0, json, ""},
      {1000, json, "OPEN"},  // more than arrived: what arrived
      {static_cast<std::int32_t>(json.size()) - 1, json, ""},  // cut inside: no JSON
      {1000, padded, "OPEN"},
      {1000, R"({"access_token":"A",)" + std::string(240, ' ') + R"("openid":"LATE"})", ""},  // past 255
  };
  EnterList();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    Answer(TokenReply(0, c.length, c.body), R"({"msg":"ok"})");
    const std::size_t before = redServer.Requests().size();
    CollectRedPacket();
    const std::vector<WebRequest> red = redServer.Requests();
    ASSERT_EQ(red.size(), before + 1);
    EXPECT_NE(red.back().target.find("&openId=" + c.openId + "&"), std::string::npos) << red.back().target;
    EXPECT_EQ(Box()->GetText(), "ok");
  }
}

TEST_F(CompeteWeChat, TheRedPacketAnswerIsShownEvenWithoutAMessage) {
  const std::string json = R"({"openid":"B"})";
  EnterList();
  for (const WebAnswer& answer : {WebAnswer::Ok(R"({"code":3})"), WebAnswer::Ok("not json"), WebAnswer::HangUp()}) {
    Answer(TokenReply(0, static_cast<int>(json.size()), json), "");
    redServer.SetResponder([answer](const WebRequest&) { return answer; });
    GameMsgBox::destroyMessageBox();
    CollectRedPacket();
    EXPECT_TRUE(Box()->IsOpen());
    EXPECT_EQ(Box()->GetType(), 1);
    EXPECT_EQ(Box()->GetText(), "");
  }
  EXPECT_EQ(redServer.Requests().size(), 3u);
}

TEST_F(CompeteWeChat, AFailedAuthorisationChangesNothing) {
  EnterList();
  CollectRedPacket(0, "FIRST");
  const std::size_t tokenRequests = tokenServer.Requests().size();
  GameMsgBox::destroyMessageBox();
  CollectRedPacket(-2, "SECOND");
  EXPECT_EQ(list->GetWXCode(), "FIRST");
  EXPECT_EQ(tokenServer.Requests().size(), tokenRequests);
  EXPECT_FALSE(Box()->IsOpen());
}

TEST_F(CompeteWeChat, TheRedPacketAddressIsRefusedWhenItDoesNotFit) {
  const std::string tail = "?appId=a&openId=b&receiveId=1&userId=2&userToken=c";
  const std::size_t room = 2047 - tail.size();  // the terminator takes the last byte
  for (const auto& [baseLength, fits] : {std::pair<std::size_t, bool>{room, true}, {room + 1, false}}) {
    std::string url = "left alone";
    EXPECT_EQ(wx::RedPacketAddress(std::string(baseLength, 'h'), "a", "b", 1, 2, "c", url), fits) << baseLength;
    EXPECT_EQ(url.size(), fits ? 2047u : std::string("left alone").size());
  }
  // A server address too long for the buffer: nothing is sent, the answer box is empty.
  WriteConf("release", tokenServer.Url("/token"), redServer.Url("/" + std::string(2100, 'r')));
  const std::string json = R"({"openid":"B"})";
  Answer(TokenReply(0, static_cast<int>(json.size()), json), R"({"msg":"never"})");
  EnterList();
  CollectRedPacket();
  EXPECT_TRUE(redServer.Requests().empty());
  EXPECT_EQ(Box()->GetText(), "");
}

TEST_F(CompeteWeChat, AnEmptyRedPacketAddressMeansTheBuiltInServiceAndAMissingOneIsNoAddress) {
  WriteConf("release", "", "");
  EXPECT_EQ(wx::RedPacketServiceUrl(), wx::kBuiltInRedPacketUrl);
  EXPECT_TRUE(std::string(wx::kBuiltInRedPacketUrl).ends_with("/rank/receivedRedPacketInterface.do"));
  std::ofstream(dir.file("http_server.conf")) << "[release]\n";
  ddz::ClearConfCache();
  EXPECT_EQ(wx::RedPacketServiceUrl(), "0");
}

// The shipped files name every key the road reads, all empty: each
// installation configures its own services and app ids.
TEST(CompeteWeChatShippedFiles, HoldEveryKeyEmpty) {
  auto* files = cocos2d::FileUtils::getInstance();
  const std::vector<std::string> saved = files->getSearchPaths();
  files->setSearchPaths({std::string(DDZ_SOURCE_DIR) + "/data/"});
  ddz::ClearConfCache();
  struct Key {
    const char* file;
    const char* section;
    const char* key;
  };
  for (const Key& k : {Key{"VellComVac.conf", "vac_info", "wx_appid"}, Key{"VellComVac.conf", "vac_test_info", "wx_appid"},
                       Key{"http_server.conf", "release", "get_red_packtet"}, Key{"server.conf", "release", "http_url"}}) {
    std::string value = "unread";
    EXPECT_EQ(GetConfValue(value, k.key, k.file, k.section, "missing"), 0) << k.file << " " << k.section;
    EXPECT_EQ(value, "") << k.file << " " << k.section;
  }
  files->setSearchPaths(saved);
  ddz::ClearConfCache();
}

}  // namespace
