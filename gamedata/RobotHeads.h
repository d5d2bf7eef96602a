// The computer players of the single-player game: the head images they may
// show and the names that go with them. Place k of g_iRobotHeadTable holds a
// head image index; the player showing it is named by game text
// kRobotNameFirstText + k.
#pragma once

namespace ddz {
inline constexpr int kRobotHeadCount = 8;
inline constexpr int kRobotNameFirstText = 61;
// The place of head image `image` in g_iRobotHeadTable; 0 when absent.
int RobotHeadPlace(int image);
}  // namespace ddz

extern const int g_iRobotHeadTable[ddz::kRobotHeadCount];
