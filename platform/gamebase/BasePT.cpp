#include "platform/gamebase/BasePT.h"

int BasePT::g_iWindowWidth = 1280;
int BasePT::g_iWindowHeight = 720;
