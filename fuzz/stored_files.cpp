// The two stores on arbitrary file bytes (first byte: 0 the local store,
// 1 the engine's store): reading never fails hard, and a write after it keeps
// every value the reading found, so a damaged file costs nothing more than
// what it had already lost.
#include <string>
#include <utility>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "platform/engine/UserDefault.h"
#include "platform/framework/YndLocalData.h"

namespace {

// Keys the bytes may name: what stands before an "=" on a line, and the text
// of every key="..." attribute, as either store writes them.
std::vector<std::string> KeysIn(const std::string& text) {
  std::vector<std::string> keys;
  std::size_t pos = 0;
  while (pos < text.size() && keys.size() < 64) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    if (const std::size_t eq = line.find('='); eq != std::string::npos && eq > 0) keys.push_back(line.substr(0, eq));
    for (std::size_t at = line.find("key=\""); at != std::string::npos; at = line.find("key=\"", at + 1)) {
      const std::size_t close = line.find('"', at + 5);
      if (close != std::string::npos) keys.push_back(line.substr(at + 5, close - at - 5));
    }
    pos = end + 1;
  }
  return keys;
}

constexpr const char* kProbe = "fuzz_probe_key";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Input in(data, size);
  const bool engineStore = in.Bool();
  const std::string text = in.Rest();
  const std::vector<std::string> keys = KeysIn(text);
  std::vector<std::pair<std::string, std::string>> read;

  if (!engineStore) {
    YndLocalData* store = YndLocalData::sharedLocalData();
    const std::string path = ddz::fuzz::Scratch::Get().Path() + YndLocalData::kFileName;
    ddz::fuzz::Scratch::Get().Write(YndLocalData::kFileName, text);
    store->SetFilePath(path);
    for (const std::string& k : keys)
      read.emplace_back(k, std::to_string(store->getInteger64ForKey(k.c_str(), -1)) +
                               (store->getBoolForKey(k.c_str(), false) ? "t" : "f"));
    store->setIntegerForKey(kProbe, 7);
    FUZZ_CHECK(store->flush());
    store->Reload();
    FUZZ_CHECK(store->getIntegerForKey(kProbe, 0) == 7);
    for (const auto& [k, v] : read) {
      if (std::string(k.c_str()) == kProbe) continue;  // a C string ends at a zero byte
      FUZZ_CHECK(std::to_string(store->getInteger64ForKey(k.c_str(), -1)) +
                     (store->getBoolForKey(k.c_str(), false) ? "t" : "f") ==
                 v);
    }
  } else {
    ddz::fuzz::Scratch::Get().Write("UserDefault.xml", text);
    cocos2d::UserDefault::destroyInstance();
    cocos2d::UserDefault* store = cocos2d::UserDefault::getInstance();
    // The program keeps whole numbers and flags in this store.
    for (const std::string& k : keys)
      read.emplace_back(k, std::to_string(store->getIntegerForKey(k.c_str(), -1)) +
                               (store->getBoolForKey(k.c_str(), false) ? "t" : "f"));
    store->setIntegerForKey(kProbe, 7);
    FUZZ_CHECK(store->flush());
    cocos2d::UserDefault::destroyInstance();
    store = cocos2d::UserDefault::getInstance();
    FUZZ_CHECK(store->getIntegerForKey(kProbe, 0) == 7);
    for (const auto& [k, v] : read) {
      if (std::string(k.c_str()) == kProbe) continue;  // a C string ends at a zero byte
      FUZZ_CHECK(std::to_string(store->getIntegerForKey(k.c_str(), -1)) +
                     (store->getBoolForKey(k.c_str(), false) ? "t" : "f") ==
                 v);
    }
    cocos2d::UserDefault::destroyInstance();
  }
  return 0;
}
