// The staged tables' screens: the whole program in a real window on SDL's
// offscreen driver with a staged table on it. The Super table mode by mode
// (support/SuperStages.h: seats, deal, bid turn, bids, a wildcard play, the
// result), written as `<folder>/super-mode<M>-<stage>.png`; the four-player
// table (support/SRStages.h) as `<folder>/four-<stage>.png`. What the layout
// check finds on each is printed.
//
//   super_gallery FOLDER MODE   (scripts/screens.sh runs it for modes 0, 1, 2)
//   super_gallery FOLDER four
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/engine/Director.h"
#include "platform/window/SdlRenderer.h"
#include "platform/window/SdlWindow.h"
#include "shell/ProgramMain.h"
#include "support/SRStages.h"
#include "support/ScreenTour.h"
#include "support/SuperStages.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FOLDER MODE|four\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const bool four = std::strcmp(argv[2], "four") == 0;
  const int mode = four ? 0 : std::atoi(argv[2]);
  const std::string prefix = four ? "four-" : "super-mode" + std::to_string(mode) + "-";
  ::setenv("SDL_VIDEODRIVER", "offscreen", 0);
  ::setenv("SDL_RENDER_DRIVER", "software", 0);

  int problems = 0;
  auto shoot = [&](const std::string& stage) {
    const std::string name = prefix + stage;
    auto* window = dynamic_cast<ddz::window::SdlWindow*>(cocos2d::Director::getInstance()->getOpenGLView());
    if (window != nullptr) window->renderer()->saveScreenshot(folder + "/" + name + ".png");
    std::fprintf(stderr, "screen %s\n", name.c_str());
    for (const std::string& p : ddz::tour::CheckLayout(cocos2d::Director::getInstance()->getRunningScene(), nullptr)) {
      std::fprintf(stderr, "  %s\n", p.c_str());
      ++problems;
    }
  };
  supertest::SuperStageRun super(mode, [&](const std::string& stage, SuperGameView&) { shoot(stage); });
  srtest::SRStageRun table(([&](const std::string& stage, srtest::StagedSRView&) { shoot(stage); }));
  ddz::ProgramOptions options;
  options.installCrashHandler = false;
  options.window = ddz::WindowChoice{false, ""};
  options.startup.dataFolders = {DDZ_SOURCE_DIR "/data", DDZ_ART_DIR};
  options.startup.createScene = four ? table.SceneMaker() : super.SceneMaker();
  options.limits.frames = 60 * 60;
  options.pacer = four ? table.Pacer() : super.Pacer();
  const char* args[] = {"ddz", "127.0.0.1", "0", "0", "0", "0", "0", "offline", "0"};
  const int result = ddz::RunProgram(9, args, std::move(options));
  if (four)
    std::fprintf(stderr, "%zu four-player screens in %s, %d layout problems\n", table.StagesDone(), folder.c_str(),
                 problems);
  else
    std::fprintf(stderr, "%zu Super screens of mode %d in %s, %d layout problems\n", super.StagesDone(), mode,
                 folder.c_str(), problems);
  return result;
}
