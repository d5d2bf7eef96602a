// The text tables on arbitrary files: entry 0 is the empty placeholder, every
// other entry is a non-empty line, out-of-range numbers give "", and each text
// used as a printf format either matches its arguments and formats, or gives
// the arguments joined, never reading what was not passed.
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "gamedata/TextTables.h"

using namespace ddz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (fuzz::QuietLog(), fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  fuzz::Scratch::Get().Write("fuzz_text.txt", text);
  std::vector<std::string> table{"stale"};
  FUZZ_CHECK(LoadTextLines("fuzz_text.txt", table));
  FUZZ_CHECK(!table.empty() && table[0].empty());
  std::size_t at = 0;
  for (std::size_t n = 1; n < table.size(); ++n) {
    FUZZ_CHECK(!table[n].empty() && table[n].find('\n') == std::string::npos);
    const std::size_t found = text.find(table[n], at);  // in file order
    FUZZ_CHECK(found != std::string_view::npos);
    at = found + table[n].size();
  }
  FUZZ_CHECK(TextEntry(table, -1, "fuzz").empty());
  FUZZ_CHECK(TextEntry(table, static_cast<int>(table.size()), "fuzz").empty());
  for (std::size_t n = 1; n < table.size() && n < 16; ++n) {
    const std::string& fmt = TextEntry(table, static_cast<int>(n), "fuzz");
    FUZZ_CHECK(&fmt == &table[n]);
    const std::string two = FormatText(fmt, 42, "ab");
    if (!FormatMatches(fmt.substr(0, fmt.find('\0')), "ds")) FUZZ_CHECK(two == "42 ab");
    (void)FormatText(fmt, -1);
    (void)FormatText(fmt, "x", "y", 7);
  }
  return 0;
}
