#include "gamedata/RobotHeads.h"

// One head image per robot name, in the order of the names.
const int g_iRobotHeadTable[ddz::kRobotHeadCount] = {0, 1, 2, 3, 4, 5, 6, 7};

int ddz::RobotHeadPlace(int image) {
  for (int k = 0; k < kRobotHeadCount; ++k)
    if (g_iRobotHeadTable[k] == image) return k;
  return 0;
}
