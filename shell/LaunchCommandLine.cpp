#include "shell/LaunchCommandLine.h"

#include <cstring>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/os/OsApiBase.h"

namespace ddz {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  const std::string_view text = commandLine.substr(0, kCommandLineCapacity - 1);
  std::vector<std::string> tokens;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    tokens.emplace_back(text.substr(start, end - start));
    pos = end;
  }
  return tokens;
}

}  // namespace ddz

void ParseLaunchCommandLine(const char* commandLine) {
  OsApiBase* record = OsApiBase::shareOsApi();
  const std::string_view text = commandLine ? commandLine : "";
  const std::string copy(text.substr(0, ddz::kCommandLineCapacity - 1));
  cocos2d::log("%s", copy.c_str());

  const std::vector<std::string> tokens = ddz::SplitCommandLine(copy);
  for (std::size_t i = 1; i < tokens.size() && i <= 9; ++i) {
    const std::string& token = tokens[i];
    switch (i) {
      case 1:
        cocos2d::log("strFirstParams:%s", token.c_str());
        if (token.find('.') == std::string::npos) return;
        if (token.size() >= sizeof record->m_szServerIP) {
          cocos2d::log("ParseLaunchCommandLine: server address of %zu characters refused", token.size());
          return;
        }
        record->bLaunchedWithParams = 1;
        record->SetServerIP(token.c_str());
        break;
      case 2:
        record->m_iServerPort = static_cast<std::uint16_t>(ddz::ParseIntToken(token));
        break;
      case 3:
        record->m_iServerID = ddz::ParseIntToken(token);
        break;
      case 4:
        record->iLaunchParam4 = ddz::ParseIntToken(token);
        break;
      case 5:
        record->m_iNetFlg = ddz::ParseIntToken(token);
        break;
      case 6:
        record->m_iUserID = ddz::ParseIntToken(token);
        break;
      case 7:
        if (token.size() >= sizeof record->m_szUserToken) {
          cocos2d::log("ParseLaunchCommandLine: user token of %zu characters cut to %zu", token.size(),
                       sizeof record->m_szUserToken - 1);
        }
        record->SetUserToken(token.c_str());
        break;
      case 8:
        record->hLobbyWnd = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ddz::ParseInt64Token(token)));
        break;
      case 9:
        if (token.size() > ddz::kMaxLaunchSearchPath) {
          cocos2d::log("ParseLaunchCommandLine: search path of %zu characters refused", token.size());
        } else {
          cocos2d::FileUtils::getInstance()->addSearchPath(token, false);
        }
        break;
    }
  }
  if (record->bLaunchedWithParams) {
    record->bLaunchFlag = 0;
    record->iLaunchGameKind = 62;
  }
  cocos2d::log("m_szServerIP[%s],m_iServerPort[%d],m_iUserID[%d],m_szUserToken[%s]", record->m_szServerIP,
               record->m_iServerPort, record->m_iUserID, record->m_szUserToken);
  cocos2d::log("m_iServerID[%d]m_iNetFlg[%d]", record->m_iServerID, record->m_iNetFlg);
}
