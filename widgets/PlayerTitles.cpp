#include "widgets/PlayerTitles.h"

#include "gamedata/TextTables.h"

namespace {

// Money title entry kMoneyTitleFirst + i for an amount below limit i; the
// last entry for everything above.
constexpr int kMoneyTitleFirst = 79;
constexpr int kMoneyTitleLimits[] = {1000, 6000, 20000, 50000, 100000, 300000, 500000, 1000000, 2000000};

constexpr int kScoreTitleLow = 70;   // below -99
constexpr int kScoreTitleZero = 72;  // 0-99
constexpr int kScoreTitleTop = 77;   // 500 and above

}  // namespace

const std::string& GetExpressionName(int index) {
  static const std::string kNone;
  static const std::string names[ddz::kExpressionCount] = {"1_ddz_kun",    "2_ddz_aini", "3_ddz_bisheng",
                                                           "4_ddz_hongbao", "5_ddz_kaixin", "6_ddz_nu",
                                                           "7_ddz_shuai",  "8_ddz_dese"};
  if (index < 0 || index >= ddz::kExpressionCount) return kNone;
  return names[index];
}

const std::string& GetScoreTitle(int iScore) {
  if (iScore < -99) return GameText(kScoreTitleLow);
  if (iScore < 0) return GameText(kScoreTitleLow + 1);
  if (iScore >= 500) return GameText(kScoreTitleTop);
  return GameText(kScoreTitleZero + iScore / 100);
}

const std::string& GetMoneyTitle(int iMoney) {
  int entry = kMoneyTitleFirst;
  for (int limit : kMoneyTitleLimits) {
    if (iMoney < limit) return GameText(entry);
    ++entry;
  }
  return GameText(entry);
}

cocos2d::Rect MakeRect(float x, float y, float width, float height) { return cocos2d::Rect(x, y, width, height); }

int SingleWinRate(int wins, int losses) {
  const long long counted = static_cast<long long>(wins) + losses;
  if (counted <= 0 || wins <= 0) return 0;
  return static_cast<int>(static_cast<long long>(wins) * 100 / counted);
}
