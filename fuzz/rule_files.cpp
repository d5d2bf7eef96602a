// The rule files on arbitrary text: the rules window's file and the all-games
// file ("Rule" and "Special" sections) read into their tables within the
// limits of the reader (entry counts, value sizes), and a raw entry that is
// refused leaves the entry as it was.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/framework/YndConf.h"
#include "widgets/RuleFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = (ddz::fuzz::QuietLog(), ddz::fuzz::Scratch::Get(), true);
  (void)ready;
  const ddz::fuzz::RunScope scope;
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  auto& scratch = ddz::fuzz::Scratch::Get();
  g_mapRuleConf.clear();
  g_mapGameRules.clear();
  g_mapSpecialRules.clear();
  ddz::ClearConfCache();

  switch (data[0] % 3) {
    case 0: {
      scratch.Write("fuzz_rule.conf", text);
      LoadGameRuleConf(62, "fuzz_rule.conf");
      FUZZ_CHECK(g_mapRuleConf.count(62) == 1);
      FUZZ_CHECK(g_mapRuleConf[62].size() <= static_cast<std::size_t>(kMaxRuleWindowTypes));
      for (const RuleType& type : g_mapRuleConf[62]) {
        FUZZ_CHECK(type.vcItems.size() <= static_cast<std::size_t>(kMaxRuleWindowTypes));
        for (const RuleItem& item : type.vcItems) {
          FUZZ_CHECK(item.strTitle.size() < kRuleWindowValueBytes);
          for (const std::string& line : item.vcContent) FUZZ_CHECK(line.size() < kRuleWindowValueBytes);
        }
      }
      const std::size_t types = g_mapRuleConf[62].size();
      LoadGameRuleConf(62, "fuzz_rule.conf");  // read once per process: nothing changes
      FUZZ_CHECK(g_mapRuleConf[62].size() == types);
      break;
    }
    case 1: {
      scratch.Write(GetAllRuleConfPath(), text);
      const int gameType = data[size - 1] % 8;
      LoadGameRules(GetAllRuleConfPath(), gameType);
      LoadSpecialRules();
      for (const auto& [kind, records] : g_mapGameRules) {
        FUZZ_CHECK(records.vcTypes.size() <= static_cast<std::size_t>(kMaxRuleTypes));
        for (const RuleTypeRec& type : records.vcTypes) {
          FUZZ_CHECK(!type.vcEntries.empty());
          FUZZ_CHECK(type.vcEntries.size() <= static_cast<std::size_t>(kMaxRuleEntries));
          for (const RuleEntry& e : type.vcEntries) FUZZ_CHECK(e.iMask >= 0);
        }
      }
      FUZZ_CHECK(g_mapSpecialRules.size() <= static_cast<std::size_t>(kMaxRuleTypes) + 1);
      for (const auto& [kind, entries] : g_mapSpecialRules)
        FUZZ_CHECK(entries.size() <= static_cast<std::size_t>(kMaxRuleEntries));
      break;
    }
    default: {
      const std::size_t cut = text.find('\n');
      RuleEntry entry;
      entry.strTitle = std::string(text.substr(0, cut));
      const std::string raw = entry.strTitle;
      const std::string content(cut == std::string_view::npos ? "" : text.substr(cut + 1));
      if (!ParseRuleEntry(entry, content)) {
        FUZZ_CHECK(entry.strTitle == raw && entry.vcLines.empty() && entry.vcLines2.empty() && entry.iMask == 0);
      } else {
        FUZZ_CHECK(entry.iMask >= 0);
      }
      break;
    }
  }
  return 0;
}
