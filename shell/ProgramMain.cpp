#include "shell/ProgramMain.h"

#include <signal.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "classic/GameViewPC.h"
#include "platform/engine/Director.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/engine/SimpleAudioEngine.h"
#include "platform/window/MixerAudio.h"
#include "platform/window/SdlRenderer.h"
#include "platform/window/SdlWindow.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/lua/LuaStack.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/os/Clock.h"
#include "platform/os/CrashHandler.h"
#include "platform/os/Log.h"
#include "platform/os/OsApiCommon.h"
#include "platform/os/Process.h"

namespace ddz {

namespace {

volatile sig_atomic_t g_stopSignal = 0;
struct sigaction g_previousInt {};
struct sigaction g_previousTerm {};
bool g_stopSignalsInstalled = false;

void OnStopSignal(int signalNumber) {
  if (g_stopSignal != 0) {
    // Asked twice: the loop is not listening, end now.
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
    return;
  }
  g_stopSignal = signalNumber;
}

// A positive decimal of digits only; nothing for anything else.
std::optional<std::uint64_t> ParseCount(std::string_view text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value == 0) return std::nullopt;
  return value;
}

// Seconds as digits with an optional fraction ("2", "0.5"), to milliseconds.
std::optional<std::uint64_t> ParseSecondsToMs(std::string_view text) {
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
  if ((whole.empty() && fraction.empty()) || whole.size() > 9 || fraction.size() > 3) return std::nullopt;
  std::uint64_t ms = 0;
  for (char c : whole) {
    if (c < '0' || c > '9') return std::nullopt;
    ms = ms * 10 + static_cast<std::uint64_t>(c - '0');
  }
  ms *= 1000;
  std::uint64_t scale = 100;
  for (char c : fraction) {
    if (c < '0' || c > '9') return std::nullopt;
    ms += static_cast<std::uint64_t>(c - '0') * scale;
    scale /= 10;
  }
  if (ms == 0) return std::nullopt;
  return ms;
}

}  // namespace

RunLimits ParseRunLimits(const char* framesText, const char* secondsText) {
  RunLimits limits;
  if (framesText && *framesText) {
    limits.frames = ParseCount(framesText);
    if (!limits.frames) cocos2d::log("DDZ_RUN_FRAMES [%s] is not a positive whole number; ignored", framesText);
  }
  if (secondsText && *secondsText) {
    limits.milliseconds = ParseSecondsToMs(secondsText);
    if (!limits.milliseconds) cocos2d::log("DDZ_RUN_SECONDS [%s] is not a positive number; ignored", secondsText);
  }
  return limits;
}

RunLimits RunLimitsFromEnvironment() {
  return ParseRunLimits(std::getenv("DDZ_RUN_FRAMES"), std::getenv("DDZ_RUN_SECONDS"));
}

void InstallStopSignals() {
  if (g_stopSignalsInstalled) return;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, &g_previousInt);
  ::sigaction(SIGTERM, &action, &g_previousTerm);
  g_stopSignalsInstalled = true;
}

void UninstallStopSignals() {
  if (!g_stopSignalsInstalled) return;
  ::sigaction(SIGINT, &g_previousInt, nullptr);
  ::sigaction(SIGTERM, &g_previousTerm, nullptr);
  g_stopSignalsInstalled = false;
}

int StopSignalReceived() { return g_stopSignal; }

void ClearStopSignal() { g_stopSignal = 0; }

FramePacer RealTimePacer() {
  using Clock = std::chrono::steady_clock;
  auto last = std::make_shared<Clock::time_point>(Clock::now());
  return [last](double interval) {
    const auto deadline = *last + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(interval));
    std::this_thread::sleep_until(deadline);
    const auto now = Clock::now();
    const float dt = std::chrono::duration<float>(now - *last).count();
    *last = now;
    return dt > 0.25f ? 0.25f : dt;
  };
}

namespace {
// Logs, once each, the real time from the start of the run to the first
// drawn frame and to the first frame drawn with the classic table built.
class StartupTimes {
 public:
  void Look(const cocos2d::Director* director) {
    if (m_bTableLogged) return;
    const std::uint64_t drawn = director->getDrawnFrames();
    if (!m_bFirstLogged && drawn > 0) {
      m_bFirstLogged = true;
      cocos2d::log("first frame drawn %.0f ms after the start", Elapsed());
    }
    // The frame that built the table drew it too (updates come before the
    // drawing in a frame), so the table is on screen when it is first seen.
    auto* table = dynamic_cast<GameViewPC*>(GameSceneBase::m_pGameView);
    if (drawn > 0 && table != nullptr && table->isRunning() && table->GetStartButton() != nullptr) {
      m_bTableLogged = true;
      cocos2d::log("table on screen %.0f ms after the start", Elapsed());
    }
  }

 private:
  double Elapsed() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_Start).count();
  }
  std::chrono::steady_clock::time_point m_Start = std::chrono::steady_clock::now();
  bool m_bFirstLogged = false;
  bool m_bTableLogged = false;
};
}  // namespace

FramePacer ControlledPacer(FramePacer inner, RunLimits limits) {
  auto frames = std::make_shared<std::uint64_t>(0);
  auto stopping = std::make_shared<bool>(false);
  auto startup = std::make_shared<StartupTimes>();
  return [inner = std::move(inner), limits, frames, stopping, startup](double interval) {
    cocos2d::Director* director = cocos2d::Director::getInstance();
    const float dt = inner(interval);
    ++*frames;
    startup->Look(director);
    if (*stopping) return dt;
    const char* reason = nullptr;
    if (const int signal = StopSignalReceived()) {
      reason = signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "a signal";
    } else if (limits.frames && *frames >= *limits.frames) {
      reason = "the frame limit";
    } else if (limits.milliseconds &&
               ddz::os::Clock().NowMs() + static_cast<std::uint64_t>(std::lround(dt * 1000.0f)) >=
                   *limits.milliseconds) {
      reason = "the time limit";
    }
    if (reason) {
      *stopping = true;
      cocos2d::log("stopping after frame %llu (%.3f s): %s", static_cast<unsigned long long>(*frames),
                   static_cast<double>(ddz::os::Clock().NowMs()) / 1000.0 + dt, reason);
      director->end();
    }
    return dt;
  };
}

std::vector<std::string> TakeWindowOptions(int argc, const char* const* argv, WindowChoice* choice) {
  std::vector<std::string> rest;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i] ? argv[i] : "";
    if (i > 0 && arg == "--headless") {
      choice->headless = true;
    } else if (i > 0 && arg == "--screenshot") {
      if (i + 1 < argc && argv[i + 1] && *argv[i + 1]) {
        choice->screenshot = argv[++i];
      } else {
        cocos2d::log("--screenshot needs a file name; ignored");
      }
    } else {
      rest.emplace_back(arg);
    }
  }
  return rest;
}

namespace {

// Opens the SDL window and the mixer when a display is there; the screenshot
// is taken by the last frame.
void ChooseWindow(const WindowChoice& choice, StartupOptions* startup) {
  if (choice.headless) return;
  if (!window::DisplayAvailable()) {
    cocos2d::log("no display: running headless");
    return;
  }
  const std::string screenshot = choice.screenshot;
  startup->createView = [screenshot](const std::string& title, const cocos2d::Size& frame) -> cocos2d::GLView* {
    window::SdlWindow* view = window::SdlWindow::create({title, frame, false});
    if (!view) {
      cocos2d::log("no window opens: running headless");
      return nullptr;
    }
    view->install();
    if (!screenshot.empty()) view->renderer()->setScreenshotAtEnd(screenshot);
    if (auto mixer = window::MixerAudio::open()) cocos2d::SimpleAudioEngine::getInstance()->setDevice(std::move(mixer));
    return view;
  };
}

}  // namespace

int RunProgram(int argc, const char* const* argv, ProgramOptions options) {
  cocos2d::log("-----main----");
  ddz::os::SetCommandLine(argc, argv);
  ddz::os::SetLogSink([](const std::string& line) { cocos2d::log("%s", line.c_str()); });
  const std::string programFolder = ddz::os::ProgramDirectory();
  if (options.installCrashHandler && !ddz::os::InstallCrashHandler(programFolder)) {
    cocos2d::log("no crash report: the handler could not be installed");
  }
  ddz::os::Clock().SetWallTimeSeconds(ddz::os::SystemWallTimeSeconds());
  // Relative resource folders lie beside the program file.
  cocos2d::FileUtils::getInstance()->setDefaultResourceRootPath(programFolder);
  OsApiCommon::shareOsApiCommon()->SetExitHandler([] {
    cocos2d::log("the client ends: stopping the main loop");
    cocos2d::Director::getInstance()->end();
  });
  if (options.installStopSignals) InstallStopSignals();
  YndInstallPlatformAnswers();
  ChooseWindow(options.window, &options.startup);
  if (options.window.headless && !options.window.screenshot.empty())
    cocos2d::log("--screenshot needs the window; headless, none is written");

  int result = 0;
  {
    AppDelegate app(std::move(options.startup));
    app.setFramePacer(ControlledPacer(options.pacer ? std::move(options.pacer) : RealTimePacer(), options.limits));
    result = app.run();
  }
  if (options.installStopSignals) UninstallStopSignals();
  OsApiCommon::shareOsApiCommon()->SetExitHandler(nullptr);
  cocos2d::LuaEngine::destroyInstance();
  cocos2d::log("main end [%d]", result);
  cocos2d::Log::closeFile();
  ddz::os::SetLogSink(nullptr);
  return result;
}

}  // namespace ddz
