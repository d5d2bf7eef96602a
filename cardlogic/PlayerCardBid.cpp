// CPlayerCard::GetBidScore: the bid a freshly dealt hand wants.
#include "cardlogic/PlayerCard.h"

#include <algorithm>

#include "platform/os/Random.h"

namespace ddz {

namespace {
// One chance: a draw of Rand() % 100 that succeeds below the percentage.
bool Chance(int percent) { return os::Rand() % 100 < percent; }
}  // namespace

int CPlayerCard::GetBidScore() {
  // No 2s, jokers or bombs: never bid, and draw nothing.
  if (m_iHighScore == 0) return 0;

  int wish = 0;
  switch (m_iTurns) {
    case 0: wish = 0; break;
    case 1: case 2: case 3: case 4: wish = 3; break;
    case 5: wish = Chance(90) ? 3 : 2; break;
    case 6: wish = Chance(75) ? 3 : 2; break;
    case 7: {
      const int r = os::Rand() % 100;
      wish = r < 20 ? 3 : r < 80 ? 2 : 1;
      break;
    }
    case 8: wish = Chance(25) ? 2 : 1; break;
    case 9: wish = Chance(10) ? 2 : 1; break;
    case 10: wish = Chance(10) ? 1 : 0; break;
    default: wish = 0; break;  // 11 or more
  }

  // The big joker counts twice.
  const int strength = m_iHighScore + static_cast<int>(m_OwnCount.Get(kValueBigJoker));
  if (strength >= 5) {
    wish += 3;
  } else if (strength == 4) {
    wish += 2;
  } else if (strength == 3) {
    if (Chance(30)) wish += 1;
  } else if (strength == 1) {
    const int r = os::Rand() % 100;
    if (r < 80 && wish >= 2) wish -= 2;
    else if (wish >= 1) wish -= 1;
  }
  return std::min(wish, 3);
}

}  // namespace ddz
