// The two stores on arbitrary file bytes (first byte: 0 the local store,
// 1 the engine's store): reading never fails hard, and a write after it keeps
// every value the reading found, so a damaged file costs nothing more than
// what it had already lost.
#include <functional>
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

// A store as the check sees it.
struct StoreCalls {
  std::function<void(const std::string& text)> open;  // the file's bytes, then a fresh read of them
  std::function<std::string(const char* key)> held;   // the whole number and the flag a key reads as
  std::function<void(int value)> set;                 // sets the probe key
  std::function<bool()> flush;
  std::function<void()> reopen;  // a fresh read of the file as it is now
};

// What either store reads a key as: the program keeps whole numbers and flags.
template <class Store>
std::string Held(const Store* store, const char* key) {
  return std::to_string(store->getIntegerForKey(key, -1)) + (store->getBoolForKey(key, false) ? "t" : "f");
}

StoreCalls LocalStore() {
  YndLocalData* store = YndLocalData::sharedLocalData();
  return {[store](const std::string& text) {
            ddz::fuzz::Scratch::Get().Write(YndLocalData::kFileName, text);
            store->SetFilePath(ddz::fuzz::Scratch::Get().Path() + YndLocalData::kFileName);
          },
          [store](const char* key) {
            return Held(store, key) + std::to_string(store->getInteger64ForKey(key, -1));
          },
          [store](int value) { store->setIntegerForKey(kProbe, value); }, [store] { return store->flush(); },
          [store] { store->Reload(); }};
}

StoreCalls EngineStore() {
  return {[](const std::string& text) {
            ddz::fuzz::Scratch::Get().Write("UserDefault.xml", text);
            cocos2d::UserDefault::destroyInstance();
          },
          [](const char* key) { return Held(cocos2d::UserDefault::getInstance(), key); },
          [](int value) { cocos2d::UserDefault::getInstance()->setIntegerForKey(kProbe, value); },
          [] { return cocos2d::UserDefault::getInstance()->flush(); }, [] { cocos2d::UserDefault::destroyInstance(); }};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Input in(data, size);
  const StoreCalls store = in.Bool() ? EngineStore() : LocalStore();
  const std::string text = in.Rest();
  store.open(text);
  std::vector<std::pair<std::string, std::string>> read;
  for (const std::string& k : KeysIn(text)) {
    const std::string key = k.c_str();  // a C string ends at a zero byte
    if (key != kProbe) read.emplace_back(key, store.held(key.c_str()));
  }
  store.set(7);
  read.emplace_back(kProbe, store.held(kProbe));
  FUZZ_CHECK(store.flush());
  store.reopen();
  for (const auto& [key, value] : read) FUZZ_CHECK(store.held(key.c_str()) == value);
  cocos2d::UserDefault::destroyInstance();
  return 0;
}
