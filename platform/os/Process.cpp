#include "platform/os/Process.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/os/Log.h"

namespace ddz::os {

namespace {
std::string& CommandLine() {
  static std::string text;
  return text;
}
std::string& ProgramDirectoryOverride() {
  static std::string dir;
  return dir;
}
std::optional<ScreenSize>& ScreenOverride() {
  static std::optional<ScreenSize> size;
  return size;
}
}  // namespace

void SetCommandLine(int argc, const char* const* argv) {
  std::string text;
  for (int i = 0; i < argc; ++i) {
    if (argv[i] == nullptr) break;
    if (i > 0) text += ' ';
    text += argv[i];
  }
  CommandLine() = std::move(text);
}

void SetCommandLineText(std::string text) { CommandLine() = std::move(text); }

const std::string& GetCommandLineText() { return CommandLine(); }

std::string ProgramPath() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::string ProgramDirectory() {
  if (!ProgramDirectoryOverride().empty()) return ProgramDirectoryOverride();
  const std::string path = ProgramPath();
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SetProgramDirectory(std::string directory) { ProgramDirectoryOverride() = std::move(directory); }

std::optional<ScreenSize> ParseScreenSize(std::string_view text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  auto number = [](std::string_view s) -> int {
    if (s.empty() || s.size() > 6) return -1;
    int v = 0;
    for (char c : s) {
      if (c < '0' || c > '9') return -1;
      v = v * 10 + (c - '0');
    }
    return v;
  };
  const int w = number(text.substr(0, x));
  const int h = number(text.substr(x + 1));
  if (w < 1 || h < 1 || w > 100000 || h > 100000) return std::nullopt;
  return ScreenSize{w, h};
}

ScreenSize GetScreenSize() {
  if (ScreenOverride()) return *ScreenOverride();
  if (const char* env = std::getenv("DDZ_SCREEN_SIZE"); env != nullptr && *env != '\0') {
    if (auto size = ParseScreenSize(env)) return *size;
    Log("DDZ_SCREEN_SIZE [%s] is not WIDTHxHEIGHT; using %dx%d", env, kDefaultScreenSize.width,
        kDefaultScreenSize.height);
  }
  return kDefaultScreenSize;
}

void SetScreenSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    ScreenOverride().reset();
  } else {
    ScreenOverride() = ScreenSize{width, height};
  }
}

}  // namespace ddz::os
