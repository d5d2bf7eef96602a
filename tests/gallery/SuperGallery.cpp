// The staged tables' screens: the whole program in a real window on SDL's
// offscreen driver with a staged table on it. The Super table mode by mode
// (support/SuperStages.h: seats, deal, bid turn, bids, a wildcard play, the
// tip that nothing beats the table, the result), written as
// `<folder>/super-mode<M>-<stage>.png`; the four-player table
// (support/SRStages.h) as `<folder>/four-<stage>.png`. What the layout check
// finds on each is printed.
//
//   super_gallery FOLDER MODE   (scripts/screens.sh runs it for modes 0, 1, 2)
//   super_gallery FOLDER four
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/SRStages.h"
#include "support/StageRun.h"
#include "support/SuperStages.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FOLDER MODE|four\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  ::setenv("SDL_VIDEODRIVER", "offscreen", 0);
  ::setenv("SDL_RENDER_DRIVER", "software", 0);

  int problems = 0;
  if (std::strcmp(argv[2], "four") == 0) {
    srtest::SRStageRun staged([&](const std::string& stage, srtest::StagedSRView& view) {
      problems += ddz::test::SaveScreen(folder, "four-" + stage, view);
    });
    const int result = ddz::test::RunStagedProgram(staged.SceneMaker(), staged.Pacer(), true);
    std::fprintf(stderr, "%zu four-player screens in %s, %d layout problems\n", staged.StagesDone(), folder.c_str(),
                 problems);
    return result;
  }
  const int mode = std::atoi(argv[2]);
  supertest::SuperStageRun staged(mode, [&](const std::string& stage, SuperGameView& view) {
    problems += ddz::test::SaveScreen(folder, "super-mode" + std::to_string(mode) + "-" + stage, view);
  });
  const int result = ddz::test::RunStagedProgram(staged.SceneMaker(), staged.Pacer(), true);
  std::fprintf(stderr, "%zu Super screens of mode %d in %s, %d layout problems\n", staged.StagesDone(), mode,
               folder.c_str(), problems);
  return result;
}
