// The layout checks' findings on a table against the list of its problems
// that are known and not mended yet. A finding not on the list fails (a new
// problem); an entry that no screen shows any more fails too (mended: take
// it off the list), so the list only shrinks.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace shelltest {

// The findings of one table's screens: problem -> the screens that show it.
class LayoutFindings {
 public:
  void Add(const std::string& screen, const std::vector<std::string>& problems) {
    for (const std::string& p : problems) m_Found[p].insert(screen);
  }
  void ExpectOnly(const std::vector<std::string>& known, const std::string& table) const {
    const std::set<std::string> listed(known.begin(), known.end());
    for (const auto& [problem, screens] : m_Found) {
      if (listed.count(problem)) continue;
      std::string where;
      for (const std::string& s : screens) where += (where.empty() ? "" : ", ") + s;
      ADD_FAILURE() << table << ": a new layout problem (" << where << "): " << problem;
    }
    for (const std::string& k : listed)
      EXPECT_TRUE(m_Found.count(k)) << table << ": mended, take it off the list of known problems: " << k;
  }

 private:
  std::map<std::string, std::set<std::string>> m_Found;
};

}  // namespace shelltest
