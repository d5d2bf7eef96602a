// The match file on arbitrary texts: every record read has a match id above
// 0 that no other record has, texts terminated inside their fields, at most
// the file's limit of matches, and reading the file again gives the same
// records byte for byte.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "gamedata/CompeteMatchFile.h"
#include "platform/framework/YndConf.h"

namespace {
template <std::size_t N>
bool Terminated(const char (&text)[N]) {
  return ::strnlen(text, N) < N;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Scratch::Get().Write("fuzz_matches.conf",
                                  std::string_view(reinterpret_cast<const char*>(data), size));
  ddz::ClearConfCache();
  std::vector<CompeteMatchRecord> table(1);
  const int n = ddz::LoadCompeteMatchFile("fuzz_matches.conf", table);
  FUZZ_CHECK(n == static_cast<int>(table.size()) && n <= ddz::kMaxCompeteMatches);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const CompeteMatchRecord& r = table[i];
    FUZZ_CHECK(r.iMatchId > 0);
    for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(table[j].iMatchId != r.iMatchId);
    FUZZ_CHECK(Terminated(r.szMatchName) && Terminated(r.szMatchText2) && Terminated(r.szAwards) &&
               Terminated(r.szNumbers) && Terminated(r.szFees) && Terminated(r.szStages) &&
               Terminated(r.szFirstStart) && Terminated(r.szSecondPrizes) && Terminated(r.szThirdPrizes) &&
               Terminated(r.szConditions));
  }
  std::vector<CompeteMatchRecord> again;
  ddz::LoadCompeteMatchFile("fuzz_matches.conf", again);
  FUZZ_CHECK(again.size() == table.size());
  for (std::size_t i = 0; i < again.size(); ++i)
    FUZZ_CHECK(std::memcmp(&again[i], &table[i], sizeof again[i]) == 0);
  return 0;
}
