// The game base's records: the login record of the process (GlobalInfo), a
// seated player (PlayerNode) and the server's kick-out notice (KickOutServer).
// Texts are fixed zero-terminated buffers; names are GBK like everything the
// lobby and the game server hand over, and are converted to UTF-8 where shown.
#pragma once

#include <cstdint>

struct GlobalInfo {
  // ---- login and launch ----
  std::int32_t iUserID = 0;
  char szServerIP[20] = {};
  std::uint16_t iServerPort = 0;
  char szUserToken[20] = {};
  std::int32_t iServerID = 0;
  std::int32_t iLaunchParam4 = 0;  // command-line token 4
  std::int32_t iNetFlag = 0;       // command-line token 5
  std::uint32_t iLobbyWnd = 0;
  char szClientVersion[32] = {};
  std::int32_t iEnterMode = 0;
  // 1: the single-player game against the local server (user id 0 on the
  // command line); 0: a game server. No other value is ever written.
  std::int32_t iPlayMode = 0;
  std::uint8_t bQuitReport = 0;
  // Written by the game base only: the key of the first-entry flag of the
  // room list ("key_qorvddz_first_into_%d%d" with this and the user id).
  std::int32_t iFirstIntoKind = 0;

  // ---- the own player ----
  std::int32_t iHeadID = 0;
  char szNickName[32] = {};
  char szUserName[32] = {};
  std::int32_t iTableNum = 0;
  std::int32_t iChairID = 0;
  // The int of the own player record that precedes its second name text.
  std::int32_t iPlayerExtraInt = 0;

  // ---- holdings ----
  std::int32_t iMoney = 0;        // coins (fee kind 1)
  std::int32_t iYuanBao = 0;      // yuanbao (fee kind 2)
  std::int32_t iFeeType4Num = 0;  // the holding the tournament counts as fee kind 4
  std::int32_t iPrizeHold88 = 0;  // with iPrizeHold89 the tournament's fee kind 3
  std::int32_t iPrizeHold89 = 0;
  std::int32_t iYuanBaoNextYear = 0;
  std::int32_t iProp2NextYear = 0;
  std::int32_t iProp2Amount = 0;

  // ---- table ----
  std::int32_t iTableFee = 0;
  std::int32_t iSmallBtnType = 0;   // the result screen's small button
  std::int32_t iServerTime = 0;     // seconds, from the game server
  std::int32_t iGameKind = 0;       // 7 and 8 hide names
  std::uint8_t bDayFlag = 0;        // cleared at the start of the day

  // ---- settings (stored by GameViewBase::WriteSettingInfo) ----
  float fMusicVolume = 1.0f;
  float fSoundVolume = 1.0f;
  std::uint8_t bMusicOpen = 1;
  std::uint8_t bSoundOpen = 1;
  std::uint8_t bThirdSwitch = 0;
  std::int32_t iCardCounterMode = 0;  // 0 cards played, 1 cards remaining

  // ---- guide ----
  std::int32_t iGuideShowTimes = 0;
  std::uint8_t bGuideShown = 0;

  // ---- single-player totals ----
  std::int32_t iSingleGameAmount = 0;
  std::int32_t iSingleWinNum = 0;
  std::int32_t iSingleLoseNum = 0;
};

// A seated player. "All fields zero" is an empty record.
struct PlayerNode {
  std::int32_t iUserID = 0;
  char szUserName[32] = {};  // GBK
  char szNickName[32] = {};  // GBK
  std::int32_t iMoney = 0;
  std::int32_t iYuanBao = 0;
  std::uint8_t cChairID = 0;
  std::int8_t cHeadID = 0;
  std::uint8_t bReady = 0;
  std::uint8_t bShortClock = 0;  // 1: the server plays for the seat
  std::uint8_t bNetDelay = 0;
  std::int32_t iWinNum = 0;
  std::int32_t iLoseNum = 0;
  std::int32_t iLevel = 0;        // experience; / 100 gives the badge
  std::int32_t iPlayCount = 0;    // hands played
  std::int32_t iCmpValue[3] = {}; // competition values (scripts)

  void Clear() { *this = PlayerNode(); }
};

// The kick-out notice as the game server sends it: a text from byte 16 and a
// flag word at byte 144.
struct KickOutServer {
  char head[16] = {};
  char szText[128] = {};
  std::int32_t iFlag = 0;
};
static_assert(sizeof(KickOutServer) == 148);
static_assert(__builtin_offsetof(KickOutServer, szText) == 16);
static_assert(__builtin_offsetof(KickOutServer, iFlag) == 144);
