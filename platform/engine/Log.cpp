#include "platform/engine/Log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/os/BoundedRecord.h"

namespace cocos2d {

namespace {
struct LogState {
  std::deque<std::string> lines;
  std::vector<std::pair<std::string, std::string>> boxes;
  std::FILE* file = nullptr;
  std::string path;
  bool echo = true;
};

LogState& State() {
  static LogState s;
  return s;
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
    std::fprintf(s.file, "%s\n", line.c_str());
    std::fflush(s.file);
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
  s.file = std::fopen(path.c_str(), "a");
  if (s.file) s.path = path;
  return s.file != nullptr;
}

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
