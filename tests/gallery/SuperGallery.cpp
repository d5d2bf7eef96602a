// The Super table's screens: the whole program in a real window on SDL's
// offscreen driver with the Super view on the table, staged mode by mode
// (support/SuperStages.h: seats, deal, bid turn, bids, a wildcard play, the
// result). Each stage is written as `<folder>/super-mode<M>-<stage>.png`, and
// what the layout check finds on it is printed.
//
//   super_gallery FOLDER MODE   (scripts/screens.sh runs it for modes 0, 1, 2)
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/engine/Director.h"
#include "platform/window/SdlRenderer.h"
#include "platform/window/SdlWindow.h"
#include "shell/ProgramMain.h"
#include "support/ScreenTour.h"
#include "support/SuperStages.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FOLDER MODE\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const int mode = std::atoi(argv[2]);
  ::setenv("SDL_VIDEODRIVER", "offscreen", 0);
  ::setenv("SDL_RENDER_DRIVER", "software", 0);

  int problems = 0;
  supertest::SuperStageRun staged(mode, [&](const std::string& stage, SuperGameView&) {
    const std::string name = "super-mode" + std::to_string(mode) + "-" + stage;
    auto* window = dynamic_cast<ddz::window::SdlWindow*>(cocos2d::Director::getInstance()->getOpenGLView());
    if (window != nullptr) window->renderer()->saveScreenshot(folder + "/" + name + ".png");
    std::fprintf(stderr, "screen %s\n", name.c_str());
    for (const std::string& p : ddz::tour::CheckLayout(cocos2d::Director::getInstance()->getRunningScene(), nullptr)) {
      std::fprintf(stderr, "  %s\n", p.c_str());
      ++problems;
    }
  });
  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.window = ddz::WindowChoice{false, ""};
  options.startup.dataFolders = {DDZ_SOURCE_DIR "/data", DDZ_ART_DIR};
  options.startup.createScene = staged.SceneMaker();
  options.limits.frames = 60 * 60;
  options.pacer = staged.Pacer();
  const char* args[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
  const int result = ddz::RunProgram(9, args, std::move(options));
  std::fprintf(stderr, "%zu Super screens of mode %d in %s, %d layout problems\n", staged.StagesDone(), mode,
               folder.c_str(), problems);
  return result;
}
