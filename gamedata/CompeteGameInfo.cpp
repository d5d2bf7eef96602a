#include "gamedata/CompeteGameInfo.h"

CompeteGameInfo* CompeteGameInfo::shareCompeteGameInfo() {
  static CompeteGameInfo* instance = new CompeteGameInfo();
  return instance;
}

CompeteGameInfo::~CompeteGameInfo() = default;

void CompeteGameInfo::ParseCompeteInfo(const CompeteMatchRecord& record) {
  m_iState = kStateNone;
  m_iStageNo = 0;
  m_iAwardValue = 0;
  m_Record = record;
  m_vcNumbers = ddz::ParseNumberList(ddz::RecordText(record.szNumbers));
  m_vcStages = ddz::ParseNumberList(ddz::RecordText(record.szStages));
  m_vcAwards = ddz::ParseAwardItems(record);
}
