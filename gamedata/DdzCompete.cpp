#include "gamedata/DdzCompete.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>

#include "gamedata/CompeteWebMsg.h"
#include "gamedata/PropCatalog.h"
#include "platform/framework/YndConf.h"
#include "platform/gamebase/GameViewBase.h"
#include "platform/os/Clock.h"
#include "platform/os/Saturate.h"

namespace ddz {
std::int32_t CompeteTimeNow() { return static_cast<std::int32_t>(ddz::os::Clock().WallTimeSeconds()); }
}  // namespace ddz

namespace {

bool SameLocalDay(std::int64_t a, std::int64_t b) {
  const std::time_t ta = static_cast<std::time_t>(a);
  const std::time_t tb = static_cast<std::time_t>(b);
  std::tm la{};
  std::tm lb{};
  if (localtime_r(&ta, &la) == nullptr || localtime_r(&tb, &lb) == nullptr) return false;
  return la.tm_year == lb.tm_year && la.tm_yday == lb.tm_yday;
}

// The decimal number a record text starts with; 0 for none.
int RecordNumber(const std::string& text) {
  const std::vector<int> n = ddz::ParseNumberList(text.substr(0, text.find(';')));
  return n.empty() ? 0 : n.front();
}

}  // namespace

DdzCompete* DdzCompete::getInstance() {
  static DdzCompete* instance = new DdzCompete();
  return instance;
}

DdzCompete::DdzCompete() { Reset(); }

DdzCompete::~DdzCompete() = default;

void DdzCompete::Reset() {
  m_tLastInviteQuery = 0;
  m_iInviteCompete = 0;
  m_iSignUpFeeType = 0;
  m_UserRecord = CompeteUserRecord{};
  m_mapPropCatalog.clear();
  m_mapSignUpTimes.clear();
  m_tLocalAtSync = m_tServerAtSync = ddz::CompeteTimeNow();
  LoadPropCatalog();
}

void DdzCompete::AcceptUserRecord(const CompeteUserRecord& record) {
  m_UserRecord = record;
  UpdateSignUpTimes();
}

bool DdzCompete::AcceptInviteReply(const char* reply, int len, int error) {
  if (error != 0) return false;
  m_tLastInviteQuery = ddz::CompeteTimeNow();
  return CompeteWebMsg::ReadEnterCompeteReply(reply, len, m_iInviteCompete);
}

void DdzCompete::UpdateSignUpTimes() {
  m_tLocalAtSync = ddz::CompeteTimeNow();
  m_tServerAtSync = m_UserRecord.tServerTime;
  m_mapSignUpTimes.clear();
  if (SameLocalDay(GetServerNow(), m_UserRecord.tRecordDate)) {
    for (const CompeteKindValue& pair : ddz::ParseKindValueList(ddz::RecordText(m_UserRecord.szDailySignUps)))
      m_mapSignUpTimes.emplace(pair.iKind, pair.iValue);  // a match listed twice keeps its first count
  }
  GlobalInfo& global = GameViewBase::m_GlobalInfo;
  global.iPrizeHold88 = m_UserRecord.iPrizeHold88;
  global.iPrizeHold89 = m_UserRecord.iPrizeHold89;
}

int DdzCompete::GetSignUpTimes(int matchId) const {
  const auto found = m_mapSignUpTimes.find(matchId);
  return found == m_mapSignUpTimes.end() ? 0 : found->second;
}

std::int64_t DdzCompete::GetServerNow() const {
  const std::int64_t elapsed = static_cast<std::int64_t>(ddz::CompeteTimeNow()) - m_tLocalAtSync;
  return std::max<std::int64_t>(0, elapsed) + m_tServerAtSync;
}

int DdzCompete::GetPropNum(int kind) const {
  const GlobalInfo& global = GameViewBase::m_GlobalInfo;
  switch (kind) {
    case 1:
      return global.iMoney;
    case 2:
      return global.iYuanBao;
    case 3:
      return ddz::os::SaturatingAdd(global.iPrizeHold88, global.iPrizeHold89);
    case 4:
      return global.iFeeType4Num;
    case 5:
      return m_UserRecord.iFeeKind5Num;
    default:
      return 0;
  }
}

int DdzCompete::GetFeePropId(int kind) {
  switch (kind) {
    case 1:
      return 4;
    case 2:
      return 1;
    default:
      return 0;
  }
}

int DdzCompete::GetLockRoomId() const { return RecordNumber(ddz::RecordText(m_UserRecord.szLockRoomId)); }

int DdzCompete::GetLockServerId() const { return RecordNumber(ddz::RecordText(m_UserRecord.szLockServerId)); }

void DdzCompete::LoadPropCatalog() {
  LoadPropConf(ddz::kPropConfFile);
  for (const auto& [id, info] : GetStaticPropMap()) {
    PropCatalogEntry entry;
    ddz::CopyTextBounded(info.strName, entry.szName, sizeof entry.szName);
    ddz::CopyTextBounded(info.strPrizeFrame, entry.szUnit, sizeof entry.szUnit);
    m_mapPropCatalog.emplace(id, entry);
  }
}

bool DdzCompete::GetPropName(int propId, int count, char* out, std::size_t capacity) const {
  const auto found = m_mapPropCatalog.find(propId);
  if (found == m_mapPropCatalog.end() || out == nullptr || capacity == 0) return false;
  const std::string name = ddz::RecordText(found->second.szName);
  ddz::CopyTextBounded(count == 0 ? name : std::to_string(count) + name, out, capacity);
  return true;
}

void DdzCompete::FillAwardItemText(CompeteAwardItem& item) const {
  if (!GetPropName(item.iPropId, item.iPropNum, item.szAwardText, sizeof item.szAwardText)) return;
  const PropCatalogEntry& entry = m_mapPropCatalog.at(item.iPropId);
  ddz::CopyTextBounded(ddz::RecordText(entry.szUnit), item.szUnit, sizeof item.szUnit);
}
