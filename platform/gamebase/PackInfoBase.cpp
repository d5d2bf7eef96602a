#include "platform/gamebase/PackInfoBase.h"

#include <algorithm>

#include "platform/engine/Log.h"

PackInfoBase::PackInfoBase() = default;
PackInfoBase::~PackInfoBase() = default;

void PackInfoBase::AddUserProp(int propId, int count, int extra, int expireTime, bool notify) {
  auto it = std::find_if(m_vcUserProp.begin(), m_vcUserProp.end(),
                         [propId](const UserPropRecord& r) { return r.iPropID == propId; });
  if (it == m_vcUserProp.end()) {
    UserPropRecord record;
    record.iPropID = propId;
    record.iCount = std::max(0, count);
    record.iExtra = extra;
    record.iExpireTime = expireTime;
    m_vcUserProp.push_back(record);
  } else {
    if (count > 0) it->iCount += count;
    if (expireTime > 0) it->iExpireTime = expireTime;
  }
  if (notify) CallBackAddUserProp(propId);
}

void PackInfoBase::CallBackAddUserProp(int) {}

void PackInfoBase::DeleteUserProp(int propId, int count) {
  auto it = std::find_if(m_vcUserProp.begin(), m_vcUserProp.end(),
                         [propId](const UserPropRecord& r) { return r.iPropID == propId; });
  if (it == m_vcUserProp.end()) return;
  it->iCount -= std::max(0, count);
  if (it->iCount <= 0) m_vcUserProp.erase(it);
  CallBackDeleteUserProp(propId);
}

void PackInfoBase::CallBackDeleteUserProp(int) {}
void PackInfoBase::CallBackSuccUserPropnfo() {}
void PackInfoBase::SetUserPropUsed(int propId) { DeleteUserProp(propId, 1); }
void PackInfoBase::CallBackDeleTimeProp(int propId) { cocos2d::log("CallBackDeleTimeProp %d", propId); }

int PackInfoBase::GetPropNum(int propId) {
  auto it = std::find_if(m_vcUserProp.begin(), m_vcUserProp.end(),
                         [propId](const UserPropRecord& r) { return r.iPropID == propId; });
  return it == m_vcUserProp.end() ? 0 : it->iCount;
}

void PackInfoBase::SetLuaCallBack(int handler) { m_iLuaHandler = handler; }

void PackInfoBase::HandleNetMessage(const char* msg, int len) {
  if (msg == nullptr || len < 8) {
    cocos2d::log("PackInfoBase::HandleNetMessage: message of length %d refused", len);
    return;
  }
  ++m_iHeardMessages;
}
