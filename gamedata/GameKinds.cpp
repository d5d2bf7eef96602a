#include "gamedata/GameKinds.h"

int g_iCurGameID = 0;
int g_iGameViewType = ddz::kViewClassic;
