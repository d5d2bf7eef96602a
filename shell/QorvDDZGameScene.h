// The client's one scene, on the game-base layer's GameSceneBase. It reads
// the lobby's login record and the command line into the global login record,
// reports its window to the lobby, chooses the room list and the table view
// by game id, loads the table's sprite sheets in stages behind GameLoading,
// switches between the classic and the tournament mode, starts the login when
// loading ends and reports the outcome to the lobby when the player leaves.
//
// The scene makes the table views and room lists through the New* operations
// below; a class that is not in this build is logged and gives null.
#pragma once

#include <cstdint>
#include <string>

#include "gamedata/GameKinds.h"
#include "platform/gamebase/GameSceneBase.h"
#include "shell/LoginRecord.h"

namespace cocos2d {
class Ref;
}

// The lobby window of the command line (token 8); the quit reports go there.
extern std::uint32_t g_hLobbyWnd;
// Set when MapGameKind turned kind 22 into 62.
extern std::uint8_t g_bKind22Mapped;

class QorvDDZGameScene : public GameSceneBase {
 public:
  // The client versions the game server is told, by table kind.
  static constexpr const char* kVersionClassic = "V1.07";
  static constexpr const char* kVersionCompete = "V1.02";
  static constexpr const char* kVersionFourPlayer = "V1.02";
  static constexpr const char* kVersionSuper = "V1.09";
  static constexpr const char* kVersionSpecial = "V1.08";
  // The window frame's z-order and the period of the mode-switch retries.
  static constexpr int kFrameZOrder = 9999999;
  static constexpr float kRebuildInterval = 0.2f;

  QorvDDZGameScene();
  ~QorvDDZGameScene() override;

  // ---- slots of GameSceneBase ----
  cocos2d::Node* GetOptionalNode(cocos2d::Node* node) override;
  YndLoadingBase* CreateLoadingView() override;
  RoomListLayer* CreateRoom(int gameId) override;
  GameViewBase* CreateInstanceGameView(YndLoadingBase* loading, int gameId) override;
  int LoadResStep(YndGameLayer* layer, int kind, int percent) override;
  int GetOptionalValue(int a, int b) override;
  bool IsGameId50(int gameId) override;
  int CallBackGetExtraRoomInfoGameID1(int kind) override;
  int CallBackGetExtraRoomInfoGameID2(int kind) override;
  void EnterGameKind(int kind, int mode) override;
  bool CheckSingleIndependent(int value) override;
  int* MapGameKind(int* kind) override;
  void GameEnterBackGround() override;
  void GameEnterForeGround() override;
  void GameResLoadingEnd() override;
  void QuitGameView(bool backToRoomList) override;
  // The login record and the command line (program path and eight
  // parameters, or nine with the extra search path) into m_GlobalInfo; tells
  // the lobby the window and answers the record as hexadecimal text. Without
  // a whole login record: the base parse. Another number of parameters: an
  // error box and the client ends.
  std::string ParseCommandLine(char* commandLine) override;
  bool GetOptionalFlag() override;
  void LobbyEnterGame(char* data) override;
  // ---- what the room lists ask: the login record and the mode switch ----
  int GetLoginUserID() const override { return m_LoginRecord.UserId(); }
  int GetLoginRoomValue() const override { return m_LoginRecord.RoomValue(); }
  void SetLoginRoomValue(int value) override { m_LoginRecord.SetRoomValue(value); }
  void SwitchGameKind(int kind) override { DestroyLayers(kind); }
  bool IsKind22Mapped() const override { return g_bKind22Mapped != 0; }

  // ---- mode switch ----
  // Takes the view, the room list and the resource holder away and rebuilds
  // the view for the new game kind over the next frames.
  void DestroyLayers(int newKind);
  void DestroyGameView();
  void TryCreateGameView(float dt);
  void ShowGameNextFrame(float dt);

  // The window frame's close button: the table's quit question.
  void OnFrameClose(cocos2d::Ref* sender);
  // The back key (Escape) at a table: cancels an open question, else closes
  // the table's panel drawn on top, else asks the quit question. The room
  // lists answer the key themselves.
  void OnBackKey();
  // Listens for the back key from the first entrance on.
  void onEnter() override;

  // ---- the classes the scene makes (made with `new`; the scene keeps the
  // one reference). Null, with a log line, for a class not in this build.
  virtual GameViewBase* NewGameViewPC(YndLoadingBase* loading, int gameId);
  virtual GameViewBase* NewSRGameView(YndLoadingBase* loading);
  virtual GameViewBase* NewSuperGameView(YndLoadingBase* loading, int gameId);
  virtual GameViewBase* NewCompeteGameView(YndLoadingBase* loading);
  virtual RoomListLayer* NewClassicRoomList(int gameId);
  virtual RoomListLayer* NewCompeteRoomList();

  ddz::LoginRecord& GetLoginRecord() { return m_LoginRecord; }
  const ddz::LoginRecord& GetLoginRecord() const { return m_LoginRecord; }

 private:
  ddz::LoginRecord m_LoginRecord;
  bool m_bBackKeyHeard = false;
};

namespace ddz {
// The frame title: game text 458 formatted with game text 455, "v1.0.0.2" and
// "V1.08" when it takes exactly three texts, else those joined by spaces; at
// most 127 bytes, cut at a character boundary.
std::string FrameTitleText();
}  // namespace ddz
