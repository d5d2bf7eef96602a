#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/os/ICallBackWXAuth.h"
#include "platform/os/ILobbyView.h"
#include "platform/os/LobbyMessage.h"
#include "platform/os/Log.h"
#include "platform/os/OsApiBase.h"
#include "platform/os/OsApiCommon.h"
#include "support/TempDir.h"

using namespace ddz::os;

namespace {

class RecordingLobbyView : public ILobbyView {
 public:
  void CallbackWebReturnParam(const char* param) override { received.emplace_back(param); }
  std::vector<std::string> received;
};

class OsApi : public ::testing::Test {
 protected:
  void SetUp() override {
    OsApiBase::shareOsApi()->Reset();
    OsApiCommon::shareOsApiCommon()->Reset();
    ClearLobbyMessages();
    SetLogSink([this](const std::string& line) { log.push_back(line); });
  }
  void TearDown() override { SetLogSink(nullptr); }
  std::vector<std::string> log;
};

// Posted answers are kept and run when the test says (a "later frame").
class OsApiBaseAuth : public OsApi {
 protected:
  void SetUp() override {
    OsApi::SetUp();
    OsApiBase::shareOsApi()->SetLaterCallPoster([this](OsApiBase::LaterCall call) { posted.push_back(std::move(call)); });
  }
  void TearDown() override {
    OsApiBase::shareOsApi()->Reset();
    OsApi::TearDown();
  }
  void RunPosted() {
    auto calls = std::move(posted);
    posted.clear();
    for (auto& call : calls) call();
  }
  std::vector<OsApiBase::LaterCall> posted;
};

void WriteFile(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path) << text;
}

}  // namespace

TEST_F(OsApi, LobbyMessagesAreRecordedInOrderWithTheirParameters) {
  // The quit sequence of the game scene, then the room list's shop exit.
  EXPECT_TRUE(SendLobbyMessage(131072, kLobbyMsgQuitMoney, 5000, -20));
  EXPECT_TRUE(SendLobbyMessage(131072, kLobbyMsgQuitFee, 3, 0));
  EXPECT_TRUE(PostLobbyMessage(131072, kLobbyMsgOpenVac, 0, 0));
  // No lobby window: the send fails but is still recorded.
  EXPECT_FALSE(SendLobbyMessage(0, kLobbyMsgClientWindow, 77, 0));

  const std::vector<LobbyMessage> expected = {
      {131072, 0x501, 5000, -20, false},
      {131072, 0x507, 3, 0, false},
      {131072, 0x5FB, 0, 0, true},
      {0, 0x46F, 77, 0, false},
  };
  EXPECT_EQ(LobbyMessages(), expected);
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0], "LobbyMessage send hwnd[131072] msg[0x501] wParam[5000] lParam[-20]");
  EXPECT_EQ(log[2], "LobbyMessage post hwnd[131072] msg[0x5FB] wParam[0] lParam[0]");

  ClearLobbyMessages();
  EXPECT_TRUE(LobbyMessages().empty());
}

TEST_F(OsApi, LaunchRecordStartsEmptyAndTextFieldsAreBounded) {
  OsApiBase* api = OsApiBase::shareOsApi();
  EXPECT_EQ(api, OsApiBase::shareOsApi());
  EXPECT_EQ(api->bLaunchedWithParams, 0);
  EXPECT_EQ(api->bLaunchFlag, 1);
  EXPECT_EQ(api->hLobbyWnd, 0u);
  EXPECT_EQ(api->GetDeviceModel(), "pc");

  api->SetServerIP("10.0.0.5");
  EXPECT_STREQ(api->m_szServerIP, "10.0.0.5");
  api->SetUserToken("0123456789abcdefghijKLMNOP");  // 26 characters into 20 bytes
  EXPECT_STREQ(api->m_szUserToken, "0123456789abcdefghi");
  // A multi-byte character that does not fit whole is left out.
  api->SetUserToken("abcdefghijklmnopq\xE4\xB8\xAD");
  EXPECT_STREQ(api->m_szUserToken, "abcdefghijklmnopq");
  api->SetServerIP(nullptr);
  EXPECT_STREQ(api->m_szServerIP, "");
}

TEST_F(OsApi, SystemVersionReadsAsANumber) {
  const std::string& v = OsApiBase::shareOsApi()->GetSystemVersion();
  ASSERT_FALSE(v.empty());
  EXPECT_GT(std::atof(v.c_str()), 0.0) << v;
}

TEST_F(OsApi, WebReturnsReachTheRegisteredLobbyViewOnly) {
  OsApiBase* api = OsApiBase::shareOsApi();
  RecordingLobbyView view;
  EXPECT_FALSE(api->DeliverWebReturnParam("result=close"));
  api->SetLobbyView(&view);
  EXPECT_TRUE(api->DeliverWebReturnParam("update_yb_10_20"));
  EXPECT_FALSE(api->DeliverWebReturnParam(nullptr));
  api->SetLobbyView(nullptr);
  EXPECT_FALSE(api->DeliverWebReturnParam("result=close"));
  EXPECT_EQ(view.received, std::vector<std::string>{"update_yb_10_20"});
}

TEST_F(OsApi, CommonRegistersTheBaseAndRecordsEveryExit) {
  OsApiCommon* common = OsApiCommon::shareOsApiCommon(OsApiBase::shareOsApi());
  EXPECT_EQ(common->GetOsApiBase(), OsApiBase::shareOsApi());
  EXPECT_EQ(OsApiCommon::shareOsApiCommon(nullptr), common);  // null keeps the registration
  EXPECT_EQ(common->GetOsApiBase(), OsApiBase::shareOsApi());
  EXPECT_EQ(common->GetOrientation(), OsApiCommon::kLandscape);

  common->ExitGame();
  EXPECT_EQ(common->GetExitCount(), 1);
  int handled = 0;
  common->SetExitHandler([&] { ++handled; });
  common->ExitGame();
  EXPECT_EQ(common->GetExitCount(), 2);
  EXPECT_EQ(handled, 1);
}

TEST_F(OsApi, ConnectionKindAndBatteryComeFromTheSystemFolders) {
  ddz::test::TempDir dir;
  const std::string net = dir.file("net"), power = dir.file("power");
  OsApiCommon* common = OsApiCommon::shareOsApiCommon();
  common->SetSystemFolders(net, power);

  // Nothing there: no connection, no battery.
  EXPECT_EQ(common->GetConnectionKind(), OsApiCommon::kConnectionNone);
  EXPECT_EQ(common->GetBatteryLevel(), -1);

  WriteFile(net + "/lo/operstate", "unknown\n");
  WriteFile(net + "/wlan0/operstate", "up\n");
  WriteFile(net + "/wlan0/wireless/.keep", "");
  EXPECT_EQ(common->GetConnectionKind(), OsApiCommon::kConnectionWireless);
  WriteFile(net + "/eth0/operstate", "up\n");
  EXPECT_EQ(common->GetConnectionKind(), OsApiCommon::kConnectionWired);
  WriteFile(net + "/eth0/operstate", "down\n");
  EXPECT_EQ(common->GetConnectionKind(), OsApiCommon::kConnectionWireless);

  WriteFile(power + "/AC/type", "Mains\n");
  WriteFile(power + "/BAT0/type", "Battery\n");
  WriteFile(power + "/BAT0/capacity", "57\n");
  EXPECT_EQ(common->GetBatteryLevel(), 57);
  WriteFile(power + "/BAT0/capacity", "140\n");
  EXPECT_EQ(common->GetBatteryLevel(), 100);
  WriteFile(power + "/BAT0/capacity", "n/a\n");
  EXPECT_EQ(common->GetBatteryLevel(), -1);

  common->SetBatteryLevel(30);
  common->SetConnectionKind(0);
  EXPECT_EQ(common->GetBatteryLevel(), 30);
  EXPECT_EQ(common->GetConnectionKind(), 0);
}

TEST_F(OsApi, MachineTextIsStableAndShort) {
  const std::string a = OsApiCommon::shareOsApiCommon()->GetMachineText();
  EXPECT_FALSE(a.empty());
  EXPECT_LE(a.size(), 19u);
  EXPECT_EQ(a, OsApiCommon::shareOsApiCommon()->GetMachineText());
}

class RecordingWXReceiver : public ICallBackWXAuth {
 public:
  void CallbackWXAuthRt(int result, const char* code) override { answers.emplace_back(result, code); }
  std::vector<std::pair<int, std::string>> answers;
};

TEST_F(OsApi, WeChatAndPictureSharesAreRecordedWithTheirArguments) {
  OsApiBase* api = OsApiBase::shareOsApi();
  api->ShareWeChat(4, "t", "Title", "", "http://127.0.0.1/l", "wx123", "a", nullptr, 0, "b");
  api->SharePicture("/w/ddzcompete_wechat_friends_share.jpg", "wx123", "player", 77, 65, 46);
  ASSERT_EQ(api->WeChatShares().size(), 1u);
  EXPECT_EQ(api->WeChatShares()[0],
            (WeChatShareCall{4, "t", "Title", "", "http://127.0.0.1/l", "wx123", "a", "", 0, "b"}));
  ASSERT_EQ(api->PictureShares().size(), 1u);
  EXPECT_EQ(api->PictureShares()[0],
            (PictureShareCall{"/w/ddzcompete_wechat_friends_share.jpg", "wx123", "player", 77, 65, 46}));
  EXPECT_FALSE(log.empty());
}

TEST_F(OsApiBaseAuth, AnswerReachesTheReceiverOnceOnALaterCallAndNeverAfterItLeft) {
  OsApiBase* api = OsApiBase::shareOsApi();
  RecordingWXReceiver receiver;
  api->SetWXAuthCallBack(&receiver);
  api->WeChatAuth("wx123");
  EXPECT_EQ(api->WeChatAuths(), std::vector<std::string>{"wx123"});
  EXPECT_TRUE(receiver.answers.empty());  // never inside the call
  ASSERT_EQ(posted.size(), 1u);
  RunPosted();
  ASSERT_EQ(receiver.answers.size(), 1u);
  EXPECT_NE(receiver.answers[0].first, 0);  // default: no WeChat here
  RunPosted();
  EXPECT_EQ(receiver.answers.size(), 1u);

  api->SetWXAuthAnswer(0, "CODE32");
  api->WeChatAuth("wx123");
  api->SetWXAuthCallBack(nullptr);  // gone before its answer
  RunPosted();
  EXPECT_EQ(receiver.answers.size(), 1u);

  api->SetWXAuthCallBack(&receiver);
  api->WeChatAuth("wx123");
  RunPosted();
  ASSERT_EQ(receiver.answers.size(), 2u);
  EXPECT_EQ(receiver.answers[1], (std::pair<int, std::string>{0, "CODE32"}));
}

TEST_F(OsApi, WithoutAPosterAnswersWaitForTheirRun) {
  OsApiBase* api = OsApiBase::shareOsApi();
  RecordingWXReceiver receiver;
  api->SetWXAuthCallBack(&receiver);
  api->WeChatAuth("wx");
  EXPECT_TRUE(receiver.answers.empty());
  EXPECT_EQ(api->RunLaterCalls(), 1);
  EXPECT_EQ(receiver.answers.size(), 1u);
  EXPECT_EQ(api->RunLaterCalls(), 0);
}
