// How the game scene reaches the classes of the layers above the shell: the
// table views, the room lists and the table operations it calls. Each layer
// fills its entries when the program starts; an empty entry means the class
// is not part of this build, and the scene logs that it cannot make it.
#pragma once

#include <functional>

class GameSceneBase;
class GameViewBase;
class RoomListLayer;
class YndLoadingBase;

namespace ddz {

struct SceneLinks {
  // Table views, made with `new` (the scene keeps the one reference), by the
  // constructors of their classes.
  std::function<GameViewBase*(GameSceneBase* scene, YndLoadingBase* loading, int gameId)> newGameViewPC;
  std::function<GameViewBase*(GameSceneBase* scene, YndLoadingBase* loading)> newSRGameView;
  std::function<GameViewBase*(GameSceneBase* scene, YndLoadingBase* loading, int gameId)> newSuperGameView;
  std::function<GameViewBase*(GameSceneBase* scene, YndLoadingBase* loading)> newCompeteGameView;
  // Room lists: C_RoomListLayer for a game id, CompeteRoomListLayer.
  std::function<RoomListLayer*(int gameId)> newClassicRoomList;
  std::function<RoomListLayer*()> newCompeteRoomList;

  // DDZGameView::ShowQuitMsgBox of a table view.
  std::function<void(GameViewBase* view)> showQuitMsgBox;
  // GameSoundDDZ::PlayBackGroundMusic (true: the room list's music).
  std::function<void(bool roomList)> playBackGroundMusic;
};

// The process's links (all empty until the layers fill them).
SceneLinks& GetSceneLinks();

}  // namespace ddz
