// The launch command line on arbitrary text: the split gives non-empty tokens
// without spaces from the first 1023 bytes only, and the launch record's text
// fields stay terminated inside their arrays, cut from the text at a
// character boundary.
#include <cstring>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/engine/FileUtils.h"
#include "platform/os/OsApiBase.h"
#include "shell/LaunchCommandLine.h"

using namespace ddz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::QuietLog(), fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto tokens = SplitCommandLine(text);
  std::size_t bytes = 0;
  for (const std::string& t : tokens) {
    FUZZ_CHECK(!t.empty() && t.find(' ') == std::string::npos);
    bytes += t.size();
  }
  FUZZ_CHECK(bytes + (tokens.empty() ? 0 : tokens.size() - 1) <= kCommandLineCapacity - 1);

  OsApiBase& record = *OsApiBase::shareOsApi();
  record.Reset();
  const std::string cstr(text.c_str());  // as the program gets it: up to the first NUL
  ParseLaunchCommandLine(cstr.c_str());
  FUZZ_CHECK(std::memchr(record.m_szServerIP, 0, sizeof record.m_szServerIP) != nullptr);
  FUZZ_CHECK(std::memchr(record.m_szUserToken, 0, sizeof record.m_szUserToken) != nullptr);
  const auto parsed = SplitCommandLine(cstr);
  if (record.bLaunchedWithParams) {
    FUZZ_CHECK(parsed.size() > 1 && parsed[1] == record.m_szServerIP);
    if (parsed.size() > 7) FUZZ_CHECK(fuzz::IsCutOf(record.m_szUserToken, parsed[7]));
    FUZZ_CHECK(record.bLaunchFlag == 0 && record.iLaunchGameKind == 62);
  } else {
    FUZZ_CHECK(record.m_szServerIP[0] == 0 && record.bLaunchFlag == 1);
  }
  // The extra search path of one input must not stay for the next.
  cocos2d::FileUtils::getInstance()->setSearchPaths({fuzz::Scratch::Get().Path()});
  return 0;
}
