#include "shell/SceneLinks.h"

namespace ddz {

SceneLinks& GetSceneLinks() {
  static SceneLinks links;
  return links;
}

}  // namespace ddz
