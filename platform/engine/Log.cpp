#include "platform/engine/Log.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/os/BoundedRecord.h"
#include "platform/os/Clock.h"
#include "platform/os/FileIo.h"

namespace cocos2d {

namespace {
struct LogState {
  std::deque<std::string> lines;
  std::vector<std::pair<std::string, std::string>> boxes;
  std::FILE* file = nullptr;
  std::string path;
  std::size_t fileBytes = 0;
  std::size_t fileCap = Log::kDefaultFileCap;
  bool echo = true;
};

LogState& State() {
  static LogState s;
  return s;
}

// "YYYY-MM-DD HH:MM:SS.mmm " of the wall clock, local time: the file tells
// when a thing happened, also where the game's own clock runs behind.
std::string Stamp() {
  const std::int64_t ms = ddz::os::WallTimeMs();
  const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
  std::tm local{};
  char text[40] = "";
  if (localtime_r(&seconds, &local) != nullptr) {
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(text + n, sizeof text - n, ".%03u ", static_cast<unsigned>(ms % 1000));
  }
  return text;
}

// Keeps the newest half of the log at `path` (from a line's start) once it
// holds more than `cap` bytes. Only that half is read, and it replaces the
// file atomically, so a kill during the trim leaves the old log whole.
// Answers the file's size afterwards (0 for no file or one that cannot be
// read; a trim that cannot be written leaves the file as it was).
std::size_t KeepNewestPart(const std::string& path, std::size_t cap) {
  std::string tail;
  std::uint64_t size = 0;
  if (!ddz::os::ReadFileTail(path, cap / 2, tail, size)) return 0;
  if (size <= cap) return static_cast<std::size_t>(size);
  const std::size_t line = tail.find('\n');
  tail.erase(0, line == std::string::npos ? tail.size() : line + 1);
  if (!ddz::os::WriteFileAtomically(path, tail)) {
    std::fprintf(stderr, "Log: the log %s could not be trimmed; it stays as it is\n", path.c_str());
    return 0;  // tried again once another cap's worth is written
  }
  return tail.size();
}

// Opens the log for appending; a log that cannot be opened is reported on
// standard error and the program logs without a file.
std::FILE* OpenForAppend(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "a");
  if (file == nullptr) {
    std::fprintf(stderr, "Log: the log %s cannot be opened (%s); logging to standard error only\n", path.c_str(),
                 std::strerror(errno));
  }
  return file;
}
}  // namespace

void log(const char* format, ...) {
  if (!format) return;
  char buf[4096];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  if (n < 0) return;
  Log::write(buf);  // longer lines are cut at the buffer's end
}

void MessageBox(const char* message, const char* title) {
  std::string m = message ? message : "", t = title ? title : "";
  ddz::os::AppendBounded(State().boxes, {m, t});
  Log::write("MessageBox [" + t + "] " + m);
}

void Log::write(const std::string& line) {
  LogState& s = State();
  if (s.echo) std::fprintf(stderr, "%s\n", line.c_str());
  if (s.file) {
    const std::string stamped = Stamp() + line + "\n";
    std::fputs(stamped.c_str(), s.file);
    std::fflush(s.file);
    s.fileBytes += stamped.size();
    if (s.fileBytes > s.fileCap) {
      // Past the cap the file keeps its newest half and goes on.
      // Lines the trim itself logs do not reach the file.
      std::fclose(s.file);
      s.file = nullptr;
      const std::string path = s.path;
      s.fileBytes = KeepNewestPart(path, s.fileCap);
      s.file = OpenForAppend(path);
      if (!s.file) s.path.clear();
    }
  }
  s.lines.push_back(line);
  if (s.lines.size() > kMaxLines) s.lines.pop_front();
}

const std::deque<std::string>& Log::lines() { return State().lines; }

bool Log::contains(const std::string& line) { return count(line) > 0; }

std::size_t Log::count(const std::string& line) {
  const auto& l = State().lines;
  return static_cast<std::size_t>(std::count(l.begin(), l.end(), line));
}

void Log::clear() {
  State().lines.clear();
  State().boxes.clear();
}

bool Log::openFile(const std::string& path) {
  closeFile();
  LogState& s = State();
  s.fileBytes = KeepNewestPart(path, s.fileCap);
  s.file = OpenForAppend(path);
  if (s.file) s.path = path;
  return s.file != nullptr;
}

void Log::setFileCap(std::size_t bytes) { State().fileCap = std::max<std::size_t>(bytes, 64); }

void Log::closeFile() {
  LogState& s = State();
  if (s.file) std::fclose(s.file);
  s.file = nullptr;
  s.path.clear();
}

const std::string& Log::filePath() { return State().path; }

void Log::setEchoToStderr(bool echo) { State().echo = echo; }

const std::vector<std::pair<std::string, std::string>>& Log::messageBoxes() { return State().boxes; }

}  // namespace cocos2d
