// The game ids and table-view kinds, named once, and the two process-wide
// records of which table is running. The scene sets them before it makes a
// view; views, rows and widgets read them.
#pragma once

namespace ddz {

// Game ids (the login record's game kind, the room value / 10000).
inline constexpr int kGameClassic = 62;
inline constexpr int kGameFourPlayer = 48;
inline constexpr int kGameSuper = 52;
inline constexpr int kGameCompete = 237;

// Kinds of table view (g_iGameViewType).
inline constexpr int kViewClassic = 1;
inline constexpr int kViewFourPlayer = 16;
inline constexpr int kViewSuper = 52;
inline constexpr int kViewCompete = 237;

}  // namespace ddz

// Game id of the current table view; switching to or from 52 recreates it.
extern int g_iCurGameID;
// Kind of the running table view, set before the view is made (kView*).
extern int g_iGameViewType;
