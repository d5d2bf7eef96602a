#include "platform/os/OsApiBase.h"

#include <sys/utsname.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "platform/os/BoundedRecord.h"
#include "platform/os/ICallBackWXAuth.h"
#include "platform/os/ILobbyView.h"
#include "platform/os/Log.h"
#include "platform/os/Text.h"

namespace {
// "6.1.0-18-amd64" -> "6.1": the leading major.minor of the kernel release.
std::string ReadSystemVersion() {
  struct utsname name {};
  if (::uname(&name) != 0) return "0";
  std::string release = name.release;
  std::size_t end = 0;
  int dots = 0;
  while (end < release.size()) {
    const char c = release[end];
    if (c == '.') {
      if (++dots == 2) break;
    } else if (c < '0' || c > '9') {
      break;
    }
    ++end;
  }
  std::string version = release.substr(0, end);
  if (!version.empty() && version.back() == '.') version.pop_back();
  return version.empty() ? "0" : version;
}
}  // namespace

OsApiBase::OsApiBase() { Reset(); }

OsApiBase* OsApiBase::shareOsApi() {
  static OsApiBase instance;
  return &instance;
}

void OsApiBase::SetServerIP(const char* text) { ddz::os::CopyBounded(m_szServerIP, sizeof m_szServerIP, text ? text : ""); }

void OsApiBase::SetUserToken(const char* text) {
  ddz::os::CopyBounded(m_szUserToken, sizeof m_szUserToken, text ? text : "");
}

bool OsApiBase::DeliverWebReturnParam(const char* param) {
  if (param == nullptr) return false;
  if (m_pLobbyView == nullptr) {
    ddz::os::Log("OsApiBase: web return [%s] with no lobby view", param);
    return false;
  }
  m_pLobbyView->CallbackWebReturnParam(param);
  return true;
}

namespace {
std::string Text(const char* text) { return text ? text : ""; }
}  // namespace

void OsApiBase::ShareWeChat(int kind, const char* text, const char* title, const char* content, const char* link,
                            const char* appId, const char* text2, const char* text3, int flag, const char* text4) {
  WeChatShareCall call{kind, Text(text), Text(title), Text(content), Text(link), Text(appId), Text(text2),
                       Text(text3), flag, Text(text4)};
  ddz::os::Log("OsApiBase: WeChat share kind %d title [%s] content [%s] link [%s] app [%s] (no WeChat here)", kind,
               call.title.c_str(), call.content.c_str(), call.link.c_str(), call.appId.c_str());
  ddz::os::AppendBounded(m_vcShares, std::move(call));
}

void OsApiBase::WeChatAuth(const char* appId) {
  ddz::os::Log("OsApiBase: WeChat authorisation for app [%s]; answer %d", Text(appId).c_str(), m_iWXAuthResult);
  ddz::os::AppendBounded(m_vcAuths, Text(appId));
  LaterCall answer = [this, result = m_iWXAuthResult, code = m_strWXAuthCode] {
    if (m_pWXAuth == nullptr) {
      ddz::os::Log("OsApiBase: WeChat authorisation answer %d with no receiver", result);
      return;
    }
    m_pWXAuth->CallbackWXAuthRt(result, code.c_str());
  };
  if (m_poster) {
    m_poster(std::move(answer));
  } else {
    m_vcLater.push_back(std::move(answer));
  }
}

void OsApiBase::SharePicture(const char* path, const char* appId, const char* userName, int userId, int arg1,
                             int arg2) {
  PictureShareCall call{Text(path), Text(appId), Text(userName), userId, arg1, arg2};
  ddz::os::Log("OsApiBase: picture share [%s] app [%s] user %d (no WeChat here)", call.path.c_str(),
               call.appId.c_str(), userId);
  ddz::os::AppendBounded(m_vcPictureShares, std::move(call));
}

void OsApiBase::SetWXAuthAnswer(int result, std::string code) {
  m_iWXAuthResult = result;
  m_strWXAuthCode = std::move(code);
}

int OsApiBase::RunLaterCalls() {
  std::vector<LaterCall> calls;
  calls.swap(m_vcLater);
  for (LaterCall& call : calls) call();
  return static_cast<int>(calls.size());
}

void OsApiBase::Reset() {
  bLaunchedWithParams = 0;
  std::fill(std::begin(m_szServerIP), std::end(m_szServerIP), '\0');
  m_iServerPort = 0;
  iLaunchParam4 = 0;
  m_iServerID = 0;
  m_iNetFlg = 0;
  m_iUserID = 0;
  std::fill(std::begin(m_szUserToken), std::end(m_szUserToken), '\0');
  iLaunchGameKind = 0;
  bLaunchFlag = 1;
  hLobbyWnd = 0;
  m_strDeviceModel = "pc";
  m_strSystemVersion = ReadSystemVersion();
  m_pLobbyView = nullptr;
  m_pWXAuth = nullptr;
  m_iWXAuthResult = -1;
  m_strWXAuthCode.clear();
  if (const char* code = std::getenv("DDZ_WX_AUTH_CODE"); code != nullptr && *code != '\0') {
    m_iWXAuthResult = 0;
    m_strWXAuthCode = code;
  }
  m_vcShares.clear();
  m_vcAuths.clear();
  m_vcPictureShares.clear();
  m_poster = nullptr;
  m_vcLater.clear();
}
