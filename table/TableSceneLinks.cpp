#include "table/TableSceneLinks.h"

#include "platform/engine/Log.h"
#include "shell/SceneLinks.h"
#include "table/DDZGameView.h"
#include "table/GameSoundDDZ.h"

namespace ddz {

void FillTableSceneLinks() {
  SceneLinks& links = GetSceneLinks();
  links.showQuitMsgBox = [](GameViewBase* view) {
    if (auto* table = dynamic_cast<DDZGameView*>(view)) {
      table->ShowQuitMsgBox();
    } else {
      cocos2d::log("ShowQuitMsgBox: the view is not a table view");
    }
  };
  links.playBackGroundMusic = [](bool roomList) { GameSoundDDZ::shareGameSoundDDZ()->PlayBackGroundMusic(roomList); };
}

}  // namespace ddz
