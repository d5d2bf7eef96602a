// The game scene's entries that the table layer answers (shell/SceneLinks.h):
// the quit question of the running table view and the music of the table's
// sound service. The program fills them once at start-up.
#pragma once

namespace ddz {

void FillTableSceneLinks();

}  // namespace ddz
