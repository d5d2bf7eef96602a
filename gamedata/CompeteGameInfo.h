// The match being played, process-wide: its record and lists as the game
// server started it, the competition state and the current stage. The
// tournament table writes the state and stage; the bar, the waiting room,
// the promotion screen and the award certificate read them. The last started
// match stays until the next one is parsed.
#pragma once

#include <cstdint>
#include <vector>

#include "gamedata/CompeteRecords.h"

class CompeteGameInfo {
 public:
  // Competition states (m_iState).
  static constexpr int kStateNone = 0;      // no match started
  static constexpr int kStateFinished = 5;  // finished and its award shown; 1 to 4: being played

  static CompeteGameInfo* shareCompeteGameInfo();
  virtual ~CompeteGameInfo();

  // State, stage and award value back to 0; the record and its lists (numbers, stages,
  // prize lines) replaced by `record`'s, whatever they hold.
  void ParseCompeteInfo(const CompeteMatchRecord& record);

  std::int32_t m_iState = kStateNone;
  std::int32_t m_iStageNo = 0;
  // The award message's last number, as the game server sent it with the
  // certificate (0 until a match ends).
  std::int32_t m_iAwardValue = 0;
  char m_szUserName[20] = {};  // the user's name in the ranking rows
  std::vector<int> m_vcNumbers;
  std::vector<int> m_vcStages;
  CompeteMatchRecord m_Record{};
  std::vector<CompeteAwardItem> m_vcAwards;

 private:
  CompeteGameInfo() = default;
};
