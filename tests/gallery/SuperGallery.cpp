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

#include "support/StageRun.h"
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
    problems += ddz::test::SaveScreen(folder, "super-mode" + std::to_string(mode) + "-" + stage);
  });
  const int result = ddz::test::RunStagedProgram(staged.SceneMaker(), staged.Pacer(), true);
  std::fprintf(stderr, "%zu Super screens of mode %d in %s, %d layout problems\n", staged.StagesDone(), mode,
               folder.c_str(), problems);
  return result;
}
