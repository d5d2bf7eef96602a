#include "platform/framework/MagicExpressLayer.h"

#include "platform/engine/Log.h"
#include "platform/os/BoundedRecord.h"

void MagicExpressLayer::Record(std::string what, std::vector<long long> args) {
  ddz::os::AppendBounded(m_vcCalls, Call{std::move(what), std::move(args)});
}

void MagicExpressLayer::SetPropTopLeftPos(const cocos2d::Vec2& pt) {
  m_ptTopLeft = pt;
  Record("SetPropTopLeftPos", {static_cast<long long>(pt.x), static_cast<long long>(pt.y)});
}

void MagicExpressLayer::AddExpressCallBack(ExpressCallBack callback) {
  m_callback = std::move(callback);
  Record("AddExpressCallBack", {m_callback ? 1 : 0});
}

void MagicExpressLayer::SetUserInfo(int ownUserId, int playerUserId) {
  m_iOwnUserId = ownUserId;
  m_iPlayerUserId = playerUserId;
  Record("SetUserInfo", {ownUserId, playerUserId});
}

void MagicExpressLayer::UpdatePropNum(const int counts[kPropCount]) {
  std::vector<long long> args;
  for (int i = 0; i < kPropCount; ++i) {
    m_aPropNum[static_cast<std::size_t>(i)] = counts ? counts[i] : 0;
    args.push_back(m_aPropNum[static_cast<std::size_t>(i)]);
  }
  Record("UpdatePropNum", std::move(args));
}

void MagicExpressLayer::UpdateUserMoney(long long money) {
  m_llMoney = money;
  Record("UpdateUserMoney", {money});
}

bool MagicExpressLayer::PickExpression(int index) {
  if (index < 0 || index >= kPropCount || !m_callback) return false;
  const int propId = kFirstPropId + index;
  cocos2d::log("MagicExpressLayer: expression %d from %d to %d", propId, m_iOwnUserId, m_iPlayerUserId);
  Record("PickExpression", {propId});
  auto callback = m_callback;  // the handler may close the popup
  callback(propId, m_iOwnUserId, m_iPlayerUserId);
  return true;
}
