#include "platform/os/OsApiBase.h"

#include <sys/utsname.h>

#include <algorithm>
#include <iterator>

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
}
