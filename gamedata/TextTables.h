// The numbered text tables of the table screens and the checked formatting of
// the texts that are printf formats.
//
// A text table holds the non-empty lines of a UTF-8 text file: entry 0 is an
// empty placeholder, entry N the N-th non-empty line. Empty lines are skipped
// and not counted.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// "ddz_game_text.txt", loaded once per process by the first table view.
extern std::vector<std::string> g_vecGameText;
// "compete_game.txt", loaded by the tournament view.
extern std::vector<std::string> g_vecCompeteText;
// "superddz_game.txt", loaded by the game scene and the Super view.
extern std::vector<std::string> g_vecSuperGameText;
// Set once g_vecGameText has been loaded in this process.
extern bool g_bGameTextLoaded;

// Empties `table` and fills it from `file` (found through the search paths).
// False when the file cannot be read; the table then holds the placeholder only.
bool LoadTextLines(const char* file, std::vector<std::string>& table);

// Entry n of a table; "" (and a log line) when n is out of range.
const std::string& GameText(int n);
const std::string& CompeteText(int n);
const std::string& SuperGameText(int n);

namespace ddz {

inline constexpr const char* kGameTextFile = "ddz_game_text.txt";
inline constexpr const char* kCompeteTextFile = "compete_game.txt";
inline constexpr const char* kSuperGameTextFile = "superddz_game.txt";

// Loads g_vecGameText unless this process already has (g_bGameTextLoaded).
void EnsureGameTextLoaded();

// Entry n of `table` (named `tableName` in the log line); "" when out of range.
const std::string& TextEntry(const std::vector<std::string>& table, int n, const char* tableName);

// Whether the printf format `fmt` takes exactly the arguments `kinds`, in
// order: 'd' an int, 's' a text. Accepted conversions: %d %i %u %x %X %o for an
// int and %s for a text, with flags "-+ #0" and a width and precision of at
// most three digits each; "%%" is a plain percent sign. Anything else (%n,
// '*', length modifiers, positional arguments, a lone '%') does not match.
bool FormatMatches(std::string_view fmt, std::string_view kinds);

namespace format_detail {

template <typename T>
constexpr char KindOf() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_integral_v<U> && !std::is_same_v<U, bool> && sizeof(U) <= sizeof(int)) {
    return 'd';
  } else {
    static_assert(std::is_same_v<U, std::string> || std::is_convertible_v<const U&, const char*>,
                  "a checked format takes ints and texts only");
    return 's';
  }
}

template <typename T>
auto Pass(const T& v) {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_integral_v<U>) {
    return static_cast<int>(v);
  } else if constexpr (std::is_same_v<U, std::string>) {
    return v.c_str();
  } else {
    const char* p = v;
    return p ? p : "";
  }
}

template <typename T>
std::string ToText(const T& v) {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_integral_v<U>) return std::to_string(static_cast<int>(v));
  else return std::string(Pass(v));
}

// FormatMatches, with a log line when the format does not match.
bool CheckFormat(const std::string& fmt, const char* kinds);
// vsnprintf into a string; only called with a format CheckFormat accepted.
std::string FormatUnchecked(const char* fmt, ...);

}  // namespace format_detail

// fmt formatted with args when its conversions match them, else nothing (and
// a log line). The format is cut at an embedded NUL, as printf would read it.
template <typename... Args>
std::optional<std::string> FormatChecked(std::string_view fmt, const Args&... args) {
  const std::string f(fmt.substr(0, fmt.find('\0')));
  constexpr char kinds[] = {format_detail::KindOf<Args>()..., '\0'};
  if (!format_detail::CheckFormat(f, kinds)) return std::nullopt;
  return format_detail::FormatUnchecked(f.c_str(), format_detail::Pass(args)...);
}

// A numbered text used as a printf format. When the text does not match its
// arguments the result is the arguments joined by single spaces, so a broken
// data file shows plain values instead of misreading memory.
template <typename... Args>
std::string FormatText(std::string_view fmt, const Args&... args) {
  if (auto text = FormatChecked(fmt, args...)) return *std::move(text);
  std::string joined;
  bool first = true;
  ((joined += first ? "" : " ", joined += format_detail::ToText(args), first = false), ...);
  (void)first;
  return joined;
}

}  // namespace ddz
