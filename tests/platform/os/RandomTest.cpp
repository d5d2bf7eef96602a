#include <gtest/gtest.h>

#include "platform/os/Clock.h"
#include "platform/os/Random.h"

using namespace ddz::os;

TEST(Random, LcgMatchesTheWindowsRuntimeSequence) {
  // srand(1) on the Windows runtime gives 41, 18467, 6334, 26500, 19169.
  LcgRandom r(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169};
  for (int e : expected) EXPECT_EQ(r.Next(), e);
}

TEST(Random, ScriptedSourceIsUsedByRandAndRestored) {
  ScriptedRandom scripted{5, 70000, -1};
  {
    ScopedRandomSource guard(scripted);
    EXPECT_EQ(Rand(), 5);
    EXPECT_EQ(Rand(), 70000 % 32768);
    EXPECT_EQ(Rand(), 32767);  // negative scripted values wrap into range
    Srand(99);
    EXPECT_EQ(scripted.seedCalls, 1);
    EXPECT_EQ(scripted.lastSeed, 99u);
  }
  EXPECT_NE(&GetRandomSource(), &scripted);
  EXPECT_EQ(RandBelow(0), 0);
}

TEST(Clock, AdvancesAndKeepsWallTimeInStep) {
  VirtualClock c;
  c.SetWallTimeSeconds(1000);
  c.AdvanceMs(2500);
  EXPECT_EQ(c.NowMs(), 2500u);
  EXPECT_EQ(c.WallTimeSeconds(), 1002);
}
