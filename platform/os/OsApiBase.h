// The platform's launch-parameter record and device facts. Start-up parses
// the lobby's command line into the record; the game-base layer and the views
// read it. One instance per process.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ICallBackWXAuth;
class ILobbyView;

// WeChat and the picture share have no service on a desktop: each call is
// logged and kept here, so the screens that use them can be followed.
struct WeChatShareCall {
  int kind = 0;  // the platform's share kind (2 or 4 from the room list)
  std::string text, title, content, link, appId, text2, text3;
  int flag = 0;
  std::string text4;
  bool operator==(const WeChatShareCall&) const = default;
};
struct PictureShareCall {
  std::string path, appId, userName;
  int userId = 0;
  int arg1 = 0, arg2 = 0;  // passed on as given (65 and 46 from the award screen)
  bool operator==(const PictureShareCall&) const = default;
};

class OsApiBase {
 public:
  static OsApiBase* shareOsApi();

  // ---- launch-parameter record, in record order ----
  std::uint8_t bLaunchedWithParams = 0;  // 1 once a server address with a '.' was seen
  char m_szServerIP[20] = {};            // zero-terminated
  std::uint16_t m_iServerPort = 0;
  std::int32_t iLaunchParam4 = 0;
  std::int32_t m_iServerID = 0;
  std::int32_t m_iNetFlg = 0;
  std::int32_t m_iUserID = 0;
  char m_szUserToken[20] = {};  // zero-terminated
  std::int32_t iLaunchGameKind = 0;
  std::uint8_t bLaunchFlag = 1;
  std::uint32_t hLobbyWnd = 0;

  // Bounded setters for the two text fields: cut at a character boundary so
  // the terminator always fits.
  void SetServerIP(const char* text);
  void SetUserToken(const char* text);

  // Device model: "ipad" selects the tablet layout. A desktop reports "pc".
  const std::string& GetDeviceModel() const { return m_strDeviceModel; }
  void SetDeviceModel(std::string model) { m_strDeviceModel = std::move(model); }

  // The system's version as a decimal text ("6.1"), read with atof by callers.
  const std::string& GetSystemVersion() const { return m_strSystemVersion; }
  void SetSystemVersion(std::string version) { m_strSystemVersion = std::move(version); }

  // The screen that hears the lobby's web-view returns; null clears it.
  void SetLobbyView(ILobbyView* view) { m_pLobbyView = view; }
  ILobbyView* GetLobbyView() const { return m_pLobbyView; }
  // Hands a web-view return to the registered screen. False when none is
  // registered or the text is null.
  bool DeliverWebReturnParam(const char* param);

  // ---- WeChat and picture share ----
  void ShareWeChat(int kind, const char* text, const char* title, const char* content, const char* link,
                   const char* appId, const char* text2, const char* text3, int flag, const char* text4);
  // Starts an authorisation. Its answer reaches the receiver registered at
  // that time, once, on a later frame (through the later-call poster); with
  // no receiver then it is dropped (logged).
  void WeChatAuth(const char* appId);
  void SharePicture(const char* path, const char* appId, const char* userName, int userId, int arg1, int arg2);

  // The WeChat receiver, beside the lobby view; null clears it.
  void SetWXAuthCallBack(ICallBackWXAuth* receiver) { m_pWXAuth = receiver; }
  ICallBackWXAuth* GetWXAuthCallBack() const { return m_pWXAuth; }

  // The answer every authorisation gets. Default: result -1 (no WeChat on
  // this machine), no code; the developer setting DDZ_WX_AUTH_CODE=<code>
  // answers (0, code) instead.
  void SetWXAuthAnswer(int result, std::string code);

  const std::vector<WeChatShareCall>& WeChatShares() const { return m_vcShares; }
  const std::vector<std::string>& WeChatAuths() const { return m_vcAuths; }  // the app ids
  const std::vector<PictureShareCall>& PictureShares() const { return m_vcPictureShares; }

  // How answers reach a later frame: the framework installs a poster that
  // runs a call in the next frame. Without one, answers wait for
  // RunLaterCalls.
  using LaterCall = std::function<void()>;
  void SetLaterCallPoster(std::function<void(LaterCall)> poster) { m_poster = std::move(poster); }
  // Runs the answers kept while no poster was installed; their count.
  int RunLaterCalls();

  // Back to the state at process start (tests).
  void Reset();

 private:
  OsApiBase();
  std::string m_strDeviceModel;
  std::string m_strSystemVersion;
  ILobbyView* m_pLobbyView = nullptr;
  ICallBackWXAuth* m_pWXAuth = nullptr;
  int m_iWXAuthResult = -1;
  std::string m_strWXAuthCode;
  std::vector<WeChatShareCall> m_vcShares;
  std::vector<std::string> m_vcAuths;
  std::vector<PictureShareCall> m_vcPictureShares;
  std::function<void(LaterCall)> m_poster;
  std::vector<LaterCall> m_vcLater;
};
