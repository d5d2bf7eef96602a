#include "gamedata/RobotHeads.h"

// One head image per robot name, in the order of the names.
const int g_iRobotHeadTable[ddz::kRobotHeadCount] = {0, 1, 2, 3, 4, 5, 6, 7};
