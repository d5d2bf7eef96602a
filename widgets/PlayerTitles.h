// What a seat's number means in words: the names of the eight seat
// expressions (skeleton and animation names), the titles of a score and of a
// money amount, as entries of the game text table, and the win rate the
// single-player bars show beside the score's title.
#pragma once

#include <string>

#include "platform/engine/Math.h"

namespace ddz {
inline constexpr int kExpressionCount = 8;
}

// Name of expression `index` (0-7); "" for any other index.
const std::string& GetExpressionName(int index);
// The title of a score: game text 70 below -99, 71 for -99..-1, 72 for 0-99,
// then one entry per hundred up to 77 for 500 and above.
const std::string& GetScoreTitle(int iScore);
// The title of a money amount: game text 79 below 1,000 up to 88 for
// 2,000,000 and above (see kMoneyTitleLimits in the source).
const std::string& GetMoneyTitle(int iMoney);
// Wins x 100 / (wins + losses) in whole percent; 0 when nothing was counted.
int SingleWinRate(int wins, int losses);
cocos2d::Rect MakeRect(float x, float y, float width, float height);
