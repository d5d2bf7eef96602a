#include <gtest/gtest.h>

#include "cardlogic/ClueCard.h"

using namespace ddz;

TEST(ClueCardCompare, ResultTable) {
  struct Row { const char* name; CardTypeInfo a; CardTypeInfo b; int result; };
  const Row rows[] = {
      {"pair 5 over pair 4", {32, 5}, {32, 4}, 1},
      {"pair 5 over pair 5", {32, 5}, {32, 5}, -1},
      {"pair 5 over triple", {32, 5}, {48, 3}, -1},
      {"pair of 2s over pair of A", {32, 20}, {32, 14}, 1},
      {"straight of 5 over straight of 6", {21, 9}, {22, 8}, -1},
      {"bomb over straight", {112, 3}, {21, 14}, 2},
      {"bomb 3 over bomb 4", {112, 3}, {112, 4}, -1},
      {"bomb 4 over bomb 3", {112, 4}, {112, 3}, 2},
      {"rocket over bomb", {113, 26}, {112, 20}, 2},
      {"bomb over rocket", {112, 20}, {113, 26}, -1},
      {"straight over bomb", {21, 14}, {112, 3}, -1},
      {"five-card wild bomb over rocket", {114, 3}, {113, 26}, 2},
      {"rocket over five-card wild bomb", {113, 26}, {114, 3}, -1},
      {"leading single", {1, 3}, {-1, 0}, 1},
      {"leading bomb", {112, 3}, {-1, 0}, 2},
      {"leading rocket", {113, 26}, {-1, 0}, 2},
      {"invalid play", {-1, 0}, {32, 4}, -1},
      {"invalid play leading", {-1, 0}, {-1, 0}, -1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ClueCard::CompareCardType(r.a, r.b), r.result);
  }
}

TEST(ClueCardHand, SortsHighestFirstThenBySuit) {
  // 3 of suit 2 (32), big joker (14), 3 of suit 0 (2), A of suit 1 (15), 2 of suit 3 (46)
  ClueCard c({32, 14, 2, 15, 46});
  EXPECT_EQ(c.Hand(), (std::vector<CardCode>{14, 46, 15, 2, 32}));
}
