// Facts about the running process and its machine: the command line as one
// text, the program's own file and folder, and the screen size the window
// rule reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ddz::os {

// The command line: the arguments joined by single spaces (program path
// first), as the lobby's launch expects it. Start-up sets it from main.
void SetCommandLine(int argc, const char* const* argv);
void SetCommandLineText(std::string text);
const std::string& GetCommandLineText();

// Full path of the program file (empty when the system cannot tell).
std::string ProgramPath();
// The folder the program file lies in, without a trailing '/'. Tests may
// point it elsewhere; an empty text restores the real one.
std::string ProgramDirectory();
void SetProgramDirectory(std::string directory);

struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};

constexpr ScreenSize kDefaultScreenSize{1920, 1080};

// The screen size for the window rule: a size set by SetScreenSize, else the
// environment variable DDZ_SCREEN_SIZE ("WIDTHxHEIGHT"), else 1920 x 1080.
ScreenSize GetScreenSize();
// Sets the size; a size with a side <= 0 clears it.
void SetScreenSize(int width, int height);
// Reads "WIDTHxHEIGHT" (sides 1 .. 100000); nothing for anything else.
std::optional<ScreenSize> ParseScreenSize(std::string_view text);

}  // namespace ddz::os
