// A benchmark's own writable folder: a fresh temporary folder becomes the
// engine's writable path and the local store's, and goes again at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/engine/FileUtils.h"
#include "platform/framework/YndLocalData.h"

namespace benchsupport {

class WritableFolder {
 public:
  explicit WritableFolder(benchmark::State& state) : m_State(state) {
    if (::mkdtemp(m_Path) == nullptr) {
      state.SkipWithError("no temporary folder");
      m_bMade = false;
      return;
    }
    cocos2d::FileUtils::getInstance()->setWritablePath(std::string(m_Path) + "/");
    YndLocalData::sharedLocalData()->SetFilePath("");
  }
  ~WritableFolder() {
    if (!m_bMade) return;
    const std::string cleanup = std::string("rm -rf ") + m_Path;
    if (std::system(cleanup.c_str()) != 0) m_State.SkipWithError("temporary folder left behind");
  }
  WritableFolder(const WritableFolder&) = delete;
  WritableFolder& operator=(const WritableFolder&) = delete;
  bool Made() const { return m_bMade; }

 private:
  benchmark::State& m_State;
  char m_Path[32] = "/tmp/ddz-bench-XXXXXX";
  bool m_bMade = true;
};

}  // namespace benchsupport
