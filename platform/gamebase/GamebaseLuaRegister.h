// Script registration of the game-base module "gamebase". Start-up calls it
// with the global table on top of the Lua stack, after the framework and
// platform modules and before the client's own module.
#pragma once

struct lua_State;

// The types "gamebase.GameSceneBase", "gamebase.GameViewBase",
// "gamebase.RoomListLayer", "gamebase.RoomBtn", "gamebase.GameResBase",
// "gamebase.AniBase", "gamebase.GameMsgBox", "gamebase.NewPlayerHead" (engine
// objects, pushed under their own type) and the records
// "gamebase.PlayerNodeDef", "gamebase.RoomItemInfoDef", "gamebase.GlobalInfoDef".
// Scripts read:
//   GameSceneBase.m_pGameView             the current table view or nil
//   GameViewBase:GetTablePosByTableNumExtra(chair), :GetPlayerNode(seat)
//     (a PlayerNodeDef or nil; its value goes with the view),
//     :GetPlayerCount(), GameViewBase.m_GlobalInfo (the login record)
//   the records' fields, read-only: PlayerNodeDef iUserID, szUserName,
//     szNickName, iMoney, iYuanBao, cChairID, cHeadID, bReady, iWinNum,
//     iLoseNum, iLevel; RoomItemInfoDef iGameID; GlobalInfoDef iUserID,
//     szNickName, szUserName, iMoney, iYuanBao, iTableNum, iChairID,
//     iPlayMode, bSoundOpen, bMusicOpen, iCardCounterMode.
int register_all_gamebase(lua_State* L);
