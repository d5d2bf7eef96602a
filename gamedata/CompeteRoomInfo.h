// One match of the tournament list: its match record parsed, with the rules
// the list, the match card and the sign-up dialog ask: which fee to offer
// (ChooseSignUpFee), whether a fee can be paid (CheckSignUpFee), whether
// sign-up is open now (CheckOpenTime) and whether the entry conditions are
// met (CheckFreeCondition). The list rebuilds these objects from the match
// records at every list build; they are plain copyable values.
//
// The checks answer bool and, given a buffer (kCheckTextSize bytes), write
// the game text that says why not. Times are server-now (DdzCompete).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gamedata/CompeteRecords.h"
#include "platform/gamebase/RoomListLayer.h"

class YndGameLayer;

class CompeteRoomInfo {
 public:
  // Size of a check's message buffer.
  static constexpr std::size_t kCheckTextSize = 128;
  // Fee kinds beside the holdings' (DdzCompete::GetPropNum).
  static constexpr int kFeeFree = 0;
  static constexpr int kFeeFreeDaily = -1;
  static constexpr int kFeeNone = -2;  // the match offers no fee option

  CompeteRoomInfo() = default;
  virtual ~CompeteRoomInfo() = default;
  CompeteRoomInfo(const CompeteRoomInfo&) = default;
  CompeteRoomInfo& operator=(const CompeteRoomInfo&) = default;

  // Copies the record and the lobby's room entry and reads the record's
  // lists; false when the match is unusable: five general numbers or fewer,
  // one stage or none, or no award line. Chooses the fee at the end.
  bool ParseRoomInfo(const CompeteMatchRecord& record, const RoomItemInfo& room);

  // Sets m_iFeeType, m_iFeeNum, m_bFeeChosen and m_bFreeDaily: a free option
  // wins at once; else the free daily entry when it is left today (with or
  // without options); else the first option (record order) the user can
  // pay; else the first option, not chosen; with no option at all kFeeNone.
  void ChooseSignUpFee();

  // Whether the fee of kind `feeType` can be paid now (kFeeFreeDaily: a free
  // entry is left today). The refusal names the holding (its catalogue name,
  // else the general word of a fee kind the match does not offer).
  bool CheckSignUpFee(int feeType, char* szErr) const;
  // Whether sign-up is open at server-now: inside the room's daily hours and,
  // for a timetabled match, inside a sign-up window. Sets m_tNextStart to the
  // start of the current or next window. An interval of 0 minutes is closed.
  bool CheckOpenTime(char* szErr);
  // Whether the entry conditions are met (level conditions, kind 0 with a
  // value of 2 to 5, against GameSceneBase::m_iLevelValue / 10000).
  bool CheckFreeCondition(char* szErr) const;

  // Whether the free daily entry is left today.
  bool HasFreeDailyEntry() const;

  // Asks the web server for the user's tournament record (20035). Unless
  // bForce, nothing is sent within 300 s of the last request (-1). A request
  // sent stores its send time, whatever the answer. Asynchronous: 0, the reply goes to target
  // (read it with CompeteWebMsg::ReadCompeteRoomInfoReply). Blocking: 0 when
  // an accepted reply replaced DdzCompete's record, -1 otherwise (the record
  // unchanged).
  static int RequestCompeteRoomInfo(bool bSync, YndGameLayer* target, bool bForce);
  // When the last 20035 was sent (0: never).
  static std::int32_t m_tLastRequestTime;

  CompeteMatchRecord m_Record{};
  RoomItemInfo m_RoomItem;  // copy; its pointers lead into the room list's tables
  std::int32_t m_iMatchId = 0;
  std::int32_t m_iShowSignUpNum = 0;
  std::int32_t m_bFeeChosen = 0;
  std::int32_t m_tFirstStart = 0;
  std::int32_t m_tNextStart = 0;
  std::int32_t m_iFeeType = 0;
  std::int32_t m_iFeeNum = 0;
  std::int32_t m_bFreeDaily = 0;
  // 1 once the user picked the fee in the sign-up dialog: a fresh user
  // record no longer chooses it again (ChooseSignUpFee itself ignores it).
  std::int32_t m_bFeePicked = 0;
  std::vector<int> m_vcNumbers;                 // general numbers
  std::vector<int> m_vcStages;                  // stage list
  std::vector<CompeteKindValue> m_vcConditions;  // entry conditions (kind, value)
  std::vector<CompeteAwardItem> m_vcAwards;     // prize lines
  std::vector<CompeteKindValue> m_vcFees;        // fee options (kind, amount), in record order
};

namespace ddz {
// The sign-up number shown for `n` sign-ups:
// trunc(sqrt(n) * n / 100 + 7n + n / 17), 0 for n <= 0.
int CompeteShowSignUpNum(int n);
}  // namespace ddz
