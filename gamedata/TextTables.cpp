#include "gamedata/TextTables.h"

#include <cstdarg>

#include "platform/framework/YndFileTools.h"
#include "platform/engine/Log.h"

std::vector<std::string> g_vecGameText;
std::vector<std::string> g_vecCompeteText;
std::vector<std::string> g_vecSuperGameText;
bool g_bGameTextLoaded = false;

bool LoadTextLines(const char* file, std::vector<std::string>& table) {
  table.clear();
  table.emplace_back();  // entry 0: the placeholder
  YndFileTools reader(file, false);
  if (!reader.IsOpen()) {
    cocos2d::log("LoadTextLines: cannot read %s", file ? file : "(null)");
    return false;
  }
  std::string line;
  while (reader.GetLine(line))
    if (!line.empty()) table.push_back(line);
  return true;
}

const std::string& GameText(int n) { return ddz::TextEntry(g_vecGameText, n, ddz::kGameTextFile); }
const std::string& CompeteText(int n) { return ddz::TextEntry(g_vecCompeteText, n, ddz::kCompeteTextFile); }
const std::string& SuperGameText(int n) { return ddz::TextEntry(g_vecSuperGameText, n, ddz::kSuperGameTextFile); }

namespace ddz {

void EnsureGameTextLoaded() {
  if (g_bGameTextLoaded) return;
  g_bGameTextLoaded = true;
  LoadTextLines(kGameTextFile, g_vecGameText);
}

const std::string& TextEntry(const std::vector<std::string>& table, int n, const char* tableName) {
  static const std::string kEmpty;
  if (n < 0 || static_cast<std::size_t>(n) >= table.size()) {
    cocos2d::log("text %d of %s is out of range (%zu entries)", n, tableName ? tableName : "?", table.size());
    return kEmpty;
  }
  return table[static_cast<std::size_t>(n)];
}

bool FormatMatches(std::string_view fmt, std::string_view kinds) {
  std::size_t next = 0;  // the next expected argument
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') continue;
    if (++i >= fmt.size()) return false;
    if (fmt[i] == '%') continue;
    while (i < fmt.size() && std::string_view("-+ #0").find(fmt[i]) != std::string_view::npos) ++i;
    const auto digits = [&] {
      std::size_t n = 0;
      while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') ++i, ++n;
      return n;
    };
    if (digits() > 3) return false;
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      if (digits() > 3) return false;
    }
    if (i >= fmt.size()) return false;
    char kind = 0;
    switch (fmt[i]) {
      case 'd': case 'i': case 'u': case 'x': case 'X': case 'o': kind = 'd'; break;
      case 's': kind = 's'; break;
      default: return false;
    }
    if (next >= kinds.size() || kinds[next] != kind) return false;
    ++next;
  }
  return next == kinds.size();
}

namespace format_detail {

bool CheckFormat(const std::string& fmt, const char* kinds) {
  if (FormatMatches(fmt, kinds)) return true;
  cocos2d::log("text format \"%s\" does not take the arguments \"%s\"", fmt.c_str(), kinds);
  return false;
}

std::string FormatUnchecked(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list again;
  va_copy(again, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int n = std::vsnprintf(nullptr, 0, fmt, args);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), fmt, again);
    out.resize(static_cast<std::size_t>(n));
  }
#pragma GCC diagnostic pop
  va_end(again);
  va_end(args);
  return out;
}

}  // namespace format_detail
}  // namespace ddz
