// The tournament table's screens: the whole program in a real window on SDL's
// offscreen driver with the tournament view on the table, staged through a
// match (support/CompeteStages.h: the waiting room, the start banner, the
// deal, a hand in play, the result, the promotion screen, the move to the next
// stage's server, the table after it, the certificate). Each stage is written
// as `<folder>/compete-<stage>.png`; what the layout check finds on it is
// printed, with the bar's status line and whether the deal's face-up card is
// on the table.
//
//   compete_gallery FOLDER   (scripts/screens.sh runs it)
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cards/DealCard.h"
#include "compete/CompeteTableUI.h"
#include "support/CompeteStages.h"
#include "support/StageRun.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  ::setenv("SDL_VIDEODRIVER", "offscreen", 0);
  ::setenv("SDL_RENDER_DRIVER", "software", 0);

  int problems = 0;
  competestage::CompeteStageRun staged([&](const std::string& stage, CompeteGameView& view) {
    problems += ddz::test::SaveScreen(folder, "compete-" + stage, view);
    if (CompeteTableUI* bar = view.m_pCompeteTableUI; bar != nullptr && bar->isRunning() && bar->GetStatusLabel())
      std::fprintf(stderr, "  bar status: %s\n", bar->GetStatusLabel()->getString().c_str());
    auto* deal = dynamic_cast<DealCard*>(view.m_pDealCard);
    const bool faceUp = deal != nullptr && deal->getParent() != nullptr && deal->GetLanderSprite() != nullptr &&
                        deal->GetLanderSprite()->isVisible();
    std::fprintf(stderr, "  face-up card of the deal on the table: %s\n", faceUp ? "yes" : "no");
  });
  const int result = ddz::test::RunStagedProgram(staged.SceneMaker(), staged.Pacer(), true);
  std::fprintf(stderr, "%zu tournament screens in %s, %d layout problems\n", staged.StagesDone(), folder.c_str(),
               problems);
  return result;
}
