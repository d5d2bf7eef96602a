#include "cardlogic/SuperRules.h"

namespace ddz {

int SearchMode = 1;
int SuperSearchMode = 1;
int g_iSelfHandCardCount = 0;
int g_iSuperSelfHandCardCount = 0;
bool g_bSuperSearchTrace = false;

}  // namespace ddz
