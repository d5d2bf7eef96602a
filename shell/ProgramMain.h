// The program's entry and run control. `main` hands its arguments to
// RunProgram, which prepares the process (log line, command line, OS log
// sink, crash report, clocks, resource root, clean-stop paths), runs the
// application loop and answers the exit code.
//
// The loop runs on real time, one frame per animation interval. It stops
// cleanly (the scene is torn down, the loop returns 0) when:
//   - the client ends itself (OsApiCommon::ExitGame, e.g. the scene quits);
//   - SIGINT (Ctrl-C) or SIGTERM arrives; a second one ends the process at once;
//   - a run limit from the environment is reached:
//       DDZ_RUN_FRAMES=N    after N frames,
//       DDZ_RUN_SECONDS=S   after S seconds of the program's clock (decimals allowed).
//
// The window: with a display (or SDL_VIDEODRIVER set, e.g. "offscreen") the
// program opens a real window, draws into it and plays sound; with
// `--headless`, or when no window opens, it runs on the headless view and
// renderer. `--screenshot FILE` writes the window's last frame as PNG when
// the run ends.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/AppDelegate.h"

namespace ddz {

// Limits of one run; none means no limit.
struct RunLimits {
  std::optional<std::uint64_t> frames;
  std::optional<std::uint64_t> milliseconds;
};

// Reads the two variables' texts (null or empty: not set). A text that is not
// a positive number is ignored with a log line.
RunLimits ParseRunLimits(const char* framesText, const char* secondsText);
// From the environment variables DDZ_RUN_FRAMES and DDZ_RUN_SECONDS.
RunLimits RunLimitsFromEnvironment();

// The stop request of SIGINT and SIGTERM.
void InstallStopSignals();
void UninstallStopSignals();
// The number of the signal that asked to stop, 0 when none did.
int StopSignalReceived();
void ClearStopSignal();

// Waits for the next frame and answers the seconds since the previous one.
using FramePacer = std::function<float(double interval)>;
// Sleeps until one interval after the previous frame (real time); a frame
// that comes late answers the real gap, at most 0.25 s.
FramePacer RealTimePacer();
// Wraps `inner`: before each frame it checks the stop signal and the limits,
// and asks the director to end after the frame that reaches one (logged).
FramePacer ControlledPacer(FramePacer inner, RunLimits limits);

// The program's own options, taken out of the command line before the launch
// parameters are read.
struct WindowChoice {
  bool headless = false;
  std::string screenshot;  // "" for none
};

// Takes `--headless` and `--screenshot FILE` out of argv (anywhere after the
// program path) and answers the other arguments in their order. A
// `--screenshot` without a file is dropped with a log line.
std::vector<std::string> TakeWindowOptions(int argc, const char* const* argv, WindowChoice* choice);

struct ProgramOptions {
  StartupOptions startup;
  // Headless unless a window is asked for; main asks for it (TakeWindowOptions).
  WindowChoice window{true, ""};
  RunLimits limits;
  // Null: RealTimePacer().
  FramePacer pacer;
  // Off in tests: the sanitizers and the test runner keep their own handlers.
  bool installCrashHandler = true;
  bool installStopSignals = true;
};

int RunProgram(int argc, const char* const* argv, ProgramOptions options);

}  // namespace ddz
