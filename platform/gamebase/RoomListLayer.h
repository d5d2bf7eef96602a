// The room list base: the room records, the room buttons and their grid, the
// opening-hours test, entering a room and leaving the list.
//
// Room records: the fetched rooms (m_vcRoomInfo) point into the server
// records (m_vcServerInfo: server id, opening start hour and length) and the
// rule records (m_vcRoomTypeInfo: money range, class, base scores). The lists
// hold records, not pointers, in containers whose elements stay put.
//
// The derived list supplies the slots below; the base's onEnter copies the
// fetched rooms into m_vcAllRoomItem and has BuildRoomBtns make the buttons,
// which it hands back through CallBackCreateRoomBtns: the base retains every
// button there (BuildRoomBtns releases one reference per old button when it
// builds again) and lays them out in a grid, tag = index.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/engine/lua/ScriptHooks.h"
#include "platform/framework/YndGameLayer.h"

class RoomBtn;

// A game server of the room list.
struct RoomServerInfo {
  std::int32_t iWord0 = 0;
  std::int32_t iServerID = 0;
  std::int32_t iWord2 = 0;
  std::int32_t iStartHour = 0;  // opening start, 0-23
  std::int32_t iHours = 24;     // opening length; 24 or more: always open
  char szServerIP[20] = {};
  std::uint16_t iServerPort = 0;
};

// The rules of a room.
struct RoomRuleInfo {
  std::int32_t iWord0 = 0;
  std::int32_t iMinMoney = 0;   // inclusive
  std::int32_t iMaxMoney = 0;   // exclusive
  std::int32_t iWord3 = 0;
  std::int32_t iRoomClass = 0;  // 1 rob rooms; the tournament's match id
  std::int32_t iRuleSubType = 0;
  std::int32_t iBaseScore = 0;
  std::int32_t iSuperBaseScore = 0;
  std::int32_t iSecondFigure = 0;
  std::int32_t iWord9 = 0;
};

// A further record of a room (the tournament's entering fields).
struct RoomExtraInfo {
  std::int32_t iWord0 = 0;
  std::int32_t iField1 = 0;
  std::int32_t iField2 = 0;
};

// One room of the list.
struct RoomItemInfo {
  std::int32_t iGameID = 0;  // 52: the Super table
  std::int32_t iSortKey = 0;
  std::int32_t iWord2 = 0;
  RoomServerInfo* pServerInfo = nullptr;
  RoomRuleInfo* pRuleInfo = nullptr;
  RoomExtraInfo* pExtraInfo = nullptr;
};

class RoomListLayer : public YndGameLayer {
 public:
  RoomListLayer();
  ~RoomListLayer() override;

  // Registers the list (non-null) or answers the registered one (null).
  static RoomListLayer* shareRoomListLayer(RoomListLayer* list);

  // ---- the fetched room tables ----
  static std::deque<RoomServerInfo> m_vcServerInfo;
  static std::deque<RoomRuleInfo> m_vcRoomTypeInfo;
  static std::vector<RoomItemInfo> m_vcRoomInfo;
  static std::vector<int> m_vcExtraRoomInfoGameID;
  // Bit 2: the classic view is the table (set by the scene).
  static int m_iExtraRoomInfoFlag;
  // Adds one room with its server and rule records to the tables.
  static RoomItemInfo& AddRoom(int gameId, const RoomServerInfo& server, const RoomRuleInfo& rule);
  static void ClearRoomTables();

  // The money exchange settings, as the room panel fills them from the web
  // reply 41009 (dword 0 and the 16-bit fields little-endian).
  struct ChangeMoneyControlInfo {
    bool bOpen = false;           // dword 0 bit 8
    bool bFirstVac = false;       // dword 0 bit 19
    std::int32_t iKind = 0;       // byte 0
    std::int32_t iRate = 0;       // u16 at 4
    std::int32_t iMin = 0;        // u16 at 6
    bool bSwitch[4] = {};         // dword 0 bits 9, 10, 11, 12
    std::int32_t iStep = 0;       // u16 at 8
    std::int32_t iMax = 0;        // u16 at 10
    std::int32_t iLimit = 0;      // u16 at 16
    std::int32_t iTime = 0;       // seconds, when the reply came
    std::int32_t iExtra = 0;      // u16 at 18
  };
  static ChangeMoneyControlInfo m_defChangeMoneyControlInfo;

  void onEnter() override;
  void onExit() override;

  // The game id the list was made for (the derived list knows it).
  virtual int GetGameID() const { return 0; }
  // A copy of the button list.
  std::vector<RoomBtn*> getRoomBtn() const { return m_vcRoomBtn; }
  // The entry mode of a room chosen in the list (GlobalInfo::iEnterMode): an
  // ordinary entry, not the lobby's special one.
  static constexpr int kEnterModeRoomList = 0;

  // Enters the room: it becomes the current room and the table is entered on
  // the next frame (EnterGame). A null room or a room without records does
  // nothing.
  void onBtnEnterGame(RoomItemInfo* room);
  // The scene's EnterGameKind with its game id and kEnterModeRoomList (which
  // may replace the view for the room's kind), then the current view goes on
  // the stage in place of the list and logs in.
  void EnterGame();
  // True while the room is open at the hour of GetNowTime (local time). The
  // window runs from the start hour for the given hours, past midnight when
  // it ends after 24; 24 hours or more is always open.
  bool CheckRoomTime(const RoomItemInfo* room);
  // Leaving the list ends the client (the scene's QuitGameView with false).
  void QuitRoomList(cocos2d::Ref* sender);
  void QuitInner(cocos2d::Ref* sender);
  void RetLobbyVacLead(int kind, int value);
  // Whether the lack-of-money question should offer the lobby's shop.
  virtual bool CallBackEnterRoomIFShowGameBaseVacLead();
  void CallBackAsyncHttpRes(const char* reply, int len, const char* request, int msgId, int error) override;
  // Takes the buttons the derived list put into m_vcRoomBtn: retains and lays them out.
  void CallBackCreateRoomBtns();
  // Back into a running match: the server record of that id from the room
  // tables becomes GlobalInfo's server, the connection is made and the room
  // entered (EnterGame). False (logged, nothing entered) when the id is not
  // listed, there is no network view, or the connection cannot be made.
  bool EnterLockServer(int serverId, RoomItemInfo* room);
  // Brings the current view back on the stage in place of the list after a
  // view stored a frame while away (a server move): result 0; else the
  // authentication error box. A frame the view stashed is delivered first.
  void GameViewAuthenResult(int result, int a, int b);
  void ShowAuthenErrorMsg(int code);

  // ---- slots of the derived list, in slot order ----
  virtual long long GetNowTime();
  virtual void PlayRoomMusic();
  virtual void CallBackShowFirstBtn(bool show);
  virtual void DailyScreenSetRecord();
  virtual void AskEnterRoom(cocos2d::Ref* sender);
  virtual void CallBackAutoGame(cocos2d::Ref* sender);
  virtual void BuildRoomBtns();
  virtual bool CheckShowDuiHuanBox();
  virtual void OpenLobbyVac(int kind);
  virtual void ShowChangeMoneyTip(int kind, const char* text);
  virtual void FilterRoomItems(std::vector<RoomItemInfo>& listed, std::vector<RoomItemInfo>& all, int money);
  virtual RoomBtn* CreateRoomBtn(RoomItemInfo* room);
  virtual void EnterLobbyPlayServer();
  virtual void StopRoomSound();
  // Slots with fixed answers in the clients.
  virtual void OnRoomSlot1(int a);
  virtual void OnRoomSlot2(int a, int b);
  virtual void OnRoomSlot3(cocos2d::Ref* sender);
  virtual void OnRoomSlot4();
  virtual void OnRoomSlot5(int a);
  virtual int GetRoomValue0(int a, int b);
  virtual int GetRoomValue1(int a, int b);
  virtual bool GetRoomFlagTrue();

  // ---- script handlers ----
  // The list's numbered script handlers (the first registered under a key
  // stays; see platform/engine/lua/ScriptHooks.h). The tournament list asks
  // key 19 before it enters a match room.
  void RegisterLuaHandler(int key, int handler);
  void UnRegisterLuaHandler(int key);
  const ddz::ScriptHandlerMap& GetLuaHandlers() const { return m_mapLuaHandler; }

  // ---- base fields the derived lists use ----
  std::vector<RoomItemInfo> m_vcAllRoomItem;   // as fetched
  std::vector<RoomItemInfo> m_vcShowRoomItem;  // listed (filtered copy)
  std::vector<RoomBtn*> m_vcRoomBtn;
  std::uint8_t m_bFewRooms = 0;
  std::int32_t m_iFirstRoomMinMoney = 0;
  char m_szRoomBgImage[2][32] = {};
  std::int32_t m_iLackMoneyAsk = 0;
  std::uint8_t m_bEntered = 0;
  // The room entered last: game id * 10000 + class * 100.
  std::int32_t m_iCurRoomValue = 0;
  RoomItemInfo m_CurRoom;

  // Grid of the buttons: columns, the distance between slots, and how far
  // above the window's middle the rows are centred (clear of the tips strip
  // below and the room panel along the top).
  static constexpr int kGridColumns = 4;
  static constexpr float kGridStepX = 300.0f;
  static constexpr float kGridStepY = 200.0f;
  static constexpr float kGridRise = 40.0f;

 private:
  // The room entered: m_CurRoom, m_iCurRoomValue and the login record's room value.
  void SetCurRoom(const RoomItemInfo& room);
  void ReleaseButtons();
  cocos2d::Vector<RoomBtn*> m_vcLaidOutBtn;  // the buttons standing on the layer
  std::vector<RoomBtn*> m_vcRetainedBtn;     // the buttons the base holds a reference of
  ddz::ScriptHandlerMap m_mapLuaHandler;
};
