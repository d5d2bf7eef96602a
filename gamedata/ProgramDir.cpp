#include "gamedata/ProgramDir.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/engine/Log.h"
#include "platform/os/Process.h"
#include "gamedata/TextHelpers.h"

std::string g_strProgramDir;

void GetProgramDir(const char* relativePath, std::string& out) {
  if (g_strProgramDir.empty()) {
    g_strProgramDir = ToForwardSlashes(ddz::os::ProgramDirectory());
    if (g_strProgramDir.empty() || g_strProgramDir.back() != '/') g_strProgramDir += '/';
  }
  out = g_strProgramDir + ToForwardSlashes(relativePath ? relativePath : "") + "/";
}

void DeleteWebResultFile() {
  std::string path;
  GetProgramDir(".", path);
  path += "tx_web_result.dat";
  if (std::remove(path.c_str()) != 0 && errno != ENOENT)
    cocos2d::log("DeleteWebResultFile: cannot delete %s: %s", path.c_str(), std::strerror(errno));
}
