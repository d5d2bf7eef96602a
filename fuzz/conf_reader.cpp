// The ".conf" reader on arbitrary files: the parse never fails, every key of
// the text that it keeps is found again, the strict value readers leave their
// target alone when they refuse, the layout reader fills no more entries than
// asked and touches none on a refusal, and every bounded copy is a terminated
// cut of its value at a character boundary.
#include <cstring>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/framework/YndConf.h"

using namespace ddz;

namespace {

constexpr int kCapacity = 6;

// The sections and keys the file text names, one per line, for lookups.
void Lookups(std::string_view text, const ConfFile& conf) {
  std::string section;
  std::size_t start = 0;
  int lines = 0;
  while (start < text.size() && lines++ < 64) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    start = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    line = line.substr(first);
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1);
      continue;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
    const std::string* value = conf.Find(section, key);
    if (value == nullptr) continue;

    int i = -7;
    if (!ParseConfInt(*value, i)) FUZZ_CHECK(i == -7);
    float f = -7.5f;
    if (!ParseConfFloat(*value, f)) FUZZ_CHECK(f == -7.5f);
    float a = -1.5f, b = -2.5f;
    if (!ParseConfPair(*value, a, b)) FUZZ_CHECK(a == -1.5f && b == -2.5f);
    for (std::size_t cap : {1, 2, 5, 17}) {
      char out[32];
      std::memset(out, 'x', sizeof out);
      const bool whole = CopyTextBounded(*value, out, cap);
      const std::size_t n = strnlen(out, cap);
      FUZZ_CHECK(n < cap);  // terminated inside the capacity
      FUZZ_CHECK(out[cap] == 'x');
      FUZZ_CHECK(fuzz::IsCutOf(std::string_view(out, n), *value) || value->find('\0') < cap);
      if (whole) FUZZ_CHECK(value->size() < cap);
    }

    if (YndConf::SetFileAndSection("fuzz.conf", section.c_str())) {
      int ints[kCapacity + 1];
      std::fill(ints, ints + kCapacity + 1, -9);
      if (!YndConf::GetYndConfInfo(ints, key.c_str(), kCapacity))
        for (int v : ints) FUZZ_CHECK(v == -9);
      FUZZ_CHECK(ints[kCapacity] == -9);
      cocos2d::Vec2 points[kCapacity + 1];
      for (auto& p : points) p = cocos2d::Vec2(-9, -9);
      if (!YndConf::GetYndConfInfo(points, key.c_str(), kCapacity))
        for (auto& p : points) FUZZ_CHECK(p.x == -9 && p.y == -9);
      FUZZ_CHECK(points[kCapacity].x == -9);
      YndConf::SetFileClose();
    }
    char small[9];
    std::memset(small, 'x', sizeof small);
    GetConfValue(small, 8, key.c_str(), "fuzz.conf", section.c_str(), "");
    FUZZ_CHECK(strnlen(small, 8) < 8 && small[8] == 'x');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::QuietLog(), fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ConfFile conf = ConfFile::Parse(text);
  FUZZ_CHECK(conf.SkippedLines() >= 0);
  fuzz::Scratch::Get().Write("fuzz.conf", text);
  ClearConfCache();
  Lookups(text, conf);
  return 0;
}
