#include "gamedata/CompeteRoomInfo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>

#include "gamedata/DdzCompete.h"
#include "gamedata/TextHelpers.h"
#include "gamedata/TextTables.h"
#include "platform/framework/YndConf.h"
#include "platform/gamebase/GameSceneBase.h"
#include "platform/gamebase/GameViewBase.h"

namespace {

// Game text entries of the checks.
constexpr int kTextClosedHours = 334;
constexpr int kTextNotOpenYet = 408;
constexpr int kTextNoFreeEntry = 439;
constexpr int kTextCannotPay = 440;       // "%s": the prop that cannot pay
constexpr int kTextFeeNotOffered = 307;   // the word put into 440 for a fee kind not offered
constexpr int kTextConditionNotMet = 444;  // "%s": the condition
constexpr int kTextConditionBase = 443;    // + value: the condition's name
// Index of the general number that limits the free daily entry's yuanbao.
constexpr std::size_t kFreeDailyYuanBaoLimit = 5;
constexpr int kLevelUnit = 10000;

// Writes text into a check's buffer (when there is one), cut at a whole character.
void WriteCheckText(char* szErr, const std::string& text) {
  if (szErr != nullptr) ddz::CopyTextBounded(text, szErr, CompeteRoomInfo::kCheckTextSize);
}

// A game text entry; the room list may check before any table loaded the table.
const std::string& Text(int n) {
  ddz::EnsureGameTextLoaded();
  return GameText(n);
}

std::int32_t ToTime32(std::int64_t t) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(t, INT32_MIN, INT32_MAX));
}

}  // namespace

namespace ddz {
int CompeteShowSignUpNum(int n) {
  if (n <= 0) return 0;
  const double shown = std::sqrt(static_cast<double>(n)) * n / 100.0 + 7.0 * n + static_cast<double>(n / 17);
  return shown >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(std::trunc(shown));
}
}  // namespace ddz

bool CompeteRoomInfo::ParseRoomInfo(const CompeteMatchRecord& record, const RoomItemInfo& room) {
  m_Record = record;
  m_RoomItem = room;
  m_iMatchId = record.iMatchId;
  m_iShowSignUpNum = ddz::CompeteShowSignUpNum(record.iSignUpNum);
  m_vcNumbers = ddz::ParseNumberList(ddz::RecordText(record.szNumbers));
  m_vcStages.clear();
  m_vcAwards.clear();
  m_vcFees.clear();
  m_vcConditions.clear();
  if (m_vcNumbers.size() <= kFreeDailyYuanBaoLimit) return false;
  m_vcStages = ddz::ParseNumberList(ddz::RecordText(record.szStages));
  if (m_vcStages.size() <= 1) return false;
  m_vcAwards = ddz::ParseAwardItems(record);
  if (m_vcAwards.empty()) return false;
  m_vcFees = ddz::ParseKindValueList(ddz::RecordText(record.szFees));
  m_vcConditions = ddz::ParseKindValueList(ddz::RecordText(record.szConditions));
  const std::string firstStart = ddz::RecordText(record.szFirstStart);
  m_tFirstStart = m_tNextStart = ToTime32(ParseDateTime(firstStart.c_str()));
  ChooseSignUpFee();
  return true;
}

bool CompeteRoomInfo::HasFreeDailyEntry() const {
  const int free = m_Record.iFreePerDay;
  return free >= 1 && m_vcNumbers.size() > kFreeDailyYuanBaoLimit &&
         GameViewBase::m_GlobalInfo.iYuanBao < m_vcNumbers[kFreeDailyYuanBaoLimit] &&
         DdzCompete::getInstance()->GetSignUpTimes(m_iMatchId) < free;
}

void CompeteRoomInfo::ChooseSignUpFee() {
  m_bFeeChosen = 0;
  m_bFreeDaily = 0;
  const auto choose = [this](int kind, int amount, bool chosen) {
    m_iFeeType = kind;
    m_iFeeNum = amount;
    m_bFeeChosen = chosen ? 1 : 0;
  };
  for (const CompeteKindValue& fee : m_vcFees) {
    if (fee.iKind == kFeeFree) return choose(kFeeFree, 0, true);
  }
  // The free daily entry does not depend on the options: a match without
  // any still offers it.
  if (HasFreeDailyEntry()) {
    m_bFreeDaily = 1;
    return choose(kFeeFreeDaily, 0, true);
  }
  if (m_vcFees.empty()) return choose(kFeeNone, 0, false);
  const DdzCompete& compete = *DdzCompete::getInstance();
  for (const CompeteKindValue& fee : m_vcFees) {
    if (compete.GetPropNum(fee.iKind) >= fee.iValue) return choose(fee.iKind, fee.iValue, true);
  }
  choose(m_vcFees.front().iKind, m_vcFees.front().iValue, false);
}

bool CompeteRoomInfo::CheckSignUpFee(int feeType, char* szErr) const {
  if (szErr != nullptr) std::memset(szErr, 0, kCheckTextSize);
  if (feeType == kFeeFreeDaily) {
    if (HasFreeDailyEntry()) return true;
    WriteCheckText(szErr, Text(kTextNoFreeEntry));
    return false;
  }
  const DdzCompete& compete = *DdzCompete::getInstance();
  for (const CompeteKindValue& fee : m_vcFees) {
    if (fee.iKind != feeType) continue;
    if (compete.GetPropNum(feeType) >= fee.iValue) return true;
    // The holding's name; a prop the catalogue lacks is named by the general word.
    char name[sizeof PropCatalogEntry::szName] = {};
    if (!compete.GetPropName(DdzCompete::GetFeePropId(feeType), 0, name, sizeof name) || name[0] == '\0')
      ddz::CopyTextBounded(Text(kTextFeeNotOffered), name, sizeof name);
    WriteCheckText(szErr, ddz::FormatText(Text(kTextCannotPay), name));
    return false;
  }
  WriteCheckText(szErr, ddz::FormatText(Text(kTextCannotPay), Text(kTextFeeNotOffered)));
  return false;
}

bool CompeteRoomInfo::CheckOpenTime(char* szErr) {
  if (szErr != nullptr) std::memset(szErr, 0, kCheckTextSize);
  const std::int64_t now = DdzCompete::getInstance()->GetServerNow();
  // Daily hours of the room's server, across midnight when they end after it.
  const RoomServerInfo* server = m_RoomItem.pServerInfo;
  if (server != nullptr && server->iHours < 24) {
    const std::time_t t = static_cast<std::time_t>(now);
    std::tm local{};
    localtime_r(&t, &local);
    const int h = local.tm_hour;
    const int s = ((server->iStartHour % 24) + 24) % 24;
    const int e = (((s + server->iHours % 24) % 24) + 24) % 24;
    const bool open = e >= s ? (s <= h && h < e) : (s <= h || h < e);
    if (!open) {
      WriteCheckText(szErr, Text(kTextClosedHours));
      return false;
    }
  }
  if (m_Record.iMatchKind == 1) return true;
  // The timetable: a sign-up window at the beginning of every interval.
  const std::int64_t interval = static_cast<std::int64_t>(m_Record.iIntervalMinutes) * 60;
  const std::int64_t window = static_cast<std::int64_t>(m_Record.iSignUpMinutes) * 60;
  if (interval <= 0) {
    WriteCheckText(szErr, Text(kTextNotOpenYet));
    return false;
  }
  if (now >= m_tFirstStart) {
    const std::int64_t r = (now - m_tFirstStart) % interval;
    m_tNextStart = ToTime32(r <= window ? now - r : now - r + interval);
  } else {
    m_tNextStart = m_tFirstStart;
  }
  if (now >= m_tNextStart) return true;
  WriteCheckText(szErr, Text(kTextNotOpenYet));
  return false;
}

bool CompeteRoomInfo::CheckFreeCondition(char* szErr) const {
  if (szErr != nullptr) std::memset(szErr, 0, kCheckTextSize);
  const int level = GameSceneBase::m_iLevelValue / kLevelUnit;
  for (const CompeteKindValue& condition : m_vcConditions) {
    if (condition.iKind != 0 || condition.iValue < 2 || condition.iValue > 5) continue;
    if (level >= condition.iValue) continue;
    WriteCheckText(szErr, ddz::FormatText(Text(kTextConditionNotMet),
                                          Text(kTextConditionBase + condition.iValue)));
    return false;
  }
  return true;
}
