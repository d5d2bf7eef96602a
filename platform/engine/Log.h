// The program's log: `cocos2d::log` writes each line to standard error, to the
// log file when one is open (the application opens one in the writable path)
// and to an in-memory record that tests read back. In the file each line
// starts with the game clock's local date and time ("2026-03-14 14:00:05.250 ");
// a file grown past its cap (1 MiB) keeps its newest half, from a line's
// start, when it is opened and whenever it passes the cap again. The trim
// reads only that half and replaces the file atomically. A log file that
// cannot be opened (a folder of that name, no permission) is reported on
// standard error and the program logs on without it.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace cocos2d {

void log(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Headless: the box is logged and recorded; nobody has to press it.
void MessageBox(const char* message, const char* title);

class Log {
 public:
  // The last lines written (at most kMaxLines), oldest first.
  static const std::deque<std::string>& lines();
  static bool contains(const std::string& line);
  static std::size_t count(const std::string& line);
  static void clear();
  static bool openFile(const std::string& path);
  static void closeFile();
  static const std::string& filePath();
  static void setEchoToStderr(bool echo);
  static const std::vector<std::pair<std::string, std::string>>& messageBoxes();  // (message, title)
  static void write(const std::string& line);
  // The log file's size cap in bytes (at least 64).
  static void setFileCap(std::size_t bytes);

  static constexpr std::size_t kMaxLines = 10000;
  static constexpr std::size_t kDefaultFileCap = 1u << 20;
};

}  // namespace cocos2d
