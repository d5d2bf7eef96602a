// The signed-in user's tournament state, process-wide: the user record the
// web server last sent (20035), the time offset to the server, today's
// sign-ups per match, the answer to the invitation question (20034) and the
// prop catalogue that names fees and prizes.
//
// Server-now, the clock of every timed tournament rule, is
//   max(0, time() - m_tLocalAtSync) + m_tServerAtSync,
// so a local clock turned back never makes it run backwards past the last
// synchronisation. Until the first record arrives it is the local time.
// time() is the process's virtual clock (platform/os/Clock.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

#include "gamedata/CompeteRecords.h"

class DdzCompete {
 public:
  // The one object, created on first use and never destroyed.
  static DdzCompete* getInstance();
  virtual ~DdzCompete();

  // Replaces the user record with `record` whole and runs UpdateSignUpTimes.
  void AcceptUserRecord(const CompeteUserRecord& record);
  // A 20034 answer (asynchronous, `error` from the web client): with error 0
  // the query time becomes now; an accepted reply stores its invitation flag
  // (true). Anything else changes nothing.
  bool AcceptInviteReply(const char* reply, int len, int error);
  // After m_UserRecord was replaced: synchronises server-now to the record's
  // server time, refills today's sign-ups (empty when the record is dated
  // another day than server-now, local calendar) and copies the record's two
  // prize holdings into GlobalInfo.
  void UpdateSignUpTimes();
  // Today's sign-ups of a match; 0 when it has no count today.
  int GetSignUpTimes(int matchId) const;
  std::int64_t GetServerNow() const;

  // The holding that pays a fee kind: 1 money, 2 yuanbao, 3 the two prize
  // holdings together, 4 GlobalInfo::iFeeType4Num, 5 the user record's; 0
  // for any other kind (0 free, -1 the free daily entry).
  int GetPropNum(int kind) const;

  // The catalogue's prop id of a fee kind's holding: coins (1) are prop 4,
  // yuanbao (2) prop 1; the other holdings have no prop of their own (0).
  static int GetFeePropId(int kind);

  // The locked room and server of a running match the user is placed in
  // (the record's decimal texts; 0 when there is none or the text is no number).
  int GetLockRoomId() const;
  int GetLockServerId() const;

  // ---- the prop catalogue ----
  // Fills m_mapPropCatalog from the shared prop file (gamedata/PropCatalog.h).
  void LoadPropCatalog();
  // "%d%s" (count, name), or the bare name when count is 0, into out
  // (capacity bytes, cut at a whole UTF-8 character). False, out untouched,
  // when the prop is not in the catalogue.
  bool GetPropName(int propId, int count, char* out, std::size_t capacity) const;
  // The item's szAwardText (as GetPropName with iPropNum) and szUnit from
  // the catalogue entry of iPropId; nothing when the id is not there.
  void FillAwardItemText(CompeteAwardItem& item) const;

  // Back to the state of construction (tests): records zero, maps empty,
  // both sync times now.
  void Reset();

  std::int32_t m_tLastInviteQuery = 0;  // when the last invitation answer arrived
  std::int32_t m_iInviteCompete = 0;    // the invitation answer; 1 invites into the tournament list
  std::int32_t m_iSignUpFeeType = 0;    // fee kind of the last sign-up
  CompeteUserRecord m_UserRecord{};
  std::map<int, PropCatalogEntry> m_mapPropCatalog;
  std::int32_t m_tLocalAtSync = 0;
  std::int32_t m_tServerAtSync = 0;
  std::map<int, int> m_mapSignUpTimes;  // match id -> today's sign-ups

 private:
  DdzCompete();
};

namespace ddz {
// time() as the tournament reads it: the low 32 bits of the virtual clock's
// wall time in seconds.
std::int32_t CompeteTimeNow();
}  // namespace ddz
