#include "cardlogic/SuperRules.h"

namespace ddz {

int SearchMode = 1;
int SuperSearchMode = 1;
int g_iSelfHandCardCount = 0;
int g_iSuperSelfHandCardCount = 0;
bool g_bSuperSearchTrace = false;

bool SuperGroupBeats(const CardGroupRecord& play, const CardGroupRecord& table) {
  if (play.type == CardType::Invalid) return false;
  if (table.type == CardType::Invalid) return true;
  if (IsSuperBombType(play.type) && play.type != table.type) return play.type > table.type;
  return play.type == table.type && play.value > table.value;
}

}  // namespace ddz
