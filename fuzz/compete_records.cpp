// The tournament's records from arbitrary bytes: a user record (today's
// sign-ups, the locked match, the holdings) and a match record (its lists,
// prize lines, fee choice and the three checks). What holds: a usable match
// has its minimum lists, the fee chosen is one the match offers (or a free
// kind), the checks' texts stay inside their 128 bytes, terminated and cut at
// characters, and reading the same bytes again gives the same result.
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "gamedata/CompeteGameInfo.h"
#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/DdzCompete.h"
#include "gamedata/PropCatalog.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Clock.h"

namespace {

// The program's game texts and prop catalogue in the scratch folder.
void CopyDataFile(const char* name) {
  std::ifstream in(std::string(DDZ_SOURCE_DIR) + "/data/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  ddz::fuzz::Scratch::Get().Write(name, s.str());
}

template <typename Record>
Record RecordFrom(ddz::fuzz::Input& in) {
  Record r{};
  const std::vector<std::uint8_t> bytes = in.Bytes(sizeof r);
  if (!bytes.empty()) std::memcpy(&r, bytes.data(), bytes.size());
  return r;
}

template <std::size_t N>
bool Terminated(const char (&text)[N]) {
  return ::strnlen(text, N) < N;
}

void CheckText(const char* text, std::size_t capacity, const char* guard) {
  FUZZ_CHECK(::strnlen(text, capacity) < capacity);
  FUZZ_CHECK(ddz::fuzz::IsUtf8(text));
  FUZZ_CHECK(std::memcmp(guard, "guard", 5) == 0);
}

void CheckUserRecord(ddz::fuzz::Input& in) {
  const CompeteUserRecord record = RecordFrom<CompeteUserRecord>(in);
  DdzCompete& compete = *DdzCompete::getInstance();
  compete.AcceptUserRecord(record);
  FUZZ_CHECK(compete.GetServerNow() == record.tServerTime);
  FUZZ_CHECK(GameViewBase::m_GlobalInfo.iPrizeHold88 == record.iPrizeHold88);
  FUZZ_CHECK(compete.m_mapSignUpTimes.size() <= sizeof record.szDailySignUps / 2 + 1);
  const auto counts = compete.m_mapSignUpTimes;
  const int room = compete.GetLockRoomId();
  compete.AcceptUserRecord(record);
  FUZZ_CHECK(compete.m_mapSignUpTimes == counts && compete.GetLockRoomId() == room);
  for (const auto& [id, n] : counts) FUZZ_CHECK(compete.GetSignUpTimes(id) == n);
}

void CheckMatchRecord(ddz::fuzz::Input& in) {
  GlobalInfo& login = GameViewBase::m_GlobalInfo;
  login.iMoney = static_cast<int>(in.U32());
  login.iYuanBao = static_cast<int>(in.U32());
  GameSceneBase::m_iLevelValue = static_cast<int>(in.U32());
  RoomServerInfo server;
  server.iStartHour = static_cast<int>(in.U32());
  server.iHours = static_cast<int>(in.U32());
  RoomItemInfo item;
  item.pServerInfo = in.Bool() ? &server : nullptr;
  const CompeteMatchRecord record = RecordFrom<CompeteMatchRecord>(in);

  CompeteRoomInfo room;
  const bool usable = room.ParseRoomInfo(record, item);
  if (usable) {
    FUZZ_CHECK(room.m_vcNumbers.size() >= 6 && room.m_vcStages.size() >= 2 && !room.m_vcAwards.empty());
    FUZZ_CHECK(room.m_iShowSignUpNum >= 0);
    bool offered = room.m_iFeeType == CompeteRoomInfo::kFeeFreeDaily || room.m_iFeeType == CompeteRoomInfo::kFeeNone;
    for (const CompeteKindValue& fee : room.m_vcFees) offered = offered || fee.iKind == room.m_iFeeType;
    FUZZ_CHECK(offered);
    // Without options only the free daily entry can be chosen.
    if (room.m_vcFees.empty())
      FUZZ_CHECK(room.m_iFeeType == CompeteRoomInfo::kFeeFreeDaily
                     ? room.m_bFeeChosen && room.m_bFreeDaily && room.HasFreeDailyEntry()
                     : room.m_iFeeType == CompeteRoomInfo::kFeeNone && !room.m_bFeeChosen && !room.HasFreeDailyEntry());
  }
  for (const CompeteAwardItem& award : room.m_vcAwards) {
    FUZZ_CHECK(Terminated(award.szAwardText) && Terminated(award.szAwardText2) && Terminated(award.szAwardText3));
    FUZZ_CHECK(Terminated(award.szUnit));
  }
  char text[CompeteRoomInfo::kCheckTextSize + 5];
  char* guard = text + CompeteRoomInfo::kCheckTextSize;
  std::memcpy(guard, "guard", 5);
  const int fee = static_cast<int>(in.U32() % 8) - 2;
  if (!room.CheckSignUpFee(fee, text)) CheckText(text, CompeteRoomInfo::kCheckTextSize, guard);
  const bool open = room.CheckOpenTime(text);
  if (!open) CheckText(text, CompeteRoomInfo::kCheckTextSize, guard);
  const bool hoursApply = item.pServerInfo != nullptr && server.iHours < 24;
  if (!hoursApply && record.iMatchKind != 1 && record.iIntervalMinutes <= 0) FUZZ_CHECK(!open);
  if (!room.CheckFreeCondition(text)) CheckText(text, CompeteRoomInfo::kCheckTextSize, guard);

  CompeteGameInfo& game = *CompeteGameInfo::shareCompeteGameInfo();
  game.ParseCompeteInfo(record);
  FUZZ_CHECK(game.m_iState == 0 && game.m_iStageNo == 0);
  if (usable) FUZZ_CHECK(game.m_vcNumbers == room.m_vcNumbers && game.m_vcAwards.size() == room.m_vcAwards.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    ddz::fuzz::QuietLog();
    ddz::fuzz::Scratch::Get();
    CopyDataFile("ddz_game_text.txt");
    CopyDataFile(ddz::kPropConfFile);
    DdzCompete::getInstance()->LoadPropCatalog();
    return true;
  }();
  (void)ready;
  const ddz::fuzz::RunScope scope;
  ddz::fuzz::Input in(data, size);
  ddz::os::Clock().Reset(0, static_cast<std::int32_t>(in.U32()));
  if (in.Bool()) CheckUserRecord(in);
  else CheckMatchRecord(in);
  return 0;
}
