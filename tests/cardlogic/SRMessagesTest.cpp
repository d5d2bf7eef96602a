// The four-player requests refuse what they cannot carry and change nothing.
#include <gtest/gtest.h>

#include <vector>

#include "cardlogic/SRMessages.h"

namespace sr = ddz::sr;

TEST(SRMessages, BuildersRefuseWhatTheRequestsCannotCarry) {
  const std::vector<int> full(sr::kMaxPlayCards, 2);  // 33 threes
  std::vector<int> tooMany = full;
  tooMany.push_back(2);
  struct Case {
    const char* name;
    sr::Message msg;
    std::size_t size;
  } cases[] = {
      {"33 cards", sr::BuildPlayRequest(full), sr::MsgSize::Play},
      {"34 cards", sr::BuildPlayRequest(tooMany), 0},
      {"the wildcard", sr::BuildPlayRequest({2, ddz::kWildcardCode}), 0},
      {"code 29", sr::BuildPlayRequest({29}), 0},
      {"bid 0", sr::BuildBidRequest(0), sr::MsgSize::Bid},
      {"bid 4", sr::BuildBidRequest(4), 0},
      {"bid -1", sr::BuildBidRequest(-1), 0},
      {"answer 0", sr::BuildChoiceRequest(0), 0},
      {"answer 3", sr::BuildChoiceRequest(3), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.msg.size(), c.size) << c.name;
  const sr::Message m = sr::BuildPlayRequest(full);
  EXPECT_EQ(m[1], sr::MsgType::Play);
  EXPECT_EQ(m[8 + 32], 3);
  EXPECT_EQ(m[8 + 33], 0);
  EXPECT_EQ(m[44], 33);
}
