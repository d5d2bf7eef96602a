// The records kept of calls (sprite names asked for, sounds played) so that
// tests and the log can read what happened. A session runs for hours, so a
// record keeps only its newest entries: when it is full, its older half goes.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace ddz::os {

inline constexpr std::size_t kRecordLimit = 10000;

template <class T>
void AppendBounded(std::vector<T>& record, T entry, std::size_t limit = kRecordLimit) {
  if (limit > 1 && record.size() >= limit) {
    const auto drop = static_cast<std::ptrdiff_t>(record.size() - limit / 2);
    record.erase(record.begin(), record.begin() + drop);
  }
  record.push_back(std::move(entry));
}

}  // namespace ddz::os
