// The base of the client's game scene, and the drive of a game client.
//
// When the scene first enters the stage the base runs the start-up:
//   1. ParseCommandLine(the command line) fills m_GlobalInfo and answers the
//      login record as hexadecimal text; its first int is the game kind
//      (62 when there is no record), passed through MapGameKind; a parse
//      that ends the client (OsApiCommon::ExitGame) ends the start-up here;
//   2. user id 0 means the single-player game: GlobalInfo::iPlayMode = 1
//      (else 0), and no room list is made;
//   3. CreateLoadingView, then CreateRoom(game id) (network play only), then
//      CreateInstanceGameView(loading screen, game id), kept in m_pGameView;
//   4. a GameResBase over the loading screen steps LoadResStep once a frame
//      until 100 %, showing SetProNum each time, then calls GameResLoadingEnd.
// The base GameResLoadingEnd takes the loading screen away and shows the table
// view (single-player) or the room list, made first with CreateRoom(game id)
// when there is none (a mode switch took it away); the client's scene then
// enters the game kind and logs in (ClearDataBeforeEnter, IniMainSocketAuthen).
// A room entered from the list goes the same way: EnterGameKind, the view on
// the stage, the login (RoomListLayer::EnterGame).
//
// The library keeps one reference to the view, the room list, the resource
// holder and the loading screen it got from the Create slots (made with `new`;
// an autoreleased object is retained instead) and drops them with the scene.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework/YndGameScene.h"

class GameResBase;
class GameViewBase;
class RoomListLayer;
class YndGameLayer;
class YndLoadingBase;

class GameSceneBase : public YndGameScene {
 public:
  // The game kind of the classic PC table, used when no login record says otherwise.
  static constexpr int kDefaultGameKind = 62;
  // Size of the lobby's login record.
  static constexpr int kLoginRecordSize = 124;

  GameSceneBase();
  ~GameSceneBase() override;

  static GameSceneBase* m_pGameScene;
  static GameViewBase* m_pGameView;
  static RoomListLayer* m_pRoomList;
  static GameResBase* m_pGameResBase;
  static int m_iGameOrientation;  // 1 = portrait
  // The user's level value as the lobby keeps it; the tournament's entry
  // conditions compare it in units of 10000. 0 until something sets it.
  static int m_iLevelValue;

  void onEnter() override;
  // The start-up above; runs once (the first onEnter calls it).
  void StartClient();
  bool IsClientStarted() const { return m_bClientStarted; }

  // ---- slots the client's scene replaces, in slot order ----
  virtual cocos2d::Node* GetOptionalNode(cocos2d::Node* node);
  virtual YndLoadingBase* CreateLoadingView();
  virtual RoomListLayer* CreateRoom(int gameId);
  virtual GameViewBase* CreateInstanceGameView(YndLoadingBase* loading, int gameId);
  // Loads the next stage of resources for the game kind; answers the new
  // percentage (100 when done).
  virtual int LoadResStep(YndGameLayer* layer, int kind, int percent);
  virtual int GetOptionalValue(int a, int b);
  virtual bool IsGameId50(int gameId);
  virtual int CallBackGetExtraRoomInfoGameID1(int kind);
  virtual int CallBackGetExtraRoomInfoGameID2(int kind);
  virtual void EnterGameKind(int kind, int mode);
  virtual bool CheckSingleIndependent(int value);
  virtual int* MapGameKind(int* kind);
  // Tell the current view (CallBackGameEnterBackGround / ...ForeGround).
  virtual void GameEnterBackGround();
  virtual void GameEnterForeGround();
  virtual void GameResLoadingEnd();
  // Leaves the table: back to the room list (when there is one), else the
  // client ends (OsApiCommon's exit).
  virtual void QuitGameView(bool backToRoomList);
  // The fallback parse of the lobby's command line (program path and eight
  // parameters: server address, port, server id, two numbers, user id, user
  // token, lobby window) into m_GlobalInfo. Answers a 124-byte login record
  // (game kind 62, user id at 8, token at 72) as hexadecimal text.
  virtual std::string ParseCommandLine(char* commandLine);
  virtual bool GetOptionalFlag();
  virtual void LobbyEnterGame(char* data);

  // ---- base operations ----
  virtual int CallBackGetExtraRoomInfoGameID3(int kind);
  // Keeps the extra game ids whose rooms the room list fetches as well.
  void CallBackGetExtraRoomInfoGameID(int kind, std::vector<int>& gameIds);
  const std::vector<int>& GetExtraRoomGameIDs() const { return m_vcExtraGameIDs; }
  // True picks the small-screen layout: not an iPad-class device.
  bool JudgeIP5Conf() const;
  void ChangeDeviceOrientation(bool portrait);
  // Takes the view off and shows the room list.
  virtual void CallBackQuitGameShowRoomList();
  // A game message for the current view: queued like every other.
  void HandleMainSocketNetMsg(char* msg, int len);
  // True when the command line gave the login data.
  bool CheckUserLoginDataForLoadView() const;
  virtual void CallBackViewChange();
  virtual void CallBackSetGameOrientation(int orientation);

  // ---- what the room lists ask of the client's scene ----
  // The login record's user id (record offset 8); the base answers GlobalInfo's.
  virtual int GetLoginUserID() const;
  // The login record's room value (record offset 108): cleared at start-up,
  // then the value of the room entered (RoomListLayer::m_iCurRoomValue).
  virtual int GetLoginRoomValue() const { return 0; }
  virtual void SetLoginRoomValue(int) {}
  // Switches to the mode of another game kind (the tournament list and back);
  // the base only logs.
  virtual void SwitchGameKind(int kind);
  // True when the lobby's game kind 22 was taken as 62.
  virtual bool IsKind22Mapped() const { return false; }

  // The game id the view was made for (the login record's game kind).
  int GetGameID() const { return m_iGameID; }
  void SetGameID(int gameId) { m_iGameID = gameId; }
  YndLoadingBase* GetLoadingView() const { return m_pLoadingView; }

  std::uint8_t m_bFreeFlag = 0;          // set to 1 by the client's scene
  std::uint8_t m_bIsIpad = 0;            // the tablet layout
  std::uint8_t m_bRecordGameState = 0;   // game-state recording on

  // Keeps one reference of an object a Create slot handed over.
  static void AdoptReference(cocos2d::Ref* object);

 protected:
  // Adds the node to the scene when it stands nowhere.
  void ShowLayer(cocos2d::Node* node, int z);

  int m_iGameID = kDefaultGameKind;

 private:
  bool m_bClientStarted = false;
  bool m_bCommandLineParsed = false;
  YndLoadingBase* m_pLoadingView = nullptr;  // one reference
  std::vector<int> m_vcExtraGameIDs;
};
