// The paid-expression panel of the info popup on the networked tables: the
// eight magic props 3001-3008 a player can throw at another seat, paid with
// a prop from the backpack or with money.
//
// The panel itself belongs to the platform; here it keeps what it is told
// (its place, the two users, the prop counts, the own money), records every
// call, and raises its expression callback when an expression is picked.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/engine/Math.h"
#include "platform/framework/YndGameLayer.h"

class MagicExpressLayer : public YndGameLayer {
 public:
  static constexpr int kPropCount = 8;
  static constexpr int kFirstPropId = 3001;

  // (prop id, own user id, the popup player's user id)
  using ExpressCallBack = std::function<void(int propId, int fromUserId, int toUserId)>;

  struct Call {
    std::string what;
    std::vector<long long> args;
    bool operator==(const Call&) const = default;
  };

  void SetPropTopLeftPos(const cocos2d::Vec2& pt);
  void AddExpressCallBack(ExpressCallBack callback);
  void SetUserInfo(int ownUserId, int playerUserId);
  void UpdatePropNum(const int counts[kPropCount]);
  void UpdateUserMoney(long long money);

  // The player picked expression `index` (0-7): the callback gets its prop
  // id and the two users. False (nothing raised) for another index or with
  // no callback.
  bool PickExpression(int index);

  const std::vector<Call>& Calls() const { return m_vcCalls; }
  const cocos2d::Vec2& GetPropTopLeftPos() const { return m_ptTopLeft; }
  const std::array<int, kPropCount>& GetPropNums() const { return m_aPropNum; }
  long long GetUserMoney() const { return m_llMoney; }
  int GetOwnUserId() const { return m_iOwnUserId; }
  int GetPlayerUserId() const { return m_iPlayerUserId; }

 private:
  void Record(std::string what, std::vector<long long> args);

  cocos2d::Vec2 m_ptTopLeft;
  ExpressCallBack m_callback;
  int m_iOwnUserId = 0;
  int m_iPlayerUserId = 0;
  std::array<int, kPropCount> m_aPropNum{};
  long long m_llMoney = 0;
  std::vector<Call> m_vcCalls;
};
